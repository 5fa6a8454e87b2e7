#include "ZcUiPaint.h"

#include "ZcUiControls.h"

namespace {

// The stock objects, one of each, as the system shares them.
CGdiObject* stockObject(int index)
{
    static CGdiObject objects[] = {CGdiObject(0), CGdiObject(1), CGdiObject(2), CGdiObject(3), CGdiObject(4),
                                   CGdiObject(5), CGdiObject(6), CGdiObject(7), CGdiObject(8)};
    return index >= 0 && index <= NULL_PEN ? &objects[index] : nullptr;
}

bool isBrush(int index) { return index >= WHITE_BRUSH && index <= NULL_BRUSH; }
bool isPen(int index) { return index >= WHITE_PEN && index <= NULL_PEN; }

}  // namespace

CGdiObject* CDC::SelectStockObject(int index) { return SelectObject(stockObject(index)); }

CGdiObject* CDC::SelectObject(CGdiObject* object)
{
    if (!object)
        return nullptr;
    CGdiObject*& slot = isBrush(object->stockIndex()) ? m_brush : m_pen;
    if (!isBrush(object->stockIndex()) && !isPen(object->stockIndex()))
        return nullptr;
    CGdiObject* previous = slot ? slot : stockObject(isBrush(object->stockIndex()) ? WHITE_BRUSH : BLACK_PEN);
    slot = object;
    return previous;
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom)
{
    if (!m_window)
        return FALSE;
    const bool hollow = m_brush && m_brush->stockIndex() == NULL_BRUSH;
    m_window->addPainted({RECT{left, top, right, bottom}, hollow});
    return TRUE;
}

BOOL CDC::Rectangle(LPCRECT rect) { return rect ? Rectangle(rect->left, rect->top, rect->right, rect->bottom) : FALSE; }
