#pragma once

#include "CRect.h"
#include "WinTypes.h"
#include "ZrxExport.h"

class CWnd;

// Drawing on a control over its own painting (a list view framing its
// selected rows). The shapes drawn are kept with the control until it is
// painted again, and show in the dialog's description.

#define WHITE_BRUSH 0
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8

// A stock brush or pen.
class ZRX_EXPORT CGdiObject {
public:
    explicit CGdiObject(int stockIndex) : m_stockIndex(stockIndex) {}
    int stockIndex() const { return m_stockIndex; }

private:
    int m_stockIndex;
};

// A control's device context, from CWnd::GetDC; given back with ReleaseDC.
// It starts with a white brush and a black pen.
class ZRX_EXPORT CDC {
public:
    explicit CDC(CWnd* window) : m_window(window) {}
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // The brush or pen it replaces; null for an index that is neither.
    CGdiObject* SelectStockObject(int index);
    CGdiObject* SelectObject(CGdiObject* object);
    // The outline in the current pen, filled with the current brush.
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(LPCRECT rect);

    CWnd* window() const { return m_window; }

private:
    CWnd* m_window;
    CGdiObject* m_brush = nullptr;
    CGdiObject* m_pen = nullptr;
};
