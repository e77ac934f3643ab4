"""Reads a DXF file with ezdxf as a strict reader and prints what it found.

Output, one item a line: the DXF version, the drawing units ($INSUNITS),
the number of messages ezdxf logged while loading (warnings and above), the
number of errors and of fixes its audit reports, then for every entity in
model space its type, and for a LWPOLYLINE "closed" or "open", its vertex
count and an "x y" line per vertex; for a SPLINE its fit point count and
those points; for a LINE its two ends.
"""
import logging
import sys

import ezdxf


class Counter(logging.Handler):
    def __init__(self):
        super().__init__(logging.WARNING)
        self.count = 0

    def emit(self, record):
        self.count += 1
        print("logged:", record.getMessage(), file=sys.stderr)


def main(path: str) -> int:
    counter = Counter()
    logging.getLogger("ezdxf").addHandler(counter)
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    for error in auditor.errors:
        print("error:", error.message, file=sys.stderr)
    print(doc.dxfversion)
    print(doc.header.get("$INSUNITS", 0))
    print(counter.count)
    print(len(auditor.errors))
    print(len(auditor.fixes))
    for entity in doc.modelspace():
        kind = entity.dxftype()
        print(kind)
        if kind == "LWPOLYLINE":
            print("closed" if entity.closed else "open")
            points = list(entity.get_points("xy"))
        elif kind == "SPLINE":
            points = [(p[0], p[1]) for p in entity.fit_points]
        elif kind == "LINE":
            points = [(entity.dxf.start.x, entity.dxf.start.y), (entity.dxf.end.x, entity.dxf.end.y)]
        else:
            points = []
        print(len(points))
        for x, y in points:
            print(f"{x:.6f} {y:.6f}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
