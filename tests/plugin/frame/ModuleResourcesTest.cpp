// The plug-in's resources compiled from the resource script: the six dialog
// templates, the strings and the island sketches, as the dialog runtime finds them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "ZcUiDialog.h"
#include "frame/ModuleResources.h"
#include "frame/StringTable.h"
#include "resource.h"

namespace {

constexpr DWORD kWsBorder = 0x00800000;
constexpr DWORD kSsNotify = 0x100;
constexpr DWORD kSsTypeMask = 0x1F;
constexpr DWORD kLvsTypeMask = 0x3;
constexpr DWORD kLvsReport = 0x1;
constexpr DWORD kLvsSingleSel = 0x4;
constexpr DWORD kLvsShowSelAlways = 0x8;
constexpr DWORD kLvsShareImageLists = 0x40;
constexpr DWORD kEsMultiline = 0x4;
constexpr DWORD kEsWantReturn = 0x1000;
// A combo box's template height includes its dropped list; what stands on the
// dialog is one line of this height (dialog units).
constexpr int kComboFieldHeight = 14;

const ZcUiDialogTemplate* findTemplate(UINT id)
{
    const ZcUiModuleResources& resources = TarvoResources();
    for (size_t i = 0; i < resources.dialogCount; ++i)
        if (resources.dialogs[i].id == id)
            return &resources.dialogs[i];
    return nullptr;
}

const ZcUiControlTemplate* findControl(const ZcUiDialogTemplate& dialog, int id)
{
    for (size_t i = 0; i < dialog.controlCount; ++i)
        if (dialog.controls[i].id == id)
            return &dialog.controls[i];
    return nullptr;
}

struct Box {
    int left, top, right, bottom;
};

Box boxOf(const ZcUiControlTemplate& c)
{
    const bool combo = std::strcmp(c.windowClass, "ComboBox") == 0;
    return {c.x, c.y, c.x + c.cx, c.y + (combo ? std::min(c.cy, kComboFieldHeight) : c.cy)};
}

bool overlap(const Box& a, const Box& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// What the dialog runtime made of each control of a template, seen from the
// dialog's initialisation; the dialog then closes without waiting for input.
struct BuiltControl {
    std::string name, windowClass, text;
    DWORD style;
    bool visible, enabled;
};

class InspectedDialog : public CZcUiDialog {
public:
    explicit InspectedDialog(UINT id) : CZcUiDialog(id) {}

    std::string caption;
    std::map<int, BuiltControl> controls;

protected:
    BOOL OnInitDialog() override
    {
        CZcUiDialog::OnInitDialog();
        CString text;
        GetWindowText(text);
        caption = static_cast<const char*>(text);
        const ZcUiDialogTemplate* dialog = findTemplate(templateId());
        for (size_t i = 0; dialog && i < dialog->controlCount; ++i) {
            const int id = dialog->controls[i].id;
            if (const CWnd* wnd = id == -1 ? nullptr : GetDlgItem(id)) {
                CString value;
                wnd->GetWindowText(value);
                controls[id] = {wnd->controlName(), wnd->windowClass(), static_cast<const char*>(value), wnd->style(),
                                bool(wnd->IsWindowVisible()), bool(wnd->IsWindowEnabled())};
            }
        }
        EndDialog(IDCANCEL);
        return TRUE;
    }
};

struct Parameter {
    const char* name;
    int label;
    int edit;
    const char* editName;
};

// The island dialog's parameters: label and edit control of each.
const std::vector<Parameter> kIslandParameters = {
    {"R", 8054, 8052, "IDC_R"},       {"S", 8055, 8053, "IDC_S"},       {"L", 8056, 8061, "IDC_L"},
    {"A", 8057, 8062, "IDC_A"},       {"Sw", 8058, 8063, "IDC_SW"},     {"Su", 8059, 8064, "IDC_SU"},
    {"Sd", 8060, 8065, "IDC_SD"},     {"R1", 8067, 8066, "IDC_R1"},     {"R3", 8068, 8069, "IDC_R3"},
    {"Ru", 8070, 8071, "IDC_RU"},     {"Rw", 8072, 8073, "IDC_RW"},     {"Ru1", 8074, 8075, "IDC_RU1"},
    {"Rw1", 8076, 8077, "IDC_RW1"},   {"L1", 8078, 8079, "IDC_L1"},     {"L2", 8080, 8081, "IDC_L2"},
};

}  // namespace

TEST(IslandTemplate, ChainedDialogHasEveryParameterAsLabelAndEdit)
{
    ModuleResourceChain chain;
    InspectedDialog dialog(IDD_ISLANDS);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.caption, "Wyspy");
    for (const Parameter& p : kIslandParameters) {
        SCOPED_TRACE(p.name);
        ASSERT_TRUE(dialog.controls.count(p.label));
        ASSERT_TRUE(dialog.controls.count(p.edit));
        const BuiltControl& label = dialog.controls[p.label];
        const BuiltControl& edit = dialog.controls[p.edit];
        EXPECT_EQ(label.windowClass, "Static");
        EXPECT_EQ(label.text, p.name) << "a label reads its parameter's name";
        EXPECT_EQ(edit.windowClass, "Edit");
        EXPECT_EQ(edit.name, p.editName) << "scripts name the edit as resource.h does";
        const bool r3 = std::string(p.name) == "R3";
        EXPECT_EQ(label.visible, !r3);
        EXPECT_EQ(label.enabled, !r3);
        EXPECT_EQ(edit.visible, !r3) << "R3 and its label are created hidden and disabled";
        EXPECT_EQ(edit.enabled, !r3);
    }
}

TEST(IslandTemplate, ChainedDialogHasKindListSketchAndButtons)
{
    ModuleResourceChain chain;
    InspectedDialog dialog(IDD_ISLANDS);
    dialog.DoModal();
    ASSERT_EQ(dialog.controls.size(), 2 * kIslandParameters.size() + 4) << "no control beyond those listed";

    const BuiltControl& kind = dialog.controls[IDC_ISLAND_KIND];
    EXPECT_EQ(kind.windowClass, "ComboBox");
    EXPECT_EQ(kind.style & CBS_TYPEMASK, DWORD(CBS_DROPDOWNLIST));
    EXPECT_TRUE(kind.visible && kind.enabled);

    const BuiltControl& sketch = dialog.controls[IDC_ISLAND_SKETCH];
    EXPECT_EQ(sketch.windowClass, "Static");
    EXPECT_EQ(sketch.style & kSsTypeMask, DWORD(SS_BITMAP));
    EXPECT_NE(sketch.style & kSsNotify, 0u) << "a click on the picture reaches the dialog";

    EXPECT_EQ(dialog.controls[IDOK].windowClass, "Button");
    EXPECT_EQ(dialog.controls[IDOK].style & BS_TYPEMASK, DWORD(BS_DEFPUSHBUTTON));
    EXPECT_EQ(dialog.controls[IDCANCEL].windowClass, "Button");
    EXPECT_EQ(dialog.controls[IDCANCEL].style & BS_TYPEMASK, DWORD(BS_PUSHBUTTON));
}

TEST(IslandTemplate, SizeFontSketchAndLabelsBesideTheirEdits)
{
    const ZcUiDialogTemplate* dialog = findTemplate(IDD_ISLANDS);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->cx, 439);
    EXPECT_EQ(dialog->cy, 248);
    EXPECT_STREQ(dialog->fontName, "MS Shell Dlg");
    EXPECT_EQ(dialog->fontSize, 8);
    const ZcUiControlTemplate* sketch = findControl(*dialog, IDC_ISLAND_SKETCH);
    ASSERT_NE(sketch, nullptr);
    EXPECT_STREQ(sketch->text, "#8088") << "the picture shows the triangular sketch";
    for (const Parameter& p : kIslandParameters) {
        const ZcUiControlTemplate* label = findControl(*dialog, p.label);
        const ZcUiControlTemplate* edit = findControl(*dialog, p.edit);
        ASSERT_TRUE(label && edit) << p.name;
        EXPECT_LT(label->x + label->cx, edit->x) << p.name << ": the label stands left of its edit";
        EXPECT_GE(label->y, edit->y) << p.name << ": on the edit's row";
        EXPECT_LE(label->y + label->cy, edit->y + edit->cy) << p.name;
    }
}

TEST(DialogTemplates, AllSixAreThereWithCaptionsAndTheShellFont)
{
    const std::map<UINT, std::string> captions = {{IDD_INFO_BOARD, "TARVO"},  {IDD_LINE_MARKINGS, "Osie"},
                                                  {IDD_ARROWS, "Strzałki"},   {IDD_SIGNS, "Znak"},
                                                  {IDD_TRAFFIC_LIGHTS, "Światła"}, {IDD_ISLANDS, "Wyspy"}};
    EXPECT_EQ(TarvoResources().dialogCount, captions.size());
    for (const auto& [id, caption] : captions) {
        const ZcUiDialogTemplate* dialog = findTemplate(id);
        ASSERT_NE(dialog, nullptr) << id;
        EXPECT_EQ(dialog->caption, caption);
        EXPECT_STREQ(dialog->fontName, "MS Shell Dlg");
        EXPECT_EQ(dialog->fontSize, 8);
    }
}

TEST(DialogTemplates, ControlsStayInsideTheirDialogAndVisibleOnesDoNotOverlap)
{
    const ZcUiModuleResources& resources = TarvoResources();
    for (size_t d = 0; d < resources.dialogCount; ++d) {
        const ZcUiDialogTemplate& dialog = resources.dialogs[d];
        std::vector<Box> shown;
        for (size_t i = 0; i < dialog.controlCount; ++i) {
            const ZcUiControlTemplate& c = dialog.controls[i];
            SCOPED_TRACE("dialog " + std::to_string(dialog.id) + ", control " + std::to_string(c.id) + " " + c.text);
            const Box box = boxOf(c);
            EXPECT_GE(box.left, 0);
            EXPECT_GE(box.top, 0);
            EXPECT_LE(box.right, dialog.cx);
            EXPECT_LE(box.bottom, dialog.cy);
            if (!(c.style & WS_VISIBLE))
                continue;
            for (const Box& other : shown)
                EXPECT_FALSE(overlap(box, other));
            shown.push_back(box);
        }
    }
}

TEST(DialogTemplates, ControlsStandWhereAndAsTheDialogsNeedThem)
{
    struct Expected {
        UINT dialog;
        int id;
        const char* windowClass;
        int x, y;
    };
    // Positions the dialogs are laid out by; -1 where only the kind matters.
    const Expected expected[] = {
        {IDD_INFO_BOARD, IDC_BOARD_TEXT, "RichEdit20A", 1, 1},
        {IDD_INFO_BOARD, IDC_TEXT_SIZE_LABEL, "Static", 117, 1},
        {IDD_INFO_BOARD, IDC_TEXT_SIZE, "ComboBox", 176, 1},
        {IDD_INFO_BOARD, IDC_TEXT_COLOUR_LABEL, "Static", 117, 21},
        {IDD_INFO_BOARD, IDC_TEXT_COLOUR, "Button", 193, 17},
        {IDD_INFO_BOARD, IDC_BOARD_COLOUR_LABEL, "Static", 117, 38},
        {IDD_INFO_BOARD, IDC_BOARD_COLOUR, "Button", 193, 33},
        {IDD_INFO_BOARD, IDC_BOARD_WIDTH, "Edit", 177, 52},
        {IDD_INFO_BOARD, IDOK, "Button", 1, 67},
        {IDD_INFO_BOARD, IDCANCEL, "Button", 63, 67},
        {IDD_SIGNS, IDOK, "Button", 2, 122},
        {IDD_SIGNS, IDCANCEL, "Button", 64, 122},
        {IDD_SIGNS, IDC_SIGN_TEXT, "Edit", 2, 7},
        {IDD_SIGNS, IDC_SIGN_DIRECTION, "ComboBox", 2, 23},
        {IDD_SIGNS, IDC_SCALE, "ComboBox", 2, 40},
        {IDD_SIGNS, IDC_SIGN_SIZE, "ComboBox", 64, 40},
        {IDD_SIGNS, IDC_DESTINATION, "ComboBox", 2, 58},
        {IDD_SIGNS, IDC_SIGN_GENERATION, "ComboBox", 63, 58},
        {IDD_SIGNS, IDC_INSERT_AS_SIGN, "Button", 2, 96},
        {IDD_SIGNS, IDC_ADD_DESCRIPTION, "Button", 2, 108},
        {IDD_TRAFFIC_LIGHTS, IDOK, "Button", 205, 162},
        {IDD_TRAFFIC_LIGHTS, IDCANCEL, "Button", 259, 162},
        {IDD_TRAFFIC_LIGHTS, IDC_LIGHT_LIST, "SysListView32", 7, 7},
        {IDD_TRAFFIC_LIGHTS, IDC_SCALE, "ComboBox", 7, 164},
        {IDD_TRAFFIC_LIGHTS, IDC_DESTINATION, "ComboBox", 72, 164},
        {IDD_LINE_MARKINGS, IDC_LINE_LIST, "SysListView32", -1, -1},
        {IDD_LINE_MARKINGS, IDC_MARKING_DESTINATION, "ComboBox", -1, -1},
        {IDD_LINE_MARKINGS, IDC_MARKING_SCALE, "ComboBox", -1, -1},
        {IDD_LINE_MARKINGS, IDC_LINE_DRAW, "Button", -1, -1},
        {IDD_ARROWS, IDC_ARROW_LIST, "SysListView32", -1, -1},
        {IDD_ARROWS, IDC_ARROW_LENGTH, "ComboBox", -1, -1},
        {IDD_ARROWS, IDC_MARKING_DESTINATION, "ComboBox", -1, -1},
        {IDD_ARROWS, IDC_MARKING_SCALE, "ComboBox", -1, -1},
        {IDD_ARROWS, IDC_ARROW_INSERT, "Button", -1, -1},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE("dialog " + std::to_string(e.dialog) + ", control " + std::to_string(e.id));
        const ZcUiDialogTemplate* dialog = findTemplate(e.dialog);
        ASSERT_NE(dialog, nullptr);
        const ZcUiControlTemplate* c = findControl(*dialog, e.id);
        ASSERT_NE(c, nullptr);
        EXPECT_STREQ(c->windowClass, e.windowClass);
        if (e.x >= 0) {
            EXPECT_EQ(c->x, e.x);
            EXPECT_EQ(c->y, e.y);
        }
    }
    const ZcUiDialogTemplate* lights = findTemplate(IDD_TRAFFIC_LIGHTS);
    EXPECT_EQ(lights->cx, 316);
    EXPECT_EQ(lights->cy, 183);
    EXPECT_EQ(findControl(*findTemplate(IDD_SIGNS), IDC_SIGN_TEXT)->cx, 119);
    const ZcUiControlTemplate* richEdit = findControl(*findTemplate(IDD_INFO_BOARD), IDC_BOARD_TEXT);
    EXPECT_EQ(richEdit->cx, 112);
    EXPECT_EQ(richEdit->cy, 61);
    EXPECT_EQ(richEdit->style & (kEsMultiline | kEsWantReturn), kEsMultiline | kEsWantReturn);
    EXPECT_EQ(findControl(*findTemplate(IDD_INFO_BOARD), IDC_TEXT_SIZE)->style & CBS_TYPEMASK,
              DWORD(CBS_DROPDOWN)) << "the text size may be typed";
    EXPECT_EQ(findControl(*findTemplate(IDD_SIGNS), IDC_INSERT_AS_SIGN)->style & BS_TYPEMASK, DWORD(BS_AUTOCHECKBOX));
}

TEST(DialogTemplates, HiddenAndDisabledControlsAreThoseTheDialogsHide)
{
    for (UINT id : {IDD_LINE_MARKINGS, IDD_ARROWS}) {
        const ZcUiControlTemplate* ok = findControl(*findTemplate(id), IDOK);
        ASSERT_NE(ok, nullptr) << id;
        EXPECT_EQ(ok->style & (WS_VISIBLE | WS_DISABLED), DWORD(WS_DISABLED)) << id << ": a hidden default button";
        EXPECT_EQ(ok->style & BS_TYPEMASK, DWORD(BS_DEFPUSHBUTTON));
    }
    EXPECT_EQ(findControl(*findTemplate(IDD_TRAFFIC_LIGHTS), IDC_DESTINATION)->style & WS_VISIBLE, 0u);
    for (int hidden : {IDC_BOARD_HEIGHT, IDC_BOARD_HEIGHT_LABEL, IDC_BOARD_SPARE})
        EXPECT_EQ(findControl(*findTemplate(IDD_INFO_BOARD), hidden)->style & WS_VISIBLE, 0u) << hidden;

    const ZcUiControlTemplate* lineList = findControl(*findTemplate(IDD_LINE_MARKINGS), IDC_LINE_LIST);
    EXPECT_EQ(lineList->style & kLvsTypeMask, kLvsReport);
    const ZcUiControlTemplate* arrowList = findControl(*findTemplate(IDD_ARROWS), IDC_ARROW_LIST);
    EXPECT_EQ(arrowList->style & (kLvsTypeMask | kLvsSingleSel | kLvsShowSelAlways),
              kLvsReport | kLvsSingleSel | kLvsShowSelAlways);
    const ZcUiControlTemplate* lightList = findControl(*findTemplate(IDD_TRAFFIC_LIGHTS), IDC_LIGHT_LIST);
    EXPECT_EQ(lightList->style & kLvsTypeMask, 0u) << "large icons";
    EXPECT_EQ(lightList->style & (kLvsSingleSel | kLvsShowSelAlways | kLvsShareImageLists | kWsBorder),
              kLvsSingleSel | kLvsShowSelAlways | kLvsShareImageLists | kWsBorder);
}

TEST(ModuleResources, IslandSketchesAreEmbeddedBitmaps)
{
    const ZcUiModuleResources& resources = TarvoResources();
    for (UINT id : {IDB_ISLAND_TRIANGULAR, IDB_ISLAND_PARALLEL}) {
        const ZcUiImageResource* found = nullptr;
        for (size_t i = 0; i < resources.imageCount; ++i)
            if (resources.images[i].id == id && resources.images[i].kind == ZcUiImageKind::kBitmap)
                found = &resources.images[i];
        ASSERT_NE(found, nullptr) << id;
        ASSERT_GT(found->size, 2u);
        EXPECT_EQ(found->bytes[0], 'B');
        EXPECT_EQ(found->bytes[1], 'M');
    }
}

TEST(ModuleResources, StringsAreTheStringTable)
{
    const ZcUiModuleResources& resources = TarvoResources();
    const std::span<const StringTableEntry> table = TarvoStringTable();
    ASSERT_EQ(resources.stringCount, table.size());
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(resources.strings[i].id, table[i].id);
        EXPECT_STREQ(resources.strings[i].text, table[i].text);
    }
}
