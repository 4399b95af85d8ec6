"""The checker on made-up rows: right ones pass, a value in the wrong column is caught."""

import unittest

from . import checker, golden, layouts

SAMPLE = golden.parse(
    r"""# Two contacts: one with most kinds of value, one with a formatted name only.
== contact
version: 3.0
fn: Ann Example
n.family: Example
n.given: Ann
phonetic.given: An
email.1: ann@example.com
email.1.types: home
email.2: ann@work.example
email.3: ann@club.example
email.4: ann@old.example
tel.1: +1 555 0100
tel.1.types: cell
adr.1.street: 1 Main St\nFlat 2
adr.1.locality: Springfield
adr.1.postalcode: 12345
adr.1.types: home
note.1: first line\nsecond line
category.1: Friends
bday: 19800412
bday.date: 1980-04-12
other.1.name: X-SHOE-SIZE
other.1.value: 42
== contact
version: 3.0
fn: 김 민수
""",
    "sample",
)

# The cells of each contact that a right writer gives; every other column is empty.
RIGHT = {
    "google": [
        {"First Name": "Ann", "Last Name": "Example", "Phonetic First Name": "An",
         "Notes": "first line\r\nsecond line", "Labels": "Friends ::: * myContacts",
         "Birthday": "1980-04-12", "E-mail 1 - Label": "Home",
         "E-mail 1 - Value": "ann@example.com", "E-mail 2 - Value": "ann@work.example",
         "E-mail 3 - Value": "ann@club.example ::: ann@old.example",
         "Phone 1 - Label": "Mobile", "Phone 1 - Value": "+1 555 0100",
         "Address 1 - Label": "Home", "Address 1 - Street": "1 Main St\r\nFlat 2",
         "Address 1 - City": "Springfield", "Address 1 - Postal Code": "12345"},
        {"First Name": "김", "Last Name": "민수", "Labels": "* myContacts"},
    ],
    "outlook": [
        {"First Name": "Ann", "Last Name": "Example", "Birthday": "4/12/1980",
         "Notes": "first line\r\nsecond line\r\nPhonetic first name: An\r\nE-mail 4: ann@old.example",
         "Categories": "Friends", "E-mail Address": "ann@example.com",
         "E-mail 2 Address": "ann@work.example", "E-mail 3 Address": "ann@club.example",
         "Mobile Phone": "+1 555 0100", "Home Street": "1 Main St\r\nFlat 2",
         "Home City": "Springfield", "Home Postal Code": "12345"},
        {"First Name": "김 민수"},
    ],
    "table": [
        {"vCard Version": "3.0", "Full Name": "Ann Example", "Last Name": "Example", "First Name": "Ann",
         "Phonetic First Name": "An", "Birthday": "19800412", "Notes": "first line\r\nsecond line",
         "Categories": "Friends", "Email 1": "ann@example.com", "Email 1 Type": "home",
         "Email 2": "ann@work.example", "Email 2 Type": "", "Email 3": "ann@club.example",
         "Email 3 Type": "", "Email 4": "ann@old.example", "Email 4 Type": "",
         "Phone 1": "+1 555 0100", "Phone 1 Type": "cell", "Address 1 Type": "home",
         "Address 1 Street": "1 Main St\r\nFlat 2", "Address 1 City": "Springfield",
         "Address 1 Postal Code": "12345", "Other 1 Name": "X-SHOE-SIZE", "Other 1 Value": "42"},
        {"vCard Version": "3.0", "Full Name": "김 민수"},
    ],
}

LAYOUT = {layout.name: layout for layout in layouts.LAYOUTS}


def table_of(layout, contacts):
    """Header and rows from cell dictionaries: the layout's fixed columns first, then the
    others in the order they are first named."""
    header = list(layout.header_start)
    for cells in contacts:
        header += [name for name in cells if name not in header]
    return header, [[cells.get(name, "") for name in header] for cells in contacts]


def failures_of(layout_name, edits=None, header_edit=None, drop_last_row=False):
    """Failures for the right rows with `edits` (column: cell) applied to the first contact."""
    layout = LAYOUT[layout_name]
    contacts = [dict(cells) for cells in RIGHT[layout_name]]
    contacts[0].update(edits or {})
    header, rows = table_of(layout, contacts)
    if header_edit:
        header = header_edit(header)
    if drop_last_row:
        rows = rows[:-1]
    return checker.check_rows(layout, SAMPLE, header, rows)


def keys(failures):
    return sorted(failure.key or failure.detail.split(" ")[0] for failure in failures)


class RightRowsPass(unittest.TestCase):
    def test_each_layout(self):
        for name in RIGHT:
            with self.subTest(layout=name):
                self.assertEqual([str(f) for f in failures_of(name)], [])

    def test_tolerated_variants(self):
        cases = [
            ("google: the e-mails joined in one cell", "google",
             {"E-mail 1 - Value": "ann@example.com ::: ann@work.example", "E-mail 2 - Value": ""}),
            ("google: the birthday as written", "google", {"Birthday": "19800412"}),
            ("google: a line break as LF alone", "google", {"Notes": "first line\nsecond line"}),
            ("google: a second address group left empty", "google", {"Address 2 - City": ""}),
            ("outlook: the phone in Notes", "outlook",
             {"Mobile Phone": "", "Notes": "first line\r\nsecond line\r\nPhonetic: An\r\n"
              "E-mail 4: ann@old.example\r\nMobile: +1 555 0100"}),
            ("outlook: the street over Street and Street 2", "outlook",
             {"Home Street": "1 Main St", "Home Street 2": "Flat 2"}),
            ("outlook: the whole address in Notes", "outlook",
             {"Home Street": "", "Home City": "", "Home Postal Code": "",
              "Notes": "first line\r\nsecond line\r\nAn\r\nE-mail 4: ann@old.example\r\n"
              "Home address: 1 Main St\r\nFlat 2\r\nSpringfield 12345"}),
            ("outlook: the birthday as an ISO date", "outlook", {"Birthday": "1980-04-12"}),
            ("outlook: a late preferred e-mail in a slot, the third in Notes", "outlook",
             {"E-mail Address": "ann@old.example", "E-mail 2 Address": "ann@example.com",
              "E-mail 3 Address": "ann@work.example",
              "Notes": "first line\r\nsecond line\r\nAn\r\nE-mail 4: ann@club.example"}),
            ("table: other names in their label column", "table",
             {"Other 1 Name": "", "Other 1 Label": "X-SHOE-SIZE"}),
        ]
        for name, layout, edits in cases:
            with self.subTest(name):
                self.assertEqual([str(f) for f in failures_of(layout, edits)], [])


class WrongRowsFail(unittest.TestCase):
    def test_values_out_of_place(self):
        cases = [
            ("google: an e-mail in a phone column", "google",
             {"E-mail 2 - Value": "", "Phone 2 - Value": "ann@work.example"}, ["email.2"]),
            ("google: an e-mail in its label column", "google",
             {"E-mail 2 - Value": "", "E-mail 2 - Label": "ann@work.example"}, ["email.2"]),
            ("google: a part of an e-mail cell, not a whole one", "google",
             {"E-mail 2 - Value": "ann@work.example.org"}, ["email.2"]),
            ("google: the city in another address group", "google",
             {"Address 1 - City": "", "Address 2 - City": "Springfield"}, ["adr.1.locality"]),
            ("google: the note cut differently", "google",
             {"Notes": "first line second line"}, ["note.1"]),
            ("google: the birthday written the US way", "google", {"Birthday": "4/12/1980"}, ["bday"]),
            ("google: the phonetic name as the first name", "google",
             {"Phonetic First Name": "", "First Name": "Ann ::: An"}, ["phonetic.given"]),
            ("google: Labels without the group of all contacts", "google", {"Labels": "Friends"}, ["Labels"]),
            ("google: a category missing", "google", {"Labels": "* myContacts"}, ["category.1"]),
            ("outlook: the second e-mail in Notes though a slot is free", "outlook",
             {"E-mail 2 Address": "", "Notes": "first line\r\nsecond line\r\nAn\r\n"
              "E-mail 2: ann@work.example\r\nE-mail 4: ann@old.example"}, ["email.2"]),
            ("outlook: the fourth e-mail dropped", "outlook",
             {"Notes": "first line\r\nsecond line\r\nAn"}, ["email.4"]),
            ("outlook: the phone in a column that is no phone", "outlook",
             {"Mobile Phone": "", "Account": "+1 555 0100"}, ["tel.1"]),
            ("outlook: the city in the business address", "outlook",
             {"Home City": "", "Business City": "Springfield"}, ["adr.1.locality"]),
            ("outlook: the street lines out of order", "outlook",
             {"Home Street": "Flat 2", "Home Street 2": "1 Main St"}, ["adr.1.street"]),
            ("outlook: the phonetic name dropped", "outlook",
             {"Notes": "first line\r\nsecond line\r\nE-mail 4: ann@old.example"}, ["phonetic.given"]),
            ("table: an e-mail in its type column", "table",
             {"Email 2": "", "Email 2 Type": "ann@work.example"}, ["email.2"]),
            ("table: the phonetic name in First Name", "table",
             {"Phonetic First Name": "", "First Name": "An"}, ["n.given", "phonetic.given"]),
            ("table: an other value in the name column", "table",
             {"Other 1 Value": "", "Other 1 Name": "X-SHOE-SIZE ::: 42"}, ["other.1.value"]),
            ("table: the formatted name missing", "table", {"Full Name": ""}, ["fn"]),
        ]
        for name, layout, edits, expected in cases:
            with self.subTest(name):
                self.assertEqual(keys(failures_of(layout, edits)), expected)

    def test_name_without_n(self):
        second = {"google": {"First Name": "김", "Last Name": ""},
                  "outlook": {"First Name": "민수 김"}}
        for layout, cells in second.items():
            with self.subTest(layout):
                contacts = [RIGHT[layout][0], {**RIGHT[layout][1], **cells}]
                header, rows = table_of(LAYOUT[layout], contacts)
                self.assertEqual(keys(checker.check_rows(LAYOUT[layout], SAMPLE, header, rows)), ["fn"])

    def test_file_shape(self):
        cases = [
            ("google: a contact without its row", "google", {"drop_last_row": True}, ["1"]),
            ("google: two fixed columns swapped", "google",
             {"header_edit": lambda h: [h[1], h[0], *h[2:]]}, ["header", "n.given"]),
            ("outlook: a column more than the fixed ones", "outlook",
             {"edits": {"Nickname": "x"}}, ["the"]),
            ("table: a column named twice", "table",
             {"header_edit": lambda h: [*h[:-1], h[0]]}, ["columns", "other.1.value"]),
        ]
        for name, layout, options, expected in cases:
            with self.subTest(name):
                self.assertEqual(keys(failures_of(layout, **options)), expected)


class TableColumnNames(unittest.TestCase):
    """The spreadsheet layout's names are plain English: the spellings each value may be
    found under, and the near misses it must not be."""

    def test_families(self):
        held = {
            "fn": ["Full Name", "Display Name", "Name"],
            "n.family": ["Last Name", "Family Name", "Surname"],
            "n.given": ["First Name", "Given Name"],
            "phonetic.family": ["Phonetic Last Name", "Phonetic Family Name"],
            "org": ["Organization", "Organisation Name", "Company"],
            "org.unit": ["Department", "Organization Unit 2"],
            "title": ["Title", "Job Title", "Organization Title"],
            "bday": ["Birthday", "Date of Birth"],
            "category": ["Categories", "Labels", "Tags"],
            "email": ["Email 1", "E-mail 2 - Value", "Email Address 3"],
            "tel": ["Phone 1", "Phone 2 - Value", "Telephone 1", "Fax 1"],
            "adr.street": ["Address 1 Street", "Address 2 - Street", "Street (Address 1)"],
            "adr.postalcode": ["Address 1 Postal Code", "Address 1 ZIP", "Address 1 Postcode"],
            "adr.pobox": ["Address 1 PO Box", "Address 1 P.O. Box", "Address 1 Post Office Box"],
            "adr.formatted": ["Address 1 Formatted", "Address 1 Label"],
            "url": ["Website 1", "Web Page 1", "URL 1", "Homepage 1"],
            "im.service": ["IM 1 Service", "IM 1 Type", "Instant Messaging 1 Service"],
            "im.handle": ["IM 1", "IM 1 Handle", "IM 1 - Value", "Messenger 1"],
            "event": ["Event 1", "Date 1", "Event 1 - Value"],
            "anniversary": ["Anniversary", "Event 1"],
            "relation": ["Relation 1", "Related 1", "Relationship 1"],
            "other.name": ["Other 1 Name", "Custom Field 1 - Label", "Property 1 Name"],
            "other.value": ["Other 1 Value", "Custom Field 1 - Value", "Property 1 Value"],
        }
        not_held = {
            "fn": ["First Name", "Phonetic Name", "Name Prefix", "File As"],
            "n.family": ["Phonetic Last Name"],
            "n.given": ["Phonetic First Name"],
            "org": ["Organization Title", "Organization Department", "Organization Unit 1"],
            "title": ["Name Prefix"],
            "category": ["Email 1 Type"],
            "email": ["Email 1 Type", "E-mail 2 - Label"],
            "tel": ["Phone 1 Type", "Phone 2 - Label"],
            "adr.street": ["Address 1 Type", "Address 1 City", "Street Type"],
            "adr.region": ["Address 1 Label"],
            "im.handle": ["IM 1 Service", "IM 1 Type"],
            "event": ["Birthday", "Anniversary", "Event 1 Label"],
            "other.value": ["Other 1 Name", "Other 1 Label"],
        }
        for verdict, table in ((True, held), (False, not_held)):
            for field, headers in table.items():
                rule = layouts.TABLE.rules[field]
                for header in headers:
                    with self.subTest(field=field, header=header):
                        holds = rule.family.holds(header) or bool(rule.fallback and rule.fallback.holds(header))
                        self.assertEqual(holds, verdict)


class FailureText(unittest.TestCase):
    def test_names_the_file_contact_key_value_and_family(self):
        failures = failures_of("google", {"E-mail 2 - Value": "", "Phone 2 - Value": "ann@work.example"})
        self.assertEqual(
            str(failures[0]),
            "sample [google] contact 1 (Ann Example): email.2 = 'ann@work.example' not found in "
            "E-mail K - Value; cells: E-mail 1 - Value='ann@example.com', "
            "E-mail 3 - Value='ann@club.example ::: ann@old.example'; found in Phone 2 - Value",
        )

    def test_an_address_part_names_the_group_of_the_others(self):
        failures = failures_of("outlook", {"Home City": "", "Business City": "Springfield"})
        self.assertIn("adr.1.locality = 'Springfield' not found in Business/Home/Other City of group "
                      "'Home', which holds the other parts or Notes", str(failures[0]))


class GoldenLines(unittest.TestCase):
    def test_unescape(self):
        cases = [("line break", r"a\nb", "a\nb"), ("tab", r"a\tb", "a\tb"),
                 ("backslash", r"a\\nb", "a\\nb"), ("other backslash kept", r"a\,b", r"a\,b")]
        for name, text, expected in cases:
            with self.subTest(name):
                self.assertEqual(golden.unescape(text), expected)

    def test_values_leave_out_attributes_and_join_dates(self):
        values = [(e.key, e.field, e.index, e.text, e.date) for e in SAMPLE.contacts[0].expected()]
        self.assertIn(("bday", "bday", 0, "19800412", "1980-04-12"), values)
        self.assertIn(("adr.1.street", "adr.street", 1, "1 Main St\nFlat 2", ""), values)
        self.assertFalse([key for key, *_ in values if key.endswith((".types", ".date"))])

    def test_date_renderings(self):
        cases = [
            ("with a year", "1980-04-12", ("text", "iso", "us"), {"19800412", "1980-04-12", "4/12/1980", "04/12/1980"}),
            ("without a year", "----04-12", ("text", "iso", "us"), {"19800412", "--04-12"}),
            ("not a date", "", ("iso",), set()),
        ]
        for name, date, forms, expected in cases:
            with self.subTest(name):
                value = golden.Expected("bday", "bday", 0, "19800412", date)
                self.assertEqual(checker.date_renderings(value, forms), expected)


if __name__ == "__main__":
    unittest.main()
