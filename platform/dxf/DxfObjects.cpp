// The OBJECTS section: dictionaries, groups, records and draw orders, plus
// the layout objects that only the file structure needs.

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "ZcDbDictionary.h"
#include "ZcDbEntity.h"
#include "ZcDbGroup.h"
#include "ZcDbSortentsTable.h"
#include "ZcDbSymbolTable.h"
#include "ZcDbXrecord.h"
#include "platform/core/ResbufTypes.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/SymbolName.h"
#include "platform/db/ZcDbRawObject.h"
#include "platform/dxf/DxfWriteContext.h"

namespace platform {

// Objects written in this section (not entities, not table records).
bool belongsInObjects(const ZcDbObject* obj)
{
    return !ZcDbEntity::cast(obj) && !ZcDbSymbolTableRecord::cast(obj) && !ZcDbSymbolTable::cast(obj) &&
           !ZcDbRawRecord::cast(obj);
}

bool DxfWrittenObjects::contains(const ZcDbDatabaseImpl& impl, const ZcDbObject* obj)
{
    if (!m_tablesKnown) {
        m_tables = {impl.structure.vportTable, impl.structure.viewTable, impl.structure.ucsTable,
                    impl.structure.dimstyleTable};
        for (const ZcDbKeptTable& t : impl.kept.tables)
            m_tables.push_back(t.handle);
        m_tablesKnown = true;
    }
    // Owners are followed up to a known answer; a circle is no answer.
    std::vector<const ZcDbObject*> path;
    bool answer = false;
    for (const ZcDbObject* at = obj;;) {
        if (const auto it = m_known.find(at); it != m_known.end()) {
            answer = it->second;
            break;
        }
        if (at->objectId() == impl.namedObjects) {
            answer = true;
            break;
        }
        if (std::find(path.begin(), path.end(), at) != path.end())
            break;
        path.push_back(at);
        const ZcDbObjectId owner = at->ownerId();
        const ZcDbObject* up = liveObject(owner);
        if (!up) {
            // A table the model does not hold is no object, but is written.
            answer = !owner.isNull() && !ZcDbObjectAccess::peek(owner) &&
                     std::find(m_tables.begin(), m_tables.end(), handleOf(owner)) != m_tables.end();
            break;
        }
        if (!belongsInObjects(up)) {
            answer = true;
            break;
        }
        at = up;
    }
    for (const ZcDbObject* p : path)
        m_known[p] = answer;
    return answer;
}

bool isWritten(DxfWriteContext& ctx, ZcDbObjectId id)
{
    const ZcDbObject* obj = liveObject(id);
    return obj && (!belongsInObjects(obj) || ctx.written.contains(ctx.impl, obj));
}

namespace {

// The layouts are the file structure's own (handles kept by the drawing),
// whatever the drawing may hold under that name.
bool isLayoutKey(const std::string& key) { return sameSymbolName(key, "ACAD_LAYOUT"); }

// A dictionary's entries that are written.
std::vector<std::pair<std::string, uint64_t>> liveEntries(DxfWriteContext& ctx, const ZcDbDictionary* dict)
{
    std::vector<std::pair<std::string, uint64_t>> entries;
    for (const auto& [key, id] : dict->entries())
        if (isWritten(ctx, id))
            entries.emplace_back(key, handleOf(id));
    return entries;
}

// The named-object dictionary's entries as the file needs them: the
// drawing's own, the group dictionary if it lacks it, and the layouts
// (made by the writer unless they are a file's own).
std::vector<std::pair<std::string, uint64_t>> rootEntries(DxfWriteContext& ctx, const ZcDbDictionary* root)
{
    std::vector<std::pair<std::string, uint64_t>> entries;
    bool hasGroups = false;
    const bool fileLayouts = ctx.impl.kept.layoutsFromFile;
    for (const auto& [key, handle] : liveEntries(ctx, root)) {
        if (isLayoutKey(key) && !fileLayouts)
            continue;
        entries.emplace_back(key, handle);
        hasGroups = hasGroups || handle == handleOf(ctx.impl.groups);
    }
    if (!hasGroups && isLive(ctx.impl.groups))
        entries.emplace_back("ACAD_GROUP", handleOf(ctx.impl.groups));
    if (!fileLayouts)
        entries.emplace_back("ACAD_LAYOUT", ctx.impl.structure.layoutDictionary);
    return entries;
}

void writeDictionary(DxfWriteContext& ctx, const ZcDbDictionary* dict, uint64_t owner,
                     const std::vector<std::pair<std::string, uint64_t>>& entries)
{
    DxfStream& out = ctx.out;
    writeObjectStart(ctx, "DICTIONARY", dict, owner);
    out.word(100, "AcDbDictionary");
    // An extension dictionary owns what it holds, as does one a file said does.
    const ZcDbObject* ownerObject = liveObject(dict->ownerId());
    const ZcDbRawTag* keptOwning = keptTag(ctx, dict, 280);
    const ZcDbRawTag* keptCloning = keptTag(ctx, dict, 281);
    const bool hardOwner = (ownerObject && ownerObject->extensionDictionary() == dict->objectId()) ||
                           (keptOwning && keptOwning->value == "1");
    if (hardOwner)
        out.integer(280, 1);
    if (keptCloning)
        out.text(281, keptCloning->value);
    else
        out.integer(281, 1);
    for (const auto& [key, handle] : entries) {
        out.text(3, key);
        out.handle(hardOwner ? 360 : 350, handle);
    }
    writeKeptTags(ctx, dict, {280, 281});
    writeXData(ctx, dict);
}

void writeGroup(DxfWriteContext& ctx, const ZcDbGroup* group, uint64_t owner)
{
    DxfStream& out = ctx.out;
    writeObjectStart(ctx, "GROUP", group, owner);
    out.word(100, "AcDbGroup");
    out.text(300, group->description());
    out.integer(70, group->isAnonymous() ? 1 : 0);
    out.integer(71, group->isSelectable() ? 1 : 0);
    for (const ZcDbObjectId& member : group->members())
        if (isLive(member))
            out.handle(340, handleOf(member));
    writeKeptTags(ctx, group);
    writeXData(ctx, group);
}

// Codes an XRECORD's data may use: any but those that would end the object
// (0), be taken for its handle (5, 105), its structure (100, 102) or the
// start of extended data (1000 and above).
bool isXrecordDataCode(int code)
{
    return code >= 1 && code <= 369 && code != 5 && code != 105 && code != 100 && code != 102;
}

void writeXrecord(DxfWriteContext& ctx, const ZcDbXrecord* record, uint64_t owner)
{
    DxfStream& out = ctx.out;
    writeObjectStart(ctx, "XRECORD", record, owner);
    out.word(100, "AcDbXrecord");
    out.integer(280, 1);
    for (const ZcDbXDataItem& item : record->items()) {
        const int code = item.code;
        const ResbufValue kind = isXrecordDataCode(code) ? resbufValueKind(code) : ResbufValue::None;
        switch (kind) {
        case ResbufValue::String:
        case ResbufValue::Name:
            out.text(code, item.text);
            break;
        case ResbufValue::Binary: {
            static constexpr char kHex[] = "0123456789ABCDEF";
            std::string hex;
            for (const char c : item.text) {
                hex.push_back(kHex[static_cast<unsigned char>(c) >> 4]);
                hex.push_back(kHex[static_cast<unsigned char>(c) & 0xF]);
            }
            out.word(code, hex);
            break;
        }
        case ResbufValue::Point:
            out.point(code, item.values[0], item.values[1], item.values[2]);
            break;
        case ResbufValue::Real:
            out.real(code, item.values[0]);
            break;
        case ResbufValue::Short:
        case ResbufValue::Long:
            out.integer(code, item.integer);
            break;
        default:
            ctx.fail(describe("XRECORD", handleOf(record->objectId())) + " holds group code " +
                     std::to_string(code) + ", which DXF cannot carry in a record");
            break;
        }
    }
    writeXData(ctx, record);
}

void writeSortents(DxfWriteContext& ctx, const ZcDbSortentsTable* table, uint64_t owner)
{
    DxfStream& out = ctx.out;
    writeObjectStart(ctx, "SORTENTSTABLE", table, owner);
    out.word(100, "AcDbSortentsTable");
    out.handle(330, handleOf(table->ownerBlock()));
    for (const auto& [entity, sortHandle] : table->entries()) {
        if (!isLive(entity))
            continue;
        out.handle(331, handleOf(entity));
        out.handle(5, sortHandle.value());
    }
    writeKeptTags(ctx, table);
    writeXData(ctx, table);
}

void writeLayoutDictionary(DxfWriteContext& ctx, uint64_t root)
{
    DxfStream& out = ctx.out;
    const ZcDbStructureHandles& s = ctx.impl.structure;
    out.word(0, "DICTIONARY");
    out.handle(5, s.layoutDictionary);
    out.word(102, "{ACAD_REACTORS");
    out.handle(330, root);
    out.word(102, "}");
    out.handle(330, root);
    out.word(100, "AcDbDictionary");
    out.integer(281, 1);
    out.word(3, "Layout1");
    out.handle(350, s.layoutPaper);
    out.word(3, "Model");
    out.handle(350, s.layoutModel);
}

void writeLayout(DxfWriteContext& ctx, uint64_t handle, const char* name, int tabOrder, ZcDbObjectId block)
{
    DxfStream& out = ctx.out;
    const uint64_t owner = ctx.impl.structure.layoutDictionary;
    out.word(0, "LAYOUT");
    out.handle(5, handle);
    out.word(102, "{ACAD_REACTORS");
    out.handle(330, owner);
    out.word(102, "}");
    out.handle(330, owner);
    out.word(100, "AcDbPlotSettings");
    out.word(1, "");
    out.word(2, "none_device");
    out.word(4, "");
    out.word(6, "");
    for (int code = 40; code <= 49; ++code)
        out.real(code, 0.0);
    out.real(140, 0.0);
    out.real(141, 0.0);
    out.real(142, 1.0);
    out.real(143, 1.0);
    out.integer(70, 688);
    out.integer(72, 1);  // millimetres
    out.integer(73, 0);
    out.integer(74, 5);
    out.word(7, "");
    out.integer(75, 16);  // 1:1
    out.real(147, 1.0);
    out.real(148, 0.0);
    out.real(149, 0.0);
    out.word(100, "AcDbLayout");
    out.word(1, name);
    out.integer(70, 1);
    out.integer(71, tabOrder);
    out.point(10, 0.0, 0.0);
    out.point(11, 420.0, 297.0);
    out.point(12, 0.0, 0.0, 0.0);
    out.point(14, 0.0, 0.0, 0.0);
    out.point(15, 0.0, 0.0, 0.0);
    out.real(146, 0.0);
    out.point(13, 0.0, 0.0, 0.0);
    out.point(16, 1.0, 0.0, 0.0);
    out.point(17, 0.0, 1.0, 0.0);
    out.integer(76, 0);
    out.handle(330, handleOf(block));
}

}  // namespace

void writeObjectsSection(DxfWriteContext& ctx)
{
    DxfStream& out = ctx.out;
    const auto* root = ZcDbDictionary::cast(liveObject(ctx.impl.namedObjects));
    if (!root) {
        ctx.fail("the drawing has no named-object dictionary");
        return;
    }

    // Every object of this section that is written, in handle order.
    std::vector<const ZcDbObject*> found;
    for (const ZcDbStub& stub : ctx.impl.stubs) {
        const ZcDbObject* obj = stub.object;
        if (obj && obj != root && !obj->isErased() && belongsInObjects(obj) && ctx.written.contains(ctx.impl, obj))
            found.push_back(obj);
    }
    std::sort(found.begin(), found.end(),
              [](const ZcDbObject* a, const ZcDbObject* b) { return handleOf(a->objectId()) < handleOf(b->objectId()); });

    out.word(0, "SECTION");
    out.word(2, "OBJECTS");
    // Readers take the first dictionary for the root.
    writeDictionary(ctx, root, 0, rootEntries(ctx, root));
    // The layouts the writer makes go among the objects in handle order, as
    // they come back when the file is read.
    const ZcDbStructureHandles& s = ctx.impl.structure;
    std::vector<uint64_t> madeLayouts;
    if (!ctx.impl.kept.layoutsFromFile)
        madeLayouts = {s.layoutDictionary, s.layoutModel, s.layoutPaper};
    std::sort(madeLayouts.begin(), madeLayouts.end());
    size_t nextMade = 0;
    const auto writeMadeBelow = [&](uint64_t handle) {
        for (; nextMade < madeLayouts.size() && madeLayouts[nextMade] < handle; ++nextMade) {
            const uint64_t h = madeLayouts[nextMade];
            if (h == s.layoutDictionary)
                writeLayoutDictionary(ctx, handleOf(root->objectId()));
            else if (h == s.layoutModel)
                writeLayout(ctx, s.layoutModel, "Model", 0, ctx.impl.modelSpace);
            else
                writeLayout(ctx, s.layoutPaper, "Layout1", 1, ctx.impl.paperSpace);
        }
    };
    for (const ZcDbObject* obj : found) {
        writeMadeBelow(handleOf(obj->objectId()));
        const uint64_t owner = handleOf(obj->ownerId());
        if (const auto* dict = ZcDbDictionary::cast(obj)) {
            writeDictionary(ctx, dict, owner, liveEntries(ctx, dict));
        } else if (const auto* group = ZcDbGroup::cast(obj)) {
            writeGroup(ctx, group, owner);
        } else if (const auto* record = ZcDbXrecord::cast(obj)) {
            writeXrecord(ctx, record, owner);
        } else if (const auto* table = ZcDbSortentsTable::cast(obj)) {
            writeSortents(ctx, table, owner);
        } else if (const auto* raw = ZcDbRawObject::cast(obj)) {
            writeObjectStart(ctx, raw->kind().c_str(), raw, owner);
            writeRawTags(out, raw->tags());
            writeXData(ctx, raw);
        } else {
            ctx.fail(describe(obj->isA()->name(), handleOf(obj->objectId())) +
                     " is of a kind DXF writing does not know");
        }
    }
    writeMadeBelow(UINT64_MAX);
    out.word(0, "ENDSEC");
}

}  // namespace platform
