#include "lights/TrafficLightCatalogue.h"

std::span<const D_RoadSign> TrafficLightCatalogue()
{
    static const auto catalogue = [] {
        std::array<D_RoadSign, std::size(kTrafficLightRows)> entries;
        for (size_t i = 0; i < entries.size(); ++i)
            entries[i] = {kTrafficLightRows[i].name, "", kTrafficLightRows[i].icon};
        return entries;
    }();
    return catalogue;
}
