"""Checks a layout's CSV rows against the golden contacts they were written from: every
value the layout's table names is looked for in its family of columns."""

import re
from dataclasses import dataclass

from .layouts import CONTAINS, LINES, VALUE_SEPARATOR

NAME_PARTS = ("n.family", "n.given", "n.additional", "n.prefix", "n.suffix")
_SHOWN_CELLS = 6
_SHOWN_CHARS = 60


@dataclass
class Failure:
    file: str
    layout: str
    contact: int  # 1-based; 0 for the file as a whole
    name: str
    key: str
    value: str
    searched: str  # the family of columns the value was looked for in
    detail: str = ""

    def __str__(self):
        where = f"{self.file} [{self.layout}]"
        if self.contact:
            where += f" contact {self.contact}" + (f" ({self.name})" if self.name else "")
        if not self.key:
            return f"{where}: {self.detail}"
        text = f"{where}: {self.key} = {_shorten(self.value)!r} not found in {self.searched}"
        return f"{text}; {self.detail}" if self.detail else text


def _shorten(text):
    return text if len(text) <= _SHOWN_CHARS else text[: _SHOWN_CHARS - 3] + "..."


def normalise(cell):
    """A line break in a cell is CR LF; the golden writes it as LF."""
    return cell.replace("\r\n", "\n").replace("\r", "\n")


def date_renderings(expected, forms):
    """The texts a date may be written as: as written, and from its calendar date."""
    texts = {expected.text} if "text" in forms else set()
    date = re.fullmatch(r"(\d{4}-|----)(\d\d)-(\d\d)", expected.date)
    if date:
        year, month, day = date[1][:4], date[2], date[3]
        if year != "----":
            if "iso" in forms:
                texts.add(expected.date)
            if "us" in forms:
                texts.add(f"{int(month)}/{int(day)}/{year}")
                texts.add(f"{month}/{day}/{year}")
        elif "yearless" in forms or "iso" in forms:
            texts.add(f"--{month}-{day}")
    return texts


def _contains(cell, text):
    """`text` is in `cell`, not as a piece of a longer word (`An` is not in `Ann`)."""
    start = cell.find(text)
    while start >= 0:
        end = start + len(text)
        joined_before = start > 0 and cell[start - 1].isalnum() and text[0].isalnum()
        joined_after = end < len(cell) and cell[end].isalnum() and text[-1].isalnum()
        if not (joined_before or joined_after):
            return True
        start = cell.find(text, start + 1)
    return False


def _cell_matches(cell, texts, mode):
    if mode == CONTAINS:
        return any(_contains(cell, text) for text in texts if text)
    return any(cell == text or text in cell.split(VALUE_SEPARATOR) for text in texts)


def _lines(text):
    """Lines of a street; the last of a few street cells may join lines with ", ", and
    empty lines do not count, as cells cannot hold them apart."""
    return [line for line in text.replace(", ", "\n").split("\n") if line]


def _lines_match(cells, texts):
    """The lines of one of `texts` run, in order, inside the lines of `cells` taken one
    after the other (a street spread over Street, Street 2 and Street 3)."""
    lines = [line for cell in cells for line in _lines(cell)]
    for text in texts:
        wanted = _lines(text)
        for start in range(len(lines) - len(wanted) + 1):
            if lines[start : start + len(wanted)] == wanted:
                return True
    return False


def _found(family, cells, texts):
    values = [cell for header, cell in cells if family.holds(header)]
    if family.mode == LINES:
        return _lines_match(values, texts)
    return any(_cell_matches(cell, texts, family.mode) for cell in values)


def _where(family, cells, texts):
    """What a failure shows: the family's cells, and the columns the value is in instead."""
    shown = [f"{header}={_shorten(cell)!r}" for header, cell in cells if family.holds(header) and cell]
    if not any(family.holds(header) for header, _ in cells):
        detail = "the header has no such column"
    elif not shown:
        detail = "its columns are empty"
    else:
        more = f", ... ({len(shown) - _SHOWN_CELLS} more)" if len(shown) > _SHOWN_CELLS else ""
        detail = "cells: " + ", ".join(shown[:_SHOWN_CELLS]) + more
    elsewhere = [header for header, cell in cells if not family.holds(header) and _cell_matches(cell, texts, CONTAINS)]
    if elsewhere:
        detail += "; found in " + ", ".join(elsewhere[:3]) + (", ..." if len(elsewhere) > 3 else "")
    return detail


class ContactCheck:
    def __init__(self, layout, file, contact, cells):
        self.layout = layout
        self.file = file
        self.contact = contact
        self.cells = cells
        self.failures = []

    def fail(self, key, value, searched, detail=""):
        self.failures.append(
            Failure(self.file, self.layout.name, self.contact.number, self.contact.name(),
                    key, value, searched, detail)
        )

    def texts(self, expected):
        is_date = expected.field in ("bday", "anniversary", "event")
        return date_renderings(expected, self.layout.date_forms) if is_date else {expected.text}

    def in_rule(self, rule, expected, cells):
        if _found(rule.family, cells, self.texts(expected)):
            return True
        return rule.fallback is not None and _found(rule.fallback, self.cells, self.texts(expected))

    def searched(self, rule, group=None):
        text = rule.family.description + (f" of group {group!r}, which holds the other parts" if group else "")
        return text + (f" or {rule.fallback.description}" if rule.fallback else "")

    def values(self, field, values):
        rule = self.layout.rules.get(field)
        if rule is None:
            return
        for expected in values:
            if not self.in_rule(rule, expected, self.cells):
                where = _where(rule.family, self.cells, self.texts(expected))
                self.fail(expected.key, expected.text, self.searched(rule), where)
        if rule.slots:
            self.slots_used(rule, values)

    def slots_used(self, rule, values):
        """Values in the fallback while a slot is free: the later values may go there, as
        a slot can go to a preferred value that comes late."""
        fallen = [v for v in values if not _found(rule.family, self.cells, self.texts(v))]
        allowed = max(0, len(values) - rule.slots)
        for expected in fallen[: max(0, len(fallen) - allowed)]:
            if _found(rule.fallback, self.cells, self.texts(expected)):
                detail = f"in {rule.fallback.description} though {len(values)} values have {rule.slots} slots"
                self.fail(expected.key, expected.text, rule.family.description, detail)

    def derived_name(self, expected):
        """Without N, the name columns together (or one of them) give the formatted name."""
        if any(self.contact.lines.get(part) for part in NAME_PARTS):
            return
        columns = self.layout.derived_name
        named = [cell for header, cell in self.cells if header in columns and cell]
        if expected.text in named or " ".join(named) == expected.text:
            return
        shown = ", ".join(f"{header}={cell!r}" for header, cell in self.cells if header in columns and cell)
        self.fail(expected.key, expected.text, "the name columns (" + ", ".join(columns) + ")",
                  "cells: " + (shown or "none"))

    def address(self, parts):
        """All parts of one address in one group of columns (one Google `Address K`, one
        Outlook Business/Home/Other), each part allowed in the fallback instead."""
        rules = [(part, self.layout.rules.get(part.field)) for part in parts]
        rules = [(part, rule) for part, rule in rules if rule is not None]
        groups = {self.layout.group_of(header) for header, _ in self.cells
                  if any(rule.family.holds(header) for _, rule in rules)}
        best_group, best_missing = None, None
        for group in sorted(groups) or [None]:
            grouped = [(header, cell) for header, cell in self.cells if self.layout.group_of(header) == group]
            missing = [(part, rule) for part, rule in rules if not self.in_rule(rule, part, grouped)]
            if best_missing is None or len(missing) < len(best_missing):
                best_group, best_missing = group, missing
        for part, rule in best_missing:
            where = _where(rule.family, self.cells, self.texts(part))
            self.fail(part.key, part.text, self.searched(rule, best_group), where)

    def run(self):
        addresses, fields = {}, {}
        for expected in self.contact.expected():
            if expected.field.startswith("adr."):
                addresses.setdefault(expected.index, []).append(expected)
            elif expected.field == "fn" and self.layout.derived_name:
                self.derived_name(expected)
            else:
                fields.setdefault(expected.field, []).append(expected)
        for field, values in fields.items():
            self.values(field, values)
        for parts in addresses.values():
            self.address(parts)
        if self.layout.last_part:
            column, text = self.layout.last_part
            cell = dict(self.cells).get(column, "")
            if cell.split(VALUE_SEPARATOR)[-1] != text:
                self.fail(column, cell, f"{column} ending in {text!r}", "")
        return self.failures


def check_rows(layout, golden, header, rows):
    """Failures of one CSV (the header and data rows as read) against one golden file."""
    failures = []

    def fail_file(detail):
        failures.append(Failure(golden.name, layout.name, 0, "", "", "", "", detail))

    for column, name in enumerate(layout.header_start, start=1):
        found = header[column - 1] if column <= len(header) else None
        if found != name:
            fail_file(f"header column {column} is {found!r}, expected {name!r}")
            break
    if layout.fixed_header and len(header) != len(layout.header_start):
        fail_file(f"the header has {len(header)} columns, expected the {len(layout.header_start)} fixed ones")
    doubled = sorted({name for name in header if header.count(name) > 1})
    if doubled:
        fail_file(f"columns named twice: {doubled}")
    if len(rows) != len(golden.contacts):
        fail_file(f"{len(rows)} rows for {len(golden.contacts)} contacts")
        return failures
    for contact, row in zip(golden.contacts, rows):
        if len(row) != len(header):
            failures.append(Failure(golden.name, layout.name, contact.number, contact.name(), "", "", "",
                                    f"the row has {len(row)} fields, the header {len(header)}"))
            continue
        cells = [(name, normalise(cell)) for name, cell in zip(header, row)]
        failures += ContactCheck(layout, golden.name, contact, cells).run()
    return failures
