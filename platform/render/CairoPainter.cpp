#include "platform/render/CairoPainter.h"

#include <cairo-ft.h>

#include <cmath>
#include <vector>

#include "platform/render/FreetypeLibrary.h"

namespace platform {

namespace {

// Thin lines of one colour are stroked together up to about this many
// pieces: one path per line costs a call each, while one path for a whole
// large drawing makes cairo hold all of its outline at once.
constexpr size_t kBatchPieces = 4096;

// A vertex of straight pieces closer than this to the last one drawn (in
// picture units) is passed over: detail finer than a hairline cannot show,
// and a large polyline shrunk to a few pixels (blocks inserted many times)
// would otherwise cost cairo every one of its vertices on the same spot.
constexpr double kMinStep = 1.0;

// A point's mark: a dot this wide in picture units, three hairlines of a
// raster picture, so that a survey point stands out from the lines at it.
constexpr double kMarkRadius = 1.5;

const cairo_user_data_key_t kFaceKey{};

void releaseFace(void* face) { FT_Done_Face(static_cast<FT_Face>(face)); }

}  // namespace

CairoPainter::CairoPainter(cairo_t* cr, const Affine2& worldToPicture, double hairline)
    : m_cr(cr), m_toPicture(worldToPicture), m_hairline(hairline)
{
    cairo_set_line_cap(m_cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_ROUND);
    // Glyphs exactly where the layout puts them, at any turn.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(m_cr, options);
    cairo_font_options_destroy(options);
}

CairoPainter::~CairoPainter()
{
    flush();
    for (auto& [key, face] : m_faces)
        cairo_font_face_destroy(face);
}

void CairoPainter::flush() { strokeThin(); }

bool CairoPainter::enterPlane(const Affine2& map)
{
    const Affine2 m = m_toPicture * map;
    const double det = m.det();
    // Cairo refuses a map it cannot invert, or whose determinant overflows;
    // such a plane shows nothing anyway, or nothing a picture can frame.
    if (!m.isFinite() || !(std::fabs(det) > 1e-12) || !std::isfinite(det))
        return false;
    cairo_matrix_t cm;
    cairo_matrix_init(&cm, m.xx, m.yx, m.xy, m.yy, m.x0, m.y0);
    cairo_set_matrix(m_cr, &cm);
    m_plane = m;
    return true;
}

void CairoPainter::appendContours(const std::vector<Contour>& contours)
{
    for (const Contour& c : contours) {
        if (c.pieces.empty())
            continue;
        cairo_move_to(m_cr, c.pieces.front().start.x, c.pieces.front().start.y);
        ZcGePoint2d drawn = m_plane.apply(c.pieces.front().start);
        for (size_t i = 0; i < c.pieces.size(); ++i) {
            const curve::Piece& p = c.pieces[i];
            if (!p.arc) {
                const ZcGePoint2d at = m_plane.apply(p.end);
                if (i + 1 < c.pieces.size() && std::hypot(at.x - drawn.x, at.y - drawn.y) < kMinStep)
                    continue;
                cairo_line_to(m_cr, p.end.x, p.end.y);
                drawn = at;
                continue;
            }
            drawn = m_plane.apply(p.end);
            if (p.sweep >= 0.0)
                cairo_arc(m_cr, p.center.x, p.center.y, p.radius, p.startAngle, p.startAngle + p.sweep);
            else
                cairo_arc_negative(m_cr, p.center.x, p.center.y, p.radius, p.startAngle, p.startAngle + p.sweep);
        }
        if (c.closed)
            cairo_close_path(m_cr);
    }
}

void CairoPainter::setColour(Rgb colour)
{
    cairo_set_source_rgb(m_cr, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0);
}

void CairoPainter::strokeThin()
{
    if (!m_pendingLines)
        return;
    m_pendingLines = false;
    m_pendingPieces = 0;
    cairo_identity_matrix(m_cr);
    setColour(m_pendingColour);
    cairo_set_line_width(m_cr, m_hairline);
    cairo_stroke(m_cr);
}

void CairoPainter::add(const Shape& shape)
{
    switch (shape.kind) {
    case Shape::Kind::Line:
        if (m_pendingLines && (!(m_pendingColour == shape.colour) || m_pendingPieces >= kBatchPieces))
            strokeThin();
        if (!enterPlane(shape.map))
            return;
        appendContours(shape.contours);
        for (const Contour& c : shape.contours)
            m_pendingPieces += c.pieces.size();
        m_pendingLines = true;
        m_pendingColour = shape.colour;
        return;
    case Shape::Kind::Area:
        strokeThin();
        if (!enterPlane(shape.map))
            return;
        appendContours(shape.spine);
        cairo_identity_matrix(m_cr);
        setColour(shape.colour);
        cairo_set_line_width(m_cr, m_hairline);
        cairo_stroke(m_cr);
        enterPlane(shape.map);
        appendContours(shape.contours);
        cairo_identity_matrix(m_cr);
        cairo_set_fill_rule(m_cr, shape.evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
        cairo_fill(m_cr);
        return;
    case Shape::Kind::Text:
        strokeThin();
        drawText(shape);
        return;
    case Shape::Kind::Mark: {
        strokeThin();
        const Affine2 toPicture = m_toPicture * shape.map;
        cairo_identity_matrix(m_cr);
        for (const Contour& c : shape.contours) {
            if (c.pieces.empty())
                continue;
            const ZcGePoint2d at = toPicture.apply(c.pieces.front().start);
            if (!std::isfinite(at.x) || !std::isfinite(at.y))
                continue;
            cairo_new_sub_path(m_cr);
            cairo_arc(m_cr, at.x, at.y, kMarkRadius, 0.0, 2.0 * curve::kPi);
        }
        setColour(shape.colour);
        cairo_fill(m_cr);
        return;
    }
    }
}

cairo_font_face_t* CairoPainter::fontFace(const std::string& path, int faceIndex)
{
    const auto key = std::make_pair(path, faceIndex);
    const auto found = m_faces.find(key);
    if (found != m_faces.end())
        return found->second;
    cairo_font_face_t* face = nullptr;
    FT_Face ft = nullptr;
    if (processFreetype() && FT_New_Face(processFreetype(), path.c_str(), faceIndex, &ft) == 0) {
        face = cairo_ft_font_face_create_for_ft_face(ft, FT_LOAD_NO_HINTING);
        if (cairo_font_face_set_user_data(face, &kFaceKey, ft, releaseFace) != CAIRO_STATUS_SUCCESS) {
            cairo_font_face_destroy(face);
            FT_Done_Face(ft);
            face = nullptr;
        }
    }
    m_faces.emplace(key, face);
    return face;
}

void CairoPainter::drawText(const Shape& shape)
{
    const GlyphRun& run = shape.glyphs;
    if (run.glyphs.empty() || !(run.emSize > 0.0) || !std::isfinite(run.emSize))
        return;
    // Glyphs smaller than this many picture units show nothing, and an em
    // that small makes a font matrix cairo cannot invert.
    constexpr double kMinGlyphEm = 1e-3;
    const double pictureEm = run.emSize * std::sqrt(std::fabs((m_toPicture * shape.map).det()));
    if (!(pictureEm >= kMinGlyphEm) || !std::isfinite(pictureEm) || !std::isnormal(run.emSize * run.emSize))
        return;
    cairo_font_face_t* face = fontFace(run.fontPath, run.faceIndex);
    if (!face || !enterPlane(shape.map))
        return;
    cairo_set_font_face(m_cr, face);
    // Font space runs y down; the text's plane runs y up.
    cairo_matrix_t fm;
    cairo_matrix_init(&fm, run.emSize, 0.0, 0.0, -run.emSize, 0.0, 0.0);
    cairo_set_font_matrix(m_cr, &fm);
    std::vector<cairo_glyph_t> glyphs;
    glyphs.reserve(run.glyphs.size());
    for (const GlyphRun::Glyph& g : run.glyphs)
        glyphs.push_back({g.index, g.x, g.y});
    setColour(shape.colour);
    // Cairo keeps every glyph it shows as an image, for the font's life: a
    // glyph as tall as a large picture would cost megabytes each. Those are
    // filled as outlines instead, which keeps nothing.
    constexpr double kLargestImageGlyphEm = 256.0;
    if (pictureEm > kLargestImageGlyphEm) {
        cairo_glyph_path(m_cr, glyphs.data(), int(glyphs.size()));
        cairo_fill(m_cr);
    } else {
        cairo_show_glyphs(m_cr, glyphs.data(), int(glyphs.size()));
    }
    cairo_identity_matrix(m_cr);
}

}  // namespace platform
