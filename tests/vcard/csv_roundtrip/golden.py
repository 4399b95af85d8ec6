"""Reads the expected contacts of a corpus file (tests/vcard/golden/*.txt, see FORMAT.md)
and turns each contact's key lines into the values a CSV layout must show."""

import re
from dataclasses import dataclass, field
from pathlib import Path

# Keys that describe a value rather than being one: never looked for in a CSV cell.
ATTRIBUTE_PARTS = {"types", "pref", "label", "group"}

# An embedded photo's data is not kept by the reader: no layout can show it.
UNCHECKED_FIELDS = {"photo.embedded"}

_KEY = re.compile(r"(?P<kind>[a-z]+(?:\.unit)?)(?:\.(?P<index>\d+))?(?:\.(?P<part>[a-z]+))?")


@dataclass
class Expected:
    """One value of a contact: `key` as the golden writes it (`tel.2`, `adr.1.street`),
    `field` without the index (`tel`, `adr.street`), `index` (0 for single fields), the
    text, and for a date the calendar date (`1980-04-12`, `----04-12`) when it has one."""

    key: str
    field: str
    index: int
    text: str
    date: str = ""


@dataclass
class GoldenContact:
    number: int  # 1-based, in file order
    lines: dict = field(default_factory=dict)

    def name(self):
        """A short name for failure messages."""
        return self.lines.get("fn") or self.lines.get("n.family") or self.lines.get("n.given", "")

    def expected(self):
        """Every value of the contact a layout must show, in the golden's order, with the
        `.date` line of a date folded into the value it belongs to."""
        values = []
        for key, text in self.lines.items():
            match = _KEY.fullmatch(key)
            if match is None:
                raise ValueError(f"contact {self.number}: unknown key {key!r}")
            kind, index, part = match["kind"], match["index"], match["part"]
            if part in ATTRIBUTE_PARTS or part == "date":
                continue
            name = f"{kind}.{part}" if part else kind
            if name in UNCHECKED_FIELDS:
                continue
            date = self.lines.get(f"{key}.date", "")
            values.append(Expected(key, name, int(index or 0), text, date))
        return values


@dataclass
class GoldenFile:
    name: str  # the corpus file's name without `.vcf`
    contacts: list
    warnings: int = 0


def unescape(value):
    r"""`\n` is a line break, `\t` a tab, `\\` a backslash; any other backslash is kept."""
    out = []
    i = 0
    while i < len(value):
        pair = value[i : i + 2]
        if pair in ("\\n", "\\t", "\\\\"):
            out.append({"\\n": "\n", "\\t": "\t", "\\\\": "\\"}[pair])
            i += 2
        else:
            out.append(value[i])
            i += 1
    return "".join(out)


def parse(text, name="golden"):
    contacts = []
    warnings = 0
    for number, line in enumerate(text.split("\n"), start=1):
        line = line.rstrip("\r")
        if not line or line.startswith("#"):
            continue
        if line == "== contact":
            contacts.append(GoldenContact(len(contacts) + 1))
        elif line.startswith("== warnings "):
            warnings = int(line[len("== warnings ") :])
        elif ": " in line and contacts:
            key, value = line.split(": ", 1)
            contacts[-1].lines[key] = unescape(value)
        else:
            raise ValueError(f"{name}:{number}: not a golden line: {line!r}")
    return GoldenFile(name, contacts, warnings)


def read(path):
    path = Path(path)
    return parse(path.read_text(encoding="utf-8"), path.stem)
