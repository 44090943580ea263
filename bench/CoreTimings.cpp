// Median and maximum times of the core's file-bound edits, with no benchmark library so that the
// same program runs natively and under Wine: build/<preset>/bench/core_timings [runs]
#include "collection/BitmapExport.h"
#include "collection/HistoryStorage.h"
#include "collection/ImageSequences.h"
#include "collection/PixelAreas.h"
#include "collection/SafeEdit.h"
#include "library/Search.h"
#include "picture/StampConversion.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::FILE* CollectionOf126(const fs::path& path) {
    std::vector<unsigned char> bytes(260096, 0x21);
    std::FILE* f = std::fopen(path.string().c_str(), "w+b");
    if (f != nullptr) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fflush(f);
    }
    return f;
}

void Time(const char* name, int runs, const std::function<void()>& edit) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        edit();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-28s median %9.3f ms   max %9.3f ms   (%d runs)\n", name, ms[ms.size() / 2],
                ms.back(), runs);
}

// Where results go, so that the work that made them is not left out.
volatile float g_sink = 0;

// A library of 200 collections of 126 stamps: drawings of a few rectangles on white.
std::vector<library::Shelf> LibraryOf200() {
    std::uint32_t seed = 1;
    auto next = [&seed](std::uint32_t below) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % below;
    };
    std::vector<library::Shelf> shelves(200);
    for (library::Shelf& shelf : shelves) {
        shelf.entry.state = library::Entry::State::Collection;
        for (int image = 0; image < 126; ++image) {
            library::StampColours stamp;
            stamp.fill(0x7FFF);
            for (int shape = 0; shape < 4; ++shape) {
                const auto x0 = next(28), y0 = next(28), w = 2 + next(12), h = 2 + next(12);
                const auto colour = static_cast<std::uint16_t>(next(0x8000));
                for (auto y = y0; y < std::min(32u, y0 + h); ++y) {
                    for (auto x = x0; x < std::min(32u, x0 + w); ++x) {
                        stamp[y * 32 + x] = colour;
                    }
                }
            }
            shelf.stamps.push_back(stamp);
            shelf.entry.prints.push_back(library::PrintOf(stamp));
        }
    }
    return shelves;
}

void TimeLibrary(int runs) {
    const std::vector<library::Shelf> shelves = LibraryOf200();
    const library::StampColours wanted = shelves[17].stamps[40];
    Time("baseline: 25200 compared whole", runs, [&] {
        float nearest = 1000;
        for (const library::Shelf& shelf : shelves) {
            for (const library::StampColours& stamp : shelf.stamps) {
                nearest = std::min(nearest, library::Distance(wanted, stamp));
            }
        }
        g_sink = nearest;
    });
    Time("near search, 25200 stamps x8", runs,
         [&] { g_sink = float(library::Search(shelves, wanted, library::kNearByDefault).size()); });
    Time("repeats across 200", runs, [&] { g_sink = float(library::Repeats(shelves).size()); });
}

} // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    fs::path folder = fs::temp_directory_path() / "brelt-core-timings";
    fs::create_directories(folder);
    std::FILE* collection = CollectionOf126(folder / "a.sgc");
    if (collection == nullptr) {
        std::fprintf(stderr, "cannot create %s\n", (folder / "a.sgc").string().c_str());
        return 1;
    }
    std::string exportPath = (folder / "out.bmp").string();
    Time("ExportImage", runs, [&] { ExportImage(collection, exportPath.c_str(), 50); });
    Time("ShiftImagesUp(126 from 1)", runs, [&] { ShiftImagesUp(collection, 126, 1); });
    Time("ReadWholeStream(126)", runs, [&] { ReadWholeStream(collection); });
    // One image written through the safety net: the content check, the areas, the history.
    ChangeHistory history;
    EditTarget target{collection, (folder / "a.sgc").string(), "KEY"};
    auto noCopy = [](const FileBytes&) { return BackupResult{"copy", {}, {}}; };
    std::uint8_t value = 0;
    Time("SafeEdit of one image", runs, [&] {
        ++value;
        SafeEdit(
            history, target, "Omple", {7},
            [&](std::FILE*& f) {
                return Written::AllOr(WritePixelArea(f, 7, PixelAreaBytes(2048, value)), {7});
            },
            noCopy);
    });
    Time("SafeReplay (undo of one image)", runs, [&] {
        SafeReplay(history, target, true);
        SafeReplay(history, target, false);
    });
    // The shift of all 126 images as brelt makes it: through the safety net, its history's log on
    // disk and synced, first the row-reversing routine, then whole areas.
    ChangeHistory onDisk([&](const std::string&, const std::string&) {
        return std::make_unique<FileLogStorage>((folder / "a.log").string());
    });
    EditTarget shifted{collection, (folder / "a.sgc").string(), "SHIFT"};
    std::vector<int> moved;
    for (int image = 2; image <= 126; ++image) {
        moved.push_back(image);
    }
    Time("SafeEdit: ShiftImagesUp(126)", runs, [&] {
        SafeEdit(
            onDisk, shifted, "Desplaçar", moved,
            [&](std::FILE*& f) {
                return Written::AllOr(static_cast<bool>(ShiftImagesUp(f, 126, 1)), moved);
            },
            noCopy);
    });
    Time("SafeEdit: ShiftAreasUp(126)", runs, [&] {
        SafeEdit(
            onDisk, shifted, "Desplaçar", moved,
            [&](std::FILE*& f) { return Written::AllOr(ShiftAreasUp(f, 126, 1), moved); }, noCopy);
    });
    Time("SafeEdit: nothing written (126)", runs, [&] {
        SafeEdit(
            onDisk, shifted, "Res", moved, [&](std::FILE*&) { return Written{}; }, noCopy);
    });
    onDisk.CloseLogs();
    std::fclose(collection);
    fs::remove_all(folder);

    // A 12-megapixel photo's worth of pixels, half of them partly transparent.
    picture::Picture photo{4000, 3000, std::vector<std::uint8_t>(4000u * 3000u * 4u)};
    for (std::size_t i = 0; i < photo.bgra.size(); ++i) {
        photo.bgra[i] =
            i % 4 == 3 && i % 8 != 3 ? 255 : static_cast<std::uint8_t>(i * 2654435761u >> 13);
    }
    Time("ConvertToStamp(4000x3000)", runs, [&] { picture::ConvertToStamp(photo, {}); });
    picture::StampOptions cropped;
    cropped.framing = picture::Framing::Crop;
    cropped.dither = true;
    Time("with dithering, cropped", runs, [&] { picture::ConvertToStamp(photo, cropped); });
    cropped.trimMargins = true;
    Time("with dithering, cropped, margins trimmed", runs,
         [&] { picture::ConvertToStamp(photo, cropped); });
    std::optional<picture::FramedStamp> framed = picture::FrameStamp(photo, {});
    Time("colours reduced and dithered (an option changed)", runs,
         [&] { picture::ReduceColours(*framed, true); });
    TimeLibrary(runs);
    return 0;
}
