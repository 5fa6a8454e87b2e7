#include "markings/LineCatalogue.h"

#include "CString.h"
#include "resources/resource.h"

namespace {

struct Row {
    const char* symbol;
    unsigned descriptionId;
    double areaPerMetre;
    const char* linetype;
    const char* secondLinetype;
    int iconId;
    double width;
    double secondWidth;
};

// The icon ids are not in symbol order: P-4 has 8024, P-7C 8040, P-7D 8039.
constexpr Row kRows[] = {
    {"P-1A", IDS_LINE_DASHED_LONG, 0.04, "P-1A", "Continuous", 8025, 0.12, 0},
    {"P-1B", IDS_LINE_DASHED_SHORT, 0.04, "P-1B", "Continuous", 8026, 0.12, 0},
    {"P-1C", IDS_LINE_DASHED_DIVIDING, 0.12, "P-1C", "Continuous", 8027, 0.24, 0},
    {"P-1D", IDS_LINE_DASHED_GUIDE_NARROW, 0.06, "P-1D", "Continuous", 8028, 0.12, 0},
    {"P-1E", IDS_LINE_DASHED_GUIDE_WIDE, 0.12, "P-1E", "Continuous", 8029, 0.24, 0},
    {"P-2A", IDS_LINE_SOLID_NARROW, 0.12, "Continuous", "Continuous", 8030, 0.12, 0},
    {"P-2B", IDS_LINE_SOLID_WIDE, 0.24, "Continuous", "Continuous", 8031, 0.24, 0},
    {"P-3A", IDS_LINE_ONE_WAY_LONG, 0.2, "Continuous", "P-6", 8032, 0.12, 0.12},
    {"P-3B", IDS_LINE_ONE_WAY_SHORT, 0.18, "Continuous", "P-1D", 8033, 0.12, 0.12},
    {"P-4", IDS_LINE_DOUBLE_SOLID, 0.24, "Continuous", "Continuous", 8024, 0.12, 0.12},
    {"P-5", IDS_LINE_DOUBLE_DASHED, 0.32, "P-6", "P-6", 8034, 0.12, 0.12},
    {"P-6", IDS_LINE_WARNING, 0.08, "P-6", "Continuous", 8035, 0.12, 0},
    {"P-7A", IDS_LINE_EDGE_DASHED_WIDE, 0.12, "P-7A", "Continuous", 8036, 0.24, 0},
    {"P-7B", IDS_LINE_EDGE_SOLID_WIDE, 0.24, "P-7B", "Continuous", 8037, 0.24, 0},
    {"P-7C", IDS_LINE_EDGE_DASHED_NARROW, 0.06, "P-7C", "Continuous", 8040, 0.12, 0},
    {"P-7D", IDS_LINE_EDGE_SOLID_NARROW, 0.12, "P-7D", "Continuous", 8039, 0.12, 0},
    {"P-19", IDS_LINE_PARKING_LANE, 0.12, "P-19", "Continuous", 8041, 0.24, 0},
};

bool IsOneOf(const std::string& symbol, std::initializer_list<const char*> symbols)
{
    for (const char* s : symbols)
        if (symbol == s)
            return true;
    return false;
}

}  // namespace

std::vector<D_Linetype> LineCatalogue()
{
    std::vector<D_Linetype> catalogue;
    for (const Row& row : kRows) {
        CString description;
        description.LoadString(row.descriptionId);
        catalogue.push_back({row.symbol, std::string(description), row.areaPerMetre, row.linetype, row.secondLinetype,
                             row.iconId, row.width, row.secondWidth});
    }
    return catalogue;
}

bool IsDoubleMarking(const D_Linetype& entry) { return IsOneOf(entry.symbol, {"P-3A", "P-3B", "P-4", "P-5"}); }

bool HasPickedSide(const D_Linetype& entry) { return IsOneOf(entry.symbol, {"P-3A", "P-3B"}); }
