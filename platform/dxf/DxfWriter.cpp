#include "platform/dxf/DxfWriter.h"

#include <algorithm>
#include <cmath>

#include "ZcDbBlockTable.h"
#include "ZcDbDatabase.h"
#include "ZcDbEntity.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLinetypeTable.h"
#include "ZcDbPolyline.h"
#include "ZcDbRegAppTable.h"
#include "ZcDbTextStyleTable.h"
#include "platform/db/SymbolName.h"
#include "platform/db/ZcDbRawObject.h"
#include "platform/db/entities/Finite.h"
#include "platform/dxf/DxfGroupCodes.h"
#include "platform/dxf/DxfWriteContext.h"

namespace platform {

namespace {

std::string recordName(ZcDbObjectId id, const char* fallback)
{
    const auto* record = ZcDbSymbolTableRecord::cast(liveObject(id));
    return record ? record->name() : std::string(fallback);
}

// Adds the box of a polyline of straight, thin segments (the common case,
// and cheap); false for any other polyline.
bool addStraightPolyline(ZcDbExtents& extents, const ZcDbPolyline* p)
{
    const auto& vertices = p->vertices();
    if (vertices.hasBulges() || vertices.hasWidths()) {
        for (const ZcDbPolyline::Vertex& v : vertices)
            if (v.bulge != 0.0 || v.startWidth > 0.0 || v.endWidth > 0.0)
                return false;
    }
    // A default width is the polyline's constant width, which any vertex
    // using it reports.
    for (unsigned int i = 0; i < vertices.size(); ++i) {
        const ZcDbPolyline::Vertex v = vertices[i];
        if (v.startWidth < 0.0 || v.endWidth < 0.0) {
            double start = 0.0, end = 0.0;
            p->getWidthsAt(i, start, end);
            if (start != 0.0 || end != 0.0)
                return false;
            break;
        }
    }
    const double z = p->elevation();
    for (unsigned int i = 0; i < vertices.size(); ++i)
        extents.addPoint({vertices.point(i).x, vertices.point(i).y, z});
    return true;
}

// The extents of model space, for the header and the initial view; empty
// when nothing there has extents.
ZcDbExtents modelSpaceExtents(const DxfWriteContext& ctx)
{
    ZcDbExtents extents;
    const auto* space = ZcDbBlockTableRecord::cast(liveObject(ctx.impl.modelSpace));
    if (!space)
        return extents;
    for (const ZcDbObjectId& id : space->entityIds()) {
        const auto* entity = ZcDbEntity::cast(liveObject(id));
        if (!entity)
            continue;
        if (entity->isA() == ZcDbPolyline::desc() &&
            addStraightPolyline(extents, static_cast<const ZcDbPolyline*>(entity)))
            continue;
        ZcDbExtents e;
        if (entity->getGeomExtents(e) == Zcad::eOk)
            extents.addExt(e);
    }
    // Blocks scaled up at every level may reach beyond the numbers a file
    // carries: such extents are left out, as if nothing had any.
    if (!extents.isEmpty() && !(isFinite(extents.minPoint()) && isFinite(extents.maxPoint())))
        return {};
    return extents;
}

// A header variable a drawing read from a file keeps, or null.
const ZcDbRawTags* keptVariable(const DxfWriteContext& ctx, const char* name)
{
    for (const auto& [variable, tags] : ctx.impl.kept.headerVariables)
        if (variable == name)
            return &tags;
    return nullptr;
}

// A point a header variable kept (codes 10, 20, 30); false without one.
bool keptPoint(const DxfWriteContext& ctx, const char* name, ZcGePoint3d& p)
{
    const ZcDbRawTags* tags = keptVariable(ctx, name);
    if (!tags)
        return false;
    int found = 0;
    for (const ZcDbRawTag& t : *tags) {
        double* axis = t.code == 10 ? &p.x : t.code == 20 ? &p.y : t.code == 30 ? &p.z : nullptr;
        if (axis && parseDxfReal(t.value, *axis))
            ++found;
    }
    return found == 3;
}

// Extents worked out again from a drawing read from a file differ from
// those the file gives by rounding only, when nothing moved: angles travel
// in degrees, so arcs' ends and texts' corners come back a last digit off.
constexpr double kExtentsRoundingTol = 1e-9;

// The extents the file gives when they are the drawing's (within
// rounding), so that a drawing read and written again stays the same file;
// else the extents worked out.
ZcDbExtents headerExtents(const DxfWriteContext& ctx, const ZcDbExtents& computed)
{
    ZcGePoint3d lo, hi;
    if (computed.isEmpty() || !keptPoint(ctx, "$EXTMIN", lo) || !keptPoint(ctx, "$EXTMAX", hi))
        return computed;
    const ZcGePoint3d& a = computed.minPoint();
    const ZcGePoint3d& b = computed.maxPoint();
    double scale = 1.0;
    for (const double v : {a.x, a.y, a.z, b.x, b.y, b.z})
        scale = std::max(scale, std::fabs(v));
    const double tol = kExtentsRoundingTol * scale;
    const auto near = [&](const ZcGePoint3d& p, const ZcGePoint3d& q) {
        return std::fabs(p.x - q.x) <= tol && std::fabs(p.y - q.y) <= tol && std::fabs(p.z - q.z) <= tol;
    };
    if (!near(lo, a) || !near(hi, b))
        return computed;
    ZcDbExtents kept;
    kept.addPoint(lo);
    kept.addPoint(hi);
    return kept;
}

// Variables the writer writes itself, from the drawing or as kept.
bool isWrittenVariable(const std::string& name)
{
    static const char* const kNames[] = {"$INSBASE", "$MEASUREMENT", "$INSUNITS", "$EXTMIN", "$EXTMAX"};
    for (const char* n : kNames)
        if (name == n)
            return true;
    return false;
}

void writeHeader(DxfWriteContext& ctx, const ZcDbExtents& extents)
{
    DxfStream& out = ctx.out;
    out.word(0, "SECTION");
    out.word(2, "HEADER");
    out.word(9, "$ACADVER");
    out.word(1, "AC1015");
    out.word(9, "$DWGCODEPAGE");
    out.word(3, "ANSI_1250");
    out.word(9, "$INSBASE");
    if (const ZcDbRawTags* kept = keptVariable(ctx, "$INSBASE"))
        writeRawTags(out, *kept);
    else
        out.point(10, 0.0, 0.0, 0.0);
    if (!extents.isEmpty()) {
        const ZcGePoint3d& lo = extents.minPoint();
        const ZcGePoint3d& hi = extents.maxPoint();
        out.word(9, "$EXTMIN");
        out.point(10, lo.x, lo.y, lo.z);
        out.word(9, "$EXTMAX");
        out.point(10, hi.x, hi.y, hi.z);
    }
    out.word(9, "$LTSCALE");
    out.real(40, ctx.impl.ltscale);
    out.word(9, "$TEXTSTYLE");
    out.text(7, recordName(ctx.impl.textstyle, "Standard"));
    out.word(9, "$CLAYER");
    out.text(8, recordName(ctx.impl.clayer, "0"));
    out.word(9, "$CELTYPE");
    out.text(6, recordName(ctx.impl.celtype, "ByLayer"));
    out.word(9, "$MEASUREMENT");
    if (const ZcDbRawTags* kept = keptVariable(ctx, "$MEASUREMENT"))
        writeRawTags(out, *kept);
    else
        out.integer(70, 1);  // metric
    out.word(9, "$INSUNITS");
    if (const ZcDbRawTags* kept = keptVariable(ctx, "$INSUNITS"))
        writeRawTags(out, *kept);
    else
        out.integer(70, 6);  // metres
    // What a drawing read from a file keeps of its header, as it was.
    for (const auto& [variable, tags] : ctx.impl.kept.headerVariables) {
        if (isWrittenVariable(variable))
            continue;
        out.text(9, variable);
        writeRawTags(out, tags);
    }
    out.word(9, "$HANDSEED");
    out.handle(5, ctx.db.handseed().value());
    out.word(0, "ENDSEC");
}

void writeClass(DxfStream& out, const char* dxfName, const char* className)
{
    out.word(0, "CLASS");
    out.word(1, dxfName);
    out.word(2, className);
    out.word(3, "ObjectDBX Classes");
    out.integer(90, 0);
    out.integer(280, 0);
    out.integer(281, 0);
}

void writeClasses(const DxfWriteContext& ctx, DxfStream& out)
{
    out.word(0, "SECTION");
    out.word(2, "CLASSES");
    // The classes of a file read keep its order; the two the writer needs come after when missing.
    bool sortents = false, layout = false;
    for (const ZcDbRawTags& tags : ctx.impl.kept.classes) {
        out.word(0, "CLASS");
        writeRawTags(out, tags);
        for (const ZcDbRawTag& t : tags)
            if (t.code == 1) {
                sortents = sortents || t.value == "SORTENTSTABLE";
                layout = layout || t.value == "LAYOUT";
            }
    }
    if (!sortents)
        writeClass(out, "SORTENTSTABLE", "AcDbSortentsTable");
    if (!layout)
        writeClass(out, "LAYOUT", "AcDbLayout");
    out.word(0, "ENDSEC");
}

// A table's start. A table of the model writes its own links and kept
// codes; a table kept from a file writes what it kept.
void writeTableStart(DxfWriteContext& ctx, const std::string& name, uint64_t handle, int64_t count,
                     const ZcDbObject* table = nullptr, const ZcDbKeptTable* kept = nullptr)
{
    DxfStream& out = ctx.out;
    out.setCurrentObject("TABLE", handle);
    out.word(0, "TABLE");
    out.text(2, name);
    out.handle(5, handle);
    if (table)
        writeObjectLinks(ctx, table);
    if (kept)
        writeRawTags(out, kept->startTags);
    out.handle(330, 0);
    out.word(100, "AcDbSymbolTable");
    out.integer(70, count);
    if (table) {
        writeKeptTags(ctx, table);
        writeXData(ctx, table);
    }
    if (kept)
        writeRawTags(out, kept->bodyTags);
}

void writeModelTableStart(DxfWriteContext& ctx, const char* name, ZcDbObjectId tableId, int64_t count)
{
    writeTableStart(ctx, name, handleOf(tableId), count, liveObject(tableId));
}

template <class Record>
std::vector<const Record*> liveRecords(ZcDbObjectId tableId)
{
    std::vector<const Record*> records;
    if (const auto* table = ZcDbSymbolTable::cast(liveObject(tableId)))
        for (const ZcDbObjectId& id : table->recordIds())
            if (const auto* record = Record::cast(liveObject(id)))
                records.push_back(record);
    return records;
}

void writeRecordStart(DxfWriteContext& ctx, const char* kind, const char* subclass, const ZcDbSymbolTableRecord* r)
{
    writeObjectStart(ctx, kind, r, handleOf(r->ownerId()));
    ctx.out.word(100, "AcDbSymbolTableRecord");
    ctx.out.word(100, subclass);
    ctx.out.text(2, r->name());
    ctx.out.integer(70, keptFlags(ctx, r, 70));
}

// The end of a record: kept codes, then extended data.
void writeRecordEnd(DxfWriteContext& ctx, const ZcDbSymbolTableRecord* r, std::initializer_list<int> written = {70})
{
    writeKeptTags(ctx, r, written);
    writeXData(ctx, r);
}

void writeViewportTable(DxfWriteContext& ctx, const ZcDbExtents& extents)
{
    DxfStream& out = ctx.out;
    const ZcDbStructureHandles& s = ctx.impl.structure;
    writeTableStart(ctx, "VPORT", s.vportTable, 1);
    // The view shows model space's extents, with a margin, in a 4:3 window.
    constexpr double kAspect = 4.0 / 3.0;
    constexpr double kMargin = 1.05;
    double cx = 0.0, cy = 0.0, height = 10.0;
    if (!extents.isEmpty()) {
        const ZcGePoint3d& lo = extents.minPoint();
        const ZcGePoint3d& hi = extents.maxPoint();
        cx = (lo.x + hi.x) / 2.0;
        cy = (lo.y + hi.y) / 2.0;
        height = std::max(hi.y - lo.y, (hi.x - lo.x) / kAspect) * kMargin;
        if (!(height > 0.0))
            height = 10.0;
    }
    out.setCurrentObject("VPORT", s.vportActive);
    out.word(0, "VPORT");
    out.handle(5, s.vportActive);
    out.handle(330, s.vportTable);
    out.word(100, "AcDbSymbolTableRecord");
    out.word(100, "AcDbViewportTableRecord");
    out.word(2, "*Active");
    out.integer(70, 0);
    out.point(10, 0.0, 0.0);
    out.point(11, 1.0, 1.0);
    out.point(12, cx, cy);
    out.point(13, 0.0, 0.0);
    out.point(14, 1.0, 1.0);
    out.point(15, 1.0, 1.0);
    out.point(16, 0.0, 0.0, 1.0);
    out.point(17, 0.0, 0.0, 0.0);
    out.real(40, height);
    out.real(41, kAspect);
    out.real(42, 50.0);
    out.real(43, 0.0);
    out.real(44, 0.0);
    out.real(50, 0.0);
    out.real(51, 0.0);
    out.integer(71, 0);
    out.integer(72, 1000);
    out.integer(73, 1);
    out.integer(74, 3);
    out.integer(75, 0);
    out.integer(76, 0);
    out.integer(77, 0);
    out.integer(78, 0);
    out.integer(281, 0);
    out.integer(65, 1);
    out.point(110, 0.0, 0.0, 0.0);
    out.point(111, 1.0, 0.0, 0.0);
    out.point(112, 0.0, 1.0, 0.0);
    out.integer(79, 0);
    out.real(146, 0.0);
    out.word(0, "ENDTAB");
}

void writeLinetypeTable(DxfWriteContext& ctx)
{
    DxfStream& out = ctx.out;
    const auto records = liveRecords<ZcDbLinetypeTableRecord>(ctx.impl.linetypeTable);
    writeModelTableStart(ctx, "LTYPE", ctx.impl.linetypeTable, int64_t(records.size()));
    for (const ZcDbLinetypeTableRecord* r : records) {
        writeRecordStart(ctx, "LTYPE", "AcDbLinetypeTableRecord", r);
        out.text(3, r->comments());
        out.integer(72, 65);  // 'A': the only alignment there is
        out.integer(73, r->numDashes());
        out.real(40, r->patternLength());
        for (int i = 0; i < r->numDashes(); ++i) {
            out.real(49, r->dashLengthAt(i));
            const ZcDbLinetypeTableRecord::DashElement element = r->elementAt(i);
            const int absolute = element.absoluteRotation ? 1 : 0;
            if (element.isText || element.isShape) {
                out.integer(74, absolute | (element.isText ? 2 : 4));
                out.integer(75, element.isText ? 0 : element.shapeNumber);
                const ZcDbObjectId style = isLive(element.style) ? element.style : ctx.impl.styleStandard;
                out.handle(340, handleOf(style));
                out.real(46, element.scale);
                // In degrees: what CAD programs write here, whatever the
                // published reference says.
                out.angle(50, element.rotation);
                out.real(44, element.offsetX);
                out.real(45, element.offsetY);
                if (element.isText)
                    out.text(9, element.text);
            } else {
                out.integer(74, 0);
            }
        }
        writeRecordEnd(ctx, r);
    }
    out.word(0, "ENDTAB");
}

void writeLayerTable(DxfWriteContext& ctx)
{
    DxfStream& out = ctx.out;
    const auto records = liveRecords<ZcDbLayerTableRecord>(ctx.impl.layerTable);
    writeModelTableStart(ctx, "LAYER", ctx.impl.layerTable, int64_t(records.size()));
    for (const ZcDbLayerTableRecord* r : records) {
        writeObjectStart(ctx, "LAYER", r, handleOf(r->ownerId()));
        out.word(100, "AcDbSymbolTableRecord");
        out.word(100, "AcDbLayerTableRecord");
        out.text(2, r->name());
        out.integer(70, (r->isFrozen() ? 1 : 0) | (r->isLocked() ? 4 : 0) | keptFlags(ctx, r, 70));
        const ZcCmColor color = r->color();
        int index = color.colorIndex();
        if (index < 1 || index > 255)
            index = 7;  // a layer's colour is never by layer or by block
        out.integer(62, r->isOff() ? -index : index);
        if (color.isByColor())
            out.integer(420, color.rgb());
        out.text(6, recordName(r->linetypeObjectId(), "Continuous"));
        if (!r->isPlottable())
            out.integer(290, 0);
        out.integer(370, r->lineWeight());
        writeRecordEnd(ctx, r);
    }
    out.word(0, "ENDTAB");
}

void writeTextStyleTable(DxfWriteContext& ctx)
{
    DxfStream& out = ctx.out;
    const auto records = liveRecords<ZcDbTextStyleTableRecord>(ctx.impl.textStyleTable);
    writeModelTableStart(ctx, "STYLE", ctx.impl.textStyleTable, int64_t(records.size()));
    for (const ZcDbTextStyleTableRecord* r : records) {
        writeRecordStart(ctx, "STYLE", "AcDbTextStyleTableRecord", r);
        out.real(40, r->textSize());
        out.real(41, r->xScale());
        out.angle(50, r->obliquingAngle());
        out.integer(71, keptFlags(ctx, r, 71));
        out.real(42, r->priorSize());
        out.text(3, r->fileName());
        out.text(4, r->bigFontFileName());
        writeRecordEnd(ctx, r, {70, 71});
    }
    out.word(0, "ENDTAB");
}

// The dimension style leaders name, with no settings of its own.
void writeStandardDimStyle(DxfWriteContext& ctx, uint64_t handle, uint64_t table)
{
    DxfStream& out = ctx.out;
    out.setCurrentObject("DIMSTYLE", handle);
    out.word(0, "DIMSTYLE");
    out.handle(105, handle);
    out.handle(330, table);
    out.word(100, "AcDbSymbolTableRecord");
    out.word(100, "AcDbDimStyleTableRecord");
    out.word(2, "Standard");
    out.integer(70, 0);
}

void writeEmptyTable(DxfWriteContext& ctx, const char* name, uint64_t handle)
{
    writeTableStart(ctx, name, handle, 0);
    ctx.out.word(0, "ENDTAB");
}

// A table kept as a file gave it, its records in order; DIMSTYLE gets the
// Standard style leaders name when the file had none.
void writeKeptTable(DxfWriteContext& ctx, const ZcDbKeptTable& table)
{
    DxfStream& out = ctx.out;
    std::vector<const ZcDbRawRecord*> records;
    bool hasStandard = false;
    for (const ZcDbObjectId id : table.records)
        if (const auto* r = ZcDbRawRecord::cast(liveObject(id))) {
            records.push_back(r);
            hasStandard = hasStandard || sameSymbolName(r->name(), "Standard");
        }
    const bool dimstyle = table.name == "DIMSTYLE";
    const bool addStandard = dimstyle && !hasStandard;
    writeTableStart(ctx, table.name, table.handle, int64_t(records.size()) + (addStandard ? 1 : 0), nullptr, &table);
    for (const ZcDbRawRecord* r : records) {
        writeObjectStart(ctx, r->kind().c_str(), r, table.handle, r->handleCode());
        writeRawTags(out, r->tags());
        writeXData(ctx, r);
    }
    if (addStandard)
        writeStandardDimStyle(ctx, ctx.impl.structure.dimstyleStandard, table.handle);
    out.word(0, "ENDTAB");
}

const ZcDbKeptTable* keptTable(const DxfWriteContext& ctx, const char* name)
{
    for (const ZcDbKeptTable& t : ctx.impl.kept.tables)
        if (t.name == name)
            return &t;
    return nullptr;
}

void writeRegAppTable(DxfWriteContext& ctx)
{
    DxfStream& out = ctx.out;
    const auto records = liveRecords<ZcDbRegAppTableRecord>(ctx.impl.regAppTable);
    writeModelTableStart(ctx, "APPID", ctx.impl.regAppTable, int64_t(records.size()));
    for (const ZcDbRegAppTableRecord* r : records) {
        writeRecordStart(ctx, "APPID", "AcDbRegAppTableRecord", r);
        writeRecordEnd(ctx, r);
    }
    out.word(0, "ENDTAB");
}

void writeDimStyleTable(DxfWriteContext& ctx)
{
    DxfStream& out = ctx.out;
    const ZcDbStructureHandles& s = ctx.impl.structure;
    writeTableStart(ctx, "DIMSTYLE", s.dimstyleTable, 1);
    out.word(100, "AcDbDimStyleTable");
    writeStandardDimStyle(ctx, s.dimstyleStandard, s.dimstyleTable);
    out.word(0, "ENDTAB");
}

void writeBlockRecordTable(DxfWriteContext& ctx, const std::vector<const ZcDbBlockTableRecord*>& records)
{
    DxfStream& out = ctx.out;
    writeModelTableStart(ctx, "BLOCK_RECORD", ctx.impl.blockTable, int64_t(records.size()));
    for (const ZcDbBlockTableRecord* r : records) {
        writeObjectStart(ctx, "BLOCK_RECORD", r, handleOf(r->ownerId()));
        out.word(100, "AcDbSymbolTableRecord");
        out.word(100, "AcDbBlockTableRecord");
        out.text(2, r->name());
        if (r->objectId() == ctx.impl.modelSpace)
            out.handle(340, ctx.impl.structure.layoutModel);
        else if (r->objectId() == ctx.impl.paperSpace)
            out.handle(340, ctx.impl.structure.layoutPaper);
        writeRecordEnd(ctx, r, {});
    }
    out.word(0, "ENDTAB");
}

void writeTables(DxfWriteContext& ctx, const ZcDbExtents& extents,
                 const std::vector<const ZcDbBlockTableRecord*>& blocks)
{
    DxfStream& out = ctx.out;
    out.word(0, "SECTION");
    out.word(2, "TABLES");
    // Tables a drawing read from a file kept are written as they were.
    const ZcDbStructureHandles& s = ctx.impl.structure;
    if (const ZcDbKeptTable* kept = keptTable(ctx, "VPORT"))
        writeKeptTable(ctx, *kept);
    else
        writeViewportTable(ctx, extents);
    writeLinetypeTable(ctx);
    writeLayerTable(ctx);
    writeTextStyleTable(ctx);
    if (const ZcDbKeptTable* kept = keptTable(ctx, "VIEW"))
        writeKeptTable(ctx, *kept);
    else
        writeEmptyTable(ctx, "VIEW", s.viewTable);
    if (const ZcDbKeptTable* kept = keptTable(ctx, "UCS"))
        writeKeptTable(ctx, *kept);
    else
        writeEmptyTable(ctx, "UCS", s.ucsTable);
    writeRegAppTable(ctx);
    if (const ZcDbKeptTable* kept = keptTable(ctx, "DIMSTYLE"))
        writeKeptTable(ctx, *kept);
    else
        writeDimStyleTable(ctx);
    writeBlockRecordTable(ctx, blocks);
    for (const ZcDbKeptTable& kept : ctx.impl.kept.tables)
        if (kept.name != "VPORT" && kept.name != "VIEW" && kept.name != "UCS" && kept.name != "DIMSTYLE")
            writeKeptTable(ctx, kept);
    out.word(0, "ENDSEC");
}

bool isLayoutBlock(const DxfWriteContext& ctx, const ZcDbBlockTableRecord* r)
{
    return r->objectId() == ctx.impl.modelSpace || r->objectId() == ctx.impl.paperSpace;
}

void writeBlockEntities(DxfWriteContext& ctx, const ZcDbBlockTableRecord* r)
{
    for (const ZcDbObjectId& id : r->entityIds())
        if (const auto* entity = ZcDbEntity::cast(liveObject(id)))
            writeEntity(ctx, entity);
}

void writeBlocks(DxfWriteContext& ctx, const std::vector<const ZcDbBlockTableRecord*>& blocks)
{
    DxfStream& out = ctx.out;
    out.word(0, "SECTION");
    out.word(2, "BLOCKS");
    for (const ZcDbBlockTableRecord* r : blocks) {
        const auto found = ctx.impl.blockEnds.find(r->objectId().stub());
        if (found == ctx.impl.blockEnds.end() || found->second.first == 0 || found->second.second == 0) {
            ctx.fail(describe("BLOCK_RECORD", handleOf(r->objectId())) + " has no BLOCK and ENDBLK handles");
            return;
        }
        const auto [begin, end] = found->second;
        const bool paper = r->objectId() == ctx.impl.paperSpace;
        const bool layout = isLayoutBlock(ctx, r);
        const auto keptBegin = ctx.impl.kept.blockBegins.find(r->objectId().stub());
        const ZcDbBlockBegin* kept = keptBegin == ctx.impl.kept.blockBegins.end() ? nullptr : &keptBegin->second;
        int flags = 0;
        if (kept && kept->flags >= 0)
            flags = kept->flags & ~2;  // as the file gave them, but for what the block holds now
        else if (!layout && r->isAnonymous())
            flags |= 1;
        if (!layout && r->hasAttributeDefinitions())
            flags |= 2;

        out.setCurrentObject("BLOCK", begin);
        out.word(0, "BLOCK");
        out.handle(5, begin);
        out.handle(330, handleOf(r->objectId()));
        out.word(100, "AcDbEntity");
        if (paper)
            out.integer(67, 1);
        out.text(8, kept && !kept->layer.empty() ? kept->layer : std::string("0"));
        out.word(100, "AcDbBlockBegin");
        out.text(2, r->name());
        out.integer(70, flags);
        const ZcGePoint3d origin = r->origin();
        out.point(10, origin.x, origin.y, origin.z);
        out.text(3, r->name());
        out.text(1, kept ? kept->path : std::string());
        if (!r->comments().empty())
            out.text(4, r->comments());
        if (kept)
            writeRawTags(out, kept->tags);
        if (!layout)
            writeBlockEntities(ctx, r);
        out.setCurrentObject("ENDBLK", end);
        out.word(0, "ENDBLK");
        out.handle(5, end);
        out.handle(330, handleOf(r->objectId()));
        out.word(100, "AcDbEntity");
        if (paper)
            out.integer(67, 1);
        out.word(8, "0");
        out.word(100, "AcDbBlockEnd");
    }
    out.word(0, "ENDSEC");
}

void writeEntities(DxfWriteContext& ctx)
{
    DxfStream& out = ctx.out;
    out.word(0, "SECTION");
    out.word(2, "ENTITIES");
    for (const ZcDbObjectId space : {ctx.impl.modelSpace, ctx.impl.paperSpace})
        if (const auto* r = ZcDbBlockTableRecord::cast(liveObject(space)))
            writeBlockEntities(ctx, r);
    out.word(0, "ENDSEC");
}

// What the file needs from the drawing before anything is written.
std::string missingStructure(const ZcDbDatabaseImpl& impl)
{
    const ZcDbStructureHandles& s = impl.structure;
    if (!isLive(impl.blockTable) || !isLive(impl.layerTable) || !isLive(impl.linetypeTable) ||
        !isLive(impl.textStyleTable) || !isLive(impl.regAppTable))
        return "the drawing lacks one of its symbol tables";
    if (!isLive(impl.modelSpace) || !isLive(impl.paperSpace))
        return "the drawing lacks model space or paper space";
    if (!isLive(impl.namedObjects))
        return "the drawing has no named-object dictionary";
    // Tables and layouts a drawing read from a file kept need none.
    const auto kept = [&](const char* name) {
        for (const ZcDbKeptTable& t : impl.kept.tables)
            if (t.name == name)
                return t.handle != 0;
        return false;
    };
    const bool layouts = impl.kept.layoutsFromFile || (s.layoutDictionary && s.layoutModel && s.layoutPaper);
    if ((!kept("VPORT") && (s.vportTable == 0 || s.vportActive == 0)) || (!kept("VIEW") && s.viewTable == 0) ||
        (!kept("UCS") && s.ucsTable == 0) || (!kept("DIMSTYLE") && s.dimstyleTable == 0) ||
        s.dimstyleStandard == 0 || !layouts)
        return "the drawing has no handles for the file's fixed tables and layouts";
    return {};
}

}  // namespace

bool writeDxf(const ZcDbDatabase& db, const DxfStream::Sink& sink, std::string& error)
{
    error.clear();
    if (std::string missing = missingStructure(*db.impl()); !missing.empty()) {
        error = "cannot write DXF: " + missing;
        return false;
    }
    DxfStream out(sink);
    DxfWriteContext ctx{db, *db.impl(), out, {}, {}};
    const ZcDbExtents extents = headerExtents(ctx, modelSpaceExtents(ctx));
    const auto blocks = liveRecords<ZcDbBlockTableRecord>(ctx.impl.blockTable);

    writeHeader(ctx, extents);
    writeClasses(ctx, out);
    writeTables(ctx, extents, blocks);
    writeBlocks(ctx, blocks);
    writeEntities(ctx);
    writeObjectsSection(ctx);
    out.word(0, "EOF");

    const bool sent = out.finish();
    if (!ctx.error.empty()) {
        error = "cannot write DXF: " + ctx.error;
        return false;
    }
    if (!out.valueError().empty()) {
        error = "cannot write DXF: " + out.valueError();
        return false;
    }
    if (!sent) {
        error = "cannot write DXF: the output refused the data";
        return false;
    }
    return true;
}

std::string dxfToString(const ZcDbDatabase& db, std::string* error)
{
    std::string text;
    std::string problem;
    const DxfStream::Sink append = [&text](std::string_view chunk) {
        text.append(chunk);
        return true;
    };
    if (!writeDxf(db, append, problem)) {
        if (error)
            *error = problem;
        return {};
    }
    if (error)
        error->clear();
    return text;
}

}  // namespace platform
