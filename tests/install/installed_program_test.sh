#!/usr/bin/env bash
# Installs the built program into a fresh prefix and uses it there as a user would: the layout
# of the install, its desktop entry, the installed stelvador-calc run from another folder
# through a send and an .xls import, and the installed program's window shown on a virtual
# display. Run by CTest:
#   installed_program_test.sh CMAKE BUILD_DIR FIXTURES_DIR
set -euo pipefail
cmake=$1
build=$2
fixtures=$3

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "installed program: $*" >&2
  exit 1
}

prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1 ||
  fail "cmake --install failed: $(cat "$work/install.log")"

# --- the layout: only the two programs in bin, the reader in libexec, the rest in share ---
[ "$(ls "$prefix/bin" | tr '\n' ' ')" = "stelvador stelvador-calc " ] ||
  fail "bin holds: $(ls "$prefix/bin" | tr '\n' ' ')"
for file in libexec/stelvador/stelvador-xls-reader share/stelvador/Output.xlsx \
            "share/stelvador/Edit Excel File/Stelvador.xlsx" \
            "share/stelvador/Edit Excel File/Stelvador.xls" \
            share/applications/stelvador.desktop share/icons/hicolor/scalable/apps/stelvador.svg \
            share/icons/hicolor/48x48/apps/stelvador.png share/man/man1/stelvador-calc.1; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done
[ -x "$prefix/libexec/stelvador/stelvador-xls-reader" ] || fail "the .xls reader cannot be run"
desktop-file-validate "$prefix/share/applications/stelvador.desktop" ||
  fail "the desktop entry does not validate"

# --- the installed tool, from another folder, as the build tree's tool does ---
elsewhere=$work/elsewhere
mkdir -p "$elsewhere"
cp "$fixtures/import_analyses.expected.epd" "$elsewhere/analyses.epd"
# A program of the reader's name in the current folder is never started.
printf '#!/bin/sh\ntouch started-from-the-current-folder\n' > "$elsewhere/stelvador-xls-reader"
chmod +x "$elsewhere/stelvador-xls-reader"
cp "$fixtures/import_libreoffice.xls" "$elsewhere/analyses.xls"

run_tool() {  # run_tool TOOL OUTPUT ARGUMENTS...
  local tool=$1 output=$2
  shift 2
  (cd "$elsewhere" && env QT_QPA_PLATFORM=offscreen "$tool" "$@" > "$output" 2> "$output.errors") ||
    fail "$tool $* failed ($?): $(cat "$output.errors")"
}

# The send opens the output workbook of the installed share folder and saves the sent results.
run_tool "$prefix/bin/stelvador-calc" "$work/installed-send.txt" --send sent.xlsx analyses.epd
[ -s "$elsewhere/sent.xlsx" ] || fail "the send saved no workbook"
run_tool "$build/program/stelvador-calc" "$work/built-send.txt" analyses.epd
cmp -s "$work/installed-send.txt" "$work/built-send.txt" ||
  fail "the installed tool's results differ from the build's"

# The .xls import goes through the installed reader of libexec.
run_tool "$prefix/bin/stelvador-calc" "$work/installed-import.txt" --import analyses.xls
cmp -s "$work/installed-import.txt" "$fixtures/import_analyses.expected.tsv" ||
  fail "the installed tool's .xls import differs from the expected grid"
[ ! -e "$elsewhere/started-from-the-current-folder" ] ||
  fail "the import started the reader of the current folder"

# Both template workbooks of the share folder open laid out like the analysis grid.
for template in Stelvador.xlsx Stelvador.xls; do
  run_tool "$prefix/bin/stelvador-calc" "$work/template.txt" --import \
    "$prefix/share/stelvador/Edit Excel File/$template"
  [ "$(head -n 1 "$work/template.txt" | cut -f 1)" = "Row No" ] &&
    [ "$(sed -n 301p "$work/template.txt" | cut -f 1)" = "300" ] ||
    fail "$template is not laid out like the analysis grid"
done

# --- the installed program shows its window, on a virtual display, started from elsewhere ---
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3> "$work/display" 2> "$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(tr -d '\n' < "$work/display")"

# Its runtime folder is given, or Qt would leave one in the temporary folder.
runtime=$work/runtime
mkdir -m 700 "$runtime"
(cd "$elsewhere" && exec env QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime" \
   "$prefix/bin/stelvador" > "$work/program.log" 2>&1) &
program=$!
pids+=("$program")

# The window counts as shown once the display server has it viewable (mapped, with every
# parent mapped), not merely when the program is still running.
shown=""
for _ in $(seq 300); do
  kill -0 "$program" 2>/dev/null || fail "the installed program ended: $(cat "$work/program.log")"
  for id in $(xwininfo -root -tree 2>/dev/null | grep -F '"S t e l v a d o r' |
              awk '{print $1}'); do
    if xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; then
      shown=$id
      break 2
    fi
  done
  sleep 0.1
done
[ -n "$shown" ] || fail "the installed program showed no window: $(cat "$work/program.log")"
sleep 1
kill -0 "$program" 2>/dev/null ||
  fail "the installed program ended after showing its window: $(cat "$work/program.log")"
echo "installed program: window $shown shown on $DISPLAY"
