// Arbitrary bytes as a picture file's first bytes for the header reader and the EXIF reader, as
// a clipboard's packed bitmap,
// and as a small picture of any
// size, transparency and orientation for the conversion to a stamp and for a piece pasted in the
// editor. Nothing may read outside its buffers; a usable picture always gives a stamp of levels the
// collection can store.
#include "collection/CollectionFormat.h"
#include "editor/Pieces.h"
#include "picture/Orientation.h"
#include "picture/PackedDib.h"
#include "picture/PictureHeader.h"
#include "picture/StampConversion.h"
#include "sheet/Sheet.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    int orientation = picture::JpegExifOrientation(data, size);
    if (orientation < 1 || orientation > 8) {
        std::fprintf(stderr, "an orientation that does not exist\n");
        std::abort();
    }
    auto header = picture::ReadPictureHeader(data, size);
    if (header && (header->width == 0 || header->height == 0 || header->bitsPerPixel < 1 ||
                   header->bitsPerPixel > 64)) {
        std::fprintf(stderr, "a header of an impossible size\n");
        std::abort();
    }
    // The same bytes as a clipboard's packed bitmap: within its bytes, a whole picture or none.
    if (auto dib = picture::DecodePackedDib(data, size); dib && !picture::IsUsable(*dib)) {
        std::fprintf(stderr, "a packed bitmap gave a broken picture\n");
        std::abort();
    }
    if (size < 4) {
        return 0;
    }
    // A picture of 1 to 64 x 1 to 64 pixels made of the rest of the bytes, repeated.
    picture::Picture p{data[0] % 64 + 1, data[1] % 64 + 1, {}};
    p.bgra.resize(static_cast<std::size_t>(p.width) * p.height * 4);
    for (std::size_t i = 0; i < p.bgra.size(); ++i) {
        p.bgra[i] = data[3 + i % (size - 3)];
    }
    picture::ApplyOrientation(p, data[2] % 9);
    picture::StampOptions options;
    options.framing = data[2] & 16 ? picture::Framing::Crop : picture::Framing::Fit;
    options.dither = (data[2] & 32) != 0;
    options.trimMargins = (data[2] & 128) != 0;
    options.crop = {data[0] / 200.0 - 0.1, data[1] / 200.0 - 0.1}; // beyond 0..1 too
    auto stamp = picture::ConvertToStamp(p, options);
    if (!stamp) {
        std::fprintf(stderr, "a usable picture gave no stamp\n");
        std::abort();
    }
    // The same picture pasted into the editor: a piece that fits the stamp, all of its words
    // colours.
    std::optional<editor::Piece> piece = editor::PieceOfPicture(p);
    if (!piece || piece->width < 1 || piece->height < 1 || piece->width > editor::kSide ||
        piece->height > editor::kSide ||
        piece->words.size() != static_cast<std::size_t>(piece->width * piece->height) ||
        editor::ShownPixels(*piece).size() != piece->words.size() * 3) {
        std::fprintf(stderr, "a usable picture gave no piece that fits\n");
        std::abort();
    }
    editor::WithDarkOutline(*stamp);
    // The same picture as a sheet of stamps, cut as guessed and as the bytes say.
    bool brelt = false;
    for (sheet::Layout layout : {sheet::GuessLayout(p, brelt),
                                 sheet::Layout{data[0] % 5 + 1, data[1] % 5 + 1, data[2] % 20 + 1,
                                               data[3] % 20 + 1, data[0] % 4, data[1] % 4}}) {
        for (int cell : sheet::CellsToImport(p, layout, (data[2] & 64) != 0)) {
            if (!sheet::StampOfCell(p, layout, cell, brelt)) {
                std::fprintf(stderr, "a cell that fits gave no stamp\n");
                std::abort();
            }
        }
    }
    for (std::uint8_t value : *stamp) {
        if (sgc::ExpandChannel(value / 8) != value) { // 5 bits expanded as the display does
            std::fprintf(stderr, "a stamp value no collection can store\n");
            std::abort();
        }
    }
    return 0;
}
