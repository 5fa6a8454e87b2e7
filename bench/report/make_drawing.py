"""Writes the benchmark's drawing: COUNT description blocks as the drawing
commands leave them, in the four destinations' layers: line-marking
descriptions (half of them), arrow descriptions beside arrow references (a
fifth) and vertical-sign descriptions beside their boards (the rest), in a
grid 10 m apart. Usage: make_drawing.py OUT.dxf COUNT"""
import sys
import ezdxf

out, count = sys.argv[1], int(sys.argv[2])
doc = ezdxf.new("R2000")
msp = doc.modelspace()
layers = ["Projektowane", "Tymczasowe", "Istniejace", "Usuwane"]
names = ["Projektowany", "Tymczasowy", "Istniejący", "Usuwany"]
for name in layers:
    doc.layers.add(name)
# The settings record the drawing commands read the layers from.
doc.appids.add("Tarvo")
znaki = doc.rootdict.add_new_dict("S_Znaki")
record = znaki.add_xrecord("Przeznaczenie")
record.set_xdata("Tarvo", [(1000, layers[0]), (1000, layers[1]), (1000, layers[3]), (1000, layers[2]),
                           (1040, 1.0), (1000, "0"), (1040, 1.0), (1000, "False"), (1040, 0.001)])

for block, tags in (("S_Znaki_OpisPoz", ("Symbol", "Powierzchnia", "Długość", "Przeznaczenie", "Powierzchnia_na_mb")),
                    ("S_Znaki_OpisPionowe", ("Symbol", "Przeznaczenie", "Wielkość", "Odblaskowość"))):
    b = doc.blocks.new(block)
    for i, tag in enumerate(tags):
        b.add_attdef(tag, (0, -1.2 * i), dxfattribs={"height": 1})
lines = [("P-1A", 0.04), ("P-2A", 0.12), ("P-4", 0.24), ("P-7C", 0.06), ("P-19", 0.12)]
arrows = [("P-8A_D", "P-8A", "1.59 m2", "Długa"), ("P-8A_K", "P-8A", "1.21 m2", "Krótka"),
          ("P-8C", "P-8C", "2.87 m2", ""), ("P-6A", "P-6A", "1.568 m2", "")]
boards = [("E-5_Kraków_D", "E-5", "D"), ("E-17a_Radom_ ", "E-17a", ""), ("E-4_Gdańsk_ _", "E-4", " ")]
for name, *_ in arrows + boards:
    doc.blocks.new(name).add_lwpolyline([(0, 0), (1, 0), (1, 1)], close=True)

for i in range(count):
    x, y = (i % 250) * 10.0, (i // 250) * 10.0
    d = i % 4
    kind = i % 10
    if kind < 5:
        symbol, per_metre = lines[i % len(lines)]
        length = 5 + (i % 997) / 100
        ref = msp.add_blockref("S_Znaki_OpisPoz", (x, y), dxfattribs={"layer": layers[d]})
        ref.add_auto_attribs({"Symbol": symbol, "Powierzchnia": f"{length * per_metre:.2f} m2",
                              "Długość": f"{length:.2f}", "Przeznaczenie": names[d],
                              "Powierzchnia_na_mb": f"{per_metre:.2f}"})
    elif kind < 7:
        block, symbol, area, length = arrows[i % len(arrows)]
        msp.add_blockref(block, (x, y), dxfattribs={"layer": layers[d]})
        ref = msp.add_blockref("S_Znaki_OpisPoz", (x + 2, y), dxfattribs={"layer": layers[d]})
        ref.add_auto_attribs({"Symbol": symbol, "Powierzchnia": area, "Długość": length,
                              "Przeznaczenie": names[d], "Powierzchnia_na_mb": ""})
    else:
        block, symbol, size = boards[i % len(boards)]
        msp.add_blockref(block, (x, y), dxfattribs={"layer": layers[d]})
        ref = msp.add_blockref("S_Znaki_OpisPionowe", (x + 2, y + 1), dxfattribs={"layer": layers[d]})
        ref.add_auto_attribs({"Symbol": symbol, "Przeznaczenie": names[d][:4], "Wielkość": size,
                              "Odblaskowość": "I Generacja"})
doc.saveas(out)
