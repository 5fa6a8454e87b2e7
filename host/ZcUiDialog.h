#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CString.h"
#include "WinMessageBox.h"
#include "WinMessages.h"
#include "WinTypes.h"
#include "ZcUiControls.h"
#include "ZcUiDataExchange.h"
#include "ZrxExport.h"

class CToolTipCtrl;
namespace platform {
class ZcUiDialogRunner;
}  // namespace platform

// What WM_CREATE carries; the dialog's template id as its name.
typedef struct tagCREATESTRUCTA {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    void* hMenu;
    HWND hwndParent;
    int cy, cx, y, x;
    LONG style;
    LPCSTR lpszName;
    LPCSTR lpszClass;
    DWORD dwExStyle;
} CREATESTRUCT, *LPCREATESTRUCT;

// The host's modal dialog. Built from a template of the chained resources;
// the user's actions come from the command line's input ("dlg ..." lines).
// Notifications reach OnCommand, as WM_COMMAND reaches a message map, and
// OnNotify, as WM_NOTIFY does; every message of a user's action passes
// PreTranslateMessage first.
class ZRX_EXPORT CZcUiDialog {
public:
    explicit CZcUiDialog(UINT templateId, void* parent = nullptr);
    virtual ~CZcUiDialog();
    CZcUiDialog(const CZcUiDialog&) = delete;
    CZcUiDialog& operator=(const CZcUiDialog&) = delete;

    // Runs the dialog until EndDialog; the result EndDialog gave. -1 when the
    // template is not in any chained module or holds a rich edit before the
    // rich-edit support is initialised (with a message saying so), or when
    // OnCreate refuses.
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    CWnd* GetDlgItem(int id) const;
    void SetDlgItemText(int id, const char* text);
    void SetWindowText(const char* text) { m_caption = text ? text : ""; }
    void GetWindowText(CString& text) const { text = m_caption.c_str(); }
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const { return m_visible; }
    void Invalidate(BOOL erase = TRUE) { (void)erase; }
    void UpdateWindow() {}

    // Hands the screen to the command line: the dialog hides until
    // CompleteEditorCommand brings it back.
    void BeginEditorCommand();
    void CompleteEditorCommand(BOOL restoreDialog = TRUE);

    // The dialog's own handle, as messages to the dialog itself name it.
    HWND GetSafeHwnd() const { return reinterpret_cast<HWND>(const_cast<CZcUiDialog*>(this)); }

    UINT templateId() const { return m_templateId; }
    bool isRunning() const { return m_running; }
    // The dialog as text: title, then each control with id, name, state,
    // value and tooltip.
    std::string describe() const;

    // The platform's own. A control's notification, as WM_NOTIFY brings it.
    LRESULT sendNotify(int id, NMHDR* header);
    // A message of a user's action; TRUE when PreTranslateMessage kept it.
    BOOL preTranslate(MSG& message);
    // The member object becomes the template's control of that id, taking
    // over its state (DDX_Control); FALSE when the kinds differ.
    bool subclassControl(int id, CWnd& member);
    // Tooltips of the dialog, which show their texts in the description.
    void addToolTip(CToolTipCtrl* tip);
    void removeToolTip(CToolTipCtrl* tip);
    const std::vector<CWnd*>& controls() const { return m_controls; }
    // The tooltip over the control ("" when it has none).
    std::string toolTipText(int controlId) const;

protected:
    friend class platform::ZcUiDialogRunner;
    // Before the controls exist; -1 stops the dialog (DoModal gives -1).
    virtual int OnCreate(LPCREATESTRUCT create);
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    virtual void OnCancel();
    // A control's notification; TRUE when handled. The base ends the dialog
    // for button 1 (OnOK) and button 2 (OnCancel), the close box and Esc.
    virtual BOOL OnCommand(int id, int code);
    // A control's WM_NOTIFY (LVN_ITEMCHANGED, ...); TRUE when handled, the
    // answer in result.
    virtual BOOL OnNotify(int id, NMHDR* header, LRESULT* result);
    // TRUE keeps the message from its control (the action does not happen).
    virtual BOOL PreTranslateMessage(MSG* message);

private:
    bool build();
    void endRun();

    UINT m_templateId;
    std::string m_caption;
    // The controls in template order: those built, or the members that took them over.
    std::vector<CWnd*> m_controls;
    std::vector<std::unique_ptr<CWnd>> m_built;
    std::vector<CToolTipCtrl*> m_toolTips;
    bool m_running = false;
    bool m_visible = false;
    bool m_ended = false;
    int m_result = IDCANCEL;
};

// The host family's names for the same class.
using CZdUiBaseDialog = CZcUiDialog;
