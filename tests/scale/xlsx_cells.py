#!/usr/bin/python3
"""Every cell of an xlsx file as openpyxl reads it, one line each:

    SHEET!REF TYPE VALUE FORMAT

TYPE is openpyxl's data type (s, n, b, d, e, f), VALUE the value's repr(), FORMAT the cell's
number format. Exits with status 2 when openpyxl cannot read the file.
"""
import sys

import openpyxl


def main(path):
    try:
        book = openpyxl.load_workbook(path)
    except Exception as e:  # openpyxl raises many kinds; any of them means "unreadable"
        print("unreadable: %s: %s" % (type(e).__name__, e))
        return 2
    for sheet in book.worksheets:
        for cells in sheet.iter_rows():
            for cell in cells:
                if cell.value is not None:
                    print("%s!%s %s %r %s" % (sheet.title, cell.coordinate, cell.data_type, cell.value, cell.number_format))
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1]))
