#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Quillet developers
"""Writes the workbooks of formats that are read by converting them with LibreOffice, and a
strict Office Open XML workbook. Each holds the sheet «Люди» with the same three rows:

    Имя    Город   Сумма
    Анна   Тверь   12,5
    Борис  Омск    7

- converted.dbf and converted.slk: written by LibreOffice (its dBase and SYLK filters)
  from a semicolon-separated table; the dBase one keeps to ASCII (Name, City, Sum; Anna,
  Tver, 12.5; Boris, Omsk, 7), its first row becoming the field names;
- converted.xlsb: LibreOffice reads Excel binary workbooks but cannot write them, and no
  Debian library does either, so it is assembled here record by record; LibreOffice reads
  it back as a check;
- converted.numbers: nothing here writes Apple Numbers, so it is a package with the
  entries by which such files are known and nothing in them: for telling the format
  apart, not for reading;
- strict.xlsx: LibreOffice's .xlsx rewritten the way Excel saves "Strict Open XML"
  (purl.oclc.org namespaces, conformance="strict"); LibreOffice cannot write those.

Needs libreoffice-calc-nogui (soffice). Run from this folder: ./make_converted.py
"""

import os
import shutil
import struct
import subprocess
import tempfile
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROWS = [("Имя", "Город", "Сумма"), ("Анна", "Тверь", 12.5), ("Борис", "Омск", 7)]
# LibreOffice writes dBase text in the code page it is given but leaves the header's code
# page byte empty, and reads such files back as DOS Latin: the table keeps to ASCII.
DBF_ROWS = [("Name", "City", "Sum"), ("Anna", "Tver", 12.5), ("Boris", "Omsk", 7)]


def soffice(work, args):
    subprocess.run(["soffice", "-env:UserInstallation=file://" + work + "/profile",
                    "--headless"] + args, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def write_csv(path, rows):
    with open(path, "w", encoding="utf-8") as f:
        for row in rows:
            f.write(";".join(str(v) for v in row) + "\n")


def convert(work, source, target, name):
    """LibreOffice converts `source` (UTF-8 text, semicolons between cells) to `target`."""
    out = os.path.join(work, "out-" + name)
    soffice(work, ["--infilter=Text - txt - csv (StarCalc):59,34,76,1", "--convert-to",
                   target, "--outdir", out, source])
    produced = os.path.join(out, os.listdir(out)[0])
    shutil.copy(produced, os.path.join(HERE, name))


# --- Excel binary workbook (MS-XLSB): records of a varint type, a varint size, data. ---

def varint(value):
    out = b""
    while True:
        byte = value & 0x7F
        value >>= 7
        out += bytes([byte | (0x80 if value else 0)])
        if not value:
            return out


def rec(kind, data=b""):
    # Record types are written as the two bytes of their 7-bit groups.
    head = bytes([kind & 0x7F | (0x80 if kind > 0x7F else 0)])
    if kind > 0x7F:
        head += bytes([kind >> 7])
    return head + varint(len(data)) + data


def wide(text):
    encoded = text.encode("utf-16-le")
    return struct.pack("<I", len(encoded) // 2) + encoded


def xlsb_sheet():
    body = rec(0x0081)  # BrtBeginSheet
    body += rec(0x0094, struct.pack("<IIII", 0, len(ROWS) - 1, 0, 2))  # BrtWsDim
    body += rec(0x0091)  # BrtBeginSheetData
    for r, row in enumerate(ROWS):
        body += rec(0x0000, struct.pack("<IIHHBI", r, 0, 300, 0, 0, 1)
                    + struct.pack("<II", 0, 2))  # BrtRowHdr, one column span
        for c, value in enumerate(row):
            cell = struct.pack("<II", c, 0)
            if isinstance(value, str):
                body += rec(0x0006, cell + wide(value))  # BrtCellSt
            else:
                body += rec(0x0005, cell + struct.pack("<d", value))  # BrtCellReal
    body += rec(0x0092)  # BrtEndSheetData
    body += rec(0x0082)  # BrtEndSheet
    return body


def xlsb_workbook():
    body = rec(0x0083)  # BrtBeginBook
    body += rec(0x008F)  # BrtBeginBundleShs
    body += rec(0x009C, struct.pack("<II", 0, 1) + wide("rId1") + wide("Люди"))
    body += rec(0x0090)  # BrtEndBundleShs
    body += rec(0x0084)  # BrtEndBook
    return body


def write_xlsb(path):
    rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    rels_ns = "http://schemas.openxmlformats.org/package/2006/relationships"
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml",
                   '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
                   '<Types xmlns="http://schemas.openxmlformats.org/package/2006/'
                   'content-types"><Default Extension="rels" ContentType="application/'
                   'vnd.openxmlformats-package.relationships+xml"/><Default Extension="bin" '
                   'ContentType="application/vnd.ms-excel.sheet.binary.macroEnabled.main"/>'
                   '<Override PartName="/xl/worksheets/sheet1.bin" ContentType="application/'
                   'vnd.ms-excel.worksheet"/></Types>')
        z.writestr("_rels/.rels",
                   '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
                   '<Relationships xmlns="%s"><Relationship Id="rId1" Type="%sofficeDocument" '
                   'Target="xl/workbook.bin"/></Relationships>' % (rels_ns, rel))
        z.writestr("xl/_rels/workbook.bin.rels",
                   '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
                   '<Relationships xmlns="%s"><Relationship Id="rId1" Type="%sworksheet" '
                   'Target="worksheets/sheet1.bin"/></Relationships>' % (rels_ns, rel))
        z.writestr("xl/workbook.bin", xlsb_workbook())
        z.writestr("xl/worksheets/sheet1.bin", xlsb_sheet())


def write_numbers(path):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_STORED) as z:
        for name in ("Index/Document.iwa", "Index/CalculationEngine.iwa",
                     "Index/Tables/DataList.iwa", "Metadata/DocumentIdentifier",
                     "Metadata/Properties.plist"):
            z.writestr(name, b"")


STRICT = {
    "http://schemas.openxmlformats.org/spreadsheetml/2006/main":
        "http://purl.oclc.org/ooxml/spreadsheetml/main",
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships":
        "http://purl.oclc.org/ooxml/officeDocument/relationships",
    "http://schemas.openxmlformats.org/drawingml/2006/main":
        "http://purl.oclc.org/ooxml/drawingml/main",
}


def write_strict(transitional, path):
    with zipfile.ZipFile(transitional) as src, \
            zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as out:
        for name in src.namelist():
            data = src.read(name)
            if name.endswith(".xml") or name.endswith(".rels"):
                text = data.decode("utf-8")
                for old, new in STRICT.items():
                    text = text.replace(old, new)
                if name == "xl/workbook.xml":
                    text = text.replace("<workbook ", '<workbook conformance="strict" ', 1)
                data = text.encode("utf-8")
            out.writestr(name, data)


def main():
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "Люди.csv")
        write_csv(source, ROWS)
        table = os.path.join(work, "table.csv")
        write_csv(table, DBF_ROWS)
        convert(work, table, "dbf:dBase", "converted.dbf")
        convert(work, source, "slk:SYLK", "converted.slk")
        convert(work, source, "xlsx:Calc MS Excel 2007 XML", "transitional.xlsx")
        write_strict(os.path.join(HERE, "transitional.xlsx"), os.path.join(HERE, "strict.xlsx"))
        os.remove(os.path.join(HERE, "transitional.xlsx"))
        write_xlsb(os.path.join(HERE, "converted.xlsb"))
        write_numbers(os.path.join(HERE, "converted.numbers"))
        for name in ("converted.xlsb", "converted.dbf", "converted.slk"):
            out = os.path.join(work, "check-" + name)
            soffice(work, ["--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76",
                           "--outdir", out, os.path.join(HERE, name)])
            with open(os.path.join(out, os.listdir(out)[0]), encoding="utf-8") as f:
                print(name, "reads as:", f.read().strip().replace("\n", " | "))


if __name__ == "__main__":
    main()
