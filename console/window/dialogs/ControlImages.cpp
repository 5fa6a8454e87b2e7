#include "console/window/dialogs/ControlImages.h"

#include <QImage>

#include "platform/ui/GdiHandles.h"
#include "platform/ui/ResourceChain.h"

namespace {

QImage decoded(UINT resourceId, ZcUiImageKind kind)
{
    const ZcUiImageResource* resource = platform::findChainedImage(resourceId, kind);
    QImage image;
    if (resource)
        image.loadFromData(resource->bytes, int(resource->size), kind == ZcUiImageKind::kIcon ? "ICO" : "BMP");
    return image;
}

// An icon file holds several sizes: shown at the one the platform chose.
QPixmap fitted(const QImage& image, int width, int height)
{
    if (image.isNull() || width <= 0 || height <= 0 || image.size() == QSize(width, height))
        return QPixmap::fromImage(image);
    return QPixmap::fromImage(image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QPixmap resourcePixmap(const platform::ImageInfo* image)
{
    return image ? fitted(decoded(image->resourceId, image->kind), image->width, image->height) : QPixmap();
}

}  // namespace

QPixmap bitmapPixmap(HBITMAP bitmap) { return resourcePixmap(platform::findBitmap(bitmap)); }

QPixmap iconPixmap(HICON icon) { return resourcePixmap(platform::findIcon(icon)); }

QPixmap imageListPixmap(HIMAGELIST list, int index)
{
    const platform::ImageListData* data = platform::findImageList(list);
    if (!data || index < 0 || size_t(index) >= data->images.size())
        return {};
    const platform::ImageInfo& image = data->images[size_t(index)];
    const QImage whole = decoded(image.resourceId, image.kind);
    if (image.kind == ZcUiImageKind::kIcon)
        return fitted(whole, data->cx, data->cy);
    // A bitmap added to a list is a strip of images side by side: this one
    // is the slice as far along as the entries of the same bitmap before it.
    int slice = 0;
    for (int i = index - 1; i >= 0 && data->images[size_t(i)].resourceId == image.resourceId &&
                            data->images[size_t(i)].kind == ZcUiImageKind::kBitmap;
         --i)
        ++slice;
    return QPixmap::fromImage(whole.copy(slice * data->cx, 0, data->cx, data->cy));
}
