#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Quillet developers
"""Writes hand-made .xlsx packages for the reader tests: broken-*.xlsx, each wrong in
one way, and variants.xlsx, valid but written the way less common producers write
(namespace prefixes, cells without references, ISO dates, absolute part names).
Run from this folder: ./make_crafted.py"""

import os
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
NS = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
R = 'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"

ROOT_RELS = ('<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/'
             'relationships"><Relationship Id="rId1" Type="%sofficeDocument" '
             'Target="xl/workbook.xml"/></Relationships>' % REL)


CONTENT_TYPES = (
    '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
    '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.'
    'relationships+xml"/><Default Extension="xml" ContentType="application/xml"/>'
    '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-'
    'officedocument.spreadsheetml.sheet.main+xml"/>%s</Types>')
SHEET_TYPE = ('<Override PartName="/xl/worksheets/sheet%d.xml" ContentType="application/'
              'vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>')


def content_types(sheets=1):
    return CONTENT_TYPES % "".join(SHEET_TYPE % (i + 1) for i in range(sheets))


def workbook(sheets=("Data",), extra=""):
    items = "".join('<sheet name="%s" sheetId="%d" r:id="rId%d"/>' % (n, i + 1, i + 1)
                    for i, n in enumerate(sheets))
    return '<workbook %s %s>%s<sheets>%s</sheets></workbook>' % (NS, R, extra, items)


def rels(count=1, shared=False, styles=False, absolute=False):
    prefix = "/xl/" if absolute else ""
    out = ['<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/'
           'relationships">']
    for i in range(count):
        out.append('<Relationship Id="rId%d" Type="%sworksheet" Target="%sworksheets/sheet%d'
                   '.xml"/>' % (i + 1, REL, prefix, i + 1))
    if shared:
        out.append('<Relationship Id="rS" Type="%ssharedStrings" Target="%ssharedStrings.xml"/>'
                   % (REL, prefix))
    if styles:
        out.append('<Relationship Id="rT" Type="%sstyles" Target="%sstyles.xml"/>'
                   % (REL, prefix))
    out.append("</Relationships>")
    return "".join(out)


def sheet(body):
    return '<worksheet %s><sheetData>%s</sheetData></worksheet>' % (NS, body)


def package(name, parts, method=zipfile.ZIP_DEFLATED):
    with zipfile.ZipFile(os.path.join(HERE, name), "w", method) as z:
        for part, text in parts.items():
            z.writestr(part, text if isinstance(text, bytes) else text.encode("utf-8"))


def good(sheet_xml, **more):
    parts = {"[Content_Types].xml": content_types(), "_rels/.rels": ROOT_RELS,
             "xl/workbook.xml": workbook(),
             "xl/_rels/workbook.xml.rels": rels(shared="shared" in more),
             "xl/worksheets/sheet1.xml": sheet_xml}
    if "shared" in more:
        parts["xl/sharedStrings.xml"] = more["shared"]
    return parts


def main():
    one_cell = sheet('<row r="1"><c r="A1"><v>1</v></c></row>')
    package("broken-no-workbook.xlsx", {"[Content_Types].xml": "<Types/>"})
    parts = good(one_cell)
    del parts["xl/worksheets/sheet1.xml"]
    package("broken-missing-sheet.xlsx", parts)
    package("broken-malformed-sheet.xlsx", good(one_cell[:60]))
    package("broken-column-beyond-grid.xlsx",
            good(sheet('<row r="1"><c r="XFE1"><v>1</v></c></row>')))
    package("broken-row-beyond-grid.xlsx",
            good(sheet('<row r="1048577"><c r="A1048577"><v>1</v></c></row>')))
    package("broken-shared-index.xlsx",
            good(sheet('<row r="1"><c r="A1" t="s"><v>5</v></c></row>'),
                 shared='<sst %s><si><t>only</t></si></sst>' % NS))
    package("broken-number.xlsx", good(sheet('<row r="1"><c r="A1"><v>12abc</v></c></row>')))
    laughs = ('<?xml version="1.0"?><!DOCTYPE sst [<!ENTITY a "aaaaaaaaaa">'
              '<!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">]><sst %s><si><t>&b;</t></si>'
              '</sst>' % NS)
    package("broken-doctype.xlsx", good(one_cell, shared=laughs))
    # 40 MB of spaces inside the sheet: a few kilobytes compressed.
    bomb = '<worksheet %s><sheetData>' % NS + " " * (40 << 20) + '</sheetData></worksheet>'
    package("broken-bomb.xlsx", good(bomb))
    package("broken-no-sheets.xlsx", dict(good(one_cell), **{"xl/workbook.xml": workbook(())}))

    x = 'xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
    prefixed = ('<x:worksheet %s><x:sheetData><x:row r="1"><x:c r="A1" t="inlineStr"><x:is>'
                '<x:t>prefixed</x:t></x:is></x:c><x:c><x:v>2.5</x:v></x:c></x:row><x:row>'
                '<x:c><x:v>7</x:v></x:c><x:c t="s"><x:v>0</x:v></x:c></x:row>'
                '</x:sheetData></x:worksheet>' % x)
    second = sheet('<row r="3"><c r="C3" s="1" t="d"><v>2024-02-29T06:30:00</v></c>'
                   '<c r="B3" t="inlineStr"><is><r><t>rich </t></r><r><rPr><b/></rPr>'
                   '<t>runs</t></r></is></c><c r="A3" t="s"><v>1</v></c>'
                   '<c r="D3" t="str"><v>cr_x000D_lf</v></c><c r="E3" t="b"><v>0</v></c>'
                   '<c r="F3" t="e"><v>#REF!</v></c><c r="G3" s="2"><v>0.25</v></c>'
                   '<c r="H3" s="9"><v>3</v></c><c r="I3"><f>1+1</f></c></row>')
    shared = ('<sst %s><si><t>shared</t></si><si><r><t>ру</t></r><r><t>сский</t></r>'
              '<rPh sb="0" eb="1"><t>phonetic</t></rPh></si></sst>' % NS)
    styles = ('<styleSheet %s><numFmts><numFmt numFmtId="200" formatCode="dd.mm.yyyy hh:mm"/>'
              '</numFmts><cellXfs><xf numFmtId="0"/><xf numFmtId="200"/><xf numFmtId="9"/>'
              '</cellXfs></styleSheet>' % NS)
    package("variants.xlsx", {
        "[Content_Types].xml": content_types(2),
        "_rels/.rels": ROOT_RELS,
        "xl/workbook.xml": workbook(("Prefixed", "Second"),
                                    '<bookViews><workbookView activeTab="1"/></bookViews>'),
        "xl/_rels/workbook.xml.rels": rels(2, shared=True, styles=True, absolute=True),
        "xl/worksheets/sheet1.xml": prefixed,
        "xl/worksheets/sheet2.xml": second,
        "xl/sharedStrings.xml": shared,
        "xl/styles.xml": styles,
    })


if __name__ == "__main__":
    main()
