#!/usr/bin/env bash
# Remakes the checked-in producer fixtures. Needs python3-openpyxl, libxlsxwriter-dev and
# libreoffice-calc-nogui; CI does not run this, it uses the files it made.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
data=$here/..
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$here/tiny_png.py" "$work/red.png"
/usr/bin/python3 "$here/openpyxl_book.py" "$data/openpyxl/book.xlsx"
gcc "$here/xlsxwriter_book.c" -lxlsxwriter -o "$work/xw" && "$work/xw" "$data/xlsxwriter/book.xlsx" "$work/red.png"
python3 "$here/handmade_book.py" "$data/handmade/book.xlsx" "$work/red.png"
soffice --headless --norestore "-env:UserInstallation=file://$work/profile" \
  --convert-to 'xlsx:Calc MS Excel 2007 XML' --outdir "$work" "$here/libreoffice_book.fods" >/dev/null 2>&1
cp "$work/libreoffice_book.xlsx" "$data/libreoffice/book.xlsx"
