#!/usr/bin/env python3
"""Tests of the Google Contacts peers and of the check the benchmark runs on their files.

    bash bench/install-peers.sh build/bench
    python3 bench/test_google_peers.py [-v]

BRIMWELL_BENCH_BUILD names another build folder than build/bench. A peer whose program or
library is not installed is skipped.
"""
import csv
import os
import shutil
import subprocess
import tempfile
import unittest

import google_csv

HERE = os.path.dirname(os.path.abspath(__file__))
BUILD = os.environ.get("BRIMWELL_BENCH_BUILD", os.path.join(HERE, "..", "build", "bench"))
EZ_VCARD_CLASSPATH = "/usr/share/java/ez-vcard.jar:/usr/share/java/vinnie.jar"


def peer_commands():
    """name -> (command before IN OUT, why it cannot run or None)."""
    java_classes = os.path.join(BUILD, "java")
    node_modules = os.path.join(BUILD, "node", "node_modules")
    vobject = subprocess.run(["/usr/bin/python3", "-c", "import vobject"], capture_output=True)
    return {
        "ez-vcard": (["java", "-cp", f"{java_classes}:{EZ_VCARD_CLASSPATH}", "EzVcardToGoogleCsv"],
                     None if shutil.which("java") and
                     os.path.exists(os.path.join(java_classes, "EzVcardToGoogleCsv.class"))
                     else "the Java peer is not compiled"),
        "ical.js": (["env", f"NODE_PATH={node_modules}", "node",
                     os.path.join(HERE, "peers", "ical_to_google_csv.mjs")],
                    None if shutil.which("node") and os.path.isdir(os.path.join(node_modules, "ical.js"))
                    else "ical.js is not installed"),
        "vobject": (["/usr/bin/python3", os.path.join(HERE, "peers", "vobject_to_csv.py"), "--google"],
                    None if vobject.returncode == 0 else "python3-vobject is not installed"),
    }


def card(*lines):
    return "".join(line + "\r\n" for line in ("BEGIN:VCARD", *lines, "END:VCARD"))


# (what the contact shows, its vCard, the cells expected, peers exempt from this contact).
CONTACTS = [
    ("2.1: bare types, quoted-printable in UTF-8 across a soft break, a basic date",
     card("VERSION:2.1", "N;CHARSET=UTF-8:Müller;Zoë;Anna;Dr.;PhD", "FN;CHARSET=UTF-8:Zoë Müller",
          "TEL;PREF;CELL:(555) 555-0101", "TEL;WORK;FAX:(555) 555-0102", "TEL;PAGER:(555) 555-0103",
          "EMAIL;INTERNET:zoe@example.com", "ADR;WORK:;;1 Kestrel Lane;Ashcombe;MA;02999;USA",
          "NOTE;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:Caf=C3=A9 at noon=0D=0A=",
          'Second line "sharp".', "BDAY:19800102"),
     {"First Name": "Zoë", "Middle Name": "Anna", "Last Name": "Müller", "Name Prefix": "Dr.",
      "Name Suffix": "PhD", "Birthday": "1980-01-02", "Notes": 'Café at noon\nSecond line "sharp".',
      "Labels": "* myContacts",
      "Phone 1 - Label": "* Mobile", "Phone 1 - Value": "(555) 555-0101",
      "Phone 2 - Label": "Work Fax", "Phone 3 - Label": "Pager", "Phone 3 - Value": "(555) 555-0103",
      "E-mail 1 - Label": "Other", "E-mail 1 - Value": "zoe@example.com", "E-mail 2 - Label": "",
      "Address 1 - Label": "Work", "Address 1 - Formatted": "1 Kestrel Lane\nAshcombe, MA 02999\nUSA",
      "Address 1 - Street": "1 Kestrel Lane", "Address 1 - City": "Ashcombe",
      "Address 1 - Region": "MA", "Address 1 - Postal Code": "02999", "Address 1 - Country": "USA"},
     set()),
    ("3.0: labels of grouped properties, pref types, a department, several categories, a photo link",
     card("VERSION:3.0", "N:Okafor;Talia;;;", "FN:Talia Okafor", "ORG:Ostwick Clinic;Radiology",
          "TITLE:Radiographer", "NICKNAME:Tal",
          "item1.EMAIL;type=INTERNET;type=WORK:talia@example.org", "item1.X-ABLabel:Club",
          "item2.EMAIL;type=INTERNET:t2@example.org", "item2.X-ABLabel:_$!<Other>!$_",
          "EMAIL;type=INTERNET;type=HOME;type=pref:home@example.org",
          "TEL;type=HOME;type=FAX:(555) 555-0110",
          "ADR;type=HOME;type=pref:;Flat 3;2 Fennel Row;Ostwick;;ZZ9 9ZZ;United Kingdom",
          "URL;type=WORK:https://www.example.org/people/okafor", "CATEGORIES:Friends,Suppliers",
          "NOTE:Line one\\nLine two\\, with a comma", "BDAY:1975-12-10",
          "PHOTO;VALUE=uri:https://www.example.org/okafor.jpg"),
     {"First Name": "Talia", "Last Name": "Okafor", "Nickname": "Tal",
      "Organization Name": "Ostwick Clinic", "Organization Department": "Radiology",
      "Organization Title": "Radiographer", "Birthday": "1975-12-10",
      "Notes": "Line one\nLine two, with a comma", "Labels": "Friends ::: Suppliers ::: * myContacts",
      "Photo": "https://www.example.org/okafor.jpg",
      "E-mail 1 - Label": "Club", "E-mail 1 - Value": "talia@example.org",
      "E-mail 2 - Label": "Other", "E-mail 3 - Label": "* Home", "E-mail 3 - Value": "home@example.org",
      "Phone 1 - Label": "Home Fax", "Phone 2 - Label": "",
      "Address 1 - Label": "* Home",
      "Address 1 - Formatted": "2 Fennel Row\nFlat 3\nOstwick ZZ9 9ZZ\nUnited Kingdom",
      "Address 1 - Region": "", "Address 1 - Extended Address": "Flat 3",
      "Website 1 - Label": "Work", "Website 1 - Value": "https://www.example.org/people/okafor"},
     set()),
    ("4.0: telephone URIs, PREF=1, a date without a year, no N, an anniversary, relations, an embedded photo",
     card("VERSION:4.0", "FN:Sunny Day", "TEL;TYPE=\"cell,voice\";PREF=1;VALUE=uri:tel:+1-555-555-0120",
          "TEL;TYPE=work;VALUE=uri:tel:+1-555-555-0121", "EMAIL;TYPE=work:sunny@example.net",
          "BDAY:--0102", "ANNIVERSARY:20100615", "RELATED;TYPE=spouse;VALUE=text:Robin Day",
          "RELATED;VALUE=text:Sam Day", "PHOTO:data:image/jpeg;base64,/9j/4AAQSkZJRg=="),
     {"First Name": "Sunny Day", "Last Name": "", "Birthday": "--01-02", "Photo": "",
      "Phone 1 - Label": "* Mobile", "Phone 1 - Value": "+1-555-555-0120",
      "Phone 2 - Label": "Work", "Phone 2 - Value": "+1-555-555-0121",
      "E-mail 1 - Label": "Work", "Address 1 - Label": "", "Address 1 - Formatted": "",
      "Event 1 - Label": "Anniversary", "Event 1 - Value": "2010-06-15",
      "Relation 1 - Label": "Spouse", "Relation 1 - Value": "Robin Day",
      "Relation 2 - Label": "Other", "Relation 2 - Value": "Sam Day"},
     set()),
    # python3-vobject takes an unescaped comma as the end of a text value, also in 2.1, where
    # commas are never escaped.
    ("2.1: a comma in a quoted-printable note",
     card("VERSION:2.1", "N:Marsh;Lars;;;", "NOTE;ENCODING=QUOTED-PRINTABLE:Call before noon, not after."),
     {"First Name": "Lars", "Notes": "Call before noon, not after."},
     {"vobject"}),
]

# The most groups any of the contacts has: e-mails, phones, addresses, websites, events, relations.
GROUP_COUNTS = [3, 3, 1, 1, 1, 2]


class PeersTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp(prefix="google-peers-")
        cls.source = os.path.join(cls.folder, "contacts.vcf")
        # With a byte-order mark, as some address books write: it must not hide the first contact.
        with open(cls.source, "w", encoding="utf-8-sig", newline="") as f:
            f.write("".join(vcard for _, vcard, _, _ in CONTACTS))
        cls.outputs = {}
        for name, (command, missing) in peer_commands().items():
            if missing:
                continue
            target = os.path.join(cls.folder, name + ".csv")
            subprocess.run(command + [cls.source, target], check=True, capture_output=True)
            cls.outputs[name] = target

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.folder, ignore_errors=True)

    def output(self, name):
        """The file the peer wrote, or skips the subtest when the peer cannot run."""
        missing = peer_commands()[name][1]
        if missing:
            self.skipTest(missing)
        return self.outputs[name]

    def test_header_sized_to_the_contacts_and_the_file_passes_the_check(self):
        for name in peer_commands():
            with self.subTest(peer=name):
                counts, _ = google_csv.check(self.output(name), len(CONTACTS))
                self.assertEqual(counts, GROUP_COUNTS)

    def test_cells(self):
        for name in peer_commands():
            with self.subTest(peer=name):
                with open(self.output(name), encoding="utf-8-sig", newline="") as f:
                    header, *rows = csv.reader(f)
                self.assertEqual(len(rows), len(CONTACTS))
                for (what, _, expected, exempt), row in zip(CONTACTS, rows):
                    if name in exempt:
                        continue
                    cells = dict(zip(header, row))
                    for column, value in expected.items():
                        self.assertEqual(cells[column], value, f"{name}, {what}: {column}")


def layout_file(header, rows, bom=True):
    lines = [",".join(header)] + [",".join(row) for row in rows]
    return (google_csv.BOM if bom else b"") + "".join(line + "\r\n" for line in lines).encode()


class CheckTest(unittest.TestCase):
    def setUp(self):
        handle, self.path = tempfile.mkstemp(suffix=".csv")
        os.close(handle)

    def tearDown(self):
        os.remove(self.path)

    def check(self, data, contacts=1):
        with open(self.path, "wb") as f:
            f.write(data)
        return google_csv.check(self.path, contacts)

    def test_accepts_the_layout(self):
        header = google_csv.header_for([2, 0, 1, 0, 0, 0])
        row = [""] * (len(header) - 1) + ["x"]
        row[google_csv.FIXED.index("Labels")] = "Friends ::: * myContacts"
        counts, _ = self.check(layout_file(header, [row, row]), contacts=2)
        self.assertEqual(counts, [2, 0, 1, 0, 0, 0])

    def test_rejects(self):
        header = google_csv.header_for([1, 1, 0, 0, 0, 0])
        good = [""] * len(header)
        good[google_csv.FIXED.index("Labels")] = "* myContacts"
        swapped = header[:17] + header[19:21] + header[17:19]
        cases = [
            ("no UTF-8 byte-order mark", layout_file(header, [good], bom=False), 1),
            ("header does not end in CR LF", layout_file(header, [good]).replace(b"\r\n", b"\n", 1), 1),
            ("last record does not end in CR LF", layout_file(header, [good])[:-2], 1),
            ("fixed columns", layout_file(header[1:], [good[1:]]), 1),
            ("unexpected column 'Fax 1 - Value'", layout_file(header + ["Fax 1 - Value"], [good + [""]]), 1),
            ("numbered from 1", layout_file([h.replace("E-mail 1", "E-mail 2") for h in header], [good]), 1),
            ("numbered from 1", layout_file(swapped, [good]), 1),
            ("numbered from 1", layout_file(header[:-1], [good[:-1]]), 1),
            ("record 1 has", layout_file(header, [good[:-1]]), 1),
            ("Labels does not end", layout_file(header, [[""] * len(header)]), 1),
            ("1 records, 2 contacts", layout_file(header, [good]), 2),
        ]
        for message, data, contacts in cases:
            with self.subTest(message):
                with self.assertRaises(google_csv.LayoutError) as caught:
                    self.check(data, contacts)
                self.assertIn(message, str(caught.exception))


if __name__ == "__main__":
    unittest.main()
