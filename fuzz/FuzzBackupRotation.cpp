// Backups of a few collections, two of one name in different folders, made with a clock that
// runs forwards, backwards and stands still. After every copy: the copy just made holds what it
// was given; each collection keeps at most 20 copies, and always the newest it was given, in
// full; no copy of one collection is ever removed for another's.
//
// Input: two bytes per backup: the collection, and how the clock moved.
#include "FuzzFiles.h"

#include "collection/Backups.h"

#include <array>
#include <deque>
#include <filesystem>

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string root =
        std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
        "/brelt-fuzz-backups-" + std::to_string(::getpid());
    const std::array<std::string, 4> collections = {"C:\\Documents\\animals.sgc",
                                                    "C:\\Program Files\\Segells\\animals.sgc",
                                                    "D:\\animals.sgc", "C:\\Documents\\flors.sgc"};
    std::error_code ignored;
    fs::remove_all(root, ignored);
    std::array<std::deque<std::pair<std::string, FileBytes>>, 4> kept; // the newest 20 made
    std::time_t clock = 2000000000;
    for (std::size_t i = 0; i + 1 < size && i < 2 * 60; i += 2) {
        std::size_t which = data[i] % collections.size();
        // Forwards by up to a day, backwards by up to a day, or within the same second.
        clock += data[i + 1] < 64 ? 0 : (static_cast<int>(data[i + 1]) - 160) * 900;
        FileBytes content(16 + i, static_cast<std::uint8_t>(i));
        BackupResult copy = BackUpCollection(content, collections[which], root, clock);
        if (copy.copy.empty()) {
            Violated("a copy could not be made");
        }
        kept[which].push_back({copy.copy, content});
        if (kept[which].size() > static_cast<std::size_t>(kBackupsKept)) {
            kept[which].pop_front();
        }
        for (const auto& copies : kept) {
            if (!copies.empty() &&
                ReadWholeFile(copies.back().first).bytes != copies.back().second) {
                Violated("a collection's newest copy is gone or changed");
            }
        }
    }
    for (const auto& copies : kept) {
        for (const auto& [path, bytes] : copies) {
            if (ReadWholeFile(path).bytes != bytes) {
                Violated("one of a collection's 20 newest copies is gone or changed");
            }
        }
    }
    for (const auto& entry : fs::recursive_directory_iterator(root, ignored)) {
        if (entry.path().extension() == ".sgc") {
            bool known = false;
            for (const auto& copies : kept) {
                for (const auto& copy : copies) {
                    known = known || fs::path(copy.first) == entry.path();
                }
            }
            if (!known) {
                Violated("a collection keeps more than its 20 newest copies");
            }
        }
    }
    return 0;
}
