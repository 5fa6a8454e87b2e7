#pragma once

#include <vector>

#include "ZcDbObjectId.h"
#include "ZcGePoint2d.h"
#include "ZcGePoint3d.h"
#include "islands/IslandLimits.h"

// An island's outline or kerb as it goes into the drawing: a lightweight
// polyline with unset widths and the drawing's current properties.

struct IslandVertex {
    ZcGePoint2d point;
    double bulge = 0.0;  // of the segment starting here
};

struct IslandPolyline {
    std::vector<IslandVertex> vertices;
    bool closed = false;
};

// Adds (x, y) of the point with the bulge of the segment it starts. A point
// on the previous vertex ends a segment of no length: that segment goes, so
// the previous vertex starts the new one with its bulge (a corner rounded
// with radius 0 is a sharp corner).
void AddIslandVertex(IslandPolyline& polyline, ZcGePoint3d point, double bulge = 0.0);

// Drops a closing vertex that lies on the first one (call when the outline
// is complete).
void FinishIslandPolyline(IslandPolyline& polyline);

// Whether every coordinate and bulge is a finite number.
bool IslandPolylinesFinite(const std::vector<IslandPolyline>& polylines);

// Draws a construction's outcome: on a fault, prints its message (if it
// has one) and draws nothing; otherwise appends each polyline to model
// space of the working drawing in order and closes it. The ids of the
// polylines drawn.
ZcDbObjectIdArray DrawIslandPolylines(const IslandFault& fault, const std::vector<IslandPolyline>& polylines);
