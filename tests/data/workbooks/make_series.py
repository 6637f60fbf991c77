#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Quillet developers
"""Writes series.xlsx, the workbook of the column chooser tests, and series.ods, the same
workbook as LibreOffice saves it. Its sheets:

  Реестр   records in rows under a header row: A "№" 1…30, B "ФИО" (and "Итого" in B33),
           C "Сумма" as #,##0.00 from 1234.5, D "Дата" as dd.mm.yyyy, E "Примечание" in
           E2, E10 only, F "Подпись" with no data, G empty, H "Код" texts.
  Поперёк  records in columns: A1:A3 "ФИО", "Город", "Сумма"; B…K the records; L1 an
           extra text.
  Числа    numbers from A1, no header.
  Тексты   texts alone: "Имя", "Анна", "Борис".
  Отступ   two empty rows, then the header row 3 "Товар", "Цена" and data rows 4–6.
  Пустой   no cells.

Needs libreoffice-calc-nogui (soffice) for the .ods. Run from this folder: ./make_series.py
"""

import os
import shutil
import subprocess
import tempfile
import zipfile
from xml.sax.saxutils import escape

HERE = os.path.dirname(os.path.abspath(__file__))
NS = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
R = 'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
PKG = "http://schemas.openxmlformats.org/package/2006/relationships"
CT = "application/vnd.openxmlformats-officedocument.spreadsheetml."

NAMES = ["Иванов И. И.", "Петров П. П.", "Сидоров С. С.", "Кузнецова А. В.",
         "Смирнов Д. А.", "Попова Е. Н."]
CITIES = ["Москва", "Тверь", "Казань", "Омск", "Самара", "Пермь", "Томск", "Уфа", "Орёл",
          "Чита"]

# Cell styles: 0 general, 1 #,##0.00, 2 dd.mm.yyyy.
STYLES = ('<styleSheet %s><numFmts count="2"><numFmt numFmtId="164" formatCode="#,##0.00"/>'
          '<numFmt numFmtId="165" formatCode="dd.mm.yyyy"/></numFmts>'
          '<fonts count="1"><font><sz val="11"/><name val="Calibri"/></font></fonts>'
          '<fills count="1"><fill><patternFill patternType="none"/></fill></fills>'
          '<borders count="1"><border/></borders>'
          '<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/>'
          '</cellStyleXfs><cellXfs count="3">'
          '<xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>'
          '<xf numFmtId="164" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>'
          '<xf numFmtId="165" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>'
          '</cellXfs></styleSheet>' % NS)


def column_letters(n):
    letters = ""
    while n > 0:
        n, rest = divmod(n - 1, 26)
        letters = chr(65 + rest) + letters
    return letters


def text(ref, value):
    return '<c r="%s" t="inlineStr"><is><t>%s</t></is></c>' % (ref, escape(value))


def number(ref, value, style=0):
    return '<c r="%s"%s><v>%r</v></c>' % (ref, ' s="%d"' % style if style else "", value)


def sheet(rows):
    """rows: {row number: [cell xml, ...]}"""
    body = "".join('<row r="%d">%s</row>' % (r, "".join(cells))
                   for r, cells in sorted(rows.items()))
    return '<worksheet %s><sheetData>%s</sheetData></worksheet>' % (NS, body)


def register():
    rows = {1: [text("A1", "№"), text("B1", "ФИО"), text("C1", "Сумма"), text("D1", "Дата"),
                text("E1", "Примечание"), text("F1", "Подпись"), text("H1", "Код")]}
    for i in range(30):
        r = i + 2
        cells = [number("A%d" % r, i + 1), text("B%d" % r, NAMES[i % len(NAMES)]),
                 number("C%d" % r, 1234.5 + 100 * i, 1), number("D%d" % r, 45292 + i, 2)]
        if r == 2:
            cells.append(text("E2", "срочно"))
        if r == 10:
            cells.append(text("E10", "позвонить"))
        cells.append(text("H%d" % r, "К-%02d" % (i + 1)))
        rows[r] = cells
    rows[33] = [text("B33", "Итого")]
    return sheet(rows)


def across():
    rows = {1: [text("A1", "ФИО")], 2: [text("A2", "Город")], 3: [text("A3", "Сумма")]}
    for i in range(10):
        col = column_letters(i + 2)
        rows[1].append(text("%s1" % col, NAMES[i % len(NAMES)]))
        rows[2].append(text("%s2" % col, CITIES[i]))
        rows[3].append(number("%s3" % col, 500 + 25 * i, 1))
    rows[1].append(text("L1", "лишнее"))
    return sheet(rows)


def numbers():
    return sheet({r: [number("A%d" % r, r * 10), number("B%d" % r, r * 0.5)]
                  for r in range(1, 6)})


def texts():
    return sheet({1: [text("A1", "Имя")], 2: [text("A2", "Анна")], 3: [text("A3", "Борис")]})


def indented():
    rows = {3: [text("A3", "Товар"), text("B3", "Цена")]}
    for i, (item, price) in enumerate([("Стол", 4500), ("Стул", 1200), ("Шкаф", 9900)]):
        rows[4 + i] = [text("A%d" % (4 + i), item), number("B%d" % (4 + i), price)]
    return sheet(rows)


SHEETS = [("Реестр", register), ("Поперёк", across), ("Числа", numbers), ("Тексты", texts),
          ("Отступ", indented), ("Пустой", lambda: sheet({}))]


def write_xlsx(path):
    content_types = ('<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
                     '<Default Extension="rels" ContentType="application/vnd.openxmlformats-'
                     'package.relationships+xml"/><Default Extension="xml" '
                     'ContentType="application/xml"/><Override PartName="/xl/workbook.xml" '
                     'ContentType="%ssheet.main+xml"/><Override PartName="/xl/styles.xml" '
                     'ContentType="%sstyles+xml"/>' % (CT, CT))
    for i in range(len(SHEETS)):
        content_types += ('<Override PartName="/xl/worksheets/sheet%d.xml" '
                          'ContentType="%sworksheet+xml"/>' % (i + 1, CT))
    content_types += "</Types>"
    sheets = "".join('<sheet name="%s" sheetId="%d" r:id="rId%d"/>' % (name, i + 1, i + 1)
                     for i, (name, _) in enumerate(SHEETS))
    workbook = '<workbook %s %s><sheets>%s</sheets></workbook>' % (NS, R, sheets)
    rels = "".join('<Relationship Id="rId%d" Type="%sworksheet" Target="worksheets/sheet%d.xml"/>'
                   % (i + 1, REL, i + 1) for i in range(len(SHEETS)))
    rels += '<Relationship Id="rS" Type="%sstyles" Target="styles.xml"/>' % REL
    parts = {
        "[Content_Types].xml": content_types,
        "_rels/.rels": '<Relationships xmlns="%s"><Relationship Id="rId1" Type="%s'
                       'officeDocument" Target="xl/workbook.xml"/></Relationships>' % (PKG, REL),
        "xl/workbook.xml": workbook,
        "xl/_rels/workbook.xml.rels": '<Relationships xmlns="%s">%s</Relationships>' % (PKG, rels),
        "xl/styles.xml": STYLES,
    }
    for i, (_, make) in enumerate(SHEETS):
        parts["xl/worksheets/sheet%d.xml" % (i + 1)] = make()
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for part, xml in parts.items():
            z.writestr(part, xml.encode("utf-8"))


def main():
    xlsx = os.path.join(HERE, "series.xlsx")
    write_xlsx(xlsx)
    with tempfile.TemporaryDirectory() as work:
        subprocess.run(["soffice", "-env:UserInstallation=file://%s/profile" % work,
                        "--headless", "--convert-to", "ods", "--outdir", work, xlsx],
                       check=True, stdout=subprocess.DEVNULL)
        shutil.copy(os.path.join(work, "series.ods"), os.path.join(HERE, "series.ods"))


if __name__ == "__main__":
    main()
