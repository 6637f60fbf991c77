#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Quillet developers
"""Writes the fixtures for _xHHHH_ escapes in .xlsx text.

xlsxwriter escapes text the way Excel does: control characters become _x000D_ and the
like, and text that merely looks like an escape gets its underscore escaped
(_x005F_x000D_). It writes shared strings and rich text (escapes-xlsxwriter.xlsx) and,
in its constant-memory mode, inline strings (escapes-xlsxwriter-inline.xlsx).
escapes-crafted.xlsx is made by hand for what no writer at hand produces: lower-case hex
digits, escaped surrogate pairs, escapes cut in two by a run boundary and near misses.

Needs python3-xlsxwriter. Run from this folder: ./make_escapes.py
"""

import os

import xlsxwriter

from make_crafted import NS, ROOT_RELS, content_types, package, rels, sheet, workbook

HERE = os.path.dirname(os.path.abspath(__file__))

# Column A of sheet "Escapes" in both xlsxwriter files; a list is rich text, a
# (bold) run between plain ones.
WRITTEN = [
    "carriage\rreturn",
    "start\x01\x1fend",
    "literal _x000D_ stays",
    "_x005F_",
    ["run\r", "_x0041_", " end\x02"],
]


def write_xlsxwriter(name, options):
    wb = xlsxwriter.Workbook(os.path.join(HERE, name), options)
    ws = wb.add_worksheet("Escapes")
    bold = wb.add_format({"bold": True})
    for row, text in enumerate(WRITTEN):
        if isinstance(text, list):
            ws.write_rich_string(row, 0, text[0], bold, text[1], text[2])
        else:
            ws.write_string(row, 0, text)
    wb.close()


def write_crafted():
    strings = ["lower_x000d_case", "_x005f_x000D_", "_xD83D__xDE00_", "_X000D_", "_x00G0_",
               "end_x000D", "_x0041__x0042_"]
    items = ["<si><t>%s</t></si>" % s for s in strings]
    items.append("<si><r><t>_x00</t></r><r><t>41_</t></r></si>")
    shared = '<sst %s>%s</sst>' % (NS, "".join(items))
    inline = ["<is><t>_xd83d__xde00_</t></is>",
              '<is><r><t>a_x000D_</t></r><r><t>_x000A_b</t></r></is>',
              "<is><r><t>_x00</t></r><r><t>41_</t></r></is>"]
    rows = []
    for r in range(max(len(items), len(inline))):
        cells = ""
        if r < len(items):
            cells += '<c r="A%d" t="s"><v>%d</v></c>' % (r + 1, r)
        if r < len(inline):
            cells += '<c r="B%d" t="inlineStr">%s</c>' % (r + 1, inline[r])
        rows.append('<row r="%d">%s</row>' % (r + 1, cells))
    package("escapes-crafted.xlsx", {
        "[Content_Types].xml": content_types(),
        "_rels/.rels": ROOT_RELS,
        "xl/workbook.xml": workbook(("Escapes",)),
        "xl/_rels/workbook.xml.rels": rels(shared=True),
        "xl/worksheets/sheet1.xml": sheet("".join(rows)),
        "xl/sharedStrings.xml": shared,
    })


def main():
    write_xlsxwriter("escapes-xlsxwriter.xlsx", {})
    write_xlsxwriter("escapes-xlsxwriter-inline.xlsx", {"constant_memory": True})
    write_crafted()


if __name__ == "__main__":
    main()
