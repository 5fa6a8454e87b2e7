#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "ZcDbObjectId.h"
#include "ZcDbPolyline.h"
#include "ZcGePoint2d.h"
#include "ZcGePoint3d.h"

// Curves of the drawing as lightweight polylines, and polylines cut in two
// at a point, so that a marking can follow exactly the piece of an edge
// between two picks. Everything works in plan: z is dropped.

// A point this close to an end of a curve is at that end: a pick there does
// not cut off a piece too short to draw.
inline constexpr double kCurveEndTolerance = 0.001;
// A point this close to an arc segment's circle lies on the circle.
inline constexpr double kOnArcTolerance = 0.001;
// A point this close to a straight segment's line lies on the line.
inline constexpr double kOnLineTolerance = 0.0001;
// Vertices this close are one vertex: a cut exactly at a vertex adds no
// segment of no length.
inline constexpr double kSameVertex = 1e-9;

// The polyline that stands for the curve: a polyline is itself; a line, an
// arc or a circle is replaced in model space by an equivalent polyline with
// its layer, colour, linetype, linetype scale and lineweight (the curve is
// erased). Null for any other kind of entity. Nothing is left open.
ZcDbObjectId ConvertToPolyline(ZcDbObjectId curveId);

// Whether ConvertToPolyline takes the entity: a lightweight polyline, a
// line, an arc or a circle.
bool IsConvertibleEdge(const ZcDbEntity* entity);

// Cuts the polyline at its point nearest to q.
// - Open: the given polyline keeps the part after that point and a new
//   polyline (a copy, in model space) the part before it; the result is
//   [given, new]. A point within kCurveEndTolerance of either end, or on
//   no segment, cuts nothing: [given].
// - Closed: the polyline is opened there, running once round from that
//   point back to it in its own direction; the result is [given].
// Nothing is left open.
ZcDbObjectIdArray SplitPolylineAt(ZcDbObjectId polylineId, ZcGePoint3d q);

// Whether p lies on the segment from a to b with that bulge. An arc holds p
// only where its sweep passes p: another arc on the same circle does not.
bool PointOnSegment(ZcGePoint2d p, ZcGePoint2d a, ZcGePoint2d b, double bulge);

// Keeps vertices 0 to n-1 of the polyline (open for write).
void TruncatePolyline(ZcDbPolyline* polyline, unsigned int n);

// The vertices of the two parts of a polyline cut at p, a point on it:
// (after, before) for an open polyline; for a closed one the opened
// polyline and nothing. Nothing when p lies on no segment.
using PolylineVertexList = std::vector<ZcDbPolylineVertex>;
std::optional<std::pair<PolylineVertexList, PolylineVertexList>> CutVertices(const PolylineVertexList& vertices,
                                                                             bool closed, ZcGePoint2d p);
