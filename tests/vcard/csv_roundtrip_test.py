#!/usr/bin/env python3
"""Round trip of the corpus through the faithful engine's CSV layouts.

    csv_roundtrip_test.py --cli BRIMWELL_CLI --corpus DIR --golden DIR

For every golden file (tests/vcard/golden/NAME.txt) runs `brimwell-cli --quiet --format F
--separator comma --one-csv OUT NAME.vcf` on its corpus file for the google, outlook and
table layouts, reads the CSV back and checks that every value of the golden contacts lands
in its family of columns (csv_roundtrip/layouts.py holds where each value belongs). A few
runs more check the encodings, minimal quoting and one CSV of two files. Exit status 0
when all is found, 1 on any failure (a corpus file or a layout missing too), 77 (a
skipped test) when the corpus folder is absent.
"""

import argparse
import sys
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
from csv_roundtrip import golden, runs  # noqa: E402

SKIPPED = 77  # the exit status CTest takes for a skipped test
SHOWN_PER_RUN = 25


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
    parser.add_argument("--cli", required=True, help="the brimwell-cli program")
    parser.add_argument("--corpus", type=Path, required=True, help="folder of the corpus .vcf files")
    parser.add_argument("--golden", type=Path, required=True, help="folder of the golden .txt files")
    args = parser.parse_args(argv)

    if not args.corpus.is_dir():
        print(f"skipped: no corpus folder at {args.corpus}")
        return SKIPPED
    files = [golden.read(path) for path in sorted(args.golden.glob("*.txt"))]
    if not files:
        print(f"no golden files in {args.golden}")
        return 1
    missing = [expected.name for expected in files if not (args.corpus / f"{expected.name}.vcf").exists()]
    if missing:
        print(f"corpus files missing in {args.corpus}: {', '.join(missing)}")
        return 1

    args.execute = runs.run_cli(args.cli)
    offered, failures = runs.check_corpus(args, files)
    if not offered:
        print("brimwell-cli offers none of the layouts google, outlook, table")
        return 1
    report(failures)
    contacts = sum(len(expected.contacts) for expected in files)
    print(f"{len(files)} files, {contacts} contacts, layouts {', '.join(l.name for l in offered)}: "
          f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
