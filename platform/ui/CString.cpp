#include "CString.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "platform/ui/ResourceChain.h"

using namespace platform;

BOOL CString::LoadString(UINT id)
{
    const char* text = findChainedString(id);
    m_text = text ? text : "";
    return text != nullptr;
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int size = std::vsnprintf(nullptr, 0, format ? format : "", args);
    va_end(args);
    if (size < 0) {
        va_end(again);
        m_text.clear();
        return;
    }
    std::vector<char> buffer(size_t(size) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format ? format : "", again);
    va_end(again);
    m_text.assign(buffer.data(), size_t(size));
}

int CString::CompareNoCase(const char* other) const
{
    const std::string b = other ? other : "";
    const auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
    for (size_t i = 0;; ++i) {
        const int x = i < m_text.size() ? lower((unsigned char)m_text[i]) : 0;
        const int y = i < b.size() ? lower((unsigned char)b[i]) : 0;
        if (x != y)
            return x < y ? -1 : 1;
        if (x == 0)
            return 0;
    }
}

int CString::Find(char c, int start) const
{
    if (start < 0 || size_t(start) >= m_text.size())
        return -1;
    const size_t at = m_text.find(c, size_t(start));
    return at == std::string::npos ? -1 : int(at);
}

CString CString::Left(int count) const { return CString(m_text.substr(0, count < 0 ? 0 : size_t(count))); }

CString CString::Mid(int first) const
{
    if (first < 0)
        first = 0;
    return size_t(first) >= m_text.size() ? CString() : CString(m_text.substr(size_t(first)));
}

CString CString::Mid(int first, int count) const
{
    if (first < 0)
        first = 0;
    if (count < 0)
        count = 0;
    return size_t(first) >= m_text.size() ? CString() : CString(m_text.substr(size_t(first), size_t(count)));
}
