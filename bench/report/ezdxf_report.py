"""The reference: reads the drawing with ezdxf and sums the same attributes
as tarvo report (lengths and areas of line markings per symbol and
destination with exact decimals, arrows and boards counted per destination),
then prints the totals. Usage: ezdxf_report.py DRAWING.dxf"""
import re
import sys
from collections import defaultdict
from decimal import Decimal, InvalidOperation

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
lines = defaultdict(lambda: [Decimal(0), Decimal(0)])
signs = defaultdict(int)
arrows = defaultdict(int)
bad = 0


def text(s):
    """ezdxf leaves the "\\U+XXXX" escapes of texts outside the code page."""
    return re.sub(r"\\U\+([0-9A-Fa-f]{4})", lambda m: chr(int(m.group(1), 16)), s)


def attributes(ref):
    return {text(att.dxf.tag): text(att.dxf.text) for att in ref.attribs}


def number(text):
    try:
        return Decimal(text.replace(",", ".").removesuffix("m2").strip())
    except InvalidOperation:
        return None


for ref in doc.modelspace().query("INSERT"):
    name = ref.dxf.name
    if name == "S_Znaki_OpisPoz":
        a = attributes(ref)
        if a.get("Symbol", "").startswith(("P-8", "P-9", "P-6A")):
            continue
        length, area = number(a.get("Długość", "")), number(a.get("Powierzchnia", ""))
        if length is None or area is None:
            bad += 1
            continue
        key = (a["Symbol"], a.get("Przeznaczenie", ""))
        lines[key][0] += length
        lines[key][1] += area
    elif name == "S_Znaki_OpisPionowe":
        a = attributes(ref)
        signs[(a.get("Symbol"), a.get("Wielkość"), a.get("Odblaskowość"), a.get("Przeznaczenie"))] += 1
    elif name.startswith("P-"):
        arrows[(name, ref.dxf.layer)] += 1
# The catalogue's areas of the arrows the drawing holds.
AREAS = {"P-8A_D": Decimal("1.59"), "P-8A_K": Decimal("1.21"), "P-8C": Decimal("2.87"), "P-6A": Decimal("1.568")}
arrow_area = sum(AREAS.get(name, Decimal(0)) * n for (name, _), n in arrows.items())


def figure(d):
    """As tarvo prints it: two decimals, or three when needed, decimal comma."""
    s = f"{d.quantize(Decimal('0.001')):.3f}"
    return (s[:-1] if s.endswith("0") else s).replace(".", ",")


print("length", figure(sum(v[0] for v in lines.values())), "area", figure(sum(v[1] for v in lines.values())),
      "arrows", figure(arrow_area))
print("signs", sum(signs.values()), "arrows", sum(arrows.values()), "bad", bad)
