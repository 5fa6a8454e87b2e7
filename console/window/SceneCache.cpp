#include "console/window/SceneCache.h"

#include <QPainter>

#include <algorithm>
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
// A shape whose box is narrower and lower than this many pixels is drawn
// as a dot: its outline would cover no more.
constexpr double kTinyPixels = 1.0;

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
    size_t elements = 0;
    for (const Contour& contour : contours)
        elements += contour.pieces.size() + 2;
    path.reserve(int(elements));
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

}  // namespace

bool overlaps(const QRectF& a, const QRectF& b)
{
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() && b.top() <= a.bottom();
}

void SceneCache::rebuild(const ZcDbDatabase& db, QColor foreground, std::vector<std::string>& notices)
{
    m_items.clear();
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

void SceneCache::paint(QPainter& painter, const ViewMapping& view, const std::set<ZcDbObjectId>& highlighted,
                       const QRectF& area) const
{
    const QTransform toPixel = view.worldToPixel();
    const QRectF visible = toPixel.inverted().mapRect(area);
    const double tiny = kTinyPixels / view.scale;  // in drawing units
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QTransform outer = painter.transform();  // pixels of the view to the device's
    painter.setTransform(toPixel, true);
    const QTransform base = painter.transform();
    QPen thin(Qt::white, 0.0);  // cosmetic: one pixel at any zoom
    thin.setCosmetic(true);
    // The pen and brush are set only when they change: most neighbours
    // share their colour.
    bool penSet = false;
    const auto usePen = [&](const QColor& colour, double width) {
        if (!penSet || thin.color() != colour || thin.widthF() != width) {
            thin.setColor(colour);
            thin.setWidthF(width);
            painter.setPen(thin);
            penSet = true;
        }
    };
    // Thin lines and dots of one colour are gathered and drawn together,
    // before anything of another colour goes over them: most neighbours
    // share their colour, and each drawing call costs more than its lines.
    std::vector<QPointF> dots;
    QPainterPath lines;
    QColor gathered;
    const auto drawGathered = [&] {
        if (!dots.empty() || !lines.isEmpty()) {
            painter.setTransform(base);
            usePen(gathered, 0.0);
            painter.setBrush(Qt::NoBrush);
        }
        if (!dots.empty())
            painter.drawPoints(dots.data(), int(dots.size()));
        if (!lines.isEmpty())
            painter.drawPath(lines);
        dots.clear();
        lines.clear();
    };
    const auto draw = [&](const SceneItem& item, const QColor& colour, double width) {
        if (!overlaps(item.bounds, visible))
            return;
        const bool isTiny = item.bounds.width() < tiny && item.bounds.height() < tiny;
        if (width == 0.0 && (item.kind == Shape::Kind::Line || (isTiny && item.kind != Shape::Kind::Mark))) {
            if (colour != gathered)
                drawGathered();
            gathered = colour;
            if (isTiny)
                dots.push_back(item.bounds.center());
            else
                lines.addPath(item.path);
            return;
        }
        drawGathered();
        switch (item.kind) {
        case Shape::Kind::Line:
            usePen(colour, width);
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(item.path);
            break;
        case Shape::Kind::Area:
        case Shape::Kind::Text:
            painter.setPen(Qt::NoPen);
            penSet = false;
            painter.setBrush(colour);
            painter.drawPath(item.path);
            painter.setBrush(Qt::NoBrush);
            if (!item.spine.isEmpty()) {
                usePen(colour, width);
                painter.drawPath(item.spine);
            }
            if (width > 0.0) {
                usePen(colour, width);
                painter.drawPath(item.path);
            }
            break;
        case Shape::Kind::Mark:
            painter.setTransform(outer);
            painter.setPen(Qt::NoPen);
            penSet = false;
            painter.setBrush(colour);
            for (const QPointF& at : item.marks)
                painter.drawEllipse(toPixel.map(at), kMarkRadius + width, kMarkRadius + width);
            painter.setTransform(base);
            break;
        }
    };
    for (const SceneItem& item : m_items)
        draw(item, item.colour, 0.0);
    drawGathered();
    if (!highlighted.empty())
        for (const SceneItem& item : m_items)
            if (highlighted.count(item.entity))
                draw(item, kHighlight, kHighlightWidth);
    painter.setTransform(outer);
}
