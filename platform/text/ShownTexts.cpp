#include "platform/text/ShownTexts.h"

#include "ZcDbBlockTable.h"
#include "ZcDbDatabase.h"
#include "ZcDbMText.h"
#include "platform/db/ObjectAccess.h"
#include "platform/text/TextContents.h"

namespace platform {

std::vector<std::u32string> shownMultilineTexts(const ZcDbDatabase& db)
{
    std::vector<std::u32string> shown;
    auto* blocks = ZcDbObjectAccess::peekAs<ZcDbBlockTable>(db.blockTableId());
    if (!blocks)
        return shown;
    for (const ZcDbObjectId blockId : ZcDbObjectAccess::recordList(blocks)) {
        auto* block = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(blockId);
        if (!block)
            continue;
        for (const ZcDbObjectId id : ZcDbObjectAccess::entityList(block)) {
            const auto* text = ZcDbObjectAccess::peekAs<ZcDbMText>(id);
            if (!text || text->isErased())
                continue;
            const std::vector<std::u32string> paragraphs = mtextParagraphs(text->contents());
            std::u32string joined = paragraphs.front();
            for (size_t i = 1; i < paragraphs.size(); ++i)
                joined += U'\n' + paragraphs[i];
            shown.push_back(std::move(joined));
        }
    }
    return shown;
}

}  // namespace platform
