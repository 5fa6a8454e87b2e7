#pragma once

#include "geometry/PlanePoint.h"

// Arcs of polylines: a bulge is tan(theta/4) of the arc's included angle
// theta, positive counter-clockwise, negative clockwise.

double BulgeFromAngle(double theta);

// The bulge of the clockwise arc from start to end about centre (negative):
// a quarter circle clockwise is tan(-pi/8); the same ends the other way
// round are the three-quarter clockwise arc, tan(-3pi/8).
template <PlanePoint P>
double ClockwiseBulge(P start, P end, P centre);

// The radius of the arc on the chord p1 p2 with that bulge (not 0).
template <PlanePoint P>
double ArcRadius(P p1, P p2, double bulge);

// The centre of that arc: left of p1 -> p2 for a positive bulge, right for
// a negative one; the chord's midpoint for a half circle.
template <PlanePoint P>
P ArcCentre(P p1, P p2, double bulge);
