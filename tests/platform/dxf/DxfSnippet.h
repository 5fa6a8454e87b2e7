#pragma once

#include <string>
#include <utility>
#include <vector>

// A DXF text made of (group code, value) pairs, for tests that feed the
// reader what other writers (or broken files) give it.
using DxfSnippetPairs = std::vector<std::pair<int, std::string>>;

inline std::string dxfSnippet(const DxfSnippetPairs& pairs)
{
    std::string text;
    for (const auto& [code, value] : pairs) {
        std::string c = std::to_string(code);
        text += std::string(c.size() < 3 ? 3 - c.size() : 0, ' ') + c + "\n" + value + "\n";
    }
    return text;
}

// A whole file of an R2000 header (with $HANDSEED) and the sections given.
inline std::string dxfFileOf(const DxfSnippetPairs& sections, const std::string& handseed = "FFF")
{
    DxfSnippetPairs all = {{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1015"},
                           {9, "$HANDSEED"}, {5, handseed}, {0, "ENDSEC"}};
    all.insert(all.end(), sections.begin(), sections.end());
    all.push_back({0, "EOF"});
    return dxfSnippet(all);
}

// The same with entities only.
inline std::string dxfEntitiesFile(const DxfSnippetPairs& entities)
{
    DxfSnippetPairs sections = {{0, "SECTION"}, {2, "ENTITIES"}};
    sections.insert(sections.end(), entities.begin(), entities.end());
    sections.push_back({0, "ENDSEC"});
    return dxfFileOf(sections);
}
