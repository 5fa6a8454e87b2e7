#pragma once

#include <string>
#include <vector>

#include "WinMessages.h"
#include "WinTypes.h"
#include "ZrxExport.h"

class CWnd;
class CZcUiDialog;

#define TTS_ALWAYSTIP 0x01
#define TTS_NOPREFIX 0x02

// Texts shown over a dialog's controls. It learns where the pointer is
// only from the messages relayed to it (RelayEvent), as the dialog's
// PreTranslateMessage passes them on.
class ZRX_EXPORT CToolTipCtrl {
public:
    CToolTipCtrl() = default;
    ~CToolTipCtrl();
    CToolTipCtrl(const CToolTipCtrl&) = delete;
    CToolTipCtrl& operator=(const CToolTipCtrl&) = delete;

    // FALSE without a running dialog, or when already created.
    BOOL Create(CZcUiDialog* parent, DWORD style = 0);
    // A control of its dialog and its text (or the string of that id). A
    // control added again gets the new text.
    BOOL AddTool(CWnd* control, LPCSTR text, LPCRECT rect = nullptr, UINT_PTR toolId = 0);
    BOOL AddTool(CWnd* control, UINT textId, LPCRECT rect = nullptr, UINT_PTR toolId = 0);
    void DelTool(CWnd* control, UINT_PTR toolId = 0);
    void UpdateTipText(LPCSTR text, CWnd* control, UINT_PTR toolId = 0);
    int GetToolCount() const { return int(m_tools.size()); }
    void Activate(BOOL activate);
    // Mouse messages over a tool's control make its text the one shown
    // (while active); others move the pointer off it.
    void RelayEvent(LPMSG message);

    // The platform's own: a control's text ("" when it has none), and the
    // text shown now ("" when none).
    std::string toolText(int controlId) const;
    std::string shownText() const;
    bool isActive() const { return m_active; }
    int relayedCount() const { return m_relayed; }
    // The dialog ended or went away: the tooltip window went with it.
    void parentGone();

private:
    struct Tool {
        int controlId;
        std::string text;
    };
    Tool* findTool(int controlId);

    CZcUiDialog* m_parent = nullptr;
    std::vector<Tool> m_tools;
    bool m_active = false;
    int m_shownControl = -1;
    int m_relayed = 0;
};
