#pragma once

#include <string>

#include "WinTypes.h"
#include "ZrxExport.h"

// The framework's text type: a UTF-8 string here, as the system's texts are.
class ZRX_EXPORT CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(std::string text) : m_text(std::move(text)) {}

    // The module's string of that id (the plug-in's table, chained at load);
    // FALSE and an empty text when no module has it.
    BOOL LoadString(UINT id);
    // printf-style formatting into this string.
    void Format(const char* format, ...);

    int GetLength() const { return int(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    // 0 when equal ignoring ASCII case; otherwise the sign of the first difference.
    int CompareNoCase(const char* other) const;
    // Index of the first occurrence, or -1.
    int Find(char c, int start = 0) const;
    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;

    operator const char*() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }
    CString& operator=(const char* text)
    {
        m_text = text ? text : "";
        return *this;
    }
    CString& operator+=(const CString& other)
    {
        m_text += other.m_text;
        return *this;
    }
    friend CString operator+(CString a, const CString& b) { return a += b; }
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }

private:
    std::string m_text;
};
