"""Reads a DXF file with ezdxf and prints its polylines for the writer tests.

Output: the number of POLYLINE entities in model space, then for each one
its vertex count followed by one "x y" line per vertex.
"""
import sys

import ezdxf


def main(path: str) -> int:
    doc = ezdxf.readfile(path)
    polylines = doc.modelspace().query("POLYLINE")
    print(len(polylines))
    for polyline in polylines:
        points = list(polyline.points())
        print(len(points))
        for point in points:
            print(f"{point[0]:.6f} {point[1]:.6f}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
