#pragma once

#include "collection/FileContent.h"
#include "collection/PixelAreas.h"

#include <cstddef>
#include <deque>
#include <map>
#include <string>
#include <vector>

// What brelt wrote into its collections, so that every change can be taken back and done again,
// and each collection's whole content as brelt last left it, so that a change made by any other
// program since is noticed, whatever the file's size or clock say, and never written over from
// memory.

struct Change {
    std::string key;  // the collection, by its full path as the system resolves it
    std::string path; // its file as opened, UTF-8, for messages
    std::string what; // the command's name, for "Desfés: <what>"
    std::vector<int> images;
    std::vector<PixelAreaBytes> before, after;
};

class ChangeHistory {
public:
    static constexpr std::size_t kMaxChanges = 200;

    enum class FileState {
        Unknown,        // brelt has not changed it yet in this session
        AsLeft,         // exactly as brelt last left it
        ChangedOutside, // changed by someone else since
    };
    FileState StateOf(const std::string& key, const FileBytes& now) const;

    // A change brelt has made, with the whole file as it then left it. It becomes the change to
    // undo next, and nothing is left to redo.
    void Record(Change change, FileBytes left);
    // The file as brelt has left it without a new change: after an undo, a redo or a failed edit.
    void Leave(const std::string& key, FileBytes left);
    // The next change to undo (or redo) has been written entirely: it moves to the other list.
    void Replayed(bool undo);
    // Drops every change to the collection and what brelt knew of its content.
    void Forget(const std::string& key);

    const Change* NextUndo() const { return m_undo.empty() ? nullptr : &m_undo.back(); }
    const Change* NextRedo() const { return m_redo.empty() ? nullptr : &m_redo.back(); }

private:
    std::deque<Change> m_undo, m_redo;
    std::map<std::string, FileBytes> m_left;
};
