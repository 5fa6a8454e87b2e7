#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Small text helpers of command-line input. Command names and keywords
// compare without regard to case; only ASCII letters fold, other UTF-8
// bytes compare as they are.

inline char asciiLowerChar(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

inline std::string asciiLower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = asciiLowerChar(c);
    return out;
}

inline bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (asciiLowerChar(a[i]) != asciiLowerChar(b[i]))
            return false;
    return true;
}

inline bool isBlank(char c) { return c == ' ' || c == '\t'; }

inline std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

inline std::vector<std::string_view> splitOn(std::string_view s, char separator)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const size_t at = s.find(separator);
        parts.push_back(s.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        s.remove_prefix(at + 1);
    }
}

// Splits off the first word (up to a blank); s is left after the one blank
// that ends it, so the rest keeps what was typed after that.
inline std::string_view takeWord(std::string_view& s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    size_t end = 0;
    while (end < s.size() && !isBlank(s[end]))
        ++end;
    const std::string_view word = s.substr(0, end);
    s.remove_prefix(end);
    if (!s.empty())
        s.remove_prefix(1);
    return word;
}

// Messages quote at most this many characters of a line: enough to recognise
// it, and a long line does not flood the terminal.
inline constexpr size_t kQuotedLineChars = 200;

// The start of a line for a message: at most kQuotedLineChars characters
// (UTF-8 sequences kept whole), "…" when something was left out.
inline std::string quotedExcerpt(std::string_view line)
{
    size_t chars = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        if ((static_cast<unsigned char>(line[i]) & 0xC0) == 0x80)
            continue;  // a continuation byte belongs to the character before
        if (chars++ == kQuotedLineChars)
            return std::string(line.substr(0, i)) + "…";
    }
    return std::string(line);
}

}  // namespace platform
