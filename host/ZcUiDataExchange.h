#pragma once

#include "CString.h"
#include "WinTypes.h"
#include "ZrxExport.h"

class CWnd;

class CZcUiDialog;

// One exchange of values between a dialog's controls and its members.
// Reading stops at the first field that fails: the framework shows its
// message, and the exchange unwinds to UpdateData, which returns FALSE.
class ZRX_EXPORT CDataExchange {
public:
    CDataExchange(CZcUiDialog* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    // Shows nothing itself; ends the exchange as failed.
    [[noreturn]] void Fail();

    CZcUiDialog* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

ZRX_EXPORT void DDX_Text(CDataExchange* pDX, int id, CString& value);
ZRX_EXPORT void DDX_Text(CDataExchange* pDX, int id, int& value);
ZRX_EXPORT void DDX_Text(CDataExchange* pDX, int id, double& value);
ZRX_EXPORT void DDX_Check(CDataExchange* pDX, int id, int& value);
// The member becomes the dialog's control of that id (once a run), keeping
// what the control holds; a member of another kind is the program's fault.
ZRX_EXPORT void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// Checked after the value was stored: an out-of-range value stays stored.
ZRX_EXPORT void DDV_MinMaxInt(CDataExchange* pDX, int value, int minValue, int maxValue);
ZRX_EXPORT void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minValue, double maxValue);
