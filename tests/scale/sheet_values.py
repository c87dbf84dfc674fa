#!/usr/bin/python3
"""A sample sheet of any height, made and checked by programs other than cellwash.

    sheet_values.py make-xlsx FILE ROWS      the sheet "Data" written by openpyxl (write-only)
    sheet_values.py make-csv FILE ROWS [STATE]
                                             the same rows as a csv file (LF line ends)
    sheet_values.py check-xlsx FILE ROWS SHEET=STATE...
                                             every value of each SHEET read back by openpyxl
    sheet_values.py check-csv FILE ROWS STATE
                                             a csv export (LibreOffice's) of the sheet

ROWS counts the header row. STATE is "made" (the values as made) or "trimmed" (column A
after remove-extra-spaces). A check prints "ok: N rows" or the first difference, and exits
with status 1 on a difference.
"""
import csv
import sys

HEADER = ("name", "amount", "flag", "code")


def row(n):
    """Data row n (sheet row n + 1): unique texts, so the shared strings number as many;
    round and large whole numbers, quarters and negatives; booleans; text with leading zeros."""
    name = "  item   %07d " % n if n % 2 == 0 else "item %07d" % n
    kind = n % 4
    amount = n * 1000 if kind == 0 else n + 0.25 if kind == 1 else -n if kind == 2 else n * 1_000_000_000
    return (name, amount, n % 3 == 0, "%05d" % (n % 100000))


def expected(n, state):
    if n == 0:
        return HEADER
    name, amount, flag, code = row(n)
    return (" ".join(name.split()) if state == "trimmed" else name, amount, flag, code)


def make_xlsx(path, rows):
    import openpyxl
    book = openpyxl.Workbook(write_only=True)
    sheet = book.create_sheet("Data")
    sheet.append(HEADER)
    for n in range(1, rows):
        sheet.append(row(n))
    book.save(path)


def make_csv(path, rows, state):
    # A leading apostrophe keeps the code text, as typed input reads it.
    with open(path, "w", encoding="utf-8", newline="") as f:
        out = csv.writer(f, lineterminator="\n")
        out.writerow(HEADER)
        for n in range(1, rows):
            name, amount, flag, code = expected(n, state)
            out.writerow((name, amount, "TRUE" if flag else "FALSE", "'" + code))


def same(value, want):
    if isinstance(want, bool) or isinstance(value, bool):
        return type(value) is type(want) and value == want
    if isinstance(want, (int, float)):
        return isinstance(value, (int, float)) and value == want
    return value == want


def first_difference(read_rows, rows, state, shown):
    count = 0
    for count, values in enumerate(read_rows, start=1):
        want = expected(count - 1, state)
        values = tuple(values) + (None,) * (len(want) - len(values))
        if len(values) > len(want) and any(v not in (None, "") for v in values[len(want):]):
            return "row %d: extra values %r" % (count, values[len(want):])
        for col, (value, w) in enumerate(zip(values, want)):
            if not same(value, shown(w) if shown else w):
                return "row %d column %s: read %r, expected %r" % (count, "ABCD"[col], value, shown(w) if shown else w)
    if count != rows:
        return "%d rows read, expected %d" % (count, rows)
    return None


def shown_in_csv(value):
    """How LibreOffice's csv export shows a value in the General format."""
    if isinstance(value, bool):
        return "TRUE" if value else "FALSE"
    if isinstance(value, float):
        return repr(value)
    return str(value)


def check_xlsx(path, rows, sheets):
    import openpyxl
    book = openpyxl.load_workbook(path, read_only=True)
    for sheet, state in (s.split("=", 1) for s in sheets):
        difference = first_difference(book[sheet].iter_rows(values_only=True), rows, state, None)
        if difference:
            return "sheet %s: %s" % (sheet, difference)
    return None


def check_csv(path, rows, state):
    with open(path, encoding="utf-8", newline="") as f:
        return first_difference(csv.reader(f), rows, state, shown_in_csv)


def main(argv):
    if len(argv) < 4:
        sys.exit(__doc__)
    command, path, rows = argv[1], argv[2], int(argv[3])
    if command == "make-xlsx":
        make_xlsx(path, rows)
        return 0
    if command == "make-csv" and len(argv) <= 5:
        make_csv(path, rows, argv[4] if len(argv) == 5 else "made")
        return 0
    if command == "check-xlsx" and len(argv) > 4 and all("=" in a for a in argv[4:]):
        difference = check_xlsx(path, rows, argv[4:])
    elif command == "check-csv" and len(argv) == 5:
        difference = check_csv(path, rows, argv[4])
    else:
        sys.exit(__doc__)
    print(difference or "ok: %d rows" % rows)
    return 1 if difference else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
