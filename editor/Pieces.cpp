#include "editor/Pieces.h"

#include "editor/Effects.h"

#include <algorithm>
#include <cmath>

namespace editor {

namespace {

// A small picture placed at the top left of a transparent 32x32 one: converted, each of its
// pixels stays one pixel.
picture::Picture OnWholeStamp(const picture::Picture& small) {
    picture::Picture whole{kSide, kSide, std::vector<std::uint8_t>(kSide * kSide * 4, 0)};
    for (int y = 0; y < small.height; ++y) {
        std::copy_n(small.bgra.begin() + y * small.width * 4, small.width * 4,
                    whole.bgra.begin() + y * kSide * 4);
    }
    return whole;
}

Piece PieceOf(const picture::Stamp& shown, int left, int top, int width, int height) {
    Piece piece{width, height, {}, {}};
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            const auto at = static_cast<std::size_t>((y * kSide + x) * 3);
            // Every shown value of a stored level is 8 times it, plus 7 for odd levels.
            piece.words.push_back(MakeColour(shown[at + 2] / 8, shown[at + 1] / 8, shown[at] / 8));
        }
    }
    return piece;
}

} // namespace

std::optional<Piece> PieceOfPicture(const picture::Picture& picture) {
    if (!picture::IsUsable(picture)) {
        return std::nullopt;
    }
    const picture::StampOptions options; // "Encaixa", no dither, margins kept
    if (picture.width <= kSide && picture.height <= kSide) {
        std::optional<picture::Stamp> shown =
            picture::ConvertToStamp(OnWholeStamp(picture), options);
        return shown ? std::optional(PieceOf(*shown, 0, 0, picture.width, picture.height))
                     : std::nullopt;
    }
    std::optional<picture::Stamp> shown = picture::ConvertToStamp(picture, options);
    if (!shown) {
        return std::nullopt;
    }
    const picture::Region area = picture::StampArea(picture, options);
    return PieceOf(*shown, static_cast<int>(area.left), static_cast<int>(area.top),
                   static_cast<int>(area.width), static_cast<int>(area.height));
}

picture::Stamp WithDarkOutline(const picture::Stamp& shown) {
    const Piece piece = PieceOf(shown, 0, 0, kSide, kSide);
    Stamp stamp;
    for (int i = 0; i < kSide * kSide; ++i) {
        stamp.Move({i % kSide, i / kSide}, piece.words[static_cast<std::size_t>(i)]);
    }
    DrawOutline(stamp, {false, false, kBlack, kWhite});
    picture::Stamp outlined{};
    const std::vector<std::uint8_t> bgr = ShownPixels(stamp);
    std::copy(bgr.begin(), bgr.end(), outlined.begin());
    return outlined;
}

std::vector<std::uint8_t> ShownPixels(const Stamp& stamp) {
    return ShownPixels(CutOut(stamp, {0, 0, kSide, kSide}));
}

std::vector<std::uint8_t> ShownPixels(const Piece& piece) {
    std::vector<std::uint8_t> bgr;
    bgr.reserve(piece.words.size() * 3);
    for (Word word : piece.words) {
        const Rgb rgb = Shown(ColourOf(word));
        bgr.insert(bgr.end(), {rgb.blue, rgb.green, rgb.red});
    }
    return bgr;
}

} // namespace editor
