#pragma once

#include <QRectF>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "ZcDbObjectId.h"
#include "ZcGePoint2d.h"
#include "platform/render/Shape.h"

class ZcDbDatabase;

// The points a click snaps to on what is drawn.
enum class SnapKind { End, Middle, Centre, Nearest };

struct Snap {
    SnapKind kind = SnapKind::Nearest;
    ZcGePoint2d point;  // in the world
};

// The plane a drawn line lies in (a block's), with the map into the world
// and back; shared by all the pieces drawn in it.
struct SnapPlane {
    platform::Affine2 toWorld;
    platform::Affine2 fromWorld;
};

// A piece of a drawn line, in its plane.
struct SnapPiece {
    platform::curve::Piece piece;
    QRectF bounds;  // in the world, perhaps a little larger
    uint32_t plane = 0;
};

// The lines of the drawing's scene (the pictures' own) as pieces, found by
// the model-space entity they are drawn for. Built when snaps are first
// looked for, not with every picture: most drawings are only looked at.
class SnapPieces : public platform::ShapeSink {
public:
    void rebuild(const ZcDbDatabase& db);
    void add(const platform::Shape& shape) override;

    // Calls visit with each piece drawn for a model-space entity.
    void forEachPieceOf(ZcDbObjectId entity,
                        const std::function<void(const SnapPiece&, const SnapPlane&)>& visit) const;
    // The world centres of the arcs drawn, by x: a centre may lie far from
    // its arc and its entity's box.
    const std::vector<ZcGePoint2d>& centres() const { return m_centres; }

private:
    // The pieces of one entity in a row, found by entity once built.
    struct Run {
        ZcDbObjectId entity;
        uint32_t first = 0, last = 0;
    };

    std::vector<SnapPiece> m_pieces;
    std::vector<SnapPlane> m_planes;
    std::vector<Run> m_runs;
    std::vector<ZcGePoint2d> m_centres;
};

// The snap point within aperture (world units) of the cursor: the closest
// end, middle or centre; failing those, the nearest point of a line.
// Nothing when no line is that near. The drawing's index of entity boxes
// (the pick's own) says which entities' lines are measured: the pieces
// must be the drawing's, built since it last changed.
std::optional<Snap> findSnap(const SnapPieces& pieces, const ZcDbDatabase& db, const ZcGePoint2d& cursor,
                             double aperture);
