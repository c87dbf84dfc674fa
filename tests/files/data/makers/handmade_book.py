# Makes data/handmade/*.xlsx: packages written by hand for what the producers here do not
# write: inline and rich inline strings, t="d" cells, shared and array formulas, theme and
# indexed fills, hidden rows and heights, relative "../" targets, grouped shapes, a picture
# and chart anchor, kept parts we do not model, and a part that prefixes its elements.
import sys, zipfile

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG = "http://schemas.openxmlformats.org/package/2006/relationships"
T = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
CT = "application/vnd.openxmlformats-officedocument."

def rels(*items):
    body = "".join(f'<Relationship Id="{i}" Type="{T}{k}" Target="{t}"/>' for i, k, t in items)
    return f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<Relationships xmlns="{PKG}">{body}</Relationships>'

def types(overrides):
    body = "".join(f'<Override PartName="{p}" ContentType="{c}"/>' for p, c in overrides)
    return ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
            '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
            '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
            '<Default Extension="xml" ContentType="application/xml"/>'
            '<Default Extension="png" ContentType="image/png"/>' + body + '</Types>')

STYLES = f'''<?xml version="1.0" encoding="UTF-8"?>
<styleSheet xmlns="{MAIN}"><numFmts count="2"><numFmt numFmtId="164" formatCode="dd/mm/yyyy"/><numFmt numFmtId="165" formatCode="&quot;day&quot;\\ 0.00"/></numFmts>
<fonts count="1"><font><sz val="11"/><name val="Calibri"/></font></fonts>
<fills count="5"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill>
<fill><patternFill patternType="solid"><fgColor theme="4"/><bgColor indexed="64"/></patternFill></fill>
<fill><patternFill patternType="solid"><fgColor indexed="13"/></patternFill></fill>
<fill><patternFill patternType="solid"><fgColor rgb="FF00FF00"/></patternFill></fill></fills>
<borders count="1"><border/></borders><cellStyleXfs count="1"><xf/></cellStyleXfs>
<cellXfs count="6"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/><xf numFmtId="164" fillId="0"/><xf numFmtId="165" fillId="0"/>
<xf numFmtId="0" fillId="2" applyFill="1"/><xf numFmtId="0" fillId="3" applyFill="1"/><xf numFmtId="22" fillId="4" applyFill="1"><alignment wrapText="1"/></xf></cellXfs>
<cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles></styleSheet>'''

THEME = '''<?xml version="1.0" encoding="UTF-8"?>
<a:theme xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" name="T"><a:themeElements><a:clrScheme name="C">
<a:dk1><a:sysClr val="windowText" lastClr="000000"/></a:dk1><a:lt1><a:sysClr val="window" lastClr="FFFFFF"/></a:lt1>
<a:dk2><a:srgbClr val="1F497D"/></a:dk2><a:lt2><a:srgbClr val="EEECE1"/></a:lt2><a:accent1><a:srgbClr val="0000FF"/></a:accent1>
<a:accent2><a:srgbClr val="C0504D"/></a:accent2><a:accent3><a:srgbClr val="9BBB59"/></a:accent3><a:accent4><a:srgbClr val="8064A2"/></a:accent4>
<a:accent5><a:srgbClr val="4BACC6"/></a:accent5><a:accent6><a:srgbClr val="F79646"/></a:accent6><a:hlink><a:srgbClr val="0000FF"/></a:hlink>
<a:folHlink><a:srgbClr val="800080"/></a:folHlink></a:clrScheme></a:themeElements></a:theme>'''

SHEET1 = f'''<?xml version="1.0" encoding="UTF-8"?>
<worksheet xmlns="{MAIN}" xmlns:r="{REL}"><sheetPr><tabColor rgb="FFFF0000"/></sheetPr><dimension ref="A1:D7"/>
<sheetViews><sheetView tabSelected="1" workbookViewId="0"><pane ySplit="1" topLeftCell="A2" activePane="bottomLeft" state="frozen"/>
<selection pane="bottomLeft" activeCell="C3" sqref="C3"/></sheetView></sheetViews><sheetFormatPr defaultRowHeight="15"/>
<cols><col min="1" max="1" width="20" customWidth="1"/><col min="3" max="4" width="9" hidden="1"/></cols>
<sheetData>
<row r="1" spans="1:4" ht="30" customHeight="1"><c r="A1" t="inlineStr"><is><t xml:space="preserve"> inline </t></is></c><c r="B1" t="inlineStr"><is><r><rPr><b/></rPr><t>rich </t></r><r><t>inline</t></r><rPh sb="0" eb="1"><t>PHONETIC</t></rPh></is></c><c r="C1" s="1" t="d"><v>2024-02-29T06:00:00</v></c><c r="D1" s="5"><v>45000.25</v></c></row>
<row r="2"><c r="A2"><v>1</v></c><c r="B2"><f t="shared" ref="B2:B5" si="0">A2*2+$A$2</f><v>3</v></c><c r="C2" s="3"><f>SUM(A2:A5)</f><v>10</v></c><c r="D2" s="4" t="e"><f>NA()</f><v>#N/A</v></c></row>
<row r="3"><c r="A3"><v>2</v></c><c r="B3"><f t="shared" si="0"/><v>5</v></c><c r="C3" s="1"><v>45351</v></c><c r="D3" t="b"><f>A3&gt;1</f><v>1</v></c></row>
<row r="4" hidden="1"><c r="A4"><v>3</v></c><c r="B4"><f t="shared" si="0"/><v>7</v></c><c r="C4" s="2"><v>2.5</v></c><c r="D4" t="str"><f>""</f><v></v></c></row>
<row r="5"><c r="A5"><v>4</v></c><c r="B5"><f t="shared" si="0"/><v>9</v></c><c r="C5"><f t="array" ref="C5">SUM(A2:A5*2)</f><v>20</v></c><c r="D5" t="s"><v>0</v></c></row>
<row r="7" ht="5" customHeight="1"/>
<row r="9"><c r="A9" t="s"><v>1</v></c><c r="B9" t="inlineStr"><is><t>under_x005F_x0041_score _x000B_ tab</t></is></c></row>
</sheetData>
<mergeCells count="1"><mergeCell ref="A7:B8"/></mergeCells>
<conditionalFormatting sqref="A2:A5"><cfRule type="cellIs" dxfId="0" priority="1" operator="greaterThan"><formula>2</formula></cfRule></conditionalFormatting>
<hyperlinks><hyperlink ref="A9" r:id="rId2"/></hyperlinks>
<pageMargins left="0.7" right="0.7" top="0.75" bottom="0.75" header="0.3" footer="0.3"/><drawing r:id="rId1"/></worksheet>'''

DRAWING = '''<?xml version="1.0" encoding="UTF-8"?>
<xdr:wsDr xmlns:xdr="http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing" xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" xmlns:c="http://schemas.openxmlformats.org/drawingml/2006/chart" xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006">
<xdr:twoCellAnchor><xdr:from><xdr:col>5</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>1</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:from><xdr:to><xdr:col>7</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>4</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:to>
<xdr:grpSp><xdr:nvGrpSpPr><xdr:cNvPr id="2" name="Group 1"/><xdr:cNvGrpSpPr/></xdr:nvGrpSpPr><xdr:grpSpPr/>
<xdr:sp><xdr:nvSpPr><xdr:cNvPr id="3" name="Oval 2"/><xdr:cNvSpPr/></xdr:nvSpPr><xdr:spPr><a:prstGeom prst="ellipse"/></xdr:spPr><xdr:txBody><a:bodyPr/><a:lstStyle/><a:p><a:r><a:rPr lang="en-US" sz="1100"/><a:t>oval</a:t></a:r><a:br><a:rPr lang="en-US"/></a:br><a:r><a:t>next</a:t></a:r></a:p></xdr:txBody></xdr:sp>
<xdr:sp><xdr:nvSpPr><xdr:cNvPr id="4" name="Word Art 3"/><xdr:cNvSpPr/></xdr:nvSpPr><xdr:spPr/><xdr:txBody><a:bodyPr fromWordArt="1"><a:prstTxWarp prst="textPlain"/></a:bodyPr><a:p><a:r><a:t>Fancy</a:t></a:r></a:p></xdr:txBody></xdr:sp>
</xdr:grpSp><xdr:clientData/></xdr:twoCellAnchor>
<xdr:oneCellAnchor><xdr:from><xdr:col>5</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>6</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:from><xdr:ext cx="100" cy="100"/>
<xdr:pic><xdr:nvPicPr><xdr:cNvPr id="5" name="Picture 4"/><xdr:cNvPicPr/></xdr:nvPicPr><xdr:blipFill><a:blip r:embed="rId1"/></xdr:blipFill><xdr:spPr/></xdr:pic><xdr:clientData/></xdr:oneCellAnchor>
<xdr:twoCellAnchor><xdr:from><xdr:col>8</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>8</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:from><xdr:to><xdr:col>9</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>10</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:to>
<xdr:sp><xdr:nvSpPr><xdr:cNvPr id="6" name="TextBox 5"/><xdr:cNvSpPr txBox="1"/></xdr:nvSpPr><xdr:spPr/><xdr:txBody><a:bodyPr/><a:p><a:pPr algn="ctr"/><a:r><a:rPr lang="en-US" b="1"/><a:t>Title  with  spaces</a:t></a:r></a:p><a:p><a:r><a:t>second</a:t></a:r></a:p></xdr:txBody></xdr:sp><xdr:clientData/></xdr:twoCellAnchor>
<mc:AlternateContent><mc:Choice Requires="c"><xdr:twoCellAnchor><xdr:from><xdr:col>1</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>12</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:from><xdr:to><xdr:col>4</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>20</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:to>
<xdr:graphicFrame macro=""><xdr:nvGraphicFramePr><xdr:cNvPr id="7" name="Chart 6"/><xdr:cNvGraphicFramePr/></xdr:nvGraphicFramePr><xdr:xfrm/><a:graphic><a:graphicData uri="http://schemas.openxmlformats.org/drawingml/2006/chart"><c:chart r:id="rId2"/></a:graphicData></a:graphic></xdr:graphicFrame><xdr:clientData/></xdr:twoCellAnchor></mc:Choice>
<mc:Fallback><xdr:twoCellAnchor><xdr:from><xdr:col>1</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>12</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:from><xdr:to><xdr:col>4</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>20</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:to><xdr:sp><xdr:nvSpPr><xdr:cNvPr id="8" name="Fallback"/><xdr:cNvSpPr/></xdr:nvSpPr><xdr:spPr/></xdr:sp><xdr:clientData/></xdr:twoCellAnchor></mc:Fallback></mc:AlternateContent>
</xdr:wsDr>'''

CHART = '''<?xml version="1.0" encoding="UTF-8"?>
<c:chartSpace xmlns:c="http://schemas.openxmlformats.org/drawingml/2006/chart"><c:chart><c:plotArea><c:layout/></c:plotArea></c:chart></c:chartSpace>'''

SST = f'<?xml version="1.0" encoding="UTF-8"?>\n<sst xmlns="{MAIN}" count="2" uniqueCount="2"><si><t>shared one</t></si><si><r><t>rich</t></r><r><rPr><i/></rPr><t xml:space="preserve"> shared</t></r></si></sst>'

WORKBOOK = f'''<?xml version="1.0" encoding="UTF-8"?>
<workbook xmlns="{MAIN}" xmlns:r="{REL}"><workbookPr date1904="0"/><bookViews><workbookView activeTab="0"/></bookViews>
<sheets><sheet name="Edge Cases" sheetId="3" r:id="rId1"/><sheet name="Prefixed" sheetId="7" state="hidden" r:id="rId2"/></sheets>
<definedNames><definedName name="_xlnm.Print_Area" localSheetId="0">'Edge Cases'!$A$1:$D$9</definedName><definedName name="Total">'Edge Cases'!$C$2</definedName></definedNames>
<calcPr calcId="191029"/></workbook>'''

PREFIXED = f'''<?xml version="1.0" encoding="UTF-8"?>
<x:worksheet xmlns:x="{MAIN}"><x:sheetData><x:row r="2"><x:c r="B2" t="inlineStr"><x:is><x:t>prefixed</x:t></x:is></x:c><x:c r="C2"><x:v>7</x:v></x:c></x:row></x:sheetData></x:worksheet>'''

with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("[Content_Types].xml", types([
        ("/xl/workbook.xml", CT + "spreadsheetml.sheet.main+xml"),
        ("/xl/worksheets/sheet1.xml", CT + "spreadsheetml.worksheet+xml"),
        ("/xl/worksheets/sheet2.xml", CT + "spreadsheetml.worksheet+xml"),
        ("/xl/styles.xml", CT + "spreadsheetml.styles+xml"),
        ("/xl/sharedStrings.xml", CT + "spreadsheetml.sharedStrings+xml"),
        ("/xl/theme/theme1.xml", CT + "theme+xml"),
        ("/xl/drawings/drawing1.xml", CT + "drawing+xml"),
        ("/xl/charts/chart1.xml", CT + "drawingml.chart+xml"),
        ("/customXml/item1.xml", "application/xml")]))
    z.writestr("_rels/.rels", rels(("rId1", "officeDocument", "xl/workbook.xml")))
    z.writestr("xl/workbook.xml", WORKBOOK)
    z.writestr("xl/_rels/workbook.xml.rels", rels(("rId1", "worksheet", "worksheets/sheet1.xml"),
        ("rId2", "worksheet", "./worksheets/../worksheets/sheet2.xml"), ("rId3", "styles", "styles.xml"),
        ("rId4", "sharedStrings", "sharedStrings.xml"), ("rId5", "theme", "theme/theme1.xml")))
    z.writestr("xl/worksheets/sheet1.xml", SHEET1)
    z.writestr("xl/worksheets/_rels/sheet1.xml.rels", rels(("rId1", "drawing", "../drawings/drawing1.xml")) .replace(
        "</Relationships>", f'<Relationship Id="rId2" Type="{T}hyperlink" Target="https://example.org/a%20b" TargetMode="External"/></Relationships>'))
    z.writestr("xl/worksheets/sheet2.xml", PREFIXED)
    z.writestr("xl/styles.xml", STYLES)
    z.writestr("xl/sharedStrings.xml", SST)
    z.writestr("xl/theme/theme1.xml", THEME)
    z.writestr("xl/drawings/drawing1.xml", DRAWING)
    z.writestr("xl/drawings/_rels/drawing1.xml.rels", rels(("rId1", "image", "../media/image1.png"), ("rId2", "chart", "/xl/charts/chart1.xml")))
    z.writestr("xl/media/image1.png", open(sys.argv[2], "rb").read())
    z.writestr("xl/charts/chart1.xml", CHART)
    z.writestr("customXml/item1.xml", "<kept>not referenced by anything</kept>")
