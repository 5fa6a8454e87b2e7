"""Points of a drawing's ellipses and splines as ezdxf evaluates them.

Usage: /usr/bin/python3 ezdxf_curve_points.py FILE COUNT
Prints JSON: for each ELLIPSE and SPLINE of model space, by handle, COUNT
[parameter, x, y, z] evenly over its parameter range (ellipses from the
start parameter, running past 2 pi where the end is below the start).
"""

import json
import math
import sys

import ezdxf


def main(path, count):
    doc = ezdxf.readfile(path)
    out = {}
    for e in doc.modelspace():
        if e.dxftype() == "ELLIPSE":
            start, end = e.dxf.start_param, e.dxf.end_param
            sweep = (end - start) % (2 * math.pi) or 2 * math.pi
            params = [start + sweep * k / (count - 1) for k in range(count)]
            points = e.construction_tool().vertices(params)
        elif e.dxftype() == "SPLINE":
            tool = e.construction_tool()
            knots = tool.knots()
            lo, hi = knots[tool.order - 1], knots[tool.count]
            params = [lo + (hi - lo) * k / (count - 1) for k in range(count)]
            points = [tool.point(t) for t in params]
        else:
            continue
        out[e.dxf.handle] = [[t, p.x, p.y, p.z] for t, p in zip(params, points)]
    print(json.dumps(out))


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]))
