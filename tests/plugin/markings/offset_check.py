"""Double markings along road edges, checked against shapely, an
independent geometry library, on two edges: a surveyed one (long arcs,
short chords, S-bends, kerb radii of a few metres) and a tight one whose
kerb radii and hairpin are tighter than the offset, so that moving it
sideways makes loops.

Two measures, each within 1 mm at every point of the drawn lines:
- the distance from the flattened edge equals the offset: a loop left on
  the inside of a bend (nearer than the offset) or a line that strays fails;
- the distance to the boundary of the edge's buffer at the offset is nil.
  The buffer joins corners round where the lines meet extended, which puts
  a corner of the lines outside the buffer by offset * (1/cos(turn/2) - 1):
  0.4 mm at the 7-degree chords of the 1 m bend. GEOS also drops bends of
  the buffer's input below a hundredth of the distance, which could move its
  boundary by up to 2.4 mm here; on these edges the two measures agree
  within 0.002 mm.
Run as: offset_check.py TARVO_EXE"""

import math
import os
import random
import subprocess
import sys
import tempfile

import ezdxf
from ezdxf.math import bulge_to_arc
import numpy as np
from shapely.geometry import LineString

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


class NearSegments:
    """Distances from points to a polyline's segments within REACH of them,
    looked up in a grid. shapely's distance walks every segment for each
    point; tens of thousands of points against a 256-step buffer took most
    of a minute. A point farther than REACH from every segment is at
    infinity, which fails the check as its true distance would."""

    REACH = 0.5

    def __init__(self, lines):
        starts, ends = [], []
        for coords in lines:
            c = np.asarray(coords, dtype=float)[:, :2]
            starts.append(c[:-1])
            ends.append(c[1:])
        self.a = np.concatenate(starts)
        self.b = np.concatenate(ends)
        self.cells = {}
        low = np.floor((np.minimum(self.a, self.b) - self.REACH) / self.REACH).astype(int)
        high = np.floor((np.maximum(self.a, self.b) + self.REACH) / self.REACH).astype(int)
        for i, ((x0, y0), (x1, y1)) in enumerate(zip(low, high)):
            for cx in range(x0, x1 + 1):
                for cy in range(y0, y1 + 1):
                    self.cells.setdefault((cx, cy), []).append(i)
        self.cells = {k: np.array(v) for k, v in self.cells.items()}

    def distance(self, p):
        near = self.cells.get((math.floor(p[0] / self.REACH), math.floor(p[1] / self.REACH)))
        if near is None:
            return math.inf
        a, b = self.a[near], self.b[near]
        d = b - a
        length2 = np.maximum((d * d).sum(axis=1), 1e-300)
        t = np.clip(((np.asarray(p) - a) * d).sum(axis=1) / length2, 0.0, 1.0)
        foot = a + d * t[:, None]
        return float(np.sqrt(((foot - p) ** 2).sum(axis=1)).min())


def boundary_lines(geometry):
    """The coordinate lists of a (multi) line string."""
    parts = getattr(geometry, "geoms", [geometry])
    return [list(part.coords) for part in parts]


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


def tight_road():
    """Kerb radii and a hairpin tighter than the offset, and S-bends of
    barely more, with straights between."""
    road = Road()
    road.straight(5.0)
    road.arc(0.15, math.radians(90))   # a kerb radius smaller than the offset
    road.straight(5.0)
    road.arc(0.2, math.radians(-90))
    road.straight(3.0)
    for _ in range(4):                 # S-bends of 0.3 m
        road.arc(0.3, math.radians(60))
        road.arc(0.3, math.radians(-60))
    road.straight(3.0)
    road.arc(0.3, math.radians(180))   # a hairpin 0.6 wide: its inside holds nothing
    road.straight(6.0)
    road.chords(2.0, math.radians(-120), 24)    # 5-degree chords: corners 0.2 mm out
    road.straight(4.0)
    return road.vertices


def check(tarvo, tmp, name, vertices):
    """The largest departures (from the offset, from the buffer's
    boundary) of the double marking P-4 along the edge, or None."""
    if True:
        doc = ezdxf.new("R2000")
        doc.modelspace().add_lwpolyline([(x, y, 0, 0, b) for x, y, b in vertices], format="xyseb")
        road_dxf = os.path.join(tmp, name + ".dxf")
        doc.saveas(road_dxf)
        first, last = vertices[0], vertices[-1]
        script = os.path.join(tmp, "lines.scr")
        with open(script, "w", encoding="utf-8") as f:
            f.write("D_Linie\ndlg select IDC_LINE_LIST \"P-4\"\ndlg click IDC_LINE_DRAW\n"
                    f"pick {first[0]},{first[1]}\n{first[0]},{first[1]}\n{last[0]},{last[1]}\n\ndlg click 2\n")
        out_dxf = os.path.join(tmp, name + "-out.dxf")
        run = subprocess.run([tarvo, "run", "--in", road_dxf, "--script", script, "--out", out_dxf],
                             capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout, run.stderr)
            return None
        drawn = ezdxf.readfile(out_dxf)
        lines = [e for e in drawn.modelspace().query("LWPOLYLINE") if abs(e.dxf.const_width - 0.12) < 1e-9]
        if len(lines) < 2:
            print(f"{name}: expected the lines of P-4 on both sides, found {len(lines)}\n{run.stdout}")
            return None
        flat = flatten(vertices)
        edge = NearSegments([flat])
        boundary = NearSegments(boundary_lines(LineString(flat).buffer(OFFSET, resolution=256).boundary))
        worst_offset = worst_buffer = 0.0
        for line in lines:
            for p in flatten([(x, y, b) for x, y, _, _, b in line.get_points("xyseb")]):
                off = abs(edge.distance(p) - OFFSET)
                apart = boundary.distance(p)
                if max(off, apart) > TOLERANCE:
                    print(f"{name}: {off * 1000:.4f} mm off the offset, {apart * 1000:.4f} mm off the buffer "
                          f"at {p[0]:.4f},{p[1]:.4f}")
                worst_offset = max(worst_offset, off)
                worst_buffer = max(worst_buffer, apart)
        print(f"{name}: {len(lines)} lines; largest departure from the offset {worst_offset * 1000:.4f} mm, "
              f"from the buffer's boundary {worst_buffer * 1000:.4f} mm")
        return worst_offset, worst_buffer


def main():
    tarvo = sys.argv[1]
    failed = False
    with tempfile.TemporaryDirectory() as tmp:
        for name, vertices in (("surveyed", real_road()), ("tight", tight_road())):
            worst = check(tarvo, tmp, name, vertices)
            failed = failed or worst is None or max(worst) > TOLERANCE
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
