#include "console/window/DrawingView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QWheelEvent>

#include <cmath>
#include <string>
#include <vector>

#include "ZcDbDatabase.h"
#include "platform/render/PictureSettings.h"

using platform::PictureSettings;

namespace {

// One notch of the wheel zooms by this factor.
constexpr double kWheelZoom = 1.25;
// A snap marker's half size, in pixels.
constexpr double kMarkerSize = 6.0;
const QColor kMarkerColour(0, 200, 255);
// A pan whose move is this close to whole pixels shifts the picture kept
// of the scene instead of drawing it all again.
constexpr double kWholePixel = 0.01;
// Pixels drawn round the view, and round a strip drawn after a pan, and
// left out of what is shown.
constexpr int kAreaMargin = 4;

QColor colourOf(platform::Rgb rgb) { return {rgb.red, rgb.green, rgb.blue}; }

PictureSettings::Background backgroundOf(bool dark)
{
    return dark ? PictureSettings::Background::Dark : PictureSettings::Background::Light;
}

}  // namespace

DrawingView::DrawingView(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setMinimumSize(200, 150);
    setCursor(Qt::CrossCursor);
}

void DrawingView::showDrawing(const ZcDbDatabase& db)
{
    std::vector<std::string> notices;
    m_scene.rebuild(db, colourOf(platform::foregroundColour(backgroundOf(m_dark))), notices);
    m_drawing = &db;
    m_pictureStale = true;
    m_snapPiecesStale = true;
    // Until the user zooms or pans, what is drawn is kept in view.
    if (!m_userMoved && !showsAll())
        zoomExtents();
    update();
}

bool DrawingView::showsAll() const
{
    const ZcDbExtents& extents = m_scene.extents();
    if (extents.isEmpty())
        return true;
    const QRectF shown(0, 0, m_view.width, m_view.height);
    return shown.contains(m_view.toPixel({extents.minPoint().x, extents.minPoint().y})) &&
           shown.contains(m_view.toPixel({extents.maxPoint().x, extents.maxPoint().y}));
}

void DrawingView::zoomExtents()
{
    moveTo(ViewMapping::fitting(m_scene.extents(), width(), height()));
    m_userMoved = false;
}

void DrawingView::moveTo(const ViewMapping& view)
{
    m_view = view;
    update();
    emit mappingChanged();
}

void DrawingView::setDark(bool dark)
{
    m_dark = dark;
    m_pictureStale = true;
    update();
}

void DrawingView::setSnapping(bool on)
{
    m_snapping = on;
    if (!on)
        m_marker.reset();
    update();
}

void DrawingView::setHighlighted(std::set<ZcDbObjectId> entities)
{
    if (entities == m_highlighted)
        return;
    m_highlighted = std::move(entities);
    m_pictureStale = true;
    update();
}

void DrawingView::setRubberBand(std::optional<ZcGePoint2d> base)
{
    m_rubberBase = base;
    update();
}

void DrawingView::setMapping(const ViewMapping& view)
{
    ViewMapping sized = view;
    sized.width = std::max(width(), 1);
    sized.height = std::max(height(), 1);
    m_userMoved = true;
    moveTo(sized);
}

std::optional<Snap> DrawingView::snapAt(const QPointF& pixel)
{
    if (!m_snapping || !m_drawing)
        return std::nullopt;
    if (m_snapPiecesStale) {
        m_snapPieces.rebuild(*m_drawing);
        m_snapPiecesStale = false;
    }
    return findSnap(m_snapPieces, *m_drawing, m_view.toWorld(pixel), kSnapAperturePixels / m_view.scale);
}

void DrawingView::updatePicture()
{
    const double ratio = devicePixelRatioF();
    // The picture reaches a margin beyond the view on every side: lines cut
    // at an edge end differently there than where they run on.
    const QRect shown(-kAreaMargin, -kAreaMargin, m_view.width + 2 * kAreaMargin, m_view.height + 2 * kAreaMargin);
    const QSize size = shown.size() * ratio;
    const QColor background = colourOf(platform::backgroundColour(backgroundOf(m_dark)));
    const auto paintInto = [&](QImage& image, const QRect& area, const QPoint& origin) {
        QPainter painter(&image);
        painter.translate(-origin);
        painter.setClipRect(area);
        painter.fillRect(area, background);
        m_scene.paint(painter, m_pictured, m_highlighted, area);
    };
    const QPointF shift = m_view.toPixel(m_pictured.centre) - QPointF(m_pictured.width / 2.0, m_pictured.height / 2.0);
    const QPoint whole(int(std::lround(shift.x())), int(std::lround(shift.y())));
    const bool panned = !m_pictureStale && m_picture.size() == size && m_pictured.scale == m_view.scale &&
                        m_pictured.width == m_view.width && m_pictured.height == m_view.height &&
                        std::abs(shift.x() - whole.x()) < kWholePixel &&
                        std::abs(shift.y() - whole.y()) < kWholePixel && std::abs(whole.x()) < m_view.width &&
                        std::abs(whole.y()) < m_view.height;
    if (panned && whole.isNull())
        return;
    if (panned && ratio == 1.0) {
        // What the picture shows moved by whole pixels; the strips that
        // came into view are drawn at the same mapping, so they join. A
        // strip is drawn with a margin of its own, left out.
        m_pictured = m_pictured.panned(QPointF(whole));
        if (m_spare.size() != size)
            m_spare = QImage(size, QImage::Format_ARGB32_Premultiplied);
        {
            QPainter painter(&m_spare);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(whole, m_picture);
        }
        std::swap(m_picture, m_spare);
        // The old picture's own margin is drawn again: its edge is cut.
        const QRect kept = QRect(0, 0, m_view.width, m_view.height).translated(whole);
        for (const QRect& strip : QRegion(shown) - QRegion(kept)) {
            const QRect around = strip.adjusted(-kAreaMargin, -kAreaMargin, kAreaMargin, kAreaMargin);
            QImage part(around.size(), QImage::Format_ARGB32_Premultiplied);
            paintInto(part, around, around.topLeft());
            QPainter painter(&m_picture);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(strip.topLeft() - shown.topLeft(), part,
                              QRect(QPoint(kAreaMargin, kAreaMargin), strip.size()));
        }
        return;
    }
    if (m_picture.size() != size || m_picture.devicePixelRatio() != ratio) {
        m_picture = QImage(size, QImage::Format_ARGB32_Premultiplied);
        m_picture.setDevicePixelRatio(ratio);
    }
    m_pictured = m_view;
    m_pictureStale = false;
    paintInto(m_picture, shown, shown.topLeft());
}

void DrawingView::paintEvent(QPaintEvent*)
{
    updatePicture();
    QPainter painter(this);
    const double ratio = m_picture.devicePixelRatio();
    painter.drawImage(QRectF(0, 0, m_view.width, m_view.height), m_picture,
                      QRectF(kAreaMargin * ratio, kAreaMargin * ratio, m_view.width * ratio, m_view.height * ratio));
    paintOverlays(painter);
}

void DrawingView::paintOverlays(QPainter& painter) const
{
    if (m_rubberBase && m_cursor) {
        // To the snap point when there is one: where the click will go.
        const QPointF to = m_marker ? m_view.toPixel(m_marker->point) : *m_cursor;
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(colourOf(platform::foregroundColour(backgroundOf(m_dark))), 1.0));
        painter.drawLine(m_view.toPixel(*m_rubberBase), to);
    }
    if (m_marker) {
        const QPointF at = m_view.toPixel(m_marker->point);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(kMarkerColour, 2.0));
        painter.setBrush(Qt::NoBrush);
        const QRectF box(at.x() - kMarkerSize, at.y() - kMarkerSize, 2 * kMarkerSize, 2 * kMarkerSize);
        switch (m_marker->kind) {
        case SnapKind::End: painter.drawRect(box); break;
        case SnapKind::Middle:
            painter.drawPolygon(QPolygonF({QPointF(at.x(), box.top()), box.bottomRight(), box.bottomLeft()}));
            break;
        case SnapKind::Centre: painter.drawEllipse(box); break;
        case SnapKind::Nearest:
            painter.drawLine(box.topLeft(), box.bottomRight());
            painter.drawLine(box.topRight(), box.bottomLeft());
            break;
        }
    }
}

void DrawingView::resizeEvent(QResizeEvent*)
{
    ViewMapping sized = m_view;
    sized.width = std::max(width(), 1);
    sized.height = std::max(height(), 1);
    if (m_userMoved)
        moveTo(sized);
    else
        zoomExtents();
}

void DrawingView::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0.0) {
        m_userMoved = true;
        moveTo(m_view.zoomedAbout(event->position(), std::pow(kWheelZoom, notches)));
    }
    event->accept();
}

void DrawingView::mousePressEvent(QMouseEvent* event)
{
    switch (event->button()) {
    case Qt::MiddleButton: m_panFrom = event->position(); break;
    case Qt::LeftButton: emit leftClicked(event->position()); break;
    case Qt::RightButton: emit rightClicked(); break;
    default: break;
    }
}

void DrawingView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_panFrom && (event->buttons() & Qt::MiddleButton)) {
        const QPointF from = *m_panFrom;
        m_panFrom = event->position();
        m_userMoved = true;
        moveTo(m_view.panned(event->position() - from));
    } else {
        m_panFrom.reset();
    }
    m_cursor = event->position();
    if (m_snapping)
        m_marker = snapAt(event->position());
    if (m_snapping || m_rubberBase)
        update();
    emit cursorMoved(event->position());
}

void DrawingView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton)
        zoomExtents();
    else
        mousePressEvent(event);
}

void DrawingView::leaveEvent(QEvent*)
{
    m_cursor.reset();
    m_marker.reset();
    update();
}

void DrawingView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Home)
        zoomExtents();
    else
        QWidget::keyPressEvent(event);
}
