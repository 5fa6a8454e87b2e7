#pragma once

#include "ZcUiControls.h"
#include "ZcUiResources.h"

// A small dialog of every control kind, chained for a test's lifetime.
inline constexpr UINT kTestDialog = 9100;

inline constexpr ZcUiControlTemplate kTestControls[] = {
    {1, "IDOK", "Button", "Rysuj", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 10, 200, 50, 14},
    {2, "IDCANCEL", "Button", "Anuluj", WS_VISIBLE | WS_TABSTOP, 70, 200, 50, 14},
    {9101, "IDC_R", "Edit", "", WS_VISIBLE | WS_TABSTOP, 10, 10, 40, 12},
    {9102, "IDC_S", "Edit", "", WS_VISIBLE | WS_TABSTOP, 10, 30, 40, 12},
    {9103, "IDC_L", "Edit", "", WS_VISIBLE | WS_TABSTOP, 10, 50, 40, 12},
    {9104, "IDC_KIND", "ComboBox", "", WS_VISIBLE | CBS_DROPDOWNLIST, 10, 70, 80, 60},
    {9105, "IDC_SIZE", "ComboBox", "", WS_VISIBLE | CBS_DROPDOWN, 10, 90, 80, 60},
    {9106, "IDC_NOTE", "Button", "Dodaj opis", WS_VISIBLE | BS_AUTOCHECKBOX, 10, 110, 80, 10},
    {9107, "IDC_HIDDEN", "Edit", "", WS_DISABLED, 10, 130, 40, 12},
    {-1, "", "Static", "Promień", WS_VISIBLE, 60, 10, 40, 8},
};

inline constexpr ZcUiDialogTemplate kTestDialogs[] = {
    {kTestDialog, "Próba", 200, 220, kTestControls, sizeof kTestControls / sizeof kTestControls[0], 0, "MS Shell Dlg", 8},
};

inline constexpr ZcUiStringResource kTestStrings[] = {{9001, "Zamknij"}, {9002, "Wyspy"}};

inline constexpr ZcUiModuleResources kTestResources = {kTestDialogs, 1, kTestStrings, 2, nullptr, 0};

class ChainedTestResources {
public:
    ChainedTestResources() { zcuiChainResources(&kTestResources); }
    ~ChainedTestResources() { zcuiUnchainResources(&kTestResources); }
    ChainedTestResources(const ChainedTestResources&) = delete;
    ChainedTestResources& operator=(const ChainedTestResources&) = delete;
};
