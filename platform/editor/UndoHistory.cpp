#include "platform/editor/UndoHistory.h"

#include <memory>

#include "ZcDbDatabase.h"
#include "platform/db/DatabaseImpl.h"
#include "platform/dxf/DxfReader.h"
#include "platform/dxf/DxfWriter.h"

namespace platform {

UndoHistory& undoHistory()
{
    static UndoHistory history;
    return history;
}

bool replaceDrawing(ZcDbDatabase& db, std::string_view dxf, std::string& error)
{
    auto fresh = std::make_unique<ZcDbDatabase>(false);
    if (!readDxf(dxf, *fresh, error, "<undo>"))
        return false;
    ZcDbDatabaseImpl::replaceContents(db, *fresh);
    return true;
}

void UndoHistory::setEnabled(bool on)
{
    m_enabled = on;
    if (!on)
        clear();
}

void UndoHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_before.clear();
}

void UndoHistory::beforeCommand(const ZcDbDatabase& db)
{
    m_before.clear();
    if (!m_enabled)
        return;
    m_before = dxfToString(db);
    m_editsBefore = db.impl()->edits;
}

void UndoHistory::afterCommand(const ZcDbDatabase& db, std::string_view command, bool changed)
{
    // An empty text: switched off, or the drawing could not be written (then
    // it cannot be gone back to either).
    if (m_before.empty())
        return;
    if (changed || db.impl()->edits != m_editsBefore) {
        m_undo.push_back({std::string(command), std::move(m_before)});
        m_redo.clear();
        trim();
    }
    m_before.clear();
}

bool UndoHistory::undo(ZcDbDatabase& db, std::string& done, std::string& error)
{
    return move(m_undo, m_redo, db, done, error);
}

bool UndoHistory::redo(ZcDbDatabase& db, std::string& done, std::string& error)
{
    return move(m_redo, m_undo, db, done, error);
}

bool UndoHistory::move(std::vector<Step>& from, std::vector<Step>& to, ZcDbDatabase& db, std::string& done,
                       std::string& error)
{
    error.clear();
    if (from.empty())
        return false;
    std::string now = dxfToString(db, &error);
    if (now.empty())
        return false;
    Step step = std::move(from.back());
    if (!replaceDrawing(db, step.drawing, error))
        return false;  // the step stays, the drawing as it was
    from.pop_back();
    done = step.command;
    to.push_back({std::move(step.command), std::move(now)});
    trim();
    return true;
}

void UndoHistory::trim()
{
    size_t bytes = 0;
    for (const Step& s : m_undo)
        bytes += s.drawing.size();
    for (const Step& s : m_redo)
        bytes += s.drawing.size();
    // The oldest undo steps go first; the redo steps are the newest edits undone.
    size_t drop = 0;
    while (drop < m_undo.size() && (m_undo.size() - drop > kMaxSteps || bytes > kMaxBytes)) {
        bytes -= m_undo[drop].drawing.size();
        ++drop;
    }
    m_undo.erase(m_undo.begin(), m_undo.begin() + ptrdiff_t(drop));
}

}  // namespace platform
