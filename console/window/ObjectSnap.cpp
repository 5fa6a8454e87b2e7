#include "console/window/ObjectSnap.h"

#include <cmath>

#include "console/window/SceneCache.h"

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

std::optional<Snap> findSnap(const SceneCache& scene, const ZcGePoint2d& cursor, double aperture)
{
    const QRectF box(cursor.x - aperture, cursor.y - aperture, 2 * aperture, 2 * aperture);
    Best best;
    for (const ScenePiece& p : scene.pieces()) {
        const auto world = [&](const ZcGePoint2d& inPlane) { return p.toWorld.apply(inPlane); };
        // A centre lies away from its arc's bounds.
        if (p.piece.arc)
            best.offer(SnapKind::Centre, world(p.piece.center), cursor, aperture);
        if (!overlaps(p.bounds, box))
            continue;
        best.offer(SnapKind::End, world(p.piece.start), cursor, aperture);
        best.offer(SnapKind::End, world(p.piece.end), cursor, aperture);
        best.offer(SnapKind::Middle, world(curve::pointAt(p.piece, 0.5)), cursor, aperture);
        const curve::Closest near = curve::closestPoint(p.piece, p.fromWorld.apply(cursor), false);
        best.offer(SnapKind::Nearest, world(near.point), cursor, aperture);
    }
    return best.snap;
}
