#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace platform {

// Turns the texts of a DXF file into UTF-8. Files up to R2004 are written
// in the code page their header names ($DWGCODEPAGE, "ANSI_1250" and the
// like), with characters outside it as "\U+XXXX" (and "\M+nXXXX" for
// double-byte code pages); from R2007 on they are UTF-8. Control
// characters are spelled with a caret ("^J"), a caret itself as "^ ". Bytes that make no character
// become '?', so the result is always well-formed UTF-8.
class DxfTextDecoder {
public:
    DxfTextDecoder() = default;
    DxfTextDecoder(const DxfTextDecoder&) = delete;
    DxfTextDecoder& operator=(const DxfTextDecoder&) = delete;
    ~DxfTextDecoder();

    // From $ACADVER: AC1021 (R2007) and later are UTF-8.
    void setVersion(std::string_view acadver);
    // From $DWGCODEPAGE. An unknown name keeps Windows Latin 1.
    void setCodePage(std::string_view name);
    bool isUtf8() const { return m_utf8; }

    void decode(std::string_view text, std::string& out);
    std::string decode(std::string_view text)
    {
        std::string out;
        decode(text, out);
        return out;
    }

private:
    // An open conversion from the named code page to UTF-8, or null.
    void* converter(const std::string& codePage);
    // Converts bytes of a code page to UTF-8; bytes it cannot take become '?'.
    void convert(const std::string& codePage, std::string_view bytes, std::string& out);

    bool m_utf8 = false;
    std::string m_codePage = "CP1252";
    std::map<std::string, void*> m_converters;
    std::string m_scratch;
};

}  // namespace platform
