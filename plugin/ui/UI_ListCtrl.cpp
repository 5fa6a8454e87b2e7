#include "ui/UI_ListCtrl.h"

#include "ZcUiPaint.h"

namespace {

// The frame sits inside the row, clear of the list's border.
constexpr int kFrameInset = 2;

}  // namespace

CPoint UI_ListCtrl::ontoLabel(CPoint point) const
{
    CRect label;
    if (GetItemRect(0, label, LVIR_LABEL))
        point.x = label.left;
    return point;
}

void UI_ListCtrl::OnLButtonDown(UINT flags, CPoint point)
{
    SetFocus();
    CListCtrl::OnLButtonDown(flags, ontoLabel(point));
}

void UI_ListCtrl::OnLButtonUp(UINT flags, CPoint point) { CListCtrl::OnLButtonUp(flags, ontoLabel(point)); }

void UI_ListCtrl::OnLButtonDblClk(UINT flags, CPoint point) { CListCtrl::OnLButtonDblClk(flags, ontoLabel(point)); }

void UI_ListCtrl::OnPaint()
{
    CListCtrl::OnPaint();
    CDC* dc = GetDC();
    if (!dc)
        return;
    dc->SelectStockObject(HOLLOW_BRUSH);
    const int top = GetTopIndex();
    for (int item = top; item < top + GetCountPerPage() && item < GetItemCount(); ++item) {
        if (!GetItemState(item, LVIS_SELECTED))
            continue;
        CRect bounds;
        GetItemRect(item, bounds, LVIR_BOUNDS);
        bounds.left += kFrameInset;
        bounds.right -= kFrameInset;
        dc->Rectangle(bounds);
    }
    ReleaseDC(dc);
}
