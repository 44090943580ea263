#include "collection/SafeEdit.h"

#include "collection/CollectionFormat.h"
#include "collection/Durable.h"
#include "collection/StreamBytes.h"
#include "collection/TempStreams.h"

#include <algorithm>

namespace {

using Reason = EditOutcome::Reason;

EditOutcome Refused(Reason reason, std::error_code error = {}) {
    EditOutcome outcome;
    outcome.kind = EditOutcome::Kind::Refused;
    outcome.reason = reason;
    outcome.error = error;
    return outcome;
}

EditOutcome RefusedForRead(const FileContent& content) {
    return Refused(content.status == FileContent::Status::TooLarge ? Reason::TooLarge
                                                                   : Reason::ReadFailed);
}

// outcome with images that could not be written, if any: a failure then.
EditOutcome WithFailure(EditOutcome outcome, std::vector<int> images, bool noTempStream,
                        bool rolledBack) {
    std::sort(images.begin(), images.end());
    images.erase(std::unique(images.begin(), images.end()), images.end());
    if (!images.empty()) {
        outcome.kind = EditOutcome::Kind::Failed;
        outcome.failedImages = std::move(images);
        outcome.noTempStream = noTempStream;
        outcome.rolledBack = rolledBack;
    }
    return outcome;
}

// The images an edit may write: the collection's own, once each, in increasing order.
std::vector<int> OwnImages(std::vector<int> images, std::size_t fileSize) {
    const int count = sgc::ImageCountForSize(static_cast<long>(fileSize));
    std::erase_if(images, [count](int image) { return image < 1 || image > count; });
    std::sort(images.begin(), images.end());
    images.erase(std::unique(images.begin(), images.end()), images.end());
    return images;
}

// The edit run on a copy of the file's content: what the copy holds afterwards.
struct Worked {
    std::optional<FileBytes> after;
    Written written;
};

Worked WorkOnCopy(const FileBytes& content, const EditFunction& edit) {
    Worked worked;
    std::FILE* copy = CreateOwnTempStream();
    if (copy == nullptr || std::fwrite(content.data(), 1, content.size(), copy) != content.size()) {
        worked.written.noTempStream = true;
    } else {
        std::rewind(copy);
        worked.written = edit(copy);
        FileContent after = ReadWholeStream(copy);
        if (after.ok()) {
            worked.after = std::move(after.bytes);
        }
    }
    if (copy != nullptr) {
        std::fclose(copy);
    }
    return worked;
}

// Writes areas over images, then puts the file on the disk; false at the first that fails.
bool WriteAreas(CollectionFile& file, const std::vector<int>& images,
                const std::vector<PixelAreaBytes>& areas) {
    for (std::size_t i = 0; i < images.size(); ++i) {
        if (!file.WriteArea(images[i], areas[i])) {
            return false;
        }
    }
    return file.Sync();
}

// After writing: the file read back holds exactly areas over images. Its digest, when it does.
std::optional<Digest> CheckedDigest(CollectionFile& file, const std::vector<int>& images,
                                    const std::vector<PixelAreaBytes>& areas) {
    FileContent now = file.ReadAll();
    if (!now.ok()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < images.size(); ++i) {
        if (PixelAreaIn(now.bytes, images[i]) != areas[i]) {
            return std::nullopt;
        }
    }
    return Fingerprint(now.bytes.data(), now.bytes.size());
}

// The pending step of history written to the file: done, or taken back whole. False when it
// could be neither: it stays pending for the next opening to finish or take back.
bool CarryOut(CollectionHistory& history, CollectionFile& file) {
    const history::State& state = history.State();
    const history::Pending step = *state.pending;
    const std::vector<int>& images = state.changes[step.index].images;
    const std::vector<PixelAreaBytes> from = state.From(step), to = state.To(step);
    if (WriteAreas(file, images, to)) {
        if (std::optional<Digest> left = CheckedDigest(file, images, to)) {
            history.Done(*left);
            return true;
        }
    }
    if (WriteAreas(file, images, from) && CheckedDigest(file, images, from)) {
        history.RolledBack();
    }
    return false;
}

// Whether the file's areas are, byte for byte, each from one of the two: a step begun on this
// very file and cut short anywhere, even within an area.
bool MixOf(const FileBytes& now, const std::vector<int>& images,
           const std::vector<PixelAreaBytes>& from, const std::vector<PixelAreaBytes>& to) {
    for (std::size_t i = 0; i < images.size(); ++i) {
        PixelAreaBytes area = PixelAreaIn(now, images[i]);
        for (std::size_t b = 0; b < area.size(); ++b) {
            if (area[b] != from[i][b] && area[b] != to[i][b]) {
                return false;
            }
        }
    }
    return true;
}

bool AllEqual(const FileBytes& now, const std::vector<int>& images,
              const std::vector<PixelAreaBytes>& areas) {
    for (std::size_t i = 0; i < images.size(); ++i) {
        if (PixelAreaIn(now, images[i]) != areas[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

FileContent EditTarget::ReadAll() {
    return m_stream != nullptr ? ReadWholeStream(m_stream) : FileContent{};
}

bool EditTarget::WriteArea(int image, const PixelAreaBytes& area) {
    return WritePixelArea(m_stream, image, area);
}

bool EditTarget::Sync() {
    return SyncFile(m_stream);
}

Written Written::AllOr(bool ok, const std::vector<int>& images) {
    return ok ? Written{} : Written{images, false, false};
}

namespace {

// The copy brelt must have of the file before changing it, when one is due: the first change of
// this run, or the first since someone else changed it. Refused when none can be made.
EditOutcome BackUpWhenDue(ChangeHistory& histories, CollectionHistory& history,
                          CollectionFile& file, const FileContent& content,
                          const BackUpFunction& backUp) {
    EditOutcome outcome;
    outcome.changedOutside =
        histories.StateOf(history, content.bytes) == ChangeHistory::FileState::ChangedOutside;
    if (outcome.changedOutside || !histories.IsBackedUp(file.Key())) {
        BackupResult backup = backUp(content.bytes);
        if (backup.copy.empty()) {
            EditOutcome refused = Refused(Reason::BackupFailed, backup.error);
            refused.backupStep = backup.failed;
            return refused;
        }
        histories.MarkBackedUp(file.Key());
        outcome.backupPath = backup.copy;
    }
    if (outcome.changedOutside && !history.Forget()) {
        return Refused(Reason::HistoryFailed, history.Error());
    }
    return outcome;
}

// The change from before to after: the collection's own images among those named that differ.
history::Change ChangeBetween(const FileBytes& before, const FileBytes& after,
                              const std::vector<int>& images, const std::string& what,
                              std::time_t now) {
    history::Change change;
    change.time = static_cast<std::int64_t>(now);
    change.what = what;
    for (int image : OwnImages(images, before.size())) {
        PixelAreaBytes was = PixelAreaIn(before, image), is = PixelAreaIn(after, image);
        if (was != is) {
            change.images.push_back(image);
            change.before.push_back(std::move(was));
            change.after.push_back(std::move(is));
        }
    }
    return change;
}

} // namespace

EditOutcome SafeEdit(ChangeHistory& histories, CollectionFile& file, const std::string& what,
                     const std::vector<int>& images, const EditFunction& edit,
                     const BackUpFunction& backUp, std::time_t now) {
    FileContent content = file.ReadAll();
    CollectionHistory& history = histories.For(file.Key(), file.Path());
    if (content.ok() && history.State().pending) {
        // A step cut short before: finished or taken back first, as the file allows; one on a
        // file changed since by someone else is forgotten with the rest of the history.
        if (RecoverPending(history, file).kind == Recovery::Kind::Mismatch && history.Forget()) {
            histories.NeedsBackup(file.Key());
        }
        content = history.State().pending ? FileContent{} : file.ReadAll();
    }
    if (!content.ok()) {
        return RefusedForRead(content);
    }
    EditOutcome outcome = BackUpWhenDue(histories, history, file, content, backUp);
    if (outcome.kind == EditOutcome::Kind::Refused) {
        return outcome;
    }
    Worked worked = WorkOnCopy(content.bytes, edit);
    outcome.shown = worked.written.shown;
    if (!worked.after) {
        return WithFailure(outcome, OwnImages(images, content.bytes.size()), true, false);
    }
    history::Change change = ChangeBetween(content.bytes, *worked.after, images, what, now);
    const std::vector<int> changed = change.images;
    if (!changed.empty() && !history.BeginChange(std::move(change))) {
        EditOutcome refused = Refused(Reason::HistoryFailed, history.Error());
        refused.backupPath = outcome.backupPath;
        return refused;
    }
    if (!changed.empty() && !CarryOut(history, file)) {
        return WithFailure(outcome, changed, false, !history.State().pending);
    }
    return WithFailure(outcome, worked.written.failed, worked.written.noTempStream, false);
}

EditOutcome SafeReplay(ChangeHistory& histories, CollectionFile& file, bool undo) {
    CollectionHistory& history = histories.For(file.Key(), file.Path());
    if (history.State().pending) {
        RecoverPending(history, file);
    }
    const history::Change* next = undo ? history.State().NextUndo() : history.State().NextRedo();
    if (next == nullptr) {
        return Refused(Reason::NothingToReplay);
    }
    FileContent content = file.ReadAll();
    if (!content.ok()) {
        return RefusedForRead(content);
    }
    if (histories.StateOf(history, content.bytes) != ChangeHistory::FileState::AsLeft) {
        history.Forget();
        histories.NeedsBackup(file.Key());
        return Refused(Reason::ChangedOutside);
    }
    const std::vector<int> images = next->images;
    if (!history.BeginReplay(undo)) {
        return Refused(Reason::HistoryFailed, history.Error());
    }
    if (!CarryOut(history, file)) {
        return WithFailure({}, images, false, !history.State().pending);
    }
    return {};
}

Recovery RecoverPending(CollectionHistory& history, CollectionFile& file) {
    Recovery recovery;
    const history::State& state = history.State();
    if (!state.pending) {
        return recovery;
    }
    const history::Pending step = *state.pending;
    const history::Change& change = state.changes[step.index];
    recovery.what = change.what;
    recovery.undo = step.step != history::Step::Change;
    const std::vector<int> images = change.images;
    const std::vector<PixelAreaBytes> from = state.From(step), to = state.To(step);
    FileContent now = file.ReadAll();
    if (!now.ok()) {
        recovery.kind = Recovery::Kind::Failed;
        return recovery;
    }
    // Only the very file the step was begun on is written: every byte of every area it names
    // must be the one before or the one after.
    if (!MixOf(now.bytes, images, from, to)) {
        recovery.kind = Recovery::Kind::Mismatch;
        return recovery;
    }
    if (AllEqual(now.bytes, images, to)) {
        recovery.kind = history.Done(Fingerprint(now.bytes.data(), now.bytes.size()))
                            ? Recovery::Kind::Finished
                            : Recovery::Kind::Failed;
        return recovery;
    }
    bool untouched = AllEqual(now.bytes, images, from);
    std::optional<Digest> left;
    if (untouched || WriteAreas(file, images, from)) {
        left = CheckedDigest(file, images, from);
    }
    if (!left || !history.RolledBack()) {
        recovery.kind = Recovery::Kind::Failed;
        recovery.error = history.Error();
        return recovery;
    }
    recovery.kind = untouched ? Recovery::Kind::NotStarted : Recovery::Kind::RolledBack;
    return recovery;
}
