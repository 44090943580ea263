// Times each collection edit beside the least any implementation must do for the same bytes: one
// read and one write of the pixel areas involved, in memory and through a file. Prints both
// ratios.
#include "collection/BitmapExport.h"
#include "collection/CollectionFormat.h"
#include "collection/CollectionIO.h"
#include "collection/ImageSequences.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kFolder = fs::temp_directory_path() / "brelt-bench";

std::string WriteFile(const std::string& name, std::size_t size, unsigned char fill) {
    fs::create_directories(kFolder);
    std::string path = (kFolder / name).string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::vector<unsigned char> bytes(size, fill);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
}

// Opens a fresh 126-image collection, a second collection and a 32x32 bitmap for each benchmark.
struct Files {
    std::FILE* collection = std::fopen(WriteFile("a.sgc", 260096, 0x21).c_str(), "r+b");
    std::FILE* other = std::fopen(WriteFile("b.sgc", 260096, 0x42).c_str(), "r+b");
    std::FILE* bitmap = std::fopen(WriteFile("in.bmp", bmp::kFileSize, 0x80).c_str(), "rb");
    std::string exportPath = (kFolder / "out.bmp").string();
    ~Files() {
        std::fclose(collection);
        std::fclose(other);
        std::fclose(bitmap);
    }
};

// The in-memory minimum: bytes read from one buffer and written to another.
void Minimum(benchmark::State& state, std::size_t bytes) {
    std::vector<unsigned char> from(bytes, 0x5A), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}

// The minimum with file I/O: the bytes read from a collection file at one offset in one call,
// and written back at another in one call, flushed.
void FileMinimum(benchmark::State& state, std::size_t bytes) {
    Files files;
    std::vector<unsigned char> buffer(bytes);
    for (auto _ : state) {
        std::fseek(files.collection, 36, SEEK_SET);
        std::size_t read = std::fread(buffer.data(), 1, bytes, files.collection);
        std::fseek(files.collection, 36 + 2056, SEEK_SET);
        std::fwrite(buffer.data(), 1, read, files.collection);
        std::fflush(files.collection);
    }
}

struct Case {
    std::string name;
    std::size_t bytes; // pixel bytes that the edit must read and write
    std::function<void(Files&)> run;
};

const std::vector<Case> kCases = {
    {"ExportImage", sgc::kPixelAreaSize,
     [](Files& f) { ExportImage(f.collection, f.exportPath.c_str(), 50); }},
    {"ImportBitmapPixels", sgc::kPixelAreaSize,
     [](Files& f) { ImportBitmapPixels(f.bitmap, f.collection, 50); }},
    {"CopyRecordPixels", sgc::kPixelAreaSize,
     [](Files& f) { CCollectionIO().CopyRecordPixels(f.other, f.collection, 10, 50); }},
    {"FillWhite(98)", 98 * sgc::kPixelAreaSize,
     [](Files& f) { CCollectionIO().FillWhite(f.collection, 98); }},
    {"ShiftImagesUp(126 from 1)", 125 * sgc::kPixelAreaSize,
     [](Files& f) { ShiftImagesUp(f.collection, 126, 1); }},
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            microseconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatios() const {
        std::printf("\n%-28s %12s %12s %8s %12s %8s\n", "edit", "brelt (us)", "memory (us)",
                    "ratio", "file I/O (us)", "ratio");
        for (const Case& c : kCases) {
            auto edit = microseconds_.find(c.name);
            auto memory = microseconds_.find(c.name + "/minimum");
            auto file = microseconds_.find(c.name + "/file-minimum");
            if (edit != microseconds_.end() && memory != microseconds_.end() &&
                file != microseconds_.end()) {
                std::printf("%-28s %12.2f %12.4f %8.0f %12.2f %8.1f\n", c.name.c_str(),
                            edit->second, memory->second, edit->second / memory->second,
                            file->second, edit->second / file->second);
            }
        }
    }

private:
    std::map<std::string, double> microseconds_;
};

} // namespace

int main(int argc, char** argv) {
    for (const Case& c : kCases) {
        benchmark::RegisterBenchmark(c.name.c_str(), [&c](benchmark::State& state) {
            Files files;
            for (auto _ : state) {
                c.run(files);
            }
        })->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((c.name + "/minimum").c_str(), [&c](benchmark::State& state) {
            Minimum(state, c.bytes);
        })->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((c.name + "/file-minimum").c_str(),
                                     [&c](benchmark::State& state) { FileMinimum(state, c.bytes); })
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    fs::remove_all(kFolder);
    return 0;
}
