#include "platform/dxf/DxfText.h"

#include <cstdint>

namespace {

// The code point at the front of s and its length in bytes; length 0 when
// the front is not a well-formed sequence.
struct Decoded {
    uint32_t codePoint = 0;
    size_t length = 0;
};

Decoded decodeUtf8(std::string_view s)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(0);
    if (b0 < 0x80)
        return {b0, 1};
    size_t length = 0;
    uint32_t cp = 0;
    uint32_t minimum = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2, cp = b0 & 0x1Fu, minimum = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3, cp = b0 & 0x0Fu, minimum = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4, cp = b0 & 0x07u, minimum = 0x10000;
    } else {
        return {};
    }
    if (s.size() < length)
        return {};
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0u) != 0x80u)
            return {};
        cp = (cp << 6) | (byte(i) & 0x3Fu);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return {};
    return {cp, length};
}

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
        const Decoded d = decodeUtf8(s.substr(i));
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
    forEachCodePoint(utf8, out, [&](uint32_t cp, std::string_view rest) {
        if (cp == '\r' || (cp == '\n' && previous != '\r'))  // "\r\n" is one break
            out.append("\\P");
        else if (cp != '\n')
            appendCodePoint(out, cp, rest);
        previous = cp;
    });
}
