#include "collection/FileKinds.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

Bytes FromHex(const std::string& hex) {
    Bytes bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

Bytes FromText(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

std::string FormatOf(const Bytes& bytes) {
    std::optional<FileKind> kind = RecogniseFileKind(bytes.data(), bytes.size());
    return kind ? kind->format : "";
}

// A DOS stub whose header points at the "PE" header 128 bytes in, as the linker writes it.
Bytes ProgramBeginning() {
    Bytes bytes(0x84, 0);
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[0x3C] = 0x80;
    bytes[0x80] = 'P';
    bytes[0x81] = 'E';
    return bytes;
}

} // namespace

// The first bytes of files written by real programs (ImageMagick, Python's zipfile and gzip, a
// phone's HEIC, an editor's SVG, our own linker), each named for what it is.
TEST(FileKinds, RealFileBeginningsAreNamedForWhatTheyAre) {
    const struct {
        Bytes beginning;
        const char* format;
        FileKind::Family family;
        bool decodedAlways;
    } files[] = {
        {FromHex("89504e470d0a1a0a0000000d494844520000000800000008"), "PNG",
         FileKind::Family::Picture, true},
        {FromHex("ffd8ffe000104a46494600010100000100010000ffdb0043"), "JPEG",
         FileKind::Family::Picture, true},
        {FromHex("47494638396108000800f00000ff000000000021f9040000"), "GIF",
         FileKind::Family::Picture, true},
        {FromHex("424df6000000000000003600000028000000080000000800"), "BMP",
         FileKind::Family::Picture, true},
        {FromHex("49492a0088010000ffff00000000ffff00000000ffff0000"), "TIFF",
         FileKind::Family::Picture, true},
        {FromHex("4d4d002a000000080011010000030000000100080000"), "TIFF", FileKind::Family::Picture,
         true},
        {FromHex("524946463c000000574542505650382030000000d001009d"), "WebP",
         FileKind::Family::Picture, false},
        {FromHex("000000186674797068656963000000006d69663168656963"), "HEIC",
         FileKind::Family::Picture, false},
        {FromHex("0000001c6674797061766966000000006176696d69663100"), "AVIF",
         FileKind::Family::Picture, false},
        {FromText("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
                  "<!-- Created with Inkscape -->\n<svg width=\"32\" height=\"32\">"),
         "SVG", FileKind::Family::Picture, false},
        {FromText("\xEF\xBB\xBF  <svg xmlns=\"http://www.w3.org/2000/svg\"/>"), "SVG",
         FileKind::Family::Picture, false},
        {FromHex("504b0304140000000000a578895d88f9a06f040000000400"), "ZIP",
         FileKind::Family::NotAPicture, false},
        {FromHex("504b0506000000000000000000000000000000000000"), "ZIP",
         FileKind::Family::NotAPicture, false},
        {FromText("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj"), "PDF", FileKind::Family::NotAPicture,
         false},
        {FromHex("524946462408000057415645666d7420"), "WAV", FileKind::Family::NotAPicture, false},
        {FromHex("1f8b0800276e196b02ffcbc8cf49040088f9a06f04000000"), "GZIP",
         FileKind::Family::NotAPicture, false},
        {FromHex("377abcaf271c000492a7"), "7z", FileKind::Family::NotAPicture, false},
        {FromHex("d0cf11e0a1b11ae1000000000000"), "DOC", FileKind::Family::NotAPicture, false},
        {ProgramBeginning(), "EXE", FileKind::Family::NotAPicture, false},
    };
    for (const auto& file : files) {
        std::optional<FileKind> kind =
            RecogniseFileKind(file.beginning.data(), file.beginning.size());
        ASSERT_TRUE(kind.has_value()) << file.format;
        EXPECT_EQ(kind->format, file.format);
        EXPECT_EQ(kind->family, file.family) << file.format;
        EXPECT_EQ(kind->decodedAlways, file.decodedAlways) << file.format;
        EXPECT_FALSE(kind->name.empty()) << file.format;
    }
}

// A collection carries no signature: new ones begin with 36 zero bytes and white pixels, others
// with any header; nothing that merely looks like the start of a signature counts.
TEST(FileKinds, CollectionsAndNearMissesAreNoKnownKind) {
    Bytes fresh(36, 0);
    for (int i = 0; i < 64; ++i) {
        fresh.push_back(i % 2 == 0 ? 0x7F : 0xFF);
    }
    Bytes patterned = MakeCollection(202752, 7);
    patterned.resize(kFileKindBytes);
    Bytes bmWithoutHeader = FromHex("424d00000000000000000000000000000000000000000000");
    Bytes mzWithoutPe = ProgramBeginning();
    mzWithoutPe[0x80] = 'X';
    Bytes mzPointingOutside = ProgramBeginning();
    mzPointingOutside[0x3C] = 0xFF;
    Bytes textNotSvg = FromText("<html><body>no drawing here</body></html>");
    Bytes jpegStartOnly = FromHex("ffd8ff");
    for (const Bytes& bytes : {fresh, patterned, bmWithoutHeader, mzWithoutPe, mzPointingOutside,
                               textNotSvg, jpegStartOnly, Bytes{}}) {
        EXPECT_EQ(FormatOf(bytes), "") << bytes.size();
    }
    EXPECT_FALSE(RecogniseFileKind(nullptr, 100).has_value());
}

// Only the first bytes count: a signature far into a file, or an SVG element past them, is not
// the file's kind.
TEST(FileKinds, OnlyTheFileBeginningCounts) {
    Bytes late(kFileKindBytes, ' ');
    late[0] = '<';
    Bytes tail = FromText("<svg/>");
    late.insert(late.end(), tail.begin(), tail.end());
    EXPECT_EQ(FormatOf(late), "");
    late.resize(100);
    late.insert(late.end(), tail.begin(), tail.end());
    EXPECT_EQ(FormatOf(late), "SVG");
}
