#pragma once

#include <string>
#include <vector>

class ZcDbDatabase;

namespace platform {

// What each multi-line text of a drawing shows: its paragraphs joined by
// line feeds, block by block in the order the entities are kept. A drawing
// written and read back shows the same.
std::vector<std::u32string> shownMultilineTexts(const ZcDbDatabase& db);

}  // namespace platform
