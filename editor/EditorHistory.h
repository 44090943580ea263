#pragma once

#include "editor/Stamp.h"

#include <vector>

namespace editor {

// The editor's own undo and redo, as long as its window is open: whole stamps, 2 KB each.
class EditorHistory {
public:
    // Before a change: the stamp as it was, to come back to. Nothing is left to redo.
    void Push(const Stamp& before);
    // The stamp back as it was before the last change (Undo), or again after it (Redo); false
    // when there is none.
    bool Undo(Stamp& stamp);
    bool Redo(Stamp& stamp);
    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }

private:
    std::vector<Stamp> m_undo, m_redo;
};

} // namespace editor
