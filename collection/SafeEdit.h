#pragma once

#include "collection/Backups.h"
#include "collection/ChangeHistory.h"

#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

// Every change brelt makes to a collection, undo and redo included, goes through here, so that
// none can lose work or be torn: the file is compared with what brelt last left in it, backed up
// when brelt has not changed it yet in this run or someone else has since, the change is worked
// out in full on a copy, written to the collection's journal and put on the disk, and only then
// written into the collection, which is put on the disk before the change is marked done. A
// change that can't be written whole is taken back; one that a crash cut short is finished or
// taken back when the collection is next opened.

// The collection as the safety net reads and writes it.
class CollectionFile {
public:
    virtual ~CollectionFile() = default;
    virtual const std::string& Path() const = 0; // as opened, UTF-8, for messages
    virtual const std::string& Key() const = 0;  // as the system resolves it: one file, one key
    virtual FileContent ReadAll() = 0;
    virtual bool WriteArea(int image, const PixelAreaBytes& area) = 0;
    virtual bool Sync() = 0; // what was written is on the disk
};

// A collection open for update as a stream.
class EditTarget : public CollectionFile {
public:
    EditTarget(std::FILE*& stream, std::string path, std::string key)
        : m_stream(stream), m_path(std::move(path)), m_key(std::move(key)) {}
    const std::string& Path() const override { return m_path; }
    const std::string& Key() const override { return m_key; }
    FileContent ReadAll() override;
    bool WriteArea(int image, const PixelAreaBytes& area) override;
    bool Sync() override;

private:
    std::FILE*& m_stream;
    std::string m_path, m_key;
};

// What an edit reports of its work on the copy it is given.
struct Written {
    std::vector<int> failed;   // the images it could not work out
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
        HistoryFailed,   // the change could not be put in the history's journal: error says why
        ChangedOutside,  // an undo or redo of a file changed since: its history is dropped
        NothingToReplay, // no change to undo or redo
    };
    Kind kind = Kind::Done;
    Reason reason = Reason::None;
    std::error_code error;
    BackupResult::Failed backupStep = BackupResult::Failed::Nothing;
    std::vector<int> failedImages; // Failed: in increasing order
    bool noTempStream = false;     // Failed for want of a temporary stream
    bool rolledBack = false;       // Failed: what was written was taken back, nothing changed
    bool shown = false;            // the edit showed what it wrote itself
    // Done or Failed: the file had changed outside brelt, so it was backed up anew and its
    // earlier history dropped.
    bool changedOutside = false;
    std::string backupPath; // the copy made just before this edit, if one was
};

using BackUpFunction = std::function<BackupResult(const FileBytes& content)>;
using EditFunction = std::function<Written(std::FILE*& stream)>;

// Makes the change `what` to images of file through edit, which works on a copy of the file and
// may write nothing else; with a backup from backUp first when one is due.
EditOutcome SafeEdit(ChangeHistory& history, CollectionFile& file, const std::string& what,
                     const std::vector<int>& images, const EditFunction& edit,
                     const BackUpFunction& backUp, std::time_t now = std::time(nullptr));

// Writes the next change to undo back, or the next to redo again. A file changed outside brelt
// is not written and its history is dropped; a step that can't be written whole is taken back.
EditOutcome SafeReplay(ChangeHistory& history, CollectionFile& file, bool undo);

// A step the journal shows begun and not finished, found as the collection is opened.
struct Recovery {
    enum class Kind {
        Nothing,    // none was pending
        Finished,   // the file held all of it: marked done
        NotStarted, // the file held none of it: dropped
        RolledBack, // the file held part of it: the areas before written back
        Mismatch,   // the file holds something else: changed outside, left alone
        Failed,     // it could not be read, or the areas could not be written back
    };
    Kind kind = Kind::Nothing;
    std::string what;  // the change's name
    bool undo = false; // the step was an undo (or a redo) rather than the change itself
    std::error_code error;
};
Recovery RecoverPending(CollectionHistory& history, CollectionFile& file);
