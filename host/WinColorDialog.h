#pragma once

#include "ZrxExport.h"

#include "WinTypes.h"

// The system's colour dialog. Its answer is the user's: a "dlg color"
// line of the command line's input (r,g,b or cancel); Esc cancels, Enter
// takes the colour shown.

#define CC_RGBINIT 0x00000001
#define CC_FULLOPEN 0x00000002
#define CC_ANYCOLOR 0x00000100

typedef struct tagCHOOSECOLORA {
    DWORD lStructSize;
    HWND hwndOwner;
    HWND hInstance;
    COLORREF rgbResult;
    COLORREF* lpCustColors;
    DWORD Flags;
    LPARAM lCustData;
    void* lpfnHook;
    LPCSTR lpTemplateName;
} CHOOSECOLORA, *LPCHOOSECOLORA;
typedef CHOOSECOLORA CHOOSECOLOR;
typedef LPCHOOSECOLORA LPCHOOSECOLOR;

extern "C" {
// TRUE and rgbResult set when the user chose a colour; FALSE, rgbResult
// unchanged, when cancelled. The dialog starts at rgbResult with
// CC_RGBINIT, else at black.
ZRX_EXPORT BOOL WINAPI ChooseColorA(LPCHOOSECOLORA choice);
}
#define ChooseColor ChooseColorA

// The framework's wrapper: GetColor is rgbResult whatever the answer, so
// after a cancel it is the colour the dialog started with.
class ZRX_EXPORT CColorDialog {
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, void* parent = nullptr);
    virtual ~CColorDialog() = default;
    CColorDialog(const CColorDialog&) = delete;
    CColorDialog& operator=(const CColorDialog&) = delete;

    // IDOK or IDCANCEL.
    virtual INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF color) { m_cc.rgbResult = color; }

    CHOOSECOLORA m_cc;

private:
    COLORREF m_custom[16] = {};
};
