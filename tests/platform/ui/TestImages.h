#pragma once

#include <cstdint>
#include <vector>

#include "ZcUiResources.h"

// BMP and ICO files made in the test, as a resource script's images are.

inline void putLe16(std::vector<unsigned char>& out, size_t at, uint32_t value)
{
    out[at] = (unsigned char)(value & 0xFF);
    out[at + 1] = (unsigned char)((value >> 8) & 0xFF);
}

inline void putLe32(std::vector<unsigned char>& out, size_t at, uint32_t value)
{
    putLe16(out, at, value & 0xFFFF);
    putLe16(out, at + 2, value >> 16);
}

inline size_t rowSize(int width, int bits) { return size_t((width * bits + 31) / 32 * 4); }

// A BITMAPINFOHEADER, its palette and zeroed pixels; in an icon the height
// is doubled and the transparency mask follows.
inline std::vector<unsigned char> makeDib(int width, int height, int bits, bool forIcon)
{
    const size_t palette = bits <= 8 ? (size_t(1) << bits) * 4 : 0;
    size_t size = 40 + palette + rowSize(width, bits) * size_t(height);
    if (forIcon)
        size += rowSize(width, 1) * size_t(height);
    std::vector<unsigned char> dib(size, 0);
    putLe32(dib, 0, 40);
    putLe32(dib, 4, uint32_t(width));
    putLe32(dib, 8, uint32_t(forIcon ? 2 * height : height));
    putLe16(dib, 12, 1);
    putLe16(dib, 14, uint32_t(bits));
    return dib;
}

inline std::vector<unsigned char> makeBmp(int width, int height, int bits)
{
    const std::vector<unsigned char> dib = makeDib(width, height, bits, false);
    std::vector<unsigned char> file(14, 0);
    file[0] = 'B';
    file[1] = 'M';
    putLe32(file, 2, uint32_t(14 + dib.size()));
    const size_t palette = bits <= 8 ? (size_t(1) << bits) * 4 : 0;
    putLe32(file, 10, uint32_t(14 + 40 + palette));
    file.insert(file.end(), dib.begin(), dib.end());
    return file;
}

struct IconImage {
    int size;
    int bits;
};

inline std::vector<unsigned char> makeIco(const std::vector<IconImage>& images)
{
    std::vector<unsigned char> file(6 + 16 * images.size(), 0);
    putLe16(file, 2, 1);
    putLe16(file, 4, uint32_t(images.size()));
    for (size_t i = 0; i < images.size(); ++i) {
        const std::vector<unsigned char> dib = makeDib(images[i].size, images[i].size, images[i].bits, true);
        const size_t entry = 6 + 16 * i;
        file[entry] = (unsigned char)(images[i].size & 0xFF);
        file[entry + 1] = (unsigned char)(images[i].size & 0xFF);
        putLe16(file, entry + 4, 1);
        putLe16(file, entry + 6, uint32_t(images[i].bits));
        putLe32(file, entry + 8, uint32_t(dib.size()));
        putLe32(file, entry + 12, uint32_t(file.size()));
        file.insert(file.end(), dib.begin(), dib.end());
    }
    return file;
}

// Images chained as a module of their own for a test's lifetime.
class ChainedImages {
public:
    void add(UINT id, ZcUiImageKind kind, std::vector<unsigned char> bytes)
    {
        m_files.push_back(std::move(bytes));
        m_ids.push_back({id, kind});
    }
    void chain()
    {
        m_images.clear();
        for (size_t i = 0; i < m_files.size(); ++i)
            m_images.push_back({m_ids[i].first, m_ids[i].second, m_files[i].data(), m_files[i].size()});
        m_module = {nullptr, 0, nullptr, 0, m_images.data(), m_images.size()};
        zcuiChainResources(&m_module);
    }
    ChainedImages() = default;
    ~ChainedImages() { zcuiUnchainResources(&m_module); }
    ChainedImages(const ChainedImages&) = delete;
    ChainedImages& operator=(const ChainedImages&) = delete;

private:
    std::vector<std::vector<unsigned char>> m_files;
    std::vector<std::pair<UINT, ZcUiImageKind>> m_ids;
    std::vector<ZcUiImageResource> m_images;
    ZcUiModuleResources m_module{};
};
