#!/usr/bin/env bash
# Full height: a csv of 1,048,576 rows through a cellwash run, written as xlsx and as csv.
# openpyxl and LibreOffice's csv export read every sheet of the xlsx back, and the csv is
# compared byte for byte with the expected file; every value of every row is checked.
# Prints each step's time. Usage: tests/scale/full_height.sh [path/to/cellwash]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cellwash=$(realpath "${1:-$here/../../build/apps/cellwash/cellwash}")
python=/usr/bin/python3
rows=1048576
"$python" -c 'import openpyxl' || { echo "full_height: $python with openpyxl is needed" >&2; exit 1; }
command -v soffice >/dev/null || { echo "full_height: LibreOffice (soffice) is needed" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/cw_full_height.XXXXXX")
trap 'rm -rf "$work"' EXIT

step() {
    local name=$1 start=$EPOCHREALTIME
    shift
    "$@"
    local end=$EPOCHREALTIME
    printf '%-52s %8.1f s\n' "$name" "$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')"
}
values() { "$python" "$here/sheet_values.py" "$@"; }
# Every sheet as BOOK-SHEET.csv, with a profile of its own; its output shown only on failure.
libreoffice_csv() {
    soffice -env:UserInstallation="file://$work/profile" --headless \
        --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1' \
        --outdir "$work/exported" "$1" >"$work/soffice.log" 2>&1 || { cat "$work/soffice.log" >&2; return 1; }
}

step "make Data.csv ($rows rows, python)" values make-csv "$work/Data.csv" $rows
step "make the expected cleaned csv (python)" values make-csv "$work/expected.csv" $rows trimmed
step "cellwash: csv -> cleaned xlsx" "$cellwash" run remove-extra-spaces "$work/Data.csv" --select "A1:A$rows" -o "$work/out.xlsx"
step "cellwash: csv -> cleaned csv" "$cellwash" run remove-extra-spaces "$work/Data.csv" --select "A1:A$rows" -o "$work/out.csv"
step "csv written equals the expected bytes (cmp)" cmp "$work/out.csv" "$work/expected.csv"
step "openpyxl reads sheets Data and Data_Undo back" values check-xlsx "$work/out.xlsx" $rows Data=trimmed Data_Undo=made
step "LibreOffice exports every sheet as csv" libreoffice_csv "$work/out.xlsx"
step "LibreOffice's Data equals the expectation" values check-csv "$work/exported/out-Data.csv" $rows trimmed
step "LibreOffice's Data_Undo equals the expectation" values check-csv "$work/exported/out-Data_Undo.csv" $rows made
echo "full height: every value of $rows rows read back by openpyxl and LibreOffice"
