#!/bin/bash
# Measures the whole stelvador-calc process importing each workbook that once cost the import far
# more than any user waits (made by tests/platform/spreadsheet/data/make_hostile_workbooks.py):
# its elapsed time and peak memory (the largest resident set of the tool and of the .xls reader
# it starts), with --import and with --import --calculate. The aim: each answered within 2 s
# and 300 MB.
#
#   bash benchmarks/import/measure_hostile_imports.sh [PROGRAM_FOLDER]
#
# PROGRAM_FOLDER defaults to build/default/program of this checkout.
set -euo pipefail
here="$(cd "$(dirname "$0")/../.." && pwd)"
program="$(cd "${1:-$here/build/default/program}" && pwd)"
data="$here/tests/platform/spreadsheet/data"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 "$data/make_hostile_workbooks.py" "$work"
cp "$data/import_libreoffice_far_cell.xls" "$work/"

cd "$work"
printf '%-36s %-22s %6s %9s %9s\n' workbook options exit seconds "peak MB"
for workbook in active_full_second_million.xlsx one_sheet_million.xlsx \
    import_libreoffice_far_cell.xls every_cell_one_long_string.xlsx \
    two_cells_one_127_mib_string.xlsx two_million_nested.xlsx zip_bomb_3_gb.xlsx; do
  for options in "--import" "--import --calculate"; do
    status=0
    # shellcheck disable=SC2086
    /usr/bin/time -f '%e %M' -o time.txt timeout 120 "$program/stelvador-calc" $options \
      "$workbook" > out.txt 2> err.txt || status=$?
    read -r seconds kilobytes < <(tail -n 1 time.txt)
    printf '%-36s %-22s %6s %9s %9s\n' "$workbook" "$options" "$status" "$seconds" \
      "$((kilobytes / 1024))"
  done
done
