# Makes data/openpyxl/book.xlsx with Debian's python3-openpyxl: run with /usr/bin/python3.
# openpyxl writes absolute relationship targets and formulas without cached results.
import datetime, sys
from openpyxl import Workbook
from openpyxl.styles import PatternFill
from openpyxl.comments import Comment
from openpyxl.worksheet.datavalidation import DataValidation
from openpyxl.chart import BarChart, Reference

wb = Workbook()
ws = wb.active
ws.title = "Data"
ws.append(["Name", "Amount", "When", "Flag"])
ws.append(["apple", 1.5, datetime.date(2024, 1, 2), True])
ws.append(["  pear ", -3, datetime.datetime(2024, 2, 3, 12, 30), False])
ws.append(["Ünïcode ✓", 1e20, None, None])
ws["A5"] = "=A2&B2"
ws["B5"] = "=SUM(B2:B4)"
ws["C5"] = 0.1
ws["C5"].number_format = "0.00%"
ws["D5"] = "=1/0"
ws["A2"].fill = PatternFill("solid", fgColor="FFFF0000")
ws["B2"].fill = PatternFill("solid", fgColor="FFFFFF00")
ws["A3"].fill = PatternFill(patternType="solid", fgColor=__import__("openpyxl").styles.colors.Color(indexed=10))
ws["A2"].comment = Comment("first fruit", "Ann")
ws["B3"].comment = Comment("negative\nsecond line", "Bob")
dv = DataValidation(type="list", formula1='"yes,no"', allow_blank=True)
dv.add("D2:D10")
ws.add_data_validation(dv)
dv2 = DataValidation(type="whole", operator="between", formula1="1", formula2="10",
                     showErrorMessage=True, errorTitle="Out", error="1 to 10 only")
dv2.add("E2:E4")
dv2.add("G2")
ws.add_data_validation(dv2)
ws.sheet_view.selection[0].activeCell = "B3"
ws.sheet_view.selection[0].sqref = "B3:C4"
chart = BarChart()
chart.add_data(Reference(ws, min_col=2, min_row=1, max_row=3), titles_from_data=True)
ws.add_chart(chart, "F8")

hidden = wb.create_sheet("Hidden")
hidden["A1"] = "secret"
hidden.sheet_state = "hidden"
very = wb.create_sheet("Very Hidden")
very["B2"] = 42
very.sheet_state = "veryHidden"
last = wb.create_sheet("Last")
last["A1"] = "=Data!B2*2"
last.merge_cells("A3:B4")
wb.active = 3
wb.properties.title = "Fruit & more"
wb.save(sys.argv[1])
