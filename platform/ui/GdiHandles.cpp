#include "platform/ui/GdiHandles.h"

#include <cstdint>
#include <map>

namespace platform {

namespace {

// One sequence for every kind, so that a handle of one kind is never
// taken for another.
uintptr_t nextHandleValue()
{
    static uintptr_t next = 0x10000;
    next += 4;
    return next;
}

template <typename Handle, typename Data>
class HandleTable {
public:
    Handle add(const Data& data)
    {
        const uintptr_t value = nextHandleValue();
        m_live.emplace(value, data);
        return reinterpret_cast<Handle>(value);
    }
    Data* find(Handle handle)
    {
        const auto it = m_live.find(reinterpret_cast<uintptr_t>(handle));
        return it == m_live.end() ? nullptr : &it->second;
    }
    bool release(Handle handle) { return m_live.erase(reinterpret_cast<uintptr_t>(handle)) == 1; }

private:
    std::map<uintptr_t, Data> m_live;
};

HandleTable<HBITMAP, ImageInfo>& bitmaps()
{
    static HandleTable<HBITMAP, ImageInfo> table;
    return table;
}

HandleTable<HICON, ImageInfo>& icons()
{
    static HandleTable<HICON, ImageInfo> table;
    return table;
}

HandleTable<HIMAGELIST, ImageListData>& imageLists()
{
    static HandleTable<HIMAGELIST, ImageListData> table;
    return table;
}

}  // namespace

HBITMAP registerBitmap(const ImageInfo& image) { return bitmaps().add(image); }
const ImageInfo* findBitmap(HBITMAP bitmap) { return bitmap ? bitmaps().find(bitmap) : nullptr; }
bool releaseBitmap(HBITMAP bitmap) { return bitmap && bitmaps().release(bitmap); }

HICON registerIcon(const ImageInfo& image) { return icons().add(image); }
const ImageInfo* findIcon(HICON icon) { return icon ? icons().find(icon) : nullptr; }
bool releaseIcon(HICON icon) { return icon && icons().release(icon); }

HIMAGELIST registerImageList(const ImageListData& list) { return imageLists().add(list); }
ImageListData* findImageList(HIMAGELIST list) { return list ? imageLists().find(list) : nullptr; }
bool releaseImageList(HIMAGELIST list) { return list && imageLists().release(list); }

}  // namespace platform
