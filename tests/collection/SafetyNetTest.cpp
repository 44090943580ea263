#include "TestFiles.h"
#include "collection/Backups.h"
#include "collection/SafeEdit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// A folder of the test's own for the backups, removed with the object.
struct BackupRoot {
    std::string path = (fs::temp_directory_path() /
                        ("brelt-backups-" + std::to_string(reinterpret_cast<std::uintptr_t>(this))))
                           .string();
    ~BackupRoot() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    BackUpFunction For(const std::string& collection, std::time_t when = 2000030000) const {
        return [this, collection, when](const FileBytes& content) {
            return BackUpCollection(content, collection, path, when);
        };
    }
};

// An edit that writes one area filled with value over each image.
EditFunction Fill(std::vector<int> images, std::uint8_t value) {
    return [images, value](std::FILE*& stream) {
        Written written;
        for (int image : images) {
            if (!WritePixelArea(stream, image, PixelAreaBytes(2048, value))) {
                written.failed.push_back(image);
            }
        }
        return written;
    };
}

// The next change to undo and to redo of the collection KEY.
const history::Change* NextUndo(ChangeHistory& history) {
    return history.For("KEY", "").State().NextUndo();
}
[[maybe_unused]] const history::Change* NextRedo(ChangeHistory& history) {
    return history.For("KEY", "").State().NextRedo();
}

void WriteAreaFromOutside(const std::string& path, int image, std::uint8_t value) {
    std::fstream other(fs::u8path(path), std::ios::binary | std::ios::in | std::ios::out);
    other.seekp(sgc::RecordOffset(image));
    std::string area(2048, static_cast<char>(value));
    other.write(area.data(), 2048);
}

} // namespace

TEST(SafeEdit, AChangeFromOutsideIsFoundByContentBackedUpAndNeverWrittenOver) {
    Bytes original = MakeCollection(202752, 131);
    ScratchFile file(original);
    BackupRoot backups;
    UniqueFile stream = file.Open();
    std::FILE* raw = stream.get();
    EditTarget target{raw, file.Path(), "KEY"};
    ChangeHistory history;

    EditOutcome first = SafeEdit(history, target, "Moure", {5}, Fill({5}, 1), backups.For("C"));
    ASSERT_EQ(first.kind, EditOutcome::Kind::Done);
    EXPECT_FALSE(first.changedOutside);
    EXPECT_EQ(ReadWholeFile(first.backupPath).bytes, original) << "backed up before the first";

    // Another program redraws image 5 in the same second, the file's size unchanged.
    WriteAreaFromOutside(file.Path(), 5, 7);
    Bytes theirs = file.Read();
    EditOutcome second = SafeEdit(history, target, "Moure", {10}, Fill({10}, 2), backups.For("C"));
    ASSERT_EQ(second.kind, EditOutcome::Kind::Done);
    EXPECT_TRUE(second.changedOutside);
    EXPECT_EQ(ReadWholeFile(second.backupPath).bytes, theirs) << "their version is kept";

    EXPECT_EQ(SafeReplay(history, target, true).kind, EditOutcome::Kind::Done);
    EXPECT_EQ(file.Read(), theirs) << "the change to image 10 undone";
    EXPECT_EQ(SafeReplay(history, target, true).reason, EditOutcome::Reason::NothingToReplay)
        << "the change to image 5 was forgotten: it would write over their drawing";
    EXPECT_EQ(SafeReplay(history, target, false).kind, EditOutcome::Kind::Done);

    // The file is replaced at the same path: no undo writes, and the next change backs it up.
    stream.reset();
    fs::remove(fs::u8path(file.Path()));
    Bytes replaced = MakeCollection(202752, 132);
    file.Write(replaced);
    stream = file.Open();
    raw = stream.get();
    EXPECT_EQ(SafeReplay(history, target, true).reason, EditOutcome::Reason::ChangedOutside);
    EXPECT_EQ(file.Read(), replaced);
    EXPECT_EQ(NextUndo(history), nullptr);
    EditOutcome third = SafeEdit(history, target, "Moure", {3}, Fill({3}, 3), backups.For("C"));
    EXPECT_EQ(ReadWholeFile(third.backupPath).bytes, replaced);
}

TEST(SafeEdit, NothingIsRecordedOfAnEditThatChangedNothingAndEveryAreaIsKeptForUndo) {
    Bytes original = MakeCollection(202752, 133);
    ScratchFile file(original);
    BackupRoot backups;
    UniqueFile stream = file.Open();
    std::FILE* raw = stream.get();
    EditTarget target{raw, file.Path(), "KEY"};
    ChangeHistory history;
    SafeEdit(history, target, "Res", {4}, Fill({}, 0), backups.For("C"));
    EXPECT_EQ(NextUndo(history), nullptr);
    // One edit that writes image 6 twice ends, undone, as it began.
    SafeEdit(history, target, "Dues", {6, 7, 6}, Fill({6, 7}, 9), backups.For("C"));
    ASSERT_NE(NextUndo(history), nullptr);
    EXPECT_EQ(NextUndo(history)->what, "Dues");
    EXPECT_EQ(SafeReplay(history, target, true).kind, EditOutcome::Kind::Done);
    EXPECT_EQ(file.Read(), original);
    // A collection no copy can be made of is not changed at all.
    EditTarget another{raw, file.Path(), "ANOTHER"};
    EditOutcome refused =
        SafeEdit(history, another, "Moure", {2}, Fill({2}, 1), [](const FileBytes&) {
            return BackupResult{{},
                                std::make_error_code(std::errc::no_space_on_device),
                                BackupResult::Failed::Write};
        });
    EXPECT_EQ(refused.reason, EditOutcome::Reason::BackupFailed);
    EXPECT_EQ(refused.error, std::errc::no_space_on_device);
    EXPECT_EQ(file.Read(), original);
}

#ifdef __GLIBC__
namespace {

// A collection in memory behind a stream whose writes fail once a budget of bytes is spent and
// whose reads fail on request, as a full disk or a failing drive would.
struct FailingFile {
    Bytes bytes;
    long long position = 0;
    long long writeBudget = -1; // -1: no limit
    bool failReads = false;

    static ssize_t Read(void* cookie, char* buffer, size_t size) {
        auto* f = static_cast<FailingFile*>(cookie);
        if (f->failReads) {
            errno = EIO;
            return -1;
        }
        long long n = std::max(
            0LL, std::min<long long>(static_cast<long long>(size),
                                     static_cast<long long>(f->bytes.size()) - f->position));
        std::memcpy(buffer, f->bytes.data() + f->position, static_cast<std::size_t>(n));
        f->position += n;
        return static_cast<ssize_t>(n);
    }
    static ssize_t Write(void* cookie, const char* buffer, size_t size) {
        auto* f = static_cast<FailingFile*>(cookie);
        if (f->writeBudget >= 0 && f->writeBudget < static_cast<long long>(size)) {
            errno = ENOSPC;
            return -1;
        }
        if (f->writeBudget >= 0) {
            f->writeBudget -= static_cast<long long>(size);
        }
        if (f->position + static_cast<long long>(size) > static_cast<long long>(f->bytes.size())) {
            f->bytes.resize(static_cast<std::size_t>(f->position) + size);
        }
        std::memcpy(f->bytes.data() + f->position, buffer, size);
        f->position += static_cast<long long>(size);
        return static_cast<ssize_t>(size);
    }
    static int Seek(void* cookie, off64_t* offset, int whence) {
        auto* f = static_cast<FailingFile*>(cookie);
        long long base = whence == SEEK_SET   ? 0
                         : whence == SEEK_CUR ? f->position
                                              : static_cast<long long>(f->bytes.size());
        f->position = base + *offset;
        *offset = f->position;
        return 0;
    }
    std::FILE* Open() {
        return fopencookie(this, "r+",
                           {&FailingFile::Read, &FailingFile::Write, &FailingFile::Seek, nullptr});
    }
};

} // namespace

TEST(SafeReplay, AnUndoTheDiskCannotFinishIsTakenBackAndLaterDoneWhole) {
    Bytes original = MakeCollection(202752, 134);
    FailingFile disk{original};
    UniqueFile stream(disk.Open());
    std::FILE* raw = stream.get();
    EditTarget target{raw, "", "KEY"};
    ChangeHistory history;
    BackupRoot backups;
    std::vector<int> shifted;
    for (int image = 51; image <= 98; ++image) {
        shifted.push_back(image);
    }
    ASSERT_EQ(
        SafeEdit(history, target, "Desplaçar", shifted, Fill(shifted, 5), backups.For("C")).kind,
        EditOutcome::Kind::Done);
    Bytes changed = disk.bytes;

    disk.writeBudget = 10 * 2048; // the disk fills after 10 of the 48 images
    EditOutcome failed = SafeReplay(history, target, true);
    ASSERT_EQ(failed.kind, EditOutcome::Kind::Failed);
    EXPECT_EQ(failed.failedImages, shifted);
    EXPECT_FALSE(failed.rolledBack) << "the disk is full for taking it back too";
    EXPECT_TRUE(history.For("KEY", "").State().pending) << "left for the next try to settle";

    disk.writeBudget = -1;
    EXPECT_EQ(SafeReplay(history, target, true).kind, EditOutcome::Kind::Done);
    EXPECT_EQ(disk.bytes, original) << "taken back to the change, then undone whole";
    EXPECT_NE(NextRedo(history), nullptr);
    EXPECT_EQ(NextUndo(history), nullptr);

    // A failing read is never taken for black pixels: nothing is written.
    disk.failReads = true;
    bool edited = false;
    EditOutcome refused = SafeEdit(
        history, target, "Moure", {3},
        [&](std::FILE*&) {
            edited = true;
            return Written{};
        },
        backups.For("C"));
    EXPECT_EQ(refused.reason, EditOutcome::Reason::ReadFailed);
    EXPECT_FALSE(edited);
    EXPECT_FALSE(ReadPixelArea(raw, 3).has_value());
    EXPECT_FALSE(SwapPixelAreas(raw, 3, 4));
    EXPECT_EQ(disk.bytes, original);
}
#endif

TEST(Backups, EachCollectionKeepsItsOwnTwentyNewestHoweverTheClockRuns) {
    BackupRoot root;
    const std::string animals = "C:\\Documents\\animals.sgc";
    const std::string otherAnimals = "C:\\Program Files\\Segells\\animals.sgc";
    FileBytes theirs(1000, 9);
    std::string otherCopy = BackUpCollection(theirs, otherAnimals, root.path, 1900000000).copy;
    ASSERT_FALSE(otherCopy.empty());

    // 25 copies, each made with a clock set further back than the one before.
    std::vector<std::string> made;
    for (int i = 0; i < 25; ++i) {
        FileBytes content(1000, static_cast<std::uint8_t>(i));
        BackupResult copy = BackUpCollection(content, animals, root.path, 2000030000 - i * 86400);
        ASSERT_FALSE(copy.copy.empty()) << i;
        EXPECT_EQ(ReadWholeFile(copy.copy).bytes, content) << "the copy just made remains";
        made.push_back(copy.copy);
    }
    for (int i = 0; i < 25; ++i) {
        EXPECT_EQ(fs::exists(fs::u8path(made[i])), i >= 5) << "the 20 made last are kept: " << i;
    }
    EXPECT_TRUE(fs::exists(fs::u8path(otherCopy))) << "no copy removed for another collection";
    EXPECT_NE(fs::u8path(made[0]).parent_path(), fs::u8path(otherCopy).parent_path());
    EXPECT_EQ(fs::u8path(made[0]).parent_path().filename().string(), "animals (Documents)");

    // Two copies in one second each get a name of their own.
    std::string again = BackUpCollection(FileBytes(10, 1), animals, root.path, 2000030000).copy;
    std::string twice = BackUpCollection(FileBytes(10, 2), animals, root.path, 2000030000).copy;
    EXPECT_NE(again, twice);
    EXPECT_EQ(ReadWholeFile(again).bytes, FileBytes(10, 1));
    EXPECT_NE(twice.find(" (2).sgc"), std::string::npos) << twice;

    // The index names each copy's collection by its full path.
    std::ifstream index(fs::u8path(root.path + "/índex.txt"), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(index)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find(otherAnimals + "\r\n    animals (Segells)\\animals "), std::string::npos)
        << text;
    EXPECT_NE(text.find(animals + "\r\n    animals (Documents)\\animals "), std::string::npos);

    // A folder that can't be made: the reason, and no copy.
    std::ofstream(fs::u8path(root.path + "/blocked")) << "a file, not a folder";
    BackupResult blocked = BackUpCollection(theirs, animals, root.path + "/blocked", 2000030000);
    EXPECT_TRUE(blocked.copy.empty());
    EXPECT_EQ(blocked.failed, BackupResult::Failed::Folder);
    EXPECT_TRUE(blocked.error);
}
