#pragma once

#include "ZcDbObject.h"

// An object opened for the length of a scope, closed when the scope ends;
// also takes a new object (open for write) so that close() settles it.
template <class T>
class Opened {
public:
    Opened(ZcDbObjectId id, ZcDb::OpenMode mode) { m_status = zcdbOpenObject(m_object, id, mode); }
    explicit Opened(T* newObject) : m_object(newObject) {}
    Opened(const Opened&) = delete;
    Opened& operator=(const Opened&) = delete;
    ~Opened()
    {
        if (m_object)
            m_object->close();
    }

    T* operator->() const { return m_object; }
    T* get() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    Zcad::ErrorStatus status() const { return m_status; }

private:
    T* m_object = nullptr;
    Zcad::ErrorStatus m_status = Zcad::eOk;
};
