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

// The triangular island at a roundabout's entry: a tapered island on the
// road's axis whose base, of width S, is centred on P1 on the roundabout's
// circle and whose sides would meet at the apex S3 beyond it; its nose is
// rounded about the point L from P1, and its base corners with R1. Beside
// it the inlet (left of P1 -> P2) and outlet (right) kerbs run parallel to
// the island's sides, leave the roundabout's circle with an arc of radius
// Rw (Ru) and bend into the road's edge, Sd/2 from the axis, with an arc of
// radius Rw1 (Ru1).

// One kerb of the triangular island. Names of the inlet; the outlet's are
// its mirror (Su..., Ru...).
struct TriangularKerb {
    IslandLine roadEdge;       // SwOP01: the road's edge beyond the island
    IslandLine kerbLine;       // SwOP23: the island's side moved out by the lane's width
    IslandLine movedEdge;      // SwRw101: the road's edge moved out by the break radius
    IslandLine movedKerbLine;  // SwRw123: the kerb line moved out by the break radius
    ZcGePoint3d breakCentre;   // Rw1Cen: centre of the arc bending into the road's edge
    ZcGePoint3d op1, op2;      // SWOp1, SWOp2: its ends on the road's edge and the kerb line
    IslandLine arcKerbLine;    // RwSwOff: the kerb line moved out by the entry arc's radius
    RoundaboutArc arc;         // RwCens, RwCen, SwOP3 (onKerb), SwOP4 (onCircle)
    double breakBulge = 0.0;   // b_inlet1
    double arcBulge = 0.0;     // b_inlet2
};

// Every named point of the construction, in drawing coordinates (z 0).
struct TriangularIsland {
    double alpha = 0.0;         // the skew angle of A
    double apexDistance = 0.0;  // t = (S/2) / tan alpha, from P1 to S3
    ZcGePoint3d p1, p2;         // the picks, in plan
    ZcGePoint3d p3;             // P2 turned by 90 degrees about P1
    ZcGeVector3d mainDir, parpVec;
    ZcGePoint3d swp, sup;       // ends of the base
    ZcGePoint3d s3;             // apex of the sides
    ZcGePoint3d konCen;         // centre of the nose arc
    ZcGePoint3d swKp, suKp;     // ends of the nose arc
    IslandLine swSuInOff, swKonInOff, suKonInOff;  // base and sides moved in by R1
    ZcGePoint3d swR1Cen, suR1Cen;                  // centres of the base corners' roundings
    ZcGePoint3d swR1p1, swR1p2, suR1p1, suR1p2;    // their ends on the base and the sides
    ZcGePoint3d przejP1, przejP2;                  // near edge of the crossing on the sides
    ZcGePoint3d przejP3, przejP4;                  // its far edge
    ZcGePoint3d mainRondCenter;                    // centre of the roundabout
    double cornerBulge = 0.0;  // b_corner, both corners (0 for a sharp corner)
    double noseBulge = 0.0;    // b_nose
    TriangularKerb inlet, outlet;
};

struct TriangularIslandResult {
    IslandFault fault;
    TriangularIsland island;               // complete when there is no fault
    std::vector<IslandPolyline> polylines; // in the order they are drawn; none on a fault
};

// The island of those parameters for the picks P1 (on the circle, on the
// axis) and P2 (giving the axis' direction away from the roundabout); z is
// not looked at. Polylines: the island (or, with a crossing, the part
// before it and the nose beyond it), the triangle of the sides, the inlet
// kerb, the outlet kerb. Outlines run clockwise; kerbs run from the road's
// edge to the circle.
TriangularIslandResult BuildTriangularIsland(const IslandParameters& parameters, ZcGePoint3d p1, ZcGePoint3d p2);

// Builds the island and adds its polylines to model space of the working
// drawing, or prints why it cannot and draws nothing (a skew text without
// a usable ":" draws nothing, quietly). The ids of the polylines drawn.
ZcDbObjectIdArray DrawTriangularIsland(const IslandParameters& parameters, ZcGePoint3d p1, ZcGePoint3d p2);
