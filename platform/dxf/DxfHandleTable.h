#pragma once

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace platform {

struct ZcDbStub;

// The stubs of a file's handles while it is read. Handles of a file are
// mostly small and close together: those go in a plain array, grown as
// needed; any far beyond the objects seen so far goes in a hash map, so
// that a file naming one huge handle costs no memory.
class DxfHandleTable {
public:
    ZcDbStub* find(uint64_t handle) const
    {
        if (handle < m_dense.size())
            return m_dense[handle];
        const auto it = m_sparse.find(handle);
        return it == m_sparse.end() ? nullptr : it->second;
    }

    void set(uint64_t handle, ZcDbStub* stub)
    {
        ++m_count;
        if (handle < m_dense.size()) {
            m_dense[handle] = stub;
            return;
        }
        // Dense while the array stays within a few times the objects.
        const uint64_t limit = 4 * m_count + 4096;
        if (handle < limit) {
            m_dense.resize(std::max<size_t>(size_t(handle) + 1, m_dense.size() * 2), nullptr);
            m_dense[handle] = stub;
            // Handles the array now covers move over from the map.
            for (auto it = m_sparse.begin(); it != m_sparse.end();) {
                if (it->first < m_dense.size()) {
                    m_dense[it->first] = it->second;
                    it = m_sparse.erase(it);
                } else {
                    ++it;
                }
            }
            return;
        }
        m_sparse[handle] = stub;
    }

private:
    std::vector<ZcDbStub*> m_dense;
    std::unordered_map<uint64_t, ZcDbStub*> m_sparse;
    uint64_t m_count = 0;
};

}  // namespace platform
