#pragma once

#include <string>
#include <string_view>

#include "platform/core/Utf8.h"

namespace platform {

// The small letter of a capital of the Latin alphabets a drawing's code
// page writes (ASCII, Latin-1 and Latin Extended-A: every Polish letter);
// anything else is its own.
inline char32_t foldedLetter(char32_t c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 0x20;
    if (c == 0x178)
        return 0xFF;  // Ÿ
    const bool evenCapitals = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenCapitals && c % 2 == 0) || (oddCapitals && c % 2 == 1))
        return c + 1;
    return c;
}

// Names of tables and dictionaries compare without regard to case, as the
// host's do ("ŁÓDŹ" is "Łódź").
inline bool sameSymbolName(std::string_view a, std::string_view b)
{
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const auto ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[j]);
        if (ca < 0x80 && cb < 0x80) {
            if (foldedLetter(ca) != foldedLetter(cb))
                return false;
            ++i, ++j;
            continue;
        }
        const Utf8Char x = decodeUtf8(a.substr(i)), y = decodeUtf8(b.substr(j));
        if (x.length == 0 || y.length == 0) {
            // Not UTF-8 (no name of a drawing is): byte against byte.
            if (a[i] != b[j])
                return false;
            ++i, ++j;
            continue;
        }
        if (foldedLetter(x.codePoint) != foldedLetter(y.codePoint))
            return false;
        i += x.length;
        j += y.length;
    }
    return i == a.size() && j == b.size();
}

// The name as sameSymbolName sees it: a key under which names that
// compare the same meet.
inline std::string foldedSymbolName(std::string_view name)
{
    std::string out;
    out.reserve(name.size());
    for (size_t i = 0; i < name.size();) {
        const Utf8Char c = decodeUtf8(name.substr(i));
        if (c.length == 0) {
            out += name[i++];
            continue;
        }
        appendUtf8(out, foldedLetter(c.codePoint));
        i += c.length;
    }
    return out;
}

// A record name the host accepts: UTF-8, not empty, no characters it
// reserves, and '*' only in front (anonymous blocks, "*Model_Space", "*Active").
inline bool isValidSymbolName(const std::string& name)
{
    if (name.empty() || name.size() > 255 || !isWellFormedUtf8(name))
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c < 0x20 || std::string_view("<>/\\\":;?|,=`").find(char(c)) != std::string_view::npos)
            return false;
        if (c == '*' && i != 0)
            return false;
    }
    return true;
}

}  // namespace platform
