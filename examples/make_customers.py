#!/usr/bin/python3
"""Writes customers.xlsx: a small, realistically messy customer list for trying cellwash.

Stray and doubled spaces, duplicate entries in different case, blank rows, an empty sheet,
digits glued to names. Run with Debian's python3 (python3-openpyxl)."""
from openpyxl import Workbook

book = Workbook()
sheet = book.active
sheet.title = "Customers"
rows = [
    ["Name", "City", "Email", "Orders"],
    ["  Ada   Lovelace ", "london", "ada@example.org", 12],
    ["alan turing", "Wilmslow ", "alan@example.org", 7],
    [None, None, None, None],
    ["GRACE HOPPER", "new york", "grace@example.org", 31],
    ["Ada Lovelace", "London", "ada@example.org", 12],
    ["Katherine Johnson42", "  Hampton", "kj@example.org", 5],
    [None, None, None, None],
    ["alan turing", "Wilmslow", "alan@example.org", 7],
    ["Edsger  Dijkstra", "nuenen", "edsger@example.org", 3],
]
for row in rows:
    sheet.append(row)
sheet.column_dimensions["A"].width = 22
sheet.column_dimensions["B"].width = 14
sheet.column_dimensions["C"].width = 22
book.create_sheet("Notes")  # left empty on purpose
book.save("customers.xlsx")
