#pragma once

#include <utility>

#include "ZcDbObject.h"

// The host's smart object pointer: opens an object by id (or takes one
// already open) and closes it when it goes out of scope, so that no path
// leaves it open. An object not in a drawing is deleted by its close.
template <class T>
class ZcDbObjectPointer {
public:
    ZcDbObjectPointer() = default;
    ZcDbObjectPointer(ZcDbObjectId id, ZcDb::OpenMode mode, bool openErased = false) { open(id, mode, openErased); }
    ~ZcDbObjectPointer() { close(); }
    ZcDbObjectPointer(const ZcDbObjectPointer&) = delete;
    ZcDbObjectPointer& operator=(const ZcDbObjectPointer&) = delete;
    ZcDbObjectPointer(ZcDbObjectPointer&& other) noexcept
        : m_object(std::exchange(other.m_object, nullptr)), m_status(other.m_status)
    {
    }

    // Closes what it held, then opens the object of the id; eNotThatKindOfClass
    // (and nothing open) when the object is not a T.
    Zcad::ErrorStatus open(ZcDbObjectId id, ZcDb::OpenMode mode, bool openErased = false)
    {
        close();
        ZcDbObject* object = nullptr;
        m_status = zcdbOpenZcDbObject(object, id, mode, openErased);
        if (m_status != Zcad::eOk)
            return m_status;
        m_object = T::cast(object);
        if (!m_object) {
            object->close();
            m_status = Zcad::eNotThatKindOfClass;
        }
        return m_status;
    }

    // Takes an object that is open already (or new); it is closed from here on.
    Zcad::ErrorStatus acquire(T*& object)
    {
        close();
        m_object = std::exchange(object, nullptr);
        m_status = m_object ? Zcad::eOk : Zcad::eNullObjectPointer;
        return m_status;
    }

    // Gives the object back, still open, for the caller to close.
    Zcad::ErrorStatus release(T*& object)
    {
        object = std::exchange(m_object, nullptr);
        m_status = Zcad::eNullObjectPointer;
        return object ? Zcad::eOk : Zcad::eNullObjectPointer;
    }

    Zcad::ErrorStatus close()
    {
        if (!m_object)
            return Zcad::eNullObjectPointer;
        const Zcad::ErrorStatus es = std::exchange(m_object, nullptr)->close();
        m_status = Zcad::eNullObjectPointer;
        return es;
    }

    Zcad::ErrorStatus openStatus() const { return m_status; }
    T* object() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

private:
    T* m_object = nullptr;
    Zcad::ErrorStatus m_status = Zcad::eNullObjectPointer;
};
