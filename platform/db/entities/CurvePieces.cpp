#include "platform/db/entities/CurvePieces.h"

#include "ZcDbArc.h"
#include "ZcDbCircle.h"
#include "ZcDbLeader.h"
#include "ZcDbLine.h"

namespace platform {

size_t polylineSegmentCount(const ZcDbPolylineVertices& vertices, bool closed)
{
    if (vertices.size() < 2)
        return 0;
    return closed ? vertices.size() : vertices.size() - 1;
}

curve::Piece polylineSegment(const ZcDbPolylineVertices& vertices, size_t i)
{
    const size_t next = (i + 1) % vertices.size();
    return curve::bulgePiece(vertices.point(i), vertices.point(next), vertices.bulge(i));
}

std::vector<curve::Piece> polylinePieces(const ZcDbPolyline& pline)
{
    std::vector<curve::Piece> pieces;
    const size_t n = polylineSegmentCount(pline.vertices(), pline.isClosed());
    for (size_t i = 0; i < n; ++i)
        pieces.push_back(polylineSegment(pline.vertices(), i));
    return pieces;
}

std::vector<curve::Piece> piecesOf(const ZcDbEntity* entity)
{
    if (const ZcDbLine* line = ZcDbLine::cast(entity))
        return {curve::linePiece(line->startPoint().convert2d(), line->endPoint().convert2d())};
    if (const ZcDbArc* arc = ZcDbArc::cast(entity)) {
        double start = 0.0, end = 0.0;
        arc->getStartParam(start);
        arc->getEndParam(end);
        return {curve::arcPiece(arc->center().convert2d(), arc->radius(), start, end - start)};
    }
    if (const ZcDbCircle* circle = ZcDbCircle::cast(entity))
        return {curve::arcPiece(circle->center().convert2d(), circle->radius(), 0.0, curve::kTwoPi)};
    if (const ZcDbPolyline* pline = ZcDbPolyline::cast(entity))
        return polylinePieces(*pline);
    if (const ZcDbLeader* leader = ZcDbLeader::cast(entity)) {
        std::vector<curve::Piece> pieces;
        for (int i = 0; i + 1 < leader->numVertices(); ++i)
            pieces.push_back(curve::linePiece(leader->vertexAt(i).convert2d(), leader->vertexAt(i + 1).convert2d()));
        return pieces;
    }
    return {};
}

}  // namespace platform
