"""All seventeen line markings drawn with "D_Linie" side by side, each along
its own copy of one S-bend, through the console, with a picture of them.
The drawing is read back with ezdxf and each marking checked: its lines on
the destination's layer, in its colour (not the edge's), with the catalogue's linetypes and widths (a double
marking's two lines 0.24 either side of the edge, its centre gone), and its
description giving the bend's length, the area per metre and an area of
length times area per metre. ezdxf's audit must find no error.
Run as: seventeen_markings.py TARVO_EXE OUT_DIR (the picture is
OUT_DIR/seventeen_markings.png)."""

import math
import os
import struct
import subprocess
import sys

import ezdxf
from ezdxf.math import bulge_to_arc
from shapely.geometry import LineString, Point

# symbol, area per metre, linetype, second linetype, width (the catalogue).
CATALOGUE = [
    ("P-1A", 0.04, "P-1A", None, 0.12),
    ("P-1B", 0.04, "P-1B", None, 0.12),
    ("P-1C", 0.12, "P-1C", None, 0.24),
    ("P-1D", 0.06, "P-1D", None, 0.12),
    ("P-1E", 0.12, "P-1E", None, 0.24),
    ("P-2A", 0.12, "Continuous", None, 0.12),
    ("P-2B", 0.24, "Continuous", None, 0.24),
    ("P-3A", 0.2, "Continuous", "P-6", 0.12),
    ("P-3B", 0.18, "Continuous", "P-1D", 0.12),
    ("P-4", 0.24, "Continuous", "Continuous", 0.12),
    ("P-5", 0.32, "P-6", "P-6", 0.12),
    ("P-6", 0.08, "P-6", None, 0.12),
    ("P-7A", 0.12, "P-7A", None, 0.24),
    ("P-7B", 0.24, "P-7B", None, 0.24),
    ("P-7C", 0.06, "P-7C", None, 0.12),
    ("P-7D", 0.12, "P-7D", None, 0.12),
    ("P-19", 0.12, "P-19", None, 0.24),
]
OFFSET = 0.24
LAYER = "Oznakowanie poziome projektowane"
SPACING = 3.0  # between the copies of the bend
RADIUS, TURN, STRAIGHT = 25.0, math.radians(40), 12.0


def s_bend(dy):
    """(x, y, bulge) vertices: a straight, a left and a right arc, a straight;
    and its length."""
    chord = 2 * RADIUS * math.sin(TURN / 2)
    b = math.tan(TURN / 4)
    p0 = (0.0, dy)
    p1 = (STRAIGHT, dy)
    p2 = (p1[0] + chord * math.cos(TURN / 2), p1[1] + chord * math.sin(TURN / 2))
    p3 = (p2[0] + chord * math.cos(TURN / 2), p2[1] + chord * math.sin(TURN / 2))
    p4 = (p3[0] + STRAIGHT, p3[1])
    return [(*p0, 0.0), (*p1, b), (*p2, -b), (*p3, 0.0), (*p4, 0.0)], 2 * STRAIGHT + 2 * RADIUS * TURN


def flatten(vertices):
    points = [vertices[0][:2]]
    for (x0, y0, b), (x1, y1, _) in zip(vertices, vertices[1:]):
        if abs(b) > 1e-12:
            centre, _, _, radius = bulge_to_arc((x0, y0), (x1, y1), b)
            begin = math.atan2(y0 - centre.y, x0 - centre.x)
            sweep = 4 * math.atan(b)
            for k in range(1, 200):
                a = begin + sweep * k / 200
                points.append((centre.x + radius * math.cos(a), centre.y + radius * math.sin(a)))
        points.append((x1, y1))
    return points


def script():
    lines = ["D_Linie"]
    for k, (symbol, *_rest) in enumerate(CATALOGUE):
        vertices, _ = s_bend(k * SPACING)
        (x0, y0, _), (x1, y1, _) = vertices[0], vertices[-1]
        lines += [f'dlg select IDC_LINE_LIST "{symbol}"', "dlg click IDC_LINE_DRAW",
                  f"pick {x0 + 1},{y0}", f"{x0},{y0}", f"{x1},{y1}"]
        if symbol in ("P-3A", "P-3B"):
            lines.append(f"{x0 + 1},{y0 + 1}")  # the dashed line on the left
        lines += [f"{x1},{y1}", f"{x1 + 4},{y1 + 1}", ""]
    lines.append("dlg click 2")
    return "\n".join(lines) + "\n"


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", head[16:24])


def main():
    tarvo, out_dir = sys.argv[1], sys.argv[2]
    os.makedirs(out_dir, exist_ok=True)
    doc = ezdxf.new("R2000")
    for k in range(len(CATALOGUE)):
        vertices, _ = s_bend(k * SPACING)
        # Grey, so that the gaps of the dashed markings show in the picture.
        doc.modelspace().add_lwpolyline([(x, y, 0, 0, b) for x, y, b in vertices], format="xyseb",
                                         dxfattribs={"color": 8})
    edges_dxf = os.path.join(out_dir, "seventeen_edges.dxf")
    doc.saveas(edges_dxf)
    # The designed markings' layer, as the drawing's settings name it.
    settings = subprocess.run([tarvo, "settings", edges_dxf, "--out", edges_dxf, "--layer-designed", LAYER],
                              capture_output=True, text=True)
    if settings.returncode != 0:
        print(settings.stdout, settings.stderr)
        return 1
    scr = os.path.join(out_dir, "seventeen_markings.scr")
    with open(scr, "w", encoding="utf-8") as f:
        f.write(script())
    out_dxf = os.path.join(out_dir, "seventeen_markings.dxf")
    png = os.path.join(out_dir, "seventeen_markings.png")
    run = subprocess.run([tarvo, "run", "--in", edges_dxf, "--script", scr, "--out", out_dxf, "--png", png],
                         capture_output=True, text=True)
    if run.returncode != 0:
        print(run.stdout, run.stderr)
        return 1

    faults = []
    drawn = ezdxf.readfile(out_dxf)
    msp = drawn.modelspace()
    marks = [e for e in msp.query("LWPOLYLINE") if e.dxf.const_width > 0]
    descriptions = {}
    for insert in msp.query("INSERT"):
        values = {a.dxf.tag: a.dxf.text for a in insert.attribs}
        descriptions[values.get("Symbol")] = (insert, values)
    for k, (symbol, per_metre, linetype, second, width) in enumerate(CATALOGUE):
        vertices, length = s_bend(k * SPACING)
        edge = LineString(flatten(vertices))
        near = [m for m in marks if edge.distance(Point(m.get_points("xy")[0])) < SPACING / 2]
        if symbol not in descriptions:
            faults.append(f"{symbol}: no description")
            continue
        insert, values = descriptions[symbol]
        layer = insert.dxf.layer
        if values.get("Długość") != f"{length:.2f}":
            faults.append(f"{symbol}: length {values.get('Długość')}, the bend is {length:.2f}")
        if values.get("Powierzchnia_na_mb") != f"{per_metre:.2f}":
            faults.append(f"{symbol}: {values.get('Powierzchnia_na_mb')} per metre, not {per_metre:.2f}")
        if values.get("Powierzchnia") != f"{length * per_metre:.2f} m2":
            faults.append(f"{symbol}: area {values.get('Powierzchnia')}, not {length * per_metre:.2f} m2")
        expected = [(linetype, 0.0)] if second is None else [(linetype, None), (second, None)]
        if len(near) != len(expected):
            faults.append(f"{symbol}: {len(near)} lines drawn, {len(expected)} expected")
            continue
        found = sorted(m.dxf.linetype for m in near)
        if found != sorted(t for t, _ in expected):
            faults.append(f"{symbol}: linetypes {found}")
        for m in near:
            if m.dxf.layer != LAYER or layer != LAYER:
                faults.append(f"{symbol}: line on layer {m.dxf.layer}, description on {layer}")
            if m.dxf.color != 256:
                faults.append(f"{symbol}: colour {m.dxf.color}, not by layer (the edge is grey)")
            if abs(m.dxf.const_width - width) > 1e-9:
                faults.append(f"{symbol}: width {m.dxf.const_width}, not {width}")
            wanted = 0.0 if second is None else OFFSET
            worst = max(abs(edge.distance(Point(p)) - wanted)
                        for p in flatten([(x, y, b) for x, y, _, _, b in m.get_points("xyseb")]))
            if worst > 0.001:
                faults.append(f"{symbol}: a line {worst * 1000:.2f} mm off {wanted} from the edge")
        if second is not None:
            sides = sorted(edge.distance(Point(m.get_points("xy")[0])) for m in near)
            ends = [m.get_points("xy")[0] for m in near]
            if math.dist(ends[0], ends[1]) < 2 * OFFSET - 0.001:
                faults.append(f"{symbol}: both lines on one side ({sides})")
    if symbol_side_fault := side_of_second_linetype(descriptions, marks):
        faults.append(symbol_side_fault)
    auditor = drawn.audit()
    if auditor.errors:
        faults.append(f"audit: {len(auditor.errors)} errors")
    size = png_size(png)
    if not size or min(size) < 100:
        faults.append(f"picture {png}: {size}")
    for fault in faults:
        print(fault)
    print(f"{len(CATALOGUE)} markings, {len(faults)} faults; picture {png} {size}")
    return 1 if faults else 0


def side_of_second_linetype(descriptions, marks):
    """P-3A and P-3B: the side was picked on the left of the bend (above its
    start), so the dashed line is the upper one there."""
    for k, (symbol, _, _, second, _) in enumerate(CATALOGUE):
        if symbol not in ("P-3A", "P-3B"):
            continue
        y = k * SPACING
        start_lines = [m for m in marks if abs(m.get_points("xy")[0][0]) < 0.01 and abs(m.get_points("xy")[0][1] - y) < 1]
        upper = max(start_lines, key=lambda m: m.get_points("xy")[0][1], default=None)
        if upper is None or upper.dxf.linetype != second:
            return f"{symbol}: the {second} line is not on the picked side"
    return None


if __name__ == "__main__":
    sys.exit(main())
