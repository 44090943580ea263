#include "FuzzFiles.h"

#include "collection/CollectionFormat.h"

#include <algorithm>
#include <cstring>

namespace {

// Whether bytes [from, to) of after equal those of before, where before reads as zeros past its
// end.
bool Unchanged(const Bytes& before, const Bytes& after, long long from, long long to) {
    to = std::min<long long>(to, static_cast<long long>(after.size()));
    long long common = std::min<long long>(to, static_cast<long long>(before.size()));
    if (from < common && std::memcmp(before.data() + from, after.data() + from,
                                     static_cast<std::size_t>(common - from)) != 0) {
        return false;
    }
    return std::all_of(after.begin() + std::max(from, common), after.begin() + std::max(from, to),
                       [](std::uint8_t b) { return b == 0; });
}

} // namespace

void ExpectOnlyPixelAreasChanged(const Bytes& before, const Bytes& after, long long first,
                                 long long last) {
    long long reach =
        first <= last ? sgc::RecordOffset(static_cast<int>(last)) + sgc::kPixelAreaSize : 0;
    long long oldSize = static_cast<long long>(before.size());
    long long newSize = static_cast<long long>(after.size());
    if (newSize < oldSize) {
        Violated("the file became shorter");
    }
    if (newSize > std::max(oldSize, reach)) {
        Violated("the file grew past the areas written");
    }
    // The header, then record by record: a pixel area unless it may be written, then a trailer.
    bool same = Unchanged(before, after, 0, sgc::kHeaderSize);
    for (long long image = 1; same && sgc::RecordOffset(static_cast<int>(image)) < newSize;
         ++image) {
        long long area = sgc::RecordOffset(static_cast<int>(image));
        bool written = image >= first && image <= last;
        same = (written || Unchanged(before, after, area, area + sgc::kPixelAreaSize)) &&
               Unchanged(before, after, area + sgc::kPixelAreaSize, area + sgc::kRecordSize);
    }
    if (!same) {
        Violated("a byte outside the pixel areas written changed");
    }
}
