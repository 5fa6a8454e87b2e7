#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ZcDbObjectId.h"
#include "ZcDbOpenMode.h"
#include "ZcRxObject.h"
#include "ZcadErrorStatus.h"
#include "ZrxExport.h"
#include "resbuf.h"

class ZcDbDatabase;
namespace platform {
struct ZcDbObjectAccess;
}  // namespace platform

// One item of an object's extended data, kept by the object in stored form.
struct ZRX_EXPORT ZcDbXDataItem {
    short code = 0;
    std::string text;            // 1000-1009 (1004 binary as raw bytes)
    double values[3] = {0, 0, 0};  // 1010-1042: point or real in values[0]
    int32_t integer = 0;         // 1070, 1071
};

// Base of everything stored in a drawing. An object is opened by id in a
// mode and closed by whoever opened it; a new object starts open for write.
class ZRX_EXPORT ZcDbObject : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbObject)

    ZcDbObject() = default;
    ZcDbObject(const ZcDbObject&) = delete;
    ZcDbObject& operator=(const ZcDbObject&) = delete;
    ~ZcDbObject() override;

    ZcDbObjectId objectId() const;
    ZcDbObjectId ownerId() const { return m_owner; }
    ZcDbHandle getHandle() const;
    ZcDbDatabase* database() const;

    // Ends one opening. An object that is not in a drawing is deleted by close.
    Zcad::ErrorStatus close();
    Zcad::ErrorStatus upgradeOpen();
    Zcad::ErrorStatus downgradeOpen();
    // Marks the object erased (it must be open for write); erase(false) restores it.
    Zcad::ErrorStatus erase(bool erasing = true);

    bool isErased() const { return m_erased; }
    bool isNewObject() const;
    bool isReadEnabled() const { return m_readers > 0 || m_writer; }
    bool isWriteEnabled() const { return m_writer; }
    int readerCount() const { return m_readers; }

    // The extended data of one application (or of all when null) as a new
    // list the caller releases with zcutRelRb; null when there is none.
    resbuf* xData(const char* regappName = nullptr) const;
    // Replaces the data of each application named in the list (1001 items);
    // an application with no items after its name loses its data. The
    // application is registered in the drawing.
    Zcad::ErrorStatus setXData(const resbuf* xdata);
    std::vector<std::string> xDataApplications() const;

    ZcDbObjectId extensionDictionary() const { return m_extras ? m_extras->xdict : ZcDbObjectId(); }
    Zcad::ErrorStatus createExtensionDictionary();

    // Persistent reactors: objects told about changes, written as ACAD_REACTORS.
    void addPersistentReactor(const ZcDbObjectId& id);
    void removePersistentReactor(const ZcDbObjectId& id);
    const std::vector<ZcDbObjectId>& persistentReactors() const;

    // A deep copy that is not in any drawing, open for write; extended data
    // comes along, links to other objects are kept as they are.
    virtual ZcDbObject* clone() const;

protected:
    // Called once when the object has been given its id in a drawing.
    virtual void addedToDatabase() {}
    // Checks the object is open for write; setters return this when it is not.
    Zcad::ErrorStatus assertWriteEnabled() const;
    Zcad::ErrorStatus assertReadEnabled() const;
    // Sets a field of an object open for write; a value that is not valid is
    // refused (eInvalidInput) and nothing changes.
    template <class T, class V>
    Zcad::ErrorStatus setField(T& field, V&& value, bool valid = true)
    {
        if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
            return es;
        if (!valid)
            return Zcad::eInvalidInput;
        field = std::forward<V>(value);
        return Zcad::eOk;
    }
    // Copies what every object has (extended data, reactors excepted) into a clone.
    void copyObjectDataTo(ZcDbObject* other) const;
    // The drawing this object belongs to, or the working drawing before it is added.
    ZcDbDatabase* databaseOrWorking() const;

private:
    friend struct platform::ZcDbObjectAccess;

    platform::ZcDbStub* m_stub = nullptr;
    ZcDbObjectId m_owner;
    int m_readers = 0;
    bool m_writer = true;
    bool m_erased = false;
    // Extended data, reactors and the extension dictionary, which most
    // objects lack: kept apart so that a plain object costs one pointer for them.
    struct Extras {
        std::vector<std::pair<std::string, std::vector<ZcDbXDataItem>>> xdata;
        std::vector<ZcDbObjectId> reactors;
        ZcDbObjectId xdict;
    };
    Extras& extras();
    std::unique_ptr<Extras> m_extras;
};

// Opens an object by id. Refuses null ids (eNullObjectId), erased objects
// (eWasErased unless openErased), conflicting modes (eWasOpenForWrite,
// eWasOpenForRead) and, as the host does, writing to an entity of model or
// paper space whose layer is locked (eOnLockedLayer).
ZRX_EXPORT Zcad::ErrorStatus zcdbOpenZcDbObject(ZcDbObject*& obj, ZcDbObjectId id, ZcDb::OpenMode mode,
                                                bool openErased = false);

template <class T>
Zcad::ErrorStatus zcdbOpenObject(T*& obj, ZcDbObjectId id, ZcDb::OpenMode mode, bool openErased = false)
{
    obj = nullptr;
    ZcDbObject* o = nullptr;
    Zcad::ErrorStatus es = zcdbOpenZcDbObject(o, id, mode, openErased);
    if (es != Zcad::eOk)
        return es;
    obj = T::cast(o);
    if (!obj) {
        o->close();
        return Zcad::eNotThatKindOfClass;
    }
    return Zcad::eOk;
}
