#include "AccessibleReading.h"
#include "EditorFixture.h"

#include "app/ProgramState.h"
#include "editor/Pieces.h"
#include "editor/Stamp.h"
#include "library/LibraryIndex.h"
#include "platform/ClipboardPictures.h"
#include "platform/ModalAnswers.h"
#include "res/resource.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

// A pixel area mirrored left to right.
Bytes Mirrored(const Bytes& area) {
    Bytes mirrored = area;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            for (int b = 0; b < 2; ++b) {
                mirrored[static_cast<std::size_t>((y * 32 + x) * 2 + b)] =
                    area[static_cast<std::size_t>((y * 32 + 31 - x) * 2 + b)];
            }
        }
    }
    return mirrored;
}

// A 32x32, 24-bit bitmap file of a stamp, as the display shows it.
Bytes BitmapOf(const Bytes& area) {
    const editor::Stamp stamp = editor::Stamp::FromArea(area);
    Bytes pixels; // bottom row first, blue, green, red
    for (int y = 31; y >= 0; --y) {
        for (int x = 0; x < 32; ++x) {
            const editor::Rgb rgb = editor::Shown(stamp.ColourAt({x, y}));
            pixels.insert(pixels.end(), {rgb.blue, rgb.green, rgb.red});
        }
    }
    return BmpFile(32, 32, 24, 0, 40, pixels);
}

// Whether the control shows stamp (given as a pixel area) somewhere at its true size.
bool ShowsStamp(HWND control, const Bytes& area) {
    int width = 0, height = 0;
    const std::vector<unsigned> screen = ScreenPixels(control, &width, &height);
    const editor::Stamp stamp = editor::Stamp::FromArea(area);
    auto shown = [&](int x, int y) {
        const editor::Rgb rgb = editor::Shown(stamp.ColourAt({x, y}));
        return static_cast<unsigned>(rgb.red << 16 | rgb.green << 8 | rgb.blue);
    };
    for (int top = 0; top + 32 <= height; ++top) {
        for (int left = 0; left + 32 <= width; ++left) {
            bool same = true;
            for (int i = 0; i < 32 * 32 && same; ++i) {
                same = screen[static_cast<std::size_t>((top + i / 32) * width + left + i % 32)] ==
                       shown(i % 32, i / 32);
            }
            if (same) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

// A folder added to the library holds two collections and a file that is none: the window lists
// them, reading on its own thread, shows their stamps, and a double click opens one as the
// target; changed outside brelt, it shows its new stamps when the library is opened again.
class LibraryWindow : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        // The flowers hold the animals' seventh stamp, and the same mirrored.
        SetPixelArea(flowers_, 50, PixelArea(animals_, 7));
        SetPixelArea(flowers_, 60, Mirrored(PixelArea(animals_, 7)));
        std::filesystem::create_directories(folder_);
        for (const auto& [name, bytes] : {std::pair{"biblioteca-animals.sgc", animals_},
                                          std::pair{"biblioteca-flors.sgc", flowers_},
                                          std::pair{"biblioteca-nota.sgc", Bytes(1000, 'x')}}) {
            std::ofstream(folder_ / name, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        }
        std::filesystem::create_directories(local_ + "\\brelt");
        std::ofstream(local_ + "\\brelt\\biblioteca.txt") << folder_.string() << "\n";
        TestModalAnswers().dialog = [](CDialog&) { return ModalAnswers::kShowIt; };
    }
    void TearDown() override {
        BrowserTest::TearDown();
        std::filesystem::remove_all(folder_);
    }
    // The library opened, read to the end and narrowed to this test's files; act on it, then
    // it is closed unless act closed it.
    void WithLibrary(const std::function<void(HWND window, HWND list)>& act,
                     int command = ID_LIBRARY, const wchar_t* caption = L"Biblioteca") {
        WindowDriver driver(caption, [&](HWND window) {
            HWND progress = ::GetDlgItem(window, IDC_LIBRARY_PROGRESS);
            ASSERT_TRUE(Eventually([&] {
                return WindowText(progress).find(L"segells.") != std::wstring::npos;
            })) << Narrow(WindowText(progress));
            ::SetWindowTextW(::GetDlgItem(window, IDC_LIBRARY_FILTER), L"biblioteca-");
            act(window, ::GetDlgItem(window, IDC_LIBRARY_LIST));
            if (::IsWindow(window)) {
                Click(window, IDCANCEL);
            }
        });
        Command(command);
        EXPECT_TRUE(driver.Found());
    }
    std::filesystem::path folder_ = std::filesystem::temp_directory_path() /
                                    ("brelt-biblioteca-" + std::to_string(::GetCurrentProcessId()));
    Bytes animals_ = MakeCollection(202752, 81), flowers_ = MakeCollection(260096, 82);
};

TEST_F(LibraryWindow, ListsTheFolderShowsItsStampsAndOpensOneAsTheTarget) {
    WithLibrary([&](HWND, HWND list) {
        EXPECT_TRUE(Eventually([&] { return ShowsStamp(list, PixelArea(animals_, 1)); }));
        EXPECT_TRUE(ShowsStamp(list, PixelArea(animals_, 20)));
        EXPECT_TRUE(ShowsStamp(list, PixelArea(flowers_, 2)));
        // The first row, the animals: opened as the target.
        ::SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 10));
    });
    EXPECT_EQ(g_strTargetPath, (folder_ / "biblioteca-animals.sgc").string());
    EXPECT_EQ(g_nTargetCount, 98);

    // Changed by another program: read again, its new stamp shown, the old one gone.
    Bytes changed = animals_;
    SetPixelArea(changed, 1, PatternBytes(2048, 5));
    std::ofstream(folder_ / "biblioteca-animals.sgc", std::ios::binary)
        .write(reinterpret_cast<const char*>(changed.data()), changed.size());
    WithLibrary([&](HWND, HWND list) {
        EXPECT_TRUE(Eventually([&] { return ShowsStamp(list, PixelArea(changed, 1)); }));
        EXPECT_FALSE(ShowsStamp(list, PixelArea(animals_, 1)));
    });
}

// The animals' seventh stamp looked for from its slot: itself, its copy in the flowers, then its
// mirrored copy, which Enter on the third row opens at its image; the repeats list it too.
TEST_F(LibraryWindow, AStampIsFoundAsItIsAndMirroredAndItsRepeatsListed) {
    Open(IDC_OPEN_TARGET, (folder_ / "biblioteca-animals.sgc").string());
    GoTo(IDC_TARGET_GOTO_BOX, L"7");
    WithLibrary(
        [&](HWND window, HWND list) {
            EXPECT_TRUE(Eventually([&] { return ShowsStamp(list, PixelArea(flowers_, 60)); }))
                << "the mirrored copy, shown as it lies";
            Keys(list, {VK_DOWN, VK_DOWN, VK_RETURN});
            EXPECT_TRUE(WaitUntilClosed(window)); // posted keys come after a click sent
        },
        ID_SEARCH_STAMP, L"Cerca a la biblioteca");
    EXPECT_EQ(g_strTargetPath, (folder_ / "biblioteca-flors.sgc").string());
    EXPECT_EQ(g_nTargetFirst, 60);
    WithLibrary(
        [&](HWND, HWND list) {
            EXPECT_TRUE(Eventually([&] { return ShowsStamp(list, PixelArea(animals_, 7)); }));
        },
        ID_LIBRARY_REPEATS, L"Repetits a la biblioteca");
}

// A picture of the same stamp, chosen from a file: converted as the conversion would, it is
// found in both collections, as it is and mirrored.
TEST_F(LibraryWindow, APictureChosenIsFoundWhereItsStampIs) {
    ScratchFile picture(BitmapOf(PixelArea(animals_, 7)));
    nextPath_ = picture.Path();
    WithLibrary(
        [&](HWND, HWND list) {
            EXPECT_TRUE(Eventually([&] { return ShowsStamp(list, PixelArea(animals_, 7)); }));
            EXPECT_TRUE(ShowsStamp(list, PixelArea(flowers_, 60)));
        },
        ID_SEARCH_PICTURE, L"Cerca a la biblioteca");
    EXPECT_EQ(lastFileDialogTitle_, L"Cerca una imatge a la biblioteca");
}

// From the overview's cell: the search opens over it, and what is chosen opens once the
// overview, which reads the pane, has gone.
TEST_F(LibraryWindow, TheOverviewLooksForAStampAndWhatIsChosenOpensOnceItHasGone) {
    Open(IDC_OPEN_TARGET, (folder_ / "biblioteca-animals.sgc").string());
    GoTo(IDC_TARGET_GOTO_BOX, L"7");
    WindowDriver overview(L"biblioteca-animals.sgc", [&](HWND window) {
        HWND grid = ::FindWindowExW(window, nullptr, L"BreltOverviewGrid", nullptr);
        Post(grid, WM_COMMAND, ID_SEARCH_STAMP); // as its menu sends it
        HWND search = WaitForWindow(L"Cerca a la biblioteca", 10000);
        ASSERT_NE(search, nullptr);
        HWND progress = ::GetDlgItem(search, IDC_LIBRARY_PROGRESS);
        ASSERT_TRUE(Eventually([&] { return WindowText(progress).ends_with(L"segells."); }));
        ::SetWindowTextW(::GetDlgItem(search, IDC_LIBRARY_FILTER), L"biblioteca-");
        Keys(::GetDlgItem(search, IDC_LIBRARY_LIST), {VK_DOWN, VK_DOWN, VK_RETURN});
        EXPECT_TRUE(WaitUntilClosed(search));
        EXPECT_TRUE(WaitUntilClosed(window));
    });
    Command(ID_SHOW_OVERVIEW);
    ASSERT_TRUE(overview.Found());
    EXPECT_EQ(g_strTargetPath, (folder_ / "biblioteca-flors.sgc").string());
    EXPECT_EQ(g_nTargetFirst, 60);
}

// A picture of the stamp pasted into the library with the real Ctrl+V: the window turns to the
// search, and finds it mirrored too.
TEST_F(LibraryWindow, APicturePastedIsLookedFor) {
    const std::vector<std::uint8_t> shown =
        editor::ShownPixels(editor::Stamp::FromArea(PixelArea(animals_, 7)));
    ASSERT_TRUE(PutPicture(hwnd_, shown, 32, 32));
    WithLibrary([&](HWND window, HWND list) {
        Post(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
        ASSERT_TRUE(Eventually([&] { return FocusIsOn(list); })); // the real keys go there
        TypeKeys({{VK_CONTROL, true}, {'V', true}, {'V', false}, {VK_CONTROL, false}});
        EXPECT_TRUE(Eventually([&] { return WindowText(window) == L"Cerca a la biblioteca"; }));
        EXPECT_TRUE(Eventually([&] { return ShowsStamp(list, PixelArea(flowers_, 60)); }));
    });
}

// An index damaged on disk is not trusted: every file is read again and the index written anew,
// whole. A picture file dropped on the window is looked for.
TEST_F(LibraryWindow, ADamagedIndexIsBuiltAgainAndAPictureDroppedIsLookedFor) {
    const std::string index = local_ + "\\brelt\\biblioteca.idx";
    std::ofstream(index, std::ios::binary) << "BRELTLIB and then nothing an index holds";
    ScratchFile picture(BitmapOf(PixelArea(animals_, 7)));
    WithLibrary([&](HWND window, HWND list) {
        EXPECT_TRUE(Eventually([&] { return ShowsStamp(list, PixelArea(animals_, 1)); }));
        ::SendMessageW(window, WM_DROPFILES,
                       reinterpret_cast<WPARAM>(DropOf(picture.Path(), {20, 20})), 0);
        EXPECT_EQ(WindowText(window), L"Cerca a la biblioteca");
        EXPECT_TRUE(Eventually([&] { return ShowsStamp(list, PixelArea(flowers_, 60)); }));
    });
    const std::optional<library::Index> kept = library::Parse(ScratchFile::ReadAt(index));
    ASSERT_TRUE(kept);
    const auto ours = std::count_if(kept->entries.begin(), kept->entries.end(), [](auto& e) {
        return e.path.find("biblioteca-") != std::string::npos;
    });
    EXPECT_EQ(ours, 3) << "the two collections and the file that is none";
}

// A file another program holds locked is listed as one that can't be read, and opening it is
// refused with a reason; the window stays.
TEST_F(LibraryWindow, AFileThatCannotBeReadIsListedAsSuchAndNotOpened) {
    const std::filesystem::path locked = folder_ / "biblioteca-tancada.sgc";
    std::ofstream(locked, std::ios::binary)
        .write(reinterpret_cast<const char*>(animals_.data()), animals_.size());
    // Held open, shared with no one, as another program may hold it; closed whatever happens.
    const std::unique_ptr<void, decltype(&::CloseHandle)> holder(
        ::CreateFileW(locked.wstring().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, nullptr),
        &::CloseHandle);
    ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
    std::atomic<int> boxes{0};
    TestModalAnswers().messageBox = [&](const std::string& text, const std::string& caption,
                                        UINT type) {
        messages_.push_back({text, caption, type});
        ++boxes;
        return IDOK;
    };
    WithLibrary([&](HWND window, HWND list) {
        Keys(list, {VK_END, VK_RETURN}); // by name, the locked file is the last
        EXPECT_TRUE(Eventually([&] { return boxes == 1; }));
        EXPECT_TRUE(::IsWindow(window));
    });
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].caption, "Alerta");
    EXPECT_EQ(messages_[0].text, locked.string() + " no es pot obrir: no es pot llegir.");
    EXPECT_TRUE(g_strTargetPath.empty());
}

// "Atura" ends the reading of a large library early: the window says so, lists what was read,
// and keeps no index, which would say that the files left out are gone.
TEST_F(LibraryWindow, AturaStopsTheReadingAndKeepsNoIndex) {
    const std::filesystem::path many = folder_ / "moltes";
    std::filesystem::create_directories(many);
    constexpr int kFiles = 200;
    for (int i = 0; i < kFiles; ++i) {
        std::ofstream(many / ("moltes-" + std::to_string(1000 + i) + ".sgc"), std::ios::binary)
            .write(reinterpret_cast<const char*>(animals_.data()), animals_.size());
    }
    std::ofstream(local_ + "\\brelt\\biblioteca.txt") << many.string() << "\n";
    WindowDriver driver(L"Biblioteca", [&](HWND window) {
        HWND progress = ::GetDlgItem(window, IDC_LIBRARY_PROGRESS);
        ASSERT_TRUE(Eventually([&] { return WindowText(progress).starts_with(L"S'estan"); }));
        Click(window, IDC_LIBRARY_STOP);
        ASSERT_TRUE(Eventually([&] { return WindowText(progress).ends_with(L"d'acabar)."); }))
            << Narrow(WindowText(progress));
        EXPECT_LT(std::stoi(WindowText(progress)), kFiles);
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, IDC_LIBRARY_STOP)));
        Click(window, IDCANCEL);
    });
    Command(ID_LIBRARY);
    ASSERT_TRUE(driver.Found());
    EXPECT_FALSE(std::filesystem::exists(local_ + "\\brelt\\biblioteca.idx"));
}

// To a screen reader the list is a list named as its window, each collection a row named by its
// heading with its count of stamps, the current one selected and focused; the arrow moves it.
TEST_F(LibraryWindow, TheListReadsToAScreenReaderAsItsCollections) {
    std::optional<Reading> first, moved;
    WithLibrary([&](HWND window, HWND list) {
        EXPECT_TRUE(Eventually([&] { return ShowsStamp(list, PixelArea(flowers_, 2)); }));
        ::SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
        first = ReadAccessible(list);
        ::PostMessageW(list, WM_KEYDOWN, VK_DOWN, 1);
        EXPECT_TRUE(Eventually([&] {
            moved = ReadAccessible(list);
            return moved && moved->parts.size() > 2 &&
                   (moved->parts[2].state & STATE_SYSTEM_SELECTED) != 0;
        }));
    });
    ASSERT_TRUE(first && moved);
    ASSERT_EQ(first->parts.size(), 4u) << "the list and its three files";
    EXPECT_EQ(first->parts[0].name, "Biblioteca");
    EXPECT_EQ(first->parts[0].role, ROLE_SYSTEM_LIST);
    EXPECT_NE(first->parts[1].name.find("biblioteca-animals.sgc"), std::string::npos)
        << first->parts[1].name;
    EXPECT_EQ(first->parts[1].description, "98 segells");
    EXPECT_NE(first->parts[2].name.find("biblioteca-flors.sgc"), std::string::npos);
    EXPECT_EQ(first->parts[2].description, "126 segells");
    EXPECT_EQ(first->parts[1].state & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED),
              STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED);
    EXPECT_EQ(first->parts[2].state & STATE_SYSTEM_SELECTED, 0);
    EXPECT_EQ(moved->parts[1].state & STATE_SYSTEM_SELECTED, 0);
    EXPECT_EQ(moved->focus, 2);
}
