#include "collection/ChangeHistory.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

FileStamp StampOf(const std::string& path) {
    std::error_code error;
    fs::path file(std::u8string(path.begin(), path.end()));
    std::uintmax_t size = fs::file_size(file, error);
    if (error) {
        return {};
    }
    auto written = fs::last_write_time(file, error);
    return {size, error ? 0 : static_cast<long long>(written.time_since_epoch().count())};
}

Change ChangeHistory::Begin(std::FILE* collection, const std::string& path, std::string what,
                            std::vector<int> images) {
    Change change{path, std::move(what), std::move(images), {}, {}};
    for (int image : change.images) {
        change.before.push_back(ReadPixelArea(collection, image));
    }
    return change;
}

void ChangeHistory::Commit(std::FILE* collection, Change change) {
    for (int image : change.images) {
        change.after.push_back(ReadPixelArea(collection, image));
    }
    m_lastWritten[change.path] = StampOf(change.path);
    m_undo.push_back(std::move(change));
    if (m_undo.size() > kMaxChanges) {
        m_undo.pop_front();
    }
    m_redo.clear();
}

ChangeHistory::Outcome ChangeHistory::Undo(std::FILE* collection) {
    return Replay(m_undo, m_redo, collection, true);
}

ChangeHistory::Outcome ChangeHistory::Redo(std::FILE* collection) {
    return Replay(m_redo, m_undo, collection, false);
}

ChangeHistory::Outcome ChangeHistory::Replay(std::deque<Change>& from, std::deque<Change>& to,
                                             std::FILE* collection, bool undo) {
    if (from.empty()) {
        return Outcome::Nothing;
    }
    Change change = from.back();
    std::fflush(collection);
    if (StampOf(change.path) != m_lastWritten[change.path]) {
        Forget(change.path);
        return Outcome::ChangedOnDisk;
    }
    const auto& areas = undo ? change.before : change.after;
    bool written = true;
    // Backwards when undoing, so that a change that wrote one image twice ends as it began.
    for (std::size_t k = 0; k < change.images.size(); ++k) {
        std::size_t i = undo ? change.images.size() - 1 - k : k;
        written = WritePixelArea(collection, change.images[i], areas[i]) && written;
    }
    from.pop_back();
    m_lastWritten[change.path] = StampOf(change.path);
    to.push_back(std::move(change));
    return written ? Outcome::Done : Outcome::WriteFailed;
}

void ChangeHistory::Forget(const std::string& path) {
    m_lastWritten.erase(path);
    for (auto* changes : {&m_undo, &m_redo}) {
        changes->erase(std::remove_if(changes->begin(), changes->end(),
                                      [&](const Change& c) { return c.path == path; }),
                       changes->end());
    }
}
