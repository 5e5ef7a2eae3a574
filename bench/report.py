#!/usr/bin/env python3
"""Prints the benchmark table of scripts/bench: the medians from the Google Benchmark JSON
files, the whole-process time and peak memory of `corvalen-cli convert`, and the same
conversion by baseline_convert.py on the same file."""

import argparse
import json
import os
import re
import resource
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def medians(path):
    with open(path) as f:
        data = json.load(f)
    found = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") == "median":
            found[b["run_name"].split("/")[0]] = b
    # One repetition has no aggregates: its own run stands for the median.
    for b in data["benchmarks"]:
        if b.get("run_type") == "iteration":
            found.setdefault(b["run_name"].split("/")[0], b)
    return found


def ms(b, key="real_time"):
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
    return b[key] * scale


def stretch(b):
    """The longest stretch without events, when the window handled events during the command
    (a file read on a thread of its own); empty when that stretch is the command's own time."""
    longest = b.get("longest_block_ms")
    if longest is None or longest >= 0.8 * ms(b):
        return ""
    return "; longest stretch without events %.0f ms" % longest


def children_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def run_once(commands, before=None):
    """Wall-clock and CPU (user + system) seconds of running `commands` one after the other,
    their output thrown away; `before` runs first, untimed."""
    if before:
        before()
    cpu = children_cpu()
    start = time.perf_counter()
    for command in commands:
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start, children_cpu() - cpu


def floor_once(commands, out_path):
    """run_once() for the I/O floor: the first command's output is thrown away, the second's is
    written to `out_path` (a new file each run)."""
    if os.path.exists(out_path):
        os.remove(out_path)
    cpu = children_cpu()
    start = time.perf_counter()
    subprocess.run(commands[0], check=True, stdout=subprocess.DEVNULL)
    with open(out_path, "wb") as out:
        subprocess.run(commands[1], check=True, stdout=out)
    return time.perf_counter() - start, children_cpu() - cpu


def median_runs(runs):
    """Median wall-clock and CPU seconds of (wall, cpu) pairs."""
    return statistics.median(r[0] for r in runs), statistics.median(r[1] for r in runs)


def peak_kb(command):
    result = subprocess.run(["/usr/bin/time", "-v"] + command, check=True,
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    return int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", result.stderr).group(1))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()

    csv_path = os.path.join(args.work, "memories.csv")
    out_cli = os.path.join(args.work, "cli.g3m")
    out_py = os.path.join(args.work, "baseline.g3m")
    cli = [args.cli, "convert", "--model", "313", csv_path, out_cli]
    baseline = [sys.executable, os.path.join(HERE, "baseline_convert.py"), "313", csv_path, out_py]

    def fresh(path):
        return lambda: os.path.exists(path) and os.remove(path)

    # Both write a new file each run. A first run, not timed, brings the program into memory
    # and gives the size of the file the floor writes.
    out_floor = os.path.join(args.work, "floor.g3m")
    run_once([cli], fresh(out_cli))
    # The I/O floor: the CSV read and a file of the .g3m's size written, by `cat` and `head`
    # (two processes), on the same file system.
    floor = [["cat", csv_path], ["head", "-c", str(os.path.getsize(out_cli)), "/dev/zero"]]
    # The converter, the floor and the baseline run in turns, a round at a time: the speed of
    # a virtual machine drifts by a tenth and more within minutes, and in turns the drift
    # reaches all three alike instead of the one that happened to run then.
    cli_runs, floor_runs, py_runs = [], [], []
    for turn in range(max(args.runs, 7)):
        cli_runs.append(run_once([cli], fresh(out_cli)))
        floor_runs.append(floor_once(floor, out_floor))
        if turn < args.runs:
            py_runs.append(run_once([baseline], fresh(out_py)))
    cli_s, cli_cpu = median_runs(cli_runs)
    floor_s, floor_cpu = median_runs(floor_runs)
    py_s, py_cpu = median_runs(py_runs)
    fresh(out_cli)()
    cli_kb = peak_kb(cli)
    with open(out_cli, "rb") as a, open(out_py, "rb") as b:
        same = a.read() == b.read()

    core = medians(os.path.join(args.work, "core.json"))
    editor = medians(os.path.join(args.work, "editor.json"))
    csv_mb = os.path.getsize(csv_path) / 1e6

    rows = []

    def add(name, time_text, rate, target, met, cpu_text=""):
        rows.append((name, time_text, cpu_text, rate, target, "yes" if met else "NO"))

    def cpu(b, unit="ms"):
        return "%.1f ms" % ms(b, "cpu_time") if unit == "ms" else "%.0f ns" % (ms(b, "cpu_time") * 1e6)

    b = core["csv_read"]
    add("CSV read into the table", "%.1f ms" % ms(b), "%.0f MB/s" % (b["bytes_per_second"] / 1e6),
        ">= 150 MB/s, < 50 ms", ms(b) < 50 and b["bytes_per_second"] >= 150e6, cpu(b))
    # The reader alone (no table), as the converter reads the file.
    if "csv_records" in core:
        b = core["csv_records"]
        add("CSV records read, no table", "%.1f ms" % ms(b),
            "%.0f MB/s" % (b["bytes_per_second"] / 1e6), "", True, cpu(b))
    b = core["csv_write"]
    add("Table written as CSV", "%.1f ms" % ms(b), "%.0f MB/s" % (b["bytes_per_second"] / 1e6),
        "< 30 ms", ms(b) < 30, cpu(b))
    for name, label in (("g3m_write_new", ".g3m written, new file"),
                        ("g3m_write_update", ".g3m written, file updated")):
        b = core[name]
        add(label, "%.1f ms" % ms(b), "%.0f MB/s" % (b["bytes_per_second"] / 1e6), "< 30 ms",
            ms(b) < 30, cpu(b))
    b = core["record_encode"]
    add("One record encoded (cells checked, checksum)", "%.0f ns" % (ms(b) * 1e6),
        "%.1f M records/s" % (b["items_per_second"] / 1e6), "", True, cpu(b, "ns"))
    b = core["record_checksum"]
    add("One record checksum", "%.1f ns" % (ms(b) * 1e6),
        "%.0f M records/s" % (b["items_per_second"] / 1e6), "", True, cpu(b, "ns"))
    if "channel_diff" in core:
        b = core["channel_diff"]
        add("Two files of 65,535 channels compared, every row changed", "%.0f ms" % ms(b), "",
            "<= 1000 ms", ms(b) <= 1000, cpu(b))
    b = editor["editor_open"]
    add("Editor: open and paint 65,535 rows", "%.0f ms" % ms(b),
        "peak %.0f MB (+%.0f MB)%s" % (b["peak_MB"], b["peak_growth_MB"], stretch(b)),
        "<= 100 ms", ms(b) <= 100, cpu(b))
    # Each editor step: its median time against its goal.
    for name, label, goal in (
            ("editor_find_keystroke", "Editor: find, first letter until painted", 150),
            ("editor_find_widen", "Editor: find widened (Backspace to empty, Esc)", 150),
            ("editor_copy_all", "Editor: copy all 65,535 rows", 100),
            ("editor_print_longest_block", "Editor: printing, longest stretch without events",
             100)):
        if name in editor:
            b = editor[name]
            add(label, "%.0f ms" % ms(b), "", "<= %d ms" % goal, ms(b) <= goal, cpu(b))
    if "editor_undo_memory" in editor:
        b = editor["editor_undo_memory"]
        add("Editor: same file opened 10 times", "%.0f ms" % ms(b),
            "memory +%.0f MB" % b["growth_MB"], "<= 40 MB more", b["growth_MB"] <= 40, cpu(b))
    add("corvalen-cli convert (whole process)", "%.1f ms" % (cli_s * 1e3),
        "peak %.1f MB" % (cli_kb / 1024), "peak < 40 MB", cli_kb / 1024 < 40,
        "%.1f ms" % (cli_cpu * 1e3))
    ratio = py_s / cli_s
    add("Python baseline convert (whole process)", "%.0f ms" % (py_s * 1e3),
        "%.1fx slower (CPU %.1fx)" % (ratio, py_cpu / cli_cpu), "convert >= 10x faster",
        ratio >= 10, "%.0f ms" % (py_cpu * 1e3))
    floor_ratio = cli_s / floor_s
    add("I/O floor: cat the CSV, head a .g3m-sized file", "%.1f ms" % (floor_s * 1e3),
        "convert %.1fx (CPU %.1fx)" % (floor_ratio, cli_cpu / floor_cpu), "convert <= 4x",
        floor_ratio <= 4, "%.1f ms" % (floor_cpu * 1e3))

    # Every editor command, from its key or menu entry until the window has repainted. A file
    # read or written off the window's thread meets its budget when the window never goes
    # longer than that without handling events.
    for name in sorted(n for n in editor if n.startswith("step_")):
        b = editor[name]
        budget = b.get("budget_ms", 0)
        step = name[len("step_"):]
        off_thread = step.startswith(("append_", "save_", "recovery_", "reload_")) and \
            not step.endswith(("_undo", "_redo")) and stretch(b) != ""
        met = (b["longest_block_ms"] if off_thread else ms(b)) <= budget
        add("Editor step: " + step.replace("_", " "), "%.1f ms" % ms(b),
            stretch(b).lstrip("; "), "<= %d ms%s" % (budget, " stretch" if off_thread else ""),
            met, cpu(b))

    print()
    print("65,535 channels, %.1f MB CSV; medians of %d runs; %s; load average %.1f" %
          (csv_mb, args.runs, time.strftime("%Y-%m-%d"), os.getloadavg()[0]))
    print("Python baseline writes the same .g3m bytes as corvalen-cli: %s" % ("yes" if same else "NO"))
    print()
    header = ("Case", "Median (wall)", "CPU", "Rate / memory", "Target", "Met")
    widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(6)]
    line = "| " + " | ".join(h.ljust(w) for h, w in zip(header, widths)) + " |"
    print(line)
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for r in rows:
        print("| " + " | ".join(str(c).ljust(w) for c, w in zip(r, widths)) + " |")
    return 0 if same else 1


if __name__ == "__main__":
    sys.exit(main())
