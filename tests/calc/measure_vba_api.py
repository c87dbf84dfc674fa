#!/usr/bin/env python3
"""Measures Calc's VBA object model (ooo.vba.excel, what LibreOffice offers for macro
compatibility) against its plain sheet API, from a Basic macro inside soffice: what typed input
through Range.Value makes of texts (the value, its type and number format, what Value reads
back), and the time of writes, reads, COUNTIF and TRIM. Not a test: run it by hand,

    /usr/bin/python3 tests/calc/measure_vba_api.py

The figures decide which member of the Calc host uses which API (README, "Cellwash in
LibreOffice Calc"). Basic's own interpretation is in every figure, for both APIs alike.
"""
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "apps", "calc"))
import calc_office  # noqa: E402
SRC = r'''
Option VBASupport 1
Function Run() As String
  Dim out As String, inputs, i As Long, s As Object
  s = ThisComponent.Sheets.getByIndex(0)
  inputs = Array("00123", "1e3", "50%", "1/2/2024", "2024-01-02", "TRUE", "true", "'abc", " 12 ", "1,234", "=1+1", "=SUM(1,2)", "")
  For i = 0 To UBound(inputs)
    Range("A" & (i + 1)).Value = inputs(i)
    Dim c As Object : c = s.getCellByPosition(0, i)
    out = out & "vba Value=" & inputs(i) & " -> type " & c.Type & " val " & c.Value & " str " & c.String & " fmt " & ThisComponent.NumberFormats.getByKey(c.NumberFormat).Type & " reads " & TypeName(Range("A" & (i + 1)).Value) & Chr(10)
  Next
  Dim t As Long, n As Long : n = 20000
  t = GetSystemTicks()
  For i = 1 To n : s.getCellByPosition(1, i).setFormula("a  b") : Next
  out = out & "plain setFormula x" & n & ": " & (GetSystemTicks() - t) & " ms" & Chr(10)
  t = GetSystemTicks()
  For i = 1 To n : Cells(i + 1, 3).Value = "a  b" : Next
  out = out & "vba Cells().Value = x" & n & ": " & (GetSystemTicks() - t) & " ms" & Chr(10)
  Dim v
  t = GetSystemTicks()
  For i = 1 To n : v = s.getCellByPosition(1, i).getString() : Next
  out = out & "plain getString x" & n & ": " & (GetSystemTicks() - t) & " ms" & Chr(10)
  t = GetSystemTicks()
  For i = 1 To n : v = Cells(i + 1, 3).Value : Next
  out = out & "vba Cells().Value read x" & n & ": " & (GetSystemTicks() - t) & " ms" & Chr(10)
  t = GetSystemTicks()
  For i = 1 To 200 : v = Application.WorksheetFunction.CountIf(Range("C2:C20001"), "a  b") : Next
  out = out & "vba CountIf(20000 cells) x200: " & (GetSystemTicks() - t) & " ms, answer " & v & Chr(10)
  t = GetSystemTicks()
  For i = 1 To n : v = Application.WorksheetFunction.Trim("  a   b ") : Next
  out = out & "vba Trim x" & n & ": " & (GetSystemTicks() - t) & " ms" & Chr(10)
  Run = out
End Function
'''

def main():
    profile = tempfile.mkdtemp(prefix="cellwash-measure-")
    try:
        with calc_office.Office(profile) as office:
            doc = office.desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0, ())
            libraries = doc.BasicLibraries
            if not libraries.hasByName("Standard"):
                libraries.createLibrary("Standard")
            libraries.getByName("Standard").insertByName("Measure", SRC)
            libraries.VBACompatibilityMode = True
            script = doc.getScriptProvider().getScript(
                "vnd.sun.star.script:Standard.Measure.Run?language=Basic&location=document")
            print(script.invoke((), (), ())[0])
            doc.close(True)
    finally:
        shutil.rmtree(profile, ignore_errors=True)

if __name__ == "__main__":
    main()
