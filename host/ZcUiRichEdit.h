#pragma once

#include <string>

#include "WinTypes.h"
#include "ZcUiControls.h"
#include "ZrxExport.h"

// The rich edit ("RichEdit20A", "RICHEDIT50W"): text with one default
// character format and a background colour. Its window class exists only
// once the framework's rich-edit support is initialised: a dialog with a
// rich edit cannot be created before.

#define ENM_NONE 0x00000000L
#define ENM_CHANGE 0x00000001L
#define ENM_UPDATE 0x00000002L
#define ENM_SELCHANGE 0x00080000L

#define CFM_BOLD 0x00000001L
#define CFM_ITALIC 0x00000002L
#define CFM_FACE 0x20000000L
#define CFM_COLOR 0x40000000L
#define CFM_SIZE 0x80000000L
#define CFE_BOLD 0x0001
#define CFE_ITALIC 0x0002
#define CFE_AUTOCOLOR 0x40000000L

#define LF_FACESIZE 32

typedef struct _charformat {
    UINT cbSize;
    DWORD dwMask;
    DWORD dwEffects;
    LONG yHeight;  // twips
    LONG yOffset;
    COLORREF crTextColor;
    BYTE bCharSet;
    BYTE bPitchAndFamily;
    char szFaceName[LF_FACESIZE];
} CHARFORMAT, CHARFORMATA;

// Registers the rich edit's window class; TRUE.
ZRX_EXPORT BOOL AfxInitRichEdit2();
ZRX_EXPORT BOOL AfxInitRichEdit();

class ZRX_EXPORT CRichEditCtrl : public CWnd {
public:
    // Character positions (not bytes); -1 as the end: the whole text.
    void SetSel(long start, long end);
    void GetSel(long& start, long& end) const;
    // Replaces the selection, cut to the limit; the caret after it.
    void ReplaceSel(LPCSTR text, BOOL canUndo = FALSE);
    void LimitText(long limit = 0);
    long GetLimitText() const { return m_limit; }
    long GetTextLength() const;
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    bool isReadOnly() const { return (m_style & ES_READONLY) != 0; }
    DWORD SetEventMask(DWORD mask);
    DWORD GetEventMask() const { return m_eventMask; }
    // The fields dwMask names; FALSE for a wrong cbSize.
    BOOL SetDefaultCharFormat(CHARFORMAT& format);
    DWORD GetDefaultCharFormat(CHARFORMAT& format) const;
    // The previous colour; system colour: the window colour, white.
    COLORREF SetBackgroundColor(BOOL systemColor, COLORREF color);

    // A user typing the whole text anew: cut to the limit.
    void typeText(const std::string& text);
    std::string valueText() const override;
    COLORREF backgroundColor() const { return m_background; }

private:
    long m_selStart = 0;
    long m_selEnd = 0;
    long m_limit = kDefaultLimit;
    DWORD m_eventMask = ENM_NONE;
    CHARFORMAT m_format = kDefaultFormat;
    COLORREF m_background = kWindowColor;
    // What a rich edit takes when no limit was set, in characters, and
    // what a limit of 0 sets.
    static constexpr long kDefaultLimit = 32767;
    static constexpr long kZeroLimit = 65536;
    static constexpr COLORREF kWindowColor = 0x00FFFFFF;
    // 10 points, automatic (window text) colour.
    static constexpr CHARFORMAT kDefaultFormat = {sizeof(CHARFORMAT), CFM_COLOR | CFM_SIZE, CFE_AUTOCOLOR, 200, 0, 0, 0, 0, {}};
};
