"""Checks that a file is a Google Contacts import CSV of the expected number of contacts.

The benchmark runs it on what brimwell-cli --format google and each peer wrote, so that a
time in the table is never the time of a run that dropped contacts or wrote another layout.
"""
import csv
import hashlib
import io
import re

FIXED = ["First Name", "Middle Name", "Last Name", "Phonetic First Name",
         "Phonetic Middle Name", "Phonetic Last Name", "Name Prefix", "Name Suffix",
         "Nickname", "File As", "Organization Name", "Organization Title",
         "Organization Department", "Birthday", "Notes", "Photo", "Labels"]

# The numbered groups after the fixed columns, in their order, with the columns of one group.
GROUPS = [
    ("E-mail", ["Label", "Value"]),
    ("Phone", ["Label", "Value"]),
    ("Address", ["Label", "Formatted", "Street", "City", "PO Box", "Region", "Postal Code",
                 "Country", "Extended Address"]),
    ("Website", ["Label", "Value"]),
    ("Event", ["Label", "Value"]),
    ("Relation", ["Label", "Value"]),
]

BOM = b"\xef\xbb\xbf"
_GROUP_COLUMN = re.compile(r"(.+) (\d+) - (.+)")


class LayoutError(Exception):
    pass


def header_for(counts):
    """The header of a file whose contacts have at most counts[kind] groups of each kind."""
    header = list(FIXED)
    for (name, columns), count in zip(GROUPS, counts):
        header += [f"{name} {n} - {column}" for n in range(1, count + 1) for column in columns]
    return header


def group_counts(header):
    """How many groups of each kind the header has; LayoutError when it is not the layout's."""
    if header[:len(FIXED)] != FIXED:
        raise LayoutError(f"the header does not start with the {len(FIXED)} fixed columns")
    counts = [0] * len(GROUPS)
    names = [name for name, _ in GROUPS]
    for column in header[len(FIXED):]:
        match = _GROUP_COLUMN.fullmatch(column)
        if not match or match.group(1) not in names:
            raise LayoutError(f"unexpected column {column!r}")
        kind = names.index(match.group(1))
        counts[kind] = max(counts[kind], int(match.group(2)))
    if header_for(counts) != header:
        raise LayoutError("the groups are not numbered from 1 in the layout's order, "
                          "each with all its columns")
    return counts


def check(path, contacts):
    """Checks the file; returns its group counts and a digest of its bytes."""
    with open(path, "rb") as f:
        data = f.read()
    if not data.startswith(BOM):
        raise LayoutError("no UTF-8 byte-order mark")
    if not data.endswith(b"\r\n"):
        raise LayoutError("the last record does not end in CR LF")
    if data.find(b"\n") != data.find(b"\r\n") + 1:
        raise LayoutError("the header does not end in CR LF")
    rows = csv.reader(io.StringIO(data[len(BOM):].decode("utf-8"), newline=""), strict=True)
    header = next(rows)
    counts = group_counts(header)
    labels = FIXED.index("Labels")
    count = 0
    for count, row in enumerate(rows, 1):
        if len(row) != len(header):
            raise LayoutError(f"record {count} has {len(row)} cells, the header {len(header)}")
        if not row[labels].endswith("* myContacts"):
            raise LayoutError(f"record {count}: Labels does not end with '* myContacts'")
    if count != contacts:
        raise LayoutError(f"{count:,} records, {contacts:,} contacts")
    return counts, hashlib.sha256(data).hexdigest()
