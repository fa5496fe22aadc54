#!/usr/bin/python3
"""Describes a workbook as openpyxl reads it, one fact a line ("key<TAB>value"), so that a test
can tell what a save kept and what it changed: the sheets, every cell's value, number format,
boldness and fill, the column widths, merged ranges, defined names and comments, and each part
of the package by a digest of its bytes (charts and drawings, which openpyxl does not read).

usage: describe_workbook.py WORKBOOK OUTPUT [--values]
With --values the cached values are read instead of the formulas."""

import hashlib
import sys
import zipfile

import openpyxl


def describe(path, values_only):
    book = openpyxl.load_workbook(path, data_only=values_only)
    lines = ["sheets\t" + ",".join(book.sheetnames)]
    for sheet in book.worksheets:
        for row in sheet.iter_rows():
            for cell in row:
                fill = cell.fill.fgColor.rgb if cell.fill.fill_type else ""
                if cell.value is None and not cell.font.b and not fill and (
                        cell.number_format == "General"):
                    continue
                value = cell.value
                text = "" if value is None else (value if isinstance(value, str) else repr(value))
                lines.append("cell %s!%s\t%s|%s|%s|bold=%d|fill=%s" % (
                    sheet.title, cell.coordinate, type(value).__name__, text,
                    cell.number_format, 1 if cell.font.b else 0, fill))
        for letter, dimension in sorted(sheet.column_dimensions.items()):
            if dimension.customWidth:
                lines.append("width %s!%s\t%r" % (sheet.title, letter, dimension.width))
        lines.append("merged %s\t%s" % (
            sheet.title, ",".join(sorted(str(r) for r in sheet.merged_cells.ranges))))
        for row in sheet.iter_rows():
            for cell in row:
                if cell.comment is not None:
                    lines.append("comment %s!%s\t%s" % (
                        sheet.title, cell.coordinate, cell.comment.text.strip()))
    for name in book.defined_names.definedName:
        lines.append("name %s\t%s" % (name.name, name.attr_text))
    with zipfile.ZipFile(path) as package:
        for info in package.infolist():
            lines.append("part %s\t%s" % (
                info.filename, hashlib.sha1(package.read(info.filename)).hexdigest()))
    return lines


if __name__ == "__main__":
    with open(sys.argv[2], "w", encoding="utf-8", newline="") as out:
        for line in describe(sys.argv[1], "--values" in sys.argv[3:]):
            out.write(line.replace("\n", "\\n") + "\n")
