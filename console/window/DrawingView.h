#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>

#include <optional>
#include <set>

#include "ZcDbObjectId.h"
#include "console/window/ObjectSnap.h"
#include "console/window/SceneCache.h"
#include "console/window/ViewMapping.h"

class ZcDbDatabase;

// Near the cursor, in pixels, a snap point is taken and an entity picked.
inline constexpr double kSnapAperturePixels = 10.0;
inline constexpr double kPickBoxPixels = 5.0;

// The drawing's model space on screen: zoomed with the wheel about the
// cursor, panned with the middle button, zoomed to the extents with Home or
// a double middle click. Left and right clicks are handed on.
class DrawingView : public QWidget {
    Q_OBJECT
public:
    explicit DrawingView(QWidget* parent = nullptr);

    // Builds the picture of the drawing again (after it changed).
    void showDrawing(const ZcDbDatabase& db);
    void zoomExtents();
    void setDark(bool dark);
    bool dark() const { return m_dark; }
    void setSnapping(bool on);
    bool snapping() const { return m_snapping; }
    void setHighlighted(std::set<ZcDbObjectId> entities);
    // A rubber band from a world point to the cursor (a point prompt's
    // base point); nothing: none.
    void setRubberBand(std::optional<ZcGePoint2d> base);

    const ViewMapping& mapping() const { return m_view; }
    void setMapping(const ViewMapping& view);
    const SceneCache& scene() const { return m_scene; }
    // The world point a click at the pixel gives: the snap point when
    // snapping finds one, else the point under the cursor. The first after
    // the drawing changed gathers the lines to snap to.
    std::optional<Snap> snapAt(const QPointF& pixel);

signals:
    // The mapping changed: zoomed, panned, fitted or resized.
    void mappingChanged();
    void leftClicked(const QPointF& pixel);
    void rightClicked();
    void cursorMoved(const QPointF& pixel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // Whether the drawing's extents are all in the view.
    bool showsAll() const;
    void moveTo(const ViewMapping& view);
    // Brings the picture of the scene to the current mapping: a pan shifts
    // it and draws only what came into view.
    void updatePicture();
    void paintOverlays(QPainter& painter) const;

    SceneCache m_scene;
    const ZcDbDatabase* m_drawing = nullptr;  // whose scene is shown
    SnapPieces m_snapPieces;
    bool m_snapPiecesStale = true;
    ViewMapping m_view;
    // The scene drawn at a mapping, a margin wider than the view on every
    // side; stale when the scene, colours or highlights changed since.
    QImage m_picture;
    QImage m_spare;  // the picture before a pan is shifted into this
    ViewMapping m_pictured;
    bool m_pictureStale = true;
    bool m_userMoved = false;  // zoomed or panned since the view was last fitted
    bool m_dark = true;
    bool m_snapping = false;
    std::optional<QPointF> m_panFrom;
    std::optional<Snap> m_marker;
    std::optional<ZcGePoint2d> m_rubberBase;
    std::optional<QPointF> m_cursor;  // over the view
    std::set<ZcDbObjectId> m_highlighted;
};
