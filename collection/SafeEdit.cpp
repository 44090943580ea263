#include "collection/SafeEdit.h"

#include "collection/StreamBytes.h"

#include <algorithm>
#include <iterator>

namespace {

EditOutcome Refused(EditOutcome::Reason reason) {
    EditOutcome outcome;
    outcome.kind = EditOutcome::Kind::Refused;
    outcome.reason = reason;
    return outcome;
}

EditOutcome RefusedForRead(const FileContent& content) {
    return Refused(content.status == FileContent::Status::TooLarge
                       ? EditOutcome::Reason::TooLarge
                       : EditOutcome::Reason::ReadFailed);
}

// The file as the edit left it, through the stream when it is still open.
FileContent ReadBack(const EditTarget& target) {
    return target.stream != nullptr ? ReadWholeStream(target.stream) : ReadWholeFile(target.path);
}

void SetFailed(EditOutcome& outcome, std::vector<int> failed, bool noTempStream) {
    std::sort(failed.begin(), failed.end());
    failed.erase(std::unique(failed.begin(), failed.end()), failed.end());
    if (!failed.empty()) {
        outcome.kind = EditOutcome::Kind::Failed;
        outcome.failedImages = std::move(failed);
        outcome.noTempStream = noTempStream;
    }
}

} // namespace

Written Written::AllOr(bool ok, const std::vector<int>& images) {
    return ok ? Written{} : Written{images, false, false};
}

EditOutcome SafeEdit(ChangeHistory& history, EditTarget& target, const std::string& what,
                     const std::vector<int>& images, const EditFunction& edit,
                     const BackUpFunction& backUp) {
    if (target.stream == nullptr) {
        return Refused(EditOutcome::Reason::NotOpen);
    }
    FileContent now = ReadWholeStream(target.stream);
    if (!now.ok()) {
        return RefusedForRead(now);
    }
    EditOutcome outcome;
    ChangeHistory::FileState state = history.StateOf(target.key, now.bytes);
    if (state != ChangeHistory::FileState::AsLeft) {
        // The version on disk is one brelt has no copy of yet: it is the one worth keeping.
        BackupResult backup = backUp(now.bytes);
        if (backup.copy.empty()) {
            EditOutcome refused = Refused(EditOutcome::Reason::BackupFailed);
            refused.error = backup.error;
            refused.backupStep = backup.failed;
            return refused;
        }
        outcome.backupPath = backup.copy;
    }
    if (state == ChangeHistory::FileState::ChangedOutside) {
        history.Forget(target.key);
        outcome.changedOutside = true;
    }

    // Only the collection's own images can be written, and so taken back.
    Change change{target.key, target.path, what, {}, {}, {}};
    const int count = streambytes::ImageCount(target.stream);
    std::copy_if(images.begin(), images.end(), std::back_inserter(change.images),
                 [count](int image) { return image >= 1 && image <= count; });
    for (int image : change.images) {
        change.before.push_back(PixelAreaIn(now.bytes, image));
    }
    Written written = edit(target.stream);
    SetFailed(outcome, written.failed, written.noTempStream);
    outcome.shown = written.shown;

    FileContent left = ReadBack(target);
    if (!left.ok()) {
        // What the file now holds is unknown: nothing of it may be written from memory.
        history.Forget(target.key);
        outcome.undoable = false;
        return outcome;
    }
    for (int image : change.images) {
        change.after.push_back(PixelAreaIn(left.bytes, image));
    }
    if (change.after != change.before) {
        history.Record(std::move(change), std::move(left.bytes));
    } else {
        history.Leave(target.key, std::move(left.bytes));
    }
    return outcome;
}

EditOutcome SafeReplay(ChangeHistory& history, EditTarget& target, bool undo) {
    const Change* next = undo ? history.NextUndo() : history.NextRedo();
    if (next == nullptr) {
        return Refused(EditOutcome::Reason::NothingToReplay);
    }
    if (target.stream == nullptr || next->key != target.key) {
        EditOutcome refused = Refused(EditOutcome::Reason::NotTheTarget);
        refused.changePath = next->path;
        return refused;
    }
    FileContent now = ReadWholeStream(target.stream);
    if (!now.ok()) {
        return RefusedForRead(now);
    }
    if (history.StateOf(target.key, now.bytes) != ChangeHistory::FileState::AsLeft) {
        history.Forget(target.key);
        return Refused(EditOutcome::Reason::ChangedOutside);
    }
    const Change change = *next;
    const auto& areas = undo ? change.before : change.after;
    std::vector<int> failed;
    // Backwards when undoing, so that a change that wrote one image twice ends as it began.
    for (std::size_t k = 0; k < change.images.size(); ++k) {
        std::size_t i = undo ? change.images.size() - 1 - k : k;
        if (!WritePixelArea(target.stream, change.images[i], areas[i])) {
            failed.push_back(change.images[i]);
        }
    }
    EditOutcome outcome;
    SetFailed(outcome, failed, false);
    FileContent left = ReadBack(target);
    if (!left.ok()) {
        history.Forget(target.key);
        outcome.undoable = false;
        return outcome;
    }
    history.Leave(target.key, std::move(left.bytes));
    if (outcome.kind == EditOutcome::Kind::Done) {
        history.Replayed(undo);
    }
    return outcome;
}
