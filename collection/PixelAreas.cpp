#include "collection/PixelAreas.h"

#include "collection/CollectionFormat.h"
#include "collection/StreamBytes.h"

#include <algorithm>

std::optional<PixelAreaBytes> ReadPixelArea(std::FILE* collection, int imageNumber) {
    if (imageNumber < 1 || !streambytes::SeekTo(collection, sgc::RecordOffset(imageNumber))) {
        return std::nullopt;
    }
    std::clearerr(collection);
    PixelAreaBytes area(sgc::kPixelAreaSize, 0);
    std::size_t read = std::fread(area.data(), 1, area.size(), collection);
    if (std::ferror(collection)) {
        std::clearerr(collection);
        return std::nullopt;
    }
    std::fill(area.begin() + static_cast<long>(read), area.end(), 0);
    std::clearerr(collection); // a short file ends early: that is no error
    return area;
}

bool WritePixelArea(std::FILE* collection, int imageNumber, const PixelAreaBytes& area) {
    if (area.size() != static_cast<std::size_t>(sgc::kPixelAreaSize) ||
        !streambytes::IsImageOf(collection, imageNumber) ||
        !streambytes::SeekTo(collection, sgc::RecordOffset(imageNumber))) {
        return false;
    }
    bool written = std::fwrite(area.data(), 1, area.size(), collection) == area.size();
    return std::fflush(collection) == 0 && written;
}

bool SwapPixelAreas(std::FILE* collection, int a, int b) {
    std::optional<PixelAreaBytes> first = ReadPixelArea(collection, a);
    std::optional<PixelAreaBytes> second = ReadPixelArea(collection, b);
    return first && second && WritePixelArea(collection, a, *second) &&
           WritePixelArea(collection, b, *first);
}

bool ShiftAreasUp(std::FILE* collection, int imageCount, int fromImage) {
    if (collection == nullptr) {
        return false;
    }
    imageCount = std::min(imageCount, streambytes::ImageCount(collection));
    std::vector<PixelAreaBytes> areas;
    for (int image = std::max(fromImage, 1); image < imageCount; ++image) {
        std::optional<PixelAreaBytes> area = ReadPixelArea(collection, image);
        if (!area) {
            return false;
        }
        areas.push_back(std::move(*area));
    }
    bool written = true;
    for (std::size_t i = areas.size(); i-- > 0;) {
        const int image = std::max(fromImage, 1) + static_cast<int>(i) + 1;
        written = WritePixelArea(collection, image, areas[i]) && written;
    }
    return written;
}

std::array<std::uint8_t, 3072> ShownPixels(const PixelAreaBytes& area) {
    std::array<std::uint8_t, 3072> bgr{};
    for (std::size_t i = 0; i < 1024 && 2 * i + 1 < area.size(); ++i) {
        unsigned word = sgc::WordFromBytes(area[2 * i], area[2 * i + 1]);
        bgr[3 * i] = static_cast<std::uint8_t>(sgc::ExpandChannel(sgc::BlueOf(word)));
        bgr[3 * i + 1] = static_cast<std::uint8_t>(sgc::ExpandChannel(sgc::GreenOf(word)));
        bgr[3 * i + 2] = static_cast<std::uint8_t>(sgc::ExpandChannel(sgc::RedOf(word)));
    }
    return bgr;
}

std::array<std::uint8_t, 3072> ShownPixels(const std::optional<PixelAreaBytes>& area) {
    return ShownPixels(area.value_or(PixelAreaBytes{}));
}
