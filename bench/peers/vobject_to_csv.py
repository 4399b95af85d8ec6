#!/usr/bin/env python3
"""Benchmark peer: converts a vCard file into one CSV with python3-vobject and csv.

    vobject_to_csv.py IN.vcf OUT.csv

Columns: name, every e-mail, every phone, every address, the note; one row a contact.
"""
import csv
import logging
import sys

import vobject


def values(card, name, render=str):
    return "; ".join(render(item.value) for item in card.contents.get(name, []))


def main():
    logging.disable(logging.CRITICAL)  # lines it cannot read are skipped without a word
    source, target = sys.argv[1:3]
    with open(source, encoding="utf-8", errors="replace") as vcf, \
            open(target, "w", newline="", encoding="utf-8") as out:
        writer = csv.writer(out)
        writer.writerow(["Name", "E-mail", "Phone", "Address", "Note"])
        for card in vobject.readComponents(vcf, ignoreUnreadable=True):
            writer.writerow([values(card, "fn"), values(card, "email"), values(card, "tel"),
                             values(card, "adr"), values(card, "note")])


if __name__ == "__main__":
    main()
