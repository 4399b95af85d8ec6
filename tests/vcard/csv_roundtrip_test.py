#!/usr/bin/env python3
"""Round trip of the corpus through the faithful engine's CSV layouts.

    csv_roundtrip_test.py --cli BRIMWELL_CLI --corpus DIR --golden DIR
    csv_roundtrip_test.py --self-test

For every golden file (tests/vcard/golden/NAME.txt) whose corpus file NAME.vcf exists, runs
`brimwell-cli --quiet --format F --separator comma --one-csv OUT NAME.vcf` for the google,
outlook and table layouts, reads the CSV back and checks that every value of the golden
contacts lands in its family of columns (csv_roundtrip/layouts.py holds where each value
belongs). A few runs more check the encodings, minimal quoting and one CSV of two files.
Exit status 0 when all is found, 1 on any failure, 77 (a skipped test) when the program
offers none of the three layouts.
"""

import argparse
import csv
import io
import itertools
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
from csv_roundtrip import checker, golden, layouts  # noqa: E402

SKIPPED = 77
UTF8_BOM = b"\xef\xbb\xbf"
SHOWN_PER_RUN = 25

# Files of the corpus for the runs beyond the plain one per layout.
NON_LATIN_FILE = "khard__korean-c"  # Hangul names, for UTF-8 without a byte-order mark
QUOTING_FILE = "ezvcard__John_Doe_MS_OUTLOOK"  # commas, line breaks, quotes in values
COMBINED_FILES = ("aosp__v21_multiple_entry", "ezvcard__John_Doe_IPHONE")


class Run:
    """One conversion by the console program into a fresh CSV file."""

    _numbers = itertools.count(1)

    def __init__(self, args, workdir, layout, inputs, extra=()):
        self.layout = layout
        self.extra = list(extra)
        self.label = " ".join([layout.name, *extra])
        self.path = Path(workdir) / f"{layout.name}-{next(Run._numbers)}.csv"
        command = [args.cli, "--quiet", "--format", layout.name, "--separator", "comma",
                   "--one-csv", str(self.path), *extra, *map(str, inputs)]  # fmt: skip
        result = subprocess.run(command, capture_output=True, text=True, timeout=120)
        self.status = result.returncode
        self.output = (result.stdout + result.stderr).strip()
        self.bytes = self.path.read_bytes() if self.path.exists() else None

    def unknown_format(self):
        return self.status == 2 and "--format" in self.output

    def rows(self, encoding="utf-8-sig"):
        """The header and the data rows; raises UnicodeDecodeError on bytes that are not UTF-8."""
        table = list(csv.reader(io.StringIO(self.bytes.decode(encoding), newline="")))
        return (table[0], table[1:]) if table else ([], [])


def file_failure(name, label, detail):
    return checker.Failure(name, label, 0, "", "", "", "", detail)


def check_run(run, expected, warnings=0):
    """Failures of one run against the golden contacts it was written from."""
    allowed = {0, 1} if warnings else {0}
    failures = []
    if run.status not in allowed:
        failures.append(file_failure(expected.name, run.label, f"exit status {run.status}: {run.output}"))
    if run.bytes is None:
        if expected.contacts:
            failures.append(file_failure(expected.name, run.label, "no CSV file was written"))
        return failures
    if "--encoding" not in run.extra and not run.bytes.startswith(UTF8_BOM):
        failures.append(file_failure(expected.name, run.label, "the CSV does not start with a UTF-8 byte-order mark"))
    try:
        header, rows = run.rows()
    except UnicodeDecodeError as error:
        return failures + [file_failure(expected.name, run.label, f"the CSV is not UTF-8: {error}")]
    if header or expected.contacts:
        failures += checker.check_rows(run.layout, expected, header, rows)
    return failures


def check_layout(args, workdir, layout, files):
    failures = []
    for expected in files:
        run = Run(args, workdir, layout, [args.corpus / f"{expected.name}.vcf"])
        failures += check_run(run, expected, expected.warnings)
    return failures


def check_options(args, workdir, files):
    """The runs beyond one per layout and file: the encodings, minimal quoting, one CSV of
    two files."""
    by_name = {expected.name: expected for expected in files}
    google = layouts.GOOGLE
    failures = []

    plain = Run(args, workdir, google, [args.corpus / f"{NON_LATIN_FILE}.vcf"])
    no_bom = Run(args, workdir, google, [args.corpus / f"{NON_LATIN_FILE}.vcf"], ["--encoding", "utf-8"])
    failures += check_run(no_bom, by_name[NON_LATIN_FILE])
    if no_bom.bytes is not None and plain.bytes is not None:
        if no_bom.bytes.startswith(UTF8_BOM):
            failures.append(file_failure(NON_LATIN_FILE, no_bom.label, "the CSV starts with a byte-order mark"))
        if no_bom.bytes != plain.bytes[len(UTF8_BOM) :]:
            failures.append(file_failure(NON_LATIN_FILE, no_bom.label, "the CSV differs from the default one beyond its byte-order mark"))  # fmt: skip

    quoted = Run(args, workdir, google, [args.corpus / f"{QUOTING_FILE}.vcf"])
    minimal = Run(args, workdir, google, [args.corpus / f"{QUOTING_FILE}.vcf"], ["--no-quotes"])
    failures += check_run(minimal, by_name[QUOTING_FILE])
    if minimal.bytes is not None and quoted.bytes is not None:
        if minimal.rows() != quoted.rows():
            failures.append(file_failure(QUOTING_FILE, minimal.label, "the CSV reads back other cells than with --quotes"))
        if minimal.bytes == quoted.bytes:
            failures.append(file_failure(QUOTING_FILE, minimal.label, "the CSV has the same bytes as with --quotes"))

    contacts = [contact for name in COMBINED_FILES for contact in by_name[name].contacts]
    renumbered = [golden.GoldenContact(number, contact.lines) for number, contact in enumerate(contacts, start=1)]
    both = golden.GoldenFile(" + ".join(COMBINED_FILES), renumbered)
    for layout in layouts.LAYOUTS:
        run = Run(args, workdir, layout, [args.corpus / f"{name}.vcf" for name in COMBINED_FILES])
        failures += check_run(run, both)
    return failures


def report(failures):
    shown = {}
    for failure in failures:
        run = (failure.file, failure.layout)
        shown[run] = shown.get(run, 0) + 1
        if shown[run] <= SHOWN_PER_RUN:
            print(failure)
    for (file, layout), count in shown.items():
        if count > SHOWN_PER_RUN:
            print(f"{file} [{layout}]: {count - SHOWN_PER_RUN} failures more")


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--cli", help="the brimwell-cli program")
    parser.add_argument("--corpus", type=Path, help="folder of the corpus .vcf files")
    parser.add_argument("--golden", type=Path, help="folder of the golden .txt files")
    parser.add_argument("--self-test", action="store_true", help="test the checker on made-up CSV rows")
    args = parser.parse_args(argv)
    if args.self_test:
        tests = unittest.defaultTestLoader.loadTestsFromName("csv_roundtrip.checker_test")
        return 0 if unittest.TextTestRunner(verbosity=1).run(tests).wasSuccessful() else 1
    if not (args.cli and args.corpus and args.golden):
        parser.error("--cli, --corpus and --golden are needed (or --self-test)")

    if not args.corpus.is_dir():
        print(f"skipped: no corpus folder at {args.corpus}")
        return SKIPPED
    files = [golden.read(path) for path in sorted(args.golden.glob("*.txt"))]
    missing = [expected.name for expected in files if not (args.corpus / f"{expected.name}.vcf").exists()]
    if missing:
        print(f"corpus files missing in {args.corpus}: {', '.join(missing)}")
        return 1

    failures = []
    with tempfile.TemporaryDirectory() as workdir:
        offered = []
        for layout in layouts.LAYOUTS:
            probe = Run(args, workdir, layout, [args.corpus / f"{files[0].name}.vcf"])
            if probe.unknown_format():
                failures.append(file_failure("-", layout.name, f"brimwell-cli does not offer it: {probe.output}"))
            else:
                offered.append(layout)
        if not offered:
            print("skipped: brimwell-cli offers none of the layouts google, outlook, table yet")
            return SKIPPED
        for layout in offered:
            failures += check_layout(args, workdir, layout, files)
        if len(offered) == len(layouts.LAYOUTS):
            failures += check_options(args, workdir, files)

    report(failures)
    contacts = sum(len(expected.contacts) for expected in files)
    print(f"{len(files)} files, {contacts} contacts, layouts {', '.join(l.name for l in offered)}: "
          f"{len(failures)} failures")  # fmt: skip
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
