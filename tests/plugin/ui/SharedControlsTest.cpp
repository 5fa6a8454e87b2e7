// The controls the catalogue dialogs share: the destination list, and a
// list whose rows are selected wherever they are clicked and framed.

#include <gtest/gtest.h>

#include "ZcUiDataExchange.h"
#include "ZcUiDialog.h"
#include "frame/ModuleResources.h"
#include "resource.h"
#include "tests/support/ScriptedInput.h"
#include "ui/ScaleAndDestination.h"
#include "ui/UI_ComboDest.h"
#include "ui/UI_ListCtrl.h"

namespace {

// The arrow dialog's template with its catalogue list and destination
// list taken over by the shared controls: 30 rows of four columns.
class CatalogueDialog : public CZcUiDialog {
public:
    CatalogueDialog() : CZcUiDialog(IDD_ARROWS, nullptr) {}

    UI_ListCtrl rows;
    UI_ComboDest destinations;
    std::vector<ZcUiPaintedRectangle> framedAtClose;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CZcUiDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_ARROW_LIST, rows);
        DDX_Control(pDX, IDC_MARKING_DESTINATION, destinations);
    }
    BOOL OnInitDialog() override
    {
        CZcUiDialog::OnInitDialog();
        destinations.Fill();
        int column = 0;
        for (auto [heading, width] : {std::pair{"Symbol", 80}, {"Opis", 240}, {"A", 0}, {"B", 0}})
            rows.InsertColumn(column++, heading, LVCFMT_LEFT, width);
        for (int i = 0; i < 30; ++i) {
            rows.InsertItem(i, ("P-" + std::to_string(i)).c_str());
            rows.SetItemText(i, 1, ("opis " + std::to_string(i)).c_str());
        }
        return TRUE;
    }
    BOOL OnCommand(int id, int code) override
    {
        if (id == IDCANCEL)
            framedAtClose = rows.painted();
        return CZcUiDialog::OnCommand(id, code);
    }
};

// The arrow dialog's template with its destination and scale lists set up
// from the kept choices.
class ListsDialog : public CZcUiDialog {
public:
    ListsDialog(const CommandSettings& kept, std::vector<const char*> scaleNames)
        : CZcUiDialog(IDD_ARROWS, nullptr), m_kept(kept), m_scaleNames(std::move(scaleNames))
    {
    }

    UI_ComboDest destinations;
    CComboBox scales;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CZcUiDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_MARKING_DESTINATION, destinations);
        DDX_Control(pDX, IDC_MARKING_SCALE, scales);
    }
    BOOL OnInitDialog() override
    {
        CZcUiDialog::OnInitDialog();
        FillScaleAndDestination(destinations, scales, m_scaleNames, m_kept);
        return TRUE;
    }

private:
    CommandSettings m_kept;
    std::vector<const char*> m_scaleNames;
};

struct KeptChoice {
    int destination, scaleIndex;
    std::vector<const char*> scaleNames;
    int shownDestination, shownScale;  // -1: nothing selected
};

class KeptChoices : public testing::TestWithParam<KeptChoice> {};

std::vector<int> selected(const CListCtrl& list)
{
    std::vector<int> items;
    for (POSITION p = list.GetFirstSelectedItemPosition(); p;)
        items.push_back(list.GetNextSelectedItem(p));
    return items;
}

}  // namespace

TEST(SharedControls, DestinationsInTheirOrderTheFirstChosen)
{
    ModuleResourceChain resources;
    CatalogueDialog dialog;
    ScriptedInput input("dlg click 2\n");
    dialog.DoModal();
    ASSERT_EQ(dialog.destinations.GetCount(), 4);
    EXPECT_EQ(dialog.destinations.GetCurSel(), 0);
    const char* expected[] = {"Projektowany", "Tymczasowy", "Istniejący", "Usuwany"};
    for (int i = 0; i < 4; ++i) {
        CString text;
        dialog.destinations.GetLBText(i, text);
        EXPECT_EQ(text.str(), expected[i]);
    }
}

TEST(SharedControls, AClickAnywhereOnARowSelectsItAndFramesIt)
{
    ModuleResourceChain resources;
    CatalogueDialog dialog;
    // A click in the description column, then on a row scrolled into view.
    ScriptedInput input("dlg select IDC_ARROW_LIST \"opis 3\"\ndlg select IDC_ARROW_LIST 25\ndlg click 2\n");
    dialog.DoModal();
    EXPECT_EQ(selected(dialog.rows), std::vector<int>{25});
    EXPECT_EQ(dialog.rows.GetSelectionMark(), 25);
    ASSERT_EQ(dialog.framedAtClose.size(), 1u) << "one frame, on the row on the page";
    CRect bounds;
    dialog.rows.GetItemRect(25, bounds, LVIR_BOUNDS);
    const RECT frame = dialog.framedAtClose[0].rect;
    EXPECT_EQ(frame.left, bounds.left + 2);
    EXPECT_EQ(frame.right, bounds.right - 2);
    EXPECT_EQ(frame.top, bounds.top);
    EXPECT_TRUE(dialog.framedAtClose[0].hollow);
}

TEST_P(KeptChoices, ShowTheKeptIndexWhereTheListHasIt)
{
    ModuleResourceChain resources;
    const KeptChoice& c = GetParam();
    CommandSettings kept;
    kept.destination = c.destination;
    kept.scaleIndex = c.scaleIndex;
    ListsDialog dialog(kept, c.scaleNames);
    ScriptedInput input("dlg click 2\n");
    dialog.DoModal();
    EXPECT_EQ(dialog.destinations.GetCount(), 4);
    EXPECT_EQ(dialog.destinations.GetCurSel(), c.shownDestination);
    ASSERT_EQ(dialog.scales.GetCount(), int(c.scaleNames.size()));
    for (int i = 0; i < dialog.scales.GetCount(); ++i) {
        CString text;
        dialog.scales.GetLBText(i, text);
        EXPECT_EQ(text.str(), c.scaleNames[size_t(i)]) << "the names in their order";
    }
    EXPECT_EQ(dialog.scales.GetCurSel(), c.shownScale);
}

// A sign dialog's "1:1" (index 2) shows nothing in the two-scale lists.
INSTANTIATE_TEST_SUITE_P(Lists, KeptChoices,
                         testing::Values(KeptChoice{3, 1, {"1:1000", "1:500"}, 3, 1},
                                         KeptChoice{0, 2, {"1:1000", "1:500", "1:1"}, 0, 2},
                                         KeptChoice{2, 2, {"1:1000", "1:500"}, 2, -1},
                                         KeptChoice{1, 0, {"1:100", "1:500"}, 1, 0}));
