#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Quillet developers
"""Builds the fixtures for what Excel shows where LibreOffice's CSV export says otherwise,
with their expected texts (en_US and ru_RU).

excel-display.xlsx is written by xlsxwriter and excel-display-xlwt.xls by xlwt, both as Excel
writes (serials in its 1900 count, error values as codes). Their expected texts are the
table below: a column of standard width shows General in at most 11 characters; a
format with conditions shows a negative number without its sign when the section that
takes it admits negative numbers only, and General in the text section stands for the
text; serials before 1 March 1900 count Excel's 29 February 1900; [$-F800] is the
locale's long date; a Russian spreadsheet names error values in Russian.

LibreOffice saves the same workbook (without the sheet of conditional formats, where it
follows rules of its own) as excel-display-lo.xlsx, .ods and .xls. Their expected texts
come from its CSV export "as shown", which keeps LibreOffice's own count of serials in
the files it wrote; General numbers are taken from the table (the export writes them in
full, whatever the column shows) and error codes are named in Russian under ru_RU.

Needs python3-xlsxwriter, python3-xlwt and libreoffice-calc-nogui (soffice).
Run from this folder: ./make_excel_display.py
"""

import os
import shutil
import tempfile

import xlsxwriter
import xlwt

from make_fixtures import HERE, expectations, save_expectations, soffice

SIGNS = '[Red][<-25]General;[Blue][>25]General;[Green]General;[Yellow]General\\ '
LONG_DATE = "[$-F800]dddd, mmmm dd, yyyy"

# Sheet → rows of (label, number format, value, English text, Russian text).
SHEETS = {
    "General": [
        ("11.6666666666667", None, 11.6666666666667, "11.66666667", "11,66666667"),
        ("1.23456789E+22", None, 1.23456789e22, "1.23457E+22", "1,23457E+22"),
        ("account number", None, 123456789012345, "123456789012345", "123456789012345"),
        ("16 digits", None, 1234567890123456, "1.23457E+15", "1,23457E+15"),
        ("one third", None, 1 / 3, "0.333333333", "0,333333333"),
        ("small", None, 0.0000123456, "1.23456E-05", "1,23456E-05"),
        ("small that fits", None, 0.000012345, "0.000012345", "0,000012345"),
        ("tiny", None, 3e-10, "3E-10", "3E-10"),
        ("negative", None, -1234.56789012345, "-1234.56789", "-1234,56789"),
        ("text format", "@", 11.6666666666667, "11.66666667", "11,66666667"),
    ],
    "Signs": [
        ("fourth section, below", SIGNS, -26, "26", "26"),
        ("fourth section, above", SIGNS, 26, "26", "26"),
        ("fourth section, between", SIGNS, -25, "-25", "-25"),
        ("fourth section, zero", SIGNS, 0, "0", "0"),
        ("fourth section, text", SIGNS, "foo", "foo ", "foo "),
        ("rest after >=-1", "[>=-1]0;0", -2, "2", "2"),
        ("rest after >=1", "[>=1]0;0", -2, "-2", "-2"),
        ("<-10 alone", '[<-10]0" Wow"', -20, "20 Wow", "20 Wow"),
        (">-10 alone", '[>-10]0" Wow"', -5, "-5 Wow", "-5 Wow"),
        ("rest after =0", "[=0]?;#,##0.00", -12.3, "-12.30", "-12,30"),
        ("third after two", '[>=1000000]0.0,,"M";[>=1000]0.0,"K";0', -5000, "-5000", "-5000"),
        ("<0 first", "[Red][<0]0.0;[Blue][>0]0.0;0.0", -3, "3.0", "3,0"),
        ("<=0 admits zero", "[<=0]0;0.0", -4, "-4", "-4"),
    ],
    "Dates": [
        ("serial 1", "dd.mm.yyyy", 1, "01.01.1900", "01.01.1900"),
        ("serial 1 weekday", "dddd", 1, "Sunday", "воскресенье"),
        ("serial 15", "d mmmm yyyy", 15, "15 January 1900", "15 января 1900"),
        ("serial 59", "dd.mm.yyyy", 59, "28.02.1900", "28.02.1900"),
        ("serial 60", "dd.mm.yyyy", 60, "29.02.1900", "29.02.1900"),
        ("serial 60 weekday", "dddd", 60, "Wednesday", "среда"),
        ("serial 61", "dd.mm.yyyy", 61, "01.03.1900", "01.03.1900"),
        ("time alone", "dd.mm.yyyy hh:mm", 0.5625, "00.01.1900 13:30", "00.01.1900 13:30"),
        ("long date", LONG_DATE, 45296, "Friday, January 5, 2024", "пятница, 05 января, 2024"),
        ("long date 15th", LONG_DATE, 45306, "Monday, January 15, 2024",
         "понедельник, 15 января, 2024"),
    ],
    "Errors": [
        ("null", "=#NULL!", "#NULL!", "#NULL!", "#ПУСТО!"),
        ("division", "=1/0", "#DIV/0!", "#DIV/0!", "#ДЕЛ/0!"),
        ("value", '="a"+1', "#VALUE!", "#VALUE!", "#ЗНАЧ!"),
        ("reference", "=#REF!", "#REF!", "#REF!", "#ССЫЛКА!"),
        ("name", "=nosuchname()", "#NAME?", "#NAME?", "#ИМЯ?"),
        ("number", "=#NUM!", "#NUM!", "#NUM!", "#ЧИСЛО!"),
        ("not available", "=NA()", "#N/A", "#N/A", "#Н/Д"),
    ],
}

RUSSIAN_ERRORS = {row[3]: row[4] for row in SHEETS["Errors"]}
# The codes of BIFF error cells (xlwt's own names for them are partly wrong).
BIFF_ERRORS = {"#NULL!": 0x00, "#DIV/0!": 0x07, "#VALUE!": 0x0F, "#REF!": 0x17,
               "#NAME?": 0x1D, "#NUM!": 0x24, "#N/A": 0x2A}


def write_xlsxwriter(path, sheets):
    wb = xlsxwriter.Workbook(path)
    formats = {}
    for name in sheets:
        ws = wb.add_worksheet(name)
        for row, (label, fmt, value, _, _) in enumerate(SHEETS[name]):
            ws.write_string(row, 0, label)
            if name == "Errors":
                ws.write_formula(row, 1, fmt, None, value)
                continue
            style = None
            if fmt is not None:
                style = formats.setdefault(fmt, wb.add_format({"num_format": fmt}))
            if isinstance(value, str):
                ws.write_string(row, 1, value, style)
            else:
                ws.write_number(row, 1, value, style)
    wb.close()


def write_xlwt(path):
    wb = xlwt.Workbook()
    for name in ("General", "Dates", "Errors"):
        ws = wb.add_sheet(name)
        for row, (label, fmt, value, _, _) in enumerate(SHEETS[name]):
            ws.write(row, 0, label)
            if name == "Errors":
                ws.row(row).set_cell_error(1, BIFF_ERRORS[value])
            elif fmt is None:
                ws.write(row, 1, value)
            else:
                ws.write(row, 1, value, xlwt.easyxf(num_format_str=fmt))
    wb.save(path)


def table_entries(sheets):
    entries = []
    for name in sheets:
        rows = SHEETS[name]
        expect = {key: {"rows": [[r[0], r[column]] for r in rows], "ambiguous": {}}
                  for key, column in (("en-US", 3), ("ru-RU", 4))}
        entries.append({"sheet": name, "range": "A1:B%d" % len(rows), "expect": expect})
    return entries


def excel_words(entries, stored_errors):
    """LibreOffice's export with General as the table shows it and Russian error words.
    `stored_errors`: the error cells show the codes stored with them, as in the table
    (LibreOffice reads back #N/A for some of those it wrote to an .xls)."""
    for entry in entries:
        sheet = entry["sheet"]
        for key, column in (("en-US", 3), ("ru-RU", 4)):
            rows = entry["expect"][key]["rows"]
            for r, row in enumerate(rows[:len(SHEETS.get(sheet, []))]):
                if sheet == "General" or (sheet == "Errors" and stored_errors):
                    row[1] = SHEETS[sheet][r][column]
                elif sheet == "Errors" and key == "ru-RU":
                    row[1] = RUSSIAN_ERRORS.get(row[1], row[1])


def main():
    work = tempfile.mkdtemp(prefix="quillet-display-")
    about = ("Displayed text of %s (%s) as Excel shows it in columns of standard width, per "
             "locale, from the table of make_excel_display.py.")
    write_xlsxwriter(os.path.join(HERE, "excel-display.xlsx"), list(SHEETS))
    save_expectations("excel-display.xlsx", table_entries(list(SHEETS)),
                      about % ("excel-display.xlsx", "written by xlsxwriter"))
    write_xlwt(os.path.join(HERE, "excel-display-xlwt.xls"))
    save_expectations("excel-display-xlwt.xls", table_entries(["General", "Dates", "Errors"]),
                      about % ("excel-display-xlwt.xls", "written by xlwt"))
    source = os.path.join(work, "excel-display-lo.xlsx")
    write_xlsxwriter(source, ["General", "Dates", "Errors"])
    for target, name in (("xlsx", "excel-display-lo.xlsx"), ("ods", "excel-display-lo-ods.ods"),
                         ("xls", "excel-display-lo-biff8.xls")):
        out = os.path.join(work, "convert-" + target)
        os.makedirs(out, exist_ok=True)
        soffice(["--convert-to", target, source, "--outdir", out], "en_US")
        shutil.copy(os.path.join(out, "excel-display-lo." + target), os.path.join(HERE, name))
        entries = expectations(os.path.join(HERE, name), work)
        excel_words(entries, target == "xls")
        save_expectations(name, entries,
                          "Displayed text of %s (excel-display.xlsx without its sheet of "
                          "conditional formats, saved by LibreOffice) as LibreOffice shows "
                          "it, per locale, from its CSV export 'as shown'; General numbers "
                          "as a column of standard width shows them, error values in "
                          "Russian under ru-RU and, in the .xls, as stored. Made by "
                          "make_excel_display.py." % name)
    shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
