#!/usr/bin/python3
"""Writes the seed corpus of every fuzz target into fuzz/corpus/<target>/: parts taken from
the test fixtures and the example workbook, plus small hand-made inputs. Run from anywhere;
the corpus is checked in, so this is only needed when the fixtures change."""
import io
import os
import shutil
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CORPUS = os.path.join(ROOT, "fuzz", "corpus")
BOOKS = {
    "handmade": "tests/files/data/handmade/book.xlsx",
    "libreoffice": "tests/files/data/libreoffice/book.xlsx",
    "openpyxl": "tests/files/data/openpyxl/book.xlsx",
    "xlsxwriter": "tests/files/data/xlsxwriter/book.xlsx",
    "customers": "examples/customers.xlsx",
}
MAIN = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'


def put(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("utf-8"))


def minimal_xlsx():
    """One sheet with inline strings, a number and a formula, nothing else."""
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml",
                   '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
                   '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
                   '<Default Extension="xml" ContentType="application/xml"/>'
                   '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>'
                   '<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>'
                   '</Types>')
        z.writestr("_rels/.rels",
                   '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
                   '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>'
                   '</Relationships>')
        z.writestr("xl/workbook.xml",
                   f'<workbook {MAIN} xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">'
                   '<sheets><sheet name="S" sheetId="1" r:id="rId1"/></sheets></workbook>')
        z.writestr("xl/_rels/workbook.xml.rels",
                   '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
                   '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>'
                   '</Relationships>')
        z.writestr("xl/worksheets/sheet1.xml",
                   f'<worksheet {MAIN}><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t> a  b </t></is></c>'
                   '<c r="B1"><v>2</v></c><c r="C1"><f>B1*2</f><v>4</v></c></row></sheetData></worksheet>')
    return out.getvalue()


def from_books():
    for label, path in BOOKS.items():
        data = open(os.path.join(ROOT, path), "rb").read()
        put("xlsx_open", label + ".xlsx", data)
        if label in ("handmade", "openpyxl", "customers"):
            put("xlsx_roundtrip", label + ".xlsx", data)
        with zipfile.ZipFile(io.BytesIO(data)) as z:
            names = z.namelist()
            theme = next((z.read(n) for n in names if n.startswith("xl/theme/")), None)
            for n in names:
                part, base = z.read(n), n.replace("/", "_").replace("[", "").replace("]", "")
                if n.startswith("xl/worksheets/sheet") and n.endswith(".xml"):
                    put("sheet_xml", f"{label}-{base}", bytes([63]) + part)  # chunks of 64 bytes
                elif n.endswith("sharedStrings.xml"):
                    put("shared_strings", f"{label}.xml", part)
                elif n.endswith("styles.xml"):
                    put("styles", f"{label}.xml", part + (b"\0" + theme if theme and label == "xlsxwriter" else b""))
                elif n.startswith("xl/drawings/drawing") and n.endswith(".xml"):
                    put("drawing", f"{label}.xml", part)
                elif n.startswith("xl/comments") and n.endswith(".xml"):
                    put("comments", f"{label}.xml", part)
                elif n == "xl/workbook.xml":
                    put("workbook_xml", f"{label}.xml", part)
                elif n.endswith(".rels") and label in ("openpyxl", "xlsxwriter"):
                    put("relationships", f"{label}-{base}", part)
                elif n == "[Content_Types].xml":
                    put("content_types", f"{label}.xml", part)


def handmade():
    put("xlsx_open", "minimal.xlsx", minimal_xlsx())
    put("xlsx_roundtrip", "minimal.xlsx", minimal_xlsx())
    put("sheet_xml", "prefixed.xml", b"\x00" + (
        '<x:worksheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
        '<x:sheetViews><x:sheetView><x:selection activeCell="B2" sqref="B2 D4:E5"/></x:sheetView></x:sheetViews>'
        '<x:sheetData><x:row r="1" ht="20" customHeight="1"><x:c r="A1" t="s"><x:v>1</x:v></x:c>'
        '<x:c r="B1" t="b"><x:v>1</x:v></x:c><x:c r="C1" t="e"><x:v>#N/A</x:v></x:c><x:c r="D1" s="1" t="d"><x:v>2024-01-02T12:00:00</x:v></x:c>'
        '<x:c r="E1" s="2"><x:f t="shared" ref="E1:E3" si="0">A1&amp;"_x0041_"</x:f></x:c></x:row>'
        '<x:row r="2"><x:c r="E2"><x:f t="shared" si="0"/></x:c><x:c r="F2"><x:f t="array" ref="F2:F3">SUM(A1:A2)</x:f><x:v>0</x:v></x:c></x:row>'
        '</x:sheetData><x:dataValidations count="1"><x:dataValidation type="list" allowBlank="1" sqref="A5:A9">'
        '<x:formula1>"yes,no"</x:formula1></x:dataValidation></x:dataValidations>'
        '<x:drawing xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" r:id="rId1"/></x:worksheet>').encode())
    put("shared_strings", "rich.xml",
        f'<sst {MAIN}><si><r><rPr><b/></rPr><t xml:space="preserve"> bold </t></r><r><t>_x000D_tail</t></r>'
        '<rPh sb="0" eb="1"><t>ph</t></rPh></si><si><t>plain &amp; &lt;escaped&gt;</t></si></sst>')
    put("comments", "two.xml",
        f'<comments {MAIN}><authors><author>Ann</author><author>Bo</author></authors><commentList>'
        '<comment ref="B2" authorId="1"><text><r><t>Note</t></r><r><t xml:space="preserve"> two</t></r></text></comment>'
        '<comment ref="XFD1048576" authorId="0"><text><t>last</t></text></comment></commentList></comments>')
    csv = {"plain.csv": "Name,City,Orders\r\nAda,London,12\r\nAlan,\"Wilm, slow\",7\r\n",
           "semicolon.csv": "\ufeffa;b;c\n1,5;2;=A1+1\n\"q\"\"uote\";01/02/2024;TRUE\n",
           "tabs.csv": "x\ty\n50%\t1e3\n\t'lead\n"}
    for name, text in csv.items():
        put("csv", name, text)
    for i, text in enumerate(["A1", "$B$12:c3", "B:B,3:5", " A1:B2 , D4 ", "XFD1048576", "$1:$1048576", "a1 b2:c3"]):
        put("cell_address", f"address{i}.txt", text)
    criteria = ["<>5\n5\n6\n\n", ">=1/2/2024\n1/3/2024\n12/31/2023", "app*\napple\nApp\nbanana",
                "=\n\n'\nx", "#N/A\n#N/A\n#DIV/0!", "~*?\n*a\n*ab", "<=TRUE\nTRUE\nFALSE\n1", "<>\nx\n\n0"]
    for i, text in enumerate(criteria):
        put("countif_criteria", f"criteria{i}.txt", text)
    formulas = ["=COUNTIF(A:A,A1)>1", "=IF(AND(LEN(TRIM(A1))>0,NOT(ISBLANK(B2))),UPPER(A1),\"\")",
                "=SUM($A$1:B3)+2^3%-1/0", "=COUNTA(3:3)&\"x\"<>LOWER(CLEAN(A2))", "=OR(A1=\"\",B1<=-1.5E+3)",
                "=#REF!+UNKNOWN(1)", "=Name1*-+A1048576"]
    for i, text in enumerate(formulas):
        put("formula", f"formula{i}.txt", text)
    put("wine_registry", "user.reg",
        'WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win64\n\n'
        '[Software\\\\Microsoft\\\\Office\\\\14.0\\\\Excel\\\\Options] 1700000000\n#time=1da1234567890ab\n'
        '"OPEN"="/R \\"C:\\\\Addins\\\\Tool.xla\\""\n"OPEN1"="\\"Other.xlam\\""\n"Count"=dword:0000002a\n\n'
        '[Software\\\\Microsoft\\\\Office\\\\12.0\\\\Excel\\\\Add-in Manager] 1700000001\n'
        '"C:\\\\Addins\\\\Tool.xla"=""\n"Blob"=hex:00,01,ff,\\\n  02,03\n"Path"=str(2):"%SystemRoot%\\\\x"\n'
        '"Multi"=str(7):"a\\0b\\0"\n@="default \\x263a"\n')
    put("wine_registry", "crlf.reg", "WINE REGISTRY Version 2\r\n\r\n[A\\\\B] 1\r\n\"x\"=\"y\"\r\n\"n\"=hex(b):01,00,00,00,00,00,00,00\r\n[a\\\\b\\\\C] 2\r\n")
    ribbon = open(os.path.join(ROOT, "resources/ribbon/customui.xml"), "rb").read()
    put("ribbon_xml", "customui.xml", ribbon)
    put("ribbon_xml", "dynamic.xml",
        '<customUI xmlns="http://schemas.microsoft.com/office/2009/07/customui" onLoad="Ribbon_Load"><ribbon><tabs>'
        '<tab id="t" label="T"><group id="g" getLabel="GetLabel"><dynamicMenu id="dm" getContent="GetContent" label="More"/>'
        '<toggleButton id="tb" getPressed="GetPressed" onAction="OnToggle"/><button id="b" getEnabled="GetEnabled" onAction="OnB" '
        'screentip="tip" getSupertip="GetSuper" imageMso="Copy"/></group></tab></tabs></ribbon></customUI>')


def main():
    shutil.rmtree(CORPUS, ignore_errors=True)
    from_books()
    handmade()


if __name__ == "__main__":
    main()
