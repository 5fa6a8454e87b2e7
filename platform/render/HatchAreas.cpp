#include "platform/render/HatchAreas.h"

#include "ZcDbHatch.h"

namespace platform {

Contour loopContour(const std::vector<ZcGePoint2d>& vertices, const std::vector<double>& bulges)
{
    Contour c;
    c.closed = true;
    const size_t n = vertices.size();
    if (n < 2)
        return c;
    for (size_t i = 0; i < n; ++i)
        c.pieces.push_back(curve::bulgePiece(vertices[i], vertices[(i + 1) % n], i < bulges.size() ? bulges[i] : 0.0));
    return c;
}

HatchArea hatchArea(const ZcDbHatch& hatch)
{
    std::vector<Contour> all;
    for (const ZcDbHatch::Loop& loop : hatch.loops()) {
        Contour c = loopContour(loop.vertices, loop.bulges);
        if (!c.pieces.empty())
            all.push_back(std::move(c));
    }
    HatchArea area;
    if (hatch.hatchStyle() == ZcDbHatch::kNormal) {
        area.loops = std::move(all);
        return area;
    }
    const int deepest = hatch.hatchStyle() == ZcDbHatch::kOuter ? 1 : 0;
    for (size_t i = 0; i < all.size(); ++i) {
        const ZcGePoint2d probe = curve::pointAt(all[i].pieces.front(), 0.5);
        int depth = 0;
        for (size_t j = 0; j < all.size() && depth <= deepest; ++j)
            if (j != i && curve::isInside(all[j].pieces, probe))
                ++depth;
        if (depth <= deepest)
            area.loops.push_back(all[i]);
    }
    // With only the outermost loops left, overlapping ones stay filled.
    area.evenOdd = deepest > 0;
    return area;
}

}  // namespace platform
