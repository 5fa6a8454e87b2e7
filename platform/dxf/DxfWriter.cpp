#include "platform/dxf/DxfWriter.h"

#include <algorithm>

#include "ZcDbBlockTable.h"
#include "ZcDbDatabase.h"
#include "ZcDbEntity.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLinetypeTable.h"
#include "ZcDbPolyline.h"
#include "ZcDbRegAppTable.h"
#include "ZcDbTextStyleTable.h"
#include "platform/dxf/DxfWriteContext.h"

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
    for (unsigned int i = 0; i < vertices.size(); ++i) {
        const ZcDbPolyline::Vertex& v = vertices[i];
        if (v.bulge != 0.0 || v.startWidth > 0.0 || v.endWidth > 0.0)
            return false;
    }
    // A default width is the polyline's constant width, which any vertex
    // using it reports.
    const auto usesDefault = std::find_if(vertices.begin(), vertices.end(), [](const ZcDbPolyline::Vertex& v) {
        return v.startWidth < 0.0 || v.endWidth < 0.0;
    });
    if (usesDefault != vertices.end()) {
        double start = 0.0, end = 0.0;
        p->getWidthsAt(unsigned(usesDefault - vertices.begin()), start, end);
        if (start != 0.0 || end != 0.0)
            return false;
    }
    for (const ZcDbPolyline::Vertex& v : vertices)
        extents.addPoint({v.point.x, v.point.y, p->elevation()});
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
    return extents;
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
    out.integer(70, 1);  // metric
    out.word(9, "$INSUNITS");
    out.integer(70, 6);  // metres
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

void writeClasses(DxfStream& out)
{
    out.word(0, "SECTION");
    out.word(2, "CLASSES");
    writeClass(out, "SORTENTSTABLE", "AcDbSortentsTable");
    writeClass(out, "LAYOUT", "AcDbLayout");
    out.word(0, "ENDSEC");
}

void writeTableStart(DxfStream& out, const char* name, uint64_t handle, int64_t count)
{
    out.setCurrentObject("TABLE", handle);
    out.word(0, "TABLE");
    out.word(2, name);
    out.handle(5, handle);
    out.handle(330, 0);
    out.word(100, "AcDbSymbolTable");
    out.integer(70, count);
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
    ctx.out.integer(70, 0);
}

void writeViewportTable(DxfWriteContext& ctx, const ZcDbExtents& extents)
{
    DxfStream& out = ctx.out;
    const ZcDbStructureHandles& s = ctx.impl.structure;
    writeTableStart(out, "VPORT", s.vportTable, 1);
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
    writeTableStart(out, "LTYPE", handleOf(ctx.impl.linetypeTable), int64_t(records.size()));
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
        writeXData(ctx, r);
    }
    out.word(0, "ENDTAB");
}

void writeLayerTable(DxfWriteContext& ctx)
{
    DxfStream& out = ctx.out;
    const auto records = liveRecords<ZcDbLayerTableRecord>(ctx.impl.layerTable);
    writeTableStart(out, "LAYER", handleOf(ctx.impl.layerTable), int64_t(records.size()));
    for (const ZcDbLayerTableRecord* r : records) {
        writeObjectStart(ctx, "LAYER", r, handleOf(r->ownerId()));
        out.word(100, "AcDbSymbolTableRecord");
        out.word(100, "AcDbLayerTableRecord");
        out.text(2, r->name());
        out.integer(70, (r->isFrozen() ? 1 : 0) | (r->isLocked() ? 4 : 0));
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
        writeXData(ctx, r);
    }
    out.word(0, "ENDTAB");
}

void writeTextStyleTable(DxfWriteContext& ctx)
{
    DxfStream& out = ctx.out;
    const auto records = liveRecords<ZcDbTextStyleTableRecord>(ctx.impl.textStyleTable);
    writeTableStart(out, "STYLE", handleOf(ctx.impl.textStyleTable), int64_t(records.size()));
    for (const ZcDbTextStyleTableRecord* r : records) {
        writeRecordStart(ctx, "STYLE", "AcDbTextStyleTableRecord", r);
        out.real(40, r->textSize());
        out.real(41, r->xScale());
        out.angle(50, r->obliquingAngle());
        out.integer(71, 0);
        out.real(42, r->priorSize());
        out.text(3, r->fileName());
        out.text(4, r->bigFontFileName());
        writeXData(ctx, r);
    }
    out.word(0, "ENDTAB");
}

void writeEmptyTable(DxfStream& out, const char* name, uint64_t handle)
{
    writeTableStart(out, name, handle, 0);
    out.word(0, "ENDTAB");
}

void writeRegAppTable(DxfWriteContext& ctx)
{
    DxfStream& out = ctx.out;
    const auto records = liveRecords<ZcDbRegAppTableRecord>(ctx.impl.regAppTable);
    writeTableStart(out, "APPID", handleOf(ctx.impl.regAppTable), int64_t(records.size()));
    for (const ZcDbRegAppTableRecord* r : records) {
        writeRecordStart(ctx, "APPID", "AcDbRegAppTableRecord", r);
        writeXData(ctx, r);
    }
    out.word(0, "ENDTAB");
}

void writeDimStyleTable(DxfWriteContext& ctx)
{
    DxfStream& out = ctx.out;
    const ZcDbStructureHandles& s = ctx.impl.structure;
    writeTableStart(out, "DIMSTYLE", s.dimstyleTable, 1);
    out.word(100, "AcDbDimStyleTable");
    out.setCurrentObject("DIMSTYLE", s.dimstyleStandard);
    out.word(0, "DIMSTYLE");
    out.handle(105, s.dimstyleStandard);
    out.handle(330, s.dimstyleTable);
    out.word(100, "AcDbSymbolTableRecord");
    out.word(100, "AcDbDimStyleTableRecord");
    out.word(2, "Standard");
    out.integer(70, 0);
    out.word(0, "ENDTAB");
}

void writeBlockRecordTable(DxfWriteContext& ctx, const std::vector<const ZcDbBlockTableRecord*>& records)
{
    DxfStream& out = ctx.out;
    writeTableStart(out, "BLOCK_RECORD", handleOf(ctx.impl.blockTable), int64_t(records.size()));
    for (const ZcDbBlockTableRecord* r : records) {
        writeObjectStart(ctx, "BLOCK_RECORD", r, handleOf(r->ownerId()));
        out.word(100, "AcDbSymbolTableRecord");
        out.word(100, "AcDbBlockTableRecord");
        out.text(2, r->name());
        if (r->objectId() == ctx.impl.modelSpace)
            out.handle(340, ctx.impl.structure.layoutModel);
        else if (r->objectId() == ctx.impl.paperSpace)
            out.handle(340, ctx.impl.structure.layoutPaper);
        writeXData(ctx, r);
    }
    out.word(0, "ENDTAB");
}

void writeTables(DxfWriteContext& ctx, const ZcDbExtents& extents,
                 const std::vector<const ZcDbBlockTableRecord*>& blocks)
{
    DxfStream& out = ctx.out;
    out.word(0, "SECTION");
    out.word(2, "TABLES");
    writeViewportTable(ctx, extents);
    writeLinetypeTable(ctx);
    writeLayerTable(ctx);
    writeTextStyleTable(ctx);
    writeEmptyTable(out, "VIEW", ctx.impl.structure.viewTable);
    writeEmptyTable(out, "UCS", ctx.impl.structure.ucsTable);
    writeRegAppTable(ctx);
    writeDimStyleTable(ctx);
    writeBlockRecordTable(ctx, blocks);
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
        int flags = 0;
        if (!layout && r->isAnonymous())
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
        out.word(8, "0");
        out.word(100, "AcDbBlockBegin");
        out.text(2, r->name());
        out.integer(70, flags);
        const ZcGePoint3d origin = r->origin();
        out.point(10, origin.x, origin.y, origin.z);
        out.text(3, r->name());
        out.word(1, "");
        if (!r->comments().empty())
            out.text(4, r->comments());
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
    if (s.vportTable == 0 || s.vportActive == 0 || s.viewTable == 0 || s.ucsTable == 0 || s.dimstyleTable == 0 ||
        s.dimstyleStandard == 0 || s.layoutDictionary == 0 || s.layoutModel == 0 || s.layoutPaper == 0)
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
    const ZcDbExtents extents = modelSpaceExtents(ctx);
    const auto blocks = liveRecords<ZcDbBlockTableRecord>(ctx.impl.blockTable);

    writeHeader(ctx, extents);
    writeClasses(out);
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
