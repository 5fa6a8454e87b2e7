// Entities as DXF: the common AcDbEntity part, then each kind's own subclass.

#include <algorithm>

#include "ZcDbArc.h"
#include "ZcDbAttribute.h"
#include "ZcDbAttributeDefinition.h"
#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbCircle.h"
#include "ZcDbEllipse.h"
#include "ZcDbHatch.h"
#include "ZcDbLeader.h"
#include "ZcDbLine.h"
#include "ZcDbMText.h"
#include "ZcDbPoint.h"
#include "ZcDbPolyline.h"
#include "ZcDbSpline.h"
#include "ZcDbSymbolTable.h"
#include "ZcDbText.h"
#include "platform/db/ZcDbRawObject.h"
#include "platform/dxf/DxfWriteContext.h"

namespace platform {

namespace {

// The name of a record, or the fallback when the record is missing or erased.
std::string recordName(ZcDbObjectId id, const char* fallback)
{
    const auto* record = ZcDbSymbolTableRecord::cast(liveObject(id));
    return record ? record->name() : std::string(fallback);
}

void writeColor(DxfStream& out, const ZcCmColor& color)
{
    switch (color.colorMethod()) {
    case ZcCmColor::kByBlock:
        out.integer(62, 0);
        break;
    case ZcCmColor::kByACI:
        out.integer(62, color.colorIndex());
        break;
    case ZcCmColor::kByColor:
        // Readers without true colours use the nearest palette entry.
        out.integer(62, color.colorIndex());
        out.integer(420, color.rgb());
        break;
    default:  // by layer, the default
        break;
    }
}

void writeEntityStart(DxfWriteContext& ctx, const char* kind, const ZcDbEntity* e)
{
    DxfStream& out = ctx.out;
    writeObjectStart(ctx, kind, e, handleOf(e->ownerId()));
    out.word(100, "AcDbEntity");
    if (e->ownerId() == ctx.impl.paperSpace)
        out.integer(67, 1);
    out.text(8, e->layer());
    const ZcDbObjectId linetype = e->linetypeId();
    if (!linetype.isNull() && linetype != ctx.impl.ltByLayer)
        out.text(6, recordName(linetype, "ByLayer"));
    writeColor(out, e->color());
    if (e->lineWeight() != ZcDb::kLnWtByLayer)
        out.integer(370, e->lineWeight());
    if (e->linetypeScale() != 1.0)
        out.real(48, e->linetypeScale());
    if (e->visibility() == ZcDb::kInvisible)
        out.integer(60, 1);
    writeKeptTags(ctx, e);
}

void writePoint(DxfStream& out, int code, const ZcGePoint3d& p) { out.point(code, p.x, p.y, p.z); }

void writeLine(DxfWriteContext& ctx, const ZcDbLine* e)
{
    writeEntityStart(ctx, "LINE", e);
    ctx.out.word(100, "AcDbLine");
    writePoint(ctx.out, 10, e->startPoint());
    writePoint(ctx.out, 11, e->endPoint());
}

void writeCircle(DxfWriteContext& ctx, const ZcDbCircle* e)
{
    writeEntityStart(ctx, "CIRCLE", e);
    ctx.out.word(100, "AcDbCircle");
    writePoint(ctx.out, 10, e->center());
    ctx.out.real(40, e->radius());
}

void writePointEntity(DxfWriteContext& ctx, const ZcDbPoint* e)
{
    writeEntityStart(ctx, "POINT", e);
    ctx.out.word(100, "AcDbPoint");
    writePoint(ctx.out, 10, e->position());
}

void writeEllipse(DxfWriteContext& ctx, const ZcDbEllipse* e)
{
    writeEntityStart(ctx, "ELLIPSE", e);
    DxfStream& out = ctx.out;
    out.word(100, "AcDbEllipse");
    writePoint(out, 10, e->center());
    const ZcGeVector3d major = e->majorAxis();
    out.point(11, major.x, major.y, major.z);
    out.point(210, 0.0, 0.0, 1.0);
    out.real(40, e->radiusRatio());
    out.real(41, e->startParam());
    out.real(42, e->endParam());
}

void writeSpline(DxfWriteContext& ctx, const ZcDbSpline* e)
{
    writeEntityStart(ctx, "SPLINE", e);
    DxfStream& out = ctx.out;
    int degree = 1;
    bool rational = false, closed = false, periodic = false;
    ZcGePoint3dArray controls, fits;
    ZcGeDoubleArray knots, weights;
    double controlTol = 0.0, knotTol = 0.0, fitTol = 0.0;
    bool tangents = false;
    ZcGeVector3d startTangent, endTangent;
    e->getNurbsData(degree, rational, closed, periodic, controls, knots, weights, controlTol, knotTol);
    e->getFitData(fits, fitTol, tangents, startTangent, endTangent);
    out.word(100, "AcDbSpline");
    if (e->isPlanar()) {
        const ZcGeVector3d n = e->normal();
        out.point(210, n.x, n.y, n.z);
    }
    // Linear (16) goes with planar, as other programs set it.
    out.integer(70, (closed ? 1 : 0) | (periodic ? 2 : 0) | (rational ? 4 : 0) | (e->isPlanar() ? 8 : 0) |
                        (e->isPlanar() && degree == 1 ? 16 : 0));
    out.integer(71, degree);
    out.integer(72, knots.length());
    out.integer(73, controls.length());
    out.integer(74, fits.length());
    out.real(42, knotTol);
    out.real(43, controlTol);
    if (!fits.isEmpty())
        out.real(44, fitTol);
    if (tangents && !startTangent.isZeroLength(0.0))
        out.point(12, startTangent.x, startTangent.y, startTangent.z);
    if (tangents && !endTangent.isZeroLength(0.0))
        out.point(13, endTangent.x, endTangent.y, endTangent.z);
    for (const double k : knots)
        out.real(40, k);
    for (const double w : weights)
        out.real(41, w);
    for (const ZcGePoint3d& p : controls)
        writePoint(out, 10, p);
    for (const ZcGePoint3d& p : fits)
        writePoint(out, 11, p);
}

void writeArc(DxfWriteContext& ctx, const ZcDbArc* e)
{
    writeEntityStart(ctx, "ARC", e);
    DxfStream& out = ctx.out;
    out.word(100, "AcDbCircle");
    writePoint(out, 10, e->center());
    out.real(40, e->radius());
    out.word(100, "AcDbArc");
    out.angle(50, e->startAngle());
    out.angle(51, e->endAngle());
}

void writePolyline(DxfWriteContext& ctx, const ZcDbPolyline* e)
{
    writeEntityStart(ctx, "LWPOLYLINE", e);
    DxfStream& out = ctx.out;
    const auto& vertices = e->vertices();
    out.word(100, "AcDbPolyline");
    out.integer(90, int64_t(vertices.size()));
    out.integer(70, (e->isClosed() ? 1 : 0) | (e->hasPlinegen() ? 128 : 0));
    const bool allDefault =
        !vertices.hasWidths() || std::all_of(vertices.begin(), vertices.end(), [](const ZcDbPolyline::Vertex& v) {
            return v.startWidth < 0.0 && v.endWidth < 0.0;
        });
    if (allDefault) {
        // Every vertex reports the constant width; without vertices, ask for it.
        double width = 0.0, end = 0.0;
        if (vertices.empty())
            e->getConstantWidth(width);
        else
            e->getWidthsAt(0, width, end);
        out.real(43, width);
    }
    if (e->elevation() != 0.0)
        out.real(38, e->elevation());
    for (unsigned int i = 0; i < vertices.size(); ++i) {
        const ZcGePoint2d& point = vertices.point(i);
        out.point(10, point.x, point.y);
        if (!allDefault) {
            double startWidth = 0.0, endWidth = 0.0;
            e->getWidthsAt(i, startWidth, endWidth);
            out.real(40, startWidth);
            out.real(41, endWidth);
        }
        if (const double bulge = vertices.bulge(i); bulge != 0.0)
            out.real(42, bulge);
    }
}

// The boundary objects a loop was made from, those still in the drawing.
void writeSources(DxfStream& out, const ZcDbHatch::Loop& loop)
{
    int64_t sources = 0;
    for (const ZcDbObjectId& id : loop.sourceIds)
        sources += isLive(id) ? 1 : 0;
    out.integer(97, sources);
    for (const ZcDbObjectId& id : loop.sourceIds)
        if (isLive(id))
            out.handle(330, handleOf(id));
}

void writeHatch(DxfWriteContext& ctx, const ZcDbHatch* e)
{
    writeEntityStart(ctx, "HATCH", e);
    DxfStream& out = ctx.out;
    out.word(100, "AcDbHatch");
    out.point(10, 0.0, 0.0, e->elevation());
    out.point(210, 0.0, 0.0, 1.0);
    out.text(2, e->patternName());
    out.integer(70, e->isSolidFill() ? 1 : 0);
    out.integer(71, e->associative() ? 1 : 0);
    out.integer(91, int64_t(e->loops().size()));
    for (const ZcDbHatch::Loop& loop : e->loops()) {
        if (!loop.edgesAsRead.empty()) {
            out.integer(92, loop.type & ~ZcDbHatch::kPolyline);
            for (const auto& [code, value] : loop.edgesAsRead)
                out.text(code, value);
            writeSources(out, loop);
            continue;
        }
        // Every other loop goes out in polyline form, whatever it was built from.
        out.integer(92, loop.type | ZcDbHatch::kPolyline);
        const bool hasBulge = std::any_of(loop.bulges.begin(), loop.bulges.end(), [](double b) { return b != 0.0; });
        out.integer(72, hasBulge ? 1 : 0);
        out.integer(73, 1);
        out.integer(93, int64_t(loop.vertices.size()));
        for (size_t i = 0; i < loop.vertices.size(); ++i) {
            out.point(10, loop.vertices[i].x, loop.vertices[i].y);
            if (hasBulge)
                out.real(42, i < loop.bulges.size() ? loop.bulges[i] : 0.0);
        }
        writeSources(out, loop);
    }
    out.integer(75, e->hatchStyle());
    out.integer(76, e->patternType());
    if (!e->isSolidFill()) {
        out.angle(52, e->patternAngle());
        out.real(41, e->patternScale());
        out.integer(77, e->patternDouble() ? 1 : 0);
        out.integer(78, e->numPatternDefinitions());
        for (const ZcDbHatch::PatternLine& line : e->patternLines()) {
            out.angle(53, line.angle);
            out.real(43, line.base.x);
            out.real(44, line.base.y);
            out.real(45, line.offset.x);
            out.real(46, line.offset.y);
            out.integer(79, int64_t(line.dashes.size()));
            for (double dash : line.dashes)
                out.real(49, dash);
        }
    }
    out.integer(98, e->numSeedPoints());
    for (int k = 0; k < e->numSeedPoints(); ++k) {
        ZcGePoint2d seed;
        e->getSeedPointAt(k, seed);
        out.point(10, seed.x, seed.y);
    }
}

void writeMText(DxfWriteContext& ctx, const ZcDbMText* e)
{
    writeEntityStart(ctx, "MTEXT", e);
    DxfStream& out = ctx.out;
    out.word(100, "AcDbMText");
    writePoint(out, 10, e->location());
    out.real(40, e->textHeight());
    out.real(41, e->width());
    out.integer(71, e->attachment());
    out.integer(72, 1);  // left to right
    out.mtextContents(e->contents());
    out.text(7, recordName(e->textStyle(), "Standard"));
    // In degrees, as CAD programs write and read it.
    out.angle(50, e->rotation());
    if (e->lineSpacingStyle() != ZcDb::kAtLeast) {
        out.integer(73, e->lineSpacingStyle());
        out.real(44, 1.0);
    }
}

// The AcDbText part of TEXT, ATTRIB and ATTDEF; TEXT alone adds the
// vertical mode in a second AcDbText part, the others in their own.
void writeTextBody(DxfWriteContext& ctx, const ZcDbText* e)
{
    DxfStream& out = ctx.out;
    out.word(100, "AcDbText");
    writePoint(out, 10, e->position());
    out.real(40, e->height());
    out.text(1, e->textString());
    if (e->rotation() != 0.0)
        out.angle(50, e->rotation());
    if (e->widthFactor() != 1.0)
        out.real(41, e->widthFactor());
    out.text(7, recordName(e->textStyle(), "Standard"));
    if (e->horizontalMode() != ZcDbText::kTextLeft)
        out.integer(72, e->horizontalMode());
    if (e->horizontalMode() != ZcDbText::kTextLeft || e->verticalMode() != ZcDbText::kTextBase)
        writePoint(out, 11, e->alignmentPoint());
}

void writeText(DxfWriteContext& ctx, const ZcDbText* e)
{
    writeEntityStart(ctx, "TEXT", e);
    writeTextBody(ctx, e);
    ctx.out.word(100, "AcDbText");
    if (e->verticalMode() != ZcDbText::kTextBase)
        ctx.out.integer(73, e->verticalMode());
}

void writeAttributeDefinition(DxfWriteContext& ctx, const ZcDbAttributeDefinition* e)
{
    writeEntityStart(ctx, "ATTDEF", e);
    writeTextBody(ctx, e);
    DxfStream& out = ctx.out;
    out.word(100, "AcDbAttributeDefinition");
    out.text(3, e->prompt());
    out.text(2, e->tag());
    out.integer(70, (e->isInvisible() ? 1 : 0) | (e->isConstant() ? 2 : 0) | (e->isVerifiable() ? 4 : 0) |
                        (e->isPreset() ? 8 : 0));
    out.integer(73, e->fieldLength());
    if (e->verticalMode() != ZcDbText::kTextBase)
        out.integer(74, e->verticalMode());
}

void writeAttribute(DxfWriteContext& ctx, const ZcDbAttribute* e)
{
    writeEntityStart(ctx, "ATTRIB", e);
    writeTextBody(ctx, e);
    DxfStream& out = ctx.out;
    out.word(100, "AcDbAttribute");
    out.text(2, e->tag());
    out.integer(70, (e->isInvisible() ? 1 : 0) | (e->isConstant() ? 2 : 0));
    out.integer(73, e->fieldLength());
    if (e->verticalMode() != ZcDbText::kTextBase)
        out.integer(74, e->verticalMode());
}

bool writeBlockReference(DxfWriteContext& ctx, const ZcDbBlockReference* e)
{
    std::vector<const ZcDbAttribute*> attributes;
    for (const ZcDbObjectId& id : e->attributeIds())
        if (const auto* attribute = ZcDbAttribute::cast(liveObject(id)))
            attributes.push_back(attribute);
    uint64_t seqend = 0;
    if (!attributes.empty()) {
        const auto found = ctx.impl.seqends.find(e->objectId().stub());
        if (found == ctx.impl.seqends.end() || found->second == 0) {
            ctx.fail(describe("INSERT", handleOf(e->objectId())) + " has attributes but no SEQEND handle");
            return false;
        }
        seqend = found->second;
    }

    writeEntityStart(ctx, "INSERT", e);
    DxfStream& out = ctx.out;
    out.word(100, "AcDbBlockReference");
    if (!attributes.empty())
        out.integer(66, 1);
    out.text(2, recordName(e->blockTableRecord(), ""));
    writePoint(out, 10, e->position());
    const ZcGeScale3d scale = e->scaleFactors();
    if (scale.sx != 1.0)
        out.real(41, scale.sx);
    if (scale.sy != 1.0)
        out.real(42, scale.sy);
    if (scale.sz != 1.0)
        out.real(43, scale.sz);
    if (e->rotation() != 0.0)
        out.angle(50, e->rotation());
    writeXData(ctx, e);

    if (attributes.empty())
        return true;
    for (const ZcDbAttribute* attribute : attributes) {
        writeAttribute(ctx, attribute);
        writeXData(ctx, attribute);
    }
    out.word(0, "SEQEND");
    out.handle(5, seqend);
    out.handle(330, handleOf(e->objectId()));
    out.word(100, "AcDbEntity");
    if (e->ownerId() == ctx.impl.paperSpace)
        out.integer(67, 1);
    out.text(8, e->layer());
    return true;
}

// An entity kept as a file gave it, with the entities that follow it
// (vertices, attributes, the end mark).
void writeRawEntity(DxfWriteContext& ctx, const ZcDbRawEntity* e)
{
    writeEntityStart(ctx, e->kind().c_str(), e);
    writeRawTags(ctx.out, e->tags());
    writeXData(ctx, e);
    for (const ZcDbObjectId& id : e->following())
        if (const auto* part = ZcDbRawEntity::cast(liveObject(id))) {
            writeEntityStart(ctx, part->kind().c_str(), part);
            writeRawTags(ctx.out, part->tags());
            writeXData(ctx, part);
        }
}

void writeLeader(DxfWriteContext& ctx, const ZcDbLeader* e)
{
    writeEntityStart(ctx, "LEADER", e);
    DxfStream& out = ctx.out;
    out.word(100, "AcDbLeader");
    out.word(3, "Standard");
    out.integer(71, e->hasArrowHead() ? 1 : 0);
    out.integer(72, 0);  // straight segments
    out.integer(73, 3);  // no annotation
    out.integer(74, 0);
    out.integer(75, 0);
    out.real(40, 0.0);
    out.real(41, 0.0);
    out.integer(76, e->numVertices());
    for (int i = 0; i < e->numVertices(); ++i)
        writePoint(out, 10, e->vertexAt(i));
    out.point(210, 0.0, 0.0, 1.0);
    out.point(211, 1.0, 0.0, 0.0);
    out.point(212, 0.0, 0.0, 0.0);
    out.point(213, 0.0, 0.0, 0.0);
}

}  // namespace

bool writeEntity(DxfWriteContext& ctx, const ZcDbEntity* entity)
{
    // Exact classes first: they are what drawings hold, and the test is cheap.
    const ZcRxClass* kind = entity->isA();
    if (kind == ZcDbPolyline::desc())
        writePolyline(ctx, static_cast<const ZcDbPolyline*>(entity));
    else if (kind == ZcDbLine::desc())
        writeLine(ctx, static_cast<const ZcDbLine*>(entity));
    else if (kind == ZcDbArc::desc())
        writeArc(ctx, static_cast<const ZcDbArc*>(entity));
    else if (kind == ZcDbCircle::desc())
        writeCircle(ctx, static_cast<const ZcDbCircle*>(entity));
    else if (kind == ZcDbPoint::desc())
        writePointEntity(ctx, static_cast<const ZcDbPoint*>(entity));
    else if (kind == ZcDbEllipse::desc())
        writeEllipse(ctx, static_cast<const ZcDbEllipse*>(entity));
    else if (kind == ZcDbSpline::desc())
        writeSpline(ctx, static_cast<const ZcDbSpline*>(entity));
    else if (kind == ZcDbHatch::desc())
        writeHatch(ctx, static_cast<const ZcDbHatch*>(entity));
    else if (kind == ZcDbMText::desc())
        writeMText(ctx, static_cast<const ZcDbMText*>(entity));
    else if (kind == ZcDbAttributeDefinition::desc())
        writeAttributeDefinition(ctx, static_cast<const ZcDbAttributeDefinition*>(entity));
    else if (kind == ZcDbText::desc())
        writeText(ctx, static_cast<const ZcDbText*>(entity));
    else if (kind == ZcDbLeader::desc())
        writeLeader(ctx, static_cast<const ZcDbLeader*>(entity));
    else if (kind == ZcDbBlockReference::desc())
        return writeBlockReference(ctx, static_cast<const ZcDbBlockReference*>(entity));
    else if (kind == ZcDbRawEntity::desc()) {
        writeRawEntity(ctx, static_cast<const ZcDbRawEntity*>(entity));
        return true;
    } else {
        // An attribute belongs to its reference and is written with it.
        ctx.fail(describe(kind->name(), handleOf(entity->objectId())) + " is of a kind DXF writing does not know");
        return false;
    }
    writeXData(ctx, entity);
    return true;
}

}  // namespace platform
