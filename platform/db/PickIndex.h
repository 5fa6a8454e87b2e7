#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// Model space's entity boxes in a uniform grid, so that a pick measures
// only the entities near the picked point. Entries follow the order of model
// space's entity list (an entity's rank there is its stub's pickSlot - 1),
// which is the order ties are decided in. Kept by the entity pick from the
// drawing's log of changed objects (ZcDbDatabaseImpl::changeLog).
struct PickIndex {
    enum class Place : uint8_t {
        Grid,        // in the cells its box covers
        Everywhere,  // measured at every pick: no box, or a box over many cells
    };
    // A plan box widened outwards to floats: a smaller entry, still never
    // nearer to a point than its entity.
    struct Entry {
        float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        Place place = Place::Everywhere;
    };
    std::vector<Entry> entries;
    double originX = 0, originY = 0, cellSize = 1;
    int columns = 1, rows = 1;
    std::vector<std::vector<uint32_t>> cells;  // ranks, row by row
    std::vector<uint32_t> everywhere;          // ranks
    size_t builtFor = 0;                       // entities when the grid was laid out
};

}  // namespace platform
