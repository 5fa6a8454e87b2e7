#pragma once

#include <string>
#include <vector>

#include "CRect.h"
#include "CString.h"
#include "WinMessages.h"
#include "WinTypes.h"
#include "ZcUiControls.h"
#include "ZcUiImages.h"
#include "ZrxExport.h"

// The list view ("SysListView32"): a report of rows and columns, or icons.

#define LVS_ICON 0x0000L
#define LVS_REPORT 0x0001L
#define LVS_SMALLICON 0x0002L
#define LVS_LIST 0x0003L
#define LVS_TYPEMASK 0x0003L
#define LVS_SINGLESEL 0x0004L
#define LVS_SHOWSELALWAYS 0x0008L
#define LVS_SHAREIMAGELISTS 0x0040L
#define LVS_NOLABELWRAP 0x0080L
#define LVS_AUTOARRANGE 0x0100L
#define LVS_ALIGNTOP 0x0000L
#define LVS_ALIGNLEFT 0x0800L
#define LVS_NOCOLUMNHEADER 0x4000L
#define LVS_NOSORTHEADER 0x8000L

#define LVS_EX_GRIDLINES 0x00000001L
#define LVS_EX_FULLROWSELECT 0x00000020L

#define LVIS_FOCUSED 0x0001
#define LVIS_SELECTED 0x0002

#define LVIF_TEXT 0x0001
#define LVIF_IMAGE 0x0002
#define LVIF_STATE 0x0008

#define LVIR_BOUNDS 0
#define LVIR_ICON 1
#define LVIR_LABEL 2

#define LVSIL_NORMAL 0
#define LVSIL_SMALL 1

#define LVCFMT_LEFT 0x0000
#define LVCFMT_RIGHT 0x0001
#define LVCFMT_CENTER 0x0002

#define LVNI_ALL 0x0000
#define LVNI_FOCUSED 0x0001
#define LVNI_SELECTED 0x0002

#define LVHT_NOWHERE 0x0001
#define LVHT_ONITEMICON 0x0002
#define LVHT_ONITEMLABEL 0x0004
#define LVHT_ONITEM (LVHT_ONITEMICON | LVHT_ONITEMLABEL)

#define LVN_FIRST (0U - 100U)
#define LVN_ITEMCHANGED (LVN_FIRST - 1)

// LVN_ITEMCHANGED: the item and its state before and after.
typedef struct tagNMLISTVIEW {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
} NMLISTVIEW, *LPNMLISTVIEW;

typedef struct __POSITION* POSITION;
typedef ULONG_PTR DWORD_PTR;

class ZRX_EXPORT CListCtrl : public CWnd {
public:
    // The new column's index, or -1.
    int InsertColumn(int column, LPCSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    BOOL SetColumnWidth(int column, int cx);
    int GetColumnWidth(int column) const;

    // The new item's index (at the end when past it), or -1.
    int InsertItem(int item, LPCSTR text);
    int InsertItem(int item, LPCSTR text, int image);
    BOOL SetItemText(int item, int subItem, LPCSTR text);
    CString GetItemText(int item, int subItem) const;
    BOOL SetItemData(int item, DWORD_PTR data);
    DWORD_PTR GetItemData(int item) const;
    BOOL DeleteItem(int item);
    BOOL DeleteAllItems();
    int GetItemCount() const { return int(m_items.size()); }

    // The list it showed before; the list view never deletes one.
    CImageList* SetImageList(CImageList* list, int kind);
    CImageList* GetImageList(int kind) const;

    // Item -1: every item. Each item whose state changes sends LVN_ITEMCHANGED.
    BOOL SetItemState(int item, UINT state, UINT mask);
    UINT GetItemState(int item, UINT mask) const;
    UINT GetSelectedCount() const;
    int GetSelectionMark() const { return m_selectionMark; }
    int SetSelectionMark(int item);
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& position) const;
    int GetNextItem(int item, int flags) const;

    DWORD SetExtendedStyle(DWORD style);
    DWORD GetExtendedStyle() const { return m_extendedStyle; }

    // Scrolls so that the item can be seen.
    BOOL EnsureVisible(int item, BOOL partialOK);
    // Report view: the first row shown; 0 in the icon views.
    int GetTopIndex() const;
    int GetCountPerPage() const;
    BOOL GetItemRect(int item, LPRECT rect, UINT code) const;
    BOOL GetSubItemRect(int item, int subItem, int area, CRect& rect) const;
    // The item under the point (client pixels), or -1.
    int HitTest(CPoint point, UINT* flags = nullptr) const;

    // A click on an item selects it alone; a click beside the items
    // clears the selection.
    void OnLButtonDown(UINT flags, CPoint point) override;

    bool isReportView() const { return (m_style & LVS_TYPEMASK) == LVS_REPORT; }
    // The item a user's "select" clicks on: by index, or by the text of
    // any of its columns; the column found, or -1 when there is none.
    int findItem(const std::string& text, int& subItem) const;
    // What a screen shows: the columns' headings, and each item's image in
    // the image list of its view (-1 for none).
    int columnCount() const { return int(m_columns.size()); }
    std::string columnHeading(int column) const;
    int itemImage(int item) const;
    std::string valueText() const override;

private:
    struct Column {
        std::string heading;
        int format = LVCFMT_LEFT;
        int width = 0;
    };
    struct Item {
        std::vector<std::string> texts;  // one per column; the label first
        int image = -1;
        UINT state = 0;
        DWORD_PTR data = 0;
    };

    void changeStates(const std::vector<UINT>& newStates, int lastNotified = -1);
    void notifyChange(int item, UINT oldState, UINT newState);
    CRect cellRect(int item) const;
    int rowHeight() const;
    int headerHeight() const;
    int columnLeft(int column) const;
    int totalWidth() const;
    int cellsAcross() const;
    int cellsDown() const;
    bool alignsLeft() const { return (m_style & LVS_ALIGNLEFT) != 0; }
    const CImageList* liveImageList(int kind) const;

    std::vector<Column> m_columns;
    std::vector<Item> m_items;
    CImageList* m_normalImages = nullptr;
    CImageList* m_smallImages = nullptr;
    HIMAGELIST m_normalHandle = nullptr;
    HIMAGELIST m_smallHandle = nullptr;
    DWORD m_extendedStyle = 0;
    int m_selectionMark = -1;
    int m_topIndex = 0;    // report view: rows scrolled away
    int m_firstCell = 0;   // icon views: rows (or columns, aligned left) scrolled away
};
