#pragma once

#include "collection/Backups.h"
#include "collection/ChangeHistory.h"

#include <cstdio>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

// Every change brelt makes to a collection, undo and redo included, goes through here, so that
// none can lose work: the file is compared with what brelt last left in it, backed up when brelt
// has not changed it yet or someone else has since, its areas are read before anything is
// written, and what the edit wrote is kept for undo.

// The collection an edit writes.
struct EditTarget {
    std::FILE*& stream; // open for update; an edit may close and reopen it
    std::string path;   // its file as opened, UTF-8
    std::string key;    // its full path as the system resolves it: one collection, one key
};

// What an edit reports of its writing.
struct Written {
    std::vector<int> failed;   // the images it could not write
    bool noTempStream = false; // because no temporary stream could be had
    bool shown = false;        // it showed what it wrote itself (the shift's preview)
    // Every one of images when ok is false, for edits that can't tell which.
    static Written AllOr(bool ok, const std::vector<int>& images);
};

struct EditOutcome {
    enum class Kind { Done, Refused, Failed };
    enum class Reason {
        None,
        NotOpen,         // no collection to write: nothing is said
        ReadFailed,      // the file could not be read before the change
        TooLarge,        // far larger than any collection
        BackupFailed,    // no copy could be made: error says why
        ChangedOutside,  // an undo or redo of a file changed since: its history is dropped
        NotTheTarget,    // the next change is of another collection (changePath)
        NothingToReplay, // no change to undo or redo
    };
    Kind kind = Kind::Done;
    Reason reason = Reason::None;
    std::error_code error;
    BackupResult::Failed backupStep = BackupResult::Failed::Nothing;
    std::vector<int> failedImages; // Failed: in increasing order
    bool noTempStream = false;     // Failed for want of a temporary stream
    bool shown = false;            // the edit showed what it wrote itself
    // Done or Failed: the file had changed outside brelt, so it was backed up anew and its
    // earlier history dropped.
    bool changedOutside = false;
    std::string backupPath; // the copy made just before this edit, if one was
    bool undoable = true;   // false when the file could not be read back after the edit
    std::string changePath; // the collection of the change (NotTheTarget)
};

using BackUpFunction = std::function<BackupResult(const FileBytes& content)>;
using EditFunction = std::function<Written(std::FILE*& stream)>;

// Makes the change `what` to images of target through edit, with a backup from backUp first
// when one is due.
EditOutcome SafeEdit(ChangeHistory& history, EditTarget& target, const std::string& what,
                     const std::vector<int>& images, const EditFunction& edit,
                     const BackUpFunction& backUp);

// Writes the next change to undo back, or the next to redo again. A file changed outside brelt
// is not written and its history is dropped; when some images can't be written the change stays
// where it was, so that the same command writes all of them again.
EditOutcome SafeReplay(ChangeHistory& history, EditTarget& target, bool undo);
