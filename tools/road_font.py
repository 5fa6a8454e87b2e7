#!/usr/bin/python3
"""Makes the road-lettering font Tarvowa.ttf from OSP-DIN (a DIN 1451 face).

OSP-DIN lacks the Polish letters. They are drawn here from its own shapes:
the acute of ó/Ó over c, n, s, z, the dot of i over z, and an ogonek and a
stroke drawn at the face's stem width. The family is renamed, so that the
result is not taken for the original (its licence asks that of a modified
version).

    road_font.py OSP-DIN.ttf Tarvowa.ttf
"""

import math
import sys

from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.recordingPen import RecordingPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

FAMILY = "Tarvowa"

# New letter: (glyph name, code point, base glyph, marks).
LETTERS = [
    ("Aogonek", 0x0104, "A", ["ogonek"]),
    ("aogonek", 0x0105, "a", ["ogonek"]),
    ("Cacute", 0x0106, "C", ["ACUTE"]),
    ("cacute", 0x0107, "c", ["acute"]),
    ("Eogonek", 0x0118, "E", ["ogonek"]),
    ("eogonek", 0x0119, "e", ["ogonek"]),
    ("Lslash", 0x0141, "L", ["SLASH"]),
    ("lslash", 0x0142, "l", ["slash"]),
    ("Nacute", 0x0143, "N", ["ACUTE"]),
    ("nacute", 0x0144, "n", ["acute"]),
    ("Sacute", 0x015A, "S", ["ACUTE"]),
    ("sacute", 0x015B, "s", ["acute"]),
    ("Zacute", 0x0179, "Z", ["ACUTE"]),
    ("zacute", 0x017A, "z", ["acute"]),
    ("Zdotaccent", 0x017B, "Z", ["DOT"]),
    ("zdotaccent", 0x017C, "z", ["dot"]),
]


def contours(glyph_set, name):
    """The glyph's contours, each a list of pen operations."""
    pen = RecordingPen()
    glyph_set[name].draw(pen)
    result, current = [], []
    for op, args in pen.value:
        current.append((op, args))
        if op in ("closePath", "endPath"):
            result.append(current)
            current = []
    return result


def bounds(glyph_set, ops):
    pen = BoundsPen(glyph_set)
    for op, args in ops:
        getattr(pen, op)(*args)
    return pen.bounds


def replay(ops, pen):
    for op, args in ops:
        getattr(pen, op)(*args)


def extra_contours(glyph_set, accented, base):
    """The contours of the accented glyph that its base does not have."""
    base_boxes = [bounds(glyph_set, c) for c in contours(glyph_set, base)]
    return [c for c in contours(glyph_set, accented) if bounds(glyph_set, c) not in base_boxes]


def polygon(points):
    """A closed contour through the points, clockwise as TrueType's outer contours go."""
    area = sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]))
    if area > 0:
        points = points[::-1]
    ops = [("moveTo", (points[0],))]
    ops += [("lineTo", (p,)) for p in points[1:]]
    ops.append(("closePath", ()))
    return ops


def ogonek(attach_x, stem):
    """A hook below the baseline: down from the letter's lower right,
    bulging to the left, its thinning tail turned to the right."""
    radius = 0.9 * stem
    centre = (attach_x, -radius)
    outer, inner = [], []
    steps = 16
    for i in range(steps + 1):
        angle = math.radians(90 + 210 * i / steps)
        thickness = stem * (0.85 - 0.5 * i / steps)
        cx = centre[0] + radius * math.cos(angle)
        cy = centre[1] + radius * math.sin(angle)
        nx, ny = math.cos(angle), math.sin(angle)
        outer.append((round(cx + nx * thickness / 2), round(cy + ny * thickness / 2)))
        inner.append((round(cx - nx * thickness / 2), round(cy - ny * thickness / 2)))
    return polygon(outer + inner[::-1])


def slash(centre_x, centre_y, length, stem):
    """A stroke through a stem, rising to the right."""
    angle = math.radians(30)
    dx, dy = math.cos(angle) * length / 2, math.sin(angle) * length / 2
    nx, ny = -math.sin(angle) * stem * 0.35, math.cos(angle) * stem * 0.35
    return polygon([
        (round(centre_x - dx - nx), round(centre_y - dy - ny)),
        (round(centre_x + dx - nx), round(centre_y + dy - ny)),
        (round(centre_x + dx + nx), round(centre_y + dy + ny)),
        (round(centre_x - dx + nx), round(centre_y - dy + ny)),
    ])


def moved(ops, dx, dy):
    pen = RecordingPen()
    replay(ops, TransformPen(pen, (1, 0, 0, 1, dx, dy)))
    return pen.value


def centre_x(box):
    return (box[0] + box[2]) / 2


def main(source, target):
    # The source's dates are kept, so that the same source gives the same bytes.
    font = TTFont(source, recalcTimestamp=False)
    glyph_set = font.getGlyphSet()

    # The face's stem: the width of the dotless part of i.
    dot, stem_part = sorted(contours(glyph_set, "i"), key=lambda c: -bounds(glyph_set, c)[1])
    stem_box = bounds(glyph_set, stem_part)
    stem = stem_box[2] - stem_box[0]
    acute = {"acute": (extra_contours(glyph_set, "oacute", "o"), "o"),
             "ACUTE": (extra_contours(glyph_set, "Oacute", "O"), "O")}
    capital_mark_base = min(bounds(glyph_set, c)[1] for c in acute["ACUTE"][0])
    dot_box = bounds(glyph_set, dot)

    glyf = font["glyf"]
    hmtx = font["hmtx"]
    order = font.getGlyphOrder()
    for name, code, base, marks in LETTERS:
        base_box = bounds(glyph_set, [op for c in contours(glyph_set, base) for op in c])
        ops = [op for c in contours(glyph_set, base) for op in c]
        for mark in marks:
            if mark in acute:
                shape, carrier = acute[mark]
                carrier_box = bounds(glyph_set, [op for c in contours(glyph_set, carrier) for op in c])
                # The acute keeps its place relative to the letter's middle.
                ops += moved([op for c in shape for op in c], centre_x(base_box) - centre_x(carrier_box), 0)
            elif mark in ("dot", "DOT"):
                dy = 0 if mark == "dot" else capital_mark_base - dot_box[1]
                ops += moved(dot, centre_x(base_box) - centre_x(dot_box), dy)
            elif mark == "ogonek":
                ops += ogonek(base_box[2] - 0.6 * stem, stem)
            elif mark in ("slash", "SLASH"):
                stem_middle = base_box[0] + stem / 2
                height = base_box[3] - base_box[1]
                ops += slash(stem_middle, base_box[1] + 0.45 * height, 2.4 * stem, stem)
        pen = TTGlyphPen(glyph_set)
        replay(ops, pen)
        glyph = pen.glyph()
        glyph.recalcBounds(glyf)
        glyf[name] = glyph
        if name not in order:
            order.append(name)
        hmtx[name] = (hmtx[base][0], glyph.xMin)
    font.setGlyphOrder(order)
    for table in font["cmap"].tables:
        if table.isUnicode():
            table.cmap.update({code: name for name, code, _, _ in LETTERS})

    names = font["name"]
    for record in list(names.names):
        if record.nameID in (1, 3, 4, 6, 16, 21):
            names.removeNames(nameID=record.nameID)
    names.setName(FAMILY, 1, 3, 1, 0x409)
    names.setName("Regular", 2, 3, 1, 0x409)
    names.setName(FAMILY + " 1.0 (OSP-DIN 1.0 with Polish letters)", 3, 3, 1, 0x409)
    names.setName(FAMILY, 4, 3, 1, 0x409)
    names.setName(FAMILY, 6, 3, 1, 0x409)
    names.setName(FAMILY, 1, 1, 0, 0)
    names.setName(FAMILY, 4, 1, 0, 0)
    names.setName(FAMILY, 6, 1, 0, 0)
    font.save(target, reorderTables=True)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
