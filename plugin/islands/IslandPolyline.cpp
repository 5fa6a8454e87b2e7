#include "islands/IslandPolyline.h"

#include <cmath>

#include "ZcDbPolyline.h"
#include "geometry/Points.h"
#include "services/DatabaseServices.h"
#include "zcut.h"

namespace {

// Vertices this close are one point: the segment between them has no
// length and no direction (a sharp corner's two tangent points, a crossing
// edge on a corner's end).
constexpr double kSameVertex = 1e-9;

bool samePoint(const ZcGePoint2d& a, const ZcGePoint2d& b) { return a.distanceTo(b) <= kSameVertex; }

}  // namespace

void AddIslandVertex(IslandPolyline& polyline, ZcGePoint3d point, double bulge)
{
    const ZcGePoint2d p = MakePoint2d(point);
    if (!polyline.vertices.empty() && samePoint(polyline.vertices.back().point, p)) {
        polyline.vertices.back().bulge = bulge;
        return;
    }
    polyline.vertices.push_back({p, bulge});
}

void FinishIslandPolyline(IslandPolyline& polyline)
{
    if (polyline.closed && polyline.vertices.size() > 1 &&
        samePoint(polyline.vertices.back().point, polyline.vertices.front().point))
        polyline.vertices.pop_back();
}

bool IslandPolylinesFinite(const std::vector<IslandPolyline>& polylines)
{
    for (const IslandPolyline& polyline : polylines)
        for (const IslandVertex& v : polyline.vertices)
            if (!std::isfinite(v.point.x) || !std::isfinite(v.point.y) || !std::isfinite(v.bulge))
                return false;
    return true;
}

ZcDbObjectIdArray DrawIslandPolylines(const IslandFault& fault, const std::vector<IslandPolyline>& polylines)
{
    ZcDbObjectIdArray drawn;
    if (fault) {
        const std::string message = IslandFaultMessage(fault);
        if (!message.empty())
            zcutPrintf("%s", message.c_str());
        return drawn;
    }
    for (const IslandPolyline& outline : polylines) {
        ZcDbPolyline* polyline = new ZcDbPolyline;
        for (const IslandVertex& v : outline.vertices)
            polyline->addVertexAt(polyline->numVerts(), v.point, v.bulge, -1.0, -1.0);
        if (outline.closed)
            polyline->setClosed(true);
        if (AppendToModelSpace(polyline))
            drawn.append(polyline->objectId());
        polyline->close();
    }
    return drawn;
}
