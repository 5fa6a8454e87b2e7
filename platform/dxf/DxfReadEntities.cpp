// The BLOCKS and ENTITIES sections: entities of the object model where the
// model can carry them, kept as read where it cannot; references with
// their attributes, old polylines with their vertices.

#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>

#include "ZcDbAttribute.h"
#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbEntity.h"
#include "ZcDbHatch.h"
#include "ZcDbPolyline.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/SymbolName.h"
#include "platform/db/ZcDbRawObject.h"
#include "platform/dxf/DxfEntityBuilders.h"
#include "platform/dxf/DxfGroupCodes.h"
#include "platform/dxf/DxfReadContext.h"
#include "platform/dxf/DxfReadSections.h"

namespace platform {

namespace {


// An entity's tags sorted out: the common entity part read, its own part
// and extended data set apart.
struct ParsedEntity {
    std::string kind;
    DxfObjectStart start;
    std::string_view layer = "0";
    std::string_view linetype;
    int color = 256;
    bool hasColor = false, hasRgb = false;
    int64_t rgb = 0;
    const DxfTag* colorTag = nullptr;
    const DxfTag* lineweightTag = nullptr;
    const DxfTag* ltscaleTag = nullptr;
    const DxfTag* visibilityTag = nullptr;
    int paper = 0;
    ZcDbRawTags extras;  // codes of the common part the model does not hold
    DxfEntityBody body;
    DxfXData xdata;
};

enum class Stop { AtEnd, AtOther, InputEnded, Failed };

class EntityReader {
public:
    explicit EntityReader(DxfReadContext& ctx) : m_ctx(ctx) {}

    // Reads entities into a block (null: model or paper space, as each
    // entity says) until a code 0 with the end word, which stays unread.
    Stop readUntil(std::string_view endWord, ZcDbObjectId block);

private:
    bool parse(const DxfRecord& r, ParsedEntity& p);
    // The entity of the model, or one kept as read; null on an error.
    ZcDbEntity* make(const DxfRecord& r, ParsedEntity& p, bool allowModel);
    ZcDbRawEntity* makeRaw(const DxfRecord& r, ParsedEntity& p);
    bool applyCommon(ZcDbEntity* e, ParsedEntity& p, ZcDbObjectId owner);
    // Adds the entity under its owner (appended to block when given).
    ZcDbObjectId attach(ZcDbEntity* e, ParsedEntity& p, ZcDbObjectId owner, ZcDbBlockTableRecord* block);
    ZcDbObjectId target(const ParsedEntity& p, ZcDbObjectId block);
    bool single(const DxfRecord& r, ZcDbObjectId block);
    bool sequence(const DxfRecord& parent, size_t children, const DxfRecord* seqend, ZcDbObjectId block);
    // An old file's two-dimensional polyline as a lightweight one; null when
    // it is not one the model can carry.
    ZcDbPolyline* oldPolyline(const ParsedEntity& parent, size_t children, std::vector<ParsedEntity>& parsed);

    // The record an entity names (as the file spells it), looked up once
    // for a run of entities naming the same.
    ZcDbObjectId layerId(std::string_view name)
    {
        if (name != m_lastLayerName || m_lastLayer.isNull()) {
            m_lastLayerName.assign(name);
            m_lastLayer = m_ctx.layer(m_ctx.text.decode(name));
        }
        return m_lastLayer;
    }
    ZcDbObjectId linetypeId(std::string_view name)
    {
        if (name.empty())
            name = "ByLayer";
        if (name != m_lastLinetypeName || m_lastLinetype.isNull()) {
            m_lastLinetypeName.assign(name);
            m_lastLinetype = m_ctx.linetype(m_ctx.text.decode(name));
        }
        return m_lastLinetype;
    }

    DxfReadContext& m_ctx;
    DxfRecord m_record;
    std::deque<DxfRecord> m_children;  // records stay where they are as more come
    DxfRecord m_seqend;
    ParsedEntity m_parsed;
    std::string m_lastLayerName, m_lastLinetypeName;
    ZcDbObjectId m_lastLayer, m_lastLinetype;
};

bool isCommonCode(int code)
{
    return code == 8 || code == 6 || code == 62 || code == 420 || code == 370 || code == 48 || code == 60 ||
           code == 67;
}

// Some programs write the common codes after the kind's own marker (layer
// and colour after AcDbLine, say). For a kind the model carries they are
// the entity's wherever they stand, unless the kind's own part has a use
// for the code; other kinds keep them where they were, to be written back
// as read.
bool isCommonInOwnPart(std::string_view kind, int code)
{
    static constexpr std::string_view kModelled[] = {"LINE",   "CIRCLE", "ARC",     "LWPOLYLINE", "HATCH",
                                                     "MTEXT",  "TEXT",   "ATTDEF",  "ATTRIB",     "INSERT",
                                                     "LEADER", "POINT",  "ELLIPSE", "SPLINE"};
    if (!isCommonCode(code) || std::find(std::begin(kModelled), std::end(kModelled), kind) == std::end(kModelled))
        return false;
    return !(kind == "MTEXT" && code == 48);  // a column's width
}

bool EntityReader::parse(const DxfRecord& r, ParsedEntity& p)
{
    p.kind.assign(dxfTrimmed(r.kind()));
    p.start = DxfObjectStart{};
    p.layer = "0";
    p.linetype = {};
    p.color = 256;
    p.hasColor = p.hasRgb = false;
    p.colorTag = p.lineweightTag = p.ltscaleTag = p.visibilityTag = nullptr;
    p.paper = 0;
    p.extras.clear();
    p.body.clear();
    p.xdata.clear();
    if (!m_ctx.readStart(r, p.start))
        return false;
    const size_t xdata = DxfReadContext::xdataBegin(r);
    // 0: before any marker (all of an old file's record); 1: the common part; 2: the kind's own.
    int part = 0;
    // An old file's record has no markers; one that has them is read as a
    // newer file's, as it will be once written back.
    const bool oldRecord = m_ctx.r12 && std::none_of(r.tags().begin(), r.tags().end(),
                                                     [](const DxfTag& t) { return t.code == 100; });
    for (size_t i = p.start.end; i < xdata; ++i) {
        const DxfTag& t = r[i];
        if (t.code == 100) {
            if (t.value == "AcDbEntity") {
                part = 1;
                continue;
            }
            part = 2;
            p.body.push_back(&t);
            continue;
        }
        if (part != 2 && DxfReadContext::opensGroup(r, i)) {
            // An application's group among the common codes is kept whole:
            // the codes in it are the application's, not the entity's.
            if (!m_ctx.keepGroup(r, i, xdata, p.extras))
                return false;
            continue;
        }
        if (part != 2 ? isCommonCode(t.code) : isCommonInOwnPart(p.kind, t.code)) {
            switch (t.code) {
            case 8:
                p.layer = t.value;
                break;
            case 6:
                p.linetype = t.value;
                break;
            case 62:
                if (!m_ctx.integer(t, p.color, -32768, 32767))
                    return false;
                p.hasColor = true;
                p.colorTag = &t;
                break;
            case 420:
                if (!m_ctx.integer(t, p.rgb))
                    return false;
                p.hasRgb = true;
                break;
            case 370:
                p.lineweightTag = &t;
                break;
            case 48:
                p.ltscaleTag = &t;
                break;
            case 60:
                p.visibilityTag = &t;
                break;
            case 67:
                if (!m_ctx.integer(t, p.paper, -32768, 32767))
                    return false;
                break;
            }
            continue;
        }
        if (t.code == 5 && part == 0 && p.start.handle == 0) {
            // Old files may give the handle after the layer.
            if (!m_ctx.handle(t, p.start.handle))
                return false;
            continue;
        }
        // Before any marker a newer file has nothing of the kind's own: what
        // is there goes with the common part, as it is written back.
        if (part == 1 || (part == 0 && !oldRecord)) {
            ZcDbRawTag raw;
            if (!m_ctx.rawTag(t, raw))
                return false;
            p.extras.push_back(std::move(raw));
            continue;
        }
        p.body.push_back(&t);
    }
    return m_ctx.readXData(r, xdata, p.xdata);
}

ZcDbRawEntity* EntityReader::makeRaw(const DxfRecord& r, ParsedEntity& p)
{
    (void)r;
    ZcDbRawTags tags;
    tags.reserve(p.body.size());
    for (const DxfTag* t : p.body) {
        ZcDbRawTag raw;
        if (!m_ctx.rawTag(*t, raw))
            return nullptr;
        tags.push_back(std::move(raw));
    }
    const bool hasMarkers = std::any_of(tags.begin(), tags.end(), [](const ZcDbRawTag& t) { return t.code == 100; });
    if (m_ctx.r12 && !hasMarkers) {
        tags = withSubclassMarkers(p.kind, std::move(tags));
        // A kind whose newer form is unknown has no part of its own: its
        // codes go with the common part, where reading it again puts them.
        if (!tags.empty() && tags.front().code != 100) {
            for (ZcDbRawTag& t : tags)
                p.extras.push_back(std::move(t));
            tags.clear();
        }
    }
    return new ZcDbRawEntity(p.kind, std::move(tags));
}

ZcDbEntity* EntityReader::make(const DxfRecord& r, ParsedEntity& p, bool allowModel)
{
    if (allowModel) {
        ZcDbEntity* e = buildEntity(m_ctx, p.kind, p.body);
        if (e || m_ctx.failed())
            return e;
    }
    return makeRaw(r, p);
}

bool EntityReader::applyCommon(ZcDbEntity* e, ParsedEntity& p, ZcDbObjectId owner)
{
    const auto keep = [&](const DxfTag* t) {
        ZcDbRawTag raw;
        if (!m_ctx.rawTag(*t, raw))
            return false;
        p.extras.push_back(std::move(raw));
        return true;
    };
    e->setLayer(layerId(p.layer.empty() ? std::string_view("0") : p.layer));
    e->setLinetype(linetypeId(p.linetype));
    if (p.hasRgb) {
        ZcCmColor color;
        color.setRGB(uint8_t(p.rgb >> 16), uint8_t(p.rgb >> 8), uint8_t(p.rgb));
        e->setColor(color);
    } else if (p.hasColor && e->setColorIndex(p.color) != Zcad::eOk && !keep(p.colorTag)) {
        return false;
    }
    if (const DxfTag* t = p.lineweightTag) {
        int weight = 0;
        if (!m_ctx.integer(*t, weight, -32768, 32767))
            return false;
        if ((weight < -3 || weight > 211 || e->setLineWeight(ZcDb::LineWeight(weight)) != Zcad::eOk) && !keep(t))
            return false;
    }
    if (const DxfTag* t = p.ltscaleTag) {
        double scale = 1.0;
        if (!m_ctx.real(*t, scale))
            return false;
        if (e->setLinetypeScale(scale) != Zcad::eOk && !keep(t))
            return false;
    }
    if (const DxfTag* t = p.visibilityTag) {
        int visibility = 0;
        if (!m_ctx.integer(*t, visibility, -32768, 32767))
            return false;
        if (visibility == 0 || visibility == 1)
            e->setVisibility(visibility ? ZcDb::kInvisible : ZcDb::kVisible);
        else if (!keep(t))
            return false;
    }
    // Paper space says so itself when written; an entity of another block
    // keeps its flag.
    if (p.paper != 0 && owner != m_ctx.impl.paperSpace)
        p.extras.push_back({67, std::to_string(p.paper)});
    return true;
}

ZcDbObjectId EntityReader::attach(ZcDbEntity* e, ParsedEntity& p, ZcDbObjectId owner, ZcDbBlockTableRecord* block)
{
    const ZcDbObjectId id = m_ctx.add(e, p.start.handle, owner);
    if (block)
        ZcDbObjectAccess::appendEntity(block, id);
    if (e->isA() == ZcDbBlockReference::desc())
        m_ctx.references.push_back(id);
    else if (e->isA() == ZcDbHatch::desc())
        m_ctx.hatches.push_back(id);
    m_ctx.applyStart(e, p.start);
    m_ctx.applyXData(e, std::move(p.xdata));
    m_ctx.keepTags(e, std::move(p.extras));
    e->close();
    return id;
}

ZcDbObjectId EntityReader::target(const ParsedEntity& p, ZcDbObjectId block)
{
    if (!block.isNull())
        return block;
    ZcDbObjectId& space = p.paper == 1 ? m_ctx.impl.paperSpace : m_ctx.impl.modelSpace;
    if (space.isNull())
        space = m_ctx.block(p.paper == 1 ? ZCDB_PAPER_SPACE : ZCDB_MODEL_SPACE);
    return space;
}

bool EntityReader::single(const DxfRecord& r, ZcDbObjectId block)
{
    ParsedEntity& p = m_parsed;
    if (!parse(r, p))
        return false;
    const ZcDbObjectId owner = target(p, block);
    ZcDbEntity* e = make(r, p, true);
    if (!e)
        return false;
    if (!applyCommon(e, p, owner)) {
        delete e;
        return false;
    }
    attach(e, p, owner, ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(owner));
    return true;
}

ZcDbPolyline* EntityReader::oldPolyline(const ParsedEntity& parent, size_t children, std::vector<ParsedEntity>& parsed)
{
    int flags = 0;
    double elevation = 0.0, startWidth = 0.0, endWidth = 0.0, thickness = 0.0;
    double normal[3] = {0.0, 0.0, 1.0};
    for (const DxfTag* t : parent.body) {
        bool ok = true;
        switch (t->code) {
        case 66:
        case 10:
        case 20:
            break;
        case 30:
            ok = m_ctx.real(*t, elevation);
            break;
        case 70:
            ok = m_ctx.integer(*t, flags, -32768, 32767);
            break;
        case 40:
            ok = m_ctx.real(*t, startWidth);
            break;
        case 41:
            ok = m_ctx.real(*t, endWidth);
            break;
        case 39:
            ok = m_ctx.real(*t, thickness);
            break;
        case 210:
        case 220:
        case 230:
            ok = m_ctx.real(*t, normal[(t->code - 210) / 10]);
            break;
        default:
            return nullptr;
        }
        if (!ok)
            return nullptr;
    }
    if ((flags & ~(1 | 128)) != 0 || thickness != 0.0 || std::fabs(normal[0]) > kUnitTol ||
        std::fabs(normal[1]) > kUnitTol || std::fabs(normal[2] - 1.0) > kUnitTol || startWidth < 0.0 ||
        endWidth < 0.0)
        return nullptr;
    std::unique_ptr<ZcDbPolyline> pl(new ZcDbPolyline(unsigned(children)));
    pl->setClosed(flags & 1);
    pl->setPlinegen(flags & 128);
    if (pl->setElevation(elevation) != Zcad::eOk)
        return nullptr;
    bool oneWidth = true;
    std::vector<ZcDbPolyline::Vertex> vertices;
    for (size_t k = 0; k < children; ++k) {
        ZcDbPolyline::Vertex v;
        v.startWidth = startWidth;
        v.endWidth = endWidth;
        int vertexFlags = 0;
        for (const DxfTag* t : parsed[k].body) {
            bool ok = true;
            switch (t->code) {
            case 10:
                ok = m_ctx.real(*t, v.point.x);
                break;
            case 20:
                ok = m_ctx.real(*t, v.point.y);
                break;
            case 30: {
                double z = 0.0;
                ok = m_ctx.real(*t, z);
                break;
            }
            case 40:
                ok = m_ctx.real(*t, v.startWidth);
                break;
            case 41:
                ok = m_ctx.real(*t, v.endWidth);
                break;
            case 42:
                ok = m_ctx.real(*t, v.bulge);
                break;
            case 70:
                ok = m_ctx.integer(*t, vertexFlags, -32768, 32767);
                break;
            default:
                return nullptr;
            }
            if (!ok)
                return nullptr;
        }
        if (vertexFlags != 0 || v.startWidth < 0.0 || v.endWidth < 0.0)
            return nullptr;
        oneWidth = oneWidth && v.startWidth == startWidth && v.endWidth == startWidth;
        vertices.push_back(v);
    }
    if (oneWidth && pl->setConstantWidth(startWidth) != Zcad::eOk)
        return nullptr;
    for (unsigned i = 0; i < vertices.size(); ++i) {
        const ZcDbPolyline::Vertex& v = vertices[i];
        if (pl->addVertexAt(i, v.point, v.bulge, oneWidth ? -1.0 : v.startWidth, oneWidth ? -1.0 : v.endWidth) !=
            Zcad::eOk)
            return nullptr;
    }
    return pl.release();
}

bool EntityReader::sequence(const DxfRecord& parentRecord, size_t children, const DxfRecord* seqendRecord,
                            ZcDbObjectId block)
{
    ParsedEntity parent;
    if (!parse(parentRecord, parent))
        return false;
    std::vector<ParsedEntity> parsed(children);
    for (size_t k = 0; k < children; ++k)
        if (!parse(m_children[k], parsed[k]))
            return false;
    ParsedEntity seqend;
    if (seqendRecord && !parse(*seqendRecord, seqend))
        return false;
    const ZcDbObjectId owner = target(parent, block);
    auto* ownerBlock = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(owner);

    if (parent.kind == "POLYLINE" && m_ctx.r12) {
        if (ZcDbPolyline* pl = oldPolyline(parent, children, parsed)) {
            if (!applyCommon(pl, parent, owner)) {
                delete pl;
                return false;
            }
            attach(pl, parent, owner, ownerBlock);
            return true;
        }
        if (m_ctx.failed())
            return false;
    }

    // A reference whose attributes the model carries, all of them.
    if (parent.kind == "INSERT") {
        std::unique_ptr<ZcDbEntity> reference(make(parentRecord, parent, true));
        if (!reference)
            return false;
        std::vector<std::unique_ptr<ZcDbEntity>> attributes;
        bool modelled = ZcDbBlockReference::cast(reference.get()) != nullptr;
        for (size_t k = 0; k < children && modelled; ++k) {
            ZcDbEntity* a = buildEntity(m_ctx, parsed[k].kind, parsed[k].body);
            if (m_ctx.failed())
                return false;
            modelled = ZcDbAttribute::cast(a) != nullptr;
            attributes.emplace_back(a);
        }
        if (modelled) {
            if (!applyCommon(reference.get(), parent, owner))
                return false;
            auto* ref = static_cast<ZcDbBlockReference*>(reference.release());
            const ZcDbObjectId refId = attach(ref, parent, owner, ownerBlock);
            for (size_t k = 0; k < children; ++k) {
                ZcDbEntity* a = attributes[k].release();
                if (!applyCommon(a, parsed[k], refId)) {
                    delete a;
                    return false;
                }
                ZcDbObjectAccess::appendAttribute(ref, attach(a, parsed[k], refId, nullptr));
            }
            if (children > 0 && seqendRecord && seqend.start.handle != 0)
                m_ctx.impl.seqends[refId.stub()] = seqend.start.handle;
            return true;
        }
    }

    // Kept as read, with what follows it.
    ZcDbRawEntity* raw = makeRaw(parentRecord, parent);
    if (!raw || !applyCommon(raw, parent, owner)) {
        delete raw;
        return false;
    }
    const ZcDbObjectId rawId = attach(raw, parent, owner, ownerBlock);
    std::vector<ZcDbObjectId> following;
    const auto follow = [&](const DxfRecord& r, ParsedEntity& p) {
        ZcDbRawEntity* child = makeRaw(r, p);
        if (!child || !applyCommon(child, p, rawId)) {
            delete child;
            return false;
        }
        following.push_back(attach(child, p, rawId, nullptr));
        return true;
    };
    for (size_t k = 0; k < children; ++k)
        if (!follow(m_children[k], parsed[k]))
            return false;
    if (seqendRecord) {
        if (!follow(*seqendRecord, seqend))
            return false;
    } else {
        // The end mark the file forgot.
        ParsedEntity mark;
        mark.kind = "SEQEND";
        mark.layer = parent.layer;
        ZcDbRawEntity* child = new ZcDbRawEntity("SEQEND", {});
        applyCommon(child, mark, rawId);
        following.push_back(attach(child, mark, rawId, nullptr));
    }
    ZcDbObjectAccess::peekAs<ZcDbRawEntity>(rawId)->setFollowing(std::move(following));
    return true;
}

Stop EntityReader::readUntil(std::string_view endWord, ZcDbObjectId block)
{
    DxfTagStream& in = m_ctx.in;
    while (in.next()) {
        if (in.code() != 0) {
            m_ctx.fail(in.line(), "group code " + std::to_string(in.code()) + " where an entity was expected");
            return Stop::Failed;
        }
        const std::string_view word = dxfTrimmed(in.value());
        if (word == endWord) {
            in.pushBack();
            return Stop::AtEnd;
        }
        if (word == "ENDSEC" || word == "EOF" || word == "BLOCK" || word == "ENDBLK" || word == "SECTION") {
            in.pushBack();
            return Stop::AtOther;
        }
        if (!m_record.read(in))
            return Stop::Failed;
        const std::string_view kind = dxfTrimmed(m_record.kind());
        if (kind == "POLYLINE" || kind == "INSERT") {
            const std::string_view childKind = kind == "POLYLINE" ? "VERTEX" : "ATTRIB";
            size_t children = 0;
            bool hasSeqend = false;
            while (in.next()) {
                const std::string_view next = dxfTrimmed(in.value());
                if (next == childKind) {
                    if (children == m_children.size())
                        m_children.emplace_back();
                    if (!m_children[children++].read(in))
                        return Stop::Failed;
                    continue;
                }
                if (next == "SEQEND") {
                    if (!m_seqend.read(in))
                        return Stop::Failed;
                    hasSeqend = true;
                } else {
                    in.pushBack();
                }
                break;
            }
            if (in.failed())
                return Stop::Failed;
            // A reference without attributes is a plain entity.
            const bool plain = kind == "INSERT" && children == 0;
            if (plain ? !single(m_record, block)
                      : !sequence(m_record, children, hasSeqend ? &m_seqend : nullptr, block))
                return Stop::Failed;
            continue;
        }
        if (kind == "VERTEX" || kind == "ATTRIB" || kind == "SEQEND")
            continue;  // parts of nothing: no reader would place them
        if (!single(m_record, block))
            return Stop::Failed;
    }
    return in.failed() ? Stop::Failed : Stop::InputEnded;
}

// BLOCK: the record it begins (by its owner, else by name) and what the
// record does not hold.
bool blockBegin(DxfReadContext& ctx, const DxfRecord& r, ZcDbObjectId& blockId)
{
    DxfObjectStart start;
    if (!ctx.readStart(r, start))
        return false;
    const size_t xdata = DxfReadContext::xdataBegin(r);
    std::string name;
    ZcDbBlockBegin kept;
    double base[3] = {0.0, 0.0, 0.0};
    std::string description;
    bool hasDescription = false;
    for (size_t i = start.end; i < xdata; ++i) {
        const DxfTag& t = r[i];
        switch (t.code) {
        case 100:
            if (t.value == "AcDbEntity" || t.value == "AcDbBlockBegin")
                continue;
            break;
        case 2:
            name = ctx.textOf(t);
            continue;
        case 3:
            if (name.empty())
                name = ctx.textOf(t);
            continue;
        case 8: {
            std::string layer = ctx.textOf(t);
            if (layer != "0")
                kept.layer = layer;
            continue;
        }
        case 70:
            if (!ctx.integer(t, kept.flags, -32768, 32767))
                return false;
            continue;
        case 10:
        case 20:
        case 30:
            if (!ctx.real(t, base[(t.code - 10) / 10]))
                return false;
            continue;
        case 1:
            kept.path = ctx.textOf(t);
            continue;
        case 4:
            description = ctx.textOf(t);
            hasDescription = true;
            continue;
        case 67:
            continue;  // paper space's own block says so itself
        case 5:
            if (start.handle == 0) {
                if (!ctx.handle(t, start.handle))
                    return false;
                continue;
            }
            break;
        default:
            break;
        }
        ZcDbRawTag raw;
        if (!ctx.rawTag(t, raw))
            return false;
        kept.tags.push_back(std::move(raw));
    }
    if (!ctx.rawTags(r, xdata, r.size(), kept.tags))
        return false;

    blockId = {};
    if (start.hasOwner && start.owner != 0)
        if (ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(ctx.idOf(start.owner)))
            blockId = ctx.idOf(start.owner);
    if (blockId.isNull())
        blockId = ctx.block(name.empty() ? std::string("Unnamed") : name);
    if (sameSymbolName(ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(blockId)->name(), ZCDB_MODEL_SPACE) &&
        ctx.impl.modelSpace.isNull())
        ctx.impl.modelSpace = blockId;
    if (sameSymbolName(ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(blockId)->name(), ZCDB_PAPER_SPACE) &&
        ctx.impl.paperSpace.isNull())
        ctx.impl.paperSpace = blockId;

    ZcDbBlockTableRecord* record = nullptr;
    if (zcdbOpenObject(record, blockId, ZcDb::kForWrite) == Zcad::eOk) {
        record->setOrigin({base[0], base[1], base[2]});
        if (hasDescription)
            record->setComments(description.c_str());
        record->close();
    }
    const ZcDbStub* stub = blockId.stub();
    ctx.impl.blockEnds[stub] = {start.handle, 0};
    ctx.impl.kept.blockBegins[stub] = std::move(kept);
    return true;
}

}  // namespace

bool readBlocksSection(DxfReadContext& ctx)
{
    DxfTagStream& in = ctx.in;
    EntityReader entities(ctx);
    DxfRecord record;
    while (in.next()) {
        if (in.code() != 0)
            return ctx.fail(in.line(), "group code " + std::to_string(in.code()) + " where a BLOCK was expected");
        const std::string_view word = dxfTrimmed(in.value());
        if (word == "ENDSEC")
            return true;
        if (word == "EOF" || word == "SECTION")
            break;
        if (!record.read(in))
            return false;
        if (dxfTrimmed(record.kind()) != "BLOCK")
            continue;  // an entity outside any block belongs nowhere
        ZcDbObjectId blockId;
        if (!blockBegin(ctx, record, blockId))
            return false;
        const Stop stop = entities.readUntil("ENDBLK", blockId);
        if (stop == Stop::Failed)
            return false;
        if (stop == Stop::AtEnd) {
            in.next();
            if (!record.read(in))
                return false;
            DxfObjectStart end;
            if (!ctx.readStart(record, end))
                return false;
            ctx.impl.blockEnds[blockId.stub()].second = end.handle;
        }
        if (stop == Stop::InputEnded)
            break;
    }
    return in.failed() ? false : ctx.fail(in.linesRead(), "the file ends inside the BLOCKS section");
}

bool readEntitiesSection(DxfReadContext& ctx)
{
    EntityReader entities(ctx);
    for (;;) {
        const Stop stop = entities.readUntil("ENDSEC", {});
        if (stop == Stop::Failed)
            return false;
        if (stop == Stop::InputEnded)
            return ctx.fail(ctx.in.linesRead(), "the file ends inside the ENTITIES section");
        ctx.in.next();
        const std::string_view word = dxfTrimmed(ctx.in.value());
        if (word == "ENDSEC")
            return true;
        if (word == "EOF" || word == "SECTION")
            return ctx.fail(ctx.in.line(), "the ENTITIES section has no end (ENDSEC)");
        // A BLOCK or ENDBLK among entities: skipped with what it holds up to the next entity.
        DxfRecord stray;
        if (!stray.read(ctx.in))
            return false;
    }
}

}  // namespace platform
