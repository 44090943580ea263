#pragma once

#include "collection/SafeEdit.h"

#include <string>
#include <vector>

// What the user is told after a change to a collection: one message, or none when all went as
// asked and there is nothing to add.
struct EditMessage {
    std::string text; // empty: nothing to say
    bool failure = false;
};

// The names of the facts an outcome's message mentions.
struct EditContext {
    std::string what;          // the command, as the history names it
    std::string path;          // the collection as the user knows it
    std::string backupFolder;  // where its copies go
    std::string historyFolder; // where its history goes
    std::string lastBackup;    // the newest copy of it, if any
    bool replay = false;       // an undo or a redo
};

EditMessage MessageFor(const EditOutcome& outcome, const EditContext& context);

// "5", "5 i 7", "3, 5 i 7", runs of three or more as "11 a 48".
std::string ImageList(const std::vector<int>& images);

// The system's reason for a failed copy, in the user's words.
std::string BackupFailureReason(const std::error_code& error, BackupResult::Failed step);
