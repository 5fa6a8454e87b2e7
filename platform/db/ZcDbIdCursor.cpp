#include "ZcDbIdCursor.h"

ZcDbIdCursor::ZcDbIdCursor(std::vector<ZcDbObjectId> ids, bool skipErased) : m_ids(std::move(ids))
{
    skip(skipErased, true);
}

void ZcDbIdCursor::skip(bool skipErased, bool forward)
{
    while (skipErased && !done() && m_ids[m_index].isErased()) {
        if (forward) {
            ++m_index;
        } else if (m_index == 0) {
            m_index = m_ids.size();
        } else {
            --m_index;
        }
    }
}

void ZcDbIdCursor::start(bool atBeginning, bool skipErased)
{
    m_index = atBeginning || m_ids.empty() ? 0 : m_ids.size() - 1;
    skip(skipErased, atBeginning);
}

void ZcDbIdCursor::step(bool forward, bool skipErased)
{
    if (done())
        return;
    if (forward)
        ++m_index;
    else if (m_index == 0)
        m_index = m_ids.size();  // stepping back from the first ends the walk
    else
        --m_index;
    skip(skipErased, forward);
}
