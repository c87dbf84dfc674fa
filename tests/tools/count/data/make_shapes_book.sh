#!/usr/bin/env bash
# Remakes shapes_book.xlsx from shapes_book.fods with LibreOffice; CI uses the checked-in file.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
soffice --headless --norestore "-env:UserInstallation=file://$work/profile" \
  --convert-to 'xlsx:Calc MS Excel 2007 XML' --outdir "$work" "$here/shapes_book.fods" >/dev/null 2>&1
cp "$work/shapes_book.xlsx" "$here/shapes_book.xlsx"
