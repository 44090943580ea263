#include "collection/FileContent.h"

#include "collection/CollectionFormat.h"
#include "collection/FileOpen.h"
#include "collection/StreamBytes.h"

#include <algorithm>

FileContent ReadWholeStream(std::FILE* stream) {
    long long size = streambytes::Size(stream);
    if (size < 0 || !streambytes::SeekTo(stream, 0)) {
        return {};
    }
    if (static_cast<unsigned long long>(size) > kMaxCollectionFileSize) {
        return {FileContent::Status::TooLarge, {}};
    }
    std::clearerr(stream);
    FileContent content{FileContent::Status::Read, FileBytes(static_cast<std::size_t>(size))};
    std::size_t read = std::fread(content.bytes.data(), 1, content.bytes.size(), stream);
    // One byte more tells a file that grew since its size was taken from one that did not.
    bool longer = read == content.bytes.size() && std::fgetc(stream) != EOF;
    if (std::ferror(stream) || read != content.bytes.size() || longer) {
        std::clearerr(stream);
        return {};
    }
    std::clearerr(stream);
    streambytes::SeekTo(stream, 0);
    return content;
}

FileContent ReadWholeFile(const std::string& path) {
    std::FILE* stream = OpenFile(path, "rb");
    if (stream == nullptr) {
        return {};
    }
    FileContent content = ReadWholeStream(stream);
    std::fclose(stream);
    return content;
}

PixelAreaBytes PixelAreaIn(const FileBytes& content, int imageNumber) {
    PixelAreaBytes area(sgc::kPixelAreaSize, 0);
    long long start = sgc::RecordOffset(imageNumber);
    if (imageNumber < 1 || start >= static_cast<long long>(content.size())) {
        return area;
    }
    long long end =
        std::min<long long>(start + sgc::kPixelAreaSize, static_cast<long long>(content.size()));
    std::copy(content.begin() + start, content.begin() + end, area.begin());
    return area;
}
