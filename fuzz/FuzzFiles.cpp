#include "FuzzFiles.h"

#include "collection/CollectionFormat.h"

#include <algorithm>

namespace {

bool InAreas(long long offset, long long first, long long last) {
    if (first > last || offset < sgc::kHeaderSize) {
        return false;
    }
    long long image = (offset - sgc::kHeaderSize) / sgc::kRecordSize + 1;
    long long within = (offset - sgc::kHeaderSize) % sgc::kRecordSize;
    return image >= first && image <= last && within < sgc::kPixelAreaSize;
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
    for (long long i = 0; i < newSize; ++i) {
        if (InAreas(i, first, last)) {
            continue;
        }
        std::uint8_t was = i < oldSize ? before[static_cast<std::size_t>(i)] : 0;
        if (after[static_cast<std::size_t>(i)] != was) {
            Violated("a byte outside the pixel areas written changed");
        }
    }
}
