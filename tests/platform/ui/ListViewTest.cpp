#include <gtest/gtest.h>

#include "tests/platform/ui/PartsDialog.h"

namespace {

constexpr UINT kSelectedFocused = LVIS_SELECTED | LVIS_FOCUSED;

std::vector<int> selectedItems(const CListCtrl& list)
{
    std::vector<int> items;
    POSITION position = list.GetFirstSelectedItemPosition();
    while (position)
        items.push_back(list.GetNextSelectedItem(position));
    return items;
}

// A list that selects a row wherever it is clicked, by moving the click
// onto the first row's label, and frames the selected rows on the page,
// as the system's road-line list does.
class RowClickList : public CListCtrl {
public:
    void OnLButtonDown(UINT flags, CPoint point) override
    {
        CRect label;
        GetItemRect(0, label, LVIR_LABEL);
        point.x = label.left;
        CListCtrl::OnLButtonDown(flags, point);
    }
    void OnPaint() override
    {
        CListCtrl::OnPaint();
        CDC* dc = GetDC();
        dc->SelectStockObject(HOLLOW_BRUSH);
        for (int item = GetTopIndex(); item < GetTopIndex() + GetCountPerPage(); ++item)
            if (GetItemState(item, LVIS_SELECTED)) {
                CRect bounds;
                GetItemRect(item, bounds, LVIR_BOUNDS);
                bounds.left += 2;
                bounds.right -= 2;
                dc->Rectangle(bounds);
            }
        ReleaseDC(dc);
    }
};

struct RowClickDialog : PartsDialog {
    RowClickList rows;
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 9201, rows); }
};

}  // namespace

TEST(ListViewSelection, AClickSelectsOneItemAndTellsOldAndNewStates)
{
    ChainedTestResources resources;
    PartsDialog dialog;
    std::vector<std::vector<int>> seenInHandler;
    dialog.onInit = [](PartsDialog& d) { d.fillList(); };
    const PartsRun run = runParts(dialog, "dlg select IDC_LIST 1\ndlg select IDC_LIST \"Gamma\"\ndlg select 9201 2\ndlg click 2\n");
    ASSERT_FALSE(run.failure) << run.failure->message;
    const std::vector<ItemChange> expected = {
        {9201, 1, 0, kSelectedFocused},
        {9201, 1, kSelectedFocused, 0},
        {9201, 2, 0, kSelectedFocused},
    };
    EXPECT_EQ(dialog.changes, expected) << "clicking the selected item again changes nothing";
    EXPECT_EQ(dialog.list().GetSelectionMark(), 2);
    EXPECT_EQ(selectedItems(dialog.list()), std::vector<int>{2});
    EXPECT_EQ(dialog.list().GetNextItem(-1, LVNI_FOCUSED), 2);
}

TEST(ListViewSelection, AClickBesideTheLabelSelectsOnlyAFullRowOrAMovedClick)
{
    ChainedTestResources resources;
    {
        // The description column is not the row's label: the click clears the selection.
        PartsDialog dialog;
        dialog.onInit = [](PartsDialog& d) { d.fillList(); };
        runParts(dialog, "dlg select IDC_LIST 0\ndlg select IDC_LIST \"opis B\"\ndlg click 2\n");
        EXPECT_TRUE(selectedItems(dialog.list()).empty());
        EXPECT_EQ(dialog.changes.back(), (ItemChange{9201, 0, kSelectedFocused, LVIS_FOCUSED}));
    }
    {
        PartsDialog dialog;
        dialog.onInit = [](PartsDialog& d) {
            d.fillList();
            d.list().SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        };
        runParts(dialog, "dlg select IDC_LIST \"opis B\"\ndlg click 2\n");
        EXPECT_EQ(selectedItems(dialog.list()), std::vector<int>{1});
    }
    {
        // A class of the dialog's own takes the control over and moves the click.
        RowClickDialog dialog;
        dialog.onInit = [](PartsDialog& d) { d.fillList(); };
        runParts(dialog, "dlg select IDC_LIST \"opis C\"\ndlg click 2\n");
        EXPECT_EQ(dialog.GetDlgItem(9201), &dialog.rows);
        EXPECT_EQ(selectedItems(dialog.rows), std::vector<int>{2});
        EXPECT_EQ(dialog.changes, (std::vector<ItemChange>{{9201, 2, 0, kSelectedFocused}}));
        EXPECT_TRUE(dialog.rows.isReportView()) << "the member keeps the template's style";
    }
}

TEST(ListViewSelection, StatesSetByTheProgramAlsoNotifyAndKeepOneSelection)
{
    ChainedTestResources resources;
    PartsDialog dialog;
    std::vector<ItemChange> atStart;
    dialog.onInit = [&](PartsDialog& d) {
        d.fillList();
        d.list().SetItemState(0, kSelectedFocused, kSelectedFocused);
        d.list().SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
        d.list().SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
        atStart = d.changes;
        // The mark is only remembered; it selects nothing.
        d.list().SetSelectionMark(1);
    };
    runParts(dialog, "dlg click 2\n");
    const std::vector<ItemChange> expected = {
        {9201, 0, 0, kSelectedFocused},
        {9201, 0, kSelectedFocused, LVIS_FOCUSED},  // single selection: the other one goes
        {9201, 2, 0, LVIS_SELECTED},
    };
    EXPECT_EQ(atStart, expected);
    EXPECT_EQ(dialog.list().GetSelectionMark(), 1);
    EXPECT_EQ(dialog.list().GetSelectedCount(), 1u);
    EXPECT_EQ(dialog.list().GetItemState(1, kSelectedFocused), 0u);
    EXPECT_FALSE(dialog.list().SetItemState(3, LVIS_SELECTED, LVIS_SELECTED));
}

TEST(ListViewPainting, EachSelectedRowOnThePageGetsItsOwnFrame)
{
    ChainedTestResources resources;
    RowClickDialog dialog;
    std::vector<std::vector<ZcUiPaintedRectangle>> painted;
    dialog.onInit = [](PartsDialog& d) {
        d.list().ModifyStyle(LVS_SINGLESEL, 0);
        d.list().InsertColumn(0, "Symbol", LVCFMT_LEFT, 80);
        d.list().InsertColumn(1, "Opis", LVCFMT_LEFT, 200);
        for (int i = 0; i < 30; ++i)
            d.list().InsertItem(i, ("P-" + std::to_string(i)).c_str());
        for (int item : {1, 3, 25})
            d.list().SetItemState(item, LVIS_SELECTED, LVIS_SELECTED);
    };
    dialog.onCommand = [&](PartsDialog&, int id, int) {
        if (id == 9209)
            painted.push_back(dialog.rows.painted());
    };
    runParts(dialog, "dlg click IDC_COLOR\ndlg select IDC_LIST 25\ndlg click IDC_COLOR\ndlg click 2\n");
    ASSERT_EQ(painted.size(), 2u);
    // Rows 1 and 3 are on the first page, row 25 is not.
    const std::vector<ZcUiPaintedRectangle> firstPage = {{RECT{2, 41, 278, 58}, true}, {RECT{2, 75, 278, 92}, true}};
    EXPECT_EQ(painted[0], firstPage);
    // The click selects row 25 alone, scrolled to the last row of the page.
    const std::vector<ZcUiPaintedRectangle> lastRow = {{RECT{2, 109, 278, 126}, true}};
    EXPECT_EQ(painted[1], lastRow);
    EXPECT_NE(dialog.describe().find("znacznik 25 ramka 2,109–278,126\n"), std::string::npos) << dialog.describe();
}

TEST(ListViewContents, ColumnsItemsAndSubitems)
{
    ChainedTestResources resources;
    PartsDialog dialog;
    dialog.onInit = [](PartsDialog& d) {
        CListCtrl& list = d.list();
        d.fillList();
        EXPECT_EQ(list.InsertItem(10, "Delta"), 3) << "past the end appends";
        EXPECT_EQ(list.InsertItem(-1, "x"), -1);
        EXPECT_FALSE(list.SetItemText(3, 2, "no such column"));
        EXPECT_FALSE(list.SetItemText(4, 0, "no such item"));
        EXPECT_EQ(list.GetItemText(1, 1).str(), "opis B");
        EXPECT_EQ(list.GetItemText(9, 0).str(), "");
        // A column put in between moves the later texts along.
        EXPECT_EQ(list.InsertColumn(1, "Pole", LVCFMT_RIGHT, 0), 1);
        EXPECT_EQ(list.GetItemText(1, 2).str(), "opis B");
        EXPECT_TRUE(list.SetItemText(1, 1, "1.59 m2"));
        EXPECT_TRUE(list.SetColumnWidth(2, 120));
        EXPECT_EQ(list.GetColumnWidth(2), 120);
    };
    runParts(dialog, "dlg click 2\n");
    CListCtrl& list = dialog.list();
    EXPECT_EQ(list.GetItemCount(), 4);
    EXPECT_EQ(list.GetItemText(1, 1).str(), "1.59 m2");
    const std::string shown = dialog.describe();
    EXPECT_NE(shown.find("IDC_LIST SysListView32: widok raportu; kolumny: „Symbol” 80, „Opis” 120; pozycje: 0 „Alfa” "
                         "„opis A”, 1 „Beta” „opis B”"),
              std::string::npos)
        << shown;
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetSelectionMark(), -1);
}

TEST(ListViewLayout, ItemsBeyondThePageScrollIntoViewWhenSelected)
{
    ChainedTestResources resources;
    PartsDialog dialog;
    dialog.onInit = [](PartsDialog& d) {
        d.list().InsertColumn(0, "Symbol", LVCFMT_LEFT, 80);
        d.list().InsertColumn(1, "Opis", LVCFMT_LEFT, 200);
        for (int i = 0; i < 30; ++i)
            d.list().InsertItem(i, ("P-" + std::to_string(i)).c_str());
    };
    runParts(dialog, "dlg select IDC_LIST 25\ndlg click 2\n");
    CListCtrl& list = dialog.list();
    EXPECT_EQ(list.GetCountPerPage(), 6);
    EXPECT_EQ(list.GetTopIndex(), 20);
    EXPECT_EQ(selectedItems(list), std::vector<int>{25});
    CRect row, label, column;
    ASSERT_TRUE(list.GetItemRect(25, row, LVIR_BOUNDS));
    CRect client;
    list.GetClientRect(client);
    EXPECT_GE(row.top, 24);
    EXPECT_LE(row.bottom, client.bottom);
    EXPECT_EQ(row.Width(), 280);
    ASSERT_TRUE(list.GetItemRect(0, label, LVIR_LABEL));
    EXPECT_LT(label.bottom, 24) << "rows above the top are above the client area";
    ASSERT_TRUE(list.GetSubItemRect(25, 1, LVIR_BOUNDS, column));
    EXPECT_EQ(column.left, 80);
    EXPECT_EQ(column.right, 280);
    ASSERT_TRUE(list.GetSubItemRect(25, 0, LVIR_BOUNDS, column));
    EXPECT_EQ(column.Width(), 280) << "subitem 0's bounds are the row's";
    EXPECT_FALSE(list.GetItemRect(30, row, LVIR_BOUNDS));
    // Each row on the page is hit at its own label, and only there.
    for (int item = list.GetTopIndex(); item < list.GetTopIndex() + list.GetCountPerPage(); ++item) {
        list.GetItemRect(item, label, LVIR_LABEL);
        EXPECT_EQ(list.HitTest(label.CenterPoint()), item);
    }
    EXPECT_EQ(list.HitTest(CPoint(290, 30)), -1) << "beyond the columns";
}

TEST(ListViewLayout, IconViewFillsColumnsAndShowsItsImageList)
{
    ChainedTestResources resources;
    PartsDialog dialog;
    CImageList images;
    dialog.onInit = [&](PartsDialog& d) {
        ASSERT_TRUE(images.Create(32, 32, ILC_COLOR, 30, 0));
        EXPECT_EQ(images.SetBkColor(RGB(40, 0, 0)), COLORREF(CLR_NONE));
        EXPECT_EQ(d.icons().SetImageList(&images, LVSIL_NORMAL), nullptr);
        for (int i = 0; i < 10; ++i)
            d.icons().InsertItem(i, ("s_" + std::to_string(i)).c_str(), i);
    };
    runParts(dialog, "dlg select IDC_ICONS \"s_3\"\ndlg select IDC_ICONS 9\ndlg click 2\n");
    CListCtrl& icons = dialog.icons();
    EXPECT_EQ(selectedItems(icons), std::vector<int>{9});
    EXPECT_EQ(icons.GetTopIndex(), 0);
    EXPECT_EQ(icons.GetCountPerPage(), 8);
    CRect first, second, third;
    icons.GetItemRect(0, first, LVIR_BOUNDS);
    icons.GetItemRect(1, second, LVIR_BOUNDS);
    icons.GetItemRect(2, third, LVIR_BOUNDS);
    EXPECT_EQ(second.left, first.left) << "aligned left: down the column first";
    EXPECT_EQ(second.top, first.bottom);
    EXPECT_EQ(third.left, first.right);
    EXPECT_EQ(icons.GetImageList(LVSIL_NORMAL), &images);
    EXPECT_EQ(images.GetBkColor(), RGB(40, 0, 0));
    // The owner deletes its images: the list view shows none, and reads nothing freed.
    images.DeleteImageList();
    EXPECT_EQ(icons.GetImageList(LVSIL_NORMAL), nullptr);
    EXPECT_EQ(dialog.describe().find("obrazy"), std::string::npos);
}

TEST(ListViewActions, RefusedSelectionsNameTheListAndTheItem)
{
    ChainedTestResources resources;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"dlg select IDC_LIST 3\n", "IDC_LIST (9201) ma 3 pozycji, nie ma pozycji 3"},
        {"dlg select IDC_LIST \"Omega\"\n", "IDC_LIST (9201) nie ma pozycji „Omega”"},
        {"dlg select IDC_HIDDENLIST 0\n", "IDC_HIDDENLIST (9208) jest ukryta"},
        {"dlg set IDC_LIST Alfa\n", "IDC_LIST (9201) nie przyjmuje tekstu"},
        {"dlg click IDC_LIST\n", "IDC_LIST (9201) nie jest przyciskiem"},
    };
    for (const auto& [script, message] : cases) {
        PartsDialog dialog;
        dialog.onInit = [](PartsDialog& d) { d.fillList(); };
        const PartsRun run = runParts(dialog, script);
        ASSERT_TRUE(run.failure) << script;
        EXPECT_NE(run.failure->message.find(message), std::string::npos) << run.failure->message;
        EXPECT_TRUE(dialog.changes.empty());
    }
    PartsDialog disabled;
    disabled.onInit = [](PartsDialog& d) {
        d.fillList();
        d.list().EnableWindow(FALSE);
    };
    const PartsRun run = runParts(disabled, "dlg select IDC_LIST 0\n");
    ASSERT_TRUE(run.failure);
    EXPECT_NE(run.failure->message.find("IDC_LIST (9201) jest wyłączona"), std::string::npos);
}
