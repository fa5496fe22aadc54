#!/usr/bin/python3
"""Writes the workbook fixtures of the spreadsheet tests with the writers other programs use.

Run by hand from this folder (/usr/bin/python3 make_fixtures.py); the outputs are committed.
Every fixture holds the same first sheet where its writer can hold it, so one table of expected
cell texts serves them all (see workbook_fixtures_test.cpp)."""

import datetime
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


if __name__ == "__main__":
    write_openpyxl("openpyxl_cells.xlsx")
    write_xlsxwriter("xlsxwriter_cells.xlsx")
    write_xlwt("xlwt_cells.xls")
    write_date1904("date1904.xlsx")
    write_handmade("handmade.xlsx")
