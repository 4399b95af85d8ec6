#!/usr/bin/env python3
"""Benchmark peer: converts a vCard file into one CSV with python3-vobject and csv.

    vobject_to_csv.py [--google] IN.vcf OUT.csv

Without --google, the columns are the name, every e-mail, every phone, every address and
the note, one row a contact. With --google it writes the Google Contacts layout described
in bench/README.md ("The layout the peers write"), as the Java and Node.js peers do.
"""
import argparse
import csv
import logging

import vobject

JOIN = " ::: "

FIXED = ["First Name", "Middle Name", "Last Name", "Phonetic First Name",
         "Phonetic Middle Name", "Phonetic Last Name", "Name Prefix", "Name Suffix",
         "Nickname", "File As", "Organization Name", "Organization Title",
         "Organization Department", "Birthday", "Notes", "Photo", "Labels"]

# The numbered groups in the order of their columns, each with its columns' names.
GROUPS = [
    ("E-mail", ["Label", "Value"]),
    ("Phone", ["Label", "Value"]),
    ("Address", ["Label", "Formatted", "Street", "City", "PO Box", "Region", "Postal Code",
                 "Country", "Extended Address"]),
    ("Website", ["Label", "Value"]),
    ("Event", ["Label", "Value"]),
    ("Relation", ["Label", "Value"]),
]
EMAIL, PHONE, ADDRESS, WEBSITE, EVENT, RELATION = range(len(GROUPS))


def values(card, name, render=str):
    return "; ".join(render(item.value) for item in card.contents.get(name, []))


def classic_rows(cards):
    yield ["Name", "E-mail", "Phone", "Address", "Note"]
    for card in cards:
        yield [values(card, "fn"), values(card, "email"), values(card, "tel"),
               values(card, "adr"), values(card, "note")]


def text(value):
    """One value, or the non-empty ones of a list joined; line breaks as LF."""
    if isinstance(value, list):
        return JOIN.join(text(item) for item in value if item)
    if not isinstance(value, str):
        return ""
    return value.replace("\r\n", "\n").replace("\r", "\n") if "\r" in value else value


def date_text(value):
    """yyyy-mm-dd, or --mm-dd without a year; a time of day is left out."""
    day = text(value).split("T", 1)[0]
    if len(day) == 8 and day.isdigit():
        return f"{day[:4]}-{day[4:6]}-{day[6:]}"
    if len(day) == 6 and day.startswith("--"):
        return f"--{day[2:4]}-{day[4:]}"
    return day


def formatted_address(street, extended, box, city, region, code, country):
    """The address as a letter shows it: "Street\\nCity, Region Postal Code\\nCountry"."""
    place = city
    if region:
        place = f"{place}, {region}" if place else region
    if code:
        place = f"{place} {code}" if place else code
    return "\n".join(line for line in (street, extended, box, place, country) if line)


def unwrap_label(label):
    """The label an address book gave a group of properties: "_$!<Other>!$_" is Other."""
    if label.startswith("_$!<") and label.endswith(">!$_"):
        return label[4:-4]
    return label


class Card:
    def __init__(self, card):
        self.contents = card.contents
        self.group_labels = {item.group.lower(): unwrap_label(text(item.value))
                             for item in self.all("x-ablabel") if item.group}

    def all(self, name):
        return self.contents.get(name, [])

    def first(self, name):
        items = self.contents.get(name)
        return text(items[0].value) if items else ""

    def group_label(self, item):
        return self.group_labels.get(item.group.lower()) if item.group else None

    def label(self, item, phone=False):
        """Home, Work or Other (for a phone also Mobile, Pager and the faxes), "* " if preferred."""
        words = set()
        for value in item.params.get("TYPE", []) + item.singletonparams:
            words.update(word.strip().lower() for word in value.split(","))
        label = self.group_label(item)
        if label is None:
            work, home = "work" in words, "home" in words
            if phone and "fax" in words:
                label = "Work Fax" if work else "Home Fax" if home else "Other Fax"
            elif phone and "cell" in words:
                label = "Mobile"
            elif phone and "pager" in words:
                label = "Pager"
            else:
                label = "Work" if work else "Home" if home else "Other"
        preferred = "PREF" in item.params or "pref" in words
        return "* " + label if preferred else label

    def fixed(self):
        cells = [""] * len(FIXED)
        names = self.all("n")
        if names:
            name = names[0].value
            cells[0], cells[1], cells[2] = text(name.given), text(name.additional), text(name.family)
            cells[6], cells[7] = text(name.prefix), text(name.suffix)
        if not cells[0] and not cells[2]:
            cells[0] = self.first("fn")
        cells[3] = self.first("x-phonetic-first-name")
        cells[4] = self.first("x-phonetic-middle-name")
        cells[5] = self.first("x-phonetic-last-name")
        cells[8] = text([item.value for item in self.all("nickname")])
        cells[9] = self.first("sort-string")
        organizations = self.all("org")
        if organizations:
            units = organizations[0].value
            cells[10], cells[12] = text(units[0]), text(units[1:])
        cells[11] = self.first("title")
        cells[13] = date_text(self.first("bday"))
        cells[14] = text([item.value for item in self.all("note")])
        cells[15] = next((item.value for item in self.all("photo") if isinstance(item.value, str)
                          and item.value.startswith(("http://", "https://"))), "")
        categories = [item.value for item in self.all("categories")]
        cells[16] = text(categories + ["* myContacts"])
        return cells

    def groups(self):
        groups = [[] for _ in GROUPS]
        for item in self.all("email"):
            groups[EMAIL].append([self.label(item), text(item.value)])
        for item in self.all("tel"):
            number = text(item.value)
            groups[PHONE].append([self.label(item, phone=True),
                                  number[4:] if number.startswith("tel:") else number])
        for item in self.all("adr"):
            a = item.value
            parts = [text(part) for part in (a.street, a.extended, a.box, a.city, a.region,
                                             a.code, a.country)]
            street, extended, box, city, region, code, country = parts
            groups[ADDRESS].append([self.label(item), formatted_address(*parts), street, city,
                                    box, region, code, country, extended])
        for item in self.all("url"):
            groups[WEBSITE].append([self.label(item), text(item.value)])
        for item in self.all("anniversary") + self.all("x-anniversary"):
            groups[EVENT].append(["Anniversary", date_text(item.value)])
        for item in self.all("related"):
            kinds = item.params.get("TYPE")
            kind = (kinds[0].split(",")[0].strip() if kinds else "") or "other"
            groups[RELATION].append([kind[:1].upper() + kind[1:].lower(), text(item.value)])
        for item in self.all("x-abrelatednames"):
            groups[RELATION].append([self.group_label(item) or "Other", text(item.value)])
        return groups


def google_rows(cards):
    contacts = []
    for card in cards:
        card = Card(card)
        contacts.append((card.fixed(), card.groups()))
    most = [max((len(groups[kind]) for _, groups in contacts), default=0)
            for kind in range(len(GROUPS))]
    header = list(FIXED)
    for (name, columns), count in zip(GROUPS, most):
        header += [f"{name} {n} - {column}" for n in range(1, count + 1) for column in columns]
    yield header
    for fixed, groups in contacts:
        row = fixed
        for (_, columns), present, count in zip(GROUPS, groups, most):
            for n in range(count):
                row += present[n] if n < len(present) else [""] * len(columns)
        yield row


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--google", action="store_true", help="the Google Contacts layout")
    parser.add_argument("source")
    parser.add_argument("target")
    args = parser.parse_args()
    logging.disable(logging.CRITICAL)  # lines it cannot read are skipped without a word
    with open(args.source, encoding="utf-8-sig", errors="replace") as vcf, \
            open(args.target, "w", newline="",
                 encoding="utf-8-sig" if args.google else "utf-8") as out:
        # allowQP: 2.1 quoted-printable values broken across lines by soft line breaks.
        cards = vobject.readComponents(vcf, ignoreUnreadable=True, allowQP=True)
        csv.writer(out, lineterminator="\r\n").writerows(
            (google_rows if args.google else classic_rows)(cards))


if __name__ == "__main__":
    main()
