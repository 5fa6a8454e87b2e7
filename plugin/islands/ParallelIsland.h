#pragma once

#include <array>
#include <vector>

#include "ZcDbObjectId.h"
#include "ZcGePoint3d.h"
#include "ZcGeVector3d.h"
#include "islands/IslandLimits.h"
#include "islands/IslandLine.h"
#include "islands/IslandParameters.h"
#include "islands/IslandPolyline.h"
#include "islands/RoundaboutArc.h"

// The parallel island at a roundabout's entry: a rectangle of width S and
// length L on the road's axis from P1 (on the roundabout's circle) with
// corners rounded by R1, a taper of two lines from the ends of its sides to
// the apex S3 on the axis (skew A), and the inlet (left of P1 -> P2) and
// outlet (right) kerbs. Each kerb leaves the circle with an arc of radius
// Rw (Ru), runs parallel to the island, bends with arcs of radius Rw1
// (Ru1) onto a line parallel to the taper and then onto the road's edge,
// Sd/2 from the axis.

// One kerb of the parallel island. Names of the inlet; the outlet's are
// its mirror (Su..., Ru...).
struct ParallelKerb {
    IslandLine alongIsland;   // SwOP12: the island's side moved out by the lane's width
    IslandLine alongTaper;    // SwOP34: the taper line moved out by the lane's width
    IslandLine roadEdge;      // SwOP56: the road's edge beyond the island
    IslandLine arcKerbLine;   // SwRw1: SwOP12 moved out by the entry arc's radius
    RoundaboutArc arc;        // RwCens, RwCen, SwP1 (onKerb), SwP0 (onCircle)
    std::array<ZcGePoint3d, 3> taperBreak;  // SwRw2: [centre, on SwOP12, on SwOP34]
    std::array<ZcGePoint3d, 3> edgeBreak;   // SwRw3: [centre, on SwOP34, on SwOP56]
    double arcBulge = 0.0;          // b_w0
    double taperBreakBulge = 0.0;   // b_w2
    double edgeBreakBulge = 0.0;    // b_w4
};

// Every named point of the construction, in drawing coordinates (z 0).
struct ParallelIsland {
    double alpha = 0.0;         // the skew angle of A
    double apexDistance = 0.0;  // t = (S/2) / tan alpha, from the island's end to S3
    ZcGePoint3d p1, p2;         // the picks, in plan
    ZcGeVector3d dirVec, parpVec;
    ZcGePoint3d swSP, suSP;     // start corners, on the circle's side
    ZcGePoint3d swEP, suEP;     // end corners
    // Each corner's rounding: its end on the start or end face, its end on
    // the side, its centre.
    ZcGePoint3d swSP1, swSP2, sRwCen;
    ZcGePoint3d swEP1, swEP2, eRwCen;
    ZcGePoint3d suEP1, suEP2, eRuCen;
    ZcGePoint3d suSP1, suSP2, sRuCen;
    ZcGePoint3d s3;              // apex of the taper
    ZcGePoint3d mainRondCenter;  // centre of the roundabout
    // Corner bulges b_SRw, b_ERw, b_ERu, b_SRu (0 for sharp corners).
    double sRwBulge = 0.0, eRwBulge = 0.0, eRuBulge = 0.0, sRuBulge = 0.0;
    // The crossing's edges on the sides, c1 and c2 from the start.
    ZcGePoint3d swCrossNear, suCrossNear, swCrossFar, suCrossFar;
    ParallelKerb inlet, outlet;
};

struct ParallelIslandResult {
    IslandFault fault;
    ParallelIsland island;                 // complete when there is no fault
    std::vector<IslandPolyline> polylines; // in the order they are drawn; none on a fault
};

// The island of those parameters for the picks P1 (on the circle, on the
// axis) and P2 (giving the axis' direction away from the roundabout); z is
// not looked at. Polylines: the taper, the inlet kerb, the outlet kerb, the
// island (or, with a crossing, the part before it and the nose beyond it).
// Outlines run clockwise; kerbs run from the circle outwards.
ParallelIslandResult BuildParallelIsland(const IslandParameters& parameters, ZcGePoint3d p1, ZcGePoint3d p2);

// Builds the island and adds its polylines to model space of the working
// drawing, or prints why it cannot and draws nothing (a skew text without
// a usable ":" draws nothing, quietly). The ids of the polylines drawn.
ZcDbObjectIdArray DrawParallelIsland(const IslandParameters& parameters, ZcGePoint3d p1, ZcGePoint3d p2);
