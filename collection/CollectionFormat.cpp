#include "collection/CollectionFormat.h"

namespace sgc {

int ImageCountForSize(long sizeInBytes) {
    switch (sizeInBytes / 1024) {
    case 198:
        return 98;
    case 226:
        return 112;
    case 254:
        return 126;
    default:
        return kDefaultImageCount;
    }
}

bool HasCollectionSize(long long sizeInBytes) {
    long long sizeClass = sizeInBytes / 1024;
    return sizeInBytes >= 0 && (sizeClass == 198 || sizeClass == 226 || sizeClass == 254);
}

} // namespace sgc
