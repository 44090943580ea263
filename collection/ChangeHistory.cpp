#include "collection/ChangeHistory.h"

#include <algorithm>

ChangeHistory::FileState ChangeHistory::StateOf(const std::string& key,
                                                const FileBytes& now) const {
    auto left = m_left.find(key);
    if (left == m_left.end()) {
        return FileState::Unknown;
    }
    return left->second == now ? FileState::AsLeft : FileState::ChangedOutside;
}

void ChangeHistory::Record(Change change, FileBytes left) {
    Leave(change.key, std::move(left));
    m_undo.push_back(std::move(change));
    if (m_undo.size() > kMaxChanges) {
        m_undo.pop_front();
    }
    m_redo.clear();
}

void ChangeHistory::Leave(const std::string& key, FileBytes left) {
    m_left[key] = std::move(left);
}

void ChangeHistory::Replayed(bool undo) {
    auto& from = undo ? m_undo : m_redo;
    auto& to = undo ? m_redo : m_undo;
    if (!from.empty()) {
        to.push_back(std::move(from.back()));
        from.pop_back();
    }
}

void ChangeHistory::Forget(const std::string& key) {
    m_left.erase(key);
    for (auto* changes : {&m_undo, &m_redo}) {
        changes->erase(std::remove_if(changes->begin(), changes->end(),
                                      [&](const Change& c) { return c.key == key; }),
                       changes->end());
    }
}
