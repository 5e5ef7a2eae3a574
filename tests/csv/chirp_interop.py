#!/usr/bin/env python3
"""CHIRP files exchanged with CHIRP itself, both ways.

Run by CTest as: chirp_interop.py CORVALEN_CLI WORK_FOLDER

1. CHIRP writes a file (its own CSV driver, chirp.drivers.generic_csv); corvalen-cli reads it
   into a receiver CSV file, and every channel must arrive with its number, frequency, mode,
   skip flag, name and comment.
2. corvalen-cli writes a CHIRP file from a receiver CSV file; CHIRP reads it, and every channel
   must arrive the same way.
3. corvalen-cli reads CHIRP's file and writes it as a CHIRP file again; CHIRP reads that back
   to the very memories it wrote.

Names and comments hold commas, quotes, line breaks and accented letters. Exits with 77 (which
CTest counts as skipped) only when CHIRP's CSV driver cannot be imported at all.
"""

import builtins
import csv
import os
import subprocess
import sys

SKIPPED = 77

try:
    from chirp import chirp_common
    from chirp.drivers import generic_csv
except ImportError:
    sys.path.append("/usr/lib/python3/dist-packages")  # Debian's package, seen from another Python
    try:
        from chirp import chirp_common
        from chirp.drivers import generic_csv
    except ImportError as error:
        print(f"CHIRP's CSV driver cannot be imported ({error}); skipped")
        sys.exit(SKIPPED)

# The Debian release opens files with mode "rU", which Python 3.11 refuses: drop the "U".
_open = builtins.open


def _open_without_u(file, mode="r", *args, **kwargs):
    return _open(file, mode.replace("U", ""), *args, **kwargs)


generic_csv.open = _open_without_u

# Channels as (number, frequency in Hz, CHIRP mode, skip, name, comment). Every text is one the
# receiver's Windows-1252 CSV can hold too.
CHANNELS = [
    (1, 146520000, "FM", "", "Calling", "simplex, 2m"),
    (2, 7100000, "LSB", "S", 'Café "Zürich"', 'a "quoted", comma\'d comment'),
    (3, 118100000, "NAM", "P", "Tower, 1", "Ünïcödé ñ €"),
    (5, 14230000, "USB", "", "", ""),
    (7, 3987500, "CW", "S", "a,b,c", "two\nlines"),
    (65535, 4294967295, "AM", "", '""', "last place"),
]
# Receiver modes for the CHIRP modes above.
RECEIVER_MODES = {"FM": "FM", "LSB": "LSB", "NAM": "AMN", "USB": "USB", "CW": "CW", "AM": "AM"}

failures = []


def check(what, actual, expected):
    if actual != expected:
        failures.append(f"{what}: got {actual!r}, expected {expected!r}")


def run_cli(cli, *args):
    done = subprocess.run([cli, *args], capture_output=True, text=True, encoding="utf-8")
    if done.returncode != 0:
        failures.append(f"corvalen-cli {' '.join(args)} exited {done.returncode}: {done.stderr}")
    return done


def chirp_writes(path):
    radio = generic_csv.CSVRadio(None)
    for number, hz, mode, skip, name, comment in CHANNELS:
        memory = chirp_common.Memory()
        memory.number = number
        memory.freq = hz
        memory.mode = mode
        memory.skip = skip
        memory.name = name
        memory.comment = comment
        radio.set_memory(memory)
    radio.erase_memory(0)  # the example channel a new CHIRP file starts with
    radio.save(path)


def chirp_reads(path, what):
    radio = generic_csv.CSVRadio(path)
    check(f"{what}: CHIRP's errors", radio.errors, [])
    memories = {m.number: m for m in radio.get_memories(0, 70000) if not m.empty}
    check(f"{what}: channels", sorted(memories), [c[0] for c in CHANNELS])
    for number, hz, mode, skip, name, comment in CHANNELS:
        memory = memories.get(number)
        if memory is None:
            continue
        got = (memory.freq, memory.mode, memory.skip, memory.name, memory.comment)
        check(f"{what}: channel {number}", got, (hz, mode, skip, name, comment))


def receiver_reads(path, what):
    with _open(path, encoding="cp1252", newline="") as file:
        rows = list(csv.reader(file))
    rows = {int(row[0]): row for row in rows[1:] if row}
    check(f"{what}: channels", sorted(rows), [c[0] for c in CHANNELS])
    for number, hz, mode, skip, name, comment in CHANNELS:
        row = rows.get(number)
        if row is None:
            continue
        lockout = "1" if skip == "S" else "0"
        priority = "1" if skip == "P" else "0"
        got = (row[1], row[16], row[11], row[12], row[17], row[18])
        check(f"{what}: channel {number}",
              got, (str(hz), RECEIVER_MODES[mode], lockout, priority, name, comment))
        check(f"{what}: channel {number} has a Bandwidth", row[2] != "", True)


def receiver_writes(path):
    header = ["Number", "Frequency", "Bandwidth", "IF Shift"] + ["reserved"] * 5 + [
        "Groups", "Hotkey", "Lockout", "Priority", "Level Squelch", "Secondary squelch type",
        "Secondary squelch value", "Mode", "Callsign", "Comments"]
    with _open(path, "w", encoding="cp1252", newline="") as file:
        writer = csv.writer(file, quoting=csv.QUOTE_ALL, lineterminator="\r\n")
        writer.writerow(header)
        for number, hz, mode, skip, name, comment in CHANNELS:
            lockout = "1" if skip == "S" else "0"
            priority = "1" if skip == "P" else "0"
            writer.writerow([number, hz, "6000", "0", "", "", "", "", "", "", "0", lockout,
                             priority, "", "", "", RECEIVER_MODES[mode], name, comment])


def main():
    cli, work = sys.argv[1], sys.argv[2]
    os.makedirs(work, exist_ok=True)

    # 1. CHIRP writes, Corvalen reads.
    chirp_file = os.path.join(work, "from-chirp.csv")
    chirp_writes(chirp_file)
    chirp_reads(chirp_file, "CHIRP's own file")  # the reference itself holds what we wrote
    receiver_file = os.path.join(work, "receiver.csv")
    run_cli(cli, "convert", chirp_file, receiver_file)
    receiver_reads(receiver_file, "CHIRP -> receiver CSV")

    # 2. Corvalen writes, CHIRP reads.
    receiver_input = os.path.join(work, "receiver-input.csv")
    receiver_writes(receiver_input)
    corvalen_chirp = os.path.join(work, "from-corvalen.csv")
    run_cli(cli, "convert", "--to", "chirp", receiver_input, corvalen_chirp)
    chirp_reads(corvalen_chirp, "receiver CSV -> CHIRP")

    # 3. CHIRP's file through Corvalen and back to CHIRP.
    again = os.path.join(work, "again.csv")
    run_cli(cli, "convert", "--to", "chirp", chirp_file, again)
    chirp_reads(again, "CHIRP -> Corvalen -> CHIRP")

    for failure in failures:
        print("FAIL:", failure)
    if failures:
        return 1
    print(f"CHIRP interop: {len(CHANNELS)} channels each way, all arrived")
    return 0


if __name__ == "__main__":
    sys.exit(main())
