#pragma once

#include <vector>

#include "ZcUiImages.h"
#include "ZcUiResources.h"
#include "ZrxExport.h"

namespace platform {

// Bitmaps, icons and image lists by handle. A handle is a number given
// once: a deleted one is never found again, so a stale handle shows
// nothing instead of reading freed memory.

// What is kept of a decoded image: the controls show it, none draws it.
struct ImageInfo {
    ZcUiImageKind kind = ZcUiImageKind::kBitmap;
    UINT resourceId = 0;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
};

struct ImageListData {
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
    COLORREF background = CLR_NONE;
    std::vector<ImageInfo> images;
};

HBITMAP registerBitmap(const ImageInfo& image);
ZRX_EXPORT const ImageInfo* findBitmap(HBITMAP bitmap);
bool releaseBitmap(HBITMAP bitmap);

HICON registerIcon(const ImageInfo& image);
ZRX_EXPORT const ImageInfo* findIcon(HICON icon);
bool releaseIcon(HICON icon);

HIMAGELIST registerImageList(const ImageListData& list);
ZRX_EXPORT ImageListData* findImageList(HIMAGELIST list);
bool releaseImageList(HIMAGELIST list);

}  // namespace platform
