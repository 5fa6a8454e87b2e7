#pragma once

#include <cstddef>

#include "WinTypes.h"
#include "ZrxExport.h"

// A module's resources as the resource compiler leaves them: dialog
// templates, strings and images. A module chains them into the host's search when
// it is loaded and unchains them before it is unloaded.

// One control of a dialog template (a CONTROL line or its shorthand).
struct ZRX_EXPORT ZcUiControlTemplate {
    int id;                   // -1 for a static without an id
    const char* name;         // its name in resource.h ("IDC_R"), or "" when it has none
    const char* windowClass;  // "Button", "Edit", "ComboBox", "Static", "SysListView32", "RichEdit20A"
    const char* text;         // caption as written in the script
    DWORD style;
    int x, y, cx, cy;  // dialog units
};

struct ZRX_EXPORT ZcUiDialogTemplate {
    UINT id;
    const char* caption;
    int cx, cy;  // dialog units
    const ZcUiControlTemplate* controls;
    size_t controlCount;
    DWORD style;           // the STYLE statement
    const char* fontName;  // the FONT statement ("MS Shell Dlg"), "" when none
    int fontSize;          // points
};

struct ZRX_EXPORT ZcUiStringResource {
    UINT id;
    const char* text;  // UTF-8
};

// A module's resources: chained in front of the modules chained before it.
// A BITMAP or ICON statement's file, its bytes as they are on disk (.bmp
// without its own header changed, .ico whole).
enum class ZcUiImageKind { kBitmap, kIcon };

struct ZRX_EXPORT ZcUiImageResource {
    UINT id;
    ZcUiImageKind kind;
    const unsigned char* bytes;
    size_t size;
};

struct ZRX_EXPORT ZcUiModuleResources {
    const ZcUiDialogTemplate* dialogs;
    size_t dialogCount;
    const ZcUiStringResource* strings;
    size_t stringCount;
    const ZcUiImageResource* images;
    size_t imageCount;
};

ZRX_EXPORT void zcuiChainResources(const ZcUiModuleResources* resources);
ZRX_EXPORT void zcuiUnchainResources(const ZcUiModuleResources* resources);
