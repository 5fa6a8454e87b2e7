#include "platform/dxf/DxfText.h"

#include <cstdint>

#include "platform/core/Utf8.h"
#include "platform/win/TextEncodings.h"

namespace platform {

namespace {

void appendEscape(std::string& out, uint32_t unit)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    const char text[7] = {'\\', 'U', '+', kHex[(unit >> 12) & 0xF], kHex[(unit >> 8) & 0xF], kHex[(unit >> 4) & 0xF],
                          kHex[unit & 0xF]};
    out.append(text, sizeof text);
}

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// Whether a backslash at the front of text starts what readers take for an
// escape ("\U+XXXX", "\M+nXXXX").
bool startsEscape(std::string_view text)
{
    const auto hex = [&](size_t from) {
        if (text.size() < from + 4)
            return false;
        for (size_t i = from; i < from + 4; ++i)
            if (!isHexDigit(text[i]))
                return false;
        return true;
    };
    if (text.size() < 3 || text[0] != '\\' || text[2] != '+')
        return false;
    if (text[1] == 'U')
        return hex(3);
    return text[1] == 'M' && text.size() > 3 && text[3] >= '1' && text[3] <= '5' && hex(4);
}

// A code point, rest being the text from it on.
void appendCodePoint(std::string& out, uint32_t cp, std::string_view rest)
{
    if (cp == '^') {
        out.append("^ ");  // a caret of the text, not the start of a control character
    } else if (cp == '\\' && startsEscape(rest)) {
        appendEscape(out, cp);  // a backslash of the text, not the start of an escape
    } else if (cp < 0x20) {
        out.push_back('^');
        out.push_back(char(cp + 0x40));
    } else if (cp <= 0x7E) {
        out.push_back(char(cp));
    } else if (const int byte = cp1250ByteOf(cp); byte >= 0x80) {
        out.push_back(char(byte));  // the drawing's code page holds it
    } else if (cp <= 0xFFFF) {
        appendEscape(out, cp);
    } else {
        const uint32_t v = cp - 0x10000;
        appendEscape(out, 0xD800 + (v >> 10));
        appendEscape(out, 0xDC00 + (v & 0x3FF));
    }
}

// Calls onCodePoint(code point, the text from it on) for each code point.
template <class OnCodePoint>
void forEachCodePoint(std::string_view s, std::string& out, OnCodePoint onCodePoint)
{
    size_t i = 0;
    while (i < s.size()) {
        const Utf8Char d = decodeUtf8(s.substr(i));
        if (d.length == 0) {
            out.push_back('?');
            ++i;
            continue;
        }
        onCodePoint(d.codePoint, s.substr(i));
        i += d.length;
    }
}

}  // namespace

bool isPlainDxfText(std::string_view utf8)
{
    for (const char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b > 0x7E || c == '^' || c == '\\')
            return false;
    }
    return true;
}

void appendDxfText(std::string& out, std::string_view utf8)
{
    if (isPlainDxfText(utf8)) {
        out.append(utf8);
        return;
    }
    forEachCodePoint(utf8, out, [&](uint32_t cp, std::string_view rest) { appendCodePoint(out, cp, rest); });
}

std::string dxfText(std::string_view utf8)
{
    std::string out;
    appendDxfText(out, utf8);
    return out;
}

void appendDxfMTextContents(std::string& out, std::string_view utf8)
{
    uint32_t previous = 0;
    size_t backslashes = 0;  // how many the text has just before this character
    forEachCodePoint(utf8, out, [&](uint32_t cp, std::string_view rest) {
        if (cp == '\r' || (cp == '\n' && previous != '\r')) {  // "\r\n" is one break
            // A lone backslash shows as itself; left before the "\P", the
            // pair would read back as an escaped backslash and a "P".
            if (backslashes % 2 == 1)
                out.push_back('\\');
            out.append("\\P");
        } else if (cp != '\n') {
            appendCodePoint(out, cp, rest);
        }
        backslashes = cp == '\\' ? backslashes + 1 : 0;
        previous = cp;
    });
}

}  // namespace platform
