#include "markings/ArrowCatalogue.h"

#include "frame/StringTable.h"
#include "resources/resource.h"

namespace {

constexpr ArrowRow kRows[] = {
    {"P-8A", IDS_ARROW_AHEAD, "1.59 m2", "1.21 m2", IDI_ARROW_P8A},
    {"P-8B", IDS_ARROW_LEFT, "1.94 m2", "1.49 m2", IDI_ARROW_P8B},
    {"P-8C", IDS_ARROW_TURN_BACK, "2.87 m2", "", IDI_ARROW_P8C},
    {"P-8D", IDS_ARROW_RIGHT, "1.94 m2", "1.49 m2", IDI_ARROW_P8D},
    {"P-8E", IDS_ARROW_AHEAD_LEFT, "2.72 m2", "2.19 m2", IDI_ARROW_P8E},
    {"P-8F", IDS_ARROW_AHEAD_RIGHT, "2.72 m2", "2.19 m2", IDI_ARROW_P8F},
    {"P-8G", IDS_ARROW_LEFT_RIGHT, "3.07 m2", "2.47 m2", IDI_ARROW_P8G},
    {"P-8H", IDS_ARROW_AHEAD_LEFT_RIGHT, "3.85 m2", "3.16 m2", IDI_ARROW_P8H},
    {"P-8I", IDS_ARROW_AHEAD_TURN_BACK, "3.75 m2", "", IDI_ARROW_P8I},
    {"P-9A", IDS_ARROW_GUIDE_LEFT, "4.15 m2", "", IDI_ARROW_P9A},
    {"P-9B", IDS_ARROW_GUIDE_RIGHT, "4.15 m2", "", IDI_ARROW_P9B},
    {"P-6A", IDS_ARROW_WARNING, "1.568 m2", "", IDI_ARROW_P6A},
};

}  // namespace

std::span<const ArrowRow> ArrowCatalogue() { return kRows; }

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
