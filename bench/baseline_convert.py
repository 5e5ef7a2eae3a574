#!/usr/bin/env python3
"""The CSV to .g3m conversion written plainly with Python's standard library (csv, struct).

Usage: baseline_convert.py MODEL INPUT.csv OUTPUT.g3m

scripts/bench times it against `corvalen-cli convert` on the same file and checks that both
write the same bytes. It follows the same record layout: number at 0, frequency at 4, group
flags at 12-13, hot key at 20, lockout at 24, level squelch at 28 (low 16 bits, then FF FF),
mode at 32, callsign (12 bytes) at 36, comment (31 bytes) at 48, the checksum at 80, and for
the "313" the IF shift at 84 and the bandwidth at 88. Cells it cannot read are written as 0.
"""

import csv
import math
import os
import struct
import sys

MODES = {"CW": 0, "AM": 1, "FM": 2, "LSB": 4, "USB": 5, "AMS": 8,
         "FM3": 10, "FM6": 11, "AMN": 12, "DSB": 13, "ISB": 14}


def whole(text):
    text = text.strip(" ")
    return int(text) if text.isdigit() else None


def number(text, default=0.0):
    try:
        return float(text)
    except ValueError:
        return default


def encode(fields, model):
    length = 84 if model == "303" else 92
    channel = whole(fields[0])
    if channel is None or not 1 <= channel <= 65535:
        return None, None
    record = bytearray(length)
    frequency = number(fields[1], -1.0)
    struct.pack_into("<H", record, 0, channel)
    struct.pack_into("<I", record, 4, int(frequency) if 0 <= frequency < 2**32 else 0)
    flags = 0
    for piece in fields[9].split("+"):
        if piece.strip():
            group = round(number(piece))
            if 1 <= group <= 16:
                flags |= 0x8000 >> (group - 1)
    record[13] = flags >> 8
    record[12] = flags & 0xFF
    for column, offset in ((10, 20), (11, 24)):
        value = whole(fields[column]) if fields[column].strip() else 0
        struct.pack_into("<I", record, offset, value or 0)
    squelch = math.floor(number(fields[13]))
    struct.pack_into("<HH", record, 28, squelch % 65536, 0xFFFF)
    record[32] = MODES.get(fields[16], 0)
    callsign = fields[17].encode("latin-1")[:12]
    comment = fields[18].encode("latin-1")[:31]
    record[36:36 + len(callsign)] = callsign
    record[48:48 + len(comment)] = comment
    if model == "313":
        for column, offset in ((3, 84), (2, 88)):
            if fields[column].strip():
                struct.pack_into("<i", record, offset, round(number(fields[column])))
    words = struct.unpack_from("<%dI" % (length // 4), record)
    checksum = (sum(words) - words[20]) & 0xFFFFFFFF
    struct.pack_into("<I", record, 80, checksum)
    return channel, record


def main():
    model, source, target = sys.argv[1:4]
    length = 84 if model == "303" else 92
    image = bytearray()
    if os.path.exists(target):
        with open(target, "rb") as old:
            image = bytearray(old.read())
    # Latin-1 maps every byte to one character and back, so Windows-1252 text keeps its bytes.
    with open(source, newline="", encoding="latin-1") as csv_file:
        rows = csv.reader(csv_file, skipinitialspace=True)
        first = True
        for fields in rows:
            if not fields or (len(fields) == 1 and not fields[0].strip()):
                continue
            fields = (fields + [""] * 19)[:19]
            if first:
                first = False
                if whole(fields[0]) is None:
                    continue
            if fields[2] == "":
                continue
            channel, record = encode(fields, model)
            if record is None:
                continue
            offset = (channel - 1) * length
            if len(image) < offset + length:
                image.extend(bytes(offset + length - len(image)))
            image[offset:offset + length] = record
    temporary = target + ".baseline-tmp"
    with open(temporary, "wb") as out:
        out.write(image)
        out.flush()
        os.fsync(out.fileno())
    os.replace(temporary, target)


if __name__ == "__main__":
    main()
