#pragma once

#include "WinTypes.h"

// The window messages a dialog sees before they are dispatched
// (PreTranslateMessage), and the header of a control's notification.

#define WM_NOTIFY 0x004E
#define WM_KEYDOWN 0x0100
#define WM_CHAR 0x0102
#define WM_COMMAND 0x0111
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_NCLBUTTONDOWN 0x00A1

#define VK_RETURN 0x0D
#define VK_ESCAPE 0x1B

// The close box, where WM_NCLBUTTONDOWN hit it.
#define HTCLOSE 20

#define MK_LBUTTON 0x0001

#define MAKELPARAM(low, high) ((LPARAM)(DWORD)(((WORD)(low)) | (((DWORD)(WORD)(high)) << 16)))
#define GET_X_LPARAM(lp) ((int)(short)(WORD)((DWORD)(lp)&0xFFFF))
#define GET_Y_LPARAM(lp) ((int)(short)(WORD)(((DWORD)(lp) >> 16) & 0xFFFF))

typedef struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
} MSG, *LPMSG;

// What every WM_NOTIFY carries first.
typedef struct tagNMHDR {
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
} NMHDR, *LPNMHDR;
