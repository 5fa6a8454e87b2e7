#include "console/window/DrawingView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>
#include <string>
#include <vector>

#include "platform/render/PictureSettings.h"

using platform::PictureSettings;

namespace {

// One notch of the wheel zooms by this factor.
constexpr double kWheelZoom = 1.25;
// A snap marker's half size, in pixels.
constexpr double kMarkerSize = 6.0;
const QColor kMarkerColour(0, 200, 255);

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
    m_view = ViewMapping::fitting(m_scene.extents(), width(), height());
    m_userMoved = false;
    update();
}

void DrawingView::setDark(bool dark)
{
    m_dark = dark;
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
    m_highlighted = std::move(entities);
    update();
}

void DrawingView::setMapping(const ViewMapping& view)
{
    m_view = view;
    m_view.width = std::max(width(), 1);
    m_view.height = std::max(height(), 1);
    m_userMoved = true;
    update();
}

std::optional<Snap> DrawingView::snapAt(const QPointF& pixel) const
{
    if (!m_snapping)
        return std::nullopt;
    return findSnap(m_scene, m_view.toWorld(pixel), kSnapAperturePixels / m_view.scale);
}

void DrawingView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), colourOf(platform::backgroundColour(backgroundOf(m_dark))));
    m_scene.paint(painter, m_view, m_highlighted);
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
    m_view.width = std::max(width(), 1);
    m_view.height = std::max(height(), 1);
    if (!m_userMoved)
        zoomExtents();
}

void DrawingView::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0.0) {
        m_view = m_view.zoomedAbout(event->position(), std::pow(kWheelZoom, notches));
        m_userMoved = true;
        update();
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
        m_view = m_view.panned(event->position() - *m_panFrom);
        m_panFrom = event->position();
        m_userMoved = true;
        update();
    } else {
        m_panFrom.reset();
    }
    if (m_snapping) {
        m_marker = snapAt(event->position());
        update();
    }
    emit cursorMoved(event->position());
}

void DrawingView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton)
        zoomExtents();
    else
        mousePressEvent(event);
}

void DrawingView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Home)
        zoomExtents();
    else
        QWidget::keyPressEvent(event);
}
