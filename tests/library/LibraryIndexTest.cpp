#include "library/LibraryIndex.h"
#include "library/Shelves.h"

#include "../collection/TestFiles.h"
#include "collection/Digest.h"

#include <gtest/gtest.h>

using namespace library;

namespace {

// A digest for the tests: any function of the bytes that tells them apart will do.
Sha256 TestDigest(const std::vector<std::uint8_t>& bytes) {
    const Digest half = Fingerprint(bytes.data(), bytes.size());
    Sha256 digest{};
    std::copy(half.begin(), half.end(), digest.begin());
    return digest;
}

FileRead Read(const std::string& path, const Bytes& bytes) {
    return {path, bytes, 7};
}

// A print no stamp has: where an entry keeps it, the prints were taken from the index.
Print Marked() {
    Print print;
    print.lab.fill(12345);
    return print;
}

} // namespace

TEST(LibraryIndex, ComesBackWholeAndAnyDamageIsNeverTrusted) {
    const Bytes collection = MakeCollection(202752, 3);
    Index index;
    index.entries.push_back(
        ShelfOf(Read("C:\\Col·leccions\\animals.sgc", collection), {}, TestDigest).entry);
    index.entries.push_back({"D:\\trencat.sgc", 0, 5, {}, Entry::State::Unreadable, {}});
    const std::vector<std::uint8_t> bytes = Serialize(index);
    ASSERT_EQ(Parse(bytes), index);
    EXPECT_EQ(index.entries[0].prints.size(), 98u);
    // Every byte changed, every length cut short: nothing.
    for (std::size_t at = 0; at < bytes.size(); at += 97) {
        std::vector<std::uint8_t> damaged = bytes;
        damaged[at] ^= 0x20;
        EXPECT_FALSE(Parse(damaged)) << at;
        EXPECT_FALSE(Parse(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + at))) << at;
    }
    EXPECT_FALSE(Parse({}));
    EXPECT_EQ(Parse(Serialize(Index{})), Index{});
}

TEST(LibraryIndex, ShelvesReadAgainWhatChangedAndKeepWhatMovedOrStayed) {
    Bytes animals = MakeCollection(202752, 1);
    const Bytes flowers = MakeCollection(260096, 2);
    Index known;
    known.entries.push_back(ShelfOf(Read("a.sgc", animals), {}, TestDigest).entry);
    known.entries.push_back(ShelfOf(Read("f.sgc", flowers), {}, TestDigest).entry);
    for (Entry& entry : known.entries) {
        entry.prints[0] = Marked();
    }
    // Unchanged: the index's prints. Renamed: found by its digest.
    EXPECT_EQ(ShelfOf(Read("a.sgc", animals), known, TestDigest).entry.prints[0], Marked());
    const Shelf moved = ShelfOf(Read("nou/flors.sgc", flowers), known, TestDigest);
    EXPECT_EQ(moved.entry.prints[0], Marked());
    EXPECT_EQ(moved.stamps.size(), 126u);
    // Changed outside: read again, its stamps and prints as the file is now.
    SetPixelArea(animals, 1, PatternBytes(2048, 99));
    const Shelf changed = ShelfOf(Read("a.sgc", animals), known, TestDigest);
    EXPECT_EQ(changed.stamps[0], ColoursOfArea(PatternBytes(2048, 99)));
    EXPECT_EQ(changed.entry.prints[0], PrintOf(changed.stamps[0]));
    EXPECT_NE(changed.entry.digest, known.entries[0].digest);
    // Unreadable, or not a collection: listed as such, with no stamps.
    const Shelf locked = ShelfOf({"locked.sgc", std::nullopt, 1}, known, TestDigest);
    EXPECT_EQ(locked.entry.state, Entry::State::Unreadable);
    const Shelf text = ShelfOf(Read("notes.sgc", Bytes(1000, 'x')), known, TestDigest);
    EXPECT_EQ(text.entry.state, Entry::State::NotACollection);
    EXPECT_TRUE(locked.stamps.empty() && text.stamps.empty() && text.entry.prints.empty());
    // A removed file is simply not among the shelves: the index kept has no entry for it.
    const Index kept = IndexOf({changed, locked});
    ASSERT_EQ(kept.entries.size(), 2u);
    EXPECT_EQ(kept.entries[1].path, "locked.sgc");
}

// What the index says is taken only where it can hold: prints as many as the stamps, and a digest
// the platform made.
TEST(LibraryIndex, ShelvesTrustNoEntryThatCannotHold) {
    const Bytes animals = MakeCollection(202752, 4);
    Index known;
    known.entries.push_back(ShelfOf(Read("a.sgc", animals), {}, TestDigest).entry);
    known.entries[0].prints.assign(97, Marked()); // one short of the 98 stamps
    const Shelf shelf = ShelfOf(Read("a.sgc", animals), known, TestDigest);
    ASSERT_EQ(shelf.entry.prints.size(), 98u);
    EXPECT_EQ(shelf.entry.prints[0], PrintOf(shelf.stamps[0]));

    auto noDigest = [](const std::vector<std::uint8_t>&) { return Sha256{}; };
    const Bytes other = MakeCollection(202752, 5);
    Index undigested;
    undigested.entries.push_back(ShelfOf(Read("b.sgc", other), {}, noDigest).entry);
    undigested.entries[0].prints.assign(98, Marked());
    const Shelf read = ShelfOf(Read("a.sgc", animals), undigested, noDigest);
    EXPECT_EQ(read.entry.prints[0], PrintOf(read.stamps[0])) << "not the other file's prints";
}
