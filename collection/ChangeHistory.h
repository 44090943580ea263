#pragma once

#include "collection/CollectionHistory.h"
#include "collection/FileContent.h"

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

// The histories of every collection brelt has changed, each of its own: a change to one never
// stands in the way of another's undo. Each is read from its log the first time it is asked for.
class ChangeHistory {
public:
    // The storage of the log of the collection key, whose file is path (UTF-8).
    using StorageMaker =
        std::function<std::unique_ptr<LogStorage>(const std::string& key, const std::string& path)>;
    // Without a maker the logs are kept in memory.
    explicit ChangeHistory(StorageMaker maker = {});

    // The history of the collection key; opened, when given, says what reading its log found
    // the first time (Fine afterwards).
    CollectionHistory& For(const std::string& key, const std::string& path,
                           CollectionHistory::Opened* opened = nullptr);

    enum class FileState {
        Unknown,        // brelt has not changed it, or has forgotten
        AsLeft,         // exactly as brelt last left it
        ChangedOutside, // changed by someone else since
    };
    FileState StateOf(CollectionHistory& history, const FileBytes& now) const;

    // Every log's file let go of, as the program ends.
    void CloseLogs() {
        for (auto& [key, history] : m_histories) {
            history->Close();
        }
    }

    // Whether the collection has been backed up in this run.
    bool IsBackedUp(const std::string& key) const { return m_backedUp.count(key) != 0; }
    void MarkBackedUp(const std::string& key) { m_backedUp.insert(key); }
    // Someone else has changed the collection: the next change backs their version up first.
    void NeedsBackup(const std::string& key) { m_backedUp.erase(key); }

private:
    StorageMaker m_maker;
    std::map<std::string, std::unique_ptr<CollectionHistory>> m_histories;
    std::set<std::string> m_backedUp;
};
