#pragma once

#include <vector>

#include "ZcDbPolyline.h"
#include "platform/db/entities/CurveMath.h"

class ZcDbEntity;

namespace platform {

// The plan geometry of the entity kinds that are made of lines and arcs.

// Segments of a polyline: one per vertex when closed, one fewer when open.
size_t polylineSegmentCount(const ZcDbPolylineVertices& vertices, bool closed);
// Segment i, from vertex i to the next (vertex 0 after the last when closed).
curve::Piece polylineSegment(const ZcDbPolylineVertices& vertices, size_t i);
std::vector<curve::Piece> polylinePieces(const ZcDbPolyline& pline);

// The pieces of a line, arc, circle, polyline or leader, in the order of its
// parameter; empty for other kinds.
std::vector<curve::Piece> piecesOf(const ZcDbEntity* entity);

}  // namespace platform
