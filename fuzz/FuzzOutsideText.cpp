// The small files and beginnings brelt reads from outside that are not collections: the list of
// recent collections, and the first bytes by which a file is told to be a picture, an archive or
// a document. Any bytes give a bounded answer, never a crash or a read outside them.
#include "collection/FileKinds.h"
#include "settings/RecentFiles.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::optional<FileKind> kind = RecogniseFileKind(data, size);
    if (kind && (kind->name.empty() || kind->format.empty())) {
        std::abort();
    }
    std::string_view text(reinterpret_cast<const char*>(data), size);
    settings::RecentFiles recent = settings::RecentFiles::Parse(text);
    if (recent.Paths().size() > settings::RecentFiles::kMax) {
        std::abort();
    }
    // What is written is read back the same: no path it keeps can break the file.
    if (settings::RecentFiles::Parse(recent.Text()).Paths() != recent.Paths()) {
        std::abort();
    }
    recent.Add(std::string(text.substr(0, 300)));
    if (recent.Paths().size() > settings::RecentFiles::kMax) {
        std::abort();
    }
    return 0;
}
