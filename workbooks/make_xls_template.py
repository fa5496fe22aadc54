#!/usr/bin/python3
"""Writes the .xls template "Stelvador.xls" (committed beside this script; the build copies it).

A sheet laid out like the analysis grid: row 1 "Row No", "Sample No" and the 42 constituents,
column A the row numbers 1 to 300. Run from this folder: /usr/bin/python3 make_xls_template.py"""

import xlwt

OXIDES = [
    "SiO2", "TiO2", "Al2O3", "Cr2O3", "V2O3", "Fe2O3", "Mn2O3", "FeO", "MgO", "MnO", "NiO",
    "CuO", "PbO", "ZnO", "BaO", "CaO", "SrO", "Na2O", "K2O", "P2O5", "Nb2O5", "SnO2", "La2O3",
    "Ce2O3", "Pr2O3", "Nd2O3", "Sm2O3", "Eu2O3", "Gd2O3", "Tb2O3", "Dy2O3", "Ho2O3", "Er2O3",
    "Tm2O3", "Yb2O3", "Lu2O3", "Y2O3", "ThO2", "UO2", "F", "Cl", "H2O",
]

book = xlwt.Workbook(encoding="utf-8")
sheet = book.add_sheet("Sheet1")
for column, heading in enumerate(["Row No", "Sample No"] + OXIDES):
    sheet.write(0, column, heading)
for row in range(1, 301):
    sheet.write(row, 0, row)
book.save("Stelvador.xls")
