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
  (g) the file of (a) read by the faithful vCard reader alone (brimwell-vcard-read)
Peers, each converting the 100,000-contact file into one CSV: abook, a script on
python3-vobject, a script on the npm package vcf. Peak memory is the maximum resident set
size that /usr/bin/time reports.
"""
import argparse
import os
import platform
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))

# How often a job that takes under a second runs in each round.
QUICK_RUNS = 3

# Corpus: name -> (generator kind, count).
CORPUS = {
    "big100k.vcf": ("file", 100_000),
    "big200k.vcf": ("file", 200_000),
    "cards1000": ("folder", 1_000),
    "tree100k": ("tree", 100_000),
}


class Job:
    """One timed command; `prepare` runs before each run, untimed."""

    def __init__(self, key, label, command, prepare=None, input_path=None, statuses=(0,), quick=True):
        self.key = key
        self.label = label
        self.command = command
        self.prepare = prepare or (lambda: None)
        self.input_path = input_path
        self.statuses = statuses
        self.quick = quick  # runs QUICK_RUNS times a round
        self.times = []
        self.memory_kib = []


def make_corpus(tool, corpus_dir):
    """Generates what is missing or older than the generator (its output is deterministic)."""
    os.makedirs(corpus_dir, exist_ok=True)
    tool_time = os.path.getmtime(tool)
    for name, (kind, count) in CORPUS.items():
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


def define_jobs(cli, vcard_read, corpus, out, node_modules):
    big = os.path.join(corpus, "big100k.vcf")
    csv = os.path.join(out, "out.csv")
    one_csv = [cli, "--quiet", "--one-csv", csv]
    return [
        Job("a", "100,000 contacts -> one CSV", one_csv + [big], removed(csv), big),
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
        Job("g", "100,000 contacts read, faithful reader", [vcard_read, big], input_path=big),
        Job("abook", "abook --convert (vcard -> csv)",
            ["abook", "--convert", "--informat", "vcard", "--infile", big, "--outformat", "csv",
             "--outfile", csv], removed(csv), big),  # abook will not replace a file
        Job("vobject", "python3-vobject + csv",
            ["/usr/bin/python3", os.path.join(HERE, "peers", "vobject_to_csv.py"), big, csv],
            removed(csv), big, quick=False),
        Job("vcf", "node + npm vcf",
            ["env", f"NODE_PATH={node_modules}", "node", os.path.join(HERE, "peers", "vcf_to_csv.js"),
             big, csv], removed(csv), big, quick=False),
    ]


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


def print_table(jobs, runs):
    by_key = {job.key: job for job in jobs}
    median = {job.key: statistics.median(job.times) for job in jobs}
    peak = {job.key: max(job.memory_kib) / 1024 for job in jobs}
    abook = median["abook"]
    print(f"\nMachine: {machine()}; load average {os.getloadavg()[0]:.2f} at the end")
    print(f"Median wall time of {runs} runs ({QUICK_RUNS * runs} for the rows and peers under a second); "
          "peak memory is the largest of the runs.\n")
    print(f"{'row':5} {'job':52} {'median s':>9} {'min s':>7} {'peak MiB':>9} {'÷ input':>8} {'abook ÷':>8}")
    for key in "abcdefg":
        job = by_key[key]
        size = os.path.getsize(job.input_path) / 2**20 if job.input_path else None
        ratio = f"{peak[key] / size:7.2f}x" if size else f"{'':8}"
        speedup = f"{abook / median[key]:7.1f}x" if key in "abd" else ""
        print(f"({key})  {job.label:52} {median[key]:9.3f} {min(job.times):7.3f} {peak[key]:9.1f} {ratio} {speedup}")
    print(f"\n{'peer (same file as row a)':58} {'median s':>9} {'min s':>7} {'peak MiB':>9} {'÷ (a)':>8}")
    for key in ("abook", "vobject", "vcf"):
        job = by_key[key]
        print(f"{job.label:58} {median[key]:9.3f} {min(job.times):7.3f} {peak[key]:9.1f} {median[key] / median['a']:7.1f}x")

    big = os.path.getsize(by_key["a"].input_path) / 2**20
    checks = [
        ("(a) at least 4 times faster than abook", abook / median["a"] >= 4),
        ("(b) at least 4 times faster than abook", abook / median["b"] >= 4),
        ("(d) at least 4 times faster than abook", abook / median["d"] >= 4),
        ("(f) no more than 2.2 times (a)", median["f"] <= 2.2 * median["a"]),
        ("peak memory of (a), (b), (c) within 3 times the input",
         all(peak[key] <= 3 * big for key in "abc")),
        ("(g) no slower than (a)", median["g"] <= median["a"]),
        ("peak memory of (f) within 3 times its input",
         peak["f"] <= 3 * os.path.getsize(by_key["f"].input_path) / 2**20),
    ]
    print()
    for text, met in checks:
        print(f"{'met    ' if met else 'NOT MET'} {text}")
    return all(met for _, met in checks)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True, help="the build folder (bin/ with brimwell-cli)")
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()

    build = os.path.abspath(args.build)
    cli = os.path.join(build, "bin", "brimwell-cli")
    subprocess.run(["bash", os.path.join(HERE, "install-peers.sh"), build], check=True)
    corpus = os.path.join(build, "corpus")
    make_corpus(os.path.join(build, "bin", "brimwell-bench-corpus"), corpus)

    out = tempfile.mkdtemp(prefix="out-", dir=build)
    scratch = tempfile.mkdtemp(prefix="scratch-", dir=build)
    try:
        jobs = define_jobs(cli, os.path.join(build, "bin", "brimwell-vcard-read"), corpus, out,
                           os.path.join(build, "node", "node_modules"))
        quick = [job for job in jobs if job.quick]
        for round_number in range(1, args.runs + 1):
            print(f"round {round_number} of {args.runs}:", end="", flush=True)
            for job in quick * (QUICK_RUNS - 1) + jobs:
                run_once(job, scratch)
                print(f" {job.key} {job.times[-1]:.2f}s", end="", flush=True)
            print()
        met = print_table(jobs, args.runs)
    finally:
        shutil.rmtree(out, ignore_errors=True)
        shutil.rmtree(scratch, ignore_errors=True)
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main())
