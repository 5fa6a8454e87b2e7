#pragma once

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// A DXF text as its (group code, value) pairs, for tests that look at what
// was written. Leading blanks of the code line are allowed, as in any DXF.
struct DxfPair {
    int code = 0;
    std::string value;
};

inline std::vector<DxfPair> dxfPairs(std::string_view text)
{
    std::vector<DxfPair> pairs;
    size_t pos = 0;
    const auto nextLine = [&](std::string& line) {
        if (pos >= text.size())
            return false;
        const size_t end = text.find('\n', pos);
        const size_t stop = end == std::string_view::npos ? text.size() : end;
        line.assign(text.substr(pos, stop - pos));
        pos = stop + 1;
        return true;
    };
    std::string codeLine, valueLine;
    while (nextLine(codeLine) && nextLine(valueLine))
        pairs.push_back({std::atoi(codeLine.c_str()), valueLine});
    return pairs;
}

// The pairs of each object whose start (code 0) has the given kind.
inline std::vector<std::vector<DxfPair>> dxfObjectsOfKind(const std::vector<DxfPair>& pairs, std::string_view kind)
{
    std::vector<std::vector<DxfPair>> objects;
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (pairs[i].code != 0 || pairs[i].value != kind)
            continue;
        std::vector<DxfPair> object;
        for (size_t j = i + 1; j < pairs.size() && pairs[j].code != 0; ++j)
            object.push_back(pairs[j]);
        objects.push_back(std::move(object));
    }
    return objects;
}

// The first value of a code in an object's pairs, or "" when absent.
inline std::string dxfValue(const std::vector<DxfPair>& object, int code)
{
    for (const DxfPair& p : object)
        if (p.code == code)
            return p.value;
    return {};
}
