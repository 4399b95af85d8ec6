#!/usr/bin/env python3
"""Runs two builds of brimwell-cli over the same inputs with many option sets and
compares every output byte, the messages and the exit status.

    bench/compare_outputs.py OLD_CLI NEW_CLI CORPUS_TOOL [EXTRA_VCF_FOLDER...]

Used while tuning the engine: a change that alters any byte of any output fails here.
"""
import hashlib
import itertools
import os
import shutil
import subprocess
import sys
import tempfile


def make_inputs(root, corpus_tool, extra_folders):
    """Input sets: name -> list of paths handed to the program."""
    def run_tool(*args):
        subprocess.run([corpus_tool, *args], check=True)

    big = os.path.join(root, "big.vcf")
    run_tool("file", big, "20000")
    folder = os.path.join(root, "cards")
    run_tool("folder", folder, "300")
    with open(big, "rb") as f:
        text = f.read()
    first = text[: text.find(b"END:VCARD", 400000) + 9]
    variants = {
        "utf8-mark.vcf": b"\xef\xbb\xbf" + first,
        "utf16.vcf": b"\xff\xfe" + first.decode("utf-8").encode("utf-16-le"),
        "lf-only.vcf": first.replace(b"\r\n", b"\n"),
        "lower-markers.vcf": first.replace(b"BEGIN:VCARD", b"begin:vcard").replace(b"END:VCARD", b"End:VCard"),
        "empty.vcf": b"",
        "no-contact.vcf": b"just some text\r\nwith: a colon\r\n",
        "no-end.vcf": first[: first.rfind(b"END:VCARD")],
    }
    odd = os.path.join(root, "odd")
    os.makedirs(odd)
    for name, data in variants.items():
        with open(os.path.join(odd, name), "wb") as f:
            f.write(data)
    sets = {
        "big file": [big],
        "300 files": sorted(os.path.join(folder, n) for n in os.listdir(folder)),
        "odd files": [os.path.join(odd, n) for n in sorted(variants)],
    }
    for extra in extra_folders:
        files = sorted(os.path.join(extra, n) for n in os.listdir(extra) if n.endswith(".vcf"))
        sets[os.path.basename(extra.rstrip("/"))] = files
    return sets


OPTION_SETS = [
    [],
    ["--separator", "comma"],
    ["--separator", "none", "--no-quotes"],
    ["--separator", "comma-space", "--remove-crlf"],
    ["--separator", "semicolon", "--no-quotes", "--remove-crlf"],
    ["--keep", "emails"],
    ["--keep", "phones", "--no-quotes"],
    ["--keep", "names,addresses", "--separator", "comma"],
    ["--keep", "emails,phones,names,addresses"],
    ["--keep", "emails,phones,names,addresses", "--remove-crlf", "--no-quotes"],
]


def snapshot(folder):
    """Every file under folder: relative name -> digest of its bytes."""
    result = {}
    for base, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(base, name)
            with open(path, "rb") as f:
                result[os.path.relpath(path, folder)] = hashlib.sha256(f.read()).hexdigest()
    return result


def run_case(cli, inputs, options, work):
    """Runs one case in a fresh output folder and returns everything it left behind."""
    if os.path.exists(work):
        shutil.rmtree(work)
    os.makedirs(work)
    out = subprocess.run([cli, "--quiet", *options, *inputs], capture_output=True, cwd=work)
    files = snapshot(work)
    # Paths of the work folder appear in messages; name them alike for both builds.
    scrub = lambda b: b.replace(work.encode(), b"WORK")
    return out.returncode, scrub(out.stdout), scrub(out.stderr), files


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    old_cli, new_cli, corpus_tool = sys.argv[1:4]
    root = tempfile.mkdtemp(prefix="brimwell-compare-")
    try:
        sets = make_inputs(root, corpus_tool, sys.argv[4:])
        cases = 0
        failures = 0
        for (set_name, inputs), (fmt, layout), options in itertools.product(
                sets.items(), [("csv", "one"), ("csv", "dir"), ("gmail", "one"), ("gmail", "dir")],
                OPTION_SETS):
            if set_name == "big file" and layout == "dir" and options not in (OPTION_SETS[0], OPTION_SETS[8]):
                continue  # 20,000 files per case: two option sets are enough
            args = ["--format", fmt, *options]
            args += ["--one-csv", "out.csv"] if layout == "one" else ["--out-dir", "."]
            results = [run_case(cli, inputs, args, os.path.join(root, "work"))
                       for cli in (old_cli, new_cli)]
            cases += 1
            if results[0] != results[1]:
                failures += 1
                print(f"DIFFERENT: {set_name}: {' '.join(args)}")
        print(f"{cases - failures} passed, {failures} failed")
        return 1 if failures else 0
    finally:
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
