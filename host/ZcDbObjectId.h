#pragma once

#include <cstdint>
#include <functional>

#include "ZcArray.h"
#include "ZrxExport.h"

class ZcDbDatabase;
namespace platform {
struct ZcDbStub;
}  // namespace platform

// A drawing object's persistent handle.
class ZRX_EXPORT ZcDbHandle {
public:
    constexpr ZcDbHandle() = default;
    constexpr explicit ZcDbHandle(uint64_t value) : m_value(value) {}

    bool isNull() const { return m_value == 0; }
    uint64_t value() const { return m_value; }
    // Upper-case hexadecimal without leading zeros, as DXF writes it; "0" for null.
    void getIntoAsciiBuffer(char* buffer, size_t size) const;

    auto operator<=>(const ZcDbHandle&) const = default;

private:
    uint64_t m_value = 0;
};

// The id of an object in an open drawing: stable while the drawing is open,
// compares by identity; the null id is "no object".
class ZRX_EXPORT ZcDbObjectId {
public:
    constexpr ZcDbObjectId() = default;
    explicit constexpr ZcDbObjectId(platform::ZcDbStub* stub) : m_stub(stub) {}

    static const ZcDbObjectId kNull;

    bool isNull() const { return m_stub == nullptr; }
    void setNull() { m_stub = nullptr; }
    bool isValid() const { return m_stub != nullptr; }
    bool isErased() const;
    ZcDbHandle handle() const;
    ZcDbDatabase* database() const;
    platform::ZcDbStub* stub() const { return m_stub; }

    bool operator==(const ZcDbObjectId&) const = default;
    bool operator<(const ZcDbObjectId& o) const { return handle() < o.handle(); }

private:
    platform::ZcDbStub* m_stub = nullptr;
};

inline constexpr ZcDbObjectId ZcDbObjectId::kNull{};

using ZcDbObjectIdArray = ZcArray<ZcDbObjectId>;

template <>
struct std::hash<ZcDbObjectId> {
    size_t operator()(const ZcDbObjectId& id) const noexcept { return std::hash<const void*>()(id.stub()); }
};
