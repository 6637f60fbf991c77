#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Quillet developers
"""Writes uncached-formulas.xlsx: formulas as openpyxl stores them, with no results.

openpyxl writes every formula on its own, so the sheet is then edited to hold what other
scripts write too: a shared formula over D1:D3 (its children carry only the group number)
and one formula with its result stored, which needs no computing.
Run from this folder: ./make_uncached.py (needs python3-openpyxl).
"""

import datetime
import os
import re
import zipfile

import openpyxl

HERE = os.path.dirname(os.path.abspath(__file__))

book = openpyxl.Workbook()
first = book.active
first.title = "Лист1"
first["A1"] = 2
first["B1"] = "=A1+3"                      # 5
first["B2"] = "=B1*10"                     # 50.00
first["B2"].number_format = "0.00"
first["B3"] = '="Сумма: "&B1'              # Сумма: 5
first["B4"] = "=1/0"                       # #DIV/0!
first["B5"] = "=DATE(2024,1,15)"           # 15.01.2024
first["B5"].number_format = "dd.mm.yyyy"
first["B6"] = "=Данные!A1*2"               # 14
first["C1"] = "text"
first["C2"] = datetime.date(2020, 2, 29)
first["C2"].number_format = "dd.mm.yyyy"
first["C3"] = datetime.date(2024, 1, 15)   # built-in short date (14): by the reader's locale
first["C3"].number_format = "mm-dd-yy"
for row in range(1, 4):                    # made a shared formula below: 3, 4, 5
    first.cell(row=row, column=4, value="=ROW()+2")
first["F1"] = "=1+1"                       # given the stored result 2 below
first["E1"] = "=SUM(A1:A1*3)"              # an array formula: 6
first.formula_attributes["E1"] = {"t": "array", "ref": "E1"}
data = book.create_sheet("Данные")
data["A1"] = 7
book.active = 1
path = os.path.join(HERE, "uncached-formulas.xlsx")
book.save(path)


def share(xml):
    xml = xml.replace('<c r="D1"><f>ROW()+2</f>',
                      '<c r="D1"><f t="shared" ref="D1:D3" si="0">ROW()+2</f>')
    xml = re.sub(r'<c r="(D[23])"><f>ROW\(\)\+2</f>', r'<c r="\1"><f t="shared" si="0"/>', xml)
    return xml.replace('<f>1+1</f><v></v>', '<f>1+1</f><v>2</v>')


with zipfile.ZipFile(path) as source:
    parts = [(item, source.read(item.filename)) for item in source.infolist()]
with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as target:
    for item, data in parts:
        if item.filename == "xl/worksheets/sheet1.xml":
            data = share(data.decode("utf-8")).encode("utf-8")
        target.writestr(item, data)
