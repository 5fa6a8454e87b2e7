#include "console/window/ObjectSnap.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "console/window/SceneCache.h"
#include "platform/editor/EntityPick.h"
#include "platform/render/Scene.h"

using platform::Affine2;
using platform::Contour;
using platform::Shape;
namespace curve = platform::curve;

namespace {

// An order of ids for finding an entity's pieces: by identity, without
// reading handles.
bool before(ZcDbObjectId a, ZcDbObjectId b) { return std::less<const void*>()(a.stub(), b.stub()); }

bool sameMap(const Affine2& a, const Affine2& b)
{
    return a.xx == b.xx && a.xy == b.xy && a.x0 == b.x0 && a.yx == b.yx && a.yy == b.yy && a.y0 == b.y0;
}

Affine2 inverseOf(const Affine2& m)
{
    const double d = m.det();
    Affine2 inv{m.yy / d, -m.xy / d, 0.0, -m.yx / d, m.xx / d, 0.0};
    inv.x0 = -(inv.xx * m.x0 + inv.xy * m.y0);
    inv.y0 = -(inv.yx * m.x0 + inv.yy * m.y0);
    return inv;
}

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

void SnapPieces::rebuild(const ZcDbDatabase& db)
{
    m_pieces.clear();
    m_planes.clear();
    m_runs.clear();
    m_centres.clear();
    std::vector<std::string> notices;  // the picture says them
    platform::buildScene(db, {}, *this, notices);
    std::sort(m_runs.begin(), m_runs.end(), [](const Run& a, const Run& b) {
        return before(a.entity, b.entity) || (a.entity == b.entity && a.first < b.first);
    });
    std::sort(m_centres.begin(), m_centres.end(), [](const ZcGePoint2d& a, const ZcGePoint2d& b) { return a.x < b.x; });
}

void SnapPieces::add(const Shape& shape)
{
    const Affine2& map = shape.map;
    if (shape.kind != Shape::Kind::Line || !map.isFinite() || map.det() == 0.0)
        return;
    if (m_planes.empty() || !sameMap(m_planes.back().toWorld, map))
        m_planes.push_back({map, inverseOf(map)});
    const uint32_t plane = uint32_t(m_planes.size() - 1);
    const uint32_t first = uint32_t(m_pieces.size());
    for (const Contour& contour : shape.contours)
        for (const curve::Piece& piece : contour.pieces) {
            // The box in the plane, mapped: it holds the piece however the
            // plane is turned or stretched.
            ZcDbExtents inPlane;
            curve::addToExtents(inPlane, piece, 0.0);
            double x0 = HUGE_VAL, y0 = HUGE_VAL, x1 = -HUGE_VAL, y1 = -HUGE_VAL;
            for (const double x : {inPlane.minPoint().x, inPlane.maxPoint().x})
                for (const double y : {inPlane.minPoint().y, inPlane.maxPoint().y}) {
                    const ZcGePoint2d corner = map.apply(ZcGePoint2d(x, y));
                    x0 = std::min(x0, corner.x);
                    y0 = std::min(y0, corner.y);
                    x1 = std::max(x1, corner.x);
                    y1 = std::max(y1, corner.y);
                }
            m_pieces.push_back({piece, QRectF(QPointF(x0, y0), QPointF(x1, y1)), plane});
            if (piece.arc)
                m_centres.push_back(map.apply(piece.center));
        }
    const uint32_t last = uint32_t(m_pieces.size());
    if (!m_runs.empty() && m_runs.back().entity == shape.entity && m_runs.back().last == first)
        m_runs.back().last = last;
    else if (last > first)
        m_runs.push_back({shape.entity, first, last});
}

void SnapPieces::forEachPieceOf(ZcDbObjectId entity,
                                const std::function<void(const SnapPiece&, const SnapPlane&)>& visit) const
{
    auto run = std::lower_bound(m_runs.begin(), m_runs.end(), entity,
                                [](const Run& r, ZcDbObjectId id) { return before(r.entity, id); });
    for (; run != m_runs.end() && run->entity == entity; ++run)
        for (uint32_t i = run->first; i < run->last; ++i)
            visit(m_pieces[i], m_planes[m_pieces[i].plane]);
}

std::optional<Snap> findSnap(const SnapPieces& pieces, const ZcDbDatabase& db, const ZcGePoint2d& cursor,
                             double aperture)
{
    if (!std::isfinite(cursor.x) || !std::isfinite(cursor.y) || !(aperture > 0.0))
        return std::nullopt;
    Best best;
    // Centres, by x within the aperture.
    const std::vector<ZcGePoint2d>& centres = pieces.centres();
    const auto byX = [](const ZcGePoint2d& c, double x) { return c.x < x; };
    for (auto at = std::lower_bound(centres.begin(), centres.end(), cursor.x - aperture, byX);
         at != centres.end() && at->x <= cursor.x + aperture; ++at)
        best.offer(SnapKind::Centre, *at, cursor, aperture);
    const QRectF box(cursor.x - aperture, cursor.y - aperture, 2 * aperture, 2 * aperture);
    for (const ZcDbObjectId entity : platform::entitiesNear(db, {cursor.x, cursor.y, 0.0}, aperture))
        pieces.forEachPieceOf(entity, [&](const SnapPiece& p, const SnapPlane& plane) {
            if (!overlaps(p.bounds, box))
                return;
            const auto world = [&](const ZcGePoint2d& inPlane) { return plane.toWorld.apply(inPlane); };
            best.offer(SnapKind::End, world(p.piece.start), cursor, aperture);
            best.offer(SnapKind::End, world(p.piece.end), cursor, aperture);
            best.offer(SnapKind::Middle, world(curve::pointAt(p.piece, 0.5)), cursor, aperture);
            const curve::Closest near = curve::closestPoint(p.piece, plane.fromWorld.apply(cursor), false);
            best.offer(SnapKind::Nearest, world(near.point), cursor, aperture);
        });
    return best.snap;
}
