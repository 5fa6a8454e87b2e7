#include "console/window/SceneCache.h"

#include <QPainter>

#include <cmath>

#include "console/window/ViewMapping.h"
#include "platform/render/Scene.h"

using platform::Affine2;
using platform::Contour;
using platform::Shape;
namespace curve = platform::curve;

namespace {

// Glyph outlines are taken from the font at this size and scaled: large
// enough that the outlines are the font's own, not hinted to a grid.
constexpr double kGlyphPixelSize = 256.0;
// A point's mark, in pixels.
constexpr double kMarkRadius = 1.5;
// Picked entities are drawn over the rest in this colour, thicker.
const QColor kHighlight(255, 170, 0);
constexpr double kHighlightWidth = 3.0;

QTransform transformOf(const Affine2& map) { return {map.xx, map.yx, map.xy, map.yy, map.x0, map.y0}; }

double degrees(double radians) { return radians * 180.0 / curve::kPi; }

// A piece appended to a path in its plane (y up): arcs as the arcs they
// are, so they stay round at any zoom.
void appendPiece(QPainterPath& path, const curve::Piece& piece)
{
    if (!piece.arc) {
        path.lineTo(piece.end.x, piece.end.y);
        return;
    }
    const double r = piece.radius;
    // The path's angles turn the other way in a y-up plane.
    path.arcTo(QRectF(piece.center.x - r, piece.center.y - r, 2 * r, 2 * r), -degrees(piece.startAngle),
               -degrees(piece.sweep));
}

QPainterPath pathOf(const std::vector<Contour>& contours, bool evenOdd)
{
    QPainterPath path;
    path.setFillRule(evenOdd ? Qt::OddEvenFill : Qt::WindingFill);
    for (const Contour& contour : contours) {
        if (contour.pieces.empty())
            continue;
        path.moveTo(contour.pieces.front().start.x, contour.pieces.front().start.y);
        for (const curve::Piece& piece : contour.pieces)
            appendPiece(path, piece);
        if (contour.closed)
            path.closeSubpath();
    }
    return path;
}

Affine2 inverseOf(const Affine2& m)
{
    const double d = m.det();
    Affine2 inv{m.yy / d, -m.xy / d, 0.0, -m.yx / d, m.xx / d, 0.0};
    inv.x0 = -(inv.xx * m.x0 + inv.xy * m.y0);
    inv.y0 = -(inv.yx * m.x0 + inv.yy * m.y0);
    return inv;
}

}  // namespace

bool overlaps(const QRectF& a, const QRectF& b)
{
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() && b.top() <= a.bottom();
}

void SceneCache::rebuild(const ZcDbDatabase& db, QColor foreground, std::vector<std::string>& notices)
{
    m_items.clear();
    m_pieces.clear();
    m_extents = ZcDbExtents();
    platform::SceneSettings settings;
    settings.foreground = {uint8_t(foreground.red()), uint8_t(foreground.green()), uint8_t(foreground.blue())};
    platform::buildScene(db, settings, *this, notices);
}

void SceneCache::add(const Shape& shape)
{
    if (!shape.map.isFinite() || shape.map.det() == 0.0)
        return;  // a flattened plane shows nothing
    SceneItem item;
    item.kind = shape.kind;
    item.colour = QColor(shape.colour.red, shape.colour.green, shape.colour.blue);
    item.entity = shape.entity;
    const QTransform toWorld = transformOf(shape.map);
    switch (shape.kind) {
    case Shape::Kind::Line:
    case Shape::Kind::Area:
        item.path = toWorld.map(pathOf(shape.contours, shape.evenOdd));
        if (!shape.spine.empty())
            item.spine = toWorld.map(pathOf(shape.spine, false));
        if (shape.kind == Shape::Kind::Line)
            addPieces(shape);
        break;
    case Shape::Kind::Text: addText(shape, item); break;
    case Shape::Kind::Mark:
        for (const Contour& contour : shape.contours)
            if (!contour.pieces.empty()) {
                const ZcGePoint2d at = shape.map.apply(contour.pieces.front().start);
                item.marks.emplace_back(at.x, at.y);
                item.path.addRect(QRectF(at.x, at.y, 0.0, 0.0));
            }
        break;
    }
    item.bounds = item.path.controlPointRect().united(item.spine.controlPointRect());
    if (item.path.isEmpty() && item.spine.isEmpty())
        return;
    m_extents.addPoint({item.bounds.left(), item.bounds.top(), 0.0});
    m_extents.addPoint({item.bounds.right(), item.bounds.bottom(), 0.0});
    m_items.push_back(std::move(item));
}

void SceneCache::addText(const Shape& shape, SceneItem& item)
{
    const platform::GlyphRun& run = shape.glyphs;
    QRawFont& font = m_fonts[run.fontPath];
    if (!font.isValid())
        font = QRawFont(QString::fromStdString(run.fontPath), kGlyphPixelSize);
    if (!font.isValid() || run.emSize <= 0.0)
        return;
    const double factor = run.emSize / kGlyphPixelSize;
    QPainterPath inPlane;
    for (const auto& glyph : run.glyphs)
        // The font's outlines are y down; the text's plane is y up.
        inPlane.addPath(QTransform(factor, 0, 0, -factor, glyph.x, glyph.y).map(font.pathForGlyph(glyph.index)));
    inPlane.setFillRule(Qt::WindingFill);
    item.path = transformOf(shape.map).map(inPlane);
}

void SceneCache::addPieces(const Shape& shape)
{
    const Affine2 back = inverseOf(shape.map);
    for (const Contour& contour : shape.contours)
        for (const curve::Piece& piece : contour.pieces) {
            QPainterPath one;
            one.moveTo(piece.start.x, piece.start.y);
            appendPiece(one, piece);
            m_pieces.push_back({piece, shape.map, back, transformOf(shape.map).map(one).controlPointRect()});
        }
}

void SceneCache::paint(QPainter& painter, const ViewMapping& view, const std::set<ZcDbObjectId>& highlighted) const
{
    const QTransform toPixel = view.worldToPixel();
    const QRectF visible = toPixel.inverted().mapRect(QRectF(0, 0, view.width, view.height));
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPen thin(Qt::white, 0.0);  // cosmetic: one pixel at any zoom
    thin.setCosmetic(true);
    const auto draw = [&](const SceneItem& item, const QColor& colour, double width) {
        if (!overlaps(item.bounds, visible))
            return;
        thin.setColor(colour);
        thin.setWidthF(width);
        painter.setTransform(toPixel);
        switch (item.kind) {
        case Shape::Kind::Line: painter.strokePath(item.path, thin); break;
        case Shape::Kind::Area:
        case Shape::Kind::Text:
            painter.fillPath(item.path, colour);
            if (!item.spine.isEmpty())
                painter.strokePath(item.spine, thin);
            if (width > 0.0)
                painter.strokePath(item.path, thin);
            break;
        case Shape::Kind::Mark:
            painter.resetTransform();
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            for (const QPointF& at : item.marks)
                painter.drawEllipse(toPixel.map(at), kMarkRadius + width, kMarkRadius + width);
            break;
        }
    };
    for (const SceneItem& item : m_items)
        draw(item, item.colour, 0.0);
    if (highlighted.empty())
        return;
    for (const SceneItem& item : m_items)
        if (highlighted.count(item.entity))
            draw(item, kHighlight, kHighlightWidth);
    painter.resetTransform();
}
