#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ZcUiDialog.h"
#include "ZcUiListCtrl.h"
#include "ZcUiPaint.h"
#include "ZcUiRichEdit.h"
#include "platform/editor/CommandLine.h"
#include "tests/platform/ui/DialogTestTemplate.h"
#include "tests/support/ScriptedInput.h"

// One LVN_ITEMCHANGED as the dialog received it.
struct ItemChange {
    int control;
    int item;
    UINT oldState;
    UINT newState;
    bool operator==(const ItemChange&) const = default;
};

// The dialog of every other kind of control; a test gives it what to do
// at start-up, on a command and before each message.
class PartsDialog : public CZcUiDialog {
public:
    PartsDialog() : CZcUiDialog(kPartsDialog) {}

    std::function<void(PartsDialog&)> onInit;
    std::function<void(PartsDialog&, int id, int code)> onCommand;
    std::function<BOOL(PartsDialog&, MSG&)> beforeMessage;
    std::vector<std::pair<int, int>> commands;
    std::vector<ItemChange> changes;

    CListCtrl& list() { return *static_cast<CListCtrl*>(GetDlgItem(9201)); }
    CListCtrl& icons() { return *static_cast<CListCtrl*>(GetDlgItem(9202)); }
    CRichEditCtrl& text() { return *static_cast<CRichEditCtrl*>(GetDlgItem(9203)); }
    CStatic& picture() { return *static_cast<CStatic*>(GetDlgItem(9204)); }

    // Three rows of two columns: "Alfa" "opis A", ...
    void fillList()
    {
        list().InsertColumn(0, "Symbol", LVCFMT_LEFT, 80);
        list().InsertColumn(1, "Opis", LVCFMT_LEFT, 200);
        const char* const rows[][2] = {{"Alfa", "opis A"}, {"Beta", "opis B"}, {"Gamma", "opis C"}};
        for (int i = 0; i < 3; ++i) {
            list().InsertItem(i, rows[i][0]);
            list().SetItemText(i, 1, rows[i][1]);
        }
    }

protected:
    // As the system's dialogs do: the rich edit's class before the controls.
    int OnCreate(LPCREATESTRUCT create) override
    {
        const int result = CZcUiDialog::OnCreate(create);
        AfxInitRichEdit2();
        return result;
    }
    BOOL OnInitDialog() override
    {
        CZcUiDialog::OnInitDialog();
        if (onInit)
            onInit(*this);
        return TRUE;
    }
    BOOL OnCommand(int id, int code) override
    {
        commands.emplace_back(id, code);
        if (onCommand)
            onCommand(*this, id, code);
        return CZcUiDialog::OnCommand(id, code);
    }
    BOOL OnNotify(int id, NMHDR* header, LRESULT* result) override
    {
        if (header->code == LVN_ITEMCHANGED) {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
            EXPECT_EQ(int(header->idFrom), id);
            changes.push_back({id, change->iItem, change->uOldState, change->uNewState});
            return TRUE;
        }
        return CZcUiDialog::OnNotify(id, header, result);
    }
    BOOL PreTranslateMessage(MSG* message) override
    {
        return beforeMessage ? beforeMessage(*this, *message) : CZcUiDialog::PreTranslateMessage(message);
    }
};

struct PartsRun {
    INT_PTR result;
    std::optional<platform::RunFailure> failure;
};

inline PartsRun runParts(PartsDialog& dialog, const std::string& script)
{
    ScriptedInput input(script);
    const INT_PTR result = dialog.DoModal();
    return {result, platform::commandLine().failure()};
}
