#!/usr/bin/python3
"""Writes the workbooks that once cost the import far more than any user waits, and what the
import must give for each: large ones at test time into a folder of the caller's choosing,
the small LibreOffice one by hand into this folder (it needs soffice; the output is committed).

  make_hostile_workbooks.py OUT_DIR    the large workbooks, each with NAME.expected.tsv (the
                                       analysis grid the import fills, as openpyxl or xlrd
                                       reads sheet cells A1:AR301) or NAME.refusal.txt (the
                                       reason the import refuses it with)
  make_hostile_workbooks.py --committed   import_libreoffice_far_cell.xls, and the date
                                          workbooks import_libreoffice_dates.xls and
                                          import_openpyxl_iso_dates.xlsx, in this folder

The large workbooks are written part by part with a zip writer of this script's own, so that
a part unpacking to gigabytes is made from one compressed block repeated, in a second."""

import os
import struct
import sys
import tempfile
import zlib
import shutil
import subprocess

import random

import openpyxl
import xlrd
import xlwt

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_fixtures  # noqa: E402

GRID_ROWS, GRID_COLUMNS = 301, 44
MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
RELATIONSHIPS = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PACKAGE_RELATIONSHIPS = "http://schemas.openxmlformats.org/package/2006/relationships"
SHEET_TYPE = "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"


class DeflatedPart:
    """A part given as raw deflate data with the size and CRC-32 of what it unpacks to."""

    def __init__(self, data, size, crc):
        self.data, self.size, self.crc = data, size, crc

    @staticmethod
    def of(text):
        raw = text.encode("utf-8")
        packer = zlib.compressobj(6, zlib.DEFLATED, -15)
        return DeflatedPart(packer.compress(raw) + packer.flush(), len(raw), zlib.crc32(raw))

    @staticmethod
    def repeated(head, block, count, tail):
        """head + block * count + tail, the block packed once (a full flush makes every
        packed copy of it the same bytes)."""
        packer = zlib.compressobj(9, zlib.DEFLATED, -15)
        data = packer.compress(head.encode()) + packer.flush(zlib.Z_FULL_FLUSH)
        packed_block = packer.compress(block.encode()) + packer.flush(zlib.Z_FULL_FLUSH)
        crc = zlib.crc32(head.encode())
        for _ in range(count):
            crc = zlib.crc32(block.encode(), crc)
        crc = zlib.crc32(tail.encode(), crc)
        data += packed_block * count + packer.compress(tail.encode()) + packer.flush()
        size = len(head) + len(block) * count + len(tail)
        return DeflatedPart(data, size, crc)


def write_zip(path, parts):
    """parts: (name, DeflatedPart or text) in order; sizes below 4 GiB."""
    with open(path, "wb") as out:
        directory = b""
        for name, part in parts:
            if isinstance(part, str):
                part = DeflatedPart.of(part)
            offset = out.tell()
            encoded = name.encode()
            out.write(struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, 0, 8, 0, 0x21, part.crc,
                                  len(part.data), part.size, len(encoded), 0) + encoded)
            out.write(part.data)
            directory += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 20, 0, 8, 0, 0x21,
                                     part.crc, len(part.data), part.size, len(encoded), 0, 0,
                                     0, 0, 0, offset) + encoded
        start = out.tell()
        out.write(directory)
        out.write(struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(parts), len(parts),
                              len(directory), start, 0))


def workbook_parts(sheets, shared_strings=None):
    """The parts of an .xlsx whose sheets (name, sheet part) are in tab order, the first active."""
    types = ('<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats'
             '.org/package/2006/content-types"><Default Extension="rels" ContentType="application/'
             'vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType='
             '"application/xml"/><Override PartName="/xl/workbook.xml" ContentType="application/'
             'vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>')
    relationships = '<Relationships xmlns="%s">' % PACKAGE_RELATIONSHIPS
    entries = ""
    parts = []
    for number, (name, part) in enumerate(sheets, start=1):
        types += ('<Override PartName="/xl/worksheets/sheet%d.xml" ContentType="%s"/>'
                  % (number, SHEET_TYPE))
        relationships += ('<Relationship Id="rId%d" Type="%s/worksheet" '
                          'Target="worksheets/sheet%d.xml"/>' % (number, RELATIONSHIPS, number))
        entries += '<sheet name="%s" sheetId="%d" r:id="rId%d"/>' % (name, number, number)
        parts.append(("xl/worksheets/sheet%d.xml" % number, part))
    if shared_strings is not None:
        types += ('<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.'
                  'openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>')
        relationships += ('<Relationship Id="rIdS" Type="%s/sharedStrings" '
                          'Target="sharedStrings.xml"/>' % RELATIONSHIPS)
        parts.append(("xl/sharedStrings.xml", shared_strings))
    workbook = ('<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="%s" xmlns:r="%s">'
                '<bookViews><workbookView activeTab="0"/></bookViews><sheets>%s</sheets>'
                '</workbook>' % (MAIN, RELATIONSHIPS, entries))
    root = ('<Relationships xmlns="%s"><Relationship Id="rId1" Type="%s/officeDocument" '
            'Target="xl/workbook.xml"/></Relationships>' % (PACKAGE_RELATIONSHIPS, RELATIONSHIPS))
    return [("[Content_Types].xml", types + "</Types>"), ("_rels/.rels", root),
            ("xl/workbook.xml", workbook),
            ("xl/_rels/workbook.xml.rels", relationships + "</Relationships>")] + parts


def column_letters(column):
    letters = ""
    while column > 0:
        column, rest = divmod(column - 1, 26)
        letters = chr(ord("A") + rest) + letters
    return letters


def escaped(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def sheet_of_rows(rows):
    """A sheet part of the rows from row 1 (numbers and inline strings)."""
    out = ['<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="%s"><sheetData>' % MAIN]
    for r, row in enumerate(rows, start=1):
        out.append('<row r="%d">' % r)
        for c, value in enumerate(row, start=1):
            reference = column_letters(c) + str(r)
            if isinstance(value, str):
                out.append('<c r="%s" t="inlineStr"><is><t>%s</t></is></c>'
                           % (reference, escaped(value)))
            elif value is not None:
                out.append('<c r="%s"><v>%r</v></c>' % (reference, value))
        out.append("</row>")
    out.append("</sheetData></worksheet>")
    return "".join(out)


def million_rows_sheet():
    """1,000,000 rows of 5 numbers each (cells without references, as some writers leave them)."""
    out = ['<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="%s">'
           '<dimension ref="A1:E1000000"/><sheetData>' % MAIN]
    for r in range(1, 1_000_001):
        out.append("<row><c><v>%d</v></c><c><v>%d.5</v></c><c><v>%d</v></c><c><v>-%d</v></c>"
                   "<c><v>%d.25</v></c></row>" % (r, r, r * 3, r, r % 977))
    out.append("</sheetData></worksheet>")
    return DeflatedPart.of("".join(out))


def shared_cells_sheet(rows, columns):
    out = ['<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="%s"><sheetData>' % MAIN]
    for r in range(1, rows + 1):
        out.append('<row r="%d">' % r + '<c t="s"><v>0</v></c>' * columns + "</row>")
    out.append("</sheetData></worksheet>")
    return "".join(out)


def one_long_shared_string(length):
    head = '<?xml version="1.0" encoding="UTF-8"?><sst xmlns="%s"><si><t>' % MAIN
    block = "x" * (1 << 20)
    return DeflatedPart.repeated(head, block, length >> 20, "</t></si></sst>")


def nested_sheet(depth):
    head = ('<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="%s">' % MAIN) + "<a>" * depth
    return DeflatedPart.repeated(head, "", 0, "</a>" * depth + "<sheetData/></worksheet>")


def blank_sheet(gigabytes):
    head = '<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="%s"><sheetData>' % MAIN
    return DeflatedPart.repeated(head, " " * (1 << 20), gigabytes << 10,
                                 "</sheetData></worksheet>")


def grid_lines(cells):
    """The analysis grid the import fills: cells(r, c) from 1 for sheet rows 1 to 301 and
    columns A to AR, one line of 44 TAB-separated texts a row."""
    return "".join("\t".join(make_fixtures.shown_text(cells(r, c)) for c in range(1, 45)) + "\n"
                   for r in range(1, GRID_ROWS + 1))


def expected_by_openpyxl(path):
    book = openpyxl.load_workbook(path, read_only=True, data_only=True)
    sheet = book.active
    values = {}
    for row in sheet.iter_rows(min_row=1, max_row=GRID_ROWS, max_col=GRID_COLUMNS):
        for cell in row:
            if getattr(cell, "value", None) is not None:
                values[(cell.row, cell.column)] = cell.value
    book.close()
    return grid_lines(lambda r, c: values.get((r, c)))


def expected_by_xlrd(path, sheet_index=0):
    book = xlrd.open_workbook(path)
    sheet = book.sheet_by_index(sheet_index)

    def cell(r, c):
        if r > sheet.nrows or c > sheet.ncols:
            return None
        value = sheet.cell_value(r - 1, c - 1)
        return None if value == "" else value
    return grid_lines(cell)


def write_text(path, text):
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write(text)


def write_long_texts_xls(path):
    """A full sheet of texts, most of them long and many of them in letters of two bytes, so
    that the .xls shared string table runs over many records and switches character width
    within its strings; numbers between them, a cell far away, and a first sheet that is not
    the active one."""
    chooser = random.Random(5)
    letters = "abcdefgh\u00fc\u20ac\u03a3\u03a9\u0436\u0451 "
    book = xlwt.Workbook(encoding="utf-8")
    book.add_sheet("Notes").write(0, 0, "not read")
    sheet = book.add_sheet("Analyses")
    for r in range(GRID_ROWS):
        for c in range(GRID_COLUMNS):
            kind = chooser.random()
            if kind < 0.7:
                sheet.write(r, c, "".join(chooser.choice(letters)
                                          for _ in range(chooser.randint(1, 120))))
            elif kind < 0.85:
                sheet.write(r, c, chooser.uniform(-1e6, 1e6))
            elif kind < 0.95:
                sheet.write(r, c, chooser.randint(-100000, 100000))
    sheet.write(5000, 200, "far")
    sheet.set_selected(True)
    book.active_sheet = 1
    book.save(path)


def write_large(folder):
    analyses = make_fixtures.full_rows()
    million = million_rows_sheet()

    path = os.path.join(folder, "active_full_second_million.xlsx")
    write_zip(path, workbook_parts([("Analyses", sheet_of_rows(analyses)),
                                    ("Million", million)]))
    write_text(path + ".expected.tsv", expected_by_openpyxl(path))

    path = os.path.join(folder, "one_sheet_million.xlsx")
    write_zip(path, workbook_parts([("Million", million)]))
    write_text(path + ".expected.tsv", expected_by_openpyxl(path))

    path = os.path.join(folder, "long_texts.xls")
    write_long_texts_xls(path)
    write_text(path + ".expected.tsv", expected_by_xlrd(path, sheet_index=1))

    path = os.path.join(folder, "every_cell_one_long_string.xlsx")
    write_zip(path, workbook_parts([("Shared", shared_cells_sheet(GRID_ROWS, GRID_COLUMNS))],
                                   one_long_shared_string(100 << 20)))
    write_text(path + ".refusal.txt", "Cell A1 holds more than 32,767 characters.")

    path = os.path.join(folder, "two_cells_one_127_mib_string.xlsx")
    write_zip(path, workbook_parts([("Shared", '<worksheet xmlns="%s"><sheetData><row r="3">'
                                    '<c r="B3" t="s"><v>0</v></c><c r="C3" t="s"><v>0</v></c>'
                                    '</row></sheetData></worksheet>' % MAIN)],
                                   one_long_shared_string(127 << 20)))
    write_text(path + ".refusal.txt", "Cell B3 holds more than 32,767 characters.")

    path = os.path.join(folder, "two_million_nested.xlsx")
    write_zip(path, workbook_parts([("Nested", nested_sheet(2_000_000))]))
    write_text(path + ".refusal.txt",
               "The workbook holds more than this program reads: its part "
               "xl/worksheets/sheet1.xml holds XML elements nested more than 256 deep.")

    path = os.path.join(folder, "zip_bomb_3_gb.xlsx")
    write_zip(path, workbook_parts([("Blank", blank_sheet(3))]))
    write_text(path + ".refusal.txt",
               "The workbook holds more than this program reads: its part "
               "xl/worksheets/sheet1.xml holds a text longer than 1 MiB.")


def write_committed():
    """A 20-row analyses sheet and one more value in IV65536, the last cell of an .xls sheet,
    saved as .xls by LibreOffice: soffice --headless --convert-to xls."""
    here = os.path.dirname(os.path.abspath(__file__))
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "far_cell.xlsx")
        book = openpyxl.Workbook()
        sheet = book.active
        sheet.title = "Analyses"
        for r, row in enumerate(make_fixtures.import_rows(), start=1):
            for c, value in enumerate(row, start=1):
                if value is not None:
                    sheet.cell(row=r, column=c, value=value)
        sheet["IV65536"] = "far away"
        book.save(source)
        subprocess.run(["soffice", "--headless", "-env:UserInstallation=file://" + work +
                        "/profile", "--convert-to", "xls", "--outdir", work, source],
                       check=True, stdout=subprocess.DEVNULL)
        target = os.path.join(here, "import_libreoffice_far_cell.xls")
        shutil.copyfile(os.path.join(work, "far_cell.xls"), target)
        write_text(target + ".expected.tsv", expected_by_xlrd(target))


def write_dates():
    """Dates as formula results with a date format, saved as .xls by LibreOffice (which stores
    each formula's result), and dates stored as ISO texts (t="d") by openpyxl."""
    here = os.path.dirname(os.path.abspath(__file__))
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "dates.xlsx")
        book = openpyxl.Workbook()
        sheet = book.active
        sheet["A1"] = "=DATE(2024,3,15)"
        sheet["A1"].number_format = "yyyy-mm-dd"
        sheet["B1"] = "=DATE(2024,3,15)+TIME(13,45,0)"
        sheet["B1"].number_format = "yyyy-mm-dd hh:mm:ss"
        sheet["C1"] = "=DATE(2024,3,15)"  # a number format that shows no date: the number
        sheet["D1"] = make_fixtures.DATE
        sheet["D1"].number_format = "yyyy-mm-dd"
        book.save(source)
        subprocess.run(["soffice", "--headless", "-env:UserInstallation=file://" + work +
                        "/profile", "--convert-to", "xls", "--outdir", work, source],
                       check=True, stdout=subprocess.DEVNULL)
        shutil.copyfile(os.path.join(work, "dates.xls"),
                        os.path.join(here, "import_libreoffice_dates.xls"))
    book = openpyxl.Workbook(iso_dates=True)
    sheet = book.active
    sheet["A1"] = make_fixtures.DATETIME.replace(hour=0, minute=0)
    sheet["B1"] = make_fixtures.DATETIME
    book.save(os.path.join(here, "import_openpyxl_iso_dates.xlsx"))


if __name__ == "__main__":
    if sys.argv[1:] == ["--committed"]:
        write_committed()
        write_dates()
    elif len(sys.argv) == 2:
        write_large(sys.argv[1])
    else:
        sys.exit(__doc__)
