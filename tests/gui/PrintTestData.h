#pragma once

#include "../collection/TestFiles.h"

#include "editor/Stamp.h"

#include <cstdlib>
#include <string>

// What the printing tests print and what the tests of the printed pages expect: both build it the
// same way. The jobs' names carry the run's token, so that the PDFs of this run are told apart.
namespace printed {

inline std::string Token() {
    const char* token = std::getenv("BRELT_PRINT_TOKEN");
    return token != nullptr ? token : "";
}

// "catalogue-abc123.sgc": the job "brelt - catalogue-abc123.sgc" becomes a PDF with that name.
inline std::string FileName(const std::string& kind) {
    return kind + "-" + Token() + ".sgc";
}

// 126 stamps of mixed colours: every edge pixel differs from the white paper.
inline Bytes Catalogue() {
    return MakeCollection(260096, 91);
}

// The stamps the overview's selection prints, at 3 cm.
inline constexpr int kSelection[] = {5, 34, 60};
inline constexpr int kSelectionSize = 300;

// A pattern's stamp of light colours only, so that the grid's lines are the only dark on the
// page: white, with a yellow band, a pink square and one light blue pixel.
inline editor::Stamp PatternStamp() {
    editor::Stamp stamp;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (y >= 20 && y < 26) {
                stamp.Paint({x, y}, editor::MakeColour(31, 31, 0));
            } else if (x >= 4 && x < 14 && y >= 3 && y < 13) {
                stamp.Paint({x, y}, editor::MakeColour(31, 16, 16));
            }
        }
    }
    stamp.Paint({30, 1}, editor::MakeColour(16, 24, 31));
    return stamp;
}
inline constexpr int kPatternImage = 3;

inline Bytes PatternCollection() {
    Bytes collection = MakeCollection(202752, 92);
    const PixelAreaBytes area = PatternStamp().ToArea();
    SetPixelArea(collection, kPatternImage, Bytes(area.begin(), area.end()));
    return collection;
}

} // namespace printed
