#include "collection/Versions.h"

#include "collection/CollectionFormat.h"

#include <algorithm>

namespace {

void SetArea(FileBytes& content, int image, const PixelAreaBytes& area) {
    std::size_t at = static_cast<std::size_t>(sgc::RecordOffset(image));
    if (content.size() < at + area.size()) {
        content.resize(at + area.size(), 0);
    }
    std::copy(area.begin(), area.end(), content.begin() + static_cast<long>(at));
}

} // namespace

FileBytes ContentAtStep(const FileBytes& now, const history::State& state, std::size_t applied) {
    FileBytes content = now;
    applied = std::min(applied, state.changes.size());
    for (std::size_t i = state.applied; i > applied; --i) { // undone, newest first
        const history::Change& change = state.changes[i - 1];
        for (std::size_t k = change.images.size(); k > 0; --k) {
            SetArea(content, change.images[k - 1], change.before[k - 1]);
        }
    }
    for (std::size_t i = state.applied; i < applied; ++i) { // done again, oldest first
        const history::Change& change = state.changes[i];
        for (std::size_t k = 0; k < change.images.size(); ++k) {
            SetArea(content, change.images[k], change.after[k]);
        }
    }
    return content;
}

std::vector<int> DifferingImages(const FileBytes& a, const FileBytes& b, int count) {
    std::vector<int> images;
    for (int image = 1; image <= count; ++image) {
        if (PixelAreaIn(a, image) != PixelAreaIn(b, image)) {
            images.push_back(image);
        }
    }
    return images;
}

void CopyImages(const FileBytes& version, FileBytes& content, const std::vector<int>& images) {
    for (int image : images) {
        SetArea(content, image, PixelAreaIn(version, image));
    }
}
