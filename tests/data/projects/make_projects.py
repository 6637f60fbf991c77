#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Quillet developers
"""Writes the project fixtures byte by byte, independently of the program's writer, in
the form the program itself writes them, so that reading one and writing it again must
give the same bytes:

  plain-fields.qlet  text, image and shape fields without comb items, a relation group,
                     auto-replace pairs; no background
  comb-fields.qlet   comb text fields: a tax number with dashes, a date skipping its
                     dots, a right-aligned sum skipping blanks and commas, a field with a
                     dash flag alone, next to an ordinary text field

Run from this folder: ./make_projects.py
"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
SEP = "\x08"   # between a field's text and its items
COMB = "\x04"  # before the comb items


def chunk(text):
    data = text.encode("cp1251") if isinstance(text, str) else text
    return struct.pack("<Q", len(data)) + data


def lines(items):
    return "".join(item + "\r\n" for item in items)


def text_field(number, text, options, font="Arial", comb=""):
    return "%04d%s%s%s%s%s" % (number, text, SEP, options, font, comb)


def settings(sheet):
    # workbook, sheet, direction, size, shown picture, alignments, margins, angle
    return lines(["данные.xlsx", sheet, "1", "A4/2480,3508", "2480", "3508", "1", "0",
                  "0", "0", "0", "0", "0"])


def project(tree, relations, sheet, replace):
    data = chunk(b"") + chunk(lines(tree)) + chunk(lines(relations)) + chunk(settings(sheet))
    if replace:
        data += chunk(lines(replace))
    return data


def plain():
    tree = [
        text_field(0, "=B2:B50", "0100401$00FFFFFF$005A1E00100012", "Times New Roman"),
        "\t0020,00 0030,00/0100,00 0038,00",
        "\t0020,00 0040,00/0100,00 0048,00",
        text_field(1, "Итого", "1033300$00CCFFFF$00000000011010"),
        "\t0120,00 0030,00/0180,00 0038,00",
        "1002печать.png" + SEP + "1011$00FFFFFF12" + COMB + "1\x05200",
        "\t0050,00 0050,00/0080,00 0080,00",
        "2003ПРЯМОУГОЛЬНИК" + SEP + "00,250-1" + SEP + "1255",
        "\t0010,00 0010,00/0200,00 0100,00",
    ]
    return project(tree, ["0-1"], "Лист1", ["итого", "Итого к оплате", "пусто", ""])


def comb():
    tree = [
        text_field(0, "=A2:A100", "0000001$00FFFFFF$00000000000014", comb=COMB + "11"),
        "\t0020,00 0020,00/0024,00 0027,00",
        "\t0024,00 0020,00/0028,00 0027,00",
        "\t0028,00 0020,00/0032,00 0027,00",
        text_field(1, "=B2:B100", "0000001$00FFFFFF$00000000000014", comb=COMB + "10."),
        "\t0020,00 0030,00/0024,00 0037,00",
        "\t0026,00 0030,00/0030,00 0037,00",
        text_field(2, "=C2:C100", "0022201$00FFFFFF$00000000100012", "Courier New",
                   COMB + "11 ,"),
        "\t0020,00 0040,00/0024,00 0047,00",
        "\t0024,00 0040,00/0028,00 0047,00",
        text_field(3, "=D2:D100", "0000001$00FFFFFF$00000000000010", comb=COMB + "01"),
        "\t0020,00 0050,00/0090,00 0057,00",
        text_field(4, "=E2:E100", "0000001$00FFFFFF$00000000000010"),
        "\t0020,00 0060,00/0090,00 0067,00",
    ]
    return project(tree, ["0,4"], "Клетки", [])


def main():
    for name, data in (("plain-fields.qlet", plain()), ("comb-fields.qlet", comb())):
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
