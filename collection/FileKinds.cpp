#include "collection/FileKinds.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

using Bytes = std::basic_string_view<std::uint8_t>;

bool StartsWith(Bytes data, std::string_view prefix, std::size_t at = 0) {
    return data.size() >= at + prefix.size() &&
           std::memcmp(data.data() + at, prefix.data(), prefix.size()) == 0;
}

std::uint32_t Little32(Bytes data, std::size_t at) {
    return static_cast<std::uint32_t>(data[at]) | static_cast<std::uint32_t>(data[at + 1]) << 8 |
           static_cast<std::uint32_t>(data[at + 2]) << 16 |
           static_cast<std::uint32_t>(data[at + 3]) << 24;
}

FileKind Picture(const char* name, const char* format, bool always) {
    return {FileKind::Family::Picture, name, format, always};
}

FileKind Other(const char* name, const char* format) {
    return {FileKind::Family::NotAPicture, name, format, false};
}

// "BM" alone is two bytes any header might begin with: the size of the header after the file
// header must be one of the kinds of bitmap header too.
bool IsBitmap(Bytes data) {
    if (!StartsWith(data, "BM") || data.size() < 18) {
        return false;
    }
    const std::uint32_t known[] = {12, 16, 40, 52, 56, 64, 108, 124};
    return std::find(std::begin(known), std::end(known), Little32(data, 14)) != std::end(known);
}

// A JPEG begins with the start-of-image marker and then another marker.
bool IsJpeg(Bytes data) {
    return data.size() >= 4 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF &&
           (data[3] >= 0xC0 && data[3] != 0xFF);
}

// A Windows program: "MZ" and, where the old header says, the "PE" header.
bool IsProgram(Bytes data) {
    if (!StartsWith(data, "MZ") || data.size() < 0x40) {
        return false;
    }
    std::uint32_t at = Little32(data, 0x3C);
    return at <= data.size() - 4 && StartsWith(data, std::string_view("PE\0\0", 4), at);
}

// Text that opens an SVG drawing: an XML declaration, a comment or the element itself, with the
// <svg element among the first bytes.
bool IsSvg(Bytes data) {
    std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos || text[first] != '<') {
        return false;
    }
    return text.find("<svg") != std::string_view::npos;
}

std::optional<FileKind> IsoMediaKind(Bytes data) {
    if (!StartsWith(data, "ftyp", 4) || data.size() < 12) {
        return std::nullopt;
    }
    std::string_view brand(reinterpret_cast<const char*>(data.data()) + 8, 4);
    for (std::string_view heic : {"heic", "heix", "hevc", "heim", "heis", "mif1", "msf1"}) {
        if (brand == heic) {
            return Picture("una imatge HEIC", "HEIC", false);
        }
    }
    if (brand == "avif" || brand == "avis") {
        return Picture("una imatge AVIF", "AVIF", false);
    }
    return Other("un vídeo o un so (MP4, MOV o M4A)", "MP4");
}

std::optional<FileKind> RiffKind(Bytes data) {
    if (!StartsWith(data, "RIFF")) {
        return std::nullopt;
    }
    if (StartsWith(data, "WEBP", 8)) {
        return Picture("una imatge WebP", "WebP", false);
    }
    if (StartsWith(data, "WAVE", 8)) {
        return Other("un so WAV", "WAV");
    }
    if (StartsWith(data, "AVI ", 8)) {
        return Other("un vídeo AVI", "AVI");
    }
    return Other("un fitxer RIFF (un so o un vídeo)", "RIFF");
}

struct Signature {
    std::string_view bytes;
    std::size_t at;
    FileKind (*kind)();
};

const Signature kSignatures[] = {
    {"\x89PNG\r\n\x1A\n", 0, [] { return Picture("una imatge PNG", "PNG", true); }},
    {"GIF87a", 0, [] { return Picture("una imatge GIF", "GIF", true); }},
    {"GIF89a", 0, [] { return Picture("una imatge GIF", "GIF", true); }},
    {std::string_view("II*\0", 4), 0, [] { return Picture("una imatge TIFF", "TIFF", true); }},
    {std::string_view("MM\0*", 4), 0, [] { return Picture("una imatge TIFF", "TIFF", true); }},
    {"PK\x03\x04", 0, [] { return Other("un arxiu comprimit ZIP", "ZIP"); }},
    {"PK\x05\x06", 0, [] { return Other("un arxiu comprimit ZIP", "ZIP"); }},
    {"PK\x07\x08", 0, [] { return Other("un arxiu comprimit ZIP", "ZIP"); }},
    {"%PDF-", 0, [] { return Other("un document PDF", "PDF"); }},
    {"7z\xBC\xAF\x27\x1C", 0, [] { return Other("un arxiu comprimit 7z", "7z"); }},
    {"Rar!\x1A\x07", 0, [] { return Other("un arxiu comprimit RAR", "RAR"); }},
    {"\x1F\x8B\x08", 0, [] { return Other("un arxiu comprimit GZIP", "GZIP"); }},
    {"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 0,
     [] { return Other("un document d'Office (DOC, XLS o PPT)", "DOC"); }},
    {"{\\rtf", 0, [] { return Other("un document RTF", "RTF"); }},
    {"ID3", 0, [] { return Other("un so MP3", "MP3"); }},
    {"OggS", 0, [] { return Other("un so OGG", "OGG"); }},
    {"fLaC", 0, [] { return Other("un so FLAC", "FLAC"); }},
};

} // namespace

std::optional<FileKind> RecogniseFileKind(const std::uint8_t* data, std::size_t size) {
    Bytes bytes(data, data != nullptr ? std::min(size, kFileKindBytes) : 0);
    for (const Signature& signature : kSignatures) {
        if (StartsWith(bytes, signature.bytes, signature.at)) {
            return signature.kind();
        }
    }
    if (IsJpeg(bytes)) {
        return Picture("una imatge JPEG", "JPEG", true);
    }
    if (IsBitmap(bytes)) {
        return Picture("una imatge BMP", "BMP", true);
    }
    if (IsProgram(bytes)) {
        return Other("un programa de Windows", "EXE");
    }
    if (std::optional<FileKind> kind = RiffKind(bytes)) {
        return kind;
    }
    if (std::optional<FileKind> kind = IsoMediaKind(bytes)) {
        return kind;
    }
    if (IsSvg(bytes)) {
        return Picture("un dibuix SVG", "SVG", false);
    }
    return std::nullopt;
}
