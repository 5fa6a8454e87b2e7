"""Lists the shapes of an SVG picture, one line each, after checking that
the file is well-formed XML (the parser stops with an error otherwise):

    fill #rrggbb     a filled path (the picture's background is 'background')
    stroke #rrggbb   a stroked path
    glyph #rrggbb    one glyph of a text

Usage: svg_shapes.py FILE.svg
"""
import re
import sys
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"


def hex_colour(value):
    m = re.fullmatch(r"rgb\(([\d.]+)%,([\d.]+)%,([\d.]+)%\)", value.strip())
    if not m:
        return value.strip()
    return "#" + "".join("%02x" % round(float(c) * 255 / 100) for c in m.groups())


def style_of(element):
    style = {}
    for item in element.get("style", "").split(";"):
        if ":" in item:
            key, value = item.split(":", 1)
            style[key.strip()] = value.strip()
    return style


def walk(element, inherited, out):
    tag = element.tag
    if tag in (SVG + "defs", SVG + "symbol", SVG + "clipPath"):
        return
    style = dict(inherited)
    style.update(style_of(element))
    if tag == SVG + "rect":
        out.append("background " + hex_colour(style.get("fill", "")))
    elif tag == SVG + "path":
        if style.get("fill", "none") != "none":
            out.append("fill " + hex_colour(style["fill"]))
        if style.get("stroke", "none") != "none":
            out.append("stroke " + hex_colour(style["stroke"]))
    elif tag == SVG + "use":
        out.append("glyph " + hex_colour(style.get("fill", "")))
    for child in element:
        walk(child, style, out)


def main():
    root = ET.parse(sys.argv[1]).getroot()
    if root.tag != SVG + "svg":
        sys.exit("not an SVG picture: " + root.tag)
    out = []
    walk(root, {}, out)
    print("\n".join(out))


if __name__ == "__main__":
    main()
