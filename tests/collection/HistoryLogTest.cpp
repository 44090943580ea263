#include "TestFiles.h"
#include "collection/CollectionHistory.h"
#include "collection/SafeEdit.h"
#include "collection/Versions.h"

#include <gtest/gtest.h>

namespace {

const std::string kKey = "C:\\SEGELLS\\FORMES.SGC";

history::Change Change(int image, std::uint8_t before, std::uint8_t after) {
    history::Change change;
    change.time = 1900000000;
    change.what = "Moure";
    change.images = {image};
    change.before = {PixelAreaBytes(2048, before)};
    change.after = {PixelAreaBytes(2048, after)};
    return change;
}

// A history whose log is the bytes it holds.
struct Logged {
    MemoryLogStorage* storage;
    CollectionHistory history;
    explicit Logged(Bytes bytes = {}, const std::string& key = kKey)
        : storage(new MemoryLogStorage), history(key, std::unique_ptr<LogStorage>(storage)) {
        storage->bytes = std::move(bytes);
    }
};

// Three changes, one undone and done again, one taken back, one undone: every kind of record.
Bytes EveryKindOfRecord(history::State* state = nullptr) {
    Logged logged;
    CollectionHistory& h = logged.history;
    EXPECT_EQ(h.Open(), CollectionHistory::Opened::Fine);
    for (int image : {3, 4, 5}) {
        EXPECT_TRUE(h.BeginChange(Change(image, 1, static_cast<std::uint8_t>(image))));
        EXPECT_TRUE(image == 5 ? h.RolledBack() : h.Done(Digest{static_cast<std::uint8_t>(image)}));
    }
    EXPECT_TRUE(h.BeginReplay(true) && h.Done(Digest{9}));
    EXPECT_TRUE(h.BeginReplay(false) && h.Done(Digest{10}));
    EXPECT_TRUE(h.BeginReplay(true) && h.Done(Digest{11}));
    if (state != nullptr) {
        *state = h.State();
    }
    return logged.storage->bytes;
}

} // namespace

TEST(HistoryLog, ReadsBackEveryStepAsItWasTaken) {
    history::State written;
    Bytes log = EveryKindOfRecord(&written);
    EXPECT_EQ(written.changes.size(), 2u) << "the change taken back is gone";
    EXPECT_EQ(written.applied, 1u);
    EXPECT_EQ(written.left, Digest{11});
    history::ReadResult read = history::ReadLog(log.data(), log.size(), kKey);
    ASSERT_EQ(read.status, history::ReadStatus::Read);
    EXPECT_EQ(read.state, written);
    EXPECT_EQ(read.validBytes, log.size());
}

// A crash leaves a record cut short at any byte, or zeros where it was to go: the log is read as
// it was before that record, and the next record is written where the whole ones end.
TEST(HistoryLog, ARecordCutOffInItsWritingIsDroppedAndWrittenOver) {
    Logged logged;
    logged.history.Open();
    logged.history.BeginChange(Change(7, 1, 2));
    logged.history.Done(Digest{1});
    Bytes whole = logged.storage->bytes;
    history::State before = logged.history.State();
    logged.history.BeginChange(Change(8, 3, 4));
    Bytes longer = logged.storage->bytes;
    for (std::size_t cut = whole.size(); cut < longer.size(); ++cut) {
        history::ReadResult read = history::ReadLog(longer.data(), cut, kKey);
        ASSERT_EQ(read.status, history::ReadStatus::Read) << cut;
        ASSERT_EQ(read.state, before) << cut;
        ASSERT_EQ(read.validBytes, whole.size()) << cut;
    }
    Bytes zeros = whole;
    zeros.resize(whole.size() + 5000, 0);
    EXPECT_EQ(history::ReadLog(zeros.data(), zeros.size(), kKey).state, before);

    Bytes cut(longer.begin(), longer.begin() + static_cast<long>(longer.size() - 100));
    Logged again(cut);
    ASSERT_EQ(again.history.Open(), CollectionHistory::Opened::Fine);
    ASSERT_TRUE(again.history.BeginChange(Change(9, 5, 6)));
    history::ReadResult read =
        history::ReadLog(again.storage->bytes.data(), again.storage->bytes.size(), kKey);
    ASSERT_EQ(read.status, history::ReadStatus::Read);
    EXPECT_EQ(read.state.changes.back().images, std::vector<int>{9});
}

// A log damaged in its middle, another collection's, a later brelt's, or bytes that tell an
// impossible story: refused, set aside, and a new history begun.
TEST(HistoryLog, ADamagedOrForeignLogIsSetAsideNeverUsed) {
    Bytes log = EveryKindOfRecord();
    Bytes flipped = log;
    flipped[log.size() / 2] ^= 0x10;
    Bytes newer = log;
    newer[8] = 2;
    Bytes impossible = history::LogHeader(kKey);
    Bytes done = history::DoneRecord(1, Digest{});
    impossible.insert(impossible.end(), done.begin(), done.end());
    impossible.insert(impossible.end(), log.begin() + static_cast<long>(impossible.size()),
                      log.end());
    const std::pair<Bytes, CollectionHistory::Opened> cases[] = {
        {flipped, CollectionHistory::Opened::Damaged},
        {newer, CollectionHistory::Opened::Newer},
        {impossible, CollectionHistory::Opened::Damaged},
        {Bytes(100, 0xAB), CollectionHistory::Opened::Damaged},
    };
    for (const auto& [bytes, expected] : cases) {
        Logged logged(bytes);
        EXPECT_EQ(logged.history.Open(), expected);
        EXPECT_TRUE(logged.storage->bytes.empty()) << "set aside";
        EXPECT_EQ(logged.history.State().NextUndo(), nullptr);
        EXPECT_TRUE(logged.history.BeginChange(Change(2, 1, 2))) << "a new history";
    }
    Logged planted(log, "C:\\ALTRES\\ANIMALS.SGC");
    EXPECT_EQ(planted.history.Open(), CollectionHistory::Opened::OtherCollection);
}

// At most 500 changes and 20 MB of them for a collection: the oldest go first, and what is left
// reads back as it stands in memory.
TEST(HistoryLog, TheOldestChangesGoBeyondFiveHundredOrTwentyMegabytes) {
    Logged logged;
    logged.history.Open();
    for (int i = 0; i < 520; ++i) {
        ASSERT_TRUE(logged.history.BeginChange(Change(1 + i % 98, 1, 2)));
        ASSERT_TRUE(logged.history.Done(Digest{}));
    }
    EXPECT_LE(logged.history.State().changes.size(), history::kMaxChanges);
    EXPECT_GE(logged.history.State().changes.size(), history::kMaxChanges * 9 / 10);
    EXPECT_EQ(logged.history.State().changes.back().id, 520u) << "the newest kept";
    history::State state = logged.history.State();
    history::ReadResult read =
        history::ReadLog(logged.storage->bytes.data(), logged.storage->bytes.size(), kKey);
    EXPECT_EQ(read.state, state);

    history::Change large; // all 126 images: about half a megabyte each
    for (int image = 1; image <= 126; ++image) {
        large.images.push_back(image);
        large.before.emplace_back(2048, 1);
        large.after.emplace_back(2048, 2);
    }
    for (int i = 0; i < 60; ++i) {
        ASSERT_TRUE(logged.history.BeginChange(large));
        ASSERT_TRUE(logged.history.Done(Digest{}));
    }
    EXPECT_LE(logged.storage->bytes.size(), history::kMaxLogBytes);
    EXPECT_GE(logged.storage->bytes.size(), history::kMaxLogBytes / 10 * 8);
}

// A step left pending over a file that holds something else than either side of it: the file
// was changed since by someone else, and nothing is written.
TEST(HistoryLog, ARecoveryWritesOnlyTheFileTheStepWasBegunOn) {
    Bytes collection = MakeCollection(202752, 90);
    ScratchFile file(collection);
    UniqueFile stream = file.Open();
    std::FILE* raw = stream.get();
    EditTarget target{raw, file.Path(), kKey};
    Logged logged;
    logged.history.Open();
    logged.history.BeginChange(Change(6, 0x11, 0x22)); // neither is what the file holds
    Recovery recovery = RecoverPending(logged.history, target);
    EXPECT_EQ(recovery.kind, Recovery::Kind::Mismatch);
    EXPECT_EQ(file.Read(), collection);
    EXPECT_TRUE(logged.history.State().pending) << "left for the user to decide";
}

TEST(Fingerprint, EveryByteCountsAndOnlyEqualBytesAreEqual) {
    Bytes collection = MakeCollection(202752, 91);
    Digest whole = Fingerprint(collection.data(), collection.size());
    EXPECT_EQ(Fingerprint(collection.data(), collection.size()), whole);
    for (std::size_t at : {std::size_t{0}, std::size_t{15}, std::size_t{16}, std::size_t{9999},
                           collection.size() - 1}) {
        Bytes changed = collection;
        changed[at] ^= 1;
        EXPECT_NE(Fingerprint(changed.data(), changed.size()), whole) << at;
    }
    EXPECT_NE(Fingerprint(collection.data(), collection.size() - 1), whole);
    Bytes zeros(32, 0);
    for (std::size_t size = 0; size < 32; ++size) { // a tail of any length, zeros too
        EXPECT_NE(Fingerprint(zeros.data(), size), Fingerprint(zeros.data(), size + 1)) << size;
    }
    // MurmurHash3's own published value for this sentence.
    const std::string fox = "The quick brown fox jumps over the lazy dog";
    EXPECT_EQ(HexOf(Fingerprint(reinterpret_cast<const std::uint8_t*>(fox.data()), fox.size())),
              "6c1b07bc7bbc4be347939ac4a93c437a");
}

// Every state the history can reach, worked out from the file as it stands: the same bytes as
// undoing or redoing to it.
TEST(Versions, EveryStateTheHistoryReachesIsTheFileAsUndoingWouldLeaveIt) {
    Bytes collection = MakeCollection(202752, 92);
    ScratchFile file(collection);
    UniqueFile stream = file.Open();
    std::FILE* raw = stream.get();
    EditTarget target{raw, file.Path(), kKey};
    ChangeHistory histories;
    auto fill = [](std::vector<int> images, std::uint8_t value) {
        return [images, value](std::FILE*& f) {
            for (int image : images) {
                WritePixelArea(f, image, PixelAreaBytes(2048, value));
            }
            return Written{};
        };
    };
    auto backUp = [](const FileBytes&) { return BackupResult{"copy", {}, {}}; };
    std::vector<Bytes> states{collection};
    for (int step = 0; step < 4; ++step) {
        std::vector<int> images{step + 1, step + 2, 40 + step};
        SafeEdit(histories, target, "Canvi", images, fill(images, static_cast<std::uint8_t>(step)),
                 backUp);
        states.push_back(file.Read());
    }
    SafeReplay(histories, target, true); // the last one undone: it can be reached again too
    const history::State& state = histories.For(kKey, file.Path()).State();
    for (std::size_t step = 0; step < states.size(); ++step) {
        EXPECT_EQ(ContentAtStep(file.Read(), state, step), states[step]) << step;
    }
    EXPECT_EQ(DifferingImages(states[0], states[1], 98), (std::vector<int>{1, 2, 40}));
    Bytes restored = file.Read();
    CopyImages(states[0], restored, {2});
    EXPECT_EQ(PixelArea(restored, 2), PixelArea(collection, 2));
    EXPECT_EQ(PixelArea(restored, 3), PixelArea(file.Read(), 3));
}
