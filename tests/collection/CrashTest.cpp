// Crashes injected into every step of a change: the journal's writes cut after every byte (or
// every few for the largest), the collection's cut at every write call and within it. Whatever
// point the crash comes at, the next opening leaves the collection exactly as it was before the
// step or exactly as after it, to the byte, and its history says the same.
#include "TestFiles.h"
#include "collection/PixelAreas.h"
#include "collection/SafeEdit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct Crash {};

// How many bytes may still be written before the crash; every write spends from it.
struct Budget {
    long long left = -1; // -1: no crash
    // The bytes of a write of size that reach the disk; throws after them if it is cut short.
    std::size_t Spend(std::size_t size) {
        if (left < 0) {
            return size;
        }
        std::size_t allowed = std::min<std::size_t>(size, static_cast<std::size_t>(left));
        left -= static_cast<long long>(allowed);
        return allowed;
    }
};

// Each write the step made, for choosing where to crash.
struct Trace {
    struct Write {
        bool log;
        std::size_t at, size; // in the run's bytes
    };
    std::vector<Write> writes;
    std::size_t total = 0;
    void Add(bool log, std::size_t size) {
        writes.push_back({log, total, size});
        total += size;
    }
};

class CrashingLog : public LogStorage {
public:
    CrashingLog(Bytes& disk, Budget& budget, Trace* trace)
        : m_disk(disk), m_budget(budget), m_trace(trace) {}
    std::optional<std::vector<std::uint8_t>> Read() override { return m_disk; }
    bool Write(std::size_t at, const std::vector<std::uint8_t>& bytes, bool) override {
        if (m_trace != nullptr) {
            m_trace->Add(true, bytes.size());
        }
        m_disk.resize(std::min(at, m_disk.size()));
        std::size_t allowed = m_budget.Spend(bytes.size());
        m_disk.insert(m_disk.end(), bytes.begin(), bytes.begin() + static_cast<long>(allowed));
        if (allowed < bytes.size()) {
            throw Crash{};
        }
        return true;
    }
    bool Replace(const std::vector<std::uint8_t>& bytes) override {
        if (m_budget.Spend(1) < 1) { // renamed whole, or not at all
            throw Crash{};
        }
        m_disk = bytes;
        return true;
    }
    void SetAside() override { m_disk.clear(); }

private:
    Bytes& m_disk;
    Budget& m_budget;
    Trace* m_trace;
};

class CrashingCollection : public CollectionFile {
public:
    CrashingCollection(Bytes& disk, Budget& budget, Trace* trace)
        : m_disk(disk), m_budget(budget), m_trace(trace) {}
    const std::string& Path() const override { return m_key; }
    const std::string& Key() const override { return m_key; }
    FileContent ReadAll() override { return {FileContent::Status::Read, m_disk}; }
    bool WriteArea(int image, const PixelAreaBytes& area) override {
        if (m_trace != nullptr) {
            m_trace->Add(false, area.size());
        }
        std::size_t at = static_cast<std::size_t>(sgc::RecordOffset(image));
        m_disk.resize(std::max(m_disk.size(), at + area.size()));
        std::size_t allowed = m_budget.Spend(area.size());
        std::copy(area.begin(), area.begin() + static_cast<long>(allowed), m_disk.begin() + at);
        if (allowed < area.size()) {
            throw Crash{};
        }
        return true;
    }
    bool Sync() override { return true; }

private:
    Bytes& m_disk;
    Budget& m_budget;
    Trace* m_trace;
    std::string m_key = "C:\\SEGELLS\\CRASH.SGC";
};

// A collection and its log on a disk that survives the crashes, and the program that runs a
// step on them and dies at a chosen byte.
struct Machine {
    Machine() = default;
    // A copy of the disk only: the program of the copy is started afresh.
    Machine(const Machine& other) : collection(other.collection), log(other.log) {}
    Machine& operator=(const Machine&) = delete;

    Bytes collection, log;
    Budget budget;
    std::unique_ptr<ChangeHistory> history;
    std::unique_ptr<CrashingCollection> file;

    // The program started afresh: what it knows comes from the disk. The collection's opening
    // finishes or takes back a step left pending.
    Recovery Start(Trace* trace = nullptr) {
        history =
            std::make_unique<ChangeHistory>([this, trace](const std::string&, const std::string&) {
                return std::make_unique<CrashingLog>(log, budget, trace);
            });
        file = std::make_unique<CrashingCollection>(collection, budget, trace);
        return RecoverPending(history->For(file->Key(), file->Path()), *file);
    }
    const history::State& State() { return history->For(file->Key(), file->Path()).State(); }
};

BackUpFunction NoBackupNeeded() {
    return [](const FileBytes&) { return BackupResult{"made", {}, BackupResult::Failed::Nothing}; };
}

using Step = std::function<void(Machine&)>;

// A step on machine: the edit, or an undo, or a redo of the last change.
Step EditStep(const std::vector<int>& images, const EditFunction& edit) {
    return [images, edit](Machine& m) {
        SafeEdit(*m.history, *m.file, "Canvi", images, edit, NoBackupNeeded(), 1900000000);
    };
}
Step ReplayStep(bool undo) {
    return [undo](Machine& m) { SafeReplay(*m.history, *m.file, undo); };
}

// The budgets to crash at: every byte of every write of the journal up to a stride, its first
// bytes (the record's own fields) and its last always; each write call of the collection at its
// start, and every few calls within it too.
std::vector<long long> CrashPoints(const Trace& trace, std::size_t logStride) {
    std::vector<long long> points;
    int collectionWrites = 0;
    for (const Trace::Write& write : trace.writes) {
        auto at = [&](std::size_t k) { points.push_back(static_cast<long long>(write.at + k)); };
        if (write.log) {
            for (std::size_t k = 0; k < write.size; k += k < 16 ? 1 : logStride) {
                at(k);
            }
        } else if (at(0), collectionWrites++ % 8 == 0) {
            at(write.size / 2);
        }
        at(write.size - 1);
    }
    return points;
}

// Every how many crash points one is run: all of them, unless BRELT_CRASH_SAMPLE says otherwise
// (the sanitizers' slow build takes every eighth).
std::size_t CrashSample() {
    const char* sample = std::getenv("BRELT_CRASH_SAMPLE");
    return sample != nullptr && std::atoi(sample) > 1 ? static_cast<std::size_t>(std::atoi(sample))
                                                      : 1;
}

// Runs step from the machine's state at every crash point; returns how many crashes were run.
int CrashEverywhere(const Machine& start, const Step& step, std::size_t logStride) {
    // Once without a crash: the state after, and where its writes fall.
    Machine whole = start;
    Trace trace;
    whole.Start(&trace);
    step(whole);
    const Bytes before = start.collection, after = whole.collection;
    const std::size_t appliedAfter = whole.State().applied;
    const std::size_t changesAfter = whole.State().changes.size();
    EXPECT_NE(before, after) << "the step changes the collection";
    int crashes = 0;
    std::vector<long long> points = CrashPoints(trace, logStride);
    for (std::size_t i = 0; i < points.size(); i += CrashSample()) {
        const long long point = points[i];
        Machine crashed = start;
        crashed.Start();
        crashed.budget.left = point;
        try {
            step(crashed);
        } catch (const Crash&) {
        }
        crashed.budget.left = -1;
        Recovery recovery = crashed.Start();
        EXPECT_NE(recovery.kind, Recovery::Kind::Mismatch) << point;
        EXPECT_NE(recovery.kind, Recovery::Kind::Failed) << point;
        bool isBefore = crashed.collection == before, isAfter = crashed.collection == after;
        EXPECT_TRUE(isBefore || isAfter) << "torn at byte " << point << " of " << trace.total;
        EXPECT_FALSE(crashed.State().pending) << point;
        if (isAfter) {
            EXPECT_EQ(crashed.State().applied, appliedAfter) << point;
            EXPECT_EQ(crashed.State().changes.size(), changesAfter) << point;
        }
        // The history agrees with the file: undone and done again, it is as it says (checked
        // at every sixteenth crash: it costs as much as the crash itself).
        Machine check = crashed;
        check.Start();
        if (crashes % 16 == 0 && check.State().NextUndo() != nullptr) {
            SafeReplay(*check.history, *check.file, true);
            SafeReplay(*check.history, *check.file, false);
            EXPECT_EQ(check.collection, crashed.collection) << point;
        }
        if (::testing::Test::HasFailure()) {
            return crashes;
        }
        ++crashes;
    }
    return crashes;
}

EditFunction Fill(std::vector<int> images, std::uint8_t value) {
    return [images, value](std::FILE*& stream) {
        for (int image : images) {
            WritePixelArea(stream, image,
                           PixelAreaBytes(2048, static_cast<std::uint8_t>(value + image)));
        }
        return Written{};
    };
}

std::vector<int> AllImages(int count) {
    std::vector<int> images;
    for (int image = 1; image <= count; ++image) {
        images.push_back(image);
    }
    return images;
}

// A kind of change crashed everywhere as it is made and, with replays, as it is undone and done
// again.
void CrashEveryStepOf(const std::vector<int>& images, const EditFunction& edit,
                      std::size_t logStride, int seed, bool withReplays) {
    Machine start;
    start.collection = MakeCollection(260096, static_cast<unsigned>(seed));
    start.Start();
    int crashes = CrashEverywhere(start, EditStep(images, edit), logStride);
    if (!withReplays) {
        std::printf("%d crashes, each recovered\n", crashes);
        EXPECT_GT(crashes, 0);
        return;
    }
    Machine changed = start;
    changed.Start();
    EditStep(images, edit)(changed);
    crashes += CrashEverywhere(changed, ReplayStep(true), logStride);
    Machine undone = changed;
    undone.Start();
    ReplayStep(true)(undone);
    crashes += CrashEverywhere(undone, ReplayStep(false), logStride);
    std::printf("%d crashes, each recovered\n", crashes);
    EXPECT_GT(crashes, 0);
}

} // namespace

TEST(Crashes, OneImageIsBeforeOrAfterAtEveryByte) {
    CrashEveryStepOf({7}, Fill({7}, 3), 1, 1, true);
}

// An edit that writes what another worked out once: the areas are what count to a crash, and
// working them out again at every crash would only take time.
EditFunction Precomputed(const Bytes& collection, const EditFunction& edit) {
    UniqueFile copy = StreamWith(collection);
    std::FILE* stream = copy.get();
    edit(stream);
    std::vector<PixelAreaBytes> areas;
    for (int image = 1; image <= 126; ++image) {
        areas.push_back(*ReadPixelArea(stream, image));
    }
    return [areas](std::FILE*& target) {
        for (int image = 1; image <= 126; ++image) {
            WritePixelArea(target, image, areas[static_cast<std::size_t>(image - 1)]);
        }
        return Written{};
    };
}

// The shift of all 126 images, crashed as it is made, undone and done again.
TEST(Crashes, TheShiftOf126IsBeforeOrAfter) {
    EditFunction shift = [](std::FILE*& stream) {
        return Written::AllOr(ShiftAreasUp(stream, 126, 1), AllImages(126));
    };
    CrashEveryStepOf(AllImages(126), Precomputed(MakeCollection(260096, 2), shift), 16381, 2, true);
}

TEST(Crashes, AReorderOf126IsBeforeOrAfter) {
    EditFunction reverse = [](std::FILE*& stream) {
        std::vector<PixelAreaBytes> areas;
        for (int image = 1; image <= 126; ++image) {
            areas.push_back(*ReadPixelArea(stream, image));
        }
        for (int image = 1; image <= 126; ++image) {
            WritePixelArea(stream, image, areas[static_cast<std::size_t>(126 - image)]);
        }
        return Written{};
    };
    CrashEveryStepOf(AllImages(126), reverse, 16381, 3, false);
}

TEST(Crashes, ASheetOf126IsBeforeOrAfter) {
    CrashEveryStepOf(AllImages(126), Fill(AllImages(126), 40), 16381, 4, false);
}
