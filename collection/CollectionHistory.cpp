#include "collection/CollectionHistory.h"

CollectionHistory::CollectionHistory(std::string key, std::unique_ptr<LogStorage> storage)
    : m_key(std::move(key)), m_storage(std::move(storage)) {}

CollectionHistory::Opened CollectionHistory::Open() {
    m_state = {};
    m_size = 0;
    std::optional<std::vector<std::uint8_t>> bytes = m_storage->Read();
    if (!bytes) {
        return Opened::Unreadable;
    }
    history::ReadResult read = history::ReadLog(bytes->data(), bytes->size(), m_key);
    switch (read.status) {
    case history::ReadStatus::Read:
        m_state = std::move(read.state);
        m_size = read.validBytes;
        return Opened::Fine;
    case history::ReadStatus::Damaged:
        m_storage->SetAside();
        return Opened::Damaged;
    case history::ReadStatus::OtherCollection:
        m_storage->SetAside();
        return Opened::OtherCollection;
    case history::ReadStatus::Newer:
        m_storage->SetAside();
        return Opened::Newer;
    }
    return Opened::Damaged;
}

bool CollectionHistory::Append(const std::vector<std::uint8_t>& record, bool sync, bool fits,
                               const std::function<bool(history::State&)>& apply) {
    if (!fits) {
        return false;
    }
    std::vector<std::uint8_t> bytes;
    if (m_size == 0) {
        bytes = history::LogHeader(m_key);
    }
    bytes.insert(bytes.end(), record.begin(), record.end());
    if (!m_storage->Write(m_size, bytes, sync)) {
        return false;
    }
    m_size += bytes.size();
    return apply(m_state);
}

bool CollectionHistory::BeginChange(history::Change change) {
    change.id = m_state.nextId;
    std::vector<std::uint8_t> record = history::BeginChangeRecord(change);
    return Append(record, true, !m_state.pending, [&](history::State& state) {
        return history::ApplyBeginChange(state, std::move(change));
    });
}

bool CollectionHistory::BeginReplay(bool undo) {
    const history::Change* next = undo ? m_state.NextUndo() : m_state.NextRedo();
    if (next == nullptr) {
        return false;
    }
    const std::uint64_t id = next->id;
    return Append(
        history::BeginReplayRecord(undo, id), true, !m_state.pending,
        [&](history::State& state) { return history::ApplyBeginReplay(state, undo, id); });
}

bool CollectionHistory::Done(const Digest& left) {
    if (!m_state.pending) {
        return false;
    }
    const std::uint64_t id = m_state.changes[m_state.pending->index].id;
    // Not forced to the disk: a step whose mark is lost is found whole and marked again.
    if (!Append(history::DoneRecord(id, left), false, true,
                [&](history::State& state) { return history::ApplyDone(state, id, left); })) {
        return false;
    }
    if (history::BeyondBounds(m_state, m_size)) {
        Compact();
    }
    return true;
}

bool CollectionHistory::RolledBack() {
    if (!m_state.pending) {
        return false;
    }
    const std::uint64_t id = m_state.changes[m_state.pending->index].id;
    return Append(history::RolledBackRecord(id), true, true,
                  [&](history::State& state) { return history::ApplyRolledBack(state, id); });
}

bool CollectionHistory::Forget() {
    history::State empty;
    empty.nextId = m_state.nextId;
    std::vector<std::uint8_t> log = history::CompactLog(m_key, empty);
    if (!m_storage->Replace(log)) {
        return false;
    }
    m_state = std::move(empty);
    m_size = log.size();
    return true;
}

void CollectionHistory::Compact() {
    history::State trimmed = m_state;
    std::vector<std::uint8_t> log = history::CompactLog(m_key, trimmed);
    // Kept whole if the new log can't be written: it is only larger than it should be.
    if (m_storage->Replace(log)) {
        m_state = std::move(trimmed);
        m_size = log.size();
    }
}
