"""Writes, with ezdxf, a drawing holding every kind of object a road
drawing brings along: the entities and objects this project models and many
it does not, Polish texts, extended data, groups, draw order and hatch
boundary links.

Usage: /usr/bin/python3 ezdxf_make.py VERSION FILE   (VERSION: R2000 or R2018)
"""

import sys

import ezdxf
from ezdxf.math import Vec3


def make(version, path):
    doc = ezdxf.new(version, setup=True)
    msp = doc.modelspace()
    doc.appids.new("Tarvo")
    doc.layers.add("Osie jezdni", color=3)
    doc.layers.add("Krawędzie", color=1, linetype="DASHED")
    doc.styles.add("Tarvowy", font="DejaVuSans.ttf")

    line = msp.add_line((0, 0), (10, 0), dxfattribs={"layer": "Osie jezdni", "lineweight": 35})
    line.set_xdata("Tarvo", [(1000, "Oś główna — łuk"), (1040, 0.1 + 0.2), (1070, 3), (1071, 1234567),
                             (1010, (12.5, -7.25, 0.0)), (1002, "{"), (1000, "Długość"), (1002, "}"),
                             (1005, "0")])
    circle = msp.add_circle((5, 5), 2.0, dxfattribs={"color": 1})
    msp.add_arc((20, 0), 3.0, 15.0, 110.0, dxfattribs={"true_color": 0x0C2238})
    msp.add_lwpolyline([(0, 10, 0.1, 0.2, 0.5), (5, 10, 0, 0, 0), (10, 12, 0.3, 0.3, -0.25)], format="xyseb",
                       dxfattribs={"layer": "Krawędzie"})
    outer = msp.add_lwpolyline([(30, 0), (40, 0), (40, 10), (30, 10)], close=True)
    inner = msp.add_lwpolyline([(33, 3), (37, 3), (37, 7), (33, 7)], close=True)
    hatch = msp.add_hatch(color=2)
    hatch.dxf.associative = 1
    path_outer = hatch.paths.add_polyline_path([(30, 0), (40, 0), (40, 10), (30, 10)], is_closed=True, flags=1)
    path_outer.source_boundary_objects = [outer.dxf.handle]
    path_inner = hatch.paths.add_polyline_path([(33, 3), (37, 3), (37, 7), (33, 7)], is_closed=True, flags=16)
    path_inner.source_boundary_objects = [inner.dxf.handle]
    outer.append_reactor_handle(hatch.dxf.handle)
    inner.append_reactor_handle(hatch.dxf.handle)
    edges = msp.add_hatch(color=5)
    edge_path = edges.paths.add_edge_path()
    edge_path.add_line((50, 0), (60, 0))
    edge_path.add_arc((60, 5), 5.0, -90.0, 90.0)
    edge_path.add_line((60, 10), (50, 10))
    edge_path.add_line((50, 10), (50, 0))

    msp.add_text("Zażółć gęślą jaźń", dxfattribs={"height": 1.5, "rotation": 30.0, "style": "Tarvowy"}) \
        .set_placement((0, 30), align=ezdxf.enums.TextEntityAlignment.CENTER)
    msp.add_mtext("Długość odcinka: 12,5 m\\PŁódź", dxfattribs={"char_height": 2.5, "width": 30.0,
                                                               "attachment_point": 4, "rotation": 5.0,
                                                               "style": "Tarvowy"}).dxf.insert = (0, 20)

    block = doc.blocks.new("Słupek1")
    block.add_circle((0, 0), 0.5)
    block.add_attdef("NR", (1, 0), dxfattribs={"height": 0.5, "prompt": "Numer"})
    block.add_attdef("OPIS", (1, -1), dxfattribs={"height": 0.5, "prompt": "Opis znaku", "flags": 1})
    ref = msp.add_blockref("Słupek1", (50, 5), dxfattribs={"xscale": 2, "yscale": 2, "rotation": 45})
    ref.add_attrib("NR", "A-7", (52, 5))
    ref.add_attrib("OPIS", "Żółw na drodze", (52, 3)).dxf.flags = 1
    plain = msp.add_blockref("Słupek1", (70, 5))

    msp.add_leader([(60, 0), (62, 3), (65, 3)])
    msp.add_point((1, 2))
    msp.add_ellipse((0, -20), (2, 0), 0.5)
    msp.add_ellipse((10, -20), (0, 3), 0.25, 1.0, 4.0)
    msp.add_rational_spline([(0, -40), (1, -38), (3, -41), (4, -40)], [1.0, 2.0, 0.5, 1.0])

    # Kinds the project does not model (a spline of fit points alone among them).
    msp.add_spline([(0, -30), (1, -29), (2, -30), (3, -29)])
    msp.add_solid([(0, -40), (1, -40), (0, -41), (1, -41)])
    msp.add_xline((0, -50), (1, 1))
    # (On a layer of ASCII name: ezdxf 0.18 cannot load its own R2000
    # polyline on a layer whose name it had to escape.)
    msp.add_polyline2d([(0, -60), (5, -60), (5, -55)], dxfattribs={"layer": "Osie jezdni"})
    msp.add_linear_dim(base=(0, -70), p1=(0, -72), p2=(10, -72)).render()
    image_def = doc.add_image_def(filename="mapa.png", size_in_pixel=(640, 480))
    msp.add_image(image_def, insert=(100, 100), size_in_units=(6.4, 4.8))
    psp = doc.layouts.get("Layout1")
    psp.add_viewport(center=(100, 100), size=(100, 60), view_center_point=(20, 5), view_height=50)
    psp.add_text("Arkusz 1", dxfattribs={"height": 2.5}).dxf.insert = (10, 10)

    group = doc.groups.new("Osie i okrąg", description="Osie i okrąg")
    group.extend([line, circle])
    doc.groups.new(description="bez nazwy").extend([plain])

    signs = doc.rootdict.add_new_dict("S_Znaki")
    record = signs.add_xrecord("Przeznaczenie")
    record.reset([(1, "Znak D-6"), (40, 0.25), (70, 3), (10, (1.0, 2.0, 0.0))])
    record.set_xdata("Tarvo", [(1000, "Projektowany"), (1070, 1)])

    msp.set_redraw_order({line.dxf.handle: "FFFF", circle.dxf.handle: "FFFE"})
    doc.saveas(path)


if __name__ == "__main__":
    make(sys.argv[1], sys.argv[2])
