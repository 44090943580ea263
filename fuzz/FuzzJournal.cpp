// A collection and its history's log through random changes, undos and redos, each perhaps cut
// short by a crash at a random byte, with restarts that read everything back from the "disk",
// edits by another program, and logs damaged, cut, planted from another collection or written by
// a later brelt. Whatever happens: bytes outside the pixel areas of images 1..count never change;
// after a crash, the next start leaves the collection exactly as before or as after the step
// (unless someone else changed it, when nothing is written); the history in memory is what its
// log reads back as.
//
// Input: a seed byte for the collection, then five bytes a step.
#include "FuzzFiles.h"

#include "collection/CollectionFormat.h"
#include "collection/SafeEdit.h"

#include <algorithm>
#include <memory>

namespace {

struct Crash {};
const std::string kKey = "C:\\SEGELLS\\JOURNAL.SGC";

// The disk: what survives a crash.
struct Disk {
    Bytes collection, log;
    long long budget = -1; // bytes still written before the crash; -1: none comes
    std::size_t Spend(std::size_t size) {
        if (budget < 0) {
            return size;
        }
        std::size_t allowed = std::min<std::size_t>(size, static_cast<std::size_t>(budget));
        budget -= static_cast<long long>(allowed);
        return allowed;
    }
};

class Log : public LogStorage {
public:
    explicit Log(Disk& disk) : m_disk(disk) {}
    std::optional<std::vector<std::uint8_t>> Read() override { return m_disk.log; }
    bool Write(std::size_t at, const std::vector<std::uint8_t>& bytes, bool) override {
        m_disk.log.resize(std::min(at, m_disk.log.size()));
        std::size_t allowed = m_disk.Spend(bytes.size());
        m_disk.log.insert(m_disk.log.end(), bytes.begin(),
                          bytes.begin() + static_cast<long>(allowed));
        if (allowed < bytes.size()) {
            throw Crash{};
        }
        return true;
    }
    bool Replace(const std::vector<std::uint8_t>& bytes) override {
        if (m_disk.Spend(1) < 1) {
            throw Crash{};
        }
        m_disk.log = bytes;
        return true;
    }
    void SetAside() override { m_disk.log.clear(); }

private:
    Disk& m_disk;
};

class File : public CollectionFile {
public:
    explicit File(Disk& disk) : m_disk(disk) {}
    const std::string& Path() const override { return kKey; }
    const std::string& Key() const override { return kKey; }
    FileContent ReadAll() override { return {FileContent::Status::Read, m_disk.collection}; }
    bool WriteArea(int image, const PixelAreaBytes& area) override {
        std::size_t at = static_cast<std::size_t>(sgc::RecordOffset(image));
        if (at + area.size() > m_disk.collection.size()) {
            Violated("an area written beyond the collection");
        }
        std::size_t allowed = m_disk.Spend(area.size());
        std::copy(area.begin(), area.begin() + static_cast<long>(allowed),
                  m_disk.collection.begin() + static_cast<long>(at));
        if (allowed < area.size()) {
            throw Crash{};
        }
        return true;
    }
    bool Sync() override { return true; }

private:
    Disk& m_disk;
};

// The program: started afresh from the disk, its pending step settled as an opening does.
struct Program {
    explicit Program(Disk& disk) : file(disk) {
        history = std::make_unique<ChangeHistory>([&disk](const std::string&, const std::string&) {
            return std::make_unique<Log>(disk);
        });
        recovery = RecoverPending(history->For(kKey, kKey), file);
    }
    CollectionHistory& Own() { return history->For(kKey, kKey); }
    File file;
    std::unique_ptr<ChangeHistory> history;
    Recovery recovery;
};

BackupResult Backed(const FileBytes&) {
    return {"copy", {}, BackupResult::Failed::Nothing};
}

// One step of brelt's: a change of up to eight images, an undo or a redo.
void Step(Program& program, const std::uint8_t* s) {
    if (s[0] % 4 >= 2) {
        SafeReplay(*program.history, program.file, s[0] % 4 == 2);
        return;
    }
    std::vector<int> images;
    for (int k = 0; k <= s[1] % 8; ++k) {
        images.push_back(1 + (s[2] + 13 * k) % 98);
    }
    SafeEdit(
        *program.history, program.file, "Canvi", images,
        [&](std::FILE*& stream) {
            for (int image : images) {
                WritePixelArea(stream, image,
                               PixelAreaBytes(2048, static_cast<std::uint8_t>(s[3] + image)));
            }
            return Written{};
        },
        &Backed, 1900000000);
}

// What someone else does to the disk while brelt is not running.
void Outside(Disk& disk, const std::uint8_t* s) {
    switch (s[1] % 5) {
    case 0: // another program draws into an image
        disk.collection[static_cast<std::size_t>(sgc::RecordOffset(1 + s[2] % 98)) + s[3]] ^= 0x5A;
        break;
    case 1: // the log damaged
        if (!disk.log.empty()) {
            disk.log[(s[2] << 8 | s[3]) % disk.log.size()] ^= static_cast<std::uint8_t>(1 + s[4]);
        }
        break;
    case 2: // the log cut
        disk.log.resize(std::min(disk.log.size(), static_cast<std::size_t>(s[2] << 8 | s[3])));
        break;
    case 3: { // another collection's log planted here
        Bytes planted = history::LogHeader("C:\\ALTRES\\ANIMALS.SGC");
        planted.insert(planted.end(),
                       disk.log.begin() + std::min<long>(20, static_cast<long>(disk.log.size())),
                       disk.log.end());
        disk.log = planted;
        break;
    }
    default: // a later brelt's version number
        if (disk.log.size() > 8) {
            disk.log[8] = 2;
        }
        break;
    }
}

void ExpectMemoryIsTheLog(Program& program, const Disk& disk) {
    history::ReadResult read = history::ReadLog(disk.log.data(), disk.log.size(), kKey);
    if (read.status != history::ReadStatus::Read || !(read.state == program.Own().State())) {
        Violated("the history in memory is not what its log reads back as");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    Disk disk;
    for (std::size_t i = 0; i < 202752; ++i) {
        disk.collection.push_back(static_cast<std::uint8_t>(i * 7 + data[0] + (i >> 11)));
    }
    const Bytes first = disk.collection;
    auto program = std::make_unique<Program>(disk);
    for (std::size_t at = 1; at + 5 <= size && at < 1 + 5 * 32; at += 5) {
        const std::uint8_t* s = data + at;
        const Bytes before = disk.collection;
        if (s[0] >= 240) { // a restart, after someone else's doings
            Outside(disk, s);
            Bytes outside = disk.collection;
            program = std::make_unique<Program>(disk);
            bool wrote = disk.collection != outside;
            if (wrote && program->recovery.kind != Recovery::Kind::RolledBack) {
                Violated("a start wrote without taking a step back");
            }
            ExpectOnlyPixelAreasChanged(outside, disk.collection, 1, 98);
            continue;
        }
        // The step whole, on a copy of the disk, for what "after" is.
        Disk whole = disk;
        Program wholeProgram(whole);
        Step(wholeProgram, s);
        disk.budget =
            s[4] < 128 ? -1 : static_cast<long long>((s[1] << 10 | s[2] << 2 | s[3]) % 20000);
        bool crashed = false;
        try {
            Step(*program, s);
        } catch (const Crash&) {
            crashed = true;
        }
        disk.budget = -1;
        if (crashed) {
            program = std::make_unique<Program>(disk);
            if (disk.collection != before && disk.collection != whole.collection) {
                Violated("a crash left the collection torn");
            }
        } else if (disk.collection != whole.collection) {
            Violated("the same step did two things");
        }
        ExpectOnlyPixelAreasChanged(before, disk.collection, 1, 98);
        ExpectMemoryIsTheLog(*program, disk);
    }
    (void)first;
    return 0;
}
