#pragma once

#include "collection/Digest.h"
#include "collection/PixelAreas.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One collection's history on disk: every change brelt made to it, each undo and redo, as an
// append-only log that is also the journal of the change being written. A change is in the log,
// with its images' pixel areas before and after, and on the disk, before the first byte of the
// collection is written; it is marked done once the collection is on the disk too.
//
// The log is outside input: a record whose bytes do not add up (its check, its kind, its place
// in the story) makes the whole log damaged, except at its very end, where a record cut off in
// its own writing is what a crash leaves and is dropped.
namespace history {

inline constexpr std::size_t kMaxChanges = 500;            // kept for each collection
inline constexpr std::uint64_t kMaxLogBytes = 20ull << 20; // the oldest dropped beyond it
inline constexpr std::uint32_t kVersion = 1;

struct Change {
    std::uint64_t id = 0;  // one number a change, increasing within a log
    std::int64_t time = 0; // when it was made, seconds since 1970
    std::string what;      // the command's name, for "Desfés: <what>"
    std::vector<int> images;
    std::vector<PixelAreaBytes> before, after;
    bool operator==(const Change&) const = default;
};

enum class Step { Change, Undo, Redo };

// A step begun and not known to be finished: it may have written part of its areas.
struct Pending {
    Step step;
    std::size_t index; // of its change in State::changes
    bool operator==(const Pending&) const = default;
};

struct State {
    std::vector<Change> changes; // the oldest first
    std::size_t applied = 0;     // the file holds changes [0, applied)
    std::optional<Digest> left;  // the whole file as brelt last left it
    std::optional<Pending> pending;
    std::uint64_t nextId = 1;
    bool operator==(const State&) const = default;

    const Change* NextUndo() const { return applied > 0 ? &changes[applied - 1] : nullptr; }
    const Change* NextRedo() const {
        return applied < changes.size() ? &changes[applied] : nullptr;
    }
    // The areas a pending step goes from, and those it goes to.
    const std::vector<PixelAreaBytes>& From(const Pending& step) const;
    const std::vector<PixelAreaBytes>& To(const Pending& step) const;
};

enum class ReadStatus {
    Read,
    Damaged,         // bytes that do not add up
    OtherCollection, // the log of another collection, copied or planted here
    Newer,           // written by a later brelt
};

struct ReadResult {
    ReadStatus status = ReadStatus::Read;
    State state;
    std::size_t validBytes = 0; // where the next record goes: a cut-off tail is left out
};

// What a log's bytes say, for the collection key. No bytes at all is an empty history.
ReadResult ReadLog(const std::uint8_t* data, std::size_t size, const std::string& key);

// The key a log's header names, for finding the collection of a log found on its own; nothing
// when the header can't be read.
std::optional<std::string> LogKey(const std::uint8_t* data, std::size_t size);

// The bytes of a new log for key, and of each record.
std::vector<std::uint8_t> LogHeader(const std::string& key);
std::vector<std::uint8_t> BeginChangeRecord(const Change& change);
std::vector<std::uint8_t> BeginReplayRecord(bool undo, std::uint64_t id);
std::vector<std::uint8_t> DoneRecord(std::uint64_t id, const Digest& left);
std::vector<std::uint8_t> RolledBackRecord(std::uint64_t id);

// A whole new log holding state without its oldest changes, down to nine tenths of the bounds,
// for writing in place of the old one; state is trimmed the same way.
std::vector<std::uint8_t> CompactLog(const std::string& key, State& state);
// Whether state with a log of logBytes is beyond the bounds.
bool BeyondBounds(const State& state, std::uint64_t logBytes);

// The record's effect on state, as ReadLog applies it; false, with state unchanged, when it does
// not fit the story.
bool ApplyRecord(State& state, const std::vector<std::uint8_t>& record);

// The effect of each record, for the history that writes it: the same as ApplyRecord's, without
// reading the record back. Each leaves state unchanged and returns false when it does not fit.
bool ApplyBeginChange(State& state, Change change);
bool ApplyBeginReplay(State& state, bool undo, std::uint64_t id);
bool ApplyDone(State& state, std::uint64_t id, const Digest& left);
bool ApplyRolledBack(State& state, std::uint64_t id);

} // namespace history
