#include "platform/render/Scene.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <unordered_map>

#include "ZcDbArc.h"
#include "ZcDbAttribute.h"
#include "ZcDbAttributeDefinition.h"
#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbCircle.h"
#include "ZcDbDatabase.h"
#include "ZcDbEllipse.h"
#include "ZcDbHatch.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLeader.h"
#include "ZcDbLine.h"
#include "ZcDbLinetypeTable.h"
#include "ZcDbMText.h"
#include "ZcDbPoint.h"
#include "ZcDbPolyline.h"
#include "ZcDbSpline.h"
#include "ZcDbText.h"
#include "platform/core/AciPalette.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/ZcDbRawObject.h"
#include "platform/db/entities/CurvePieces.h"
#include "platform/db/entities/SplineGeometry.h"
#include "platform/render/DashPattern.h"
#include "platform/render/DrawOrder.h"
#include "platform/render/HatchAreas.h"
#include "platform/render/HatchPattern.h"
#include "platform/render/ImageFrame.h"
#include "platform/render/TextShapes.h"
#include "platform/render/WideOutline.h"

namespace platform {

namespace {

// A dashed ellipse is laid along this many chords per turn: they stray from
// it by under a ten-thousandth of its major radius, which no picture shows.
// Undashed ellipses are drawn exactly.
constexpr int kEllipseChordsPerTurn = 256;
// An image's file name is written this fraction of the frame's height high,
// inside its lower edge.
constexpr double kImageNameHeight = 0.08;

// The work of drawing an entity, in vertices: at least one, so that
// entities without any still count.
long vertexWork(const ZcDbEntity& e)
{
    long n = 0;
    if (const auto* p = ZcDbPolyline::cast(&e))
        n = long(p->numVerts());
    else if (const auto* h = ZcDbHatch::cast(&e))
        for (const ZcDbHatch::Loop& loop : h->loops())
            n += long(loop.vertices.size());
    else if (const auto* l = ZcDbLeader::cast(&e))
        n = l->numVertices();
    else if (const auto* sp = ZcDbSpline::cast(&e))
        n = long(sp->numControlPoints()) * sp->degree();
    return std::max(n, 1L);
}

// What a block reference hands down to the entities of its block.
struct Frame {
    Affine2 map;                   // the block's plane to the world
    Rgb byBlockColour;             // the colour "by block" stands for
    ZcDbObjectId byBlockLinetype;  // the linetype "by block" stands for (null: continuous)
    ZcDbObjectId insertLayer;      // the layer that layer "0" stands for (null at the top)
    ZcDbObjectId topEntity;        // the model-space entity being drawn
    int depth = 0;
};

struct LayerLook {
    bool hidden = false;  // switched off or frozen
    bool frozen = false;
    bool isZero = false;  // layer "0", which blocks' entities take from their reference
    Rgb colour;
    ZcDbObjectId linetype;
};

class SceneBuilder {
public:
    SceneBuilder(const ZcDbDatabase& db, const SceneSettings& settings, ShapeSink& sink,
                 std::vector<std::string>& notices)
        : m_db(db), m_settings(settings), m_sink(sink), m_notices(notices)
    {
    }

    void build()
    {
        const auto* space = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(m_db.modelSpaceId());
        if (!space)
            return;
        Frame top;
        top.byBlockColour = m_settings.foreground;
        for (const ZcDbObjectId& id : drawOrder(*space)) {
            top.topEntity = id;
            drawEntity(ZcDbObjectAccess::peekAs<ZcDbEntity>(id), top);
        }
        // Each kind left out once, with how many entities of it.
        for (const auto& [kind, ids] : m_notDrawn)
            notice(std::to_string(ids.size()) + (ids.size() == 1 ? " entity" : " entities") + " of the kind " + kind +
                   " not drawn.");
    }

    bool complete() const { return m_drawn <= m_settings.maxVertices; }

private:
    void notice(const std::string& text)
    {
        if (std::find(m_notices.begin(), m_notices.end(), text) == m_notices.end())
            m_notices.push_back(text);
    }

    const LayerLook& layer(ZcDbObjectId id)
    {
        const auto found = m_layers.find(id);
        if (found != m_layers.end())
            return found->second;
        LayerLook look;
        look.colour = m_settings.foreground;
        if (const auto* rec = ZcDbObjectAccess::peekAs<ZcDbLayerTableRecord>(id)) {
            look.frozen = rec->isFrozen();
            look.hidden = rec->isOff() || rec->isFrozen();
            look.isZero = rec->name() == "0";
            look.colour = paletteOrTrue(rec->color(), m_settings.foreground);
            look.linetype = rec->linetypeObjectId();
        }
        return m_layers.emplace(id, look).first->second;
    }

    // A palette or true colour; anything else (a layer has no other) draws as index 7.
    Rgb paletteOrTrue(const ZcCmColor& c, Rgb fallback) const
    {
        if (c.isByColor())
            return Rgb::fromPacked(c.rgb());
        if (c.isByACI()) {
            const int index = c.colorIndex();
            if (index >= 1 && index <= 255 && index != 7)
                return Rgb::fromPacked(kAciPalette[size_t(index)]);
            return m_settings.foreground;
        }
        return fallback;
    }

    // The layer an entity is drawn on: in a block, layer "0" is the reference's.
    ZcDbObjectId effectiveLayer(const ZcDbEntity& e, const Frame& f)
    {
        const ZcDbObjectId own = e.layerId();
        if (!f.insertLayer.isNull() && (own.isNull() || layer(own).isZero))
            return f.insertLayer;
        return own;
    }

    Rgb colourOf(const ZcDbEntity& e, ZcDbObjectId layerId, const Frame& f)
    {
        const ZcCmColor c = e.color();
        if (c.isByLayer())
            return layer(layerId).colour;
        if (c.isByBlock())
            return f.byBlockColour;
        return paletteOrTrue(c, m_settings.foreground);
    }

    // The linetype record drawn (null: continuous).
    ZcDbObjectId linetypeOf(const ZcDbEntity& e, ZcDbObjectId layerId, const Frame& f)
    {
        ZcDbObjectId id = e.linetypeId();
        if (id.isNull() || id == m_db.byLayerLinetype())
            id = layer(layerId).linetype;
        else if (id == m_db.byBlockLinetype())
            id = f.byBlockLinetype;
        if (id == m_db.byLayerLinetype() || id == m_db.byBlockLinetype() || id == m_db.continuousLinetype())
            return ZcDbObjectId();
        return id;
    }

    DashPattern patternOf(const ZcDbEntity& e, ZcDbObjectId layerId, const Frame& f)
    {
        const auto* lt = ZcDbObjectAccess::peekAs<ZcDbLinetypeTableRecord>(linetypeOf(e, layerId, f));
        return dashPatternOf(lt, e.linetypeScale() * m_db.ltscale());
    }

    // The shortest pattern worth drawing, in the plane of the frame's block.
    double minPatternLength(const Frame& f) const
    {
        const double s = f.map.lengthScale();
        return s > 0.0 ? m_settings.minPatternLength / s : 0.0;
    }

    Shape shapeFor(Shape::Kind kind, Rgb colour, const Frame& f) const
    {
        Shape s;
        s.kind = kind;
        s.colour = colour;
        s.map = f.map;
        s.entity = f.topEntity;
        return s;
    }

    void drawEntity(const ZcDbEntity* e, const Frame& f)
    {
        if (!e || e->isErased() || e->visibility() == ZcDb::kInvisible)
            return;
        m_drawn += vertexWork(*e);
        if (m_drawn > m_settings.maxVertices) {
            notice("The drawing expands to more than " + std::to_string(m_settings.maxVertices) +
                   " vertices: the rest is not drawn.");
            return;
        }
        const ZcDbObjectId layerId = effectiveLayer(*e, f);
        const LayerLook& look = layer(layerId);
        if (const auto* ref = ZcDbBlockReference::cast(e)) {
            // A reference on a layer switched off still shows what its
            // block holds on other layers; frozen, it shows nothing.
            if (!look.frozen)
                drawReference(*ref, layerId, f);
            return;
        }
        if (look.hidden)
            return;
        const Rgb colour = colourOf(*e, layerId, f);
        const ZcRxClass* kind = e->isA();
        if (kind == ZcDbPolyline::desc())
            drawPolyline(*static_cast<const ZcDbPolyline*>(e), colour, patternOf(*e, layerId, f), f);
        else if (kind == ZcDbLine::desc() || kind == ZcDbArc::desc() || kind == ZcDbCircle::desc())
            drawCurve(piecesOf(e), kind == ZcDbCircle::desc(), colour, patternOf(*e, layerId, f), f);
        else if (kind == ZcDbHatch::desc())
            drawHatch(*static_cast<const ZcDbHatch*>(e), colour, f);
        else if (kind == ZcDbLeader::desc())
            drawLeader(*static_cast<const ZcDbLeader*>(e), colour, patternOf(*e, layerId, f), f);
        else if (kind == ZcDbMText::desc())
            emitText(mtextGlyphs(*static_cast<const ZcDbMText*>(e)), colour, f);
        else if (kind == ZcDbAttributeDefinition::desc())
            drawDefinition(*static_cast<const ZcDbAttributeDefinition*>(e), colour, f);
        else if (kind == ZcDbText::desc() || kind == ZcDbAttribute::desc())
            emitText(textGlyphs(*static_cast<const ZcDbText*>(e), static_cast<const ZcDbText*>(e)->textString()),
                     colour, f);
        else if (kind == ZcDbPoint::desc())
            drawPoint(*static_cast<const ZcDbPoint*>(e), colour, f);
        else if (kind == ZcDbEllipse::desc())
            drawEllipse(*static_cast<const ZcDbEllipse*>(e), colour, patternOf(*e, layerId, f), f);
        else if (kind == ZcDbSpline::desc())
            drawSpline(*static_cast<const ZcDbSpline*>(e), colour, patternOf(*e, layerId, f), f);
        else if (const auto* raw = ZcDbRawEntity::cast(e); raw && raw->kind() == "IMAGE" && drawImage(*raw, colour, f))
            notice("Images are drawn as their frames with their file names.");
        else if (raw)
            m_notDrawn[raw->kind() + " (kept as read from the file)"].insert(e->objectId());
        else
            m_notDrawn[kind->name()].insert(e->objectId());
    }

    // A point is a small mark of its own size, whatever the picture's scale.
    void drawPoint(const ZcDbPoint& p, Rgb colour, const Frame& f)
    {
        const ZcGePoint2d at = p.position().convert2d();
        Shape s = shapeFor(Shape::Kind::Mark, colour, f);
        s.contours.push_back({{curve::linePiece(at, at)}, false});
        m_sink.add(s);
    }

    // Undashed, the unit circle's arc in the plane that the ellipse's axes
    // span: exact at any size. Dashed, chords, so that dashes keep their length.
    void drawEllipse(const ZcDbEllipse& e, Rgb colour, const DashPattern& pattern, const Frame& f)
    {
        double start = 0.0, end = 0.0;
        e.getStartParam(start);
        e.getEndParam(end);
        const ZcGeVector3d major = e.majorAxis(), minor = e.minorAxis();
        const ZcGePoint3d c = e.center();
        const bool closed = e.isClosed();
        if (pattern.isContinuous()) {
            Shape s = shapeFor(Shape::Kind::Line, colour, f);
            s.map = f.map * Affine2{major.x, minor.x, c.x, major.y, minor.y, c.y};
            s.contours.push_back({{curve::arcPiece(ZcGePoint2d(0.0, 0.0), 1.0, start, end - start)}, closed});
            m_sink.add(s);
            return;
        }
        const int n = std::max(8, int(std::ceil(kEllipseChordsPerTurn * (end - start) / curve::kTwoPi)));
        const auto at = [&](int i) {
            const double t = start + (end - start) * i / n;
            return (c + major * std::cos(t) + minor * std::sin(t)).convert2d();
        };
        std::vector<curve::Piece> pieces;
        pieces.reserve(size_t(n));
        for (int i = 0; i < n; ++i)
            pieces.push_back(curve::linePiece(at(i), at(i + 1)));
        drawCurve(pieces, closed, colour, pattern, f);
    }

    void drawSpline(const ZcDbSpline& sp, Rgb colour, const DashPattern& pattern, const Frame& f)
    {
        const std::vector<nurbs::Sample> samples = splineSamples(splineData(sp));
        std::vector<curve::Piece> pieces;
        for (size_t i = 0; i + 1 < samples.size(); ++i)
            pieces.push_back(curve::linePiece(samples[i].point.convert2d(), samples[i + 1].point.convert2d()));
        drawCurve(pieces, false, colour, pattern, f);
    }

    // The frame of a raster image and its file name; false when it has no frame.
    bool drawImage(const ZcDbRawEntity& raw, Rgb colour, const Frame& f)
    {
        const std::optional<ImageFrame> frame = imageFrame(raw, m_db);
        if (!frame)
            return false;
        const ZcGePoint2d* c = frame->corners;
        Shape s = shapeFor(Shape::Kind::Line, colour, f);
        s.contours.push_back({{curve::linePiece(c[0], c[1]), curve::linePiece(c[1], c[2]), curve::linePiece(c[2], c[3]),
                               curve::linePiece(c[3], c[0])},
                              true});
        m_sink.add(s);
        if (frame->fileName.empty())
            return true;
        const ZcGeVector2d across = c[1] - c[0], up = c[3] - c[0];
        const double height = up.length() * kImageNameHeight;
        ZcDbText label;
        const ZcGeVector2d inset = up * (kImageNameHeight / 2.0) + across.normal() * height / 2.0;
        if (label.setPosition({c[0].x + inset.x, c[0].y + inset.y, 0.0}) == Zcad::eOk &&
            label.setHeight(height) == Zcad::eOk && label.setRotation(std::atan2(across.y, across.x)) == Zcad::eOk &&
            label.setTextString(frame->fileName.c_str()) == Zcad::eOk)
            emitText(textGlyphs(label, frame->fileName), colour, f);
        return true;
    }

    void emitText(std::optional<PlacedText> text, Rgb colour, const Frame& f)
    {
        if (!text || text->glyphs.glyphs.empty())
            return;
        Shape s = shapeFor(Shape::Kind::Text, colour, f);
        s.map = f.map * text->placement;
        s.glyphs = std::move(text->glyphs);
        m_sink.add(s);
    }

    // A definition shows its tag where it stands alone; in a block only a
    // constant one shows (its value: the references have no attribute for it).
    void drawDefinition(const ZcDbAttributeDefinition& d, Rgb colour, const Frame& f)
    {
        if (d.isInvisible())
            return;
        if (f.depth == 0)
            emitText(textGlyphs(d, d.tag()), colour, f);
        else if (d.isConstant())
            emitText(textGlyphs(d, d.textString()), colour, f);
    }

    // Thin lines along pieces with a pattern laid from the start of the
    // whole run (lines, arcs, circles, leaders).
    void drawCurve(const std::vector<curve::Piece>& pieces, bool closed, Rgb colour, const DashPattern& pattern,
                   const Frame& f)
    {
        if (pieces.empty())
            return;
        Shape s = shapeFor(Shape::Kind::Line, colour, f);
        const std::vector<double> at = cumulativeLengths(pieces);
        const std::vector<DashRun> runs = dashRuns(at.back(), pattern, minPatternLength(f));
        if (runs.size() == 1 && runs.front().from == 0.0 && runs.front().to == at.back()) {
            s.contours.push_back({pieces, closed});
        } else {
            for (const DashRun& r : runs)
                s.contours.push_back({piecesBetween(pieces, at, r.from, r.to), false});
        }
        m_sink.add(s);
    }

    void drawPolyline(const ZcDbPolyline& p, Rgb colour, const DashPattern& pattern, const Frame& f)
    {
        const auto& vertices = p.vertices();
        const size_t n = polylineSegmentCount(vertices, p.isClosed());
        if (n == 0) {
            // A polyline of one vertex is a point.
            if (vertices.size() == 1) {
                Shape s = shapeFor(Shape::Kind::Line, colour, f);
                s.contours.push_back({{curve::linePiece(vertices[0].point, vertices[0].point)}, false});
                m_sink.add(s);
            }
            return;
        }
        std::vector<WideSegment> segments(n);
        bool wide = false;
        for (size_t i = 0; i < n; ++i) {
            double sw = 0.0, ew = 0.0;
            p.getWidthsAt(unsigned(i), sw, ew);
            segments[i] = {polylineSegment(vertices, i), std::max(sw, 0.0), std::max(ew, 0.0)};
            wide = wide || sw > 0.0 || ew > 0.0;
        }
        if (!wide && pattern.isContinuous()) {
            Shape s = shapeFor(Shape::Kind::Line, colour, f);
            Contour c;
            c.closed = p.isClosed();
            c.pieces.reserve(n);
            for (const WideSegment& seg : segments)
                c.pieces.push_back(seg.centre);
            s.contours.push_back(std::move(c));
            m_sink.add(s);
            return;
        }
        const double minPattern = minPatternLength(f);
        // Chains of segments that get ink: the whole polyline, or its dashes.
        std::vector<std::pair<std::vector<WideSegment>, bool>> chains;
        auto addRuns = [&](const std::vector<WideSegment>& segs, bool closed) {
            std::vector<curve::Piece> pieces;
            for (const WideSegment& s : segs)
                pieces.push_back(s.centre);
            const std::vector<double> at = cumulativeLengths(pieces);
            const std::vector<DashRun> runs = dashRuns(at.back(), pattern, minPattern);
            if (runs.size() == 1 && runs.front().from == 0.0 && runs.front().to == at.back()) {
                chains.emplace_back(segs, closed);
                return;
            }
            for (const DashRun& r : runs) {
                std::vector<WideSegment> cut;
                for (const PieceSpan& span : spansBetween(at, r.from, r.to))
                    cut.push_back(subSegment(segs[span.index], span.t0, span.t1));
                chains.emplace_back(std::move(cut), false);
            }
        };
        if (pattern.isContinuous() || p.hasPlinegen()) {
            addRuns(segments, p.isClosed());
        } else {
            // Without linetype generation the pattern starts again at each vertex.
            for (const WideSegment& s : segments)
                addRuns({s}, false);
        }

        if (!wide) {
            Shape s = shapeFor(Shape::Kind::Line, colour, f);
            for (auto& [chain, closed] : chains) {
                Contour c;
                c.closed = closed;
                for (const WideSegment& seg : chain)
                    c.pieces.push_back(seg.centre);
                s.contours.push_back(std::move(c));
            }
            m_sink.add(s);
            return;
        }
        Shape thin = shapeFor(Shape::Kind::Line, colour, f);
        Shape area = shapeFor(Shape::Kind::Area, colour, f);
        for (auto& [chain, closed] : chains)
            splitByWidth(chain, closed, thin, area);
        if (!thin.contours.empty())
            m_sink.add(thin);
        if (!area.contours.empty())
            m_sink.add(area);
    }

    // Segments without width go to thin lines, runs of wide ones to areas.
    static void splitByWidth(const std::vector<WideSegment>& chain, bool closed, Shape& thin, Shape& area)
    {
        const auto isWide = [](const WideSegment& s) { return s.startWidth > 0.0 || s.endWidth > 0.0; };
        const bool allWide = std::all_of(chain.begin(), chain.end(), isWide);
        size_t i = 0;
        while (i < chain.size()) {
            const bool w = isWide(chain[i]);
            size_t j = i;
            std::vector<WideSegment> part;
            while (j < chain.size() && isWide(chain[j]) == w)
                part.push_back(chain[j++]);
            Contour centre;
            centre.closed = closed && (w ? allWide : std::none_of(chain.begin(), chain.end(), isWide));
            for (const WideSegment& s : part)
                centre.pieces.push_back(s.centre);
            if (w) {
                for (Contour& c : wideOutline(part, centre.closed))
                    area.contours.push_back(std::move(c));
                area.spine.push_back(std::move(centre));
            } else {
                thin.contours.push_back(std::move(centre));
            }
            i = j;
        }
    }

    void drawHatch(const ZcDbHatch& h, Rgb colour, const Frame& f)
    {
        HatchArea a = hatchArea(h);
        if (!h.isSolidFill()) {
            drawPattern(h, a, colour, f);
            return;
        }
        if (a.loops.empty())
            return;
        Shape s = shapeFor(Shape::Kind::Area, colour, f);
        s.contours = std::move(a.loops);
        s.evenOdd = a.evenOdd;
        m_sink.add(s);
    }

    // The pattern's lines inside the area; where they cannot be drawn, the
    // boundary shows where the hatch is.
    void drawPattern(const ZcDbHatch& h, const HatchArea& a, Rgb colour, const Frame& f)
    {
        PatternStrokes p = patternStrokes(h.patternLines(), a, minPatternLength(f));
        if (h.patternLines().empty())
            notice("Hatch patterns whose lines the drawing does not hold are drawn as their boundaries.");
        else if (p.outcome == PatternStrokes::Outcome::NoSpacing)
            notice("Hatch patterns whose lines have no spacing are drawn as their boundaries.");
        else if (p.outcome == PatternStrokes::Outcome::TooMany)
            notice("Hatch patterns too fine for their area are drawn as their boundaries.");
        Shape s = shapeFor(Shape::Kind::Line, colour, f);
        if (p.outcome == PatternStrokes::Outcome::Drawn && !h.patternLines().empty()) {
            m_drawn += long(p.strokes.size());
            s.contours = std::move(p.strokes);
        } else {
            for (const ZcDbHatch::Loop& loop : h.loops())
                s.contours.push_back(loopContour(loop.vertices, loop.bulges));
        }
        if (!s.contours.empty())
            m_sink.add(s);
    }

    void drawLeader(const ZcDbLeader& l, Rgb colour, const DashPattern& pattern, const Frame& f)
    {
        const std::vector<curve::Piece> pieces = piecesOf(&l);
        drawCurve(pieces, false, colour, pattern, f);
        if (!l.hasArrowHead())
            return;
        // The arrow points along the first segment of length, back to the first vertex.
        const ZcGePoint2d tip = l.firstVertex().convert2d();
        for (int i = 1; i < l.numVertices(); ++i) {
            const ZcGeVector2d along = l.vertexAt(i).convert2d() - tip;
            if (along.length() <= 0.0)
                continue;
            const ZcGeVector2d u = along.normal() * kLeaderArrowSize;
            const ZcGeVector2d side = u.perpVector() / 6.0;
            Contour c;
            c.closed = true;
            const ZcGePoint2d b1 = tip + u + side, b2 = tip + u - side;
            c.pieces = {curve::linePiece(tip, b1), curve::linePiece(b1, b2), curve::linePiece(b2, tip)};
            makeCounterClockwise(c);
            Shape s = shapeFor(Shape::Kind::Area, colour, f);
            s.contours.push_back(std::move(c));
            m_sink.add(s);
            return;
        }
    }

    void drawReference(const ZcDbBlockReference& r, ZcDbObjectId layerId, const Frame& f)
    {
        const auto* block = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(r.blockTableRecord());
        if (!block || block->isErased())
            return;
        if (f.depth >= kMaxBlockDepth) {
            notice("Block references nested deeper than " + std::to_string(kMaxBlockDepth) + " levels are not drawn.");
            return;
        }
        if (m_open.count(block)) {
            notice("The block \"" + block->name() + "\" holds a reference to itself; that reference is not drawn.");
            return;
        }
        const Affine2 own = Affine2::fromMatrix(r.blockTransform());
        if (!own.isFinite())
            return;
        Frame inner = f;
        inner.map = f.map * own;
        inner.byBlockColour = colourOf(r, layerId, f);
        inner.byBlockLinetype = linetypeOf(r, layerId, f);
        inner.insertLayer = layerId;
        inner.depth = f.depth + 1;
        m_open.insert(block);
        for (const ZcDbObjectId& id : drawOrder(*block))
            drawEntity(ZcDbObjectAccess::peekAs<ZcDbEntity>(id), inner);
        m_open.erase(block);

        // The attributes stand in the reference's own plane but take "by
        // block" and layer "0" from it, like the block's content.
        Frame attributes = inner;
        attributes.map = f.map;
        for (const ZcDbObjectId& id : r.attributeIds()) {
            const auto* a = ZcDbObjectAccess::peekAs<ZcDbAttribute>(id);
            if (a && !a->isInvisible())
                drawEntity(a, attributes);
        }
    }

    const ZcDbDatabase& m_db;
    const SceneSettings& m_settings;
    ShapeSink& m_sink;
    std::vector<std::string>& m_notices;
    std::unordered_map<ZcDbObjectId, LayerLook> m_layers;
    // Entities of kinds not drawn, by kind: each is counted once however
    // many references show it.
    std::map<std::string, std::set<ZcDbObjectId>> m_notDrawn;
    std::set<const ZcDbBlockTableRecord*> m_open;  // blocks being drawn, outermost first
    long m_drawn = 0;                              // vertices, as vertexWork counts them
};

}  // namespace

bool buildScene(const ZcDbDatabase& db, const SceneSettings& settings, ShapeSink& sink,
                std::vector<std::string>& notices)
{
    SceneBuilder builder(db, settings, sink, notices);
    builder.build();
    return builder.complete();
}

}  // namespace platform
