#!/usr/bin/env python3
"""Joins .reg sources (UTF-8, each a complete registry-editor file) into one
registry-editor text in UTF-16LE with a byte-order mark and CR LF line ends,
as the program embeds it.

  assemble_reg.py OUTPUT INPUT.reg [INPUT.reg ...]

Inputs are taken in the order given; the header line of every input after
the first is dropped.
"""
import sys

HEADER = "Windows Registry Editor Version 5.00"


def body_of(path):
    text = open(path, encoding="utf-8-sig").read().replace("\r\n", "\n")
    lines = text.split("\n")
    first = next((i for i, line in enumerate(lines) if line.strip()), None)
    if first is None or lines[first].strip() != HEADER:
        sys.exit(f"{path}: the first line must be '{HEADER}'")
    return lines[first + 1:]


def main(output, inputs):
    lines = [HEADER]
    for path in inputs:
        lines.extend(body_of(path))
    text = "\r\n".join(line.rstrip() for line in lines).rstrip("\r\n") + "\r\n"
    data = b"\xff\xfe" + text.encode("utf-16-le")
    with open(output, "wb") as out:
        out.write(data)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2:])
