"""Reads a DXF file with ezdxf as a strict reader and prints what it found, one item a
line: the version, $INSUNITS, the number of messages ezdxf logged while loading (warnings
and above), the errors and the fixes of its audit; then for every entity in model space
its type ("closed" or "open" after a LWPOLYLINE), its point count and an "x y" line per
point (vertices, fit points, or a line's two ends)."""
import logging
import sys

import ezdxf

logged = []
handler = logging.Handler(logging.WARNING)
handler.emit = lambda record: logged.append(record)
logging.getLogger("ezdxf").addHandler(handler)
doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
for message in logged + [error.message for error in auditor.errors]:
    print("message:", message, file=sys.stderr)
print(doc.dxfversion, doc.header.get("$INSUNITS", 0), len(logged), len(auditor.errors),
      len(auditor.fixes), sep="\n")
for entity in doc.modelspace():
    kind = entity.dxftype()
    print(kind)
    if kind == "LWPOLYLINE":
        print("closed" if entity.closed else "open")
        points = list(entity.get_points("xy"))
    elif kind == "SPLINE":
        points = [(p[0], p[1]) for p in entity.fit_points]
    else:
        points = [(entity.dxf.start.x, entity.dxf.start.y), (entity.dxf.end.x, entity.dxf.end.y)]
    print(len(points))
    for x, y in points:
        print(f"{x:.6f} {y:.6f}")
