#include "ZcUiListCtrl.h"

#include <algorithm>

#include "ZcUiDialog.h"
#include "platform/ui/GdiHandles.h"

using namespace platform;

namespace {

// The list view's layout in pixels, as the system draws it with the
// templates' font: a column header, text rows, and icon cells.
constexpr int kHeaderHeight = 24;
constexpr int kTextRowHeight = 17;
constexpr int kIconSpacing = 75;
// Room under a large icon for two lines of its label.
constexpr int kIconLabelHeight = 30;
// The large icon's size when the list shows none.
constexpr int kListIconSize = 32;
constexpr int kIconTopMargin = 2;

POSITION positionOf(int item) { return reinterpret_cast<POSITION>(static_cast<uintptr_t>(item) + 1); }
int itemOf(POSITION position) { return int(reinterpret_cast<uintptr_t>(position)) - 1; }

}  // namespace

int CListCtrl::InsertColumn(int column, LPCSTR heading, int format, int width, int)
{
    if (column < 0)
        return -1;
    const size_t at = std::min(size_t(column), m_columns.size());
    m_columns.insert(m_columns.begin() + std::ptrdiff_t(at), Column{heading ? heading : "", format, std::max(width, 0)});
    // The label stays the first text; a new column's texts start empty.
    if (at > 0)
        for (Item& item : m_items)
            if (item.texts.size() >= at)
                item.texts.insert(item.texts.begin() + std::ptrdiff_t(at), std::string());
    return int(at);
}

BOOL CListCtrl::SetColumnWidth(int column, int cx)
{
    if (column < 0 || column >= int(m_columns.size()))
        return FALSE;
    m_columns[size_t(column)].width = std::max(cx, 0);
    return TRUE;
}

int CListCtrl::GetColumnWidth(int column) const
{
    return column < 0 || column >= int(m_columns.size()) ? 0 : m_columns[size_t(column)].width;
}

int CListCtrl::InsertItem(int item, LPCSTR text) { return InsertItem(item, text, -1); }

int CListCtrl::InsertItem(int item, LPCSTR text, int image)
{
    if (item < 0)
        return -1;
    const size_t at = std::min(size_t(item), m_items.size());
    Item entry;
    entry.texts.assign(std::max<size_t>(1, m_columns.size()), std::string());
    entry.texts[0] = text ? text : "";
    entry.image = image;
    m_items.insert(m_items.begin() + std::ptrdiff_t(at), std::move(entry));
    if (m_selectionMark >= int(at))
        ++m_selectionMark;
    return int(at);
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCSTR text)
{
    if (item < 0 || item >= GetItemCount() || subItem < 0 || (subItem > 0 && subItem >= int(m_columns.size())))
        return FALSE;
    std::vector<std::string>& texts = m_items[size_t(item)].texts;
    if (texts.size() <= size_t(subItem))
        texts.resize(size_t(subItem) + 1);
    texts[size_t(subItem)] = text ? text : "";
    return TRUE;
}

CString CListCtrl::GetItemText(int item, int subItem) const
{
    if (item < 0 || item >= GetItemCount() || subItem < 0)
        return CString();
    const std::vector<std::string>& texts = m_items[size_t(item)].texts;
    return size_t(subItem) < texts.size() ? CString(texts[size_t(subItem)]) : CString();
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data)
{
    if (item < 0 || item >= GetItemCount())
        return FALSE;
    m_items[size_t(item)].data = data;
    return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int item) const
{
    return item < 0 || item >= GetItemCount() ? 0 : m_items[size_t(item)].data;
}

BOOL CListCtrl::DeleteItem(int item)
{
    if (item < 0 || item >= GetItemCount())
        return FALSE;
    m_items.erase(m_items.begin() + item);
    if (m_selectionMark == item)
        m_selectionMark = -1;
    else if (m_selectionMark > item)
        --m_selectionMark;
    m_topIndex = std::clamp(m_topIndex, 0, std::max(0, GetItemCount() - 1));
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems()
{
    m_items.clear();
    m_selectionMark = -1;
    m_topIndex = 0;
    m_firstCell = 0;
    return TRUE;
}

CImageList* CListCtrl::SetImageList(CImageList* list, int kind)
{
    if (kind != LVSIL_NORMAL && kind != LVSIL_SMALL)
        return nullptr;
    CImageList* previous = GetImageList(kind);
    CImageList*& pointer = kind == LVSIL_NORMAL ? m_normalImages : m_smallImages;
    HIMAGELIST& handle = kind == LVSIL_NORMAL ? m_normalHandle : m_smallHandle;
    pointer = list;
    handle = list ? list->GetSafeHandle() : nullptr;
    return previous;
}

CImageList* CListCtrl::GetImageList(int kind) const
{
    // The owner may have deleted it: only a list whose handle lives is there.
    if (kind == LVSIL_NORMAL)
        return findImageList(m_normalHandle) ? m_normalImages : nullptr;
    if (kind == LVSIL_SMALL)
        return findImageList(m_smallHandle) ? m_smallImages : nullptr;
    return nullptr;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask)
{
    if (item < -1 || item >= GetItemCount())
        return FALSE;
    std::vector<UINT> states;
    for (const Item& entry : m_items)
        states.push_back(entry.state);
    for (int i = 0; i < GetItemCount(); ++i)
        if (item == -1 || i == item)
            states[size_t(i)] = (states[size_t(i)] & ~mask) | (state & mask);
    if (item >= 0) {
        // One focused item; one selected item in a single-selection list.
        UINT taken = 0;
        if (mask & state & LVIS_FOCUSED)
            taken |= LVIS_FOCUSED;
        if ((mask & state & LVIS_SELECTED) && (m_style & LVS_SINGLESEL))
            taken |= LVIS_SELECTED;
        for (int i = 0; i < GetItemCount(); ++i)
            if (i != item)
                states[size_t(i)] &= ~taken;
    }
    changeStates(states, item);
    return TRUE;
}

UINT CListCtrl::GetItemState(int item, UINT mask) const
{
    return item < 0 || item >= GetItemCount() ? 0 : m_items[size_t(item)].state & mask;
}

UINT CListCtrl::GetSelectedCount() const
{
    return UINT(std::count_if(m_items.begin(), m_items.end(), [](const Item& i) { return (i.state & LVIS_SELECTED) != 0; }));
}

int CListCtrl::SetSelectionMark(int item)
{
    const int previous = m_selectionMark;
    m_selectionMark = item;
    return previous;
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    const int first = GetNextItem(-1, LVNI_SELECTED);
    return first < 0 ? nullptr : positionOf(first);
}

int CListCtrl::GetNextSelectedItem(POSITION& position) const
{
    const int item = itemOf(position);
    const int next = GetNextItem(item, LVNI_SELECTED);
    position = next < 0 ? nullptr : positionOf(next);
    return item;
}

int CListCtrl::GetNextItem(int item, int flags) const
{
    UINT wanted = 0;
    if (flags & LVNI_SELECTED)
        wanted |= LVIS_SELECTED;
    if (flags & LVNI_FOCUSED)
        wanted |= LVIS_FOCUSED;
    for (int i = std::max(item + 1, 0); i < GetItemCount(); ++i)
        if ((m_items[size_t(i)].state & wanted) == wanted)
            return i;
    return -1;
}

DWORD CListCtrl::SetExtendedStyle(DWORD style)
{
    const DWORD previous = m_extendedStyle;
    m_extendedStyle = style;
    return previous;
}

void CListCtrl::changeStates(const std::vector<UINT>& newStates, int lastNotified)
{
    // Every state is set before anyone is told, so that a handler sees the
    // list as it ends up; the clicked or set item is told last.
    struct Change {
        int item;
        UINT oldState, newState;
    };
    std::vector<Change> changes;
    for (int i = 0; i < GetItemCount(); ++i) {
        const UINT before = m_items[size_t(i)].state;
        if (before != newStates[size_t(i)] && i != lastNotified)
            changes.push_back({i, before, newStates[size_t(i)]});
    }
    if (lastNotified >= 0 && m_items[size_t(lastNotified)].state != newStates[size_t(lastNotified)])
        changes.push_back({lastNotified, m_items[size_t(lastNotified)].state, newStates[size_t(lastNotified)]});
    for (int i = 0; i < GetItemCount(); ++i)
        m_items[size_t(i)].state = newStates[size_t(i)];
    for (const Change& change : changes)
        notifyChange(change.item, change.oldState, change.newState);
}

void CListCtrl::notifyChange(int item, UINT oldState, UINT newState)
{
    if (!m_parent)
        return;
    const LPARAM data = item < GetItemCount() ? LPARAM(m_items[size_t(item)].data) : 0;
    NMLISTVIEW change{{GetSafeHwnd(), UINT_PTR(m_id), LVN_ITEMCHANGED}, item, 0, newState, oldState, LVIF_STATE, {0, 0}, data};
    m_parent->sendNotify(m_id, &change.hdr);
}

int CListCtrl::headerHeight() const
{
    // Only a report has column headings; icons start at the top.
    return !isReportView() || (m_style & LVS_NOCOLUMNHEADER) ? 0 : kHeaderHeight;
}

int CListCtrl::rowHeight() const
{
    const ImageListData* small = findImageList(m_smallHandle);
    return std::max(kTextRowHeight, small ? small->cy : 0);
}

int CListCtrl::columnLeft(int column) const
{
    int left = 0;
    for (int i = 0; i < column && i < int(m_columns.size()); ++i)
        left += m_columns[size_t(i)].width;
    return left;
}

int CListCtrl::totalWidth() const { return columnLeft(int(m_columns.size())); }

namespace {

struct IconCell {
    int width, height, iconWidth, iconHeight;
};

IconCell iconCell(HIMAGELIST normal)
{
    const ImageListData* list = findImageList(normal);
    const int cx = list ? list->cx : kListIconSize, cy = list ? list->cy : kListIconSize;
    return {std::max(kIconSpacing, cx + 2 * kIconTopMargin), std::max(kIconSpacing, cy + kIconLabelHeight), cx, cy};
}

}  // namespace

int CListCtrl::cellsAcross() const { return std::max(1, m_width / iconCell(m_normalHandle).width); }

int CListCtrl::cellsDown() const { return std::max(1, m_height / iconCell(m_normalHandle).height); }

CRect CListCtrl::cellRect(int item) const
{
    if (isReportView()) {
        const int top = headerHeight() + (item - m_topIndex) * rowHeight();
        return CRect(0, top, totalWidth(), top + rowHeight());
    }
    const IconCell cell = iconCell(m_normalHandle);
    int column, row;
    if (alignsLeft()) {
        row = item % cellsDown();
        column = item / cellsDown() - m_firstCell;
    } else {
        column = item % cellsAcross();
        row = item / cellsAcross() - m_firstCell;
    }
    return CRect(column * cell.width, row * cell.height, (column + 1) * cell.width, (row + 1) * cell.height);
}

BOOL CListCtrl::EnsureVisible(int item, BOOL)
{
    if (item < 0 || item >= GetItemCount())
        return FALSE;
    if (isReportView()) {
        const int page = std::max(1, GetCountPerPage());
        if (item < m_topIndex)
            m_topIndex = item;
        else if (item >= m_topIndex + page)
            m_topIndex = item - page + 1;
        return TRUE;
    }
    const int line = alignsLeft() ? item / cellsDown() : item / cellsAcross();
    const int lines = alignsLeft() ? std::max(1, m_width / iconCell(m_normalHandle).width)
                                   : std::max(1, m_height / iconCell(m_normalHandle).height);
    if (line < m_firstCell)
        m_firstCell = line;
    else if (line >= m_firstCell + lines)
        m_firstCell = line - lines + 1;
    return TRUE;
}

int CListCtrl::GetTopIndex() const { return isReportView() ? m_topIndex : 0; }

int CListCtrl::GetCountPerPage() const
{
    if (isReportView())
        return std::max(0, (m_height - headerHeight()) / rowHeight());
    const IconCell cell = iconCell(m_normalHandle);
    return std::max(1, m_width / cell.width) * std::max(1, m_height / cell.height);
}

BOOL CListCtrl::GetItemRect(int item, LPRECT rect, UINT code) const
{
    if (!rect || item < 0 || item >= GetItemCount() || code > LVIR_LABEL)
        return FALSE;
    const CRect bounds = cellRect(item);
    if (code == LVIR_BOUNDS) {
        *rect = bounds;
        return TRUE;
    }
    if (isReportView()) {
        const ImageListData* small = findImageList(m_smallHandle);
        const int iconRight = small ? small->cx : 0;
        const int labelRight = std::max(iconRight, GetColumnWidth(0));
        *rect = code == LVIR_ICON ? CRect(0, bounds.top, iconRight, bounds.bottom)
                                  : CRect(iconRight, bounds.top, labelRight, bounds.bottom);
        return TRUE;
    }
    const IconCell cell = iconCell(m_normalHandle);
    const int iconLeft = bounds.left + (cell.width - cell.iconWidth) / 2;
    const int iconBottom = bounds.top + kIconTopMargin + cell.iconHeight;
    *rect = code == LVIR_ICON ? CRect(iconLeft, bounds.top + kIconTopMargin, iconLeft + cell.iconWidth, iconBottom)
                              : CRect(bounds.left, iconBottom, bounds.right, bounds.bottom);
    return TRUE;
}

BOOL CListCtrl::GetSubItemRect(int item, int subItem, int area, CRect& rect) const
{
    if (!isReportView() || item < 0 || item >= GetItemCount() || subItem < 0 ||
        subItem >= std::max(1, int(m_columns.size())) || area < LVIR_BOUNDS || area > LVIR_LABEL)
        return FALSE;
    // As the system does, the bounds of subitem 0 are the whole row's.
    if (subItem == 0)
        return GetItemRect(item, &rect, UINT(area));
    const CRect row = cellRect(item);
    const int left = columnLeft(subItem);
    rect = CRect(left, row.top, area == LVIR_ICON ? left : left + GetColumnWidth(subItem), row.bottom);
    return TRUE;
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const
{
    if (flags)
        *flags = LVHT_NOWHERE;
    for (int item = 0; item < GetItemCount(); ++item) {
        CRect icon, label, bounds;
        GetItemRect(item, &icon, LVIR_ICON);
        GetItemRect(item, &label, LVIR_LABEL);
        GetItemRect(item, &bounds, LVIR_BOUNDS);
        UINT hit = 0;
        if (icon.PtInRect(point))
            hit = LVHT_ONITEMICON;
        else if (label.PtInRect(point))
            hit = LVHT_ONITEMLABEL;
        // Beside the label, in a later column, only a full-row list hits the row.
        else if (isReportView() && (m_extendedStyle & LVS_EX_FULLROWSELECT) && bounds.PtInRect(point))
            hit = LVHT_ONITEMLABEL;
        if (hit && point.y >= headerHeight()) {
            if (flags)
                *flags = hit;
            return item;
        }
    }
    return -1;
}

void CListCtrl::OnLButtonDown(UINT, CPoint point)
{
    const int hit = HitTest(point);
    std::vector<UINT> states;
    for (int i = 0; i < GetItemCount(); ++i) {
        const UINT state = m_items[size_t(i)].state;
        if (hit < 0)
            states.push_back(state & ~UINT(LVIS_SELECTED));
        else if (i == hit)
            states.push_back(state | LVIS_SELECTED | LVIS_FOCUSED);
        else
            states.push_back(state & ~UINT(LVIS_SELECTED | LVIS_FOCUSED));
    }
    if (hit >= 0)
        m_selectionMark = hit;
    changeStates(states, hit);
}

std::string CListCtrl::columnHeading(int column) const
{
    return column >= 0 && column < columnCount() ? m_columns[size_t(column)].heading : std::string();
}

int CListCtrl::itemImage(int item) const
{
    return item >= 0 && item < GetItemCount() ? m_items[size_t(item)].image : -1;
}

int CListCtrl::findItem(const std::string& text, int& subItem) const
{
    for (int i = 0; i < GetItemCount(); ++i)
        if (m_items[size_t(i)].texts[0] == text) {
            subItem = 0;
            return i;
        }
    if (!isReportView())
        return -1;
    for (int i = 0; i < GetItemCount(); ++i)
        for (size_t column = 1; column < m_items[size_t(i)].texts.size() && column < m_columns.size(); ++column)
            if (m_columns[column].width > 0 && m_items[size_t(i)].texts[column] == text) {
                subItem = int(column);
                return i;
            }
    return -1;
}

std::string CListCtrl::valueText() const
{
    static const char* const kViews[] = {"widok dużych ikon", "widok raportu", "widok małych ikon", "widok listy"};
    std::string out = kViews[m_style & LVS_TYPEMASK];
    // What a user sees: the columns that have a width.
    std::vector<size_t> shown;
    if (isReportView()) {
        out += "; kolumny:";
        for (size_t c = 0; c < m_columns.size(); ++c)
            if (m_columns[c].width > 0) {
                shown.push_back(c);
                out += (shown.size() > 1 ? ", „" : " „") + m_columns[c].heading + "” " + std::to_string(m_columns[c].width);
            }
        if (shown.empty())
            out += " brak";
    } else {
        shown.push_back(0);
    }
    out += "; pozycje:";
    for (int i = 0; i < GetItemCount(); ++i) {
        out += (i ? ", " : " ") + std::to_string(i);
        for (size_t c : shown)
            out += " „" + (c < m_items[size_t(i)].texts.size() ? m_items[size_t(i)].texts[c] : std::string()) + "”";
    }
    if (m_items.empty())
        out += " brak";
    out += "; zaznaczone:";
    bool any = false;
    for (int i = 0; i < GetItemCount(); ++i)
        if (m_items[size_t(i)].state & LVIS_SELECTED) {
            out += (any ? ", " : " ") + std::to_string(i);
            any = true;
        }
    if (!any)
        out += " brak";
    out += "; znacznik " + std::to_string(m_selectionMark);
    const ImageListData* images = findImageList(isReportView() || (m_style & LVS_TYPEMASK) == LVS_SMALLICON ? m_smallHandle : m_normalHandle);
    if (images)
        out += "; obrazy " + std::to_string(images->images.size()) + " (" + std::to_string(images->cx) + "×" +
               std::to_string(images->cy) + ")";
    return out;
}
