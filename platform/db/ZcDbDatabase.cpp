#include "ZcDbDatabase.h"

#include <algorithm>
#include <cmath>

#include "ZcDbBlockTable.h"
#include "ZcDbDictionary.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLinetypeTable.h"
#include "ZcDbRegAppTable.h"
#include "ZcDbTextStyleTable.h"
#include "platform/db/DatabaseImpl.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/entities/Finite.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbDatabase, ZcRxObject)

ZcDbHostApplicationServices* zcdbHostApplicationServices()
{
    static ZcDbHostApplicationServices services;
    return &services;
}

namespace platform {

ZcDbDatabaseImpl::~ZcDbDatabaseImpl()
{
    for (ZcDbStub& stub : stubs)
        delete stub.object;
}

void ZcDbDatabaseImpl::replaceContents(ZcDbDatabase& into, ZcDbDatabase& from)
{
    std::swap(into.m_impl, from.m_impl);
    ZcDbDatabaseImpl& now = *into.m_impl;
    ZcDbDatabaseImpl& old = *from.m_impl;
    now.self = &into;
    for (ZcDbStub& stub : now.stubs)
        stub.database = &into;
    for (ZcDbStub& stub : old.stubs) {
        delete stub.object;
        stub.object = nullptr;
        stub.database = nullptr;
    }
    now.retired = std::move(old.retired);
    now.retired.push_back(std::move(old.stubs));
    old.stubs.clear();
    old.retired.clear();
}

ZcDbStub* ZcDbDatabaseImpl::newStub(uint64_t handle)
{
    if (!stubs.empty() && handle <= stubs.back().handle && m_stubsAscending) {
        m_stubsAscending = false;
        m_indexStale = true;
    }
    ZcDbStub& stub = stubs.emplace_back();
    stub.database = self;
    stub.handle = handle;
    if (!m_stubsAscending && !m_indexStale) {
        if (m_handleIndex.empty() || m_handleIndex.back()->handle < handle)
            m_handleIndex.push_back(&stub);
        else
            m_indexStale = true;
    }
    return &stub;
}

ZcDbStub* ZcDbDatabaseImpl::findStub(uint64_t handle) const
{
    const auto byHandle = [](const ZcDbStub* s, uint64_t h) { return s->handle < h; };
    if (m_stubsAscending) {
        auto it = std::lower_bound(stubs.begin(), stubs.end(), handle,
                                   [](const ZcDbStub& s, uint64_t h) { return s.handle < h; });
        return it != stubs.end() && it->handle == handle ? const_cast<ZcDbStub*>(&*it) : nullptr;
    }
    if (m_indexStale) {
        m_handleIndex.clear();
        m_handleIndex.reserve(stubs.size());
        for (const ZcDbStub& s : stubs)
            m_handleIndex.push_back(const_cast<ZcDbStub*>(&s));
        std::sort(m_handleIndex.begin(), m_handleIndex.end(),
                  [](const ZcDbStub* a, const ZcDbStub* b) { return a->handle < b->handle; });
        m_indexStale = false;
    }
    auto it = std::lower_bound(m_handleIndex.begin(), m_handleIndex.end(), handle, byHandle);
    return it != m_handleIndex.end() && (*it)->handle == handle ? *it : nullptr;
}

}  // namespace platform

namespace {
// Adds an object owned by `owner` and closes it; returns its id.
ZcDbObjectId addClosed(ZcDbDatabase* db, ZcDbObject* obj, ZcDbObjectId owner)
{
    ZcDbObjectId id;
    if (ZcDbObjectAccess::addToDatabase(db, obj, owner, id) != Zcad::eOk) {
        delete obj;
        return {};
    }
    obj->close();
    return id;
}

template <class TABLE, class RECORD>
ZcDbObjectId addRecord(ZcDbObjectId tableId, RECORD* record, const char* name)
{
    record->setName(name);
    auto* table = ZcDbObjectAccess::peekAs<TABLE>(tableId);
    // The table is closed while the drawing is built; open it like anyone would.
    TABLE* open = nullptr;
    zcdbOpenObject(open, tableId, ZcDb::kForWrite);
    ZcDbObjectId id;
    table->add(id, record);
    record->close();
    open->close();
    return id;
}
}  // namespace

ZcDbDatabase::ZcDbDatabase(bool buildDefaultDrawing, bool /*noDocument*/) : m_impl(std::make_unique<ZcDbDatabaseImpl>())
{
    m_impl->self = this;
    if (!buildDefaultDrawing)
        return;
    ZcDbDatabaseImpl& d = *m_impl;
    // Handles in a fixed order, so a new drawing is the same every time.
    d.blockTable = addClosed(this, new ZcDbBlockTable, {});
    d.layerTable = addClosed(this, new ZcDbLayerTable, {});
    d.linetypeTable = addClosed(this, new ZcDbLinetypeTable, {});
    d.textStyleTable = addClosed(this, new ZcDbTextStyleTable, {});
    d.regAppTable = addClosed(this, new ZcDbRegAppTable, {});
    d.structure.vportTable = d.takeHandle();
    d.structure.vportActive = d.takeHandle();
    d.structure.viewTable = d.takeHandle();
    d.structure.ucsTable = d.takeHandle();
    d.structure.dimstyleTable = d.takeHandle();
    d.structure.dimstyleStandard = d.takeHandle();
    d.namedObjects = addClosed(this, new ZcDbDictionary, {});
    d.structure.layoutDictionary = d.takeHandle();
    d.structure.layoutModel = d.takeHandle();
    d.structure.layoutPaper = d.takeHandle();

    d.ltByBlock = addRecord<ZcDbLinetypeTable>(d.linetypeTable, new ZcDbLinetypeTableRecord, "ByBlock");
    d.ltByLayer = addRecord<ZcDbLinetypeTable>(d.linetypeTable, new ZcDbLinetypeTableRecord, "ByLayer");
    auto* continuous = new ZcDbLinetypeTableRecord;
    continuous->setComments("Solid line");
    d.ltContinuous = addRecord<ZcDbLinetypeTable>(d.linetypeTable, continuous, "Continuous");
    auto* layer0 = new ZcDbLayerTableRecord;
    layer0->setLinetypeObjectId(d.ltContinuous);
    d.layerZero = addRecord<ZcDbLayerTable>(d.layerTable, layer0, "0");
    d.styleStandard = addRecord<ZcDbTextStyleTable>(d.textStyleTable, new ZcDbTextStyleTableRecord, "Standard");
    addRecord<ZcDbRegAppTable>(d.regAppTable, new ZcDbRegAppTableRecord, "ACAD");
    d.modelSpace = addRecord<ZcDbBlockTable>(d.blockTable, new ZcDbBlockTableRecord, ZCDB_MODEL_SPACE);
    d.paperSpace = addRecord<ZcDbBlockTable>(d.blockTable, new ZcDbBlockTableRecord, ZCDB_PAPER_SPACE);

    ZcDbDictionary* nod = nullptr;
    zcdbOpenObject(nod, d.namedObjects, ZcDb::kForWrite);
    auto* groups = new ZcDbDictionary;
    nod->setAt("ACAD_GROUP", groups, d.groups);
    groups->close();
    nod->close();

    d.clayer = d.layerZero;
    d.celtype = d.ltByLayer;
    d.textstyle = d.styleStandard;
}

ZcDbDatabase::~ZcDbDatabase()
{
    if (zcdbHostApplicationServices()->workingDatabase() == this)
        zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

namespace {
template <class T>
Zcad::ErrorStatus openFixed(T*& obj, ZcDbObjectId id, ZcDb::OpenMode mode)
{
    obj = nullptr;
    if (id.isNull())
        return Zcad::eKeyNotFound;
    return zcdbOpenObject(obj, id, mode);
}
}  // namespace

Zcad::ErrorStatus ZcDbDatabase::getBlockTable(ZcDbBlockTable*& t, ZcDb::OpenMode m) { return openFixed(t, m_impl->blockTable, m); }
Zcad::ErrorStatus ZcDbDatabase::getLayerTable(ZcDbLayerTable*& t, ZcDb::OpenMode m) { return openFixed(t, m_impl->layerTable, m); }
Zcad::ErrorStatus ZcDbDatabase::getLinetypeTable(ZcDbLinetypeTable*& t, ZcDb::OpenMode m) { return openFixed(t, m_impl->linetypeTable, m); }
Zcad::ErrorStatus ZcDbDatabase::getTextStyleTable(ZcDbTextStyleTable*& t, ZcDb::OpenMode m) { return openFixed(t, m_impl->textStyleTable, m); }
Zcad::ErrorStatus ZcDbDatabase::getRegAppTable(ZcDbRegAppTable*& t, ZcDb::OpenMode m) { return openFixed(t, m_impl->regAppTable, m); }
Zcad::ErrorStatus ZcDbDatabase::getNamedObjectsDictionary(ZcDbDictionary*& d, ZcDb::OpenMode m) { return openFixed(d, m_impl->namedObjects, m); }
Zcad::ErrorStatus ZcDbDatabase::getGroupDictionary(ZcDbDictionary*& d, ZcDb::OpenMode m) { return openFixed(d, m_impl->groups, m); }

ZcDbObjectId ZcDbDatabase::blockTableId() const { return m_impl->blockTable; }
ZcDbObjectId ZcDbDatabase::layerTableId() const { return m_impl->layerTable; }
ZcDbObjectId ZcDbDatabase::linetypeTableId() const { return m_impl->linetypeTable; }
ZcDbObjectId ZcDbDatabase::textStyleTableId() const { return m_impl->textStyleTable; }
ZcDbObjectId ZcDbDatabase::regAppTableId() const { return m_impl->regAppTable; }
ZcDbObjectId ZcDbDatabase::namedObjectsDictionaryId() const { return m_impl->namedObjects; }
ZcDbObjectId ZcDbDatabase::groupDictionaryId() const { return m_impl->groups; }
ZcDbObjectId ZcDbDatabase::modelSpaceId() const { return m_impl->modelSpace; }
ZcDbObjectId ZcDbDatabase::paperSpaceId() const { return m_impl->paperSpace; }
ZcDbObjectId ZcDbDatabase::clayer() const { return m_impl->clayer; }
ZcDbObjectId ZcDbDatabase::celtype() const { return m_impl->celtype; }
ZcDbObjectId ZcDbDatabase::textstyle() const { return m_impl->textstyle; }
ZcDbObjectId ZcDbDatabase::byLayerLinetype() const { return m_impl->ltByLayer; }
ZcDbObjectId ZcDbDatabase::byBlockLinetype() const { return m_impl->ltByBlock; }
ZcDbObjectId ZcDbDatabase::continuousLinetype() const { return m_impl->ltContinuous; }
double ZcDbDatabase::ltscale() const { return m_impl->ltscale; }

Zcad::ErrorStatus ZcDbDatabase::setClayer(ZcDbObjectId layer)
{
    auto* record = ZcDbObjectAccess::peekAs<ZcDbLayerTableRecord>(layer);
    if (!record || layer.database() != this)
        return Zcad::eInvalidInput;
    if (record->isErased())
        return Zcad::eWasErased;
    m_impl->clayer = layer;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDatabase::setLtscale(double scale)
{
    if (!isDrawingNumber(scale) || scale <= 0.0)
        return Zcad::eInvalidInput;
    m_impl->ltscale = scale;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDatabase::getZcDbObjectId(ZcDbObjectId& id, bool createIfNotFound, const ZcDbHandle& handle) const
{
    id.setNull();
    if (handle.isNull())
        return Zcad::eInvalidInput;
    if (ZcDbStub* stub = m_impl->findStub(handle.value())) {
        id = ZcDbObjectId(stub);
        return Zcad::eOk;
    }
    if (!createIfNotFound)
        return Zcad::eKeyNotFound;
    // A forward reference of a file being read: the object arrives later.
    id = ZcDbObjectId(m_impl->newStub(handle.value()));
    if (handle.value() >= m_impl->nextHandle)
        m_impl->nextHandle = handle.value() + 1;
    return Zcad::eOk;
}

ZcDbHandle ZcDbDatabase::handseed() const { return ZcDbHandle(m_impl->nextHandle); }

Zcad::ErrorStatus ZcDbDatabase::addZcDbObject(ZcDbObjectId& id, ZcDbObject* obj)
{
    return ZcDbObjectAccess::addToDatabase(this, obj, {}, id);
}
