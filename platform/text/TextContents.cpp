#include "platform/text/TextContents.h"

#include "platform/core/Utf8.h"

#include <cstdint>

namespace platform {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kNoBreakSpace = 0x00A0;

// The code point at text[i], moving i past it; U+FFFD for a malformed byte.
char32_t takeCodePoint(std::string_view text, size_t& i)
{
    const auto c = static_cast<unsigned char>(text[i++]);
    if (c < 0x80)
        return c;
    size_t extra = 0;
    char32_t cp = 0;
    if (c >= 0xC2 && c <= 0xDF)
        extra = 1, cp = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF)
        extra = 2, cp = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4)
        extra = 3, cp = c & 0x07;
    else
        return kReplacement;
    if (i + extra > text.size())
        return kReplacement;
    for (size_t k = 0; k < extra; ++k) {
        const auto cc = static_cast<unsigned char>(text[i + k]);
        if ((cc & 0xC0) != 0x80)
            return kReplacement;
        cp = (cp << 6) | (cc & 0x3F);
    }
    i += extra;
    return cp;
}

// A "%%" code at text[i] (just past the two percent signs): the character it
// shows (0 for none), moving i past it; false when it is no code.
bool percentCode(std::string_view text, size_t& i, char32_t& shown)
{
    if (i >= text.size())
        return false;
    switch (text[i]) {
    case 'd': case 'D': shown = 0x00B0; break;
    case 'p': case 'P': shown = 0x00B1; break;
    case 'c': case 'C': shown = 0x2300; break;
    case '%': shown = U'%'; break;
    case 'u': case 'U': case 'o': case 'O': case 'k': case 'K': shown = 0; break;
    default: {
        // %%nnn: the character of that number.
        size_t j = i;
        char32_t n = 0;
        while (j < text.size() && j < i + 3 && text[j] >= '0' && text[j] <= '9')
            n = n * 10 + char32_t(text[j++] - '0');
        if (j - i != 3)
            return false;
        shown = n;
        i = j;
        return true;
    }
    }
    ++i;
    return true;
}

bool isHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

}  // namespace

std::vector<std::u32string> mtextParagraphs(std::string_view text)
{
    std::vector<std::u32string> paragraphs(1);
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            paragraphs.emplace_back();
            continue;
        }
        if (c == '{' || c == '}') {
            ++i;
            continue;
        }
        if (c == '%' && i + 2 < text.size() && text[i + 1] == '%') {
            size_t j = i + 2;
            char32_t shown = 0;
            if (percentCode(text, j, shown)) {
                if (shown)
                    paragraphs.back() += shown;
                i = j;
                continue;
            }
        }
        if (c != '\\' || i + 1 >= text.size()) {
            paragraphs.back() += takeCodePoint(text, i);
            continue;
        }
        const char code = text[i + 1];
        i += 2;
        switch (code) {
        case 'P': case 'N': case 'X':
            paragraphs.emplace_back();
            break;
        case '\\': case '{': case '}':
            paragraphs.back() += char32_t(code);
            break;
        case '~':
            paragraphs.back() += kNoBreakSpace;
            break;
        case 'L': case 'l': case 'O': case 'o': case 'K': case 'k':
            break;
        case 'U':
            // \U+XXXX: a character by its code point.
            if (i + 5 <= text.size() && text[i] == '+' && isHex(text[i + 1]) && isHex(text[i + 2]) &&
                isHex(text[i + 3]) && isHex(text[i + 4])) {
                paragraphs.back() += char32_t(std::stoul(std::string(text.substr(i + 1, 4)), nullptr, 16));
                i += 5;
            } else {
                paragraphs.back() += U'U';
            }
            break;
        case 'M':
            // \M+nXXXX: a character of an Asian code page, shown as unknown.
            if (i + 6 <= text.size() && text[i] == '+') {
                paragraphs.back() += kReplacement;
                i += 6;
            }
            break;
        case 'S': {
            // Stacked text up to ';', or up to the end of its paragraph:
            // both parts side by side with a slash.
            while (i < text.size() && text[i] != ';' && text[i] != '\r' && text[i] != '\n') {
                const char s = text[i];
                if (s == '\\' && i + 1 < text.size()) {
                    const char next = text[i + 1];
                    if (next == 'P')
                        break;
                    if (next == '\r' || next == '\n') {
                        paragraphs.back() += U'\\';  // a lone backslash shows
                        ++i;
                        break;
                    }
                    ++i;
                    paragraphs.back() += takeCodePoint(text, i);
                } else if (s == '^' || s == '/' || s == '#') {
                    paragraphs.back() += U'/';
                    ++i;
                } else {
                    paragraphs.back() += takeCodePoint(text, i);
                }
            }
            if (i < text.size() && text[i] == ';')
                ++i;
            break;
        }
        case 'A': case 'C': case 'c': case 'F': case 'f': case 'H': case 'Q': case 'T': case 'W': case 'p': {
            // A setting up to its ';'.
            const size_t end = text.find(';', i);
            i = end == std::string_view::npos ? text.size() : end + 1;
            break;
        }
        default:
            // Not a code: the backslash shows, and the character after it.
            paragraphs.back() += U'\\';
            i -= 1;
            break;
        }
    }
    return paragraphs;
}

std::u32string singleLineCharacters(std::string_view text)
{
    std::u32string out;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '%' && i + 2 < text.size() && text[i + 1] == '%') {
            size_t j = i + 2;
            char32_t shown = 0;
            if (percentCode(text, j, shown)) {
                if (shown)
                    out += shown;
                i = j;
                continue;
            }
        }
        out += takeCodePoint(text, i);
    }
    return out;
}

std::string utf8Of(std::u32string_view text)
{
    std::string out;
    for (const char32_t cp : text)
        appendUtf8(out, cp);
    return out;
}

}  // namespace platform
