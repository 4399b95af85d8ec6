"""A stand-in for brimwell-cli in the self-test: writes the three layouts straight from the
golden contacts of the named files, so that the whole round trip can run before the real
layouts exist. `faults` makes it write wrong CSVs, which the check must catch."""

import csv
import io
from pathlib import Path

from . import golden, layouts


def _items(contact, kind):
    """The numbered values of one kind: [{"": value, "types": ..., "street": ...}, ...]."""
    items = {}
    for key, value in contact.lines.items():
        if key.startswith(kind + "."):
            index, _, part = key[len(kind) + 1 :].partition(".")
            if index.isdigit():
                items.setdefault(int(index), {})[part] = value
    return [items[index] for index in sorted(items)]


def _list(contact, kind):
    return [item.get("", "") for item in _items(contact, kind)]


def _date(contact, key, us=False):
    text, date = contact.lines.get(key, ""), contact.lines.get(f"{key}.date", "")
    if not date:
        return text
    if date.startswith("----"):
        return text if us else "--" + date[4:]
    return f"{int(date[5:7])}/{int(date[8:10])}/{date[:4]}" if us else date


class _Row(dict):
    def numbered(self, prefix, number, cells):
        for part, value in cells:
            self[f"{prefix} {number}{part}"] = value


def google_row(contact):
    row = _Row()
    name = {"First Name": "n.given", "Middle Name": "n.additional", "Last Name": "n.family",
            "Name Prefix": "n.prefix", "Name Suffix": "n.suffix", "Phonetic First Name": "phonetic.given",
            "Phonetic Middle Name": "phonetic.additional", "Phonetic Last Name": "phonetic.family",
            "Organization Name": "org", "Organization Title": "title", "Photo": "photo.url"}
    for column, key in name.items():
        row[column] = contact.lines.get(key, "")
    if not any(contact.lines.get(part) for part in ("n.given", "n.family", "n.additional", "n.prefix", "n.suffix")):
        row["First Name"] = contact.lines.get("fn", "")
    row["Nickname"] = " ::: ".join(_list(contact, "nickname"))
    row["Organization Department"] = ", ".join(_list(contact, "org.unit"))
    row["Birthday"] = _date(contact, "bday")
    row["Notes"] = "\n".join(_list(contact, "note"))
    row["Labels"] = " ::: ".join(_list(contact, "category") + ["* myContacts"])
    for number, email in enumerate(_items(contact, "email"), 1):
        row.numbered("E-mail", number, [(" - Label", email.get("types", "")), (" - Value", email.get("", ""))])
    for number, tel in enumerate(_items(contact, "tel"), 1):
        row.numbered("Phone", number, [(" - Label", tel.get("types", "")), (" - Value", tel.get("", ""))])
    parts = (("Formatted", "formatted"), ("Street", "street"), ("City", "locality"), ("PO Box", "pobox"),
             ("Region", "region"), ("Postal Code", "postalcode"), ("Country", "country"),
             ("Extended Address", "extended"))
    for number, adr in enumerate(_items(contact, "adr"), 1):
        row.numbered("Address", number, [(f" - {column}", adr.get(part, "")) for column, part in parts])
    for number, url in enumerate(_list(contact, "url"), 1):
        row.numbered("Website", number, [(" - Value", url)])
    events = ([_date(contact, "anniversary")] if "anniversary" in contact.lines else []) + [
        _date(contact, f"event.{number}") for number in range(1, len(_items(contact, "event")) + 1)]
    for number, event in enumerate(events, 1):
        row.numbered("Event", number, [(" - Value", event)])
    for number, relation in enumerate(_list(contact, "relation"), 1):
        row.numbered("Relation", number, [(" - Value", relation)])
    for number, im in enumerate(_items(contact, "im"), 1):
        row.numbered("IM", number, [(" - Service", im.get("service", "")), (" - Value", im.get("handle", ""))])
    if contact.lines.get("role"):
        row.numbered("Custom Field", 1, [(" - Label", "Role"), (" - Value", contact.lines["role"])])
    return row


def outlook_row(contact, faults=()):
    row = _Row()
    notes = _list(contact, "note")
    for column, key in {"Title": "n.prefix", "First Name": "n.given", "Middle Name": "n.additional",
                        "Last Name": "n.family", "Suffix": "n.suffix", "Company": "org",
                        "Job Title": "title"}.items():
        row[column] = contact.lines.get(key, "")
    if not any(row[column] for column in ("Title", "First Name", "Middle Name", "Last Name", "Suffix")):
        row["First Name"] = contact.lines.get("fn", "")
    row["Department"] = "; ".join(_list(contact, "org.unit"))
    row["Categories"] = ";".join(_list(contact, "category"))

    def slot(columns, value, label):
        free = [column for column in columns if column in layouts.OUTLOOK_COLUMNS and not row.get(column)]
        if free:
            row[free[0]] = value
        elif "overflow-dropped" not in faults:
            notes.append(f"{label}: {value}")

    for number, email in enumerate(_list(contact, "email"), 1):
        slot(["E-mail Address", "E-mail 2 Address", "E-mail 3 Address"], email, f"E-mail {number}")
    for tel in _items(contact, "tel"):
        types = tel.get("types", "").split(",")
        kind = "Business" if "work" in types else "Home" if "home" in types else "Other"
        columns = ([f"{kind} Fax"] if "fax" in types else ["Mobile Phone"] if "cell" in types
                   else ["Pager"] if "pager" in types else [f"{kind} Phone", f"{kind} Phone 2"])
        slot(columns, tel.get("", ""), "Phone")
    for adr in _items(contact, "adr"):
        types = adr.get("types", "").split(",")
        kind = "Business" if "work" in types else "Home" if "home" in types else "Other"
        if row.get(f"{kind} City") or row.get(f"{kind} Street"):
            parts = [value for part, value in adr.items() if part not in golden.ATTRIBUTE_PARTS]
            notes.append("Address: " + ", ".join(parts))
            continue
        lines = adr.get("street", "").split("\n")
        streets = lines[:2] + [", ".join(lines[2:])]
        for column, street in zip(("Street", "Street 2", "Street 3"), streets):
            row[f"{kind} {column}"] = street
        for column, part in (("City", "locality"), ("State", "region"), ("Postal Code", "postalcode"),
                             ("Country/Region", "country"), ("Address PO Box", "pobox")):
            row[f"{kind} {column}"] = adr.get(part, "")
        if adr.get("extended"):
            notes.append(f"Extended address: {adr['extended']}")
    for url in _list(contact, "url"):
        slot(["Web Page"], url, "Web page")
    for column, key in (("Birthday", "bday"), ("Anniversary", "anniversary")):
        if contact.lines.get(f"{key}.date", "----").startswith("----"):
            if key in contact.lines:
                notes.append(f"{column}: {contact.lines[key]}")
        else:
            row[column] = _date(contact, key, us=True)
    for relation in _items(contact, "relation"):
        types = relation.get("types", "")
        column = {"spouse": "Spouse", "manager": "Manager's Name", "assistant": "Assistant's Name"}.get(types)
        slot([column] if column else [], relation.get("", ""), "Relation")
    for key in ("nickname", "event", "phonetic.given", "phonetic.additional", "phonetic.family", "role", "photo.url"):
        values = _list(contact, key) or ([contact.lines[key]] if key in contact.lines else [])
        notes += [f"{key}: {value}" for value in values]
    notes += [f"IM {im.get('service', '')}: {im.get('handle', '')}" for im in _items(contact, "im")]
    row["Notes"] = "\n".join(notes)
    return row


def table_row(contact):
    row = _Row()
    for column, key in {"Version": "version", "Full Name": "fn", "Last Name": "n.family", "First Name": "n.given",
                        "Middle Name": "n.additional", "Prefix": "n.prefix", "Suffix": "n.suffix",
                        "Phonetic Last Name": "phonetic.family", "Phonetic First Name": "phonetic.given",
                        "Phonetic Middle Name": "phonetic.additional", "Organization": "org",
                        "Title": "title", "Role": "role", "Birthday": "bday", "Anniversary": "anniversary",
                        "Photo": "photo.url"}.items():
        row[column] = contact.lines.get(key, "")
    for column, kind in (("Nickname", "nickname"), ("Department", "org.unit"), ("Notes", "note"),
                         ("Categories", "category")):
        row[column] = "\n".join(_list(contact, kind))
    groups = (("Email", "email", ("", "types")), ("Phone", "tel", ("", "types")),
              ("Address", "adr", ("types", "pobox", "extended", "street", "locality", "region", "postalcode",
                                  "country", "formatted")),
              ("Website", "url", ("", "types")), ("IM", "im", ("service", "handle")),
              ("Event", "event", ("", "label")), ("Relation", "relation", ("", "types")),
              ("Other", "other", ("name", "value")))
    names = {"": "", "types": " Type", "label": " Label", "pobox": " PO Box", "locality": " City",
             "postalcode": " Postal Code", "service": " Service", "handle": " Handle", "name": " Name",
             "value": " Value"}
    for prefix, kind, parts in groups:
        for number, item in enumerate(_items(contact, kind), 1):
            row.numbered(prefix, number, [(names.get(part, " " + part.title()), item.get(part, "")) for part in parts])
    return row


def write(argv, golden_dir, faults=()):
    """Runs like `brimwell-cli --quiet --format F --separator comma --one-csv OUT [--encoding
    E] [--no-quotes] FILE...` and returns (exit status, output). Faults: `no-bom`,
    `drop-last-contact`, `email-as-phone` (Google's first e-mail in a phone column),
    `overflow-dropped` (Outlook values without a slot left out of Notes), `lf-in-cells` (line
    breaks inside values as LF alone)."""
    options, inputs = {}, []
    arguments = iter(argv)
    for argument in arguments:
        if argument in ("--format", "--separator", "--one-csv", "--encoding"):
            options[argument] = next(arguments)
        elif argument.startswith("--"):
            options[argument] = True
        else:
            inputs.append(Path(argument))
    contacts = [c for path in inputs for c in golden.read(Path(golden_dir) / f"{path.stem}.txt").contacts]
    if "drop-last-contact" in faults:
        contacts = contacts[:-1]
    writer = {"google": google_row, "outlook": lambda c: outlook_row(c, faults), "table": table_row}
    rows = [writer[options["--format"]](contact) for contact in contacts]
    if "email-as-phone" in faults:
        rows = [{name.replace("E-mail 1 - Value", "Phone 9 - Value"): cell for name, cell in row.items()}
                for row in rows]
    fixed = layouts.OUTLOOK_COLUMNS if options["--format"] == "outlook" else layouts.GOOGLE_FIXED
    header = list(fixed if options["--format"] != "table" else ())
    for row in rows:
        header += [name for name in row if name not in header]
    line_break = "\n" if "lf-in-cells" in faults else "\r\n"
    text = io.StringIO()
    quoting = csv.QUOTE_MINIMAL if "--no-quotes" in options else csv.QUOTE_ALL
    table = csv.writer(text, quoting=quoting, lineterminator="\r\n")
    table.writerow(header)
    for row in rows:
        table.writerow([row.get(name, "").replace("\n", line_break) for name in header])
    bom = "" if options.get("--encoding") == "utf-8" or "no-bom" in faults else "\ufeff"
    Path(options["--one-csv"]).write_bytes((bom + text.getvalue()).encode("utf-8"))
    return 0, ""
