#pragma once

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "ZrxExport.h"

// The host's memory for growable arrays.
ZRX_EXPORT void* zcrxAlloc(size_t size);
ZRX_EXPORT void* zcrxRealloc(void* p, size_t size);
ZRX_EXPORT void zcrxFree(void* p);

// The host's growable array of plain values (points, ids, reals): element 0
// first, memory from zcrxAlloc. Elements are moved with memcpy, as the host does.
template <class T>
class ZRX_EXPORT ZcArray {
    static_assert(std::is_trivially_copyable_v<T>, "ZcArray holds plain values");

public:
    ZcArray() = default;
    explicit ZcArray(int physicalLength) { reserve(physicalLength); }
    ZcArray(const ZcArray& o) { *this = o; }
    ZcArray(ZcArray&& o) noexcept : m_data(o.m_data), m_length(o.m_length), m_capacity(o.m_capacity)
    {
        o.m_data = nullptr;
        o.m_length = o.m_capacity = 0;
    }
    ~ZcArray() { zcrxFree(m_data); }

    ZcArray& operator=(const ZcArray& o)
    {
        if (this != &o) {
            m_length = 0;
            reserve(o.m_length);
            if (o.m_length > 0)
                std::memcpy(static_cast<void*>(m_data), o.m_data, sizeof(T) * size_t(o.m_length));
            m_length = o.m_length;
        }
        return *this;
    }
    ZcArray& operator=(ZcArray&& o) noexcept
    {
        if (this != &o) {
            zcrxFree(m_data);
            m_data = o.m_data;
            m_length = o.m_length;
            m_capacity = o.m_capacity;
            o.m_data = nullptr;
            o.m_length = o.m_capacity = 0;
        }
        return *this;
    }

    int append(const T& value)
    {
        const T copy = value;  // value may live inside this array
        reserve(m_length + 1);
        m_data[m_length] = copy;
        return m_length++;
    }
    ZcArray& append(const ZcArray& o)
    {
        const ZcArray copy = o;
        for (int i = 0; i < copy.length(); ++i)
            append(copy[i]);
        return *this;
    }
    ZcArray& insertAt(int index, const T& value)
    {
        if (index < 0 || index > m_length)
            return *this;
        const T copy = value;
        reserve(m_length + 1);
        std::memmove(static_cast<void*>(m_data + index + 1), m_data + index, sizeof(T) * size_t(m_length - index));
        m_data[index] = copy;
        ++m_length;
        return *this;
    }
    ZcArray& removeAt(int index)
    {
        if (index < 0 || index >= m_length)
            return *this;
        std::memmove(static_cast<void*>(m_data + index), m_data + index + 1, sizeof(T) * size_t(m_length - index - 1));
        --m_length;
        return *this;
    }
    ZcArray& removeLast() { return removeAt(m_length - 1); }
    ZcArray& removeAll()
    {
        m_length = 0;
        return *this;
    }
    ZcArray& setLogicalLength(int n)
    {
        if (n < 0)
            n = 0;
        reserve(n);
        for (int i = m_length; i < n; ++i)
            m_data[i] = T{};
        m_length = n;
        return *this;
    }
    ZcArray& reverse()
    {
        for (int i = 0, j = m_length - 1; i < j; ++i, --j) {
            const T t = m_data[i];
            m_data[i] = m_data[j];
            m_data[j] = t;
        }
        return *this;
    }

    int length() const { return m_length; }
    int logicalLength() const { return m_length; }
    int physicalLength() const { return m_capacity; }
    bool isEmpty() const { return m_length == 0; }
    bool contains(const T& value) const { return find(value) >= 0; }
    int find(const T& value) const
    {
        for (int i = 0; i < m_length; ++i)
            if (m_data[i] == value)
                return i;
        return -1;
    }

    T& operator[](int i) { return m_data[i]; }
    const T& operator[](int i) const { return m_data[i]; }
    T& at(int i) { return m_data[i]; }
    const T& at(int i) const { return m_data[i]; }
    T& first() { return m_data[0]; }
    const T& first() const { return m_data[0]; }
    T& last() { return m_data[m_length - 1]; }
    const T& last() const { return m_data[m_length - 1]; }
    T* asArrayPtr() { return m_data; }
    const T* asArrayPtr() const { return m_data; }
    T* begin() { return m_data; }
    T* end() { return m_data + m_length; }
    const T* begin() const { return m_data; }
    const T* end() const { return m_data + m_length; }

private:
    void reserve(int n)
    {
        if (n <= m_capacity)
            return;
        int capacity = m_capacity > 0 ? m_capacity : 8;
        while (capacity < n)
            capacity *= 2;
        m_data = static_cast<T*>(zcrxRealloc(m_data, sizeof(T) * size_t(capacity)));
        m_capacity = capacity;
    }

    T* m_data = nullptr;
    int m_length = 0;
    int m_capacity = 0;
};
