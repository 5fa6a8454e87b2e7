#include "console/window/ObjectSnap.h"

#include <algorithm>
#include <cmath>

#include "console/window/SceneCache.h"
#include "platform/editor/EntityPick.h"

namespace curve = platform::curve;

namespace {

double distance(const ZcGePoint2d& a, const ZcGePoint2d& b) { return std::hypot(a.x - b.x, a.y - b.y); }

// The best candidate so far: a lower kind wins over the distance.
struct Best {
    std::optional<Snap> snap;
    double dist = 0.0;

    void offer(SnapKind kind, const ZcGePoint2d& point, const ZcGePoint2d& cursor, double aperture)
    {
        const double d = distance(point, cursor);
        if (d > aperture)
            return;
        if (!snap || kind < snap->kind || (kind == snap->kind && d < dist)) {
            snap = Snap{kind, point};
            dist = d;
        }
    }
};

}  // namespace

std::optional<Snap> findSnap(const SceneCache& scene, const ZcDbDatabase& db, const ZcGePoint2d& cursor,
                             double aperture)
{
    if (!std::isfinite(cursor.x) || !std::isfinite(cursor.y) || !(aperture > 0.0))
        return std::nullopt;
    Best best;
    // Centres, by x within the aperture.
    const std::vector<ZcGePoint2d>& centres = scene.centres();
    const auto byX = [](const ZcGePoint2d& c, double x) { return c.x < x; };
    for (auto at = std::lower_bound(centres.begin(), centres.end(), cursor.x - aperture, byX);
         at != centres.end() && at->x <= cursor.x + aperture; ++at)
        best.offer(SnapKind::Centre, *at, cursor, aperture);
    const QRectF box(cursor.x - aperture, cursor.y - aperture, 2 * aperture, 2 * aperture);
    for (const ZcDbObjectId entity : platform::entitiesNear(db, {cursor.x, cursor.y, 0.0}, aperture))
        for (const ScenePiece& p : scene.piecesOf(entity)) {
            if (!overlaps(p.bounds, box))
                continue;
            const auto world = [&](const ZcGePoint2d& inPlane) { return p.toWorld.apply(inPlane); };
            best.offer(SnapKind::End, world(p.piece.start), cursor, aperture);
            best.offer(SnapKind::End, world(p.piece.end), cursor, aperture);
            best.offer(SnapKind::Middle, world(curve::pointAt(p.piece, 0.5)), cursor, aperture);
            const curve::Closest near = curve::closestPoint(p.piece, p.fromWorld.apply(cursor), false);
            best.offer(SnapKind::Nearest, world(near.point), cursor, aperture);
        }
    return best.snap;
}
