"""Reads a DXF file with ezdxf and prints, as JSON, what ezdxf sees in it.

Usage: /usr/bin/python3 ezdxf_dump.py FILE

The auditor's errors and fixes are listed, but a clean audit proves little:
ezdxf silently drops links that point nowhere. So the dump also lists what
the links resolve to (group members, dictionary entries, draw order, hatch
boundaries, attributes of references) for the caller to compare with the
drawing that was written.
"""

import json
import sys

import ezdxf
from ezdxf.lldxf.encoding import decode_dxf_unicode
from ezdxf.lldxf.tagger import ascii_tags_loader


def text(value):
    """A DXF string as the drawing holds it (R2000 files escape what their code page lacks)."""
    return decode_dxf_unicode(value) if isinstance(value, str) else value


def xyz(point):
    return [point[0], point[1], point[2] if len(point) > 2 else 0.0]


def xdata_of(entity):
    result = {}
    if not entity.xdata:
        return result
    for app, tags in entity.xdata.data.items():
        items = []
        for tag in tags:
            if tag.code == 1001:
                continue
            value = tag.value
            if isinstance(value, str):
                value = text(value)
            elif isinstance(value, (tuple, list)) or hasattr(value, "x"):
                value = xyz(value)
            elif isinstance(value, (bytes, bytearray)):
                value = value.hex().upper()
            items.append([tag.code, value])
        result[text(app)] = items
    return result


def common(entity):
    d = {
        "handle": entity.dxf.handle,
        "type": entity.dxftype(),
        "owner": entity.dxf.get("owner"),
        "reactors": sorted(entity.reactors.get()) if entity.reactors else [],
    }
    if entity.has_extension_dict:
        d["xdict"] = entity.get_extension_dict().dictionary.dxf.handle
    xd = xdata_of(entity)
    if xd:
        d["xdata"] = xd
    return d


def graphic(entity):
    d = common(entity)
    dxf = entity.dxf
    d["layer"] = text(dxf.get("layer", "0"))
    d["linetype"] = text(dxf.get("linetype", "BYLAYER"))
    d["color"] = dxf.get("color", 256)
    if dxf.hasattr("true_color"):
        d["true_color"] = dxf.true_color
    d["lineweight"] = dxf.get("lineweight", -1)
    d["ltscale"] = dxf.get("ltscale", 1.0)
    d["invisible"] = dxf.get("invisible", 0)
    d["paperspace"] = dxf.get("paperspace", 0)
    kind = entity.dxftype()
    if kind == "LINE":
        d["start"] = xyz(dxf.start)
        d["end"] = xyz(dxf.end)
    elif kind in ("CIRCLE", "ARC"):
        d["center"] = xyz(dxf.center)
        d["radius"] = dxf.radius
        if kind == "ARC":
            d["start_angle"] = dxf.start_angle
            d["end_angle"] = dxf.end_angle
    elif kind == "LWPOLYLINE":
        d["closed"] = entity.closed
        d["flags"] = dxf.flags
        d["const_width"] = dxf.get("const_width")
        d["elevation"] = dxf.get("elevation", 0.0)
        d["vertices"] = [list(v) for v in entity.get_points("xyseb")]
    elif kind == "HATCH":
        d["pattern"] = dxf.pattern_name
        d["solid"] = dxf.solid_fill
        d["associative"] = dxf.associative
        d["style"] = dxf.hatch_style
        if not dxf.solid_fill:
            d["pattern_type"] = dxf.pattern_type
            d["pattern_angle"] = dxf.pattern_angle
            d["pattern_scale"] = dxf.pattern_scale
            d["pattern_double"] = dxf.pattern_double
            d["pattern_lines"] = [[line.angle, list(line.base_point), list(line.offset), list(line.dash_length_items)]
                                  for line in (entity.pattern.lines if entity.pattern else [])]
        d["seeds"] = [list(s) for s in entity.seeds]
        paths = []
        for path in entity.paths:
            p = {"flags": path.path_type_flags,
                 "sources": list(path.source_boundary_objects)}
            if hasattr(path, "vertices"):
                p["closed"] = path.is_closed
                p["vertices"] = [list(v) for v in path.vertices]
            paths.append(p)
        d["paths"] = paths
    elif kind == "MTEXT":
        d["text"] = text(entity.text)
        d["insert"] = xyz(dxf.insert)
        d["height"] = dxf.char_height
        d["width"] = dxf.get("width", 0.0)
        d["attachment"] = dxf.attachment_point
        d["style"] = text(dxf.style)
        d["rotation"] = dxf.get("rotation", 0.0)
    elif kind in ("TEXT", "ATTDEF", "ATTRIB"):
        d["text"] = text(dxf.text)
        d["insert"] = xyz(dxf.insert)
        d["height"] = dxf.height
        d["rotation"] = dxf.get("rotation", 0.0)
        d["style"] = text(dxf.style)
        if kind != "TEXT":
            d["tag"] = text(dxf.tag)
            d["flags"] = dxf.flags
            d["field_length"] = dxf.get("field_length", 0)
            d["invisible"] = bool(dxf.flags & 1)
        if kind == "ATTDEF":
            d["prompt"] = text(dxf.prompt)
    elif kind == "INSERT":
        d["name"] = text(dxf.name)
        d["insert"] = xyz(dxf.insert)
        d["scale"] = [dxf.get("xscale", 1.0), dxf.get("yscale", 1.0), dxf.get("zscale", 1.0)]
        d["rotation"] = dxf.get("rotation", 0.0)
        d["attribs"] = [graphic(a) for a in entity.attribs]
        seqend = entity.seqend
        d["seqend"] = seqend.dxf.handle if seqend is not None else None
        d["seqend_owner"] = seqend.dxf.owner if seqend is not None else None
    elif kind == "LEADER":
        d["vertices"] = [xyz(v) for v in entity.vertices]
        d["arrowhead"] = dxf.get("has_arrowhead", 1)
        d["dimstyle"] = dxf.dimstyle
    elif kind == "POINT":
        d["location"] = xyz(dxf.location)
    elif kind == "ELLIPSE":
        d["center"] = xyz(dxf.center)
        d["major_axis"] = xyz(dxf.major_axis)
        d["ratio"] = dxf.ratio
        # Points rather than parameters: the same curve may be written the other way up.
        d["points"] = [xyz(p) for p in entity.vertices([0.1 * k for k in range(63)])] \
            if entity.dxf.start_param == 0 and abs(entity.dxf.end_param - 6.283185307179586) < 1e-12 \
            else sorted([xyz(entity.start_point), xyz(entity.end_point)])
    elif kind == "SPLINE":
        d["degree"] = dxf.degree
        d["flags"] = dxf.get("flags", 0)
        d["control_points"] = [xyz(p) for p in entity.control_points]
        d["knots"] = list(entity.knots)
        d["weights"] = list(entity.weights)
        d["fit_points"] = [xyz(p) for p in entity.fit_points]
    return d


def dump_object(obj):
    d = common(obj)
    kind = obj.dxftype()
    if kind == "DICTIONARY":
        d["entries"] = {text(k): (v.dxf.handle if hasattr(v, "dxf") else v) for k, v in obj.items()}
        d["hard_owner"] = obj.dxf.get("hard_owned", 0)
    elif kind == "GROUP":
        d["members"] = [e.dxf.handle for e in obj]
        d["unnamed"] = obj.dxf.get("unnamed", 0)
        d["selectable"] = obj.dxf.get("selectable", 1)
        d["description"] = text(obj.dxf.get("description", ""))
    elif kind == "XRECORD":
        d["tags"] = [[t.code, text(t.value) if isinstance(t.value, str) else t.value] for t in obj.tags]
    elif kind == "SORTENTSTABLE":
        d["block_record"] = obj.dxf.block_record_handle
        d["table"] = [[e, s] for e, s in obj.table.items()]
    elif kind == "LAYOUT":
        d["name"] = obj.dxf.name
        d["block_record"] = obj.dxf.block_record_handle
    return d


def raw_objects(path):
    """Every object of the file as written, before ezdxf interprets it: its
    kind, its own handle and its owner (the first 330 outside 102 groups)."""
    objects = []
    current = None
    in_group = False
    with open(path, "rt", encoding="cp1250") as stream:
        for tag in ascii_tags_loader(stream):
            if tag.code == 0:
                current = {"type": tag.value, "handle": None, "owner": None}
                objects.append(current)
                in_group = False
            elif current is None:
                continue
            elif tag.code == 102:
                in_group = tag.value.startswith("{")
            elif tag.code in (5, 105) and current["handle"] is None:
                current["handle"] = tag.value
            elif tag.code == 330 and not in_group and current["owner"] is None:
                current["owner"] = tag.value
    # The header's $HANDSEED is no object's handle.
    return [o for o in objects if o["handle"] is not None and o["type"] != "SECTION"]


def main(path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    out = {
        "dxfversion": doc.dxfversion,
        "audit_errors": [e.message for e in auditor.errors],
        "audit_fixes": [e.message for e in auditor.fixes],
        "header": {
            name: (text(doc.header[name]) if isinstance(doc.header[name], str) else doc.header[name])
            for name in ("$ACADVER", "$DWGCODEPAGE", "$HANDSEED", "$INSUNITS", "$CLAYER", "$CELTYPE",
                         "$TEXTSTYLE", "$LTSCALE")
            if name in doc.header
        },
    }
    msp = doc.modelspace()
    out["modelspace"] = [graphic(e) for e in msp]
    out["paperspace"] = [graphic(e) for e in doc.layouts.get("Layout1")] if "Layout1" in doc.layouts else []
    counts = {}
    for e in msp:
        counts[e.dxftype()] = counts.get(e.dxftype(), 0) + 1
    out["counts"] = counts
    blocks = {}
    for block in doc.blocks:
        record = block.block_record
        entry = {
            "handle": record.dxf.handle,
            "block": block.block.dxf.handle,
            "endblk": block.endblk.dxf.handle,
            "flags": block.block.dxf.flags,
            "base_point": xyz(block.block.dxf.base_point),
        }
        if not block.is_any_layout:
            entry["entities"] = [graphic(e) for e in block]
        blocks[text(block.name)] = entry
    out["blocks"] = blocks
    out["layers"] = {text(l.dxf.name): {"handle": l.dxf.handle, "color": l.dxf.color,
                                        "linetype": text(l.dxf.linetype)} for l in doc.layers}
    out["styles"] = {text(s.dxf.name): {"handle": s.dxf.handle, "font": text(s.dxf.font),
                                        "height": s.dxf.height} for s in doc.styles}
    linetypes = {}
    for lt in doc.linetypes:
        tags = lt.pattern_tags.tags if lt.pattern_tags else []
        linetypes[text(lt.dxf.name)] = {
            "handle": lt.dxf.handle,
            "description": text(lt.dxf.get("description", "")),
            "pattern": [[t.code, text(t.value) if isinstance(t.value, str) else t.value] for t in tags],
        }
    out["linetypes"] = linetypes
    out["appids"] = [text(a.dxf.name) for a in doc.appids]
    out["groups"] = {text(name): [e.dxf.handle for e in group] for name, group in doc.groups}
    out["rootdict"] = doc.rootdict.dxf.handle
    out["objects"] = [dump_object(o) for o in doc.objects]
    out["draw_order"] = {
        text(layout.name): [[e, s] for e, s in layout.get_redraw_order()]
        for layout in doc.layouts
    }
    # ezdxf adds objects of its own on loading; these are the file's.
    out["file_objects"] = raw_objects(path)
    json.dump(out, sys.stdout, indent=1, sort_keys=True)
    sys.stdout.write("\n")


if __name__ == "__main__":
    main(sys.argv[1])
