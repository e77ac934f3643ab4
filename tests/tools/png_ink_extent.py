"""Prints the size of a PNG image and the box of its drawn pixels.

Output: "width height left top right bottom" in pixels, the box holding every
pixel that is not fully transparent (rsvg-convert leaves the background
transparent); "width height" alone for an empty picture. Reads 8-bit RGBA or
RGB images without interlacing, which is what rsvg-convert writes, with no
module beyond the standard library.
"""
import struct
import sys
import zlib


def rows(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit("not a PNG file")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        chunk = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", chunk)
        elif kind == b"IDAT":
            idat += chunk
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise SystemExit("unsupported PNG layout")
    channels = 4 if colour == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * channels
    previous = bytearray(stride)
    out = []
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                predicted = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                line[i] = (line[i] + predicted) & 0xFF
        out.append(line)
        previous = line
    return width, height, channels, out


def main(path):
    width, height, channels, lines = rows(path)
    xs, ys = [], []
    for y, line in enumerate(lines):
        for x in range(width):
            if channels == 4 and line[x * 4 + 3] > 0:
                xs.append(x)
                ys.append(y)
    if not xs:
        print(width, height)
    else:
        print(width, height, min(xs), min(ys), max(xs), max(ys))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
