"""The whole round trip over the golden files, with a stand-in writer in place of the
console program: a right writer passes, a wrong one is caught."""

import unittest
from pathlib import Path
from types import SimpleNamespace

from . import fake_writer, golden, runs

GOLDEN_DIR = Path(__file__).resolve().parent.parent / "golden"


def round_trip(faults=(), only=None):
    """The round trip over every golden file, or over `only` and those of the option runs."""
    names = None if only is None else {only, *runs.OPTION_FILES}
    files = [golden.read(path) for path in sorted(GOLDEN_DIR.glob("*.txt")) if names is None or path.stem in names]
    def execute(arguments):
        return fake_writer.write(arguments, GOLDEN_DIR, faults)

    args = SimpleNamespace(corpus=GOLDEN_DIR, execute=execute)
    return runs.check_corpus(args, files)


class RoundTrip(unittest.TestCase):
    def test_a_right_writer_passes(self):
        offered, failures = round_trip()
        self.assertEqual([layout.name for layout in offered], ["google", "outlook", "table"])
        self.assertEqual([str(failure) for failure in failures], [])

    def test_a_wrong_writer_is_caught(self):
        cases = [
            ("no-bom", "eds__5", "eds__5 [outlook]: the CSV does not start with a UTF-8 byte-order mark"),
            ("lf-in-cells", "eds__5", "ezvcard__John_Doe_MS_OUTLOOK [table]: a line feed without a carriage "
                                      "return before it"),
            ("drop-last-contact", "aosp__v21_nest", "aosp__v21_nest [table]: 2 rows for 3 contacts"),
            ("email-as-phone", "cardbook__v4", "cardbook__v4 [google] contact 1 (Möhrke Gerda): email.1 = "
                                               "'info@kinderland-blubblub.de' not found in E-mail K - Value"),
            ("overflow-dropped", "ezvcard__fullcontact", "ezvcard__fullcontact [outlook] contact 1 (Prefix "
             "FirstName MiddleName LastName Suffix): email.4 = 'other@example.com' not found in E-mail [2/3] "
             "Address or Notes"),
        ]
        for fault, only, expected in cases:
            with self.subTest(fault):
                _, failures = round_trip([fault], only)
                texts = [str(failure) for failure in failures]
                self.assertTrue(any(expected in text for text in texts), "\n".join(texts[:10]))
