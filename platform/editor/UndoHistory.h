#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ZrxExport.h"

class ZcDbDatabase;

namespace platform {

// The steps U and REDO go back and forth over: the drawing as it was before
// each command that changed it, kept as its DXF text and read back whole.
// Whole drawings are simple and sure: whatever a command touched (entities,
// tables, blocks, dictionaries, header) comes back as it was. Off until
// switched on, because each step costs a writing of the whole drawing.
class ZRX_EXPORT UndoHistory {
public:
    // Steps kept at most, and the text they may take together; the oldest
    // goes first.
    static constexpr size_t kMaxSteps = 20;
    static constexpr size_t kMaxBytes = size_t(256) << 20;

    void setEnabled(bool on);
    bool enabled() const { return m_enabled; }
    // Forgets every step (a new drawing, or the history switched off).
    void clear();

    // Before a command: keeps the drawing as it is now. After it: when the
    // drawing changed (or changed is true), the kept drawing becomes a step
    // and the steps to redo are forgotten.
    void beforeCommand(const ZcDbDatabase& db);
    void afterCommand(const ZcDbDatabase& db, std::string_view command, bool changed = false);

    // Go back or forth by one step; false when there is none, or (with the
    // reason in error, the drawing as it was) when it cannot be restored.
    bool undo(ZcDbDatabase& db, std::string& done, std::string& error);
    bool redo(ZcDbDatabase& db, std::string& done, std::string& error);
    size_t undoSteps() const { return m_undo.size(); }
    size_t redoSteps() const { return m_redo.size(); }

private:
    struct Step {
        std::string command;  // the command that left the other side
        std::string drawing;  // DXF text
    };
    bool move(std::vector<Step>& from, std::vector<Step>& to, ZcDbDatabase& db, std::string& done, std::string& error);
    void trim();

    bool m_enabled = false;
    std::vector<Step> m_undo, m_redo;
    std::string m_before;  // the drawing before the running command
    uint64_t m_editsBefore = 0;
};

ZRX_EXPORT UndoHistory& undoHistory();

// Makes db's contents those of the DXF text, keeping db itself (which the
// console and the screen hold). Ids of the objects it held before are left
// pointing at nothing, never at freed memory. False, with the reader's
// message and db unchanged, when the text cannot be read.
bool replaceDrawing(ZcDbDatabase& db, std::string_view dxf, std::string& error);

}  // namespace platform
