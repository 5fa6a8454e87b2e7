#pragma once

#include "ZcUiControls.h"
#include "ZcUiListCtrl.h"
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

// The other kinds: list views, a rich edit, pictures, and controls for tooltips.
inline constexpr UINT kPartsDialog = 9200;

inline constexpr ZcUiControlTemplate kPartsControls[] = {
    {1, "IDOK", "Button", "OK", WS_VISIBLE | BS_DEFPUSHBUTTON, 10, 230, 50, 14},
    {2, "IDCANCEL", "Button", "Zamknij", WS_VISIBLE, 70, 230, 50, 14},
    // 300 × 130 pixels: a header and six rows of 17 pixels.
    {9201, "IDC_LIST", "SysListView32", "", WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 7, 7,
     200, 80},
    // 300 × 162 pixels: two cells of 75 down, four across.
    {9202, "IDC_ICONS", "SysListView32", "", WS_VISIBLE | LVS_ICON | LVS_ALIGNLEFT | LVS_SINGLESEL | LVS_SHAREIMAGELISTS,
     7, 90, 200, 100},
    {9203, "IDC_TEXT", "RichEdit20A", "", WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, 210, 7, 100, 60},
    {9204, "IDC_PICTURE", "Static", "", WS_VISIBLE | SS_BITMAP | SS_NOTIFY, 210, 70, 100, 60},
    {9205, "IDC_VALUE", "Edit", "", WS_VISIBLE, 210, 140, 40, 12},
    {9206, "IDC_LABEL", "Static", "Wartość", WS_VISIBLE, 260, 140, 40, 8},
    {9207, "IDC_READONLY", "Edit", "stałe", WS_VISIBLE | ES_READONLY, 210, 160, 40, 12},
    {9208, "IDC_HIDDENLIST", "SysListView32", "", LVS_REPORT, 210, 180, 40, 40},
    {9209, "IDC_COLOR", "Button", "...", WS_VISIBLE, 260, 160, 20, 12},
    {9210, "IDC_ICON", "Static", "", WS_VISIBLE | SS_ICON, 290, 160, 20, 20},
};

inline constexpr ZcUiDialogTemplate kTestDialogs[] = {
    {kTestDialog, "Próba", 200, 220, kTestControls, sizeof kTestControls / sizeof kTestControls[0], 0, "MS Shell Dlg", 8},
    {kPartsDialog, "Części", 320, 250, kPartsControls, sizeof kPartsControls / sizeof kPartsControls[0], 0,
     "MS Shell Dlg", 8},
};

inline constexpr ZcUiStringResource kTestStrings[] = {{9001, "Zamknij"}, {9002, "Wyspy"}, {9003, "Wartość w metrach"}};

inline constexpr ZcUiModuleResources kTestResources = {kTestDialogs, 2, kTestStrings, 3, nullptr, 0};

class ChainedTestResources {
public:
    ChainedTestResources() { zcuiChainResources(&kTestResources); }
    ~ChainedTestResources() { zcuiUnchainResources(&kTestResources); }
    ChainedTestResources(const ChainedTestResources&) = delete;
    ChainedTestResources& operator=(const ChainedTestResources&) = delete;
};
