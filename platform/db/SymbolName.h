#pragma once

#include <algorithm>
#include <cctype>
#include <string>

// Names of tables and dictionaries compare without regard to case, as the host's do.
inline bool sameSymbolName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// A record name the host accepts: not empty, no characters it reserves, and
// '*' only in front (anonymous blocks, "*Model_Space", "*Active").
inline bool isValidSymbolName(const std::string& name)
{
    if (name.empty() || name.size() > 255)
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
