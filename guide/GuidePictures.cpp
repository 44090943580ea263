// Photographs brelt's real window for the guide: starts brelt.exe on copies of the sample
// collections, brings it into each state a page of the guide shows, and saves the screen there
// as a PNG. Run under Wine on a virtual display by the build, so that the pictures are made
// again whenever the window changes.
// Usage: guide_pictures BRELT.exe SAMPLES-FOLDER OUTPUT-FOLDER
#include "../tests/gui/GuiTestSupport.h"
#include "../tests/gui/RunningProgram.h"
#include "platform/Com.h"
#include "platform/Gdi.h"
#include "platform/Offscreen.h"
#include "platform/PngEncoder.h"
#include "platform/Text.h"
#include "res/resource.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Waits until the program has handled everything sent before, its painting included.
void Settle(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // Twice: what the window posted itself (its status bar) is handled between the two.
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
}

// The screen under the windows, as one picture: a menu is a window of its own beside the
// window that opened it.
bool SaveScreenOf(const std::vector<HWND>& windows, const fs::path& file) {
    RECT all{}, rect{};
    for (HWND window : windows) {
        Settle(window);
        ::GetWindowRect(window, &rect);
        ::UnionRect(&all, &all, &rect);
    }
    const int width = all.right - all.left, height = all.bottom - all.top;
    COffscreen copy;
    if (!copy.Create(width, height)) {
        return false;
    }
    ::BitBlt(copy.GetSafeHdc(), 0, 0, width, height, CClientDC().GetSafeHdc(), all.left, all.top,
             SRCCOPY);
    ::GdiFlush();
    const std::uint8_t* bits = copy.Bits();
    const int stride = copy.Stride();
    std::vector<std::uint8_t> bgr;
    // Whatever lies outside the windows is the page's own background, not the desktop's.
    auto outside = [&](int x, int y) {
        POINT at{all.left + x, all.top + y};
        for (HWND window : windows) {
            ::GetWindowRect(window, &rect);
            if (::PtInRect(&rect, at)) {
                return false;
            }
        }
        return true;
    };
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = bits + static_cast<std::size_t>(y) * stride;
        bgr.insert(bgr.end(), row, row + width * 3);
        for (int x = 0; x < width; ++x) {
            if (outside(x, y)) {
                std::fill_n(bgr.end() - (width - x) * 3, 3, std::uint8_t{0xFB});
            }
        }
    }
    bool saved = SavePng(Narrow(file.wstring()), bgr.data(), width, height);
    std::printf("%s %s (%d x %d)\n", saved ? "wrote" : "FAILED", file.string().c_str(), width,
                height);
    return saved;
}

// A visible popup menu of the process, once it shows.
HWND WaitForMenu(DWORD process) {
    HWND menu = nullptr;
    Eventually(
        [&] {
            while ((menu = ::FindWindowExW(nullptr, menu, L"#32768", nullptr)) != nullptr) {
                DWORD owner = 0;
                ::GetWindowThreadProcessId(menu, &owner);
                if (owner == process && ::IsWindowVisible(menu)) {
                    return true;
                }
            }
            return false;
        },
        10000);
    return menu;
}

// A picture to convert: a sky, a sun and a house on grass, drawn here.
fs::path DrawPicture(const fs::path& folder) {
    const int width = 180, height = 130;
    std::vector<std::uint8_t> bgr;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t b = static_cast<std::uint8_t>(235 - y / 2), g = 200, r = 120;
            if (std::hypot(x - 140, y - 30) < 18) {
                b = 40, g = 210, r = 255; // the sun
            } else if (y > 95) {
                b = 60, g = 170, r = 70; // grass
            } else if (x > 40 && x < 100 && y > 55) {
                b = 70, g = 120, r = 220; // the house
            } else if (y > 25 && y <= 55 && std::abs(x - 70) < (y - 25) * 1.2) {
                b = 40, g = 40, r = 170; // its roof
            }
            bgr.insert(bgr.end(), {b, g, r});
        }
    }
    fs::path file = folder / "casa-i-sol.png";
    SavePng(Narrow(file.wstring()), bgr.data(), width, height);
    return file;
}

std::wstring WindowsPath(const fs::path& path) {
    return fs::absolute(path).wstring();
}

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process;
}

void PostCommand(HWND window, UINT id) {
    ::PostMessageW(window, WM_COMMAND, id, 0);
}

// A menu of the menu bar opened as its Alt letter opens it, photographed with the window.
bool PhotographMenu(const RunningProgram& brelt, wchar_t letter, const fs::path& file) {
    HWND main = brelt.MainWindow();
    ::PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, letter);
    HWND menu = WaitForMenu(ProcessOf(main));
    bool saved = menu != nullptr && SaveScreenOf({main, menu}, file);
    ::PostMessageW(main, WM_CANCELMODE, 0, 0);
    Settle(main);
    return saved;
}

bool PhotographSlotMenu(const RunningProgram& brelt, const fs::path& file) {
    HWND main = brelt.MainWindow(), slot = ::GetDlgItem(main, IDC_TARGET_SLOT3);
    RECT rect;
    ::GetWindowRect(slot, &rect);
    ::PostMessageW(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(slot),
                   MAKELPARAM(rect.left + 10, rect.top + 10));
    HWND menu = WaitForMenu(ProcessOf(main));
    bool saved = menu != nullptr && SaveScreenOf({main, menu}, file);
    ::PostMessageW(main, WM_CANCELMODE, 0, 0);
    Settle(main);
    return saved;
}

// A dialog opened by posting command to the main window, photographed, then cancelled.
bool PhotographDialog(const RunningProgram& brelt, UINT command, const std::wstring& caption,
                      const fs::path& file, void (*prepare)(HWND) = nullptr) {
    PostCommand(brelt.MainWindow(), command);
    HWND dialog = brelt.WaitForWindow(caption);
    if (dialog == nullptr) {
        return false;
    }
    if (prepare != nullptr) {
        prepare(dialog);
    }
    bool saved = SaveScreenOf({dialog}, file);
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return WaitUntilClosed(dialog, 10000) && saved;
}

// A few stamps selected in the overview, as a click and a click with Shift select them.
void SelectSomeCells(HWND overview) {
    HWND grid = ::FindWindowExW(overview, nullptr, L"BreltOverviewGrid", nullptr);
    RECT client;
    ::GetClientRect(grid, &client);
    const int cell = client.right / 14, y = cell / 2;
    ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2 * cell + cell / 2, y));
    ::SendMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(2 * cell + cell / 2, y));
    ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(5 * cell + cell / 2, y));
    ::SendMessageW(grid, WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(5 * cell + cell / 2, y));
}

// "Versions anteriors...", the newest chosen: the comparison with the file as it is.
bool PhotographVersions(const RunningProgram& brelt, const fs::path& file) {
    PostCommand(brelt.MainWindow(), ID_PREVIOUS_VERSIONS);
    HWND versions = brelt.WaitForWindow(L"Versions anteriors");
    if (versions == nullptr) {
        return false;
    }
    brelt.PostClick(versions, IDOK);
    HWND compare = nullptr;
    Eventually(
        [&] {
            HWND front = ::GetForegroundWindow();
            compare =
                ::FindWindowExW(front, nullptr, L"BreltCompareGrid", nullptr) ? front : nullptr;
            return compare != nullptr;
        },
        20000);
    bool saved = compare != nullptr && SaveScreenOf({compare}, file);
    if (compare != nullptr) {
        brelt.PostClick(compare, IDCANCEL);
        WaitUntilClosed(compare, 10000);
    }
    return saved;
}

bool PhotographConversion(const RunningProgram& brelt, const fs::path& picture,
                          const fs::path& file) {
    brelt.PostClick(brelt.MainWindow(), IDC_LOAD_IMAGE);
    HWND files = brelt.WaitForWindow(L"Obre Fitxer...");
    if (!brelt.ChooseFile(files, WindowsPath(picture))) {
        return false;
    }
    brelt.PostClick(files, IDOK);
    HWND convert = brelt.WaitForWindow(L"Converteix la imatge en segell");
    bool saved = convert != nullptr && SaveScreenOf({convert}, file);
    if (convert != nullptr) {
        brelt.PostClick(convert, IDCANCEL);
        WaitUntilClosed(convert, 10000);
    }
    return saved;
}

// Whether a control of window shows text within a few seconds.
bool WaitForText(HWND window, int controlId, const std::wstring& text) {
    return Eventually([&] { return WindowText(::GetDlgItem(window, controlId)) == text; }, 20000);
}

bool PhotographAll(const RunningProgram& brelt, const fs::path& work, const fs::path& out) {
    HWND main = brelt.MainWindow();
    // The files of the command line are opened once the window shows.
    bool all = main != nullptr && WaitForText(main, IDC_TARGET_NAME, L"formes.sgc") &&
               WaitForText(main, IDC_SOURCE_NAME, L"numeros.sgc") &&
               WaitForText(main, IDC_IMAGE_NAME, L"sol.bmp");
    brelt.PostClick(main, IDC_TARGET_SLOT3);
    all = SaveScreenOf({main}, out / "finestra.png") && all;
    all = PhotographMenu(brelt, L'f', out / "menu-fitxer.png") && all;
    all = PhotographSlotMenu(brelt, out / "menu-segell.png") && all;
    all = PhotographConversion(brelt, DrawPicture(work), out / "conversio.png") && all;
    all = PhotographDialog(brelt, ID_EDIT_IMAGE, L"Edita el segell", out / "editor.png") && all;
    all = PhotographDialog(brelt, ID_SHOW_OVERVIEW, L"formes.sgc", out / "vista.png",
                           &SelectSomeCells) &&
          all;
    brelt.PostClick(main, IDC_MOVE_IMAGE); // a change, for "Desfés" to name
    Settle(main);
    all = PhotographMenu(brelt, L'e', out / "menu-edita.png") && all;
    all = PhotographVersions(brelt, out / "versions.png") && all;
    return all;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: guide_pictures BRELT.exe SAMPLES-FOLDER OUTPUT-FOLDER\n");
        return 2;
    }
    CComApartment com;
    const fs::path samples = argv[2], out = argv[3];
    const fs::path work =
        fs::temp_directory_path() / ("brelt-guia-" + std::to_string(::GetCurrentProcessId()));
    fs::create_directories(work);
    fs::create_directories(out);
    for (const char* name : {"formes.sgc", "numeros.sgc", "sol.bmp"}) {
        fs::copy_file(samples / name, work / name, fs::copy_options::overwrite_existing);
    }
    // A user's folder of its own, inherited by brelt: no history or recent list of an earlier run.
    fs::create_directories(work / "Local");
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", (work / "Local").wstring().c_str());
    bool all = false;
    {
        // The target, then the source, then a picture for the image pane.
        RunningProgram brelt(WindowsPath(work), argv[1],
                             L"\"" + WindowsPath(work / "formes.sgc") + L"\" \"" +
                                 WindowsPath(work / "numeros.sgc") + L"\" \"" +
                                 WindowsPath(work / "sol.bmp") + L"\"");
        all = PhotographAll(brelt, work, out);
    }
    std::error_code ignored;
    fs::remove_all(work, ignored);
    return all ? 0 : 1;
}
