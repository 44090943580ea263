#pragma once

#include "collection/PixelAreas.h"

#include <cstdint>
#include <cstdio>
#include <deque>
#include <map>
#include <string>
#include <vector>

// What brelt wrote into its collections, so that every change can be taken back and done again.
// A change keeps the pixel areas it wrote, before and after; each file's size and last-write time
// as brelt last left it tell whether another program changed it since, and then nothing of it is
// written over from memory.

struct FileStamp {
    std::uintmax_t size = 0;
    long long lastWrite = 0;
    bool operator==(const FileStamp&) const = default;
};

// The size and last-write time of the file at path (UTF-8); zeros when it can't be read.
FileStamp StampOf(const std::string& path);

struct Change {
    std::string path; // the collection's file, UTF-8
    std::string what; // the command's name, for "Desfés: <what>"
    std::vector<int> images;
    std::vector<PixelAreaBytes> before, after;
};

class ChangeHistory {
public:
    static constexpr std::size_t kMaxChanges = 200;

    // The areas of images before a command writes them.
    static Change Begin(std::FILE* collection, const std::string& path, std::string what,
                        std::vector<int> images);
    // Completes change once its command has written and flushed: the areas after, the file's
    // stamp. It becomes the change to undo next, and nothing is left to redo.
    void Commit(std::FILE* collection, Change change);

    const Change* NextUndo() const { return m_undo.empty() ? nullptr : &m_undo.back(); }
    const Change* NextRedo() const { return m_redo.empty() ? nullptr : &m_redo.back(); }

    enum class Outcome { Done, Nothing, ChangedOnDisk, WriteFailed };
    // Writes the next change's areas back (Undo) or again (Redo) through collection, the open
    // stream of its file. A file changed on disk since is left alone and its history dropped.
    Outcome Undo(std::FILE* collection);
    Outcome Redo(std::FILE* collection);

    // Drops every change to the file at path.
    void Forget(const std::string& path);

private:
    Outcome Replay(std::deque<Change>& from, std::deque<Change>& to, std::FILE* collection,
                   bool undo);

    std::deque<Change> m_undo, m_redo;
    // Each file as brelt last left it: any later write by brelt changes it too.
    std::map<std::string, FileStamp> m_lastWritten;
};
