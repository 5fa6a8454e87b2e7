#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRawFont>
#include <QRectF>

#include <map>
#include <set>
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

    const ZcDbExtents& extents() const { return m_extents; }
    size_t size() const { return m_items.size(); }

private:
    void addText(const platform::Shape& shape, SceneItem& item);

    std::vector<SceneItem> m_items;
    ZcDbExtents m_extents;
    std::map<std::string, QRawFont> m_fonts;
};
