#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Quillet developers
"""Writes comb.xlsx, the workbook of the comb field tests. Sheet "Клетки", a header row,
then:

  A  "ИНН"        texts: 7707083893 (10 digits), 500100732259 (12), 77070838931289 (14)
  B  "Дата"       15.01.2024 as a date shown dd.mm.yyyy
  C  "Сумма"      1234.5 shown with the format 0.00
  D  "Фамилия"    ИВАНОВ, ПЕТРОВА, СИДОРЕНКО in rows 2–4; ЛИ, КОНСТАНТИНОПОЛЬСКИЙ, ОРЛОВ in
                  rows 6–8
  E  "Должность"  кассир, бухгалтер, директор in rows 2–4; один, два, три in rows 6–8

Needs python3-openpyxl. Run from this folder: ./make_comb.py
"""

import datetime
import os

import openpyxl

HERE = os.path.dirname(os.path.abspath(__file__))


def main():
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Клетки"
    sheet.append(["ИНН", "Дата", "Сумма", "Фамилия", "Должность"])
    rows = {
        2: ["7707083893", datetime.date(2024, 1, 15), 1234.5, "ИВАНОВ", "кассир"],
        3: ["500100732259", None, None, "ПЕТРОВА", "бухгалтер"],
        4: ["77070838931289", None, None, "СИДОРЕНКО", "директор"],
        6: [None, None, None, "ЛИ", "один"],
        7: [None, None, None, "КОНСТАНТИНОПОЛЬСКИЙ", "два"],
        8: [None, None, None, "ОРЛОВ", "три"],
    }
    for row, values in rows.items():
        for column, value in enumerate(values, start=1):
            if value is not None:
                sheet.cell(row, column, value)
    sheet.cell(2, 2).number_format = "DD.MM.YYYY"
    sheet.cell(2, 3).number_format = "0.00"
    book.save(os.path.join(HERE, "comb.xlsx"))


if __name__ == "__main__":
    main()
