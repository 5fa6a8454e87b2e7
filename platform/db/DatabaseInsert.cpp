// ZcDbDatabase::insert: a drawing's model space copied into another drawing
// as a block definition, with the records it needs.

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "ZcDbAttribute.h"
#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbDatabase.h"
#include "ZcDbHatch.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLinetypeTable.h"
#include "ZcDbMText.h"
#include "ZcDbText.h"
#include "ZcDbTextStyleTable.h"
#include "platform/db/DatabaseImpl.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/Opened.h"
#include "platform/db/SymbolName.h"
#include "platform/db/ZcDbRawObject.h"

using namespace platform;

namespace {

// Codes of kept tags that hold handles, and those that name records.
bool isHandleCode(int code)
{
    return (code >= 320 && code <= 369) || (code >= 390 && code <= 399) || code == 480 || code == 481;
}

// One copy from a source drawing into a target drawing: source ids to
// target ids, records found by name or copied.
class DrawingCopy {
public:
    DrawingCopy(ZcDbDatabase& target, const ZcDbDatabase& source) : m_target(target), m_source(source) {}

    // Checks that every table the copy may add to can be opened.
    Zcad::ErrorStatus open();
    ZcDbObjectId layer(ZcDbObjectId sourceLayer);
    ZcDbObjectId linetype(ZcDbObjectId sourceLinetype);
    ZcDbObjectId textStyle(ZcDbObjectId sourceStyle);
    ZcDbObjectId textStyleNamed(const std::string& name);
    // A nested block: the target's of that name, or a copy (anonymous
    // blocks are always copied, under a new name).
    ZcDbObjectId block(ZcDbObjectId sourceBlock);
    // Copies the source block's entities into the target block, open for write.
    void entities(const ZcDbBlockTableRecord* from, ZcDbBlockTableRecord* into);
    // Boundary links of copied hatches, once every entity is copied.
    void finishHatches();

private:
    ZcDbEntity* copyEntity(const ZcDbEntity* e);
    bool copyProperties(const ZcDbEntity* from, ZcDbEntity* to);
    // The copy of a kept entity with its handles and names carried over;
    // null when it names an object the copy does not bring.
    ZcDbRawEntity* copyRaw(const ZcDbRawEntity* e);
    ZcDbObjectId mapped(ZcDbObjectId sourceId) const
    {
        const auto it = m_map.find(sourceId);
        return it == m_map.end() ? ZcDbObjectId() : it->second;
    }

    ZcDbDatabase& m_target;
    const ZcDbDatabase& m_source;
    Opened<ZcDbLayerTable> m_layers;
    Opened<ZcDbLinetypeTable> m_linetypes;
    Opened<ZcDbTextStyleTable> m_styles;
    Opened<ZcDbBlockTable> m_blocks;
    std::unordered_map<ZcDbObjectId, ZcDbObjectId> m_map;
    std::vector<std::pair<ZcDbHatch*, ZcDbObjectId>> m_hatches;  // copy, its id
};

Zcad::ErrorStatus DrawingCopy::open()
{
    if ((m_layers = Opened<ZcDbLayerTable>(m_target.layerTableId(), ZcDb::kForWrite)).status() != Zcad::eOk)
        return m_layers.status();
    if ((m_linetypes = Opened<ZcDbLinetypeTable>(m_target.linetypeTableId(), ZcDb::kForWrite)).status() != Zcad::eOk)
        return m_linetypes.status();
    if ((m_styles = Opened<ZcDbTextStyleTable>(m_target.textStyleTableId(), ZcDb::kForWrite)).status() != Zcad::eOk)
        return m_styles.status();
    m_blocks = Opened<ZcDbBlockTable>(m_target.blockTableId(), ZcDb::kForWrite);
    return m_blocks.status();
}

ZcDbObjectId DrawingCopy::linetype(ZcDbObjectId sourceId)
{
    if (const ZcDbObjectId done = mapped(sourceId); !done.isNull())
        return done;
    const auto* from = ZcDbObjectAccess::peekAs<ZcDbLinetypeTableRecord>(sourceId);
    if (!from)
        return m_target.byLayerLinetype();
    ZcDbObjectId id;
    if (m_linetypes->getAt(from->name().c_str(), id) != Zcad::eOk) {
        auto* copy = new ZcDbLinetypeTableRecord;
        ZcDbObjectAccess::setName(copy, from->name());
        copy->setComments(from->comments().c_str());
        copy->setIsScaledToFit(from->isScaledToFit());
        copy->setNumDashes(from->numDashes());
        for (int i = 0; i < from->numDashes(); ++i) {
            copy->setDashLengthAt(i, from->dashLengthAt(i));
            ZcDbLinetypeTableRecord::DashElement element = from->elementAt(i);
            if (!element.style.isNull())
                element.style = textStyle(element.style);
            copy->setElementAt(i, element);
        }
        m_linetypes->add(id, copy);
        copy->close();
    }
    m_map[sourceId] = id;
    return id;
}

ZcDbObjectId DrawingCopy::layer(ZcDbObjectId sourceId)
{
    if (const ZcDbObjectId done = mapped(sourceId); !done.isNull())
        return done;
    const auto* from = ZcDbObjectAccess::peekAs<ZcDbLayerTableRecord>(sourceId);
    if (!from)
        return m_target.clayer();
    ZcDbObjectId id;
    if (m_layers->getAt(from->name().c_str(), id) != Zcad::eOk) {
        auto* copy = new ZcDbLayerTableRecord;
        ZcDbObjectAccess::setName(copy, from->name());
        copy->setColor(from->color());
        copy->setLinetypeObjectId(linetype(from->linetypeObjectId()));
        copy->setLineWeight(from->lineWeight());
        copy->setIsOff(from->isOff());
        copy->setIsFrozen(from->isFrozen());
        copy->setIsLocked(from->isLocked());
        copy->setIsPlottable(from->isPlottable());
        m_layers->add(id, copy);
        copy->close();
    }
    m_map[sourceId] = id;
    return id;
}

ZcDbObjectId DrawingCopy::textStyle(ZcDbObjectId sourceId)
{
    if (const ZcDbObjectId done = mapped(sourceId); !done.isNull())
        return done;
    const auto* from = ZcDbObjectAccess::peekAs<ZcDbTextStyleTableRecord>(sourceId);
    if (!from)
        return {};
    ZcDbObjectId id;
    if (from->name().empty() || m_styles->getAt(from->name().c_str(), id) != Zcad::eOk) {
        auto* copy = new ZcDbTextStyleTableRecord;
        ZcDbObjectAccess::setName(copy, from->name());
        copy->setFileName(from->fileName().c_str());
        copy->setBigFontFileName(from->bigFontFileName().c_str());
        copy->setTextSize(from->textSize());
        copy->setXScale(from->xScale());
        copy->setObliquingAngle(from->obliquingAngle());
        copy->setPriorSize(from->priorSize());
        if (from->name().empty()) {
            // A shape file's style has no name to be found by.
            if (ZcDbObjectAccess::addToDatabase(&m_target, copy, m_styles->objectId(), id) != Zcad::eOk) {
                delete copy;  // not the drawing's: its texts keep no style rather than a dangling one
                m_map[sourceId] = id;
                return id;
            }
            ZcDbObjectAccess::recordList(m_styles.get()).push_back(id);
        } else {
            m_styles->add(id, copy);
        }
        copy->close();
    }
    m_map[sourceId] = id;
    return id;
}

ZcDbObjectId DrawingCopy::textStyleNamed(const std::string& name)
{
    const auto* table = ZcDbObjectAccess::peekAs<ZcDbTextStyleTable>(m_source.textStyleTableId());
    ZcDbObjectId sourceId;
    if (!table || table->getAt(name.c_str(), sourceId) != Zcad::eOk)
        return {};
    return textStyle(sourceId);
}

ZcDbObjectId DrawingCopy::block(ZcDbObjectId sourceId)
{
    if (const ZcDbObjectId done = mapped(sourceId); !done.isNull())
        return done;
    const auto* from = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(sourceId);
    if (!from || from->isLayout())
        return {};
    ZcDbObjectId id;
    if (!from->isAnonymous() && m_blocks->getAt(from->name().c_str(), id) == Zcad::eOk) {
        m_map[sourceId] = id;
        return id;
    }
    auto* copy = new ZcDbBlockTableRecord;
    // "*U3" of one drawing is another's "*U" with the next free number.
    copy->setName(from->isAnonymous() ? from->name().substr(0, 2).c_str() : from->name().c_str());
    copy->setOrigin(from->origin());
    copy->setComments(from->comments().c_str());
    if (m_blocks->add(id, copy) != Zcad::eOk) {
        delete copy;
        return {};
    }
    m_map[sourceId] = id;  // before its entities: a block may not hold itself, but be safe
    entities(from, copy);
    copy->close();
    return id;
}

bool DrawingCopy::copyProperties(const ZcDbEntity* from, ZcDbEntity* to)
{
    if (to->setLayer(layer(from->layerId())) != Zcad::eOk)
        return false;
    to->setLinetype(linetype(from->linetypeId()));
    for (const std::string& app : from->xDataApplications())
        ZcDbObjectAccess::registerApplication(&m_target, app);
    return true;
}

ZcDbRawEntity* DrawingCopy::copyRaw(const ZcDbRawEntity* e)
{
    ZcDbRawTags tags = e->tags();
    for (ZcDbRawTag& t : tags) {
        if (isHandleCode(t.code)) {
            const uint64_t h = std::strtoull(t.value.c_str(), nullptr, 16);
            ZcDbObjectId sourceId;
            if (h == 0)
                continue;
            if (m_source.getZcDbObjectId(sourceId, false, ZcDbHandle(h)) != Zcad::eOk)
                return nullptr;
            const ZcDbObjectId id = mapped(sourceId);
            if (id.isNull())
                return nullptr;  // an object the copy does not bring
            char text[32];
            id.handle().getIntoAsciiBuffer(text, sizeof text);
            t.value = text;
        } else if (t.code == 7) {
            textStyleNamed(t.value);
        } else if (t.code == 2 && (e->kind() == "INSERT" || e->kind() == "DIMENSION")) {
            const auto* blocks = ZcDbObjectAccess::peekAs<ZcDbBlockTable>(m_source.blockTableId());
            ZcDbObjectId sourceBlock;
            if (!blocks || blocks->getAt(t.value.c_str(), sourceBlock) != Zcad::eOk)
                return nullptr;
            const ZcDbObjectId copied = block(sourceBlock);
            const auto* record = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(copied);
            if (!record)
                return nullptr;
            t.value = record->name();
        }
    }
    auto* copy = static_cast<ZcDbRawEntity*>(e->clone());
    copy->setTags(std::move(tags));
    return copy;
}

ZcDbEntity* DrawingCopy::copyEntity(const ZcDbEntity* e)
{
    ZcDbEntity* copy = nullptr;
    if (const auto* raw = ZcDbRawEntity::cast(e)) {
        copy = copyRaw(raw);
    } else {
        copy = ZcDbEntity::cast(e->clone());
    }
    if (!copy)
        return nullptr;
    if (!copyProperties(e, copy)) {
        copy->close();
        return nullptr;
    }
    if (auto* text = ZcDbText::cast(copy))
        text->setTextStyle(textStyle(ZcDbText::cast(e)->textStyle()));
    else if (auto* mtext = ZcDbMText::cast(copy))
        mtext->setTextStyle(textStyle(ZcDbMText::cast(e)->textStyle()));
    else if (auto* reference = ZcDbBlockReference::cast(copy)) {
        const ZcDbObjectId nested = block(ZcDbBlockReference::cast(e)->blockTableRecord());
        if (reference->setBlockTableRecord(nested) != Zcad::eOk) {
            copy->close();
            return nullptr;
        }
    }
    return copy;
}

void DrawingCopy::entities(const ZcDbBlockTableRecord* from, ZcDbBlockTableRecord* into)
{
    for (const ZcDbObjectId& sourceId : from->entityIds()) {
        const auto* e = ZcDbObjectAccess::peekAs<ZcDbEntity>(sourceId);
        if (!e || e->isErased())
            continue;
        ZcDbEntity* copy = copyEntity(e);
        if (!copy)
            continue;
        ZcDbObjectId id;
        if (into->appendZcDbEntity(id, copy) != Zcad::eOk) {
            copy->close();
            continue;
        }
        m_map[sourceId] = id;
        if (auto* reference = ZcDbBlockReference::cast(copy)) {
            for (const ZcDbObjectId& attributeId : ZcDbBlockReference::cast(e)->attributeIds()) {
                const auto* attribute = ZcDbObjectAccess::peekAs<ZcDbAttribute>(attributeId);
                if (!attribute || attribute->isErased())
                    continue;
                auto* a = ZcDbAttribute::cast(copyEntity(attribute));
                if (!a)
                    continue;
                if (reference->appendAttribute(a) != Zcad::eOk) {
                    a->close();
                    continue;
                }
                a->close();
            }
        }
        if (auto* raw = ZcDbRawEntity::cast(copy)) {
            std::vector<ZcDbObjectId> following;
            for (const ZcDbObjectId& partId : ZcDbRawEntity::cast(e)->following()) {
                const auto* part = ZcDbObjectAccess::peekAs<ZcDbRawEntity>(partId);
                ZcDbRawEntity* partCopy = part ? copyRaw(part) : nullptr;
                if (!partCopy)
                    continue;
                copyProperties(part, partCopy);
                ZcDbObjectId partCopyId;
                if (ZcDbObjectAccess::addToDatabase(&m_target, partCopy, id, partCopyId) != Zcad::eOk) {
                    delete partCopy;
                    continue;
                }
                partCopy->close();
                following.push_back(partCopyId);
            }
            raw->setFollowing(std::move(following));
        }
        if (auto* hatch = ZcDbHatch::cast(copy)) {
            m_hatches.emplace_back(hatch, id);
            continue;  // closed once its boundaries are there
        }
        copy->close();
    }
}

void DrawingCopy::finishHatches()
{
    for (auto& [hatch, id] : m_hatches) {
        for (ZcDbHatch::Loop& loop : ZcDbObjectAccess::hatchLoops(hatch)) {
            std::vector<ZcDbObjectId> sources;
            for (const ZcDbObjectId& s : loop.sourceIds)
                if (const ZcDbObjectId copied = mapped(s); !copied.isNull())
                    sources.push_back(copied);
            loop.sourceIds = std::move(sources);
            if (hatch->associative())
                for (const ZcDbObjectId& s : loop.sourceIds)
                    ZcDbObjectAccess::peek(s)->addPersistentReactor(id);
        }
        hatch->close();
    }
    m_hatches.clear();
}

// The blocks a copy of a source block would reference, by id (its block
// references) and by name (kept references and dimensions).
std::vector<const ZcDbBlockTableRecord*> nestedBlocks(const ZcDbDatabase& source, const ZcDbBlockTableRecord& block)
{
    const auto* table = ZcDbObjectAccess::peekAs<ZcDbBlockTable>(source.blockTableId());
    std::vector<const ZcDbBlockTableRecord*> nested;
    for (const ZcDbObjectId& id : block.entityIds()) {
        const auto* e = ZcDbObjectAccess::peekAs<ZcDbEntity>(id);
        if (!e || e->isErased())
            continue;
        if (const auto* reference = ZcDbBlockReference::cast(e)) {
            nested.push_back(ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(reference->blockTableRecord()));
        } else if (const auto* raw = ZcDbRawEntity::cast(e);
                   raw && table && (raw->kind() == "INSERT" || raw->kind() == "DIMENSION")) {
            for (const ZcDbRawTag& t : raw->tags())
                if (ZcDbObjectId named; t.code == 2 && table->getAt(t.value.c_str(), named) == Zcad::eOk)
                    nested.push_back(ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(named));
        }
    }
    return nested;
}

// Whether copying the source's model space would bring a block named name
// at any depth: the drawing's new block of that name would then hold a
// reference to itself. Anonymous blocks are copied under new names, so
// they never clash.
bool bringsBlockNamed(const ZcDbDatabase& source, const ZcDbBlockTableRecord& space, const std::string& name)
{
    std::unordered_set<const ZcDbBlockTableRecord*> seen{&space};
    std::vector<const ZcDbBlockTableRecord*> pending{&space};
    while (!pending.empty()) {
        const ZcDbBlockTableRecord* block = pending.back();
        pending.pop_back();
        for (const ZcDbBlockTableRecord* nested : nestedBlocks(source, *block)) {
            if (!nested || nested->isLayout() || !seen.insert(nested).second)
                continue;
            if (!nested->isAnonymous() && sameSymbolName(nested->name(), name))
                return true;
            pending.push_back(nested);
        }
    }
    return false;
}

// The source's insertion base ($INSBASE), where the block's origin goes.
ZcGePoint3d insertionBase(const ZcDbDatabase& source)
{
    ZcGePoint3d base;
    for (const auto& [name, tags] : source.impl()->kept.headerVariables)
        if (name == "$INSBASE")
            for (const ZcDbRawTag& t : tags) {
                const double v = std::strtod(t.value.c_str(), nullptr);
                if (t.code == 10)
                    base.x = v;
                else if (t.code == 20)
                    base.y = v;
                else if (t.code == 30)
                    base.z = v;
            }
    return base;
}

}  // namespace

Zcad::ErrorStatus ZcDbDatabase::insert(ZcDbObjectId& blockId, const char* blockName, ZcDbDatabase* source, bool)
{
    blockId.setNull();
    if (!source || source == this || !blockName)
        return Zcad::eInvalidInput;
    if (!isValidSymbolName(blockName) || blockName[0] == '*')
        return Zcad::eInvalidSymbolTableName;
    const auto* space = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(source->modelSpaceId());
    if (!space || space->isErased())
        return Zcad::eInvalidInput;
    const auto* blocks = ZcDbObjectAccess::peekAs<ZcDbBlockTable>(blockTableId());
    if (!blocks)
        return Zcad::eNotInDatabase;
    ZcDbObjectId existingId;
    if (blocks->getAt(blockName, existingId) == Zcad::eOk) {
        blockId = existingId;
        return Zcad::eDuplicateKey;
    }
    // Nested blocks are found by name in this drawing; one of the new
    // block's own name would be the new block itself.
    if (bringsBlockNamed(*source, *space, blockName))
        return Zcad::eSelfReference;
    DrawingCopy copy(*this, *source);
    if (Zcad::ErrorStatus es = copy.open(); es != Zcad::eOk)
        return es;
    auto* record = new ZcDbBlockTableRecord;
    record->setName(blockName);
    const ZcGePoint3d base = insertionBase(*source);
    if (record->setOrigin(base) != Zcad::eOk)
        record->setOrigin(ZcGePoint3d::kOrigin);
    ZcDbObjectId id;
    if (Zcad::ErrorStatus es = ZcDbObjectAccess::peekAs<ZcDbBlockTable>(blockTableId())->add(id, record);
        es != Zcad::eOk) {
        delete record;
        return es;
    }
    copy.entities(space, record);
    copy.finishHatches();
    record->close();
    blockId = id;
    return Zcad::eOk;
}
