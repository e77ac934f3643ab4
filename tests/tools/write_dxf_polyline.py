#!/usr/bin/python3
"""Writes the points read from standard input ("x y" per line) as one 2D
POLYLINE entity of an R12 DXF drawing, made with ezdxf.

Usage: write_dxf_polyline.py OUTPUT.dxf < points.txt
Exit status 3 when ezdxf is not installed.
"""
import sys

try:
    import ezdxf
except ImportError:
    sys.exit(3)


def main() -> int:
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    points = []
    for line in sys.stdin:
        fields = line.split()
        if len(fields) >= 2:
            points.append((float(fields[0]), float(fields[1])))
    doc = ezdxf.new(dxfversion="R12")
    doc.modelspace().add_polyline2d(points)
    doc.saveas(sys.argv[1])
    return 0


if __name__ == "__main__":
    sys.exit(main())
