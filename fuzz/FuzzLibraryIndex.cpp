// The library's index as it lies on disk, damaged any way: read, it is either nothing or an index
// that writes back to the very same bytes. Half the runs start from a whole index with the input
// laid over it, so that damage past the fingerprint's check is reached too (the fingerprint is
// then made right again).
#include "collection/Digest.h"
#include "library/LibraryIndex.h"

#include <cstring>

namespace {

std::vector<std::uint8_t> WholeIndex() {
    library::Index index;
    index.entries.push_back({"a.sgc",
                             202752,
                             1,
                             {},
                             library::Entry::State::Collection,
                             std::vector<library::Print>(3)});
    index.entries.push_back({"b.sgc", 0, 2, {}, library::Entry::State::Unreadable, {}});
    return library::Serialize(index);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    if (size > 0 && data[0] % 2 == 1) {
        bytes = WholeIndex();
        for (std::size_t i = 1; i + 1 < size; i += 2) {
            bytes[data[i] % (bytes.size() - 16)] = data[i + 1];
        }
        const Digest check = Fingerprint(bytes.data(), bytes.size() - 16);
        std::memcpy(bytes.data() + bytes.size() - 16, check.data(), check.size());
    }
    if (std::optional<library::Index> index = library::Parse(bytes)) {
        if (library::Serialize(*index) != bytes) {
            __builtin_trap(); // read as something it is not
        }
    }
    return 0;
}
