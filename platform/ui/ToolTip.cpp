#include "ZcUiToolTip.h"

#include <algorithm>

#include "ZcUiDialog.h"
#include "platform/ui/ResourceChain.h"

using namespace platform;

CToolTipCtrl::~CToolTipCtrl()
{
    if (m_parent)
        m_parent->removeToolTip(this);
}

BOOL CToolTipCtrl::Create(CZcUiDialog* parent, DWORD)
{
    if (m_parent || !parent || !parent->isRunning())
        return FALSE;
    m_parent = parent;
    m_parent->addToolTip(this);
    return TRUE;
}

void CToolTipCtrl::parentGone()
{
    m_parent = nullptr;
    m_tools.clear();
    m_active = false;
    m_shownControl = -1;
}

CToolTipCtrl::Tool* CToolTipCtrl::findTool(int controlId)
{
    const auto it = std::find_if(m_tools.begin(), m_tools.end(), [&](const Tool& t) { return t.controlId == controlId; });
    return it == m_tools.end() ? nullptr : &*it;
}

BOOL CToolTipCtrl::AddTool(CWnd* control, LPCSTR text, LPCRECT, UINT_PTR)
{
    // Only a control of its own dialog can be a tool.
    if (!m_parent || !control || control->GetParent() != m_parent)
        return FALSE;
    if (Tool* tool = findTool(control->GetDlgCtrlID()))
        tool->text = text ? text : "";
    else
        m_tools.push_back({control->GetDlgCtrlID(), text ? text : ""});
    return TRUE;
}

BOOL CToolTipCtrl::AddTool(CWnd* control, UINT textId, LPCRECT rect, UINT_PTR toolId)
{
    const char* text = findChainedString(textId);
    return AddTool(control, text ? text : "", rect, toolId);
}

void CToolTipCtrl::DelTool(CWnd* control, UINT_PTR)
{
    if (!control)
        return;
    const int id = control->GetDlgCtrlID();
    std::erase_if(m_tools, [&](const Tool& t) { return t.controlId == id; });
    if (m_shownControl == id)
        m_shownControl = -1;
}

void CToolTipCtrl::UpdateTipText(LPCSTR text, CWnd* control, UINT_PTR)
{
    if (!control)
        return;
    if (Tool* tool = findTool(control->GetDlgCtrlID()))
        tool->text = text ? text : "";
}

void CToolTipCtrl::Activate(BOOL activate)
{
    m_active = activate != FALSE;
    if (!m_active)
        m_shownControl = -1;
}

void CToolTipCtrl::RelayEvent(LPMSG message)
{
    if (!message || !m_parent)
        return;
    ++m_relayed;
    const bool mouse = message->message == WM_MOUSEMOVE || message->message == WM_LBUTTONDOWN ||
                       message->message == WM_LBUTTONUP || message->message == WM_LBUTTONDBLCLK;
    if (!mouse) {
        m_shownControl = -1;
        return;
    }
    m_shownControl = -1;
    for (const CWnd* control : m_parent->controls())
        if (control->GetSafeHwnd() == message->hwnd && findTool(control->GetDlgCtrlID()) && m_active)
            m_shownControl = control->GetDlgCtrlID();
}

std::string CToolTipCtrl::toolText(int controlId) const
{
    for (const Tool& tool : m_tools)
        if (tool.controlId == controlId)
            return tool.text;
    return {};
}

std::string CToolTipCtrl::shownText() const { return m_shownControl < 0 ? std::string() : toolText(m_shownControl); }
