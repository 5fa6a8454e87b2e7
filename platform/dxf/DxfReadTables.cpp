// The TABLES section: the tables the object model holds become its tables
// and records; the others are kept as read.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ZcDbBlockTable.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLinetypeTable.h"
#include "ZcDbRegAppTable.h"
#include "ZcDbTextStyleTable.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/SymbolName.h"
#include "platform/db/ZcDbRawObject.h"
#include "platform/dxf/DxfGroupCodes.h"
#include "platform/dxf/DxfReadContext.h"
#include "platform/dxf/DxfReadSections.h"

namespace platform {

namespace {

constexpr double kDegrees = std::numbers::pi / 180.0;

// A record's name and the codes its class does not hold.
struct RecordBody {
    std::string name;
    ZcDbRawTags kept;
};

bool isRecordMarker(std::string_view v, std::string_view own)
{
    return v == "AcDbSymbolTableRecord" || v == own;
}

// Flags of a record beyond those its class holds, kept for writing back.
void keepFlags(ZcDbRawTags& kept, int flags, int held)
{
    if (flags & ~held)
        kept.push_back({70, std::to_string(flags & ~held)});
}

class TableReader {
public:
    explicit TableReader(DxfReadContext& ctx) : m_ctx(ctx) {}

    bool read();

private:
    bool readTable(const DxfRecord& head);
    bool readRecord(const DxfRecord& record, const std::string& tableName, ZcDbKeptTable* kept);
    bool layer(const DxfRecord& r, const DxfObjectStart& s, DxfXData&& xdata);
    bool linetype(const DxfRecord& r, const DxfObjectStart& s, DxfXData&& xdata);
    bool style(const DxfRecord& r, const DxfObjectStart& s, DxfXData&& xdata);
    bool appid(const DxfRecord& r, const DxfObjectStart& s, DxfXData&& xdata);
    bool blockRecord(const DxfRecord& r, const DxfObjectStart& s, DxfXData&& xdata);
    bool rawRecord(const DxfRecord& r, const DxfObjectStart& s, DxfXData&& xdata, ZcDbKeptTable& kept);
    // Adds a record under its handle and gives it its start and extended data.
    ZcDbObjectId finish(ZcDbSymbolTableRecord* rec, RecordBody&& body, const DxfObjectStart& s, DxfXData&& xdata,
                        ZcDbSymbolTable* table, DxfNameIndex& index, bool allowEmptyName = false);
    ZcDbKeptTable& keptTable(const std::string& name, uint64_t handle);

    DxfReadContext& m_ctx;
    // Linetypes of layers, by name, found once every table is read.
    std::vector<std::pair<ZcDbObjectId, std::string>> m_layerLinetypes;
};

bool TableReader::read()
{
    DxfTagStream& in = m_ctx.in;
    DxfRecord head;
    bool ended = false;
    while (!ended && in.next()) {
        if (in.code() != 0)
            return m_ctx.fail(in.line(), "group code " + std::to_string(in.code()) + " where a TABLE was expected");
        const std::string_view kind = dxfTrimmed(in.value());
        if (kind == "ENDSEC") {
            ended = true;
            continue;
        }
        if (kind != "TABLE")
            return m_ctx.fail(in.line(), "\"" + std::string(kind) + "\" inside the TABLES section");
        if (!head.read(in) || !readTable(head))
            return false;
    }
    if (in.failed())
        return false;
    if (!ended)
        return m_ctx.fail(in.linesRead(), "the file ends inside the TABLES section");
    // Layers name linetypes, which may come in a later table; a linetype
    // that is nowhere reads as Continuous.
    for (auto& [layerId, name] : m_layerLinetypes) {
        const auto found = m_ctx.linetypes.find(DxfReadContext::key(name));
        const ZcDbObjectId lt = found != m_ctx.linetypes.end() ? found->second : m_ctx.linetype("Continuous");
        ZcDbLayerTableRecord* rec = nullptr;
        if (zcdbOpenObject(rec, layerId, ZcDb::kForWrite) == Zcad::eOk) {
            rec->setLinetypeObjectId(lt);
            rec->close();
        }
    }
    return true;
}

ZcDbKeptTable& TableReader::keptTable(const std::string& name, uint64_t handle)
{
    for (ZcDbKeptTable& t : m_ctx.impl.kept.tables)
        if (sameSymbolName(t.name, name))
            return t;
    ZcDbKeptTable& t = m_ctx.impl.kept.tables.emplace_back();
    t.name = name;
    t.handle = handle;
    return t;
}

bool TableReader::readTable(const DxfRecord& head)
{
    // "2 NAME" comes first, before the handle.
    size_t from = 0;
    std::string name;
    if (!head.empty() && head[0].code == 2) {
        name = m_ctx.text.decode(dxfTrimmed(head[0].value));
        from = 1;
    } else {
        name = m_ctx.text.decode(dxfTrimmed(head.first(2)));
    }
    // Table names are not told apart by case: a known one takes its usual
    // spelling, which is how it is looked for and written.
    for (const char* known : {"VPORT", "LTYPE", "LAYER", "STYLE", "VIEW", "UCS", "APPID", "DIMSTYLE", "BLOCK_RECORD"})
        if (sameSymbolName(name, known))
            name = known;
    DxfObjectStart start;
    if (!m_ctx.readStart(head, start, from))
        return false;
    // What follows the count: DIMSTYLE's own subclass, extended data.
    const size_t xdata = DxfReadContext::xdataBegin(head);
    ZcDbRawTags body;
    for (size_t i = start.end; i < xdata; ++i) {
        const DxfTag& t = head[i];
        if ((t.code == 100 && t.value == "AcDbSymbolTable") || t.code == 70 || t.code == 2)
            continue;
        ZcDbRawTag raw;
        if (!m_ctx.rawTag(t, raw))
            return false;
        body.push_back(std::move(raw));
    }
    DxfXData xd;
    if (!m_ctx.readXData(head, xdata, xd))
        return false;

    ZcDbObjectId* slot = nullptr;
    ZcDbObject* (*makeTable)() = nullptr;
    if (name == "LTYPE")
        slot = &m_ctx.impl.linetypeTable, makeTable = make<ZcDbLinetypeTable>;
    else if (name == "LAYER")
        slot = &m_ctx.impl.layerTable, makeTable = make<ZcDbLayerTable>;
    else if (name == "STYLE")
        slot = &m_ctx.impl.textStyleTable, makeTable = make<ZcDbTextStyleTable>;
    else if (name == "APPID")
        slot = &m_ctx.impl.regAppTable, makeTable = make<ZcDbRegAppTable>;
    else if (name == "BLOCK_RECORD")
        slot = &m_ctx.impl.blockTable, makeTable = make<ZcDbBlockTable>;

    ZcDbKeptTable* kept = nullptr;
    if (slot) {
        if (slot->isNull()) {
            ZcDbObject* table = makeTable();
            *slot = m_ctx.add(table, start.handle, {});
            m_ctx.applyStart(table, start);
            m_ctx.applyXData(table, std::move(xd));
            m_ctx.keepTags(table, std::move(body));
            table->close();
        }
    } else {
        kept = &keptTable(name, start.handle);
        if (kept->startTags.empty() && kept->bodyTags.empty() && kept->records.empty()) {
            // The 102 groups as read, for writing back before the owner.
            bool inGroup = false;
            for (size_t i = from; i < start.end; ++i) {
                const DxfTag& t = head[i];
                if (t.code == 102)
                    inGroup = !t.value.empty() && t.value.front() == '{';
                else if (!inGroup && (t.code == 5 || t.code == 105 || t.code == 330))
                    continue;
                ZcDbRawTag raw;
                if (!m_ctx.rawTag(t, raw))
                    return false;
                kept->startTags.push_back(std::move(raw));
            }
            if (inGroup)
                kept->startTags.push_back({102, "}"});  // the file left it open
            kept->bodyTags = std::move(body);
        }
    }

    DxfTagStream& in = m_ctx.in;
    DxfRecord record;
    while (in.next()) {
        if (in.code() != 0)
            return m_ctx.fail(in.line(), "group code " + std::to_string(in.code()) + " where a record of " + name +
                                             " was expected");
        if (dxfTrimmed(in.value()) == "ENDTAB")
            return true;
        if (dxfTrimmed(in.value()) == "ENDSEC" || dxfTrimmed(in.value()) == "TABLE") {
            in.pushBack();  // a table left without its end: the next one begins
            return true;
        }
        if (!record.read(in) || !readRecord(record, name, kept))
            return false;
    }
    return in.failed() ? false : m_ctx.fail(in.linesRead(), "the file ends inside the " + name + " table");
}

bool TableReader::readRecord(const DxfRecord& record, const std::string& tableName, ZcDbKeptTable* kept)
{
    DxfObjectStart start;
    if (!m_ctx.readStart(record, start))
        return false;
    DxfXData xdata;
    if (!m_ctx.readXData(record, DxfReadContext::xdataBegin(record), xdata))
        return false;
    const std::string kind(dxfTrimmed(record.kind()));
    if (kept)
        return rawRecord(record, start, std::move(xdata), *kept);
    if (kind == "LAYER")
        return layer(record, start, std::move(xdata));
    if (kind == "LTYPE")
        return linetype(record, start, std::move(xdata));
    if (kind == "STYLE")
        return style(record, start, std::move(xdata));
    if (kind == "APPID")
        return appid(record, start, std::move(xdata));
    if (kind == "BLOCK_RECORD")
        return blockRecord(record, start, std::move(xdata));
    // A record of another kind in a table of the model belongs nowhere.
    (void)tableName;
    return true;
}

ZcDbObjectId TableReader::finish(ZcDbSymbolTableRecord* rec, RecordBody&& body, const DxfObjectStart& s,
                                 DxfXData&& xdata, ZcDbSymbolTable* table, DxfNameIndex& index, bool allowEmptyName)
{
    const ZcDbObjectId id = m_ctx.addRecord(rec, body.name, s.handle, table, index, allowEmptyName);
    m_ctx.applyStart(rec, s);
    m_ctx.applyXData(rec, std::move(xdata));
    m_ctx.keepTags(rec, std::move(body.kept));
    return id;
}

// Tags of a record's own part: name, flags and the rest, calling take for
// each code; a code take does not know is kept.
template <class Take>
bool recordBody(DxfReadContext& ctx, const DxfRecord& r, const DxfObjectStart& s, std::string_view marker,
                RecordBody& body, Take take)
{
    const size_t end = DxfReadContext::xdataBegin(r);
    for (size_t i = s.end; i < end; ++i) {
        const DxfTag& t = r[i];
        if (t.code == 100 && isRecordMarker(t.value, marker))
            continue;
        if (DxfReadContext::opensGroup(r, i)) {
            // An application's group is kept whole: its codes are not the record's.
            if (!ctx.keepGroup(r, i, end, body.kept))
                return false;
            continue;
        }
        if (t.code == 2) {
            body.name = ctx.textOf(t);
            continue;
        }
        bool known = false;
        if (!take(t, i, known))
            return false;
        if (!known) {
            ZcDbRawTag raw;
            if (!ctx.rawTag(t, raw))
                return false;
            body.kept.push_back(std::move(raw));
        }
    }
    return true;
}

bool TableReader::layer(const DxfRecord& r, const DxfObjectStart& s, DxfXData&& xdata)
{
    auto* rec = new ZcDbLayerTableRecord;
    RecordBody body;
    int flags = 0, index = 7;
    bool hasRgb = false;
    int64_t rgb = 0;
    std::string linetypeName = "Continuous";
    const bool ok = recordBody(m_ctx, r, s, "AcDbLayerTableRecord", body, [&](const DxfTag& t, size_t&, bool& known) {
        known = true;
        switch (t.code) {
        case 70:
            return m_ctx.integer(t, flags, -32768, 32767);
        case 62:
            return m_ctx.integer(t, index, -32768, 32767);
        case 420:
            hasRgb = true;
            return m_ctx.integer(t, rgb);
        case 6:
            linetypeName = m_ctx.textOf(t);
            return true;
        case 290: {
            int64_t plot = 1;
            if (!m_ctx.integer(t, plot))
                return false;
            rec->setIsPlottable(plot != 0);
            return true;
        }
        case 370: {
            int weight = 0;
            if (!m_ctx.integer(t, weight, -32768, 32767))
                return false;
            // Lineweights run from -3 (default) to 211 hundredths of a millimetre.
            known = weight >= -3 && weight <= 211;
            if (known)
                rec->setLineWeight(ZcDb::LineWeight(weight));
            return true;
        }
        default:
            known = false;
            return true;
        }
    });
    if (!ok) {
        delete rec;
        return false;
    }
    ZcCmColor color;
    // A layer's colour is a palette colour; anything else reads as white.
    color.setColorIndex(std::abs(index) >= 1 && std::abs(index) <= 255 ? std::abs(index) : 7);
    if (hasRgb)
        color.setRGB(uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb));
    rec->setColor(color);
    rec->setIsOff(index < 0);
    rec->setIsFrozen(flags & 1);
    rec->setIsLocked(flags & 4);
    keepFlags(body.kept, flags, 1 | 4);
    const ZcDbObjectId id = finish(rec, std::move(body), s, std::move(xdata),
                                   m_ctx.table(m_ctx.impl.layerTable, make<ZcDbLayerTable>), m_ctx.layers);
    m_layerLinetypes.emplace_back(id, linetypeName);
    return true;
}

bool TableReader::linetype(const DxfRecord& r, const DxfObjectStart& s, DxfXData&& xdata)
{
    auto* rec = new ZcDbLinetypeTableRecord;
    RecordBody body;
    int flags = 0;
    std::vector<double> dashes;
    std::vector<ZcDbLinetypeTableRecord::DashElement> elements;
    const auto element = [&]() -> ZcDbLinetypeTableRecord::DashElement* {
        return elements.empty() ? nullptr : &elements.back();
    };
    const bool ok = recordBody(m_ctx, r, s, "AcDbLinetypeTableRecord", body, [&](const DxfTag& t, size_t&, bool& known) {
        known = true;
        double v = 0.0;
        switch (t.code) {
        case 70:
            return m_ctx.integer(t, flags, -32768, 32767);
        case 3:
            rec->setComments(m_ctx.textOf(t).c_str());
            return true;
        case 72:
            known = dxfTrimmed(t.value) == "65";  // 'A', the only alignment
            return true;
        case 73: {
            // The count and the length follow from the dashes.
            int64_t count = 0;
            return m_ctx.integer(t, count);
        }
        case 40:
            return m_ctx.real(t, v);
        case 49:
            if (!m_ctx.real(t, v))
                return false;
            dashes.push_back(v);
            elements.emplace_back();
            return true;
        case 74: {
            int f = 0;
            if (!m_ctx.integer(t, f, -32768, 32767))
                return false;
            if (auto* e = element()) {
                e->absoluteRotation = f & 1;
                e->isText = f & 2;
                e->isShape = f & 4;
            }
            return true;
        }
        case 75: {
            int shape = 0;
            if (!m_ctx.integer(t, shape, -32768, 32767))
                return false;
            if (auto* e = element())
                e->shapeNumber = short(shape);
            return true;
        }
        case 340: {
            uint64_t h = 0;
            if (!m_ctx.handle(t, h))
                return false;
            if (auto* e = element())
                e->style = m_ctx.idOf(h);
            return true;
        }
        case 46:
        case 50:
        case 44:
        case 45:
            if (!m_ctx.real(t, v))
                return false;
            if (auto* e = element()) {
                if (t.code == 46)
                    e->scale = v;
                else if (t.code == 50)
                    e->rotation = v * kDegrees;
                else if (t.code == 44)
                    e->offsetX = v;
                else
                    e->offsetY = v;
            }
            return true;
        case 9:
            if (auto* e = element())
                e->text = m_ctx.textOf(t);
            return true;
        default:
            known = false;
            return true;
        }
    });
    if (!ok) {
        delete rec;
        return false;
    }
    // The host holds twelve dashes at most; a longer pattern is cut there.
    constexpr size_t kMaxDashes = 12;
    const size_t count = std::min(dashes.size(), kMaxDashes);
    rec->setNumDashes(int(count));
    for (size_t i = 0; i < count; ++i) {
        rec->setDashLengthAt(int(i), dashes[i]);
        rec->setElementAt(int(i), elements[i]);
    }
    keepFlags(body.kept, flags, 0);
    finish(rec, std::move(body), s, std::move(xdata), m_ctx.table(m_ctx.impl.linetypeTable, make<ZcDbLinetypeTable>),
           m_ctx.linetypes);
    return true;
}

bool TableReader::style(const DxfRecord& r, const DxfObjectStart& s, DxfXData&& xdata)
{
    auto* rec = new ZcDbTextStyleTableRecord;
    RecordBody body;
    int flags = 0, generation = 0;
    const bool ok = recordBody(m_ctx, r, s, "AcDbTextStyleTableRecord", body, [&](const DxfTag& t, size_t&, bool& known) {
        known = true;
        double v = 0.0;
        switch (t.code) {
        case 70:
            return m_ctx.integer(t, flags, -32768, 32767);
        case 71:
            return m_ctx.integer(t, generation, -32768, 32767);
        case 40:
        case 41:
        case 42:
        case 50:
            if (!m_ctx.real(t, v))
                return false;
            // A value the record refuses is kept as it was.
            if (t.code == 40)
                known = rec->setTextSize(v) == Zcad::eOk;
            else if (t.code == 41)
                known = rec->setXScale(v) == Zcad::eOk;
            else if (t.code == 42)
                rec->setPriorSize(v);  // the size last asked for: nothing to keep when refused
            else
                known = rec->setObliquingAngle(v * kDegrees) == Zcad::eOk;
            return true;
        case 3:
            rec->setFileName(m_ctx.textOf(t).c_str());
            return true;
        case 4:
            rec->setBigFontFileName(m_ctx.textOf(t).c_str());
            return true;
        default:
            known = false;
            return true;
        }
    });
    if (!ok) {
        delete rec;
        return false;
    }
    keepFlags(body.kept, flags, 0);
    if (generation != 0)
        body.kept.push_back({71, std::to_string(generation)});
    finish(rec, std::move(body), s, std::move(xdata),
           m_ctx.table(m_ctx.impl.textStyleTable, make<ZcDbTextStyleTable>), m_ctx.styles, true);
    return true;
}

bool TableReader::appid(const DxfRecord& r, const DxfObjectStart& s, DxfXData&& xdata)
{
    auto* rec = new ZcDbRegAppTableRecord;
    RecordBody body;
    int flags = 0;
    const bool ok = recordBody(m_ctx, r, s, "AcDbRegAppTableRecord", body, [&](const DxfTag& t, size_t&, bool& known) {
        known = t.code == 70;
        return !known || m_ctx.integer(t, flags, -32768, 32767);
    });
    if (!ok) {
        delete rec;
        return false;
    }
    keepFlags(body.kept, flags, 0);
    finish(rec, std::move(body), s, std::move(xdata), m_ctx.table(m_ctx.impl.regAppTable, make<ZcDbRegAppTable>),
           m_ctx.appids);
    return true;
}

bool TableReader::blockRecord(const DxfRecord& r, const DxfObjectStart& s, DxfXData&& xdata)
{
    auto* rec = new ZcDbBlockTableRecord;
    RecordBody body;
    uint64_t layout = 0;
    const DxfTag* layoutTag = nullptr;
    size_t layoutAt = 0;  // its place among the kept codes
    const bool ok = recordBody(m_ctx, r, s, "AcDbBlockTableRecord", body, [&](const DxfTag& t, size_t&, bool& known) {
        // The layout link stays in its place among the kept codes until the
        // record is known to be one of the two spaces, whose links are the
        // structure's.
        known = false;
        if (t.code == 340 && !layoutTag) {
            layoutTag = &t;
            layoutAt = body.kept.size();
            return m_ctx.handle(t, layout);
        }
        return true;
    });
    if (!ok) {
        delete rec;
        return false;
    }
    std::string name = body.name;
    const bool model = sameSymbolName(name, ZCDB_MODEL_SPACE);
    const bool paper = sameSymbolName(name, ZCDB_PAPER_SPACE);
    if (model)
        name = ZCDB_MODEL_SPACE;
    else if (paper)
        name = ZCDB_PAPER_SPACE;
    body.name = name;
    if (layoutTag && (model || paper))
        body.kept.erase(body.kept.begin() + std::ptrdiff_t(layoutAt));
    const ZcDbObjectId id = finish(rec, std::move(body), s, std::move(xdata),
                                   m_ctx.table(m_ctx.impl.blockTable, make<ZcDbBlockTable>), m_ctx.blocks);
    if (model && m_ctx.impl.modelSpace.isNull()) {
        m_ctx.impl.modelSpace = id;
        m_ctx.impl.structure.layoutModel = layout;
    } else if (paper && m_ctx.impl.paperSpace.isNull()) {
        m_ctx.impl.paperSpace = id;
        m_ctx.impl.structure.layoutPaper = layout;
    }
    return true;
}

// Subclass markers of records of old files, which have none.
const char* recordMarker(std::string_view kind)
{
    if (kind == "VPORT")
        return "AcDbViewportTableRecord";
    if (kind == "VIEW")
        return "AcDbViewTableRecord";
    if (kind == "UCS")
        return "AcDbUCSTableRecord";
    if (kind == "DIMSTYLE")
        return "AcDbDimStyleTableRecord";
    return nullptr;
}

bool TableReader::rawRecord(const DxfRecord& r, const DxfObjectStart& s, DxfXData&& xdata, ZcDbKeptTable& kept)
{
    const std::string kind(dxfTrimmed(r.kind()));
    ZcDbRawTags tags;
    bool hasMarkers = false;
    const size_t end = DxfReadContext::xdataBegin(r);
    for (size_t i = s.end; i < end; ++i)
        hasMarkers = hasMarkers || r[i].code == 100;
    if (!hasMarkers) {
        tags.push_back({100, "AcDbSymbolTableRecord"});
        if (const char* marker = recordMarker(kind))
            tags.push_back({100, marker});
    }
    if (!m_ctx.rawTags(r, s.end, end, tags))
        return false;
    auto* rec = new ZcDbRawRecord(kind, std::move(tags), kind == "DIMSTYLE" ? 105 : 5);
    const ZcDbObjectId id = m_ctx.add(rec, s.handle, {});
    m_ctx.applyStart(rec, s);
    m_ctx.applyXData(rec, std::move(xdata));
    rec->close();
    kept.records.push_back(id);
    return true;
}

}  // namespace

bool readTablesSection(DxfReadContext& ctx)
{
    return TableReader(ctx).read();
}

}  // namespace platform
