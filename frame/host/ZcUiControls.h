#pragma once

#include <string>
#include <vector>

#include "CString.h"
#include "WinTypes.h"

// Window styles the templates use.
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_TABSTOP 0x00010000L
#define BS_PUSHBUTTON 0x0L
#define BS_DEFPUSHBUTTON 0x1L
#define BS_AUTOCHECKBOX 0x3L
#define BS_TYPEMASK 0xFL
#define CBS_DROPDOWN 0x2L
#define CBS_DROPDOWNLIST 0x3L
#define CBS_TYPEMASK 0x3L
#define SS_BITMAP 0xEL

// ShowWindow commands.
#define SW_HIDE 0
#define SW_SHOW 5

// Notification codes of WM_COMMAND.
#define BN_CLICKED 0
#define EN_CHANGE 0x0300
#define CBN_SELCHANGE 1
#define CBN_EDITCHANGE 5

#define CB_ERR (-1)

#define BST_UNCHECKED 0
#define BST_CHECKED 1

class CZcUiDialog;

// A control of a dialog, made from its template line.
class CWnd {
public:
    virtual ~CWnd();

    int GetDlgCtrlID() const { return m_id; }
    BOOL ShowWindow(int command);
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowVisible() const { return m_visible; }
    BOOL IsWindowEnabled() const { return m_enabled; }
    void SetWindowText(const char* text) { m_text = text ? text : ""; }
    void GetWindowText(CString& text) const { text = m_text.c_str(); }
    int GetWindowTextLength() const { return int(m_text.size()); }
    void Invalidate(BOOL erase = TRUE) { (void)erase; }
    void UpdateWindow() {}
    void SetFocus() {}

    // The platform's own: name from resource.h, window class, state as text.
    const std::string& controlName() const { return m_name; }
    const std::string& windowClass() const { return m_class; }
    DWORD style() const { return m_style; }
    virtual std::string valueText() const { return m_text; }

    // Set up by the dialog runtime when it builds the control.
    void initialise(int id, std::string name, std::string windowClass, DWORD style, std::string text);

protected:
    int m_id = 0;
    std::string m_name;
    std::string m_class;
    DWORD m_style = 0;
    std::string m_text;
    bool m_visible = true;
    bool m_enabled = true;
};

class CButton : public CWnd {
public:
    bool isCheckBox() const { return (m_style & BS_TYPEMASK) == BS_AUTOCHECKBOX; }
    int GetCheck() const { return m_checked ? BST_CHECKED : BST_UNCHECKED; }
    void SetCheck(int state) { m_checked = state == BST_CHECKED; }
    std::string valueText() const override;

private:
    bool m_checked = false;
};

class CEdit : public CWnd {};

class CStatic : public CWnd {};

// A drop-down list (CBS_DROPDOWNLIST) or an editable combo (CBS_DROPDOWN);
// unsorted, as the templates make them.
class CComboBox : public CWnd {
public:
    bool isEditable() const { return (m_style & CBS_TYPEMASK) == CBS_DROPDOWN; }
    int AddString(const char* text);
    int InsertString(int index, const char* text);
    void ResetContent();
    int GetCount() const { return int(m_items.size()); }
    int GetCurSel() const { return m_selection; }
    // Selects the item (its text becomes the box's text); CB_ERR, and no
    // item selected, for -1 or an index beyond the list.
    int SetCurSel(int index);
    int GetLBText(int index, CString& text) const;
    int SetDroppedWidth(UINT width)
    {
        m_droppedWidth = width;
        return int(width);
    }
    // Typing into an editable combo: the text changes and no item stays selected.
    void typeText(const std::string& text);
    std::string valueText() const override;

private:
    std::vector<std::string> m_items;
    int m_selection = -1;
    UINT m_droppedWidth = 0;
};
