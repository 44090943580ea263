#pragma once

#include "collection/HistoryLog.h"
#include "collection/HistoryStorage.h"

#include <functional>
#include <memory>
#include <string>

// One collection's history: its changes in memory as its log on disk holds them. Every step
// goes to the log first and only then into memory, so that what brelt remembers is what the
// disk will tell the next brelt.
class CollectionHistory {
public:
    CollectionHistory(std::string key, std::unique_ptr<LogStorage> storage);

    // What reading the log found: a log that can't be used is set aside, and the collection
    // starts a history of its own again.
    enum class Opened { Fine, Unreadable, Damaged, OtherCollection, Newer };
    Opened Open();

    const history::State& State() const { return m_state; }
    const std::string& Key() const { return m_key; }
    // Why the last step could not be written.
    std::error_code Error() const { return m_storage->error; }

    // The journal's steps. Begin... is on the disk when it returns true, before the collection
    // is touched; false leaves the history as it was.
    bool BeginChange(history::Change change);
    bool BeginReplay(bool undo);
    bool Done(const Digest& left);
    bool RolledBack();
    // Every change dropped: the file was changed by someone else.
    bool Forget();
    // The log's file let go of, as the program ends.
    void Close() { m_storage->Close(); }

private:
    // Writes record to the log, then applies it to the state with apply; neither when the step
    // does not fit (fits), nothing in memory when the log can't be written.
    bool Append(const std::vector<std::uint8_t>& record, bool sync, bool fits,
                const std::function<bool(history::State&)>& apply);
    void Compact();

    std::string m_key;
    std::unique_ptr<LogStorage> m_storage;
    history::State m_state;
    std::size_t m_size = 0; // of the log as it stands
};
