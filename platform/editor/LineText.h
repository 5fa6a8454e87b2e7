#pragma once

#include <string>
#include <string_view>
#include <vector>

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
