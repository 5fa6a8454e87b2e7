#pragma once

#include <optional>
#include <vector>

#include "ZcDbExtents.h"
#include "ZcGePoint2d.h"
#include "ZcGeVector2d.h"
#include "ZrxExport.h"

// Plane geometry of the pieces that lines, arcs, circles and polyline
// segments are made of. A piece runs from t = 0 to t = 1; an arc piece
// turns counter-clockwise for a positive sweep.
namespace platform::curve {

// A point this close to a curve lies on it; chains whose ends are this close
// are joined. A micrometre: below any drawing's precision, well above the
// rounding of national-grid coordinates (about 1e-9 m at 7e6 m).
inline constexpr double kOnCurveTol = 1e-6;
// A line or circle that misses a circle by no more than this (relative to
// the larger radius, at least 1) touches it: rounding of a constructed
// tangent must not lose the tangent point.
inline constexpr double kTangencyTol = 1e-9;
// Sine of the angle between two directions below which lines are parallel.
inline constexpr double kParallelTol = 1e-12;
// A bulge below this is a straight segment: its sagitta on a 1 km chord is
// under a micrometre, and the radius would be too large to compute with.
inline constexpr double kStraightBulge = 1e-9;

// The z of the cross product of a and b: positive when b turns left from a.
inline double cross(const ZcGeVector2d& a, const ZcGeVector2d& b) { return a.x * b.y - a.y * b.x; }

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kTwoPi = 2.0 * kPi;

struct Piece {
    bool arc = false;
    ZcGePoint2d start;
    ZcGePoint2d end;
    // Arcs only.
    ZcGePoint2d center;
    double radius = 0.0;
    double startAngle = 0.0;
    double sweep = 0.0;  // signed; +-2pi for a full circle
};

// An angle in [0, 2pi).
double normalizeAngle(double a);

Piece linePiece(const ZcGePoint2d& start, const ZcGePoint2d& end);
Piece arcPiece(const ZcGePoint2d& center, double radius, double startAngle, double sweep);
// The polyline segment from start to end with a bulge (tan of a quarter of
// the swept angle, negative clockwise); ends are kept exactly.
Piece bulgePiece(const ZcGePoint2d& start, const ZcGePoint2d& end, double bulge);
// The bulge that describes a piece as a polyline segment.
double bulgeOf(const Piece& piece);
Piece reversed(const Piece& piece);

double length(const Piece& piece);
// The point at t; beyond [0, 1] lines go straight on and arcs round their circle.
ZRX_EXPORT ZcGePoint2d pointAt(const Piece& piece, double t);
// The parameter of a point that lies on the piece (or, when extend is set,
// on its line or circle), in [0, 1] within kOnCurveTol; nothing when off it.
std::optional<double> paramOnPiece(const Piece& piece, const ZcGePoint2d& p, bool extend);

struct Closest {
    ZcGePoint2d point;
    double t = 0.0;
};
// The nearest point of the piece (or of its line or circle when extend is set).
ZRX_EXPORT Closest closestPoint(const Piece& piece, const ZcGePoint2d& q, bool extend);

struct Hit {
    ZcGePoint2d point;
    double t = 0.0;  // on the first piece
    double u = 0.0;  // on the second
};
// Where two pieces meet, by t on the first. Extended lines are infinite and
// extended arcs full circles. Tangency gives one point; overlapping
// collinear or concentric pieces give none.
std::vector<Hit> intersect(const Piece& a, bool extendA, const Piece& b, bool extendB);

// The piece moved sideways by a distance, to the right of its direction of
// travel; nothing when an arc shrinks to nothing or turns inside out.
std::optional<Piece> offset(const Piece& piece, double distance);

// The piece's share of the signed area of a closed outline (shoelace sum,
// positive counter-clockwise), taken about a reference point near the
// outline so that large coordinates do not cancel; arcs add their circular
// segment.
double areaTerm(const Piece& piece, const ZcGePoint2d& ref);
// Adds the piece's box (ends and the arc's extreme points) at height z.
ZRX_EXPORT void addToExtents(ZcDbExtents& extents, const Piece& piece, double z);

// Adds the box of the polyline segment from start to end with that bulge,
// as addToExtents does for its piece, with no trigonometry: a polyline's
// extents are taken for every drawing written.
void addSegmentToExtents(ZcDbExtents& extents, const ZcGePoint2d& start, const ZcGePoint2d& end, double bulge,
                         double z);

// Whether a point is inside a closed outline of pieces (even-odd rule).
bool isInside(const std::vector<Piece>& outline, const ZcGePoint2d& p);

}  // namespace platform::curve
