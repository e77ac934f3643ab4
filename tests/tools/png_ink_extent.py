"""Prints "width height left top right bottom" of a PNG image from rsvg-convert: its size
and the box of the pixels that are not fully transparent (8-bit RGBA, not interlaced),
with the standard library alone."""
import struct
import sys
import zlib

data = open(sys.argv[1], "rb").read()
pos, idat = 8, b""
while pos < len(data):
    length, kind = struct.unpack(">I4s", data[pos:pos + 8])
    if kind == b"IHDR":
        width, height, depth, colour = struct.unpack(">IIBB", data[pos + 8:pos + 18])
    elif kind == b"IDAT":
        idat += data[pos + 8:pos + 8 + length]
    pos += 12 + length
if depth != 8 or colour != 6:
    sys.exit("not an 8-bit RGBA image")
raw, stride, previous = zlib.decompress(idat), width * 4, bytearray(width * 4)
xs, ys = [], []
for y in range(height):
    kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
    for i in range(stride):
        a, b, c = (line[i - 4] if i >= 4 else 0), previous[i], (previous[i - 4] if i >= 4 else 0)
        p = a + b - c
        guess = [0, a, b, (a + b) // 2, a if abs(p - a) <= min(abs(p - b), abs(p - c))
                 else b if abs(p - b) <= abs(p - c) else c][kind]
        line[i] = (line[i] + guess) & 0xFF
    for x in range(width):
        if line[x * 4 + 3]:
            xs.append(x)
            ys.append(y)
    previous = line
print(width, height, min(xs), min(ys), max(xs), max(ys))
