#!/usr/bin/env python3
"""Runs every benchmark program of a build folder and prints one Markdown
table: each benchmark beside its floor from the same run, their ratio, the
target and whether it is met, then the peak memory of each program; above
it, the machine it ran on. Progress and failures go to stderr.

    bench-table.py BUILD_DIR [--update-doc FILE]

--update-doc also puts the output between the bench-table markers of FILE.
Exits 1 only when a benchmark program fails; a missed target is reported.
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


class Results:
    """Samples of each benchmark (one per repetition) by a name without the
    run options, as "load/10"."""

    OPTION = re.compile(r"/(iterations|repeats|min_time|threads):[^/]*|/(real_time|manual_time)$")

    def __init__(self):
        self.times = {}
        self.counters = {}
        self.peaks = {}

    def add(self, document, prefix=""):
        for run in document.get("benchmarks", []):
            if run.get("run_type") != "iteration" or run.get("error_occurred"):
                continue
            name = prefix + self.OPTION.sub("", run["run_name"])
            seconds = run["real_time"] * SECONDS_PER_UNIT[run.get("time_unit", "ns")]
            self.times.setdefault(name, []).append(seconds)
            for key in ("peak_MiB", "messages/s"):
                if key in run:
                    self.counters.setdefault((name, key), []).append(run[key])


def run_program(path, folder, results, qt_platform="offscreen"):
    """Runs one program on a Qt platform; returns an error text, or None.
    Results of a program run on several platforms are named "platform:name"."""
    run = path.name if path.name != "bench_startup" else f"{path.name} ({qt_platform})"
    prefix = f"{qt_platform}:" if path.name == "bench_startup" else ""
    out = folder / f"{path.name}-{qt_platform}.json"
    output = folder / f"{path.name}-{qt_platform}.log"
    began = time.monotonic()
    log(f"== {run}")
    try:
        with open(output, "w") as sink:
            child = subprocess.Popen([str(path), f"--benchmark_out={out}", "--benchmark_out_format=json"],
                                     stdout=sink, stderr=subprocess.STDOUT,
                                     env=dict(os.environ, QT_QPA_PLATFORM=qt_platform))
            # wait4, unlike RUSAGE_CHILDREN, gives this child's peak alone.
            _, status, usage = os.wait4(child.pid, 0)
            child.returncode = os.waitstatus_to_exitcode(status)
    except OSError as error:
        return str(error)
    log(f"   {time.monotonic() - began:.0f} s")
    results.peaks[run] = usage.ru_maxrss / 1024
    problem = None
    if child.returncode != 0:
        problem = f"exit status {child.returncode}"
    try:
        document = json.loads(out.read_text())
    except (OSError, ValueError) as error:
        problem = problem or f"no JSON output ({error})"
        document = {}
    failed = [run["name"] for run in document.get("benchmarks", []) if run.get("error_occurred")]
    if failed:
        problem = problem or "failed: " + ", ".join(sorted(set(failed)))
    results.add(document, prefix)
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


def table_rows(results):
    """(benchmark, floor is, ours, floor, ratio, limit); ratio is ours over
    floor in time or memory, so above 1 is slower or bigger."""
    times, counters = results.times, results.counters
    rows = []

    def timed(label, what, ours, floor, limit=None, floor_scale=1.0):
        a, b = Measure(times.get(ours, [])), Measure(times.get(floor, []), floor_scale)
        rows.append((label, what, cell(a, duration), cell(b, duration), ratio(a, b), limit))

    def ratio(a, b):
        return a.median / b.median if a.median and b.median else None

    for qt_platform, where, limit in (("xcb", "X server (Xvfb)", 1.5), ("offscreen", "offscreen", None)):
        start = f"{qt_platform}:startToFirstPaint"
        timed(f"Start to first painted main window, {where}", "empty window, same set-up",
              f"{start}/program", f"{start}/floor", limit)
        timed(f"Start to first painted main window, {where}", "the same with one text label",
              f"{start}/program", f"{start}/textFloor")
        ours = Measure(counters.get((f"{start}/program", "peak_MiB"), []))
        floor = Measure(counters.get((f"{start}/floor", "peak_MiB"), []))
        rows.append((f"Peak memory of that start, {where}", "empty window, same set-up",
                     cell(ours, mebibytes), cell(floor, mebibytes), ratio(ours, floor), None))
    for window in ("converters", "frmPhysicsMain"):
        timed(f"Build window `{window}`", "bare widgets, as many",
              f"buildWindow/{window}", f"bareWidgets/{window}")
    for size in (10, 1):
        timed(f"Dictionary load, {size} MB", "bare text widget, same text",
              f"load/{size}", f"bareWidget/{size}", 1.2 if size == 10 else None)
        timed(f"Dictionary load, {size} MB", "reading and decoding alone",
              f"load/{size}", f"readAndDecode/{size}")
    # Linear intake: 20,000 lines take four times as long as 5,000.
    timed("Chat intake, 20,000 lines", "4 × 5,000 lines",
          "chatIntake/20000", "chatIntake/5000", 1.3, floor_scale=4.0)
    for size in (16, 1000):
        ours = Measure(counters.get((f"relay/{size}", "messages/s"), []))
        floor = Measure(counters.get((f"bareRelay/{size}", "messages/s"), []))
        rows.append((f"livehelpd relay, {size}-byte lines", "bare Qt relay, same bytes",
                     cell(ours, rate), cell(floor, rate), ratio(floor, ours), None))
    for ours, floor, what in (("parseLoose", "cStrtod", "strtod"),
                              ("parseStrict", "cStrtod", "strtod"),
                              ("format", "cPrintf", 'snprintf "%.15G"'),
                              ("formatWithSystemSeparators", "cPrintf", 'snprintf "%.15G"')):
        timed(f"NumericText::{ours.replace('WithSystemSeparators', '')}"
              + (" (system separators)" if "System" in ours else ""),
              what, ours, floor, 1.0)
    for run, peak in results.peaks.items():
        # The kernel's figure for a process includes the processes it waited for.
        label = f"Peak memory, `{run}`" + (", its largest start" if run.startswith("bench_startup") else "")
        rows.append((label, "—", mebibytes(peak), "—", None, None))
    return rows


def markdown(rows, facts):
    lines = [f"- **{name}**: {value}" for name, value in facts]
    lines.append("")
    header = ["benchmark", "floor is", "ours", "floor", "ratio", "target", "met?"]
    body = []
    missed = []
    for label, what, ours, floor, ratio, limit in rows:
        met = "—"
        if limit is not None and ratio is None:
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
        lines.append(f"{unknown} target(s) without a result: a benchmark program failed.")
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
    results = Results()
    failures = []
    with tempfile.TemporaryDirectory(prefix="fyzorin-bench-") as folder:
        for program in PROGRAMS:
            path = build_dir / "bench" / program
            for qt_platform in STARTUP_PLATFORMS if program == "bench_startup" else ["offscreen"]:
                problem = run_program(path, pathlib.Path(folder), results, qt_platform) if path.is_file() \
                    else f"{path} is missing"
                if problem:
                    failures.append(f"{program} ({qt_platform}): {problem}")
    facts = machine(build_dir) + [
        ("load average (1, 5, 15 min)", f"{load_before} before, {load_average()} after"),
        ("run time of the benchmark programs", f"{time.monotonic() - began:.0f} s"),
        ("date", time.strftime("%Y-%m-%d %H:%M UTC", time.gmtime())),
    ]
    text = markdown(table_rows(results), facts)
    if failures:
        text += "\n\nFailed benchmark programs:\n" + "\n".join(f"- {f}" for f in failures)
    print(text)
    if options.update_doc:
        update_doc(options.update_doc, text)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
