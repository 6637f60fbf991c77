#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Quillet developers
"""Builds the .xls fixtures of the xls reader tests and their expected texts.

LibreOffice saves as Excel 97-2003 (BIFF8): the shared format cases (cases-lo.xlsx and
its 1904 twin), a workbook of formulas with every kind of result, and one whose shared
string table is long enough to be split over CONTINUE records. LibreOffice no longer
writes Excel 95 (BIFF5), so that file, and a BIFF8 file whose shared strings change
width at a record boundary the way Excel writes them, are assembled here record by
record in a minimal compound document; LibreOffice reads both back for the expected
texts. Expected texts come from make_fixtures.py's CSV export "as shown" (en_US, ru_RU).

Needs python3-openpyxl and libreoffice-calc-nogui (soffice).
Run from this folder: ./make_xls_fixtures.py
"""

import glob
import os
import shutil
import struct
import tempfile

from make_fixtures import HERE, excel_shows, expectations, save_expectations, soffice

LONG_SST_ROWS = 3000


def long_text(n):
    """The text of row n of long-sst.xls (the tests rebuild it the same way)."""
    if n % 3 == 0:
        return "Строка %d: %s" % (n, "абвгд" * (n % 7))
    return "Row %d %s" % (n, "xyz" * (n % 5))


def write_formulas(path):
    import openpyxl
    wb = openpyxl.Workbook()
    ws = wb.active
    ws.title = "Formulas"
    rows = [
        ("number", "=1/4", None),
        ("percent", "=1/4", "0.00%"),
        ("reference", "=B1*8", "#,##0.00"),
        ("date", "=DATE(2024,1,15)", "dd.mm.yyyy"),
        ("text", '="a"&"b"', None),
        ("cyrillic", '="строка "&"ё"', None),
        ("long text", '=REPT("дx",200)', None),
        ("true", "=2>1", None),
        ("false", "=1>2", None),
        ("div0", "=1/0", None),
        ("na", "=NA()", None),
        ("value", '="a"+1', None),
        ("empty text", '=""', None),
    ]
    for row, (label, formula, fmt) in enumerate(rows, start=1):
        ws.cell(row, 1, label)
        cell = ws.cell(row, 2, formula)
        if fmt:
            cell.number_format = fmt
    wb.save(path)


def write_long_sst(path):
    import openpyxl
    wb = openpyxl.Workbook()
    ws = wb.active
    ws.title = "Strings"
    for n in range(1, LONG_SST_ROWS + 1):
        ws.cell(n, 1, long_text(n))
    # One string longer than a record: split in its characters.
    ws.cell(1, 2, "".join("Ж%dz" % i for i in range(3000)))
    wb.save(path)


def to_xls(source, workdir, name):
    out = os.path.join(workdir, "xls-" + name)
    os.makedirs(out, exist_ok=True)
    soffice(["--convert-to", "xls", source, "--outdir", out], "en_US")
    shutil.copy(glob.glob(os.path.join(out, "*.xls"))[0], os.path.join(HERE, name))


# --- A minimal compound document: one stream in regular 512-byte sectors. ---

def compound_document(stream_name, data):
    data = data + b"\0" * max(0, 4096 - len(data))  # past the mini-stream cutoff
    data += b"\0" * (-len(data) % 512)
    stream_sectors = len(data) // 512
    fat_sectors = 1
    while fat_sectors * 128 < fat_sectors + 1 + stream_sectors:
        fat_sectors += 1
    fat = [0xFFFFFFFD] * fat_sectors + [0xFFFFFFFE]  # FAT sectors, then the directory
    first = fat_sectors + 1
    fat += [first + i + 1 for i in range(stream_sectors - 1)] + [0xFFFFFFFE]
    fat += [0xFFFFFFFF] * (fat_sectors * 128 - len(fat))
    header = b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + b"\0" * 16
    header += struct.pack("<HHHHH", 0x3E, 3, 0xFFFE, 9, 6) + b"\0" * 6
    header += struct.pack("<IIIIIIIII", 0, fat_sectors, fat_sectors, 0, 4096,
                          0xFFFFFFFE, 0, 0xFFFFFFFE, 0)
    difat = list(range(fat_sectors)) + [0xFFFFFFFF] * (109 - fat_sectors)
    header += struct.pack("<109I", *difat)

    def entry(name, kind, child, start, size):
        encoded = (name + "\0").encode("utf-16-le")
        return (encoded.ljust(64, b"\0") + struct.pack("<HBB", len(encoded), kind, 1)
                + struct.pack("<III", 0xFFFFFFFF, 0xFFFFFFFF, child) + b"\0" * 36
                + struct.pack("<III", start, size, 0))

    directory = entry("Root Entry", 5, 1, 0xFFFFFFFE, 0)
    directory += entry(stream_name, 2, 0xFFFFFFFF, first, len(data))
    directory = directory.ljust(512, b"\0")
    # Unused directory slots must read as empty entries.
    return header + struct.pack("<%dI" % len(fat), *fat) + directory + data


def record(kind, body):
    return struct.pack("<HH", kind, len(body)) + body


def biff8_string(text, short=False):
    try:
        chars, flag = text.encode("latin-1"), 0
    except UnicodeEncodeError:
        chars, flag = text.encode("utf-16-le"), 1
    count = struct.pack("<B" if short else "<H", len(text))
    return count + bytes([flag]) + chars


def biff5_string(text, short=False):
    chars = text.encode("cp1251")
    return struct.pack("<B" if short else "<H", len(chars)) + chars


def globals_and_sheets(version, formats, xf_formats, sheets, sst=b"", active=0):
    """A workbook stream: globals (formats, XFs, sheet list) and the sheet substreams."""
    biff8 = version == 0x0600
    string = biff8_string if biff8 else biff5_string
    bof = struct.pack("<HHHH", version, 5, 0x0DBB, 0x07CC) + (b"\0" * 8 if biff8 else b"")
    head = record(0x0809, bof)
    head += record(0x0042, struct.pack("<H", 1200 if biff8 else 1251))
    head += record(0x003D, struct.pack("<HHHHHHHHH", 0, 0, 0x4000, 0x2000, 0x38,
                                       active, 0, 1, 600))
    head += record(0x0022, struct.pack("<H", 0))
    for _ in range(5):
        head += record(0x0031, struct.pack("<HHHHHBBBB", 200, 0, 0x7FFF, 400, 0, 0, 0, 0, 0)
                       + string("Arial", short=True))
    for ifmt, code in formats:
        head += record(0x041E, struct.pack("<H", ifmt) + string(code, short=not biff8))
    xf_size = 20 if biff8 else 16
    for _ in range(15):
        head += record(0x00E0, struct.pack("<HHH", 0, 0, 0xFFF5) + b"\0" * (xf_size - 6))
    for ifmt in xf_formats:
        head += record(0x00E0, struct.pack("<HHH", 0, ifmt, 0x0001) + b"\0" * (xf_size - 6))
    sheet_records = [struct.pack("<IBB", 0, 0, 0) + string(name, short=True)
                     for name, _ in sheets]
    globals_size = len(head) + sum(4 + len(r) for r in sheet_records) + len(sst) + 4
    body = b""
    offsets = []
    for name, cells in sheets:
        offsets.append(globals_size + len(body))
        sheet_bof = struct.pack("<HHHH", version, 0x10, 0x0DBB, 0x07CC)
        body += record(0x0809, sheet_bof + (b"\0" * 8 if biff8 else b""))
        # LibreOffice skips the first cell of a sheet without DIMENSIONS.
        body += record(0x0200, struct.pack("<IIHHH" if biff8 else "<HHHHH", 0, 16, 0, 8, 0))
        body += cells
        body += record(0x000A, b"")
    for offset, r in zip(offsets, sheet_records):
        head += record(0x0085, struct.pack("<I", offset) + r[4:])
    return head + sst + record(0x000A, b"") + body


def cell(kind, row, col, xf, body):
    return record(kind, struct.pack("<HHH", row, col, xf) + body)


def write_biff5(path):
    formats = [(164, "DD.MM.YYYY"), (165, '0.00" руб."'), (166, "0.0%")]
    first = cell(0x0204, 0, 0, 15, biff5_string("Привет, мир"))
    first += cell(0x0203, 0, 1, 16, struct.pack("<d", 45306))   # a date
    first += cell(0x0203, 1, 0, 17, struct.pack("<d", 1234.5))  # roubles
    first += cell(0x027E, 1, 1, 18, struct.pack("<I", (25 << 2) | 3))  # 0.25 as RK
    first += cell(0x0205, 2, 0, 15, b"\x01\x00")                 # TRUE
    first += cell(0x0205, 2, 1, 15, b"\x07\x01")                 # #DIV/0!
    # ="Ёлка" with its stored result in a STRING record.
    tokens = b"\x17" + bytes([4]) + "Ёлка".encode("cp1251")
    first += cell(0x0006, 3, 0, 15, b"\0" * 6 + b"\xFF\xFF" + struct.pack("<HIH", 0, 0,
                                                                           len(tokens))
                  + tokens)
    first += record(0x0207, biff5_string("Ёлка"))
    second = cell(0x0204, 0, 0, 15, biff5_string("Второй лист: ёЁ №"))
    second += record(0x00BD, struct.pack("<HH", 1, 0) + struct.pack("<HI", 15, 7 << 2 | 2)
                     + struct.pack("<HI", 15, 8 << 2 | 2) + struct.pack("<H", 1))
    stream = globals_and_sheets(0x0500, formats, [0, 164, 165, 166],
                                [("Первый", first), ("Второй", second)], active=1)
    with open(path, "wb") as f:
        f.write(compound_document("Book", stream))


def sst_split(path):
    """Shared strings split over CONTINUE records as Excel writes them: a character run
    restarts with its own width flag; rich-text runs and phonetic data run on."""
    latin = "Latin start, " * 10
    cyrillic = "кириллица " * 10
    parts = []
    sst = struct.pack("<II", 4, 4)
    sst += biff8_string("первая")
    # 2: 130 Latin-1 chars, then the rest in UTF-16 after the record boundary.
    sst += struct.pack("<HB", len(latin) + len(cyrillic), 0) + latin.encode("latin-1")
    parts.append(sst)
    cont = b"\x01" + cyrillic.encode("utf-16-le")
    # 3: rich text with phonetic data whose runs straddle the next boundary.
    rich = "Жирный и фонетика"
    cont += struct.pack("<HBHI", len(rich), 0x0D, 2, 6) + rich.encode("utf-16-le")
    cont += struct.pack("<HH", 0, 1)  # first run
    parts.append(cont)
    cont = struct.pack("<HH", 3, 0) + b"\x01\x02\x03\x04\x05\x06"  # second run, phonetic
    # 4: UTF-16 text that goes on compressed after the boundary.
    tail = "ABCDEFGH"
    cont += struct.pack("<HB", 3 + len(tail), 1) + "ЯЮЭ".encode("utf-16-le")
    parts.append(cont)
    parts.append(b"\x00" + tail.encode("latin-1"))
    sst_records = record(0x00FC, parts[0]) + b"".join(record(0x003C, p) for p in parts[1:])
    cells = b"".join(cell(0x00FD, i, 0, 15, struct.pack("<I", i)) for i in range(4))
    stream = globals_and_sheets(0x0600, [], [0], [("Split", cells)], sst=sst_records)
    with open(path, "wb") as f:
        f.write(compound_document("Workbook", stream))


# Cells whose text in the spreadsheet the program links to differs from what LibreOffice
# shows for the .xls: a logical value reads TRUE/FALSE (LibreOffice shows 1/0), an error
# cell shows its own error (LibreOffice's export wrote #N/A beside it), in Russian under
# ru_RU, a formula shows the result the file stores (LibreOffice recomputes some when it
# opens the file), and a General number what a column of standard width shows. The
# sheets made from make_fixtures.py's tables follow its excel_shows as well.
EXCEL_SHOWS = {
    "cases-lo-biff8.xls": {"Cases": {"B99": ("TRUE", "ИСТИНА"), "B100": ("FALSE", "ЛОЖЬ")},
                           "Errors": {"A2": ("#DIV/0!", "#ДЕЛ/0!")}},
    "cases-1904.xls": {"Cases": {"B99": ("TRUE", "ИСТИНА"), "B100": ("FALSE", "ЛОЖЬ")},
                       "Formulas": {"A3": ("0", "0"), "A5": ("TRUE", "ИСТИНА")}},
    "formulas.xls": {"Formulas": {"B8": ("TRUE", "ИСТИНА"), "B9": ("FALSE", "ЛОЖЬ"),
                                  "B10": ("#DIV/0!", "#ДЕЛ/0!"), "B11": ("#N/A", "#Н/Д"),
                                  "B12": ("#VALUE!", "#ЗНАЧ!")}},
    "biff5-1251.xls": {"Первый": {"A3": ("TRUE", "ИСТИНА"), "B3": ("#DIV/0!", "#ДЕЛ/0!")}},
    "types.xls": {"Числа": {"B3": ("0.333333333", "0,333333333"),
                            "B4": ("1.23457E+18", "1,23457E+18")}},
}


def excel_texts(name, entries):
    for entry in entries:
        for ref, texts in EXCEL_SHOWS.get(name, {}).get(entry["sheet"], {}).items():
            for key, text in zip(("en-US", "ru-RU"), texts):
                entry["expect"][key]["ambiguous"][ref] = [text]


def main():
    work = tempfile.mkdtemp(prefix="quillet-xls-fixtures-")
    made = []
    for source, name in (("cases-lo.xlsx", "cases-lo-biff8.xls"),
                         ("cases-xlsxwriter-1904.xlsx", "cases-1904.xls")):
        to_xls(os.path.join(HERE, source), work, name)
        made.append((name, "%s saved by LibreOffice as Excel 97-2003" % source))
    write_formulas(os.path.join(work, "formulas.xlsx"))
    to_xls(os.path.join(work, "formulas.xlsx"), work, "formulas.xls")
    made.append(("formulas.xls", "formulas of every result type, saved by LibreOffice"))
    write_long_sst(os.path.join(work, "long-sst.xlsx"))
    to_xls(os.path.join(work, "long-sst.xlsx"), work, "long-sst.xls")
    write_biff5(os.path.join(HERE, "biff5-1251.xls"))
    made.append(("biff5-1251.xls", "Excel 95 records in code page 1251, made here"))
    sst_split(os.path.join(HERE, "sst-split.xls"))
    made.append(("sst-split.xls", "shared strings split as Excel splits them, made here"))
    made.append(("types.xls", "saved by LibreOffice from types.fods"))
    for name, origin in made:
        about = ("Displayed text of %s (%s), per locale: LibreOffice's CSV export 'as "
                 "shown', and Excel's text where it shows another. Made by "
                 "make_xls_fixtures.py." % (name, origin))
        entries = expectations(os.path.join(HERE, name), work)
        if name in ("cases-lo-biff8.xls", "cases-1904.xls"):
            excel_shows(entries)
        excel_texts(name, entries)
        save_expectations(name, entries, about)
    shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
