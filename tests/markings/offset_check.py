"""Double markings along a surveyed road edge, checked against an
independent measure: shapely's distance from the flattened edge. Every
point of both drawn lines must lie at the offset from the edge within
1 mm, so a loop left on the inside of a bend (closer than the offset) or a
line that strays fails. (Shapely's buffer is no referee here: GEOS
simplifies a buffer's input by about a hundredth of the distance.)
Run as: offset_check.py TARVO_EXE"""

import math
import os
import random
import subprocess
import sys
import tempfile

import ezdxf
from ezdxf.math import bulge_to_arc
from shapely.geometry import LineString, Point

OFFSET = 0.24
TOLERANCE = 0.001
CHORD_ERROR = 1e-5  # flattening: arcs as chords at most 0.01 mm off them


def flatten(vertices):
    """(x, y, bulge) vertices of an open polyline as a list of points."""
    points = [vertices[0][:2]]
    for (x0, y0, b), (x1, y1, _) in zip(vertices, vertices[1:]):
        if abs(b) < 1e-12:
            points.append((x1, y1))
            continue
        centre, start, end, radius = bulge_to_arc((x0, y0), (x1, y1), b)
        sweep = 4 * math.atan(b)
        begin = math.atan2(y0 - centre.y, x0 - centre.x)
        step = 2 * math.acos(max(-1.0, 1 - CHORD_ERROR / radius))
        n = max(2, math.ceil(abs(sweep) / step))
        for k in range(1, n + 1):
            a = begin + sweep * k / n
            points.append((centre.x + radius * math.cos(a), centre.y + radius * math.sin(a)))
        points[-1] = (x1, y1)
    return points


class Road:
    """An edge built element by element: surveyed chords, arcs, S-bends."""

    def __init__(self):
        self.x, self.y, self.heading = 0.0, 0.0, 0.0
        self.vertices = [[0.0, 0.0, 0.0]]

    def straight(self, length):
        self.x += length * math.cos(self.heading)
        self.y += length * math.sin(self.heading)
        self.vertices.append([self.x, self.y, 0.0])

    def arc(self, radius, sweep):
        """A true arc segment; sweep positive to the left."""
        self.vertices[-1][2] = math.tan(sweep / 4)
        chord = 2 * radius * math.sin(abs(sweep) / 2)
        direction = self.heading + sweep / 2
        self.x += chord * math.cos(direction)
        self.y += chord * math.sin(direction)
        self.heading += sweep
        self.vertices.append([self.x, self.y, 0.0])

    def chords(self, radius, sweep, count, jitter=0.0):
        """An arc as a surveyor's short chords, each point a little off."""
        for _ in range(count):
            step = sweep / count
            chord = 2 * radius * math.sin(abs(step) / 2)
            direction = self.heading + step / 2
            self.x += chord * math.cos(direction) + random.uniform(-jitter, jitter)
            self.y += chord * math.sin(direction) + random.uniform(-jitter, jitter)
            self.heading += step
            self.vertices.append([self.x, self.y, 0.0])


def real_road():
    random.seed(16)
    road = Road()
    for _ in range(20):
        road.straight(2.5)
    road.chords(150.0, math.radians(25), 40, 0.002)  # a long bend surveyed in chords
    road.arc(300.0, math.radians(-8))                # long arcs
    road.arc(120.0, math.radians(-20))
    for _ in range(10):                              # S-bends
        road.arc(25.0, math.radians(30))
        road.arc(25.0, math.radians(-30))
    road.chords(40.0, math.radians(-40), 30, 0.001)
    road.arc(3.0, math.radians(90))                  # a kerb radius
    road.straight(4.0)
    road.arc(3.0, math.radians(-90))
    road.chords(1.0, math.radians(80), 12)           # a 1 m bend in short chords
    road.arc(1.0, math.radians(-90))                 # and as one arc
    side = 1
    while len(road.vertices) < 200:
        road.chords(60.0, math.radians(3 * side), 2, 0.001)
        road.arc(10.0, math.radians(20 * side))
        side = -side
    return road.vertices[:200]


def main():
    tarvo = sys.argv[1]
    with tempfile.TemporaryDirectory() as tmp:
        vertices = real_road()
        doc = ezdxf.new("R2000")
        doc.modelspace().add_lwpolyline([(x, y, 0, 0, b) for x, y, b in vertices], format="xyseb")
        road_dxf = os.path.join(tmp, "road.dxf")
        doc.saveas(road_dxf)
        first, last = vertices[0], vertices[-1]
        script = os.path.join(tmp, "lines.scr")
        with open(script, "w", encoding="utf-8") as f:
            f.write("D_Linie\ndlg select IDC_LINE_LIST \"P-4\"\ndlg click IDC_LINE_DRAW\n"
                    f"pick {first[0]},{first[1]}\n{first[0]},{first[1]}\n{last[0]},{last[1]}\n\ndlg click 2\n")
        out_dxf = os.path.join(tmp, "out.dxf")
        run = subprocess.run([tarvo, "run", "--in", road_dxf, "--script", script, "--out", out_dxf],
                             capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout, run.stderr)
            return 1
        drawn = ezdxf.readfile(out_dxf)
        lines = [e for e in drawn.modelspace().query("LWPOLYLINE") if abs(e.dxf.const_width - 0.12) < 1e-9]
        if len(lines) != 2:
            print(f"expected the two lines of P-4, found {len(lines)}\n{run.stdout}")
            return 1
        edge = LineString(flatten(vertices))
        worst = 0.0
        for line in lines:
            for p in flatten([(x, y, b) for x, y, _, _, b in line.get_points("xyseb")]):
                off = abs(edge.distance(Point(p)) - OFFSET)
                if off > TOLERANCE:
                    print(f"{off * 1000:.4f} mm off at {p[0]:.4f},{p[1]:.4f}")
                worst = max(worst, off)
        print(f"largest departure from the offset: {worst * 1000:.4f} mm")
        return 0 if worst <= TOLERANCE else 1


if __name__ == "__main__":
    sys.exit(main())
