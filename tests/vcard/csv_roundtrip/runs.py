"""The conversions of the round trip: one per layout and corpus file, and a few more for
the encodings, minimal quoting and one CSV of two files; each checked against its golden."""

import csv
import io
import itertools
import subprocess
import tempfile
from pathlib import Path

from . import checker, golden, layouts

UTF8_BOM = b"\xef\xbb\xbf"

# Files of the corpus for the runs beyond the plain one per layout.
NON_LATIN_FILE = "aosp__v21_japanese_2"  # a Japanese name and address, for UTF-8 without a mark
QUOTING_FILE = "ezvcard__John_Doe_MS_OUTLOOK"  # commas, line breaks, quotes in values
COMBINED_FILES = ("aosp__v21_multiple_entry", "ezvcard__John_Doe_IPHONE")
OPTION_FILES = (NON_LATIN_FILE, QUOTING_FILE, *COMBINED_FILES)


class Run:
    """One conversion by the console program into a fresh CSV file."""

    _numbers = itertools.count(1)

    def __init__(self, args, workdir, layout, inputs, extra=()):
        self.layout = layout
        self.extra = list(extra)
        self.label = " ".join([layout.name, *extra])
        self.path = Path(workdir) / f"{layout.name}-{next(Run._numbers)}.csv"
        arguments = ["--quiet", "--format", layout.name, "--separator", "comma",
                     "--one-csv", str(self.path), *extra, *map(str, inputs)]
        self.status, self.output = args.execute(arguments)
        self.bytes = self.path.read_bytes() if self.path.exists() else None

    def unknown_format(self):
        return self.status == 2 and "--format" in self.output

    def rows(self, encoding="utf-8-sig"):
        """The header and the data rows; raises UnicodeDecodeError on bytes that are not UTF-8."""
        table = list(csv.reader(io.StringIO(self.bytes.decode(encoding), newline="")))
        return (table[0], table[1:]) if table else ([], [])


def run_cli(cli):
    """Runs the console program: (exit status, what it printed)."""

    def execute(arguments):
        result = subprocess.run([cli, *arguments], capture_output=True, text=True, timeout=120)
        return result.returncode, (result.stdout + result.stderr).strip()

    return execute


def file_failure(name, label, detail):
    return checker.Failure(name, label, 0, "", "", "", "", detail)


def check_run(run, expected):
    """Failures of one run against the golden contacts it was written from. A file the
    reader warns about may end with an error report (exit status 1)."""
    allowed = {0, 1} if expected.warnings else {0}
    failures = []
    if run.status not in allowed:
        failures.append(file_failure(expected.name, run.label, f"exit status {run.status}: {run.output}"))
    if run.bytes is None:
        if expected.contacts:
            failures.append(file_failure(expected.name, run.label, "no CSV file was written"))
        return failures
    if "--encoding" not in run.extra and not run.bytes.startswith(UTF8_BOM):
        failures.append(file_failure(expected.name, run.label, "the CSV does not start with a UTF-8 byte-order mark"))
    if run.bytes.count(b"\n") != run.bytes.count(b"\r\n"):
        failures.append(file_failure(expected.name, run.label, "a line feed without a carriage return before it"))
    try:
        header, rows = run.rows()
    except UnicodeDecodeError as error:
        return failures + [file_failure(expected.name, run.label, f"the CSV is not UTF-8: {error}")]
    if header or expected.contacts:
        failures += checker.check_rows(run.layout, expected, header, rows)
    return failures


def readable(run):
    """The header and rows, or None when the CSV is not UTF-8 (a failure of its own)."""
    try:
        return run.rows()
    except UnicodeDecodeError:
        return None


def check_layout(args, workdir, layout, files):
    failures = []
    for expected in files:
        run = Run(args, workdir, layout, [args.corpus / f"{expected.name}.vcf"])
        failures += check_run(run, expected)
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
            detail = "the CSV differs from the default one beyond its byte-order mark"
            failures.append(file_failure(NON_LATIN_FILE, no_bom.label, detail))

    quoted = Run(args, workdir, google, [args.corpus / f"{QUOTING_FILE}.vcf"])
    minimal = Run(args, workdir, google, [args.corpus / f"{QUOTING_FILE}.vcf"], ["--no-quotes"])
    failures += check_run(minimal, by_name[QUOTING_FILE])
    if minimal.bytes is not None and quoted.bytes is not None:
        if readable(minimal) != readable(quoted):
            detail = "the CSV reads back other cells than with --quotes"
            failures.append(file_failure(QUOTING_FILE, minimal.label, detail))
        if minimal.bytes == quoted.bytes:
            failures.append(file_failure(QUOTING_FILE, minimal.label, "the CSV has the same bytes as with --quotes"))

    contacts = [contact for name in COMBINED_FILES for contact in by_name[name].contacts]
    renumbered = [golden.GoldenContact(number, contact.lines) for number, contact in enumerate(contacts, start=1)]
    warnings = sum(by_name[name].warnings for name in COMBINED_FILES)
    both = golden.GoldenFile(" + ".join(COMBINED_FILES), renumbered, warnings)
    for layout in layouts.LAYOUTS:
        run = Run(args, workdir, layout, [args.corpus / f"{name}.vcf" for name in COMBINED_FILES])
        failures += check_run(run, both)
    return failures


def check_corpus(args, files):
    """The layouts the program offers, and the failures of every run over `files`."""
    failures = []
    with tempfile.TemporaryDirectory() as workdir:
        offered = []
        for layout in layouts.LAYOUTS:
            probe = Run(args, workdir, layout, [args.corpus / f"{files[0].name}.vcf"])
            if probe.unknown_format():
                failures.append(file_failure("-", layout.name, f"brimwell-cli does not offer it: {probe.output}"))
            else:
                offered.append(layout)
        for layout in offered:
            failures += check_layout(args, workdir, layout, files)
        if len(offered) == len(layouts.LAYOUTS):
            failures += check_options(args, workdir, files)
    return offered, failures


