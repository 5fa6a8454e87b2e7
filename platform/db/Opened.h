#pragma once

#include <utility>

#include "ZcDbObject.h"

namespace platform {

// An object opened for the length of a scope, closed when the scope ends or
// when another opening takes its place; also takes a new object (open for
// write) so that close() settles it. The platform's and the tests' closer.
template <class T>
class Opened {
public:
    Opened() = default;
    Opened(ZcDbObjectId id, ZcDb::OpenMode mode) { m_status = zcdbOpenObject(m_object, id, mode); }
    explicit Opened(T* newObject) : m_object(newObject) {}
    Opened(Opened&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)), m_status(other.m_status) {}
    Opened& operator=(Opened&& other) noexcept
    {
        if (this != &other) {
            close();
            m_object = std::exchange(other.m_object, nullptr);
            m_status = other.m_status;
        }
        return *this;
    }
    ~Opened() { close(); }

    T* operator->() const { return m_object; }
    T* get() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    // How the opening went.
    Zcad::ErrorStatus status() const { return m_status; }
    // Closes the object now.
    void close()
    {
        if (m_object)
            std::exchange(m_object, nullptr)->close();
    }

private:
    T* m_object = nullptr;
    Zcad::ErrorStatus m_status = Zcad::eOk;
};

}  // namespace platform
