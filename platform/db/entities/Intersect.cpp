#include <algorithm>

#include "ZcDbArc.h"
#include "ZcDbCircle.h"
#include "ZcDbLeader.h"
#include "ZcDbLine.h"
#include "ZcDbPolyline.h"
#include "platform/db/entities/CurveMath.h"
#include "platform/db/entities/CurvePieces.h"

using namespace platform;

namespace {

bool isCurveKind(const ZcDbEntity* e)
{
    return ZcDbLine::cast(e) || ZcDbArc::cast(e) || ZcDbCircle::cast(e) || ZcDbPolyline::cast(e) ||
           ZcDbLeader::cast(e);
}

// Lines extend to infinite lines and arcs to their circles; polylines and
// leaders do not extend.
bool extends(const ZcDbEntity* e) { return ZcDbLine::cast(e) || ZcDbArc::cast(e); }

// The height of the point at parameter t of piece i of a curve.
double heightAt(const ZcDbEntity* e, size_t i, double t)
{
    if (const ZcDbLine* line = ZcDbLine::cast(e))
        return line->startPoint().z + (line->endPoint().z - line->startPoint().z) * t;
    if (const ZcDbArc* arc = ZcDbArc::cast(e))
        return arc->center().z;
    if (const ZcDbCircle* circle = ZcDbCircle::cast(e))
        return circle->center().z;
    if (const ZcDbPolyline* pline = ZcDbPolyline::cast(e))
        return pline->elevation();
    if (const ZcDbLeader* leader = ZcDbLeader::cast(e)) {
        const double z0 = leader->vertexAt(static_cast<int>(i)).z;
        return z0 + (leader->vertexAt(static_cast<int>(i) + 1).z - z0) * t;
    }
    return 0.0;
}

}  // namespace

// Intersections are found in plan; each point gets this entity's height there.
Zcad::ErrorStatus ZcDbEntity::intersectWith(const ZcDbEntity* other, ZcDb::Intersect mode,
                                            ZcGePoint3dArray& points) const
{
    if (!other)
        return Zcad::eNullEntityPointer;
    if (!isCurveKind(this) || !isCurveKind(other))
        return Zcad::eNotApplicable;
    const bool extendThis = (mode & ZcDb::kExtendThis) != 0 && extends(this);
    const bool extendOther = (mode & ZcDb::kExtendArg) != 0 && extends(other);
    const std::vector<curve::Piece> mine = piecesOf(this);
    const std::vector<curve::Piece> theirs = piecesOf(other);

    struct Found {
        double param;
        size_t piece;
        curve::Hit hit;
    };
    std::vector<Found> found;
    for (size_t i = 0; i < mine.size(); ++i)
        for (const curve::Piece& b : theirs)
            for (const curve::Hit& hit : curve::intersect(mine[i], extendThis, b, extendOther))
                found.push_back({static_cast<double>(i) + hit.t, i, hit});
    std::stable_sort(found.begin(), found.end(), [](const Found& x, const Found& y) { return x.param < y.param; });

    // Ends shared by neighbouring segments are found twice; report them once.
    std::vector<ZcGePoint2d> kept;
    for (const Found& f : found) {
        const bool seen = std::any_of(kept.begin(), kept.end(), [&](const ZcGePoint2d& p) {
            return p.distanceTo(f.hit.point) <= curve::kOnCurveTol;
        });
        if (seen)
            continue;
        kept.push_back(f.hit.point);
        points.append({f.hit.point.x, f.hit.point.y, heightAt(this, f.piece, f.hit.t)});
    }
    return Zcad::eOk;
}
