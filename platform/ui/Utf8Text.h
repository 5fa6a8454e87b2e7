#pragma once

#include <cstddef>
#include <string>

namespace platform {

// Controls count characters, the texts are UTF-8: a character is a lead
// byte and its continuation bytes.

inline bool isContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

inline size_t characterCount(const std::string& text)
{
    size_t count = 0;
    for (unsigned char c : text)
        if (!isContinuationByte(c))
            ++count;
    return count;
}

// The byte offset where character `index` starts; the text's size past its end.
inline size_t byteOffsetOfCharacter(const std::string& text, size_t index)
{
    size_t seen = 0;
    for (size_t at = 0; at < text.size(); ++at) {
        if (isContinuationByte((unsigned char)text[at]))
            continue;
        if (seen == index)
            return at;
        ++seen;
    }
    return text.size();
}

// The first `count` characters, never half of one.
inline std::string firstCharacters(const std::string& text, size_t count)
{
    return text.substr(0, byteOffsetOfCharacter(text, count));
}

}  // namespace platform
