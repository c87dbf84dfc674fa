#!/usr/bin/python3
"""Writes a small, valid workbook with a run of filler bytes in one of its parts: the
hostile files the reader must refuse quickly (or load quickly) without running out of memory.

  hostile_xlsx.py OUT.xlsx --part xl/worksheets/sheet1.xml --size 4G [--unit ' ']
                  [--marker CELLS] [--open '<!--' --close '-->'] [--declare BYTES]

The filler goes where the part's template has {MARKER}: CELLS (between the rows of
sheetData) or HEAD (before sheetData) in the sheet, ITEMS between the shared strings, XFS in
the styles' cellXfs, SHEETS after the workbook's sheet list, TYPES among the content types; --open and --close wrap it (in a
comment, an attribute value...). A run of gigabytes costs
milliseconds to write: it is one deflated megabyte repeated (each copy is flushed, so it
stands on its own), and its CRC is combined, not computed over the bytes.
--declare records a different inflated size in the archive than the real one, as a
forged archive would.
"""
import argparse
import struct
import sys
import zlib

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG_REL = "http://schemas.openxmlformats.org/package/2006/relationships"
CT = "application/vnd.openxmlformats-officedocument.spreadsheetml."

TEMPLATES = {
    "[Content_Types].xml":
        '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
        '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
        '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
        '<Default Extension="xml" ContentType="application/xml"/>{TYPES}'
        f'<Override PartName="/xl/workbook.xml" ContentType="{CT}sheet.main+xml"/>'
        f'<Override PartName="/xl/worksheets/sheet1.xml" ContentType="{CT}worksheet+xml"/>'
        f'<Override PartName="/xl/sharedStrings.xml" ContentType="{CT}sharedStrings+xml"/>'
        f'<Override PartName="/xl/styles.xml" ContentType="{CT}styles+xml"/>'
        '</Types>',
    "_rels/.rels":
        f'<Relationships xmlns="{PKG_REL}">'
        f'<Relationship Id="rId1" Type="{REL}/officeDocument" Target="xl/workbook.xml"/>'
        '</Relationships>',
    "xl/workbook.xml":
        f'<workbook xmlns="{MAIN}" xmlns:r="{REL}">'
        '<sheets><sheet name="Data" sheetId="1" r:id="rId1"/></sheets>{SHEETS}</workbook>',
    "xl/_rels/workbook.xml.rels":
        f'<Relationships xmlns="{PKG_REL}">'
        f'<Relationship Id="rId1" Type="{REL}/worksheet" Target="worksheets/sheet1.xml"/>'
        f'<Relationship Id="rId2" Type="{REL}/sharedStrings" Target="sharedStrings.xml"/>'
        f'<Relationship Id="rId3" Type="{REL}/styles" Target="styles.xml"/>'
        '</Relationships>',
    "xl/worksheets/sheet1.xml":
        f'<worksheet xmlns="{MAIN}">{{HEAD}}<sheetData>'
        '<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1"><v>42</v></c></row>{CELLS}'
        '<row r="2"><c r="A2" t="s"><v>1</v></c><c r="B2" t="inlineStr"><is><t>last</t></is></c></row>'
        '</sheetData></worksheet>',
    "xl/sharedStrings.xml":
        f'<sst xmlns="{MAIN}" count="2" uniqueCount="2"><si><t>first</t></si>{{ITEMS}}'
        '<si><t>second</t></si></sst>',
    "xl/styles.xml":
        f'<styleSheet xmlns="{MAIN}"><fonts count="1"><font><sz val="11"/><name val="Calibri"/></font></fonts>'
        '<fills count="1"><fill><patternFill patternType="none"/></fill></fills>'
        '<borders count="1"><border/></borders>'
        '<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>'
        '<cellXfs><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>{XFS}</cellXfs>'
        '</styleSheet>',
}
MARKERS = {"HEAD", "CELLS", "ITEMS", "XFS", "SHEETS", "TYPES"}
BLOCK = 1 << 20


def crc32_combine(crc1, crc2, len2):
    """zlib's crc32_combine: the CRC of A+B from the CRCs of A and B and B's length."""
    def times(matrix, vector):
        total, i = 0, 0
        while vector:
            if vector & 1:
                total ^= matrix[i]
            vector >>= 1
            i += 1
        return total

    def square(matrix):
        return [times(matrix, row) for row in matrix]

    if len2 == 0:
        return crc1
    odd = [0xEDB88320] + [1 << n for n in range(31)]
    even = square(odd)
    odd = square(even)
    while True:
        even = square(odd)
        if len2 & 1:
            crc1 = times(even, crc1)
        len2 >>= 1
        if not len2:
            break
        odd = square(even)
        if len2 & 1:
            crc1 = times(odd, crc1)
        len2 >>= 1
        if not len2:
            break
    return crc1 ^ crc2


def flushed(data):
    """Raw deflate of `data` that ends on a byte boundary and refers to nothing before it."""
    c = zlib.compressobj(9, zlib.DEFLATED, -15)
    return c.compress(data) + c.flush(zlib.Z_FULL_FLUSH)


def finished(data):
    c = zlib.compressobj(9, zlib.DEFLATED, -15)
    return c.compress(data) + c.flush(zlib.Z_FINISH)


def repeated(block, count):
    """(deflated, crc) of `block` repeated `count` times, by doubling."""
    piece, crc, length = flushed(block), zlib.crc32(block), len(block)
    out_data, out_crc, out_len = b"", 0, 0
    while count:
        if count & 1:
            out_data += piece
            out_crc = crc32_combine(out_crc, crc, length)
            out_len += length
        count >>= 1
        if count:
            piece, crc, length = piece + piece, crc32_combine(crc, crc, length), length * 2
    return out_data, out_crc, out_len


def filled_entry(text, marker, unit, size, opening, closing):
    """(deflated, crc, inflated size) of the part with `size` bytes of `unit` at the marker."""
    for other in MARKERS - {marker}:
        text = text.replace("{" + other + "}", "")
    head, tail = text.split("{" + marker + "}")
    head, tail = (head + opening).encode(), (closing + tail).encode()
    unit_block = unit * max(1, BLOCK // len(unit))
    blocks, rest = divmod(size, len(unit_block))
    if rest % len(unit):
        sys.exit(f"the size must be a multiple of the unit's {len(unit)} bytes")
    body, body_crc, body_len = repeated(unit_block, blocks)
    rest_bytes = unit * (rest // len(unit))
    data = flushed(head) + body + flushed(rest_bytes) + finished(tail)
    crc = zlib.crc32(head)
    crc = crc32_combine(crc, body_crc, body_len)
    crc = crc32_combine(crc, zlib.crc32(rest_bytes), len(rest_bytes))
    crc = crc32_combine(crc, zlib.crc32(tail), len(tail))
    return data, crc, len(head) + body_len + len(rest_bytes) + len(tail)


def write_zip(path, entries):
    """entries: (name, deflated, crc, real size, declared size). Zip64 fields where needed."""
    out, central = bytearray(), bytearray()
    for name, data, crc, _, declared in entries:
        raw = name.encode()
        big = declared >= 0xFFFFFFFF or len(data) >= 0xFFFFFFFF
        extra = struct.pack("<HHQQ", 1, 16, declared, len(data)) if big else b""
        usize, csize = (0xFFFFFFFF, 0xFFFFFFFF) if big else (declared, len(data))
        version = 45 if big else 20
        offset = len(out)
        out += struct.pack("<IHHHHHIIIHH", 0x04034B50, version, 0, 8, 0, 0x21, crc, csize, usize, len(raw), len(extra))
        out += raw + extra + data
        central += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, version, version, 0, 8, 0, 0x21, crc, csize, usize,
                               len(raw), len(extra), 0, 0, 0, 0, offset)
        central += raw + extra
    start = len(out)
    out += central
    out += struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(entries), len(entries), len(central), start, 0)
    with open(path, "wb") as f:
        f.write(out)


def size_arg(text):
    factor = {"K": 1 << 10, "M": 1 << 20, "G": 1 << 30}.get(text[-1:].upper(), 1)
    return int(text[:-1] if factor > 1 else text) * factor


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out")
    parser.add_argument("--part", default="xl/worksheets/sheet1.xml", choices=sorted(TEMPLATES))
    parser.add_argument("--marker", default=None, choices=sorted(MARKERS))
    parser.add_argument("--size", type=size_arg, default=0)
    parser.add_argument("--unit", default=" ")
    parser.add_argument("--open", default="")
    parser.add_argument("--close", default="")
    parser.add_argument("--declare", type=size_arg, default=None)
    args = parser.parse_args()
    marker = args.marker or next(m for m in ("CELLS", "ITEMS", "XFS", "SHEETS", "TYPES") if "{" + m + "}" in TEMPLATES[args.part])
    entries = []
    for name, text in TEMPLATES.items():
        if name == args.part:
            data, crc, size = filled_entry(text, marker, args.unit.encode(), args.size, args.open, args.close)
        else:
            for m in MARKERS:
                text = text.replace("{" + m + "}", "")
            plain = text.encode()
            data, crc, size = finished(plain), zlib.crc32(plain), len(plain)
        declared = args.declare if name == args.part and args.declare is not None else size
        entries.append((name, data, crc, size, declared))
    write_zip(args.out, entries)


if __name__ == "__main__":
    main()
