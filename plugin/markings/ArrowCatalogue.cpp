#include "markings/ArrowCatalogue.h"

#include "frame/StringTable.h"

std::span<const ArrowRow> ArrowCatalogue() { return kArrowRows; }

ArrowChoice ChooseArrow(const std::string& symbol, const std::string& longArea, const std::string& shortArea,
                        int lengthIndex)
{
    ArrowChoice choice{symbol, symbol, longArea, ""};
    if (shortArea.empty())
        return choice;
    if (lengthIndex == kArrowLong) {
        choice.length = LoadTarvoString(IDS_ARROW_LONG);
        choice.blockName += "_D";
    } else if (lengthIndex == kArrowShort) {
        choice.length = LoadTarvoString(IDS_ARROW_SHORT);
        choice.blockName += "_K";
        choice.area = shortArea;
    }
    return choice;
}
