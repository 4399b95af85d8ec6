#!/usr/bin/env python3
"""Times brimwell-cli end to end against the tools people use today and prints a table.

    bench/end_to_end.py --build build/bench [--runs 5]

Rows (each the median of its runs, all rows and peers taking turns in every round, so
that they share whatever else the machine is doing; the jobs that take under a second run
three times a round, in turns, as a short run is the more easily disturbed; after each run
the disk work it left is done, untimed, so that it does not fall into the next):
  (a) 100,000 contacts in one file into one standard CSV
  (b) the same, keeping only e-mails, phones, names and addresses
  (c) the same file, one CSV per contact (100,000 files)
  (d) 1,000 files of one contact into one Gmail CSV
  (e) a folder tree of 100,000 files scanned (an extension nothing has: the walk only)
  (f) 200,000 contacts into one standard CSV
  (g) the file of (a) read by the faithful vCard reader alone (brimwell-vcard-read), in two
      parts at once as the export reads it; (g1) the same by one reader on one thread
Peers, each converting the 100,000-contact file into one CSV: abook, a script on
python3-vobject, a script on the npm package vcf.

A second table, "Google Contacts CSV (faithful engine)":
  (h) the same file into one Google Contacts CSV (--format google)
beside three peers that decode the vCards with a vCard library and write the same layout:
Java on libez-vcard-java, Node.js on the npm package ical.js, python3-vobject. Every file
they write is checked (google_csv.py) the first time, untimed, and the peers' files must
be the same bytes. Without --format google in brimwell-cli that table is skipped.

Peak memory is the maximum resident set size that /usr/bin/time reports.
"""
import argparse
import os
import platform
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

import google_csv

HERE = os.path.dirname(os.path.abspath(__file__))

# How often a job that takes under a second runs in each round.
QUICK_RUNS = 3

# Where Debian's libez-vcard-java and the library it reads with put their classes.
EZ_VCARD_CLASSPATH = "/usr/share/java/ez-vcard.jar:/usr/share/java/vinnie.jar"

CLASSIC_PEERS = ("abook", "vobject", "vcf")
GOOGLE_PEERS = ("ez-vcard", "ical.js", "vobject-google")

# Corpus: name -> (generator kind, count).
CORPUS = {
    "big100k.vcf": ("file", 100_000),
    "big200k.vcf": ("file", 200_000),
    "cards1000": ("folder", 1_000),
    "tree100k": ("tree", 100_000),
}


class Job:
    """One timed command; `prepare` runs before each run, untimed."""

    def __init__(self, key, label, command, prepare=None, input_path=None, statuses=(0,), quick=True,
                 check=None):
        self.key = key
        self.label = label
        self.command = command
        self.prepare = prepare or (lambda: None)
        self.input_path = input_path
        self.statuses = statuses
        self.quick = quick  # runs QUICK_RUNS times a round
        self.check = check  # looks at the output of the first run, untimed; returns a digest
        self.digest = None
        self.times = []
        self.memory_kib = []


def make_corpus(tool, corpus_dir, names):
    """Generates what is missing or older than the generator (its output is deterministic)."""
    os.makedirs(corpus_dir, exist_ok=True)
    tool_time = os.path.getmtime(tool)
    for name in names:
        kind, count = CORPUS[name]
        path = os.path.join(corpus_dir, name)
        stamp = path + ".done"
        if os.path.exists(stamp) and os.path.getmtime(stamp) >= tool_time:
            continue
        print(f"making {name} ({count:,} contacts) ...", flush=True)
        if os.path.isdir(path):
            shutil.rmtree(path)
        elif os.path.exists(path):
            os.remove(path)
        subprocess.run([tool, kind, path, str(count)], check=True)
        open(stamp, "w").close()


def fresh_folder(path):
    def prepare():
        if os.path.exists(path):
            shutil.rmtree(path)
        os.makedirs(path)
        os.sync()  # the removal's disk work must not fall into the timed run
    return prepare


def removed(*paths):
    def prepare():
        for path in paths:
            if os.path.exists(path):
                os.remove(path)
    return prepare


def define_jobs(cli, corpus, out, build, tables):
    big = os.path.join(corpus, "big100k.vcf")
    csv = os.path.join(out, "out.csv")
    one_csv = [cli, "--quiet", "--one-csv", csv]
    node = ["env", f"NODE_PATH={os.path.join(build, 'node', 'node_modules')}", "node"]
    vobject = ["/usr/bin/python3", os.path.join(HERE, "peers", "vobject_to_csv.py")]
    jobs = [Job("a", "100,000 contacts -> one CSV", one_csv + [big], removed(csv), big)]
    if "classic" in tables:
        jobs += [
            Job("b", "  the same, --keep emails,phones,names,addresses",
                one_csv + ["--keep", "emails,phones,names,addresses", big], removed(csv), big),
            Job("c", "  the same file, one CSV per contact",
                [cli, "--quiet", "--out-dir", os.path.join(out, "per-contact"), big],
                fresh_folder(os.path.join(out, "per-contact")), big, quick=False),
            Job("d", "1,000 files -> one Gmail CSV",
                [cli, "--quiet", "--format", "gmail", "--one-csv", csv, os.path.join(corpus, "cards1000")],
                removed(csv)),
            # Nothing matches the extension: the walk runs, and the run ends "No files added." (2).
            Job("e", "folder tree of 100,000 files scanned",
                [cli, "--quiet", "--ext", "nomatch", os.path.join(corpus, "tree100k")], statuses=(2,),
                quick=False),
            Job("f", "200,000 contacts -> one CSV", one_csv + [os.path.join(corpus, "big200k.vcf")],
                removed(csv), os.path.join(corpus, "big200k.vcf")),
            Job("g", "100,000 contacts read, faithful reader",
                [os.path.join(build, "bin", "brimwell-vcard-read"), big], input_path=big),
            Job("g1", "  the same, one reader on one thread",
                [os.path.join(build, "bin", "brimwell-vcard-read"), "--one-part", big],
                input_path=big),
            Job("abook", "abook --convert (vcard -> csv)",
                ["abook", "--convert", "--informat", "vcard", "--infile", big, "--outformat", "csv",
                 "--outfile", csv], removed(csv), big),  # abook will not replace a file
            Job("vobject", "python3-vobject + csv", vobject + [big, csv], removed(csv), big, quick=False),
            Job("vcf", "node + npm vcf", node + [os.path.join(HERE, "peers", "vcf_to_csv.js"), big, csv],
                removed(csv), big, quick=False),
        ]
    if "google" in tables:
        def check():
            return google_csv.check(csv, CORPUS["big100k.vcf"][1])[1]
        jobs += [
            Job("h", "100,000 contacts -> one Google CSV",
                [cli, "--quiet", "--format", "google", "--separator", "comma", "--no-quotes",
                 "--one-csv", csv, big], removed(csv), big,
                check=check),
            Job("ez-vcard", "java + libez-vcard-java",
                ["java", "-cp", f"{os.path.join(build, 'java')}:{EZ_VCARD_CLASSPATH}",
                 "EzVcardToGoogleCsv", big, csv], removed(csv), big, quick=False, check=check),
            Job("ical.js", "node + npm ical.js",
                node + [os.path.join(HERE, "peers", "ical_to_google_csv.mjs"), big, csv],
                removed(csv), big, quick=False, check=check),
            Job("vobject-google", "python3-vobject + csv (--google)", vobject + ["--google", big, csv],
                removed(csv), big, quick=False, check=check),
        ]
    return jobs


def has_google_format(cli):
    """Whether brimwell-cli's --help offers --format google."""
    text = subprocess.run([cli, "--help"], capture_output=True, text=True, check=True).stdout
    choices = re.search(r"--format[^{\n]*\{([^}]*)\}", text)  # --format TEXT:{csv,gmail}=csv
    return bool(choices) and "google" in choices.group(1).split(",")


def run_once(job, scratch):
    job.prepare()
    report = os.path.join(scratch, "time.txt")
    start = time.perf_counter()
    done = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report, *job.command],
                          stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    elapsed = time.perf_counter() - start
    os.sync()  # the written files reach the disk before the next run starts
    if done.returncode not in job.statuses:
        sys.exit(f"{job.key}: exit status {done.returncode}\n{done.stderr.decode(errors='replace')}")
    if job.check and not job.times:
        try:
            job.digest = job.check()
        except (OSError, google_csv.LayoutError) as error:
            sys.exit(f"{job.key}: it did not write a Google Contacts CSV: {error}")
    with open(report) as f:
        job.memory_kib.append(int(f.read().split()[-1]))
    job.times.append(elapsed)


def machine():
    model = "unknown CPU"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    with open("/proc/meminfo") as f:
        total_kib = int(f.readline().split()[1])
    return f"{os.cpu_count()} cores ({model}), {total_kib / 2**20:.1f} GiB memory, {platform.system()} {platform.release()}"


def print_classic_table(by_key, median, peak):
    """Prints the table of the classic engine; returns its targets and whether each is met."""
    abook = median["abook"]
    print(f"{'row':5} {'job':52} {'median s':>9} {'min s':>7} {'peak MiB':>9} {'÷ input':>8} {'abook ÷':>8}")
    for key in [*"abcdefg", "g1"]:
        job = by_key[key]
        size = os.path.getsize(job.input_path) / 2**20 if job.input_path else None
        ratio = f"{peak[key] / size:7.2f}x" if size else f"{'':8}"
        speedup = f"{abook / median[key]:7.1f}x" if key in "abd" else ""
        print(f"{'(' + key + ')':5} {job.label:52} {median[key]:9.3f} {min(job.times):7.3f} {peak[key]:9.1f} {ratio} {speedup}")
    print(f"\n{'peer (same file as row a)':58} {'median s':>9} {'min s':>7} {'peak MiB':>9} {'÷ (a)':>8}")
    for key in CLASSIC_PEERS:
        job = by_key[key]
        print(f"{job.label:58} {median[key]:9.3f} {min(job.times):7.3f} {peak[key]:9.1f} {median[key] / median['a']:7.1f}x")

    big = os.path.getsize(by_key["a"].input_path) / 2**20
    return [
        ("(a) at least 4 times faster than abook", abook / median["a"] >= 4),
        ("(b) at least 4 times faster than abook", abook / median["b"] >= 4),
        ("(d) at least 4 times faster than abook", abook / median["d"] >= 4),
        ("(f) no more than 2.2 times (a)", median["f"] <= 2.2 * median["a"]),
        ("peak memory of (a), (b), (c) within 3 times the input",
         all(peak[key] <= 3 * big for key in "abc")),
        ("peak memory of (f) within 3 times its input",
         peak["f"] <= 3 * os.path.getsize(by_key["f"].input_path) / 2**20),
        ("(g) no slower than (a)", median["g"] <= median["a"]),
        ("(g1), on one thread, no slower than (a)", median["g1"] <= median["a"]),
        ("peak memory of (g) within 0.2 times the input", peak["g"] <= 0.2 * big),
    ]


def print_google_table(by_key, median, peak):
    """Prints the table of the Google Contacts layout; returns its targets as above."""
    fastest = min(GOOGLE_PEERS, key=lambda key: median[key])
    big = os.path.getsize(by_key["h"].input_path) / 2**20
    print("Google Contacts CSV (faithful engine)\n")
    print(f"{'row':5} {'job':52} {'median s':>9} {'min s':>7} {'peak MiB':>9} {'÷ input':>8} "
          f"{'÷ (a)':>8} {'peer ÷':>8}")
    print(f"(h)  {by_key['h'].label:52} {median['h']:9.3f} {min(by_key['h'].times):7.3f} {peak['h']:9.1f} "
          f"{peak['h'] / big:7.2f}x {median['h'] / median['a']:7.2f}x {median[fastest] / median['h']:7.1f}x")
    print(f"\n{'peer (same file and layout as row h)':58} {'median s':>9} {'min s':>7} {'peak MiB':>9} {'÷ (h)':>8}")
    for key in GOOGLE_PEERS:
        job = by_key[key]
        print(f"{job.label:58} {median[key]:9.3f} {min(job.times):7.3f} {peak[key]:9.1f} {median[key] / median['h']:7.1f}x")
    print(f"('peer ÷' is the fastest peer, {by_key[fastest].label}, against (h).)")

    return [
        ("(h) no more than 2 times (a)", median["h"] <= 2 * median["a"]),
        ("(h) at least 20 times faster than the fastest peer", median[fastest] / median["h"] >= 20),
        ("peak memory of (h) within 0.2 times the input", peak["h"] <= 0.2 * big),
        ("the three peers wrote the same CSV",
         len({by_key[key].digest for key in GOOGLE_PEERS}) == 1),
    ]


def print_tables(jobs, runs):
    """Prints the tables of the jobs that ran and their targets; returns whether all are met."""
    by_key = {job.key: job for job in jobs}
    median = {job.key: statistics.median(job.times) for job in jobs}
    peak = {job.key: max(job.memory_kib) / 1024 for job in jobs}
    print(f"\nMachine: {machine()}; load average {os.getloadavg()[0]:.2f} at the end")
    print(f"Median wall time of {runs} runs ({QUICK_RUNS * runs} for the rows and peers under a second); "
          "peak memory is the largest of the runs.\n")
    checks = []
    if "b" in by_key:
        checks += print_classic_table(by_key, median, peak)
        print()
    if "h" in by_key:
        checks += print_google_table(by_key, median, peak)
        print()
    for text, met in checks:
        print(f"{'met    ' if met else 'NOT MET'} {text}")
    return all(met for _, met in checks)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True, help="the build folder (bin/ with brimwell-cli)")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--tables", choices=("all", "classic", "google"), default="all",
                        help="google: row (a), row (h) and the Google Contacts peers only")
    args = parser.parse_args()

    build = os.path.abspath(args.build)
    cli = os.path.join(build, "bin", "brimwell-cli")
    tables = {"all": {"classic", "google"}, "classic": {"classic"}, "google": {"google"}}[args.tables]
    if "google" in tables and not has_google_format(cli):
        print("brimwell-cli has no --format google: the table \"Google Contacts CSV (faithful "
              "engine)\" is skipped")
        tables.discard("google")
        if not tables:
            return 1
    subprocess.run(["bash", os.path.join(HERE, "install-peers.sh"), build], check=True)
    corpus = os.path.join(build, "corpus")
    # The Google Contacts table uses the first file only.
    make_corpus(os.path.join(build, "bin", "brimwell-bench-corpus"), corpus,
                CORPUS if "classic" in tables else ["big100k.vcf"])

    out = tempfile.mkdtemp(prefix="out-", dir=build)
    scratch = tempfile.mkdtemp(prefix="scratch-", dir=build)
    try:
        jobs = define_jobs(cli, corpus, out, build, tables)
        quick = [job for job in jobs if job.quick]
        for round_number in range(1, args.runs + 1):
            print(f"round {round_number} of {args.runs}:", end="", flush=True)
            for job in quick * (QUICK_RUNS - 1) + jobs:
                run_once(job, scratch)
                print(f" {job.key} {job.times[-1]:.2f}s", end="", flush=True)
            print()
        met = print_tables(jobs, args.runs)
    finally:
        shutil.rmtree(out, ignore_errors=True)
        shutil.rmtree(scratch, ignore_errors=True)
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main())
