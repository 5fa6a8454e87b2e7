#pragma once

#include <vector>

#include "ZcDbObjectId.h"
#include "ZrxExport.h"

// A position in a list of ids that can pass over erased objects; the walk
// shared by the iterators of tables and blocks.
class ZRX_EXPORT ZcDbIdCursor {
public:
    ZcDbIdCursor(std::vector<ZcDbObjectId> ids, bool skipErased);
    void start(bool atBeginning, bool skipErased);
    bool done() const { return m_index >= m_ids.size(); }
    void step(bool forward, bool skipErased);
    // The id at the position; null when done.
    ZcDbObjectId current() const { return done() ? ZcDbObjectId() : m_ids[m_index]; }

private:
    void skip(bool skipErased, bool forward);
    std::vector<ZcDbObjectId> m_ids;
    size_t m_index = 0;
};
