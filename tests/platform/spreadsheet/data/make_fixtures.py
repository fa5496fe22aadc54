#!/usr/bin/python3
"""Writes the workbook fixtures of the spreadsheet tests with the writers other programs use.

Run by hand from this folder (/usr/bin/python3 make_fixtures.py); the outputs are committed.
Every fixture holds the same first sheet where its writer can hold it, so one table of expected
cell texts serves them all (see workbook_fixtures_test.cpp)."""

import datetime
import os
import shutil
import subprocess
import tempfile
import zipfile

import openpyxl
import xlsxwriter
import xlwt

DATE = datetime.date(2024, 3, 15)
DATETIME = datetime.datetime(2024, 3, 15, 13, 45, 0)


def plain_cells():
    """(row, column, value) from 1 of the cells every writer can write."""
    return [
        (1, 1, "Row No"), (1, 2, "Sample No"), (1, 3, "SiO2"), (1, 4, "Al2O3"),
        (2, 1, 1), (2, 2, "EP-1"), (2, 3, 38.65042), (2, 4, 23),
        (3, 1, 2), (3, 2, "EP 2 \u00fcn\u00ef \u2013 Fe\u00b3\u207a"), (3, 3, -0.0091),
        (3, 5, "after gap"),
        (6, 1, "  spaced  "), (6, 2, 1234567.125), (6, 3, -17), (6, 4, 0.1),
        (301, 44, "far"),
    ]


def write_openpyxl(path):
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Analyses"
    for row, column, value in plain_cells():
        sheet.cell(row=row, column=column, value=value)
    sheet.cell(row=4, column=1, value=DATE).number_format = "yyyy-mm-dd"
    sheet.cell(row=4, column=2, value=DATETIME)  # openpyxl's own date-time format
    sheet.cell(row=4, column=3, value=DATE).number_format = "mm-dd-yy"  # built-in format 14
    sheet.cell(row=4, column=4, value=True)
    sheet.cell(row=5, column=1, value="=C2+D2")  # openpyxl stores no cached value
    second = book.create_sheet("Second")
    second["A1"] = "second sheet"
    book.save(path)


def write_xlsxwriter(path):
    book = xlsxwriter.Workbook(path)
    sheet = book.add_worksheet("Analyses")
    for row, column, value in plain_cells():
        if isinstance(value, str):
            sheet.write_string(row - 1, column - 1, value)
        else:
            sheet.write_number(row - 1, column - 1, value)
    iso_date = book.add_format({"num_format": "yyyy-mm-dd"})
    custom_date_time = book.add_format({"num_format": "dd/mm/yyyy hh:mm"})
    builtin_date = book.add_format({"num_format": 14})
    sheet.write_datetime(3, 0, DATETIME.replace(hour=0, minute=0), iso_date)
    sheet.write_datetime(3, 1, DATETIME, custom_date_time)
    sheet.write_datetime(3, 2, DATETIME.replace(hour=0, minute=0), builtin_date)
    sheet.write_boolean(3, 3, True)
    sheet.write_formula(4, 0, "=C2+D2", None, 61.65042)
    sheet.write_formula(4, 1, '="E"&"P"', None, "EP")
    sheet.write_formula(4, 2, "=1>0", None, True)
    sheet.write_formula(4, 3, "=1/0", None, "#DIV/0!")
    subscript = book.add_format({"font_script": 2})
    sheet.write_rich_string(6, 0, "Al", subscript, "2", "O", subscript, "3")
    second = book.add_worksheet("Second")
    second.write_string(0, 0, "second sheet")
    book.close()


def write_xlwt(path):
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Analyses")
    for row, column, value in plain_cells():
        sheet.write(row - 1, column - 1, value)
    date_style = xlwt.easyxf(num_format_str="yyyy-mm-dd")
    date_time_style = xlwt.easyxf(num_format_str="yyyy-mm-dd hh:mm:ss")
    sheet.write(3, 0, DATETIME.replace(hour=0, minute=0), date_style)
    sheet.write(3, 1, DATETIME, date_time_style)
    sheet.write(4, 0, xlwt.Formula("C2+D2"))
    second = book.add_sheet("Second")
    second.write(0, 0, "second sheet")
    book.save(path)


def write_date1904(path):
    book = xlsxwriter.Workbook(path, {"date_1904": True})
    sheet = book.add_worksheet()
    sheet.write_datetime(0, 0, DATETIME.replace(hour=0, minute=0),
                         book.add_format({"num_format": "yyyy-mm-dd"}))
    book.close()


HANDMADE_WORKBOOK = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<x:workbook xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main"
 xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<x:bookViews><x:workbookView activeTab="1"/></x:bookViews>
<x:sheets><x:sheet name="First" sheetId="1" r:id="rIdA"/>
<x:sheet name="Active" sheetId="2" r:id="rIdB"/></x:sheets></x:workbook>"""

HANDMADE_RELS = """<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rIdA" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="sheets/../sheets/one.xml"/>
<Relationship Id="rIdB" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/book/sheets/two.xml"/>
<Relationship Id="rIdS" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="strings.xml"/>
</Relationships>"""

HANDMADE_ROOT_RELS = """<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="book/main.xml"/>
</Relationships>"""

HANDMADE_STRINGS = """<?xml version="1.0" encoding="UTF-8"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<si><t>line one_x000D_</t></si>
<si><r><t>Fe</t></r><r><rPr><vertAlign val="superscript"/></rPr><t>3+</t></r><rPh sb="0" eb="1"><t>phonetic</t></rPh></si>
<si><t xml:space="preserve">  kept  </t></si>
</sst>"""

# Cells without references follow one another; rows without numbers follow one another.
HANDMADE_SHEET_ONE = """<?xml version="1.0" encoding="UTF-8"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>
<row><c t="s"><v>0</v></c><c t="s"><v>1</v></c><c><v>1.5E-3</v></c></row>
<row><c r="C2" t="s"><v>2</v></c><c><v>7</v></c></row>
<row r="5"><c r="B5" t="e"><v>#N/A</v></c><c r="C5" t="str"><v>cached</v></c><c r="D5"><f>A1</f></c></row>
</sheetData></worksheet>"""

HANDMADE_SHEET_TWO = """<?xml version="1.0" encoding="UTF-8"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>
<row r="1"><c r="A1" t="inlineStr"><is><r><t>Al</t></r><r><rPr><vertAlign val="subscript"/></rPr><t>2</t></r><r><t>O</t></r><r><rPr><vertAlign val="subscript"/></rPr><t>3</t></r></is></c></row>
</sheetData></worksheet>"""


def write_handmade(path):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        archive.writestr("[Content_Types].xml", "<Types/>")
        archive.writestr("_rels/.rels", HANDMADE_ROOT_RELS)
        archive.writestr("book/main.xml", HANDMADE_WORKBOOK)
        archive.writestr("book/_rels/main.xml.rels", HANDMADE_RELS)
        archive.writestr("book/strings.xml", HANDMADE_STRINGS)
        archive.writestr("book/sheets/one.xml", HANDMADE_SHEET_ONE)
        archive.writestr("book/sheets/two.xml", HANDMADE_SHEET_TWO)


# The import fixtures: an analyses sheet laid out like the analysis grid (headings in row 1, row
# numbers in column A, sample names in column B, the 42 constituents from column C on), 20 rows
# in all, written by each writer; and the expected analysis grid after importing it.

OXIDES = [
    "SiO2", "TiO2", "Al2O3", "Cr2O3", "V2O3", "Fe2O3", "Mn2O3", "FeO", "MgO", "MnO", "NiO",
    "CuO", "PbO", "ZnO", "BaO", "CaO", "SrO", "Na2O", "K2O", "P2O5", "Nb2O5", "SnO2", "La2O3",
    "Ce2O3", "Pr2O3", "Nd2O3", "Sm2O3", "Eu2O3", "Gd2O3", "Tb2O3", "Dy2O3", "Ho2O3", "Er2O3",
    "Tm2O3", "Yb2O3", "Lu2O3", "Y2O3", "ThO2", "UO2", "F", "Cl", "H2O",
]
HEADINGS = ["Row No", "Sample No"] + OXIDES
ANALYSES_TSV = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..",
                            "calculation", "chain", "data", "analyses.tsv")
IMPORT_ROWS = 20  # the heading row and 19 analyses
# CaO of the second analysis is a formula whose value is 23.2.
FORMULA_ROW, FORMULA_COLUMN, FORMULA, FORMULA_VALUE = 3, 18, "=ROUND(23.2,2)", 23.2


def import_rows():
    """The sheet's rows from row 1: lists of 44 values (None for an empty cell)."""
    analyses = []
    with open(ANALYSES_TSV, encoding="utf-8") as source:
        for line in source:
            if line.startswith("#") or not line.strip():
                continue
            fields = line.rstrip("\n").split("\t")
            values = [float(f) if f else None for f in fields[1:43]]
            analyses.append([fields[0]] + values + [None] * (42 - len(values)))
    rows = [list(HEADINGS)]
    for number in range(1, IMPORT_ROWS):
        sample = list(analyses[(number - 1) % len(analyses)])
        if number > len(analyses):
            sample[0] += " b"
        rows.append([number] + sample)
    rows[1][1] = "S\u00e4mple \u00d81"  # Windows-1252 letters
    rows[2][11] = 0.00001  # a number written in exponent form by some writers (MnO)
    return rows


def shown_text(value):
    """The text the import gives a cell: numbers in their shortest round-trip form."""
    if value is None:
        return ""
    if isinstance(value, str):
        return value
    if float(value).is_integer():
        return str(int(value))
    return repr(float(value))


def write_import_expected(path):
    """The analysis grid after the import, 301 rows of 44 cells, TAB-separated, UTF-8."""
    rows = import_rows()
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        for r in range(301):
            cells = rows[r] if r < len(rows) else [None] * 44
            out.write("\t".join(shown_text(v) for v in cells) + "\n")


def write_import_data_file(path):
    """The data file Save As writes after the import: Windows-1252, the data block of 300 rows
    and 43 cells between double quotes, cells by TAB, rows by CR, then CR LF."""
    rows = import_rows()
    lines = []
    for r in range(1, 301):
        cells = rows[r][1:] if r < len(rows) else [None] * 43
        lines.append("\t".join(shown_text(v) for v in cells))
    with open(path, "wb") as out:
        out.write(('"' + "\r".join(lines) + '"\r\n').encode("cp1252"))


def notes_rows():
    return [["Analyses are on the sheet \"Analyses\"."], ["not", "analyses", 99]]


def write_import_openpyxl(path):
    book = openpyxl.Workbook()
    notes = book.active
    notes.title = "Notes"
    for r, row in enumerate(notes_rows(), start=1):
        for c, value in enumerate(row, start=1):
            notes.cell(row=r, column=c, value=value)
    sheet = book.create_sheet("Analyses")
    for r, row in enumerate(import_rows(), start=1):
        for c, value in enumerate(row, start=1):
            if value is not None:
                sheet.cell(row=r, column=c, value=value)
    book.active = 1
    book.save(path)


def write_import_xlsxwriter(path, analyses_first=False):
    book = xlsxwriter.Workbook(path)
    names = ["Analyses", "Notes"] if analyses_first else ["Notes", "Analyses"]
    sheets = {name: book.add_worksheet(name) for name in names}
    for r, row in enumerate(notes_rows()):
        for c, value in enumerate(row):
            sheets["Notes"].write(r, c, value)
    sheet = sheets["Analyses"]
    for r, row in enumerate(import_rows()):
        for c, value in enumerate(row):
            if (r + 1, c + 1) == (FORMULA_ROW, FORMULA_COLUMN):
                sheet.write_formula(r, c, FORMULA, None, FORMULA_VALUE)
            elif isinstance(value, str):
                sheet.write_string(r, c, value)
            elif value is not None:
                sheet.write_number(r, c, value)
    sheet.activate()
    book.close()


def write_import_xlwt(path):
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Analyses")
    for r, row in enumerate(import_rows()):
        for c, value in enumerate(row):
            if (r + 1, c + 1) == (FORMULA_ROW, FORMULA_COLUMN):
                sheet.write(r, c, xlwt.Formula(FORMULA[1:]))
            elif value is not None:
                sheet.write(r, c, value)
    notes = book.add_sheet("Notes")
    for r, row in enumerate(notes_rows()):
        for c, value in enumerate(row):
            notes.write(r, c, value)
    book.save(path)


def write_import_libreoffice(xlsx_path, xls_path):
    """LibreOffice's own writers, from an xlsxwriter workbook with the analyses on the first
    sheet (the .xls reader takes the first sheet as the active one):
    soffice --headless --convert-to xlsx|xls --outdir OUT lo_source.xlsx"""
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "lo_source.xlsx")
        write_import_xlsxwriter(source, analyses_first=True)
        for extension, target in (("xlsx", xlsx_path), ("xls", xls_path)):
            out = os.path.join(work, extension)
            subprocess.run(["soffice", "--headless", "-env:UserInstallation=file://" + work +
                            "/profile", "--convert-to", extension, "--outdir", out, source],
                           check=True, stdout=subprocess.DEVNULL)
            shutil.copyfile(os.path.join(out, "lo_source." + extension), target)


def write_import_beyond(path):
    """Cells at AR301, the last one read, and just beyond it: AS1, AS301, A302, AR302."""
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Analyses"
    sheet["A1"] = "Row No"
    sheet["AR1"] = "H2O"
    sheet["B301"] = "last row"
    sheet["AR301"] = 1.5
    for reference in ("AS1", "AS301", "A302", "AR302"):
        sheet[reference] = "beyond"
    book.save(path)


def write_xlwt_tabs(path):
    """Truth values and error values, and a second sheet that is the active one."""
    book = xlwt.Workbook(encoding="utf-8")
    first = book.add_sheet("Notes")
    first.write(0, 0, "not read")
    sheet = book.add_sheet("Values")
    row = sheet.row(0)
    row.set_cell_boolean(0, True)
    row.set_cell_boolean(1, False)
    row.set_cell_error(2, "#N/A!")
    row.set_cell_error(3, "#DIV/0!")
    sheet.write(0, 4, 2.5)
    first.set_selected(False)
    sheet.set_selected(True)
    book.active_sheet = 1
    book.save(path)


def full_rows():
    """A sheet filling all 301 x 44 cells the import reads."""
    rows = [list(HEADINGS)]
    for number in range(1, 301):
        rows.append([number, "EP-%d" % number] +
                    [round(number * 0.01 + column * 1.375, 4) for column in range(42)])
    return rows


def write_import_full(xlsx_path, xls_path):
    book = xlsxwriter.Workbook(xlsx_path)
    sheet = book.add_worksheet("Analyses")
    for r, row in enumerate(full_rows()):
        for c, value in enumerate(row):
            sheet.write(r, c, value)
    book.close()
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Analyses")
    for r, row in enumerate(full_rows()):
        for c, value in enumerate(row):
            sheet.write(r, c, value)
    book.save(xls_path)


if __name__ == "__main__":
    write_import_expected("import_analyses.expected.tsv")
    write_import_data_file("import_analyses.expected.epd")
    write_import_openpyxl("import_openpyxl.xlsx")
    write_import_xlsxwriter("import_xlsxwriter.xlsx")
    write_import_xlwt("import_xlwt.xls")
    write_import_libreoffice("import_libreoffice.xlsx", "import_libreoffice.xls")
    write_import_beyond("import_beyond.xlsx")
    write_import_full("import_full.xlsx", "import_full.xls")
    write_xlwt_tabs("xlwt_tabs.xls")
    write_openpyxl("openpyxl_cells.xlsx")
    write_xlsxwriter("xlsxwriter_cells.xlsx")
    write_xlwt("xlwt_cells.xls")
    write_date1904("date1904.xlsx")
    write_handmade("handmade.xlsx")
