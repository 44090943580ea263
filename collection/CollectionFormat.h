#pragma once

// Layout of a ".sgc" stamp collection. A file is a 36-byte header followed by one 2056-byte
// record per image: a 2048-byte pixel area (32 rows of 32 big-endian 0RRRRRGGGGGBBBBB words,
// top row first) and an 8-byte trailer. The header, the trailers and whatever follows the last
// record are never interpreted and never written.
namespace sgc {

inline constexpr long kHeaderSize = 36;
inline constexpr long kRecordSize = 2056;
inline constexpr long kPixelAreaSize = 2048;
inline constexpr long kTrailerSize = kRecordSize - kPixelAreaSize;

inline constexpr int kImageSide = 32;
inline constexpr int kPixelCount = kImageSide * kImageSide;
inline constexpr int kBytesPerPixel = 2;
inline constexpr long kRowSize = kImageSide * kBytesPerPixel;

inline constexpr unsigned kWhitePixel = 0x7FFF;

// A stored 5-bit channel as the display shows it in 8 bits: the low three bits copy the lowest
// bit, so that 0 gives 0, 31 gives 255 and dividing by 8 gives the 5-bit value back.
constexpr int ExpandChannel(int value5) {
    return value5 * 8 + ((value5 & 1) != 0 ? 7 : 0);
}

// The word of a pixel: 0RRRRRGGGGGBBBBB, stored big-endian; bit 15 carries nothing.
constexpr unsigned WordFromBytes(unsigned high, unsigned low) {
    return (high & 0xFF) << 8 | (low & 0xFF);
}
constexpr unsigned char HighByte(unsigned word) {
    return static_cast<unsigned char>(word >> 8 & 0xFF);
}
constexpr unsigned char LowByte(unsigned word) {
    return static_cast<unsigned char>(word & 0xFF);
}
constexpr int RedOf(unsigned word) {
    return static_cast<int>(word >> 10 & 0x1F);
}
constexpr int GreenOf(unsigned word) {
    return static_cast<int>(word >> 5 & 0x1F);
}
constexpr int BlueOf(unsigned word) {
    return static_cast<int>(word & 0x1F);
}
constexpr unsigned PackWord(int red5, int green5, int blue5) {
    return static_cast<unsigned>((red5 & 0x1F) << 10 | (green5 & 0x1F) << 5 | (blue5 & 0x1F));
}
// A display colour of 8 bits a channel stored: each channel's top five bits.
constexpr unsigned WordOfShown(int red, int green, int blue) {
    return PackWord(red / 8, green / 8, blue / 8);
}

// The file stores no image count: it follows from the size in KiB (the size class).
inline constexpr int kDefaultImageCount = 98;

// File offset of image record imageNumber (1-based). Numbers below 1 give a negative offset,
// which the stream helpers refuse to seek to.
constexpr long long RecordOffset(int imageNumber) {
    return kHeaderSize + (static_cast<long long>(imageNumber) - 1) * kRecordSize;
}

// 98, 112 or 126: the size classes 198, 226 and 254 select 98, 112 and 126 images; any other
// size (an empty file, a failed size query reported as -1) counts as 98.
int ImageCountForSize(long sizeInBytes);

// Whether a file of sizeInBytes is of one of the three size classes that collections have.
bool HasCollectionSize(long long sizeInBytes);

} // namespace sgc

// The 32x32, 24-bit BMP files written for display: a 54-byte header and the pixel rows bottom
// row first, 96 bytes each (a multiple of four, so rows carry no padding).
namespace bmp {

inline constexpr long kHeaderSize = 54;
inline constexpr int kBytesPerPixel = 3;
inline constexpr long kRowSize = sgc::kImageSide * kBytesPerPixel;
inline constexpr long kPixelBlockSize = kRowSize * sgc::kImageSide;
inline constexpr long kFileSize = kHeaderSize + kPixelBlockSize;

} // namespace bmp
