// What follows the last section: links resolved and links to nothing
// dropped, what a file lacked added (tables, fixed records, dictionaries),
// block nesting checked, and handles given to what the file gave none.

#include <algorithm>
#include <unordered_set>

#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbDictionary.h"
#include "ZcDbGroup.h"
#include "ZcDbHatch.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLinetypeTable.h"
#include "ZcDbRegAppTable.h"
#include "ZcDbSortentsTable.h"
#include "ZcDbTextStyleTable.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/SymbolName.h"
#include "platform/db/ZcDbRawObject.h"
#include "platform/dxf/DxfReadContext.h"
#include "platform/dxf/DxfReadSections.h"

namespace platform {

namespace {

// Blocks inside blocks multiply: whatever looks at a drawing's geometry
// visits every entity of every nested block once per reference. A drawing
// that would expand to more than this is refused rather than left to take
// hours on every look.
constexpr uint64_t kMaxExpandedEntities = 50'000'000;

bool exists(ZcDbObjectId id) { return ZcDbObjectAccess::peek(id) != nullptr; }

void fixedRecords(DxfReadContext& ctx)
{
    ZcDbDatabaseImpl& impl = ctx.impl;
    ctx.table(impl.blockTable, make<ZcDbBlockTable>);
    ctx.table(impl.layerTable, make<ZcDbLayerTable>);
    ctx.table(impl.linetypeTable, make<ZcDbLinetypeTable>);
    ctx.table(impl.textStyleTable, make<ZcDbTextStyleTable>);
    auto* apps = ctx.table(impl.regAppTable, make<ZcDbRegAppTable>);
    impl.ltByBlock = ctx.linetype("ByBlock");
    impl.ltByLayer = ctx.linetype("ByLayer");
    impl.ltContinuous = ctx.linetype("Continuous");
    impl.layerZero = ctx.layer("0");
    impl.styleStandard = ctx.textStyle("Standard");
    if (impl.modelSpace.isNull())
        impl.modelSpace = ctx.block(ZCDB_MODEL_SPACE);
    if (impl.paperSpace.isNull())
        impl.paperSpace = ctx.block(ZCDB_PAPER_SPACE);
    // Every application with extended data is registered.
    std::vector<std::string> names{"ACAD"};
    names.insert(names.end(), ctx.xdataApplications.begin(), ctx.xdataApplications.end());
    for (const std::string& name : names)
        if (!ctx.appids.count(DxfReadContext::key(name)))
            ctx.addRecord(new ZcDbRegAppTableRecord, name, 0, apps, ctx.appids);
}

template <class Index>
ZcDbObjectId named(const Index& index, const std::string& name, ZcDbObjectId fallback)
{
    const auto it = index.find(DxfReadContext::key(name));
    return it == index.end() ? fallback : it->second;
}

void dictionaries(DxfReadContext& ctx)
{
    ZcDbDatabaseImpl& impl = ctx.impl;
    if (!ZcDbObjectAccess::peekAs<ZcDbDictionary>(impl.namedObjects)) {
        auto* root = new ZcDbDictionary;
        impl.namedObjects = ctx.add(root, 0, {});
        root->close();
    }
    // Entries that point nowhere, at their own dictionary, or repeat a name go.
    std::vector<ZcDbObjectId> all = ctx.dictionaries;
    all.push_back(impl.namedObjects);
    for (const ZcDbObjectId id : all) {
        auto* dict = ZcDbObjectAccess::peekAs<ZcDbDictionary>(id);
        if (!dict)
            continue;
        auto& entries = ZcDbObjectAccess::entryList(dict);
        std::unordered_set<std::string> keys;
        std::vector<std::pair<std::string, ZcDbObjectId>> kept;
        for (auto& entry : entries)
            if (exists(entry.second) && entry.second != id && keys.insert(DxfReadContext::key(entry.first)).second)
                kept.push_back(std::move(entry));
        entries = std::move(kept);
    }
    auto* root = ZcDbObjectAccess::peekAs<ZcDbDictionary>(impl.namedObjects);
    ZcDbObjectId groups;
    if (root->getAt("ACAD_GROUP", groups) != Zcad::eOk || !ZcDbObjectAccess::peekAs<ZcDbDictionary>(groups)) {
        auto& entries = ZcDbObjectAccess::entryList(root);
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [](const auto& e) { return sameSymbolName(e.first, "ACAD_GROUP"); }),
                      entries.end());
        auto* dict = new ZcDbDictionary;
        groups = ctx.add(dict, 0, impl.namedObjects);
        ZcDbObjectAccess::appendEntry(root, "ACAD_GROUP", groups);
        dict->close();
    }
    impl.groups = groups;
}

void links(DxfReadContext& ctx)
{
    for (DxfReadContext::GroupMembers& g : ctx.groupMembers) {
        ZcDbGroup* group = nullptr;
        if (zcdbOpenObject(group, g.group, ZcDb::kForWrite) != Zcad::eOk)
            continue;
        for (const ZcDbObjectId member : g.members)
            group->append(member);  // refuses what is no entity of the drawing
        group->close();
    }
    for (const ZcDbObjectId id : ctx.sortents) {
        auto* table = ZcDbObjectAccess::peekAs<ZcDbSortentsTable>(id);
        auto& entries = ZcDbObjectAccess::sortentsEntries(table);
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [](const auto& e) { return !ZcDbObjectAccess::peekAs<ZcDbEntity>(e.first); }),
                      entries.end());
    }
    for (const ZcDbObjectId id : ctx.linked) {
        ZcDbObject* obj = ZcDbObjectAccess::peek(id);
        if (!obj->persistentReactors().empty()) {
            auto& reactors = ZcDbObjectAccess::reactorList(obj);
            reactors.erase(std::remove_if(reactors.begin(), reactors.end(),
                                          [&](ZcDbObjectId r) { return !exists(r) || r == id; }),
                           reactors.end());
        }
        if (!obj->extensionDictionary().isNull()) {
            auto* xdict = ZcDbObjectAccess::peekAs<ZcDbDictionary>(obj->extensionDictionary());
            if (!xdict || xdict == obj)
                ZcDbObjectAccess::setExtensionDictionary(obj, {});
        }
    }
    for (const ZcDbObjectId id : ctx.hatches)
        for (ZcDbHatch::Loop& loop : ZcDbObjectAccess::hatchLoops(ZcDbObjectAccess::peekAs<ZcDbHatch>(id)))
            loop.sourceIds.erase(std::remove_if(loop.sourceIds.begin(), loop.sourceIds.end(),
                                                [](ZcDbObjectId s) { return !ZcDbObjectAccess::peekAs<ZcDbEntity>(s); }),
                                 loop.sourceIds.end());
}

// Objects of the OBJECTS section whose owner is missing, or whose owners
// go round in a circle, are given to the named-object dictionary.
void owners(DxfReadContext& ctx)
{
    std::unordered_set<uint64_t> tableHandles;
    for (const ZcDbKeptTable& t : ctx.impl.kept.tables)
        tableHandles.insert(t.handle);
    std::unordered_set<const ZcDbStub*> inSection;
    for (const ZcDbObjectId id : ctx.objectsSection)
        inSection.insert(id.stub());
    std::unordered_set<const ZcDbStub*> settled;
    const ZcDbObjectId root = ctx.impl.namedObjects;
    for (const ZcDbObjectId id : ctx.objectsSection) {
        ZcDbObject* obj = ZcDbObjectAccess::peek(id);
        if (!obj || id == root)
            continue;
        std::unordered_set<const ZcDbStub*> path;
        ZcDbObjectId at = id;
        bool anchored = false;
        while (true) {
            if (at == root || settled.count(at.stub())) {
                anchored = true;
                break;
            }
            if (!path.insert(at.stub()).second)
                break;  // a circle
            const ZcDbObjectId owner = ZcDbObjectAccess::peek(at)->ownerId();
            if (owner.isNull())
                break;
            if (!exists(owner)) {
                anchored = tableHandles.count(owner.handle().value()) > 0;
                break;
            }
            if (!inSection.count(owner.stub())) {
                anchored = true;  // an entity, record or table
                break;
            }
            at = owner;
        }
        if (!anchored)
            ZcDbObjectAccess::setOwner(obj, root);
        settled.insert(id.stub());
    }
    if (auto* rootDict = ZcDbObjectAccess::peek(root))
        ZcDbObjectAccess::setOwner(rootDict, {});
}

// Deeper nesting than this is no drawing anyone made (the host stops
// looking into nested blocks long before).
constexpr int kMaxNestingDepth = 500;

// Blocks nested in themselves would nest without end; nesting so deep that
// the drawing would expand beyond reason is refused too.
bool nesting(DxfReadContext& ctx)
{
    if (ctx.references.empty())
        return true;
    auto* table = ZcDbObjectAccess::peekAs<ZcDbBlockTable>(ctx.impl.blockTable);
    std::unordered_map<const ZcDbStub*, uint64_t> expanded;
    std::unordered_set<const ZcDbStub*> visiting;
    std::string circle;
    bool tooDeep = false;
    // Entities of a block when every reference in it is expanded.
    const auto count = [&](auto&& self, ZcDbObjectId blockId, int depth) -> uint64_t {
        if (const auto it = expanded.find(blockId.stub()); it != expanded.end())
            return it->second;
        const auto* block = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(blockId);
        if (!block)
            return 0;
        if (depth > kMaxNestingDepth) {
            tooDeep = true;
            return kMaxExpandedEntities + 1;
        }
        if (!visiting.insert(blockId.stub()).second) {
            if (circle.empty())
                circle = block->name();
            return kMaxExpandedEntities + 1;
        }
        uint64_t total = 0;
        for (const ZcDbObjectId id : block->entityIds()) {
            total += 1;
            if (const auto* ref = ZcDbObjectAccess::peekAs<ZcDbBlockReference>(id))
                total += ref->attributeIds().size() + self(self, ref->blockTableRecord(), depth + 1);
            if (total > kMaxExpandedEntities)
                break;
        }
        visiting.erase(blockId.stub());
        expanded[blockId.stub()] = std::min(total, kMaxExpandedEntities + 1);
        return expanded[blockId.stub()];
    };
    for (const ZcDbObjectId id : table->recordIds()) {
        const uint64_t n = count(count, id, 0);
        if (!circle.empty())
            return ctx.fail(ctx.in.line(), "block \"" + circle + "\" holds a reference to itself");
        if (tooDeep)
            return ctx.fail(ctx.in.line(), "blocks nest more than " + std::to_string(kMaxNestingDepth) + " deep");
        if (n > kMaxExpandedEntities)
            return ctx.fail(ctx.in.line(), "block \"" + ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(id)->name() +
                                               "\" nests blocks so deeply that it would expand to more than " +
                                               std::to_string(kMaxExpandedEntities) + " entities");
    }
    return true;
}

// The layouts are the file's when its layout dictionary and both layouts
// are there; otherwise the file's go and the writer makes its own.
void layouts(DxfReadContext& ctx)
{
    ZcDbDatabaseImpl& impl = ctx.impl;
    ZcDbStructureHandles& s = impl.structure;
    auto* root = ZcDbObjectAccess::peekAs<ZcDbDictionary>(impl.namedObjects);
    ZcDbObjectId dictId;
    root->getAt("ACAD_LAYOUT", dictId);
    const auto isLayout = [&](uint64_t h) {
        const auto* raw = ZcDbObjectAccess::peekAs<ZcDbRawObject>(ctx.existing(h));
        return raw && raw->kind() == "LAYOUT";
    };
    const auto* dict = ZcDbObjectAccess::peekAs<ZcDbDictionary>(dictId);
    if (dict && isLayout(s.layoutModel) && isLayout(s.layoutPaper)) {
        s.layoutDictionary = dictId.handle().value();
        impl.kept.layoutsFromFile = true;
        return;
    }
    for (ZcDbStub& stub : impl.stubs)
        if (const auto* raw = ZcDbRawObject::cast(stub.object); raw && raw->kind() == "LAYOUT")
            ZcDbObjectAccess::setErased(stub.object, true);
    if (dict) {
        auto& entries = ZcDbObjectAccess::entryList(root);
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [&](const auto& e) { return e.second == dictId; }),
                      entries.end());
        // A dictionary that held layouts only goes with them; one that holds
        // more stays, for what it holds.
        const bool layoutsOnly = std::all_of(dict->entries().begin(), dict->entries().end(), [](const auto& e) {
            return e.second.isErased();
        });
        if (layoutsOnly)
            ZcDbObjectAccess::setErased(ZcDbObjectAccess::peek(dictId), true);
    }
    s.layoutDictionary = s.layoutModel = s.layoutPaper = 0;
}

// Handles for everything the file left without one, above all of its own.
void handles(DxfReadContext& ctx)
{
    ZcDbDatabaseImpl& impl = ctx.impl;
    uint64_t next = std::max<uint64_t>({ctx.handseed, ctx.maxHandle + 1, 1});
    bool changed = false;
    for (ZcDbStub& stub : impl.stubs)
        if (stub.handle >= kProvisionalHandleBase) {
            stub.handle = next++;
            changed = true;
        }
    if (changed)
        impl.handlesChanged();
    impl.nextHandle = next;
    const auto fresh = [&](uint64_t& h) {
        if (h == 0 || h >= kProvisionalHandleBase)
            h = impl.takeHandle();
    };
    // In the order of the tables, so that the same file gives the same handles.
    for (const ZcDbObjectId id : ZcDbObjectAccess::peekAs<ZcDbBlockTable>(impl.blockTable)->recordIds()) {
        auto& ends = impl.blockEnds[id.stub()];
        fresh(ends.first);
        fresh(ends.second);
    }
    for (const ZcDbObjectId id : ctx.references)
        if (!ZcDbObjectAccess::peekAs<ZcDbBlockReference>(id)->attributeIds().empty())
            fresh(impl.seqends[id.stub()]);
    for (ZcDbKeptTable& t : impl.kept.tables)
        fresh(t.handle);
    ZcDbStructureHandles& s = impl.structure;
    const auto keptTable = [&](const char* name) -> ZcDbKeptTable* {
        for (ZcDbKeptTable& t : impl.kept.tables)
            if (t.name == name)
                return &t;
        return nullptr;
    };
    const auto recordHandle = [&](const ZcDbKeptTable* t, const char* name) -> uint64_t {
        if (t)
            for (const ZcDbObjectId id : t->records)
                if (const auto* r = ZcDbObjectAccess::peekAs<ZcDbRawRecord>(id); r && sameSymbolName(r->name(), name))
                    return id.handle().value();
        return 0;
    };
    // Only the handles the writer will use: a table kept as read has its own.
    const ZcDbKeptTable* vport = keptTable("VPORT");
    const ZcDbKeptTable* view = keptTable("VIEW");
    const ZcDbKeptTable* ucs = keptTable("UCS");
    const ZcDbKeptTable* dimstyle = keptTable("DIMSTYLE");
    s.vportTable = vport ? vport->handle : 0;
    s.vportActive = 0;
    s.viewTable = view ? view->handle : 0;
    s.ucsTable = ucs ? ucs->handle : 0;
    s.dimstyleTable = dimstyle ? dimstyle->handle : 0;
    s.dimstyleStandard = recordHandle(dimstyle, "Standard");
    if (!vport) {
        fresh(s.vportTable);
        fresh(s.vportActive);
    }
    for (uint64_t* h : {&s.viewTable, &s.ucsTable, &s.dimstyleTable, &s.dimstyleStandard})
        fresh(*h);
    if (!impl.kept.layoutsFromFile)
        for (uint64_t* h : {&s.layoutDictionary, &s.layoutModel, &s.layoutPaper})
            fresh(*h);
}

}  // namespace

bool finishDrawing(DxfReadContext& ctx)
{
    fixedRecords(ctx);
    dictionaries(ctx);
    links(ctx);
    owners(ctx);
    if (!nesting(ctx))
        return false;
    ZcDbDatabaseImpl& impl = ctx.impl;
    impl.clayer = named(ctx.layers, ctx.clayerName, impl.layerZero);
    impl.celtype = named(ctx.linetypes, ctx.celtypeName, impl.ltByLayer);
    impl.textstyle = named(ctx.styles, ctx.textstyleName, impl.styleStandard);
    impl.ltscale = ctx.ltscale;
    layouts(ctx);
    handles(ctx);
    return true;
}

}  // namespace platform
