#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Quillet developers
"""Builds the workbook fixtures of the xlsx and ods reader tests and their expected texts.

The same table of values and number formats is written by openpyxl and xlsxwriter;
LibreOffice converts the openpyxl file to its own xlsx and ods. Each workbook is then
exported by LibreOffice as CSV ("as shown") under en_US and ru_RU, which gives the texts
it displays: those become <name>.expected.json. A second table (LOCALE_CASES) is saved by
LibreOffice under ru_RU as .ods and flat .fods, for readers that format OpenDocument
values under their own locale; "--locale-only" remakes just those.

Needs python3-openpyxl, python3-xlsxwriter and libreoffice-calc-nogui (soffice).
Run from this folder: ./make_fixtures.py
"""

import csv
import datetime
import glob
import json
import os
import shutil
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))

# (label, number format, value). Values are numbers, dates, strings or booleans.
D = datetime.datetime
CASES = [
    ("general int", "General", 42),
    ("general small", "General", 0.000012345),
    ("general tiny", "General", 3e-10),
    ("general big", "General", 123456789012345678),
    ("general neg", "General", -1234.5678),
    ("0", "0", 1234.5),
    ("0.0", "0.0", -0.05),
    ("0.000", "0.000", 1.0005),
    ("#,##0", "#,##0", 9876543.21),
    ("#,##0.00", "#,##0.00", -0.005),
    ("#,##0.000", "#,##0.000", 1234.5675),
    ("#.##", "#.##", 5),
    ("0.###", "0.###", 3.14159),
    ("000.00", "000.00", 7.1),
    ("00-00-00", "00-00-00", 123456),
    ("percent", "0%", 0.005),
    ("percent 2", "0.00%", -1.23456),
    ("sci", "0.00E+00", 6.02214076e23),
    ("sci small", "0.000E+00", -0.00000123),
    ("sci eng", "##0.00E+0", 0.000123),
    ("sci minus only", "0.0E-0", 12345),
    ("frac", "# ?/?", 0.3333),
    ("frac 2", "# ??/??", 2.71828),
    ("frac 3", "?/?", 1.75),
    ("frac fixed", "# ?/8", 3.3),
    ("frac fixed 100", "# ??/100", 0.37),
    ("frac whole", "# ?/?", 5),
    ("currency", '"$"#,##0.00', 1234.567),
    ("currency neg", '"$"#,##0.00_);[Red]("$"#,##0.00)', -42),
    ("rub", '#,##0.00 "₽"', 99.5),
    ("rub tag", '#,##0 [$₽-419]', 1500),
    ("eur tag", '[$€-407] #,##0.00', 10),
    ("text prefix", '"Итого: "0.00', 12.5),
    ("escaped", '0\\ \\k\\g', 3),
    ("blank", '0_)', 8),
    ("two sections", '0.00;(0.00)', -3.14159),
    ("three sections zero", '0;-0;"zero"', 0),
    ("three sections neg", '0;-0;"zero"', -7),
    ("cond", '[<100]"small";[<1000]"medium";"large"', 500),
    ("cond 2", '[Red][<=0]"neg";[Blue]0.0', 2.25),
    ("colour", '[Blue]#,##0;[Red]-#,##0', -1234),
    ("scale", '#,##0,"K"', 123456),
    ("scale 2", '0.00,,"M"', 7654321),
    ("lang ru", '[$-419]#,##0.00', 1234.5),
    ("lang en", '[$-409]#,##0.00', 1234.5),
    ("at text", '@', "text value"),
    ("at number", '@', 12.5),
    ("text section", '0;-0;0;"<"@">"', "wrapped"),
    ("date iso", "yyyy-mm-dd", D(2023, 5, 7)),
    ("date dmy", "dd.mm.yyyy", D(2023, 5, 7)),
    ("date slash", "dd/mm/yyyy", D(2023, 5, 7)),
    ("date d mmmm", "d mmmm yyyy", D(2023, 5, 7)),
    ("date mmmm", "mmmm yyyy", D(2023, 5, 7)),
    ("date mmm", "d mmm yy", D(2023, 5, 7)),
    ("date mmm alone", "mmm", D(2023, 5, 7)),
    ("date mmmmm", "mmmmm", D(2023, 9, 1)),
    ("date ddd", "ddd", D(2023, 5, 7)),
    ("date dddd", "dddd d mmmm", D(2023, 5, 7)),
    ("date ru tag", "[$-419]dddd, d mmmm yyyy", D(2023, 5, 7)),
    ("date ru tag mmm", "[$-419]d mmm yyyy", D(2023, 5, 7)),
    ("date en tag", "[$-409]mmmm d, yyyy", D(2023, 5, 7)),
    ("date yy", "d/m/yy", D(2003, 11, 30)),
    ("date builtin", 14, D(2023, 5, 7)),
    ("date builtin 15", 15, D(2023, 5, 7)),
    ("date builtin 16", 16, D(2023, 5, 7)),
    ("date builtin 17", 17, D(2023, 5, 7)),
    ("datetime", "dd.mm.yyyy hh:mm:ss", D(2023, 12, 31, 23, 59, 59)),
    ("datetime 22", 22, D(2023, 12, 31, 8, 5, 9)),
    ("time h", "h:mm", D(1899, 12, 30, 7, 5)),
    ("time ampm", "hh:mm AM/PM", D(1899, 12, 30, 0, 30)),
    ("time ampm pm", "h:mm:ss AM/PM", D(1899, 12, 30, 12, 0, 1)),
    ("time a/p", "h:mm A/P", D(1899, 12, 30, 18, 45)),
    ("time ss.00", "mm:ss.00", D(1899, 12, 30, 0, 1, 2, 345000)),
    ("elapsed h", "[h]:mm:ss", 2.75),
    ("elapsed m", "[mm]:ss", 0.0625),
    ("elapsed s", "[ss]", 0.001),
    ("time 18", 18, D(1899, 12, 30, 23, 15)),
    ("time 20", 20, D(1899, 12, 30, 23, 15)),
    ("time 45", 45, D(1899, 12, 30, 0, 12, 34)),
    ("time 46", 46, 1.25),
    ("time 47", 47, D(1899, 12, 30, 0, 12, 34, 560000)),
    ("builtin 3", 3, 1234567.5),
    ("builtin 4", 4, -0.5),
    ("builtin 9", 9, 0.125),
    ("builtin 11", 11, 0.000123),
    ("builtin 13", 13, 0.125),
    ("builtin 37", 37, 1234),
    ("builtin 38", 38, -1234),
    ("builtin 40", 40, -1234.5),
    ("builtin 41", 41, 0),
    ("builtin 42", 42, 1234),
    ("builtin 44", 44, -1234.5),
    ("builtin 6", 6, -1234.5),
    ("builtin 8", 8, 1234.5),
    ("text plain", None, "Строка с ё"),
    ("text spaces", None, "  two  spaces  "),
    ("text newline", None, "first\nsecond"),
    ("text digits", None, "0042"),
    ("bool true", None, True),
    ("bool false", None, False),
    ("bool formatted", "0.00", True),
]

# Values whose display depends on the reader's locale, for the OpenDocument files that
# LibreOffice saves under ru_RU: untagged styles follow the reader's locale, tagged ones
# ([$-409], [$-419]) keep their own language.
LOCALE_CASES = [
    ("float small", "General", 0.1),
    ("float large", "General", 1234567.89),
    ("float 16 digits", "General", 9007199254740990),
    ("float negative", "General", -42.125),
    ("float decimals", "General", 3.14159265358979),
    ("grouping", "#,##0.00", 1234567.891),
    ("grouping int", "#,##0", -9876543),
    ("percent", "0.0%", 0.1234),
    ("scientific", "0.00E+00", 0.000123456),
    ("rub", '#,##0.00 [$₽-419]', 1234.5),
    ("rub accounting", '_-* #,##0.00 [$₽-419]_-;-* #,##0.00 [$₽-419]_-;_-* "-"?? [$₽-419]_-;_-@_-',
     0),
    ("usd", '[$$-409]#,##0.00', -1234.5),
    ("eur", '#,##0.00 [$€-407]', 10),
    ("date short", "dd.mm.yyyy", D(2024, 1, 15)),
    ("date long", "d mmmm yyyy", D(2024, 1, 15)),
    ("month year", "mmmm yyyy", D(2024, 1, 15)),
    ("day name", "dddd", D(2024, 1, 15)),
    ("day name short", "ddd d mmm", D(2024, 1, 15)),
    ("date en tag", "[$-409]dddd, mmmm d, yyyy", D(2024, 1, 15)),
    ("date ru tag", "[$-419]d mmmm yyyy", D(2024, 1, 15)),
    ("number en tag", "[$-409]#,##0.00", 1234.5),
    ("number ru tag", "[$-419]#,##0.00", 1234.5),
    ("time", "hh:mm:ss", D(1899, 12, 30, 13, 45, 30)),
    ("time ampm", "h:mm AM/PM", D(1899, 12, 30, 13, 45)),
    ("datetime", "dd.mm.yyyy hh:mm", D(2024, 1, 15, 13, 45)),
    ("elapsed", "[h]:mm", 1.5),
    ("text", None, "Текст"),
    ("bool true", None, True),
    ("bool false", None, False),
]

BUILTIN_CODES = {  # how openpyxl names built-in ids
    3: "#,##0", 4: "#,##0.00", 9: "0%", 11: "0.00E+00", 13: "# ??/??", 14: "mm-dd-yy",
    15: "d-mmm-yy", 16: "d-mmm", 17: "mmm-yy", 18: "h:mm AM/PM", 20: "h:mm",
    22: "m/d/yy h:mm", 45: "mm:ss", 46: "[h]:mm:ss", 47: "mmss.0",
    37: "#,##0 ;(#,##0)", 38: "#,##0 ;[Red](#,##0)", 40: "#,##0.00;[Red](#,##0.00)",
    41: '_(* #,##0_);_(* \\(#,##0\\);_(* "-"_);_(@_)',
    42: '_("$"* #,##0_);_("$"* \\(#,##0\\);_("$"* "-"_);_(@_)',
    44: '_("$"* #,##0.00_)_("$"* \\(#,##0.00\\)_("$"* "-"??_)_(@_)',
    6: '"$"#,##0_);[Red]\\("$"#,##0\\)', 8: '"$"#,##0.00_);[Red]\\("$"#,##0.00\\)',
}


def write_openpyxl(path):
    import openpyxl
    wb = openpyxl.Workbook()
    ws = wb.active
    ws.title = "Cases"
    for row, (label, fmt, value) in enumerate(CASES, start=1):
        ws.cell(row, 1, label)
        cell = ws.cell(row, 2, value)
        if fmt is not None:
            cell.number_format = BUILTIN_CODES[fmt] if isinstance(fmt, int) else fmt
    rep = wb.create_sheet("Repeat")
    for r in range(1, 4):
        for c in range(1, 5):
            rep.cell(r, c, "same")
    rep.cell(5, 2, 7)
    rep.cell(20, 6, "far")
    err = wb.create_sheet("Errors")
    err["A1"] = "#N/A"
    err["A1"].data_type = "e"
    err["A2"] = "#DIV/0!"
    err["A2"].data_type = "e"
    err["A3"] = "plain"
    wb.active = 1
    wb.save(path)


def write_locale_cases(path):
    import openpyxl
    wb = openpyxl.Workbook()
    ws = wb.active
    ws.title = "Locale"
    for row, (label, fmt, value) in enumerate(LOCALE_CASES, start=1):
        ws.cell(row, 1, label)
        cell = ws.cell(row, 2, value)
        if fmt is not None:
            cell.number_format = fmt
    wb.save(path)


def write_xlsxwriter(path, date1904=False):
    import xlsxwriter
    wb = xlsxwriter.Workbook(path, {"date_1904": date1904})
    ws = wb.add_worksheet("Cases")
    formats = {}
    for row, (label, fmt, value) in enumerate(CASES):
        ws.write_string(row, 0, label)
        style = None
        if fmt is not None:
            if fmt not in formats:
                formats[fmt] = wb.add_format({"num_format": fmt})
            style = formats[fmt]
        if isinstance(value, datetime.datetime):
            ws.write_datetime(row, 1, value, style)
        elif isinstance(value, bool):
            ws.write_boolean(row, 1, value, style)
        elif isinstance(value, str):
            ws.write_string(row, 1, value, style)
        else:
            ws.write_number(row, 1, value, style)
    other = wb.add_worksheet("Formulas")
    bold = wb.add_format({"bold": True})
    other.write_rich_string(0, 0, "rich ", bold, "bold", " end")
    other.write_formula(1, 0, "=1/4", wb.add_format({"num_format": "0.00%"}), 0.25)
    other.write_formula(2, 0, '="a"&"b"', None, "ab")
    other.write_formula(3, 0, "=1/0", None, "#DIV/0!")
    other.write_formula(4, 0, "=2>1", None, True)
    other.write_number(6, 3, 1.5)
    other.write_string(6, 5, "sparse")
    other.activate()
    wb.close()


def soffice(args, profile):
    env = dict(os.environ, LC_ALL=profile + ".UTF-8", LANG=profile + ".UTF-8")
    subprocess.run(["soffice", "-env:UserInstallation=file:///tmp/quillet-lo-" + profile,
                    "--headless"] + args, env=env, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def shown_texts(path, locale, workdir):
    """Sheet name → rows of texts LibreOffice shows under `locale`."""
    out = os.path.join(workdir, locale)
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    soffice(["--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,"
             "false,false,-1", path, "--outdir", out], locale)
    stem = os.path.splitext(os.path.basename(path))[0]
    sheets = {}
    for csv_path in glob.glob(os.path.join(out, stem + "-*.csv")):
        name = os.path.basename(csv_path)[len(stem) + 1:-4]
        with open(csv_path, encoding="utf-8", newline="") as f:
            sheets[name] = [row for row in csv.reader(f)]
    return sheets


def column_name(n):
    s = ""
    while n:
        n, r = divmod(n - 1, 26)
        s = chr(65 + r) + s
    return s


def expectations(path, workdir):
    per_locale = {key: shown_texts(path, loc, workdir)
                  for key, loc in (("en-US", "en_US"), ("ru-RU", "ru_RU"))}
    entries = []
    for sheet in sorted(per_locale["en-US"]):
        rows_en = per_locale["en-US"][sheet]
        rows_ru = per_locale["ru-RU"].get(sheet, [])
        height = max(len(rows_en), len(rows_ru)) + 1
        width = max([len(r) for r in rows_en + rows_ru] + [1]) + 1
        expect = {}
        for key, rows in (("en-US", rows_en), ("ru-RU", rows_ru)):
            grid = [[(rows[r][c] if r < len(rows) and c < len(rows[r]) else "")
                     for c in range(width)] for r in range(height)]
            expect[key] = {"rows": grid, "ambiguous": {}}
        entries.append({"sheet": sheet, "range": "A1:%s%d" % (column_name(width), height),
                        "expect": expect})
    return entries


# An .ods keeps the text shown when it was saved. Reopened, LibreOffice renders these
# cells anew from the ods number style, which lost a detail of the xlsx format (narrow
# month, A/P, accounting padding); the stored text is accepted beside it.
ODS_STORED_TEXT = {"Cases": {"B56": "S", "B72": "6:45 p", "B91": " $1,234 ",
                             "B92": " $(1,234.50)"}}


# Cells where LibreOffice, reopening its own file, shows a text that depends on how it
# quotes blanks in the reader's locale: the blank before the fill of an accounting zero
# written under ru_RU is dropped under en_US only. Both texts are accepted.
LOCALE_AMBIGUOUS = {"Locale": {"B11": [" - ₽ ", "- ₽ "]}}


# Where Excel shows another text than LibreOffice's CSV export: the export writes General
# numbers in full, where a column of standard width shows at most 11 characters, and a
# Russian spreadsheet names error values in Russian. General cells, sheet → cell →
# (en-US, ru-RU); error cells, sheet → cells.
STANDARD_WIDTH = {"Cases": {"B4": ("1.23457E+17", "1,23457E+17")},
                  "Locale": {"B3": ("9.0072E+15", "9,0072E+15"),
                             "B5": ("3.141592654", "3,141592654")}}
ERROR_CELLS = {"Errors": ("A1", "A2"), "Formulas": ("A4",)}
RUSSIAN_ERRORS = {"#NULL!": "#ПУСТО!", "#DIV/0!": "#ДЕЛ/0!", "#VALUE!": "#ЗНАЧ!",
                  "#REF!": "#ССЫЛКА!", "#NAME?": "#ИМЯ?", "#NUM!": "#ЧИСЛО!", "#N/A": "#Н/Д"}


def cell_index(ref):
    """"B4" → (row 3, column 1), both from 0."""
    column = 0
    for i, c in enumerate(ref):
        if c.isdigit():
            return int(ref[i:]) - 1, column - 1
        column = column * 26 + ord(c) - 64
    raise ValueError(ref)


def excel_shows(entries, standard_width=STANDARD_WIDTH, error_cells=ERROR_CELLS):
    for entry in entries:
        sheet = entry["sheet"]
        for ref, texts in standard_width.get(sheet, {}).items():
            row, column = cell_index(ref)
            for key, text in zip(("en-US", "ru-RU"), texts):
                entry["expect"][key]["rows"][row][column] = text
        russian = entry["expect"]["ru-RU"]
        for ref in error_cells.get(sheet, ()):
            row, column = cell_index(ref)
            rows = russian["rows"]
            rows[row][column] = RUSSIAN_ERRORS.get(rows[row][column], rows[row][column])
            if ref in russian["ambiguous"]:
                russian["ambiguous"][ref] = [RUSSIAN_ERRORS.get(t, t)
                                             for t in russian["ambiguous"][ref]]


def accept_locale_ambiguity(entries):
    for entry in entries:
        for ref, texts in LOCALE_AMBIGUOUS.get(entry["sheet"], {}).items():
            for expect in entry["expect"].values():
                expect["ambiguous"][ref] = texts


def accept_stored_texts(entries):
    for entry in entries:
        for ref, stored in ODS_STORED_TEXT.get(entry["sheet"], {}).items():
            row = int(ref[1:]) - 1
            for expect in entry["expect"].values():
                shown = expect["rows"][row][1]
                expect["ambiguous"][ref] = [shown, stored]


def save_expectations(workbook, entries, about):
    stem = os.path.splitext(workbook)[0]
    with open(os.path.join(HERE, stem + ".expected.json"), "w", encoding="utf-8") as f:
        json.dump({"about": about, "workbook": workbook, "entries": entries}, f,
                  ensure_ascii=False, indent=1)
        f.write("\n")


ABOUT = ("Displayed text of %s (%s) as LibreOffice shows it, per locale, from its CSV "
         "export 'as shown', with General numbers as a column of standard width shows "
         "them and error values in Russian under ru-RU. Made by make_fixtures.py.")


def make_locale_fixtures(work):
    """The locale cases saved by LibreOffice under ru_RU as .ods and flat .fods."""
    source = os.path.join(work, "locale-source.xlsx")
    write_locale_cases(source)
    made = []
    for target, name in (("ods", "locale-lo-ru.ods"), ("fods", "locale-lo-ru-flat.fods")):
        out = os.path.join(work, "convert-locale-" + target)
        os.makedirs(out, exist_ok=True)
        soffice(["--convert-to", target, source, "--outdir", out], "ru_RU")
        shutil.copy(os.path.join(out, "locale-source." + target), os.path.join(HERE, name))
        made.append((name, "saved by LibreOffice under ru_RU"))
    return made


def main(only_locale=False):
    work = tempfile.mkdtemp(prefix="quillet-fixtures-")
    made = make_locale_fixtures(work)
    if only_locale:
        for name, origin in made:
            about = ABOUT % (name, origin)
            entries = expectations(os.path.join(HERE, name), work)
            excel_shows(entries)
            accept_locale_ambiguity(entries)
            save_expectations(name, entries, about)
        shutil.rmtree(work, ignore_errors=True)
        return
    path = os.path.join(HERE, "cases-openpyxl.xlsx")
    write_openpyxl(path)
    made.append(("cases-openpyxl.xlsx", "written by openpyxl"))
    write_xlsxwriter(os.path.join(HERE, "cases-xlsxwriter.xlsx"))
    made.append(("cases-xlsxwriter.xlsx", "written by xlsxwriter"))
    write_xlsxwriter(os.path.join(HERE, "cases-xlsxwriter-1904.xlsx"), date1904=True)
    made.append(("cases-xlsxwriter-1904.xlsx", "written by xlsxwriter, 1904 date system"))
    for target, suffix in (("xlsx", "-lo.xlsx"), ("ods", "-lo-ods.ods")):
        out = os.path.join(work, "convert-" + target)
        os.makedirs(out, exist_ok=True)
        soffice(["--convert-to", target, path, "--outdir", out], "en_US")
        converted = glob.glob(os.path.join(out, "*." + target))[0]
        name = "cases" + suffix
        shutil.copy(converted, os.path.join(HERE, name))
        made.append((name, "the openpyxl workbook saved by LibreOffice"))
    for name, origin in made:
        about = ABOUT % (name, origin)
        entries = expectations(os.path.join(HERE, name), work)
        excel_shows(entries)
        if name.endswith(".ods"):
            accept_stored_texts(entries)
        accept_locale_ambiguity(entries)
        save_expectations(name, entries, about)
    shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    import sys
    # "--locale-only" remakes just the locale fixtures, leaving the others untouched.
    main(only_locale="--locale-only" in sys.argv[1:])
