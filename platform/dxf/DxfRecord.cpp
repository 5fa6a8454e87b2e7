#include "platform/dxf/DxfRecord.h"

#include <algorithm>

#include "platform/dxf/DxfGroupCodes.h"

namespace platform {

bool DxfRecord::read(DxfTagStream& in)
{
    // Kinds are words: blanks around one (some writers pad them) are not part of it.
    m_kind.assign(dxfTrimmed(in.value()));
    m_line = in.line();
    // No program names a kind with control bytes, and no spelling of one
    // would read back as the same kind.
    if (std::any_of(m_kind.begin(), m_kind.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
        in.fail(m_line, "control characters in the name of an object's kind");
        return false;
    }
    m_text.clear();
    m_stored.clear();
    while (in.next()) {
        if (in.code() == 0) {
            in.pushBack();
            break;
        }
        const std::string_view v = in.value();
        m_stored.push_back({in.code(), in.line(), m_text.size(), v.size()});
        m_text.append(v);
    }
    if (in.failed())
        return false;
    // The text is complete: the values can point into it now.
    m_tags.resize(m_stored.size());
    for (size_t i = 0; i < m_stored.size(); ++i) {
        const Stored& s = m_stored[i];
        m_tags[i] = {s.code, s.line, std::string_view(m_text.data() + s.offset, s.size)};
    }
    return true;
}

std::string_view DxfRecord::first(int code, bool* found) const
{
    for (const DxfTag& t : m_tags)
        if (t.code == code) {
            if (found)
                *found = true;
            return t.value;
        }
    if (found)
        *found = false;
    return {};
}

}  // namespace platform
