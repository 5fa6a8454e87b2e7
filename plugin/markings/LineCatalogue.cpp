#include "markings/LineCatalogue.h"

#include "CString.h"

namespace {

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
    for (const LineRow& row : kLineRows) {
        CString description;
        description.LoadString(row.descriptionId);
        catalogue.push_back({row.symbol, std::string(description), row.areaPerMetre, row.linetype, row.secondLinetype,
                             row.iconId, row.width, row.secondWidth});
    }
    return catalogue;
}

bool IsDoubleMarking(const D_Linetype& entry) { return IsOneOf(entry.symbol, {"P-3A", "P-3B", "P-4", "P-5"}); }

bool HasPickedSide(const D_Linetype& entry) { return IsOneOf(entry.symbol, {"P-3A", "P-3B"}); }
