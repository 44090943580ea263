#include "platform/ClipboardPictures.h"

#include "picture/PackedDib.h"
#include "platform/PictureDecoder.h"
#include "platform/PngEncoder.h"

#include <cstring>

namespace {

// Pixels as a packed 24-bit DIB: rows bottom up, each padded to four bytes.
std::vector<std::uint8_t> PackedDib(const std::vector<std::uint8_t>& bgr, int width, int height) {
    const int row = width * 3, padded = (row + 3) / 4 * 4;
    std::vector<std::uint8_t> dib(sizeof(BITMAPINFOHEADER), 0);
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER),
                            width,
                            height,
                            1,
                            24,
                            BI_RGB,
                            static_cast<DWORD>(padded * height),
                            2834,
                            2834,
                            0,
                            0};
    std::memcpy(dib.data(), &header, sizeof(header));
    for (int y = height - 1; y >= 0; --y) {
        auto start = bgr.begin() + y * row;
        dib.insert(dib.end(), start, start + row);
        dib.insert(dib.end(), static_cast<std::size_t>(padded - row), 0);
    }
    return dib;
}

} // namespace

std::optional<picture::Picture> PictureOnClipboard(HWND owner, bool& unreadable) {
    CClipboard clipboard(owner);
    return ClipboardPicture(clipboard, unreadable);
}

std::optional<picture::Picture> ClipboardPicture(const CClipboard& clipboard, bool& unreadable) {
    unreadable = false;
    if (std::optional<std::vector<std::uint8_t>> png = clipboard.Get(CClipboard::PngFormat())) {
        DecodedPicture decoded = DecodePictureData(*png);
        if (decoded.picture) {
            return decoded.picture;
        }
        unreadable = true;
    }
    for (UINT format : {CF_DIBV5, CF_DIB}) {
        if (std::optional<std::vector<std::uint8_t>> dib = clipboard.Get(format)) {
            if (auto picture = picture::DecodePackedDib(dib->data(), dib->size())) {
                return picture;
            }
            unreadable = true;
        }
    }
    return std::nullopt;
}

bool PutPicture(HWND owner, const std::vector<std::uint8_t>& bgr, int width, int height) {
    CClipboard clipboard(owner);
    if (!clipboard.Empty() || !clipboard.Put(CF_DIB, PackedDib(bgr, width, height))) {
        return false;
    }
    clipboard.Put(CClipboard::PngFormat(), PngBytes(bgr.data(), width, height));
    return true;
}
