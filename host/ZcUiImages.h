#pragma once

#include "ZrxExport.h"

#include "WinTypes.h"

// Bitmaps, icons and image lists from the chained modules' images
// (BITMAP and ICON statements of the resource script).

typedef void* HGDIOBJ;
typedef struct _IMAGELIST* HIMAGELIST;

typedef struct tagBITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
} BITMAP;

extern "C" {
// The module is not searched alone: as an extension module's resources
// are, the whole chain is, newest module first. A numbered name only
// (MAKEINTRESOURCE); null when no chained module has a readable image.
ZRX_EXPORT HBITMAP WINAPI LoadBitmapA(HINSTANCE module, LPCSTR name);
// The icon's image nearest to the standard 32×32.
ZRX_EXPORT HICON WINAPI LoadIconA(HINSTANCE module, LPCSTR name);
// FALSE for a handle that is not a live bitmap.
ZRX_EXPORT BOOL WINAPI DeleteObject(HGDIOBJ object);
ZRX_EXPORT BOOL WINAPI DestroyIcon(HICON icon);
}
#define LoadBitmap LoadBitmapA
#define LoadIcon LoadIconA

// Owns its bitmap: deleted with it.
class ZRX_EXPORT CBitmap {
public:
    CBitmap() = default;
    ~CBitmap();
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    // Replaces nothing: FALSE when it already holds a bitmap, as the framework does.
    BOOL LoadBitmap(UINT id);
    BOOL DeleteObject();
    BOOL Attach(HBITMAP bitmap);
    HBITMAP Detach();
    HBITMAP GetSafeHandle() const { return m_hObject; }
    operator HBITMAP() const { return m_hObject; }
    // Width, height and bits per pixel; 0 without a bitmap.
    int GetBitmap(BITMAP* info) const;

    HBITMAP m_hObject = nullptr;
};

#define ILC_MASK 0x0001
#define ILC_COLOR 0x0000
#define ILC_COLORDDB 0x00FE
#define ILC_COLOR4 0x0004
#define ILC_COLOR8 0x0008
#define ILC_COLOR16 0x0010
#define ILC_COLOR24 0x0018
#define ILC_COLOR32 0x0020

#define CLR_NONE 0xFFFFFFFFL
#define CLR_DEFAULT 0xFF000000L

// Images of one size, by index. A list view that shows it does not own it.
class ZRX_EXPORT CImageList {
public:
    CImageList() = default;
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // FALSE for a size that is not positive or when already created.
    BOOL Create(int cx, int cy, UINT flags, int initial = 0, int grow = 0);
    BOOL DeleteImageList();
    // The new image's index, or -1. An icon is fitted to the list's size.
    int Add(HICON icon);
    // A bitmap adds one image per image width it holds.
    int Add(CBitmap* bitmap, CBitmap* mask);
    int Add(CBitmap* bitmap, COLORREF maskColor);
    int GetImageCount() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    BOOL GetImageSize(int& cx, int& cy) const;
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }

    HIMAGELIST m_hImageList = nullptr;
};
