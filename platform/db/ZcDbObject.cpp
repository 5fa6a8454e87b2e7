#include "ZcDbObject.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "ZcDbBlockTable.h"
#include "ZcDbDatabase.h"
#include "ZcDbEntity.h"
#include "ZcDbLayerTable.h"
#include "ZcDbRegAppTable.h"
#include "platform/core/ResbufTypes.h"
#include "platform/core/Utf8.h"
#include "platform/db/DatabaseImpl.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/SymbolName.h"
#include "platform/db/XDataItems.h"
#include "platform/db/ZcDbStub.h"

using namespace platform;

ZcRxClass* ZcRxObject::desc()
{
    static ZcRxClass c("ZcRxObject", nullptr);
    return &c;
}
ZcRxObject::~ZcRxObject() = default;
ZcRxClass* ZcRxObject::isA() const { return desc(); }

ZCRX_DEFINE_MEMBERS(ZcDbObject, ZcRxObject)

namespace {
// The host lets this many readers share an object.
constexpr int kMaxReaders = 256;

ZcDbDatabaseImpl* implOf(const ZcDbStub* stub) { return stub && stub->database ? stub->database->impl() : nullptr; }
}  // namespace

// ---- ids and handles ------------------------------------------------------

void ZcDbHandle::getIntoAsciiBuffer(char* buffer, size_t size) const
{
    if (size > 0)
        std::snprintf(buffer, size, "%llX", static_cast<unsigned long long>(m_value));
}

bool ZcDbObjectId::isErased() const { return m_stub && m_stub->object && m_stub->object->isErased(); }
ZcDbHandle ZcDbObjectId::handle() const { return ZcDbHandle(m_stub ? m_stub->handle : 0); }
ZcDbDatabase* ZcDbObjectId::database() const { return m_stub ? m_stub->database : nullptr; }

// ---- open and close -------------------------------------------------------

ZcDbObject::~ZcDbObject() = default;

ZcDbObjectId ZcDbObject::objectId() const { return ZcDbObjectId(m_stub); }
ZcDbHandle ZcDbObject::getHandle() const { return objectId().handle(); }
ZcDbDatabase* ZcDbObject::database() const { return m_stub ? m_stub->database : nullptr; }
bool ZcDbObject::isNewObject() const { return m_stub == nullptr; }

ZcDbDatabase* ZcDbObject::databaseOrWorking() const
{
    if (ZcDbDatabase* db = database())
        return db;
    return zcdbHostApplicationServices()->workingDatabase();
}

Zcad::ErrorStatus ZcDbObject::close()
{
    if (m_writer) {
        m_writer = false;
        if (ZcDbDatabaseImpl* impl = implOf(m_stub)) {
            --impl->openForWrite;
            impl->changed(m_stub);
        }
    } else if (m_readers > 0)
        --m_readers;
    else
        return Zcad::eInvalidOpenState;
    if (m_readers > 0 || m_writer)
        return Zcad::eOk;
    if (!m_stub) {
        delete this;  // the host deletes a closed object that never joined a drawing
        return Zcad::eOk;
    }
    if (ZcDbDatabaseImpl* impl = implOf(m_stub))
        --impl->openCount;
    return Zcad::eOk;
}

namespace {

// An entity drawn in model or paper space on a locked layer: the host lets
// nothing change it. Entities inside block definitions are not looked at.
bool onLockedLayer(const ZcDbObject& object)
{
    const auto* entity = ZcDbEntity::cast(&object);
    if (!entity)
        return false;
    const auto* owner = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(entity->ownerId());
    if (!owner || !owner->isLayout())
        return false;
    const auto* layer = ZcDbObjectAccess::peekAs<ZcDbLayerTableRecord>(entity->layerId());
    return layer && layer->isLocked();
}

}  // namespace

Zcad::ErrorStatus ZcDbObject::upgradeOpen()
{
    if (m_writer)
        return Zcad::eWasOpenForWrite;
    if (m_readers == 0)
        return Zcad::eNotOpenForRead;
    if (m_readers > 1)
        return Zcad::eHadMultipleReaders;
    if (onLockedLayer(*this))
        return Zcad::eOnLockedLayer;
    m_readers = 0;
    m_writer = true;
    if (ZcDbDatabaseImpl* impl = implOf(m_stub))
        ++impl->openForWrite;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbObject::downgradeOpen()
{
    if (!m_writer)
        return Zcad::eWasNotOpenForWrite;
    m_writer = false;
    m_readers = 1;
    if (ZcDbDatabaseImpl* impl = implOf(m_stub)) {
        --impl->openForWrite;
        impl->changed(m_stub);
    }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbObject::erase(bool erasing)
{
    if (!m_writer)
        return Zcad::eNotOpenForWrite;
    if (!m_stub)
        return Zcad::eNotInDatabase;
    if (erasing == m_erased)
        return erasing ? Zcad::eWasErased : Zcad::eOk;
    m_erased = erasing;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbObject::assertWriteEnabled() const { return m_writer ? Zcad::eOk : Zcad::eNotOpenForWrite; }
Zcad::ErrorStatus ZcDbObject::assertReadEnabled() const
{
    return (m_writer || m_readers > 0) ? Zcad::eOk : Zcad::eNotOpenForRead;
}

Zcad::ErrorStatus zcdbOpenZcDbObject(ZcDbObject*& obj, ZcDbObjectId id, ZcDb::OpenMode mode, bool openErased)
{
    obj = nullptr;
    ZcDbStub* stub = id.stub();
    if (!stub)
        return Zcad::eNullObjectId;
    ZcDbObject* o = stub->object;
    if (!o)
        return Zcad::eKeyNotFound;
    if (o->isErased() && !openErased)
        return Zcad::eWasErased;
    const bool wasOpen = ZcDbObjectAccess::isOpen(o);
    if (mode == ZcDb::kForWrite) {
        if (o->isWriteEnabled())
            return Zcad::eWasOpenForWrite;
        if (o->readerCount() > 0)
            return Zcad::eWasOpenForRead;
        if (onLockedLayer(*o))
            return Zcad::eOnLockedLayer;
    } else if (mode == ZcDb::kForRead || mode == ZcDb::kForNotify) {
        if (o->isWriteEnabled())
            return Zcad::eWasOpenForWrite;
        if (o->readerCount() >= kMaxReaders)
            return Zcad::eAtMaxReaders;
    } else {
        return Zcad::eInvalidInput;
    }
    ZcDbObjectAccess::markOpened(o, mode);
    if (!wasOpen)
        ++stub->database->impl()->openCount;
    obj = o;
    return Zcad::eOk;
}

// ---- extended data --------------------------------------------------------

ZcDbObject::Extras& ZcDbObject::extras()
{
    if (!m_extras)
        m_extras = std::make_unique<Extras>();
    return *m_extras;
}

const std::vector<ZcDbObjectId>& ZcDbObject::persistentReactors() const
{
    static const std::vector<ZcDbObjectId> none;
    return m_extras ? m_extras->reactors : none;
}

resbuf* ZcDbObject::xData(const char* regappName) const
{
    if (!m_extras)
        return nullptr;
    resbuf* head = nullptr;
    resbuf** tail = &head;
    for (const auto& [app, items] : m_extras->xdata) {
        if (regappName && !sameSymbolName(app, regappName))
            continue;
        resbuf* name = zcutNewRb(1001);
        name->resval.rstring = zcutNewString(app.c_str());
        *tail = name;
        tail = &name->rbnext;
        for (const ZcDbXDataItem& item : items) {
            *tail = itemToResbuf(item);
            tail = &(*tail)->rbnext;
        }
    }
    return head;
}

Zcad::ErrorStatus ZcDbObject::setXData(const resbuf* xdata)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    // Parse the whole list first so that a bad item changes nothing.
    std::vector<std::pair<std::string, std::vector<ZcDbXDataItem>>> parsed;
    for (const resbuf* rb = xdata; rb; rb = rb->rbnext) {
        if (rb->restype == 1001) {
            const char* name = rb->resval.rstring;
            if (!name || !*name || !isWellFormedUtf8(name))
                return Zcad::eInvalidInput;
            parsed.emplace_back(name, std::vector<ZcDbXDataItem>{});
            continue;
        }
        ZcDbXDataItem item;
        if (parsed.empty() || rb->restype < 1000 || rb->restype > 1071 || !itemFromResbuf(rb, item))
            return Zcad::eInvalidInput;
        parsed.back().second.push_back(std::move(item));
    }
    ZcDbDatabase* db = databaseOrWorking();
    auto& stored = extras().xdata;
    for (auto& [app, items] : parsed) {
        if (db && !items.empty())
            ZcDbObjectAccess::registerApplication(db, app);
        auto it = std::find_if(stored.begin(), stored.end(),
                               [&, &name = app](const auto& e) { return sameSymbolName(e.first, name); });
        if (items.empty()) {
            if (it != stored.end())
                stored.erase(it);
        } else if (it != stored.end()) {
            it->second = std::move(items);
        } else {
            stored.emplace_back(app, std::move(items));
        }
    }
    return Zcad::eOk;
}

std::vector<std::string> ZcDbObject::xDataApplications() const
{
    std::vector<std::string> names;
    if (m_extras)
        for (const auto& e : m_extras->xdata)
            names.push_back(e.first);
    return names;
}

void ZcDbObject::copyObjectDataTo(ZcDbObject* other) const
{
    if (m_extras && !m_extras->xdata.empty())
        other->extras().xdata = m_extras->xdata;
}

ZcDbObject* ZcDbObject::clone() const { return nullptr; }

// ---- reactors and extension dictionary -------------------------------------

void ZcDbObject::addPersistentReactor(const ZcDbObjectId& id)
{
    if (id.isNull())
        return;
    auto& reactors = extras().reactors;
    if (std::find(reactors.begin(), reactors.end(), id) == reactors.end())
        reactors.push_back(id);
}

void ZcDbObject::removePersistentReactor(const ZcDbObjectId& id)
{
    if (!m_extras)
        return;
    auto& reactors = m_extras->reactors;
    reactors.erase(std::remove(reactors.begin(), reactors.end(), id), reactors.end());
}
