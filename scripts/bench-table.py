#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Runs every benchmark program of a build folder and prints one Markdown
table: each benchmark beside its floor from the same run, their ratio, the
target and whether it is met, then the peak memory of each program; above
it, the machine it ran on. Progress and failures go to stderr.

    bench-table.py BUILD_DIR [--update-doc FILE]

The rows are the programs' own: each lists its comparisons (which benchmark
against which floor, the labels, the target) when run with
--list-comparisons, and the table takes them in that order.

--update-doc also puts the output between the bench-table markers of FILE.
Exits 1 only when a benchmark program fails, or has no result for a
benchmark its comparisons name; a missed target is reported.
"""

import argparse
import json
import os
import pathlib
import platform
import re
import statistics
import subprocess
import sys
import tempfile
import time

PROGRAMS = ["bench_startup", "bench_windows", "bench_dictionary", "bench_chat",
            "bench_livehelpd", "bench_numerictext"]
# The start is measured on a real X server (Xvfb, the xcb platform: what a user
# sees) and offscreen (the program's own share alone); everything else offscreen.
STARTUP_PLATFORMS = ["xcb", "offscreen"]
BEGIN_MARK = "<!-- bench-table:begin -->"
END_MARK = "<!-- bench-table:end -->"
SECONDS_PER_UNIT = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def log(text):
    print(text, file=sys.stderr, flush=True)


def command_output(*command):
    try:
        return subprocess.run(command, capture_output=True, text=True, check=True).stdout.strip()
    except (OSError, subprocess.CalledProcessError):
        return ""


def first_match(path, pattern):
    try:
        match = re.search(pattern, pathlib.Path(path).read_text(), re.MULTILINE)
    except OSError:
        return ""
    return match.group(1).strip() if match else ""


def machine(build_dir):
    cpu = first_match("/proc/cpuinfo", r"^model name\s*:\s*(.+)$") or platform.processor()
    threads = command_output("lscpu", "-p=CORE")
    cores = len({line for line in threads.splitlines() if not line.startswith("#")}) or "?"
    memory_kib = first_match("/proc/meminfo", r"^MemTotal:\s*(\d+)")
    memory = f"{int(memory_kib) / 1024 / 1024:.1f} GiB" if memory_kib else "?"
    system = first_match("/etc/os-release", r'^PRETTY_NAME="?([^"\n]*)')
    debian = first_match("/etc/debian_version", r"(.+)")
    qt = (command_output("dpkg-query", "-W", "-f=${Version}", "libqt6core6")
          or command_output("qtpaths6", "--qt-version"))
    benchmark = command_output("dpkg-query", "-W", "-f=${Version}", "libbenchmark-dev")
    compiler_path = first_match(build_dir / "CMakeCache.txt", r"^CMAKE_CXX_COMPILER:\w+=(.+)$")
    compiler = command_output(compiler_path or "c++", "--version").splitlines()
    commit = command_output("git", "-C", str(build_dir.parent), "rev-parse", "--short", "HEAD")
    return [
        ("CPU", f"{cpu}, {os.cpu_count()} logical CPUs on {cores} cores"),
        ("memory", memory),
        ("system", f"{system} (Debian {debian}), Linux {platform.release()}" if debian
         else f"{system}, Linux {platform.release()}"),
        ("Qt", qt or "?"),
        ("compiler", compiler[0] if compiler else "?"),
        ("Google Benchmark", benchmark or "?"),
        ("build", f"Release, commit {commit or '?'}"),
        ("Qt platform", "start: xcb on Xvfb and offscreen; the rest offscreen"),
    ]


def load_average():
    return " ".join(f"{value:.2f}" for value in os.getloadavg())


class Run:
    """One run of a benchmark program on a Qt platform: its comparisons, the
    samples of each benchmark (one run entry per repetition) by a name
    without the run options, as "load/10", and its peak memory."""

    OPTION = re.compile(r"/(iterations|repeats|min_time|threads):[^/]*|/(real_time|manual_time)$")

    def __init__(self, program, qt_platform):
        self.program = program
        # bench_startup runs on each platform; everything else offscreen.
        self.name = program if program != "bench_startup" else f"{program} ({qt_platform})"
        self.qt_platform = qt_platform
        self.comparisons = []
        self.samples = {}
        self.peak = None

    def add(self, document):
        for entry in document.get("benchmarks", []):
            if entry.get("run_type") != "iteration" or entry.get("error_occurred"):
                continue
            self.samples.setdefault(self.OPTION.sub("", entry["run_name"]), []).append(entry)

    def values(self, name, value):
        """The samples of one benchmark: its time in seconds or a counter."""
        entries = self.samples.get(name, [])
        if value == "real_time":
            return [e["real_time"] * SECONDS_PER_UNIT[e.get("time_unit", "ns")] for e in entries]
        return [e[value] for e in entries if value in e]

    def missing(self):
        """The benchmarks the comparisons name that have no result."""
        names = []
        for c in self.comparisons:
            for name in (c["ours"], c["floor"]):
                if not self.values(name, c["value"]) and name not in names:
                    names.append(name)
        return names

    def unnamed(self):
        """The benchmarks no comparison names."""
        return sorted(set(self.samples) - {c[key] for c in self.comparisons for key in ("ours", "floor")})


def list_comparisons(path, run):
    """Asks the program for its comparisons; returns an error text, or None."""
    try:
        listed = subprocess.run([str(path), "--list-comparisons"], capture_output=True, check=True,
                                encoding="utf-8", env=dict(os.environ, QT_QPA_PLATFORM=run.qt_platform))
        run.comparisons = json.loads(listed.stdout)
    except (OSError, subprocess.CalledProcessError, ValueError) as error:
        problem = f"no comparisons listed ({error})"
        log(f"== {run.name}: {problem}")
        return problem
    return None


def run_program(path, folder, run):
    """Runs one program on its Qt platform; returns an error text, or None."""
    out = folder / f"{path.name}-{run.qt_platform}.json"
    output = folder / f"{path.name}-{run.qt_platform}.log"
    began = time.monotonic()
    log(f"== {run.name}")
    try:
        with open(output, "w") as sink:
            child = subprocess.Popen([str(path), f"--benchmark_out={out}", "--benchmark_out_format=json"],
                                     stdout=sink, stderr=subprocess.STDOUT,
                                     env=dict(os.environ, QT_QPA_PLATFORM=run.qt_platform))
            # wait4, unlike RUSAGE_CHILDREN, gives this child's peak alone.
            _, status, usage = os.wait4(child.pid, 0)
            child.returncode = os.waitstatus_to_exitcode(status)
    except OSError as error:
        return str(error)
    log(f"   {time.monotonic() - began:.0f} s")
    run.peak = usage.ru_maxrss / 1024
    problem = None
    if child.returncode != 0:
        problem = f"exit status {child.returncode}"
    try:
        document = json.loads(out.read_text())
    except (OSError, ValueError) as error:
        problem = problem or f"no JSON output ({error})"
        document = {}
    failed = [entry["name"] for entry in document.get("benchmarks", []) if entry.get("error_occurred")]
    if failed:
        problem = problem or "failed: " + ", ".join(sorted(set(failed)))
    run.add(document)
    if problem:
        tail = output.read_text(errors="replace").splitlines()[-20:]
        log(f"   {path.name} FAILED: {problem}\n" + "\n".join("   | " + line for line in tail))
    return problem


class Measure:
    """Median of samples, with the spread as half the interquartile range
    relative to the median."""

    def __init__(self, samples, scale=1.0):
        self.samples = [s * scale for s in samples]
        self.median = statistics.median(self.samples) if self.samples else None

    def spread(self):
        if len(self.samples) < 2 or not self.median:
            return None
        q1, _, q3 = statistics.quantiles(self.samples, n=4, method="inclusive")
        return (q3 - q1) / 2 / self.median


def duration(seconds):
    for unit, size in (("s", 1.0), ("ms", 1e-3), ("µs", 1e-6)):
        if seconds >= size:
            return f"{seconds / size:.3g} {unit}"
    return f"{seconds / 1e-9:.3g} ns"


def rate(per_second):
    return f"{per_second / 1000:.0f} k msg/s"


def mebibytes(value):
    return f"{value:.0f} MiB"


def cell(measure, show):
    if measure.median is None:
        return "missing"
    text = show(measure.median)
    spread = measure.spread()
    if spread is not None:
        text += f" ±{spread * 100:.0f}%"
    return f"{text} (n={len(measure.samples)})" if len(measure.samples) >= 20 else text


SHOW = {"s": duration, "MiB": mebibytes, "msg/s": rate}


def table_rows(runs):
    """(benchmark, floor is, ours, floor, ratio, limit, compared); ratio is
    ours over floor in time or memory, so above 1 is slower or bigger."""
    rows = []
    for run in runs:
        for c in run.comparisons:
            ours = Measure(run.values(c["ours"], c["value"]))
            floor = Measure(run.values(c["floor"], c["value"]), c["floor_scale"])
            # For a rate the floor's over ours, which is ours over the floor in time.
            top, bottom = (floor, ours) if c["higher_is_better"] else (ours, floor)
            ratio = top.median / bottom.median if ours.median and floor.median else None
            show = SHOW[c["unit"]]
            limit = float(c["target"]) if c["target"] is not None else None
            rows.append((c["label"], c["floor_is"], cell(ours, show), cell(floor, show), ratio, limit, True))
    for run in runs:
        if run.peak is None:
            continue
        # The kernel's figure for a process includes the processes it waited for.
        label = f"Peak memory, `{run.name}`" + (", its largest start" if run.program == "bench_startup" else "")
        rows.append((label, "—", mebibytes(run.peak), "—", None, None, False))
    return rows


def markdown(rows, facts):
    lines = [f"- **{name}**: {value}" for name, value in facts]
    lines.append("")
    header = ["benchmark", "floor is", "ours", "floor", "ratio", "target", "met?"]
    body = []
    missed = []
    for label, what, ours, floor, ratio, limit, compared in rows:
        met = "—"
        if compared and ratio is None:
            met = "no result"
        elif limit is not None:
            met = "yes" if ratio <= limit else "**NO**"
            if met != "yes":
                missed.append(f"{label} vs {what}: {ratio:.2f}× > {limit}×")
        body.append([label, what, ours, floor, f"{ratio:.2f}×" if ratio is not None else "—",
                     f"≤ {limit}×" if limit is not None else "—", met])
    widths = [max(len(row[i]) for row in [header] + body) for i in range(len(header))]
    right = {2, 3, 4}

    def line(row):
        return "| " + " | ".join(c.rjust(w) if i in right else c.ljust(w)
                                 for i, (c, w) in enumerate(zip(row, widths))) + " |"
    lines.append(line(header))
    lines.append("| " + " | ".join(("-" * (w - 1) + ":") if i in right else "-" * w
                                   for i, w in enumerate(widths)) + " |")
    lines.extend(line(row) for row in body)
    lines.append("")
    unknown = sum(1 for row in body if row[-1] == "no result")
    if missed:
        lines.append("Targets missed:")
        lines.extend(f"- {text}" for text in missed)
    elif not unknown:
        lines.append("Every target met.")
    if unknown:
        lines.append(f"{unknown} row(s) without a result: a benchmark program failed,"
                     " or has no benchmark of a name its comparisons give.")
    return "\n".join(lines)


def update_doc(path, text):
    document = path.read_text()
    begin, end = document.find(BEGIN_MARK), document.find(END_MARK)
    if begin < 0 or end < begin:
        log(f"{path}: no {BEGIN_MARK} ... {END_MARK} section; not updated")
        return False
    path.write_text(document[:begin + len(BEGIN_MARK)] + "\n" + text + "\n" + document[end:])
    log(f"wrote the table into {path}")
    return True


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build_dir", type=pathlib.Path)
    parser.add_argument("--update-doc", type=pathlib.Path, metavar="FILE")
    options = parser.parse_args()
    build_dir = options.build_dir.resolve()

    load_before = load_average()
    began = time.monotonic()
    runs = []
    failures = []
    with tempfile.TemporaryDirectory(prefix="fyzorin-bench-") as folder:
        for program in PROGRAMS:
            path = build_dir / "bench" / program
            for qt_platform in STARTUP_PLATFORMS if program == "bench_startup" else ["offscreen"]:
                run = Run(program, qt_platform)
                runs.append(run)
                if not path.is_file():
                    failures.append(f"{run.name}: {path} is missing")
                    continue
                problem = list_comparisons(path, run) or run_program(path, pathlib.Path(folder), run)
                if problem:
                    failures.append(f"{run.name}: {problem}")
                missing = run.missing()
                if missing:
                    # A renamed benchmark shows here rather than as a quietly empty row.
                    log(f"   {run.name}: no result for " + ", ".join(missing))
                    if not problem:
                        failures.append(f"{run.name}: no result for " + ", ".join(missing))
                if run.unnamed():
                    log(f"   {run.name}: in no comparison: " + ", ".join(run.unnamed()))
    facts = machine(build_dir) + [
        ("load average (1, 5, 15 min)", f"{load_before} before, {load_average()} after"),
        ("run time of the benchmark programs", f"{time.monotonic() - began:.0f} s"),
        ("date", time.strftime("%Y-%m-%d %H:%M UTC", time.gmtime())),
    ]
    text = markdown(table_rows(runs), facts)
    if failures:
        text += "\n\nFailed benchmark programs:\n" + "\n".join(f"- {f}" for f in failures)
    print(text)
    if options.update_doc:
        update_doc(options.update_doc, text)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
