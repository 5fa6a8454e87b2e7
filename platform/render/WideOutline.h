#pragma once

#include <vector>

#include "platform/render/Shape.h"

namespace platform {

// A polyline segment with the widths at its two ends.
struct WideSegment {
    curve::Piece centre;
    double startWidth = 0.0;
    double endWidth = 0.0;
};

// A mitre longer than this many half-widths is cut off square (bevelled),
// so that a sharp turn does not throw a spike across the picture.
inline constexpr double kMitreLimit = 10.0;

// The area a chain of wide segments covers, as outlines to fill with the
// non-zero rule: one per segment (a quadrilateral, a ring sector or, for a
// tapered arc, its sampled outline) plus a wedge on the outer side of each
// turn where both sides have width, mitred like a CAD program's wide
// polylines. Ends are square. Every outline turns counter-clockwise, so
// overlaps add up and never cancel.
std::vector<Contour> wideOutline(const std::vector<WideSegment>& chain, bool closed);

// The part of a wide segment between two parameters, the widths taken
// along linearly.
WideSegment subSegment(const WideSegment& segment, double t0, double t1);

// Turns an outline counter-clockwise when it is not.
void makeCounterClockwise(Contour& contour);

}  // namespace platform
