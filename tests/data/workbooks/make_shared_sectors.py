#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Quillet developers
"""Writes shared-sectors.xls: a compound document whose directory entries share sectors,
the way some PHP spreadsheet libraries write .xls files, while its Workbook stream is
whole. Excel and LibreOffice open such files; the two property-set streams name one and
the same chain of sectors. The workbook itself is one sheet «Данные» of three rows.

Needs nothing beyond Python; LibreOffice (soffice), when installed, is asked to read the
result back as a check. Run from this folder: ./make_shared_sectors.py
"""

import os
import struct
import subprocess
import tempfile

from make_xls_fixtures import biff8_string, cell, globals_and_sheets

HERE = os.path.dirname(os.path.abspath(__file__))
END, FREE, FAT_SECTOR = 0xFFFFFFFE, 0xFFFFFFFF, 0xFFFFFFFD


def workbook_stream():
    rows = [("Имя", "Город"), ("Анна", "Тверь"), ("Борис", "Омск")]
    strings = [text for row in rows for text in row]
    sst = struct.pack("<II", len(strings), len(strings))
    sst += b"".join(biff8_string(text) for text in strings)
    cells = b"".join(cell(0x00FD, r, c, 15, struct.pack("<I", r * 2 + c))
                     for r in range(len(rows)) for c in range(2))
    stream = globals_and_sheets(0x0600, [], [0], [("Данные", cells)],
                                sst=struct.pack("<HH", 0x00FC, len(sst)) + sst)
    return stream + b"\0" * max(0, 4096 - len(stream))  # past the mini-stream cutoff


def entry(name, kind, left, right, child, start, size):
    encoded = (name + "\0").encode("utf-16-le")
    return (encoded.ljust(64, b"\0") + struct.pack("<HBB", len(encoded), kind, 1)
            + struct.pack("<III", left, right, child) + b"\0" * 36
            + struct.pack("<III", start, size, 0))


def compound_document():
    book = workbook_stream()
    book += b"\0" * (-len(book) % 512)
    book_sectors = len(book) // 512
    shared_sectors = 8  # one chain of 4096 bytes for both property sets
    # Sector 0: the allocation table; 1: the directory; then the workbook; then the
    # shared chain.
    first_book = 2
    first_shared = first_book + book_sectors
    total = first_shared + shared_sectors
    fat = [FAT_SECTOR, END]
    fat += [first_book + i + 1 for i in range(book_sectors - 1)] + [END]
    fat += [first_shared + i + 1 for i in range(shared_sectors - 1)] + [END]
    assert len(fat) == total <= 128
    fat += [FREE] * (128 - len(fat))
    header = b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + b"\0" * 16
    header += struct.pack("<HHHHH", 0x3E, 3, 0xFFFE, 9, 6) + b"\0" * 6
    header += struct.pack("<IIIIIIIII", 0, 1, 1, 0, 4096, END, 0, END, 0)
    header += struct.pack("<109I", *([0] + [FREE] * 108))
    # The root's children as a tree: the workbook, with one property set on each side.
    directory = entry("Root Entry", 5, FREE, FREE, 1, END, 0)
    directory += entry("Workbook", 2, 2, 3, FREE, first_book, len(book))
    directory += entry("\x05SummaryInformation", 2, FREE, FREE, FREE, first_shared, 4096)
    directory += entry("\x05DocumentSummaryInformation", 2, FREE, FREE, FREE, first_shared,
                       4096)
    shared = b"\xFE\xFF" + b"\0" * (4096 - 2)  # a property set's byte order, nothing else
    return (header + struct.pack("<128I", *fat) + directory + book + shared)


def main():
    path = os.path.join(HERE, "shared-sectors.xls")
    with open(path, "wb") as f:
        f.write(compound_document())
    with tempfile.TemporaryDirectory() as work:
        try:
            subprocess.run(["soffice", "-env:UserInstallation=file://" + work + "/profile",
                            "--headless", "--convert-to",
                            "csv:Text - txt - csv (StarCalc):44,34,76", "--outdir", work, path],
                           check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except FileNotFoundError:
            return
        with open(os.path.join(work, "shared-sectors.csv"), encoding="utf-8") as f:
            print("LibreOffice reads:", f.read().strip().replace("\n", " | "))


if __name__ == "__main__":
    main()
