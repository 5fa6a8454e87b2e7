#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRawFont>
#include <QRectF>

#include <map>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "ZcDbExtents.h"
#include "platform/render/Shape.h"

class QPainter;
class ZcDbDatabase;
struct ViewMapping;

// Rectangles that touch, flat ones included (a level line's bounds have no height).
bool overlaps(const QRectF& a, const QRectF& b);

// One shape of the scene as the view paints it: a path in world
// coordinates, so a frame only changes the painter's transform.
struct SceneItem {
    platform::Shape::Kind kind = platform::Shape::Kind::Line;
    QColor colour;
    QPainterPath path;   // lines, areas, texts
    QPainterPath spine;  // areas of wide lines: the centre line, drawn thin
    std::vector<QPointF> marks;
    QRectF bounds;
    ZcDbObjectId entity;
};

// A piece of a drawn line, for object snaps: in its shape's plane, with
// the map into the world and back.
struct ScenePiece {
    platform::curve::Piece piece;
    platform::Affine2 toWorld;
    platform::Affine2 fromWorld;
    QRectF bounds;  // in the world, perhaps a little larger
    ZcDbObjectId entity;
};

// The drawing's scene (the pictures' own) kept as paths: built again when
// the drawing changes, painted at any zoom.
class SceneCache : public platform::ShapeSink {
public:
    // Builds the scene of the drawing's model space; notices say what it
    // leaves out.
    void rebuild(const ZcDbDatabase& db, QColor foreground, std::vector<std::string>& notices);
    void add(const platform::Shape& shape) override;

    // Paints what falls in an area of the view (in pixels); the entities in
    // highlighted drawn again in the highlight colour over the rest. What is
    // smaller than a pixel there is a dot of its colour.
    void paint(QPainter& painter, const ViewMapping& view, const std::set<ZcDbObjectId>& highlighted,
               const QRectF& area) const;

    const std::vector<ScenePiece>& pieces() const { return m_pieces; }
    // The pieces drawn for one model-space entity.
    std::span<const ScenePiece> piecesOf(ZcDbObjectId entity) const;
    // The world centres of the arcs drawn, by x: a centre may lie far from
    // its arc and its entity's box.
    const std::vector<ZcGePoint2d>& centres() const { return m_centres; }
    const ZcDbExtents& extents() const { return m_extents; }
    size_t size() const { return m_items.size(); }

private:
    void addText(const platform::Shape& shape, SceneItem& item);
    void addPieces(const platform::Shape& shape);

    std::vector<SceneItem> m_items;
    std::vector<ScenePiece> m_pieces;  // by entity once built
    std::vector<ZcGePoint2d> m_centres;
    ZcDbExtents m_extents;
    std::map<std::string, QRawFont> m_fonts;
};
