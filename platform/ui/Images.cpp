#include "ZcUiImages.h"

#include <string>

#include "platform/editor/Transcript.h"
#include "platform/ui/GdiHandles.h"
#include "platform/ui/ImageFiles.h"
#include "platform/ui/ResourceChain.h"

using namespace platform;

namespace {

// The system's standard icon size, which LoadIcon gives.
constexpr int kStandardIconSize = 32;

const char* kindName(ZcUiImageKind kind) { return kind == ZcUiImageKind::kBitmap ? "Bitmapa" : "Ikona"; }

// A numbered image of the chain, decoded; a notice on the command line when
// it is missing or unreadable, as that is the program's fault.
std::optional<ImageInfo> loadImage(LPCSTR name, ZcUiImageKind kind)
{
    if (!name || !IS_INTRESOURCE(name)) {
        transcript().print(std::string("\n") + kindName(kind) + " o nazwie tekstowej: zasoby mają tylko numery.");
        return std::nullopt;
    }
    const UINT id = UINT(reinterpret_cast<ULONG_PTR>(name));
    const ZcUiImageResource* resource = findChainedImage(id, kind);
    if (!resource) {
        transcript().print(std::string("\n") + kindName(kind) + " " + std::to_string(id) + ": brak w zasobach.");
        return std::nullopt;
    }
    std::string problem;
    const std::optional<DecodedImage> image =
        kind == ZcUiImageKind::kBitmap ? decodeBitmapFile(resource->bytes, resource->size, problem)
                                       : decodeIconFile(resource->bytes, resource->size, kStandardIconSize, problem);
    if (!image) {
        transcript().print(std::string("\n") + kindName(kind) + " " + std::to_string(id) + ": " + problem + ".");
        return std::nullopt;
    }
    return ImageInfo{kind, id, image->width, image->height, image->bitsPerPixel};
}

}  // namespace

HBITMAP WINAPI LoadBitmapA(HINSTANCE, LPCSTR name)
{
    const std::optional<ImageInfo> image = loadImage(name, ZcUiImageKind::kBitmap);
    return image ? registerBitmap(*image) : nullptr;
}

HICON WINAPI LoadIconA(HINSTANCE, LPCSTR name)
{
    const std::optional<ImageInfo> image = loadImage(name, ZcUiImageKind::kIcon);
    return image ? registerIcon(*image) : nullptr;
}

BOOL WINAPI DeleteObject(HGDIOBJ object) { return releaseBitmap(static_cast<HBITMAP>(object)); }

BOOL WINAPI DestroyIcon(HICON icon) { return releaseIcon(icon); }

CBitmap::~CBitmap() { DeleteObject(); }

BOOL CBitmap::LoadBitmap(UINT id)
{
    if (m_hObject)
        return FALSE;
    m_hObject = ::LoadBitmapA(nullptr, MAKEINTRESOURCEA(id));
    return m_hObject != nullptr;
}

BOOL CBitmap::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    const BOOL deleted = releaseBitmap(m_hObject);
    m_hObject = nullptr;
    return deleted;
}

BOOL CBitmap::Attach(HBITMAP bitmap)
{
    if (m_hObject || !findBitmap(bitmap))
        return FALSE;
    m_hObject = bitmap;
    return TRUE;
}

HBITMAP CBitmap::Detach()
{
    HBITMAP bitmap = m_hObject;
    m_hObject = nullptr;
    return bitmap;
}

int CBitmap::GetBitmap(BITMAP* info) const
{
    const ImageInfo* image = findBitmap(m_hObject);
    if (!image || !info)
        return 0;
    *info = BITMAP{0, image->width, image->height, ((image->width * image->bitsPerPixel + 15) / 16) * 2, 1,
                   WORD(image->bitsPerPixel), nullptr};
    return int(sizeof(BITMAP));
}

CImageList::~CImageList() { DeleteImageList(); }

BOOL CImageList::Create(int cx, int cy, UINT flags, int, int)
{
    if (m_hImageList || cx <= 0 || cy <= 0)
        return FALSE;
    ImageListData data;
    data.cx = cx;
    data.cy = cy;
    data.flags = flags;
    m_hImageList = registerImageList(data);
    return TRUE;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    releaseImageList(m_hImageList);
    m_hImageList = nullptr;
    return TRUE;
}

int CImageList::Add(HICON icon)
{
    ImageListData* list = findImageList(m_hImageList);
    const ImageInfo* image = findIcon(icon);
    if (!list || !image)
        return -1;
    // The list keeps its own copy, fitted to its size: the icon may go.
    ImageInfo copy = *image;
    copy.width = list->cx;
    copy.height = list->cy;
    list->images.push_back(copy);
    return int(list->images.size()) - 1;
}

int CImageList::Add(CBitmap* bitmap, CBitmap*)
{
    ImageListData* list = findImageList(m_hImageList);
    const ImageInfo* image = bitmap ? findBitmap(bitmap->GetSafeHandle()) : nullptr;
    if (!list || !image || image->width < list->cx)
        return -1;
    const int first = int(list->images.size());
    for (int i = 0; i < image->width / list->cx; ++i) {
        ImageInfo slice = *image;
        slice.width = list->cx;
        slice.height = list->cy;
        list->images.push_back(slice);
    }
    return first;
}

int CImageList::Add(CBitmap* bitmap, COLORREF) { return Add(bitmap, static_cast<CBitmap*>(nullptr)); }

int CImageList::GetImageCount() const
{
    const ImageListData* list = findImageList(m_hImageList);
    return list ? int(list->images.size()) : 0;
}

COLORREF CImageList::SetBkColor(COLORREF color)
{
    ImageListData* list = findImageList(m_hImageList);
    if (!list)
        return CLR_NONE;
    const COLORREF previous = list->background;
    list->background = color;
    return previous;
}

COLORREF CImageList::GetBkColor() const
{
    const ImageListData* list = findImageList(m_hImageList);
    return list ? list->background : CLR_NONE;
}

BOOL CImageList::GetImageSize(int& cx, int& cy) const
{
    const ImageListData* list = findImageList(m_hImageList);
    if (!list)
        return FALSE;
    cx = list->cx;
    cy = list->cy;
    return TRUE;
}
