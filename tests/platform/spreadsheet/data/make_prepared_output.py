#!/usr/bin/python3
"""Writes the prepared output workbooks of the save tests: an Output.xlsx as a user prepares it
around the cells the send writes.

Run by hand from this folder (/usr/bin/python3 make_prepared_output.py); the outputs are
committed. prepared_output_openpyxl.xlsx is written by openpyxl; prepared_output_libreoffice.xlsx
is the same workbook opened and saved again by LibreOffice (made only where soffice is found), so
the save is tried on the packages of two writers."""

import os
import shutil
import subprocess
import tempfile

import openpyxl
from openpyxl.chart import BarChart, Reference
from openpyxl.comments import Comment
from openpyxl.styles import Font, PatternFill
from openpyxl.workbook.defined_name import DefinedName


def write_openpyxl(path):
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Sheet1"
    sheet["A1"] = "Prepared by hand"
    # B3:B7 hold earlier values in a format of their own; the send overwrites them.
    for row in range(3, 8):
        cell = sheet.cell(row=row, column=2, value=row - 2)
        cell.number_format = "0.0"
    sheet["B3"].fill = PatternFill("solid", fgColor="FFFF00")
    sheet["A100"] = "Average of B3:B7"
    sheet["A100"].font = Font(bold=True)
    sheet["B100"] = "=AVERAGE(B3:B7)"
    sheet["D100"] = "merged note"
    sheet.merge_cells("D100:F100")
    sheet["C100"] = 12.5
    sheet["C100"].number_format = "0.00%"
    sheet.column_dimensions["A"].width = 30
    sheet["A100"].comment = Comment("Filled by the send", "Tester")
    book.defined_names.append(DefinedName("SentBlock", attr_text="Sheet1!$B$3:$B$7"))
    chart = BarChart()
    chart.title = "Sent values"
    chart.add_data(Reference(sheet, min_col=2, min_row=3, max_row=7))
    sheet.add_chart(chart, "H100")
    notes = book.create_sheet("Notes")
    notes["A1"] = "Twice B3"
    notes["B1"] = "=Sheet1!B3*2"
    book.save(path)


def write_libreoffice(source, path):
    soffice = shutil.which("soffice")
    if soffice is None:
        print("soffice not found: " + path + " not made")
        return
    with tempfile.TemporaryDirectory() as folder:
        profile = "-env:UserInstallation=file://" + os.path.join(folder, "profile")
        subprocess.run([soffice, profile, "--headless", "--convert-to", "xlsx", "--outdir",
                        folder, source], check=True, stdout=subprocess.DEVNULL)
        shutil.copyfile(os.path.join(folder, os.path.basename(source)), path)


if __name__ == "__main__":
    write_openpyxl("prepared_output_openpyxl.xlsx")
    write_libreoffice("prepared_output_openpyxl.xlsx", "prepared_output_libreoffice.xlsx")
