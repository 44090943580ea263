#include "collection/ChangeHistory.h"

ChangeHistory::ChangeHistory(StorageMaker maker) : m_maker(std::move(maker)) {}

CollectionHistory& ChangeHistory::For(const std::string& key, const std::string& path,
                                      CollectionHistory::Opened* opened) {
    auto found = m_histories.find(key);
    if (found != m_histories.end()) {
        if (opened != nullptr) {
            *opened = CollectionHistory::Opened::Fine;
        }
        return *found->second;
    }
    std::unique_ptr<LogStorage> storage = m_maker ? m_maker(key, path) : nullptr;
    if (storage == nullptr) {
        storage = std::make_unique<MemoryLogStorage>();
    }
    auto history = std::make_unique<CollectionHistory>(key, std::move(storage));
    CollectionHistory::Opened read = history->Open();
    if (opened != nullptr) {
        *opened = read;
    }
    return *m_histories.emplace(key, std::move(history)).first->second;
}

ChangeHistory::FileState ChangeHistory::StateOf(CollectionHistory& history,
                                                const FileBytes& now) const {
    const std::optional<Digest>& left = history.State().left;
    if (!left) {
        return FileState::Unknown;
    }
    return Fingerprint(now.data(), now.size()) == *left ? FileState::AsLeft
                                                        : FileState::ChangedOutside;
}
