#pragma once

#include "ZcUiListCtrl.h"

// The catalogue list of the marking dialogs: a click anywhere on a row,
// also right of its first column, selects the row, and every selected row
// on the page is framed so that it stands out from the icons beside it.
class UI_ListCtrl : public CListCtrl {
public:
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnPaint() override;

private:
    // The click moved onto the first row's label, so that it hits a row.
    CPoint ontoLabel(CPoint point) const;
};
