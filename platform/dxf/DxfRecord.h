#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dxf/DxfTagStream.h"

namespace platform {

// One group code and value of a record.
struct DxfTag {
    int code = 0;
    uint64_t line = 0;
    std::string_view value;
};

// One object of a file as its tags: its kind (the value of its code 0) and
// every pair up to the next code 0. The values stay valid until the record
// is read again.
class DxfRecord {
public:
    DxfRecord() = default;
    // The values point into the record itself: it stays where it is made.
    DxfRecord(const DxfRecord&) = delete;
    DxfRecord& operator=(const DxfRecord&) = delete;

    // Reads the record whose "0 KIND" the stream has just given, up to the
    // next code 0 (which the stream gives again). False on a stream error.
    bool read(DxfTagStream& in);

    const std::string& kind() const { return m_kind; }
    uint64_t line() const { return m_line; }
    size_t size() const { return m_tags.size(); }
    bool empty() const { return m_tags.empty(); }
    const DxfTag& operator[](size_t i) const { return m_tags[i]; }
    const std::vector<DxfTag>& tags() const { return m_tags; }
    // The first value of a code, or "" (found tells which).
    std::string_view first(int code, bool* found = nullptr) const;

private:
    struct Stored {
        int code;
        uint64_t line;
        size_t offset;
        size_t size;
    };
    std::string m_kind;
    uint64_t m_line = 0;
    std::string m_text;  // the values, one after another
    std::vector<Stored> m_stored;
    std::vector<DxfTag> m_tags;
};

}  // namespace platform
