#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CString.h"
#include "WinMessageBox.h"
#include "WinTypes.h"
#include "ZcUiControls.h"
#include "ZcUiDataExchange.h"

// Pointer-sized result of a modal run, as the framework declares it.
typedef intptr_t INT_PTR;

// The host's modal dialog. Built from a template of the chained resources;
// the user's actions come from the command line's input ("dlg ..." lines).
// Notifications reach OnCommand, as WM_COMMAND reaches a message map.
class CZcUiDialog {
public:
    explicit CZcUiDialog(UINT templateId, void* parent = nullptr);
    virtual ~CZcUiDialog();
    CZcUiDialog(const CZcUiDialog&) = delete;
    CZcUiDialog& operator=(const CZcUiDialog&) = delete;

    // Runs the dialog until EndDialog; the result EndDialog gave. -1 when the
    // template is not in any chained module (with a message saying so).
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

    UINT templateId() const { return m_templateId; }
    bool isRunning() const { return m_running; }
    // The dialog as text: title, then each control with id, name, state and value.
    std::string describe() const;

protected:
    friend class ZcUiDialogRunner;
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    virtual void OnCancel();
    // A control's notification; TRUE when handled. The base ends the dialog
    // for button 1 (OnOK) and button 2 (OnCancel), the close box and Esc.
    virtual BOOL OnCommand(int id, int code);

private:
    bool build();

    UINT m_templateId;
    std::string m_caption;
    std::vector<std::unique_ptr<CWnd>> m_controls;
    bool m_running = false;
    bool m_visible = false;
    bool m_ended = false;
    int m_result = IDCANCEL;
};

// The host family's names for the same class.
using CZdUiBaseDialog = CZcUiDialog;
