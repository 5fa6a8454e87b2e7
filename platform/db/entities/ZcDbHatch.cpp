#include "ZcDbHatch.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "ZcDbCircle.h"
#include "ZcDbCurve.h"
#include "ZcDbPolyline.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/entities/CurveMath.h"
#include "platform/db/entities/CurvePieces.h"
#include "platform/db/entities/Finite.h"
#include "platform/db/entities/PlanarTransform.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbHatch, ZcDbEntity)

namespace {

// Ends of boundary curves this close are one corner of the outline: curves
// drawn to meet at computed points meet to within rounding, far below this.
constexpr double kBoundaryJoinTol = curve::kOnCurveTol;

struct Outline {
    std::vector<ZcGePoint2d> vertices;
    std::vector<double> bulges;
};

std::vector<curve::Piece> piecesOfLoop(const ZcDbHatch::Loop& loop)
{
    std::vector<curve::Piece> pieces;
    const size_t n = loop.vertices.size();
    for (size_t i = 0; i < n && n >= 2; ++i)
        pieces.push_back(curve::bulgePiece(loop.vertices[i], loop.vertices[(i + 1) % n], loop.bulges[i]));
    return pieces;
}

// An outline given as vertices: a last vertex repeating the first is the
// closing corner, not a segment of its own.
Outline closedOutline(std::vector<ZcGePoint2d> vertices, std::vector<double> bulges)
{
    if (vertices.size() > 2 && vertices.back().distanceTo(vertices.front()) <= kBoundaryJoinTol) {
        vertices.pop_back();
        bulges.pop_back();
    }
    return {std::move(vertices), std::move(bulges)};
}

// Joins the pieces of several boundary curves end to start (turning them
// round where needed) into one closed outline.
Zcad::ErrorStatus chainOutline(std::vector<std::vector<curve::Piece>> paths, Outline& outline)
{
    std::vector<curve::Piece> chain = std::move(paths.front());
    paths.erase(paths.begin());
    while (!paths.empty()) {
        const ZcGePoint2d end = chain.back().end;
        auto next = std::find_if(paths.begin(), paths.end(), [&](const std::vector<curve::Piece>& p) {
            return p.front().start.distanceTo(end) <= kBoundaryJoinTol ||
                   p.back().end.distanceTo(end) <= kBoundaryJoinTol;
        });
        if (next == paths.end())
            return Zcad::eInvalidInput;  // a gap: the curves do not close
        if (next->front().start.distanceTo(end) > kBoundaryJoinTol) {
            std::reverse(next->begin(), next->end());
            for (curve::Piece& piece : *next)
                piece = curve::reversed(piece);
        }
        chain.insert(chain.end(), next->begin(), next->end());
        paths.erase(next);
    }
    if (chain.back().end.distanceTo(chain.front().start) > kBoundaryJoinTol)
        return Zcad::eInvalidInput;
    outline = {};
    for (const curve::Piece& piece : chain) {
        outline.vertices.push_back(piece.start);
        outline.bulges.push_back(curve::bulgeOf(piece));
    }
    return Zcad::eOk;
}

// The outline of a loop built from curves of a drawing (db, when given, is
// the drawing they must belong to).
Zcad::ErrorStatus outlineFromCurves(const std::vector<ZcDbObjectId>& ids, ZcDbDatabase* db, Outline& outline)
{
    if (ids.empty())
        return Zcad::eInvalidInput;
    std::vector<const ZcDbCurve*> curves;
    for (const ZcDbObjectId& id : ids) {
        if (id.isNull())
            return Zcad::eNullObjectId;
        const ZcDbObject* obj = ZcDbObjectAccess::peek(id);
        if (!obj)
            return Zcad::eNullObjectPointer;
        if (obj->isErased())
            return Zcad::eWasErased;
        const ZcDbCurve* c = ZcDbCurve::cast(obj);
        if (!c)
            return Zcad::eNotThatKindOfClass;
        if (id.database() != (db ? db : ids.front().database()))
            return Zcad::eWrongDatabase;
        curves.push_back(c);
    }

    if (const ZcDbCircle* circle = ZcDbCircle::cast(curves.front()); circle && curves.size() == 1) {
        const ZcGePoint2d c = circle->center().convert2d();
        const double r = circle->radius();
        outline = {{{c.x + r, c.y}, {c.x - r, c.y}}, {1.0, 1.0}};
        return Zcad::eOk;
    }
    const ZcDbPolyline* pline = ZcDbPolyline::cast(curves.front());
    if (pline && pline->isClosed() && curves.size() == 1) {
        if (pline->numVerts() < 2)
            return Zcad::eInvalidInput;
        Outline o;
        for (const ZcDbPolyline::Vertex& v : pline->vertices()) {
            o.vertices.push_back(v.point);
            o.bulges.push_back(v.bulge);
        }
        outline = closedOutline(std::move(o.vertices), std::move(o.bulges));
        return Zcad::eOk;
    }

    std::vector<std::vector<curve::Piece>> paths;
    for (const ZcDbCurve* c : curves) {
        if (c->isClosed())
            return Zcad::eInvalidInput;  // a closed curve is a loop by itself
        std::vector<curve::Piece> pieces = piecesOf(c);
        if (pieces.empty())
            return Zcad::eInvalidInput;
        paths.push_back(std::move(pieces));
    }
    return chainOutline(std::move(paths), outline);
}

double loopArea(const std::vector<curve::Piece>& pieces)
{
    if (pieces.empty())
        return 0.0;
    double area = 0.0;
    for (const curve::Piece& piece : pieces)
        area += curve::areaTerm(piece, pieces.front().start);
    return area;
}

// A user-defined pattern: continuous lines at the angle, spacing apart,
// and with the double flag a second family at right angles.
std::vector<ZcDbHatch::PatternLine> userDefinedLines(double angle, double spacing, bool isDouble)
{
    std::vector<ZcDbHatch::PatternLine> lines;
    for (int k = 0; k < (isDouble ? 2 : 1); ++k) {
        ZcDbHatch::PatternLine line;
        line.angle = angle + k * curve::kPi / 2.0;
        line.offset = ZcGeVector2d(-std::sin(line.angle), std::cos(line.angle)) * spacing;
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

Zcad::ErrorStatus ZcDbHatch::setPattern(HatchPatternType type, const char* name)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (type < kUserDefined || type > kCustomDefined || !name || !*name)
        return Zcad::eInvalidInput;
    // Pattern names are case-insensitive; they are kept in capitals.
    std::string upper(name);
    for (char& ch : upper)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (type != m_patternType || upper != m_patternName)
        m_patternLines.clear();
    m_patternType = type;
    m_patternName = upper;
    if (type == kUserDefined && upper != "SOLID")
        m_patternLines = userDefinedLines(m_patternAngle, m_patternScale, m_patternDouble);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::setPatternAngle(double angle)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(angle))
        return Zcad::eInvalidInput;
    const double turn = angle - m_patternAngle;
    const double c = std::cos(turn), s = std::sin(turn);
    for (PatternLine& line : m_patternLines) {
        line.angle += turn;
        line.base = {line.base.x * c - line.base.y * s, line.base.x * s + line.base.y * c};
        line.offset.rotateBy(turn);
    }
    m_patternAngle = angle;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::setPatternScale(double scale)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(scale) || !(scale > 0.0))
        return Zcad::eInvalidInput;
    // The old scale may be anything a file held; lines are scaled from it only when it is usable.
    const double factor = m_patternScale > 0.0 ? scale / m_patternScale : 1.0;
    std::vector<PatternLine> lines = m_patternLines;
    for (PatternLine& line : lines) {
        line.base = {line.base.x * factor, line.base.y * factor};
        line.offset = line.offset * factor;
        for (double& d : line.dashes)
            if (!isFinite(d *= factor))
                return Zcad::eInvalidInput;
        if (!isFinite(line.base) || !isFinite(line.offset.x) || !isFinite(line.offset.y))
            return Zcad::eInvalidInput;
    }
    m_patternLines = std::move(lines);
    m_patternScale = scale;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::setPatternDouble(bool isDouble)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    m_patternDouble = isDouble;
    if (m_patternType == kUserDefined && !isSolidFill())
        m_patternLines = userDefinedLines(m_patternAngle, m_patternScale, m_patternDouble);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::getPatternDefinitionAt(int index, double& angle, double& baseX, double& baseY,
                                                    double& offsetX, double& offsetY, ZcGeDoubleArray& dashes) const
{
    if (index < 0 || index >= numPatternDefinitions())
        return Zcad::eInvalidIndex;
    const PatternLine& line = m_patternLines[size_t(index)];
    angle = line.angle;
    baseX = line.base.x;
    baseY = line.base.y;
    offsetX = line.offset.x;
    offsetY = line.offset.y;
    dashes.removeAll();
    for (double d : line.dashes)
        dashes.append(d);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::getSeedPointAt(int index, ZcGePoint2d& point) const
{
    if (index < 0 || index >= numSeedPoints())
        return Zcad::eInvalidIndex;
    point = m_seedPoints[size_t(index)];
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::appendSeedPoint(const ZcGePoint2d& point)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(point))
        return Zcad::eInvalidInput;
    m_seedPoints.push_back(point);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::setHatchStyle(HatchStyle style)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (style < kNormal || style > kIgnore)
        return Zcad::eInvalidInput;
    m_style = style;
    return Zcad::eOk;
}

void ZcDbHatch::addedToDatabase()
{
    if (!m_associative)
        return;
    for (const Loop& loop : m_loops)
        for (const ZcDbObjectId& src : loop.sourceIds)
            if (ZcDbObject* obj = ZcDbObjectAccess::peek(src); obj && src.database() == database())
                obj->addPersistentReactor(objectId());
}

Zcad::ErrorStatus ZcDbHatch::setAssociative(bool on)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (on == m_associative)
        return Zcad::eOk;
    m_associative = on;
    if (objectId().isNull())
        return Zcad::eOk;
    if (on) {
        addedToDatabase();
    } else {
        for (const Loop& loop : m_loops)
            for (const ZcDbObjectId& src : loop.sourceIds)
                if (ZcDbObject* obj = ZcDbObjectAccess::peek(src))
                    obj->removePersistentReactor(objectId());
    }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::setElevation(double z)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(z))
        return Zcad::eInvalidInput;
    m_elevation = z;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::appendLoop(int loopType, const ZcDbObjectIdArray& dbObjIds)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (loopType < 0)
        return Zcad::eInvalidInput;
    const std::vector<ZcDbObjectId> ids(dbObjIds.begin(), dbObjIds.end());
    Outline outline;
    if (Zcad::ErrorStatus es = outlineFromCurves(ids, database(), outline); es != Zcad::eOk)
        return es;
    m_loops.push_back({loopType, std::move(outline.vertices), std::move(outline.bulges), ids, {}});
    if (m_associative && !objectId().isNull())
        for (const ZcDbObjectId& src : ids)
            ZcDbObjectAccess::peek(src)->addPersistentReactor(objectId());
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::appendLoop(int loopType, const ZcGePoint2dArray& vertices, const ZcGeDoubleArray& bulges)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (loopType < 0 || vertices.length() < 2 || (!bulges.isEmpty() && bulges.length() != vertices.length()))
        return Zcad::eInvalidInput;
    std::vector<ZcGePoint2d> points(vertices.begin(), vertices.end());
    std::vector<double> arcs = bulges.isEmpty() ? std::vector<double>(points.size(), 0.0)
                                                : std::vector<double>(bulges.begin(), bulges.end());
    for (size_t i = 0; i < points.size(); ++i)
        if (!isFinite(points[i]) || !isFinite(arcs[i]))
            return Zcad::eInvalidInput;
    Outline outline = closedOutline(std::move(points), std::move(arcs));
    m_loops.push_back({loopType, std::move(outline.vertices), std::move(outline.bulges), {}, {}});
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::removeLoopAt(int index)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (index < 0 || index >= numLoops())
        return Zcad::eInvalidIndex;
    const std::vector<ZcDbObjectId> sources = m_loops[size_t(index)].sourceIds;
    m_loops.erase(m_loops.begin() + index);
    if (!m_associative || objectId().isNull())
        return Zcad::eOk;
    // A curve stays linked while another loop still uses it.
    for (const ZcDbObjectId& src : sources) {
        const bool stillUsed = std::any_of(m_loops.begin(), m_loops.end(), [&](const Loop& l) {
            return std::find(l.sourceIds.begin(), l.sourceIds.end(), src) != l.sourceIds.end();
        });
        if (ZcDbObject* obj = ZcDbObjectAccess::peek(src); obj && !stillUsed)
            obj->removePersistentReactor(objectId());
    }
    return Zcad::eOk;
}

int ZcDbHatch::loopTypeAt(int index) const
{
    return index >= 0 && index < numLoops() ? m_loops[size_t(index)].type : kDefault;
}

Zcad::ErrorStatus ZcDbHatch::getLoopAt(int index, int& loopType, ZcGePoint2dArray& vertices,
                                       ZcGeDoubleArray& bulges) const
{
    if (index < 0 || index >= numLoops())
        return Zcad::eInvalidIndex;
    const Loop& loop = m_loops[size_t(index)];
    loopType = loop.type;
    vertices.removeAll();
    bulges.removeAll();
    for (const ZcGePoint2d& p : loop.vertices)
        vertices.append(p);
    for (double b : loop.bulges)
        bulges.append(b);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::getAssocObjIdsAt(int index, ZcDbObjectIdArray& dbObjIds) const
{
    if (index < 0 || index >= numLoops())
        return Zcad::eInvalidIndex;
    dbObjIds.removeAll();
    for (const ZcDbObjectId& id : m_loops[size_t(index)].sourceIds)
        dbObjIds.append(id);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::evaluateHatch(bool)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    // All outlines are rebuilt before any is replaced, so a failure changes nothing.
    std::vector<Loop> loops = m_loops;
    for (Loop& loop : loops) {
        if (loop.sourceIds.empty())
            continue;
        Outline outline;
        if (Zcad::ErrorStatus es = outlineFromCurves(loop.sourceIds, database(), outline); es != Zcad::eOk)
            return es;
        loop.vertices = std::move(outline.vertices);
        loop.bulges = std::move(outline.bulges);
        loop.edgesAsRead.clear();
    }
    m_loops = std::move(loops);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::getArea(double& area) const
{
    // A loop's depth is the number of loops around it. The normal style
    // fills alternately (even depths filled, odd ones holes), the outer
    // style fills only between the outermost loops and the next ones in,
    // the ignore style fills the outermost loops whole.
    std::vector<std::vector<curve::Piece>> outlines;
    for (const Loop& loop : m_loops)
        outlines.push_back(piecesOfLoop(loop));
    double total = 0.0;
    for (size_t i = 0; i < outlines.size(); ++i) {
        if (outlines[i].empty())
            continue;
        const ZcGePoint2d probe = curve::pointAt(outlines[i].front(), 0.5);
        int depth = 0;
        for (size_t j = 0; j < outlines.size(); ++j)
            if (j != i && !outlines[j].empty() && curve::isInside(outlines[j], probe))
                ++depth;
        const double a = std::fabs(loopArea(outlines[i]));
        if (m_style == kNormal)
            total += depth % 2 == 0 ? a : -a;
        else if (m_style == kOuter && depth <= 1)
            total += depth == 0 ? a : -a;
        else if (m_style == kIgnore && depth == 0)
            total += a;
    }
    area = total;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::getGeomExtents(ZcDbExtents& extents) const
{
    extents = ZcDbExtents();
    for (const Loop& loop : m_loops)
        for (const curve::Piece& piece : piecesOfLoop(loop))
            curve::addToExtents(extents, piece, m_elevation);
    return extents.isEmpty() ? Zcad::eInvalidExtents : Zcad::eOk;
}

// The outlines move; the links to the boundary curves stay.
Zcad::ErrorStatus ZcDbHatch::transformBy(const ZcGeMatrix3d& xform)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(xform))
        return Zcad::eInvalidInput;
    const PlanarTransform t = analysePlanar(xform);
    if (!t.keepsPlane || !t.conformal)
        return Zcad::eNotApplicable;
    std::vector<Loop> loops = m_loops;
    for (Loop& loop : loops) {
        for (ZcGePoint2d& p : loop.vertices) {
            p = (xform * ZcGePoint3d(p.x, p.y, m_elevation)).convert2d();
            if (!isFinite(p))
                return Zcad::eInvalidInput;
        }
        if (t.mirrored)
            for (double& b : loop.bulges)
                b = -b;
        loop.edgesAsRead.clear();  // the outline now speaks for the loop
    }
    const double elevation = (xform * ZcGePoint3d(0.0, 0.0, m_elevation)).z;
    if (!isFinite(elevation))
        return Zcad::eInvalidInput;
    // The pattern goes with the area: its lines move, turn and scale.
    std::vector<PatternLine> lines = m_patternLines;
    for (PatternLine& line : lines) {
        const ZcGeVector3d along = xform * ZcGeVector3d(std::cos(line.angle), std::sin(line.angle), 0.0);
        const ZcGeVector3d offset = xform * ZcGeVector3d(line.offset.x, line.offset.y, 0.0);
        line.base = (xform * ZcGePoint3d(line.base.x, line.base.y, m_elevation)).convert2d();
        line.angle = std::atan2(along.y, along.x);
        line.offset = {offset.x, offset.y};
        for (double& d : line.dashes)
            d *= t.scale;
        if (!isFinite(line.base) || !isFinite(offset))
            return Zcad::eInvalidInput;
    }
    m_patternLines = std::move(lines);
    m_patternAngle = m_patternAngle + t.rotation;
    if (m_patternScale > 0.0)
        m_patternScale *= t.scale;
    for (ZcGePoint2d& p : m_seedPoints)
        p = (xform * ZcGePoint3d(p.x, p.y, m_elevation)).convert2d();
    m_loops = std::move(loops);
    m_elevation = elevation;
    return Zcad::eOk;
}

ZcDbObject* ZcDbHatch::clone() const
{
    auto* copy = new ZcDbHatch;
    copy->m_loops = m_loops;
    copy->m_patternName = m_patternName;
    copy->m_patternType = m_patternType;
    copy->m_patternAngle = m_patternAngle;
    copy->m_patternScale = m_patternScale;
    copy->m_patternDouble = m_patternDouble;
    copy->m_patternLines = m_patternLines;
    copy->m_seedPoints = m_seedPoints;
    copy->m_style = m_style;
    copy->m_elevation = m_elevation;
    copy->m_associative = m_associative;
    copyEntityDataTo(copy);
    return copy;
}
