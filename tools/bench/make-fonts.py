#!/usr/bin/env python3
"""Writes COUNT TrueType files into DIRECTORY, each a copy of one of the SOURCE fonts under a
family name of its own, so that a Wine prefix lists COUNT more faces. The family name is
rewritten in place in the name table (same length: its last characters become a number), so
nothing else in the file moves.

    make-fonts.py DIRECTORY COUNT SOURCE.ttf...
"""
import struct
import sys


def family_name(data, name_offset):
    """The family name (name id 1) of the font, as text, from a Windows or Mac record."""
    _, count, storage = struct.unpack_from(">HHH", data, name_offset)
    for index in range(count):
        platform, encoding, _, name_id, length, offset = struct.unpack_from(
            ">HHHHHH", data, name_offset + 6 + 12 * index)
        if name_id != 1:
            continue
        raw = data[name_offset + storage + offset:name_offset + storage + offset + length]
        if platform == 3:
            return raw.decode("utf-16-be")
        if platform == 1 and encoding == 0:
            return raw.decode("latin-1")
    raise ValueError("no family name")


def name_table(data):
    tables = struct.unpack_from(">H", data, 4)[0]
    for index in range(tables):
        tag, _, offset, length = struct.unpack_from(">4sIII", data, 12 + 16 * index)
        if tag == b"name":
            return offset, length
    raise ValueError("no name table")


def renamed(data, number):
    offset, length = name_table(data)
    old = family_name(data, offset)
    digits = str(number)
    if len(digits) >= len(old):
        raise ValueError(f"the family name {old!r} is too short for the number {number}")
    new = old[:len(old) - len(digits)] + digits
    table = bytes(data[offset:offset + length])
    for encoding in ("utf-16-be", "latin-1"):
        table = table.replace(old.encode(encoding), new.encode(encoding))
    return data[:offset] + table + data[offset + length:]


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    directory, count, sources = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
    fonts = [open(source, "rb").read() for source in sources]
    for number in range(count):
        data = renamed(fonts[number % len(fonts)], number)
        with open(f"{directory}/bench{number:04d}.ttf", "wb") as output:
            output.write(data)


if __name__ == "__main__":
    main()
