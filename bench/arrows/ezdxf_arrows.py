"""The ezdxf side of the arrow benchmark: the same drawing built directly,
nineteen filled arrow blocks, then per arrow a reference, a two-vertex
description line and a description with its five attributes, saved as
R2000. Usage: /usr/bin/python3 ezdxf_arrows.py OUTLINES.txt OUT.dxf [COUNT]
OUTLINES.txt has one block a line: its name, then x y bulge per vertex."""

import sys
import time

import ezdxf

TAGS = ["Symbol", "Powierzchnia", "Długość", "Przeznaczenie", "Powierzchnia_na_mb"]


def main(outlines, path, count):
    start = time.perf_counter()
    doc = ezdxf.new("R2000")
    names = []
    for line in open(outlines, encoding="utf-8"):
        name, *numbers = line.split()
        values = [float(v) for v in numbers]
        block = doc.blocks.new(name)
        points = [(values[i], values[i + 1], 0, 0, values[i + 2]) for i in range(0, len(values), 3)]
        outline = block.add_lwpolyline(points, format="xyseb", close=True, dxfattribs={"color": 0})
        hatch = block.add_hatch(color=0)
        hatch.paths.add_polyline_path([(p[0], p[1], p[4]) for p in points], is_closed=True)
        names.append(name)
    desc = doc.blocks.new("S_Znaki_OpisPoz")
    for row, tag in enumerate(TAGS):
        desc.add_attdef(tag, (0, -1.2 * row), dxfattribs={"height": 1.0, "prompt": tag})
    msp = doc.modelspace()
    for i in range(count):
        x, y = (i % 100) * 10.0, (i // 100) * 10.0
        msp.add_blockref(names[i % len(names)], (x, y), dxfattribs={"rotation": 0.0})
        msp.add_lwpolyline([(x + 1, y + 1), (x + 3, y + 3)])
        ref = msp.add_blockref("S_Znaki_OpisPoz", (x + 3, y + 3), dxfattribs={"xscale": 2.0, "yscale": 2.0, "zscale": 2.0})
        ref.add_auto_attribs({"Symbol": names[i % len(names)], "Powierzchnia": "1.59 m2", "Długość": "Długa",
                              "Przeznaczenie": "Projektowany", "Powierzchnia_na_mb": ""})
    insert = time.perf_counter() - start

    start = time.perf_counter()
    doc.saveas(path)
    write = time.perf_counter() - start
    print(f"insert_s {insert:.4f}")
    print(f"write_s {write:.4f}")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]) if len(sys.argv) > 3 else 10000)
