// Times commands of the real brelt.exe under Wine (or Windows), driven from this second process
// as a user would drive it: median and maximum over several runs, and the program's peak memory.
// Usage: gui_timings PICTURE.jpg [runs]
#include "../tests/gui/RunningProgram.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void Report(const char* name, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-52s median %8.1f ms   max %8.1f ms   (%zu runs)\n", name, ms[ms.size() / 2],
                ms.back(), ms.size());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PICTURE [runs]\n", argv[0]);
        return 2;
    }
    std::wstring picture = std::filesystem::absolute(argv[1]).wstring();
    int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    RunningProgram brelt(std::filesystem::temp_directory_path().wstring());
    if (brelt.MainWindow() == nullptr) {
        std::fprintf(stderr, "brelt did not start\n");
        return 1;
    }
    std::vector<double> toDialog;
    for (int run = 0; run < runs; ++run) {
        brelt.PostClick(brelt.MainWindow(), 1003);
        HWND files = brelt.WaitForWindow(L"Obre Fitxer...");
        if (!brelt.ChooseFile(files, picture)) {
            std::fprintf(stderr, "the file dialog did not take the picture\n");
            return 1;
        }
        auto start = Clock::now();
        brelt.PostClick(files, IDOK);
        HWND convert = brelt.WaitForWindow(L"Converteix la imatge en segell");
        if (convert == nullptr) {
            std::fprintf(stderr, "no conversion dialog\n");
            return 1;
        }
        toDialog.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        brelt.PostClick(convert, IDCANCEL);
        while (::IsWindow(convert)) {
            ::Sleep(5);
        }
    }
    Report("picture: from OK in the file dialog to the conversion dialog", toDialog);
    std::printf("peak memory of brelt.exe: %.0f MB\n", brelt.PeakMemory() / 1048576.0);
    return 0;
}
