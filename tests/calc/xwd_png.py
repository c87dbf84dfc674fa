"""A screenshot of an X display as PNG: `xwd -root` read and written out by hand (zlib), so
that the window test needs nothing beyond x11-apps."""
import struct
import subprocess
import zlib


def screenshot(display, path):
    raw = subprocess.run(["xwd", "-root", "-silent", "-display", display], check=True, capture_output=True).stdout
    (header_size, _version, _format, depth, width, height, _xoffset, byte_order, _unit, _bit_order, _pad,
     bits_per_pixel, bytes_per_line, _visual_class, red_mask, green_mask, blue_mask, _bits_per_rgb,
     _map_entries, ncolors, _ww, _wh, _wx, _wy, _border) = struct.unpack(">25I", raw[:100])
    if bits_per_pixel != 32 or depth < 24:
        raise RuntimeError("xwd gave %d bits per pixel, depth %d: only 24/32-bit displays are read" %
                           (bits_per_pixel, depth))
    data = raw[header_size + ncolors * 12:]
    shifts = [(mask & -mask).bit_length() - 1 for mask in (red_mask, green_mask, blue_mask)]
    pixel = "<I" if byte_order == 0 else ">I"
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        line = data[y * bytes_per_line:y * bytes_per_line + width * 4]
        for (value,) in struct.iter_unpack(pixel, line):
            rows += bytes(((value >> shifts[0]) & 0xFF, (value >> shifts[1]) & 0xFF, (value >> shifts[2]) & 0xFF))

    def chunk(kind, payload):
        return struct.pack(">I", len(payload)) + kind + payload + struct.pack(">I", zlib.crc32(kind + payload))

    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
           chunk(b"IDAT", zlib.compress(bytes(rows), 6)) + chunk(b"IEND", b""))
    with open(path, "wb") as out:
        out.write(png)
    return width, height
