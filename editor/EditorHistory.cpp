#include "editor/EditorHistory.h"

namespace editor {

void EditorHistory::Push(const Stamp& before) {
    m_undo.push_back(before);
    m_redo.clear();
}

bool EditorHistory::Undo(Stamp& stamp) {
    if (m_undo.empty()) {
        return false;
    }
    m_redo.push_back(stamp);
    stamp = m_undo.back();
    m_undo.pop_back();
    return true;
}

bool EditorHistory::Redo(Stamp& stamp) {
    if (m_redo.empty()) {
        return false;
    }
    m_undo.push_back(stamp);
    stamp = m_redo.back();
    m_redo.pop_back();
    return true;
}

} // namespace editor
