#pragma once

#include <cairo.h>

#include <map>
#include <string>

#include "platform/render/Shape.h"

namespace platform {

// Paints shapes on a cairo context, world mapped onto the picture. Thin
// lines are drawn a fixed width of the picture whatever the scale, areas
// filled, texts drawn from their font files. Consecutive thin lines of one
// colour go out as one path.
class CairoPainter : public ShapeSink {
public:
    CairoPainter(cairo_t* cr, const Affine2& worldToPicture, double hairline);
    ~CairoPainter() override;
    CairoPainter(const CairoPainter&) = delete;
    CairoPainter& operator=(const CairoPainter&) = delete;

    void add(const Shape& shape) override;
    // Draws what is still gathered; call before finishing the surface.
    void flush();

private:
    // Sets the user space to the shape's plane; false when the map
    // flattens the plane (nothing of it can show).
    bool enterPlane(const Affine2& map);
    void appendContours(const std::vector<Contour>& contours);
    void setColour(Rgb colour);
    void strokeThin();
    void drawText(const Shape& shape);
    cairo_font_face_t* fontFace(const std::string& path, int faceIndex);

    cairo_t* m_cr;
    Affine2 m_toPicture;
    Affine2 m_plane;  // the map of the plane entered last, to the picture
    double m_hairline;
    bool m_pendingLines = false;
    size_t m_pendingPieces = 0;
    Rgb m_pendingColour;
    std::map<std::pair<std::string, int>, cairo_font_face_t*> m_faces;
};

}  // namespace platform
