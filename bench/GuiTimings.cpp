// Times commands of the real brelt.exe under Wine (or Windows), driven from this second process
// as a user would drive it, and reports the program's peak memory: median and maximum over
// several runs. scripts/gui-timings prepares the files and runs it.
// Usage: gui_timings PHOTO.jpg COLLECTION-126.sgc PICTURES-FOLDER EXPORT-FOLDER [runs]
#include "../tests/gui/GuiTestSupport.h"
#include "../tests/gui/RunningProgram.h"
#include "res/resource.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void Report(const char* name, std::vector<double> ms) {
    if (ms.empty()) {
        std::printf("%-58s FAILED\n", name);
        return;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-58s median %8.1f ms   max %8.1f ms   (%zu runs)\n", name, ms[ms.size() / 2],
                ms.back(), ms.size());
}

// Makes a run count only `took` milliseconds of it: what came before and after is set-up.
void CountOnly(Clock::time_point& start, double took) {
    start = Clock::now() - std::chrono::duration_cast<Clock::duration>(
                               std::chrono::duration<double, std::milli>(took));
}

// Times one run of act, which returns false when the program did not do what was asked.
void Measure(const char* name, int runs, const std::function<bool(Clock::time_point&)>& act) {
    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        Clock::time_point start = Clock::now();
        if (!act(start)) {
            ms.clear();
            break;
        }
        ms.push_back(Since(start));
    }
    Report(name, ms);
}

// Waits until the program has handled everything sent before: its command has finished.
void WaitUntilIdle(HWND window) {
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &ignored);
}

// A click sent from this process: returns once the program has handled it, painting included.
void Send(HWND dialog, int controlId, int code = BN_CLICKED) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(controlId, code),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, controlId)));
}

// A message box that reports, "brelt" or "Alerta", waited for up to timeoutMs, and idle.
HWND ReportWindow(HWND main, int timeoutMs) {
    const auto start = Clock::now();
    do {
        for (const wchar_t* caption : {L"brelt", L"Alerta"}) {
            HWND box = nullptr;
            while ((box = ::FindWindowExW(nullptr, box, L"#32770", caption)) != nullptr) {
                if (box != main && ::IsWindowVisible(box)) {
                    WaitUntilIdle(box);
                    return box;
                }
            }
        }
        ::Sleep(1);
    } while (Since(start) < timeoutMs);
    return nullptr;
}

std::wstring TextOf(HWND control) {
    wchar_t text[512] = {};
    ::SendMessageW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

// Clicks button, which opens "Obre Fitxer...", and types path into it: the dialog, ready for OK,
// or null.
HWND FileDialogWith(const RunningProgram& brelt, int button, const std::wstring& path) {
    brelt.PostClick(brelt.MainWindow(), button);
    HWND files = brelt.WaitForWindow(L"Obre Fitxer...");
    return brelt.ChooseFile(files, path) ? files : nullptr;
}

void Close(HWND window, int button) {
    // Again until it goes: under Wine a message box that has just shown may drop the first one.
    for (int attempt = 0; attempt < 20 && ::IsWindow(window); ++attempt) {
        ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(window, button)));
        WaitUntilClosed(window, 500);
    }
}

// One step of a control, sent from this process: returns once the editor has shown its result.
double TimeSent(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    const auto start = Clock::now();
    ::SendMessageW(window, message, wParam, lParam);
    return Since(start);
}

// A selection dragged by one pixel, back and forth.
void TimeSelectionDrag(HWND editor, int runs, const std::function<LPARAM(int, int)>& at) {
    HWND canvas = ::GetDlgItem(editor, IDC_EDITOR_CANVAS);
    Send(editor, IDC_EDITOR_SELECT);
    ::SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, at(4, 4));
    ::SendMessageW(canvas, WM_MOUSEMOVE, MK_LBUTTON, at(20, 20));
    ::SendMessageW(canvas, WM_LBUTTONUP, 0, at(20, 20));
    ::SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, at(10, 10));
    int step = 0;
    Measure("editor: a selection dragged by one pixel", runs, [&](auto& start) {
        ++step;
        const double took = TimeSent(canvas, WM_MOUSEMOVE, MK_LBUTTON, at(10 + step % 2, 10));
        CountOnly(start, took);
        return true;
    });
    ::SendMessageW(canvas, WM_LBUTTONUP, 0, at(10 + step % 2, 10));
    Send(editor, IDC_EDITOR_PENCIL); // the selection set down
}

// An effect's dialog opened, one of its controls stepped runs times, and cancelled.
void TimeEffect(const RunningProgram& brelt, HWND editor, int runs, int button,
                const wchar_t* caption, const char* name,
                const std::function<double(HWND, int)>& step) {
    brelt.PostClick(editor, button);
    HWND effect = brelt.WaitForWindow(caption);
    if (effect == nullptr) {
        Report(name, {});
        return;
    }
    WaitUntilIdle(effect);
    int count = 0;
    Measure(name, runs, [&](auto& start) {
        const double took = step(effect, ++count);
        CountOnly(start, took);
        return true;
    });
    Close(effect, IDCANCEL);
}

// The editor's newer tools: the selection, and each effect's preview as a choice changes.
void TimeEditorTools(const RunningProgram& brelt, HWND editor, int runs,
                     const std::function<LPARAM(int, int)>& at) {
    TimeSelectionDrag(editor, runs, at);
    TimeEffect(brelt, editor, runs, IDC_EDITOR_OUTLINE, L"Contorn",
               "editor: \"Contorn...\" preview, a choice changed", [](HWND effect, int) {
                   return TimeSent(::GetDlgItem(effect, IDC_EFFECT_CORNERS), BM_CLICK);
               });
    TimeEffect(brelt, editor, runs, IDC_EDITOR_SHADOW, L"Ombra",
               "editor: \"Ombra...\" preview, a choice changed", [](HWND effect, int count) {
                   int id = count % 2 == 0 ? IDC_EFFECT_ONE_PIXEL : IDC_EFFECT_TWO_PIXELS;
                   return TimeSent(::GetDlgItem(effect, id), BM_CLICK);
               });
    TimeEffect(brelt, editor, runs, IDC_EDITOR_ADJUST, L"Ajusta els colors",
               "editor: \"Ajusta els colors...\" slider moved", [](HWND effect, int count) {
                   // 15 steps right, then 15 left, and again: every position a new adjustment.
                   UINT key = count / 15 % 2 == 0 ? VK_RIGHT : VK_LEFT;
                   return TimeSent(::GetDlgItem(effect, IDC_ADJUST_HUE), WM_KEYDOWN, key);
               });
}

// "SI" in the question brelt asks, timed from the click to the main window idle again: the
// command done and the panes painted. False when no question came.
bool AnswerYes(const RunningProgram& brelt, HWND main, Clock::time_point& start) {
    HWND question = brelt.WaitForWindow(L"Avís");
    if (question == nullptr) {
        return false;
    }
    start = Clock::now();
    brelt.PostClick(question, IDOK);
    WaitUntilClosed(question, 10000);
    WaitUntilIdle(main);
    return true;
}

// "Crea segells de text": a key typed to its preview shown, and 36 stamps written from the
// question's "SI" to the panes painted, undone after each run, from the target's first image.
void TimeTextStamps(const RunningProgram& brelt, HWND main, int runs) {
    ::SendMessageW(::GetDlgItem(main, IDC_TARGET_GOTO_BOX), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(L"1"));
    Send(main, IDC_TARGET_GOTO);
    int typed = 0;
    Measure("text stamps: a key typed to the preview", runs, [&](auto& start) {
        brelt.PostClick(main, ID_CREATE_TEXT_STAMPS);
        HWND dialog = brelt.WaitForWindow(L"Crea segells de text");
        if (dialog == nullptr) {
            return false;
        }
        WaitUntilIdle(dialog);
        // A character not typed before: drawn, fitted and shown anew.
        const double took = TimeSent(::GetDlgItem(dialog, IDC_TEXT_TEXT), WM_CHAR,
                                     static_cast<WPARAM>(L'a' + typed++ % 26));
        Close(dialog, IDCANCEL);
        CountOnly(start, took);
        return true;
    });
    Measure("text stamps: \"A–Z i 0–9\" written, from \"SI\"", runs, [&](auto& start) {
        brelt.PostClick(main, ID_CREATE_TEXT_STAMPS);
        HWND dialog = brelt.WaitForWindow(L"Crea segells de text");
        if (dialog == nullptr) {
            return false;
        }
        Send(dialog, IDC_TEXT_UPPER_DIGITS);
        brelt.PostClick(dialog, IDOK);
        if (!AnswerYes(brelt, main, start)) {
            return false;
        }
        const double took = Since(start);
        Send(main, ID_UNDO);
        WaitUntilIdle(main);
        CountOnly(start, took);
        return true;
    });
}

// What the library's window says it read, its letters outside ASCII as "?": a figure taken
// over no collections can't pass unseen.
void SayWhatWasRead(HWND window) {
    std::string said;
    for (wchar_t c : TextOf(::GetDlgItem(window, IDC_LIBRARY_PROGRESS))) {
        said += c < 128 ? static_cast<char>(c) : '?';
    }
    std::fprintf(stderr, "the library read: %s\n", said.c_str());
}

// "Biblioteca" over 200 collections: first opened with no index (every file read, digested and
// described), opened again with the index kept, and a search over every stamp as the threshold
// moves. Each from the command to the line that says what was read.
void TimeLibrary(const RunningProgram& brelt, HWND main, int runs, const fs::path& index) {
    auto open = [&](UINT command, const wchar_t* caption, Clock::time_point& start) -> HWND {
        start = Clock::now();
        brelt.PostClick(main, command);
        HWND window = brelt.WaitForWindow(caption);
        HWND progress = window != nullptr ? ::GetDlgItem(window, IDC_LIBRARY_PROGRESS) : nullptr;
        while (progress != nullptr && TextOf(progress).find(L"segells.") == std::wstring::npos) {
            ::Sleep(1);
        }
        return window;
    };
    Measure("library: first opened, 200 collections read", std::max(1, runs / 4), [&](auto& start) {
        fs::remove(index);
        HWND window = open(ID_LIBRARY, L"Biblioteca", start);
        const double took = Since(start);
        SayWhatWasRead(window);
        Close(window, IDCANCEL);
        CountOnly(start, took);
        return window != nullptr && fs::exists(index);
    });
    Measure("library: opened again, the index kept", runs, [&](auto& start) {
        HWND window = open(ID_LIBRARY, L"Biblioteca", start);
        const double took = Since(start);
        Close(window, IDCANCEL);
        CountOnly(start, took);
        return window != nullptr;
    });
    Clock::time_point unused;
    HWND search = open(ID_SEARCH_STAMP, L"Cerca a la biblioteca", unused);
    HWND slider = search != nullptr ? ::GetDlgItem(search, IDC_LIBRARY_NEAR) : nullptr;
    int position = 0;
    Measure("library: a search over 25,200 stamps (threshold moved)", runs, [&](auto& start) {
        ::SendMessageW(slider, TBM_SETPOS, TRUE, 20 + position++ % 20);
        const double took =
            TimeSent(search, WM_HSCROLL, SB_THUMBPOSITION, reinterpret_cast<LPARAM>(slider));
        CountOnly(start, took);
        return slider != nullptr;
    });
    Close(search, IDCANCEL);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s PHOTO COLLECTION PICTURES-FOLDER EXPORT-FOLDER [runs]\n",
                     argv[0]);
        return 2;
    }
    std::wstring photo = fs::absolute(argv[1]).wstring(),
                 collection = fs::absolute(argv[2]).wstring();
    fs::path pictures = fs::absolute(argv[3]), exports = fs::absolute(argv[4]);
    int runs = argc > 5 ? std::max(1, std::atoi(argv[5])) : 20;
    // brelt's own files (history, backups, the library's list and index) in a folder of the
    // timings', the library's list naming the folder of 200 collections.
    const fs::path local = exports.parent_path() / "local";
    fs::create_directories(local / "brelt");
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", local.wstring().c_str());
    if (argc > 6) {
        // In text mode: the stream itself ends the line as Windows does.
        std::ofstream(local / "brelt" / "biblioteca.txt") << fs::absolute(argv[6]).string() << "\n";
    }
    RunningProgram brelt(fs::temp_directory_path().wstring());
    HWND main = brelt.MainWindow();
    if (main == nullptr || !brelt.OpenCollection(1011, collection)) {
        std::fprintf(stderr, "brelt did not start or open %ls\n", collection.c_str());
        return 1;
    }

    // The Parts' commands, each from the click (or from OK or "SI") to its end.
    std::wstring other = collection.substr(0, collection.rfind(L'.')) + L"-b.sgc";
    ::CopyFileW(collection.c_str(), other.c_str(), FALSE);
    bool flip = false;
    // The baseline of the run: a bare dialog, brelt's About box, from the command to its window
    // idle. What the machine costs every command, whatever the command does.
    Measure("baseline: a bare dialog shown (Quant a brelt)", runs, [&](auto& start) {
        start = Clock::now();
        brelt.PostClick(main, ID_HELP_ABOUT);
        HWND about = brelt.WaitForWindow(L"Acerca de brelt");
        if (about == nullptr) {
            return false;
        }
        WaitUntilIdle(about);
        double took = Since(start);
        Close(about, IDOK);
        CountOnly(start, took);
        return true;
    });
    Measure("open a collection and show the pane (from OK)", runs, [&](auto& start) {
        const std::wstring& path = (flip = !flip) ? other : collection;
        HWND files = FileDialogWith(brelt, IDC_OPEN_TARGET, path);
        if (files == nullptr) {
            return false;
        }
        start = Clock::now();
        brelt.PostClick(files, IDOK);
        std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
        while (TextOf(::GetDlgItem(main, IDC_TARGET_NAME)) != name) {
            ::Sleep(1);
        }
        WaitUntilIdle(main);
        return true;
    });
    Measure("\"->\" when the strip scrolls", runs, [&](auto& start) {
        ::SendMessageW(::GetDlgItem(main, IDC_TARGET_GOTO_BOX), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(L"40"));
        Send(main, IDC_TARGET_GOTO);
        Send(main, IDC_TARGET_SLOT5, STN_CLICKED);
        start = Clock::now();
        Send(main, IDC_TARGET_NEXT);
        return true;
    });
    Measure("go-to", runs, [&](auto& start) {
        ::SendMessageW(::GetDlgItem(main, IDC_TARGET_GOTO_BOX), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(L"60"));
        start = Clock::now();
        Send(main, IDC_TARGET_GOTO);
        return true;
    });
    Measure("slot click (only the frame moves)", runs, [&](auto& start) {
        start = Clock::now();
        Send(main, IDC_TARGET_SLOT3, STN_CLICKED);
        return true;
    });
    Measure("the Edita menu opened, filled and shown (Alt+E)", runs, [&](auto& start) {
        start = Clock::now();
        ::PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, L'e');
        HWND menu = nullptr;
        while ((menu = ::FindWindowExW(nullptr, nullptr, L"#32768", nullptr)) == nullptr ||
               !::IsWindowVisible(menu)) {
            if (Since(start) > 10000) {
                return false;
            }
            ::Sleep(1);
        }
        WaitUntilIdle(menu);
        double took = Since(start);
        ::PostMessageW(main, WM_CANCELMODE, 0, 0);
        WaitUntilIdle(main);
        CountOnly(start, took);
        return true;
    });
    std::wstring stamp = pictures.wstring() + L"\\..\\stamp.bmp";
    Measure("import a 32x32 bitmap (from OK)", runs, [&](auto& start) {
        HWND files = FileDialogWith(brelt, IDC_LOAD_IMAGE, stamp);
        if (files == nullptr) {
            return false;
        }
        HWND label = ::GetDlgItem(main, IDC_IMAGE_NAME);
        ::SendMessageW(label, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        start = Clock::now();
        brelt.PostClick(files, IDOK);
        while (TextOf(label) != L"stamp.bmp") { // the label is the last thing the import sets
            ::Sleep(1);
        }
        WaitUntilIdle(main);
        return true;
    });
    Measure("\"Moure Imatge a Col.lecció\"", runs, [&](auto& start) {
        start = Clock::now();
        Send(main, IDC_MOVE_IMAGE);
        return true;
    });
    if (!brelt.OpenCollection(IDC_OPEN_SOURCE, other)) {
        std::fprintf(stderr, "no source\n");
        return 1;
    }
    Measure("\"Moure a la Col.lecció\"", runs, [&](auto& start) {
        start = Clock::now();
        Send(main, IDC_MOVE_TO_COLLECTION);
        return true;
    });
    Measure("the shift of 126 images from image 1 (from \"SI\")", runs, [&](auto& start) {
        ::SendMessageW(::GetDlgItem(main, IDC_TARGET_GOTO_BOX), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(L"1"));
        Send(main, IDC_TARGET_GOTO);
        brelt.PostClick(main, IDC_SHIFT_COLLECTION);
        return AnswerYes(brelt, main, start);
    });

    Measure("picture: OK in the file dialog to the conversion dialog", runs, [&](auto& start) {
        HWND files = FileDialogWith(brelt, IDC_LOAD_IMAGE, photo);
        if (files == nullptr) {
            return false;
        }
        start = Clock::now();
        brelt.PostClick(files, IDOK);
        HWND convert = brelt.WaitForWindow(L"Converteix la imatge en segell");
        if (convert != nullptr) {
            Close(convert, IDCANCEL);
        }
        return convert != nullptr;
    });

    Send(main, IDC_MOVE_IMAGE); // the change to undo: one image, the bitmap still held
    Measure("undo of one image (a move), then redo untimed", runs, [&](auto& start) {
        start = Clock::now();
        Send(main, ID_UNDO);
        double undo = Since(start);
        Send(main, ID_REDO);
        CountOnly(start, undo);
        return true;
    });
    {
        // An option of the conversion dialog changed, for the 12-megapixel photo.
        HWND files = FileDialogWith(brelt, IDC_LOAD_IMAGE, photo);
        brelt.PostClick(files, IDOK);
        HWND convert = brelt.WaitForWindow(L"Converteix la imatge en segell");
        Measure("conversion preview after an option (12 megapixels)", runs, [&](auto& start) {
            start = Clock::now();
            Send(convert, IDC_CONVERT_DITHER);
            return convert != nullptr;
        });
        if (convert != nullptr) {
            Close(convert, IDCANCEL);
        }
    }

    // The stamp editor: opened by a double click on a target slot, then a pixel and a fill.
    HWND editor = nullptr;
    Measure("editor: double click to the editor painted", runs, [&](auto& start) {
        start = Clock::now();
        ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_TARGET_SLOT2, STN_DBLCLK),
                       reinterpret_cast<LPARAM>(::GetDlgItem(main, IDC_TARGET_SLOT2)));
        editor = brelt.WaitForWindow(L"Edita el segell");
        if (editor == nullptr) {
            return false;
        }
        WaitUntilIdle(editor);
        double took = Since(start);
        Close(editor, IDCANCEL); // nothing drawn: no question
        CountOnly(start, took);
        return true;
    });
    brelt.PostClick(main, ID_EDIT_IMAGE);
    editor = brelt.WaitForWindow(L"Edita el segell");
    HWND canvas = editor != nullptr ? ::GetDlgItem(editor, IDC_EDITOR_CANVAS) : nullptr;
    RECT area{};
    ::GetClientRect(canvas, &area);
    const int zoom = std::max(1, static_cast<int>(area.right / 32));
    auto at = [zoom](int x, int y) { return MAKELPARAM(x * zoom + zoom / 2, y * zoom + zoom / 2); };
    int pixel = 0;
    Measure("editor: a pixel painted, previews too (mouse down)", runs, [&](auto& start) {
        start = Clock::now();
        ++pixel;
        ::SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, at(pixel % 32, pixel / 32));
        double took = Since(start);
        ::SendMessageW(canvas, WM_LBUTTONUP, 0, at(pixel % 32, pixel / 32));
        CountOnly(start, took);
        return canvas != nullptr;
    });
    if (editor != nullptr) {
        TimeEditorTools(brelt, editor, runs, at);
    }
    Send(editor, IDC_EDITOR_FILL);
    Measure("editor: a fill of the whole stamp", runs, [&](auto& start) {
        // All white again, then all black in one fill.
        ::SendMessageW(editor, WM_COMMAND, MAKEWPARAM(IDC_EDITOR_CLEAR, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(editor, IDC_EDITOR_CLEAR)));
        start = Clock::now();
        ::SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
        double took = Since(start);
        ::SendMessageW(canvas, WM_LBUTTONUP, 0, at(5, 5));
        CountOnly(start, took);
        return canvas != nullptr;
    });
    if (editor != nullptr) {
        brelt.PostClick(editor, IDCANCEL);
        HWND question = brelt.WaitForWindow(L"Avís");
        if (question != nullptr) {
            Close(question, IDOK); // "SI": the drawing is discarded
        }
        WaitUntilClosed(editor, 10000);
    }
    TimeTextStamps(brelt, main, runs);
    if (argc > 6) {
        TimeLibrary(brelt, main, runs, local / "brelt" / "biblioteca.idx");
    }

    // The overview's organising commands, from the drop or the key to the overview and the panes
    // painted.
    {
        brelt.PostClick(main, ID_SHOW_OVERVIEW);
        HWND overview = brelt.WaitForWindow(TextOf(::GetDlgItem(main, IDC_TARGET_NAME)));
        HWND grid = overview != nullptr
                        ? ::FindWindowExW(overview, nullptr, L"BreltOverviewGrid", nullptr)
                        : nullptr;
        // The cells' size follows the DPI: the grid holds 14 columns and, for 126 images, 9 rows.
        RECT room{};
        ::GetClientRect(grid, &room);
        auto cell = [&](int image) {
            const int width = room.right / 14, height = room.bottom / 9;
            return MAKELPARAM(((image - 1) % 14) * width + width / 2,
                              ((image - 1) / 14) * height + height / 3);
        };
        auto click = [&](int image, WPARAM keys) {
            ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON | keys, cell(image));
            ::SendMessageW(grid, WM_LBUTTONUP, keys, cell(image));
        };
        Measure("overview: 40 stamps moved across 126, from the drop", runs, [&](auto& start) {
            click(10, 0);
            click(49, MK_SHIFT);
            ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, cell(20));
            ::SendMessageW(grid, WM_MOUSEMOVE, MK_LBUTTON, cell(70));
            ::SendMessageW(grid, WM_MOUSEMOVE, MK_LBUTTON, cell(120));
            start = Clock::now();
            ::SendMessageW(grid, WM_LBUTTONUP, 0, cell(120));
            ::UpdateWindow(grid);
            WaitUntilIdle(overview);
            return grid != nullptr;
        });
        Measure("overview: all 126 reordered (63 dropped at the end)", runs, [&](auto& start) {
            click(1, 0);
            click(63, MK_SHIFT);
            ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, cell(30));
            ::SendMessageW(grid, WM_MOUSEMOVE, MK_LBUTTON, cell(90));
            ::SendMessageW(grid, WM_MOUSEMOVE, MK_LBUTTON, cell(126));
            start = Clock::now();
            ::SendMessageW(grid, WM_LBUTTONUP, 0, cell(126));
            ::UpdateWindow(grid);
            WaitUntilIdle(overview);
            return grid != nullptr;
        });
        Measure("overview: 10 stamps deleted", runs, [&](auto& start) {
            click(60, 0);
            click(69, MK_SHIFT);
            start = Clock::now();
            ::SendMessageW(grid, WM_KEYDOWN, VK_DELETE, 1);
            ::UpdateWindow(grid);
            WaitUntilIdle(overview);
            return grid != nullptr;
        });
        if (overview != nullptr) {
            Close(overview, IDCANCEL);
        }
    }

    Measure("overview of 126 images shown", runs, [&](auto& start) {
        start = Clock::now();
        brelt.PostClick(main, ID_SHOW_OVERVIEW);
        // Captioned with the file the target shows now, whichever the opens left there.
        HWND overview = brelt.WaitForWindow(TextOf(::GetDlgItem(main, IDC_TARGET_NAME)));
        if (overview != nullptr) {
            WaitUntilIdle(overview); // painted
            Close(overview, IDCANCEL);
        }
        return overview != nullptr;
    });

    Measure("export of 126 PNGs and the sheet (from OK)", std::max(1, runs / 4), [&](auto& start) {
        fs::remove_all(exports);
        fs::create_directories(exports);
        brelt.PostClick(main, ID_EXPORT_COLLECTION_PNG);
        HWND chooser = brelt.WaitForWindow(L"Exporta la col·lecció en PNG");
        if (!brelt.ChooseFile(chooser, exports.wstring())) {
            return false;
        }
        start = Clock::now();
        brelt.PostClick(chooser, IDOK);
        WaitUntilClosed(chooser, 10000);
        // Done when it says so: the message that names the folder.
        HWND done = ReportWindow(main, 60000);
        double took = Since(start);
        if (done != nullptr) {
            Close(done, IDOK);
            if (::IsWindow(done)) {
                std::fprintf(stderr, "the export's report did not close\n");
            }
        }
        CountOnly(start, took);
        return done != nullptr &&
               std::distance(fs::directory_iterator(exports), fs::directory_iterator()) == 127;
    });

    Measure("import of 98 pictures of 640x480 (from SI)", std::max(1, runs / 4), [&](auto& start) {
        std::wstring chosen;
        for (const auto& entry : fs::directory_iterator(pictures)) {
            chosen += L"\"" + entry.path().filename().wstring() + L"\" ";
        }
        brelt.PostClick(main, ID_IMPORT_PICTURES_HERE);
        HWND files = brelt.WaitForWindow(L"Importa imatges aquí");
        if (!brelt.ChooseFile(files, pictures.wstring() + L"\\")) {
            return false;
        }
        brelt.PostClick(files, IDOK); // into the folder
        ::Sleep(500);
        if (!brelt.ChooseFile(files, chosen)) {
            return false;
        }
        brelt.PostClick(files, IDOK);
        HWND question = brelt.WaitForWindow(L"Avís");
        if (question == nullptr) {
            return false;
        }
        start = Clock::now();
        brelt.PostClick(question, IDOK);
        // "brelt" when every picture went in, "Alerta" when some did not.
        HWND report = ReportWindow(main, 60000);
        double took = Since(start); // to the report on screen; closing it is the user's time
        if (report != nullptr) {
            Close(report, IDOK);
            if (::IsWindow(report)) {
                DWORD owner = 0;
                ::GetWindowThreadProcessId(report, &owner);
                wchar_t said[256] = {};
                ::GetDlgItemTextW(report, 0xFFFF, said, 256);
                std::fprintf(stderr,
                             "the report (%ls, process %lu, enabled %d) did not close: %ls\n",
                             WindowClass(report).c_str(), owner, ::IsWindowEnabled(report), said);
            }
        }
        CountOnly(start, took);
        return report != nullptr;
    });

    // A 1920 x 1080 screenshot on the clipboard, put there by this program, pasted.
    {
        std::vector<unsigned char> dib(sizeof(BITMAPINFOHEADER) + 1920u * 1080u * 4u, 0x5A);
        BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), 1920, 1080, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::memcpy(dib.data(), &header, sizeof(header));
        if (::OpenClipboard(nullptr)) {
            ::EmptyClipboard();
            HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, dib.size());
            std::memcpy(::GlobalLock(block), dib.data(), dib.size());
            ::GlobalUnlock(block);
            ::SetClipboardData(CF_DIB, block);
            ::CloseClipboard();
        }
    }
    Measure("paste of a 1920x1080 screenshot to the conversion dialog", runs, [&](auto& start) {
        start = Clock::now();
        brelt.PostClick(main, ID_PASTE_HERE);
        HWND convert = brelt.WaitForWindow(L"Converteix la imatge en segell");
        if (convert != nullptr) {
            WaitUntilIdle(convert);
            double took = Since(start);
            Close(convert, IDCANCEL);
            CountOnly(start, took);
        }
        return convert != nullptr;
    });
    // brelt's own sheet of the 126 images exported above, imported back, from "SI" to the
    // question that names the images it replaces.
    std::wstring target = TextOf(::GetDlgItem(main, IDC_TARGET_NAME));
    std::wstring sheet =
        exports.wstring() + L"\\" + target.substr(0, target.rfind(L'.')) + L"-full.png";
    Measure("import of brelt's own 126-image sheet (from SI)", std::max(1, runs / 4),
            [&](auto& start) {
                ::SendMessageW(::GetDlgItem(main, IDC_TARGET_GOTO_BOX), WM_SETTEXT, 0,
                               reinterpret_cast<LPARAM>(L"1"));
                Send(main, IDC_TARGET_GOTO); // every cell has an image from here
                brelt.PostClick(main, ID_IMPORT_SHEET);
                HWND files = brelt.WaitForWindow(L"Importa un full de segells");
                // The dialog may fill its own name box as it starts: type until it takes it.
                HWND dialog = nullptr; // the sheet dialog, of the same caption as the file one
                for (auto wait = Clock::now();
                     (dialog == nullptr || ::GetDlgItem(dialog, IDC_SHEET_SUMMARY) == nullptr) &&
                     Since(wait) < 30000;) {
                    if (::IsWindow(files) && brelt.ChooseFile(files, sheet)) {
                        brelt.PostClick(files, IDOK);
                        ::Sleep(300);
                    }
                    dialog = brelt.WaitForWindow(L"Importa un full de segells", 20);
                }
                if (dialog == nullptr || ::GetDlgItem(dialog, IDC_SHEET_SUMMARY) == nullptr) {
                    std::fprintf(stderr, "no sheet dialog for %ls\n", sheet.c_str());
                    return false;
                }
                brelt.PostClick(dialog, IDOK);
                HWND question = brelt.WaitForWindow(L"Avís");
                if (question == nullptr) {
                    return false;
                }
                WaitUntilIdle(question);
                start = Clock::now();
                brelt.PostClick(question, IDOK);
                HWND done = ReportWindow(main, 60000);
                double took = Since(start);
                if (done != nullptr) {
                    Close(done, IDOK);
                }
                CountOnly(start, took);
                return done != nullptr;
            });

    // A history of 500 changes: the two moves in turn over one image.
    std::wstring longHistory = collection.substr(0, collection.rfind(L'.')) + L"-h.sgc";
    std::wstring noHistory = collection.substr(0, collection.rfind(L'.')) + L"-n.sgc";
    ::CopyFileW(collection.c_str(), longHistory.c_str(), FALSE);
    ::CopyFileW(collection.c_str(), noHistory.c_str(), FALSE);
    if (brelt.OpenCollection(IDC_OPEN_TARGET, longHistory)) {
        for (int change = 0; change < 500; ++change) {
            Send(main, change % 2 == 0 ? IDC_MOVE_IMAGE : IDC_MOVE_TO_COLLECTION);
        }
    }
    std::printf("peak memory of brelt.exe: %.0f MB\n", brelt.PeakMemory() / 1048576.0);
    brelt.Kill();

    // A collection opened by a brelt just started, with its history of 500 changes read from the
    // disk, against one with none: from the window to the pane showing it.
    for (const std::wstring& path : {noHistory, longHistory}) {
        std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
        std::string title =
            "start, open with " +
            std::string(path == noHistory ? "no history" : "500 changes of history");
        Measure(title.c_str(), std::max(1, runs / 2), [&](auto& start) {
            RunningProgram fresh(fs::temp_directory_path().wstring(), BRELT_PROGRAM,
                                 L"\"" + path + L"\"");
            start = Clock::now();
            bool shown = fresh.WaitForLabelText(IDC_TARGET_NAME, name);
            WaitUntilIdle(fresh.MainWindow());
            return shown;
        });
    }

    // Each picture in a brelt of its own, from start to the conversion dialog or the refusal.
    fs::path folder = fs::path(photo).parent_path();
    for (const char* name : {"photo.jpg", "photo108.jpg", "bomb.png"}) {
        RunningProgram fresh(fs::temp_directory_path().wstring());
        HWND files = FileDialogWith(fresh, IDC_LOAD_IMAGE, (folder / name).wstring());
        if (files == nullptr) {
            std::printf("peak memory for %-14s FAILED\n", name);
            continue;
        }
        Clock::time_point start = Clock::now();
        fresh.PostClick(files, IDOK);
        HWND answer = nullptr;
        while (answer == nullptr && Since(start) < 60000) {
            answer = fresh.WaitForWindow(L"Converteix la imatge en segell", 20);
            answer = answer != nullptr ? answer : fresh.WaitForWindow(L"Alerta", 20);
        }
        std::printf("peak memory for %-14s %6.0f MB, %s after %.0f ms\n", name,
                    fresh.PeakMemory() / 1048576.0,
                    answer == nullptr             ? "nothing"
                    : TextOf(answer) == L"Alerta" ? "refused"
                                                  : "converted",
                    Since(start));
    }
    return 0;
}
