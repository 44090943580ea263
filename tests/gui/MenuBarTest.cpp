#include "BrowserFixture.h"

#include "app/ProgramFolder.h"
#include "app/ProgramState.h"
#include "collection/FileContent.h"
#include "platform/FilePaths.h"
#include "platform/ModalAnswers.h"
#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace {

// An item of a menu as it stands when its menu opens.
struct MenuItem {
    UINT id;
    std::wstring text;
    bool enabled;
    HMENU submenu;
};

std::vector<MenuItem> ItemsOf(HMENU menu) {
    std::vector<MenuItem> items;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE;
        info.dwTypeData = text;
        info.cch = 256;
        ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        if ((info.fType & MFT_SEPARATOR) == 0) {
            items.push_back({info.wID, text, (info.fState & MFS_GRAYED) == 0, info.hSubMenu});
        }
    }
    return items;
}

// The menus of the menu bar, each opened as the user opens it, by title.
std::vector<std::pair<std::wstring, std::vector<MenuItem>>> MenuBar(HWND window) {
    std::vector<std::pair<std::wstring, std::vector<MenuItem>>> menus;
    HMENU bar = ::GetMenu(window);
    for (const MenuItem& title : ItemsOf(bar)) {
        ::SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(title.submenu),
                       MAKELPARAM(menus.size(), FALSE));
        menus.emplace_back(title.text, ItemsOf(title.submenu));
    }
    return menus;
}

// The Alt letter of an item: the character after its single ampersand.
wchar_t AltLetter(const std::wstring& text) {
    std::size_t amp = text.find(L'&');
    return amp != std::wstring::npos && amp + 1 < text.size() ? std::towlower(text[amp + 1]) : 0;
}

class MenuBarTest : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        fs::create_directories(local_);
        ::SetEnvironmentVariableW(L"LOCALAPPDATA", Widen(local_).c_str());
        TestModalAnswers().openDocument = [this](const std::string& path) {
            documents_.push_back(path);
            return true;
        };
        TestModalAnswers().folderDialog = [this](const std::string& title, const std::string&) {
            folderTitles_.push_back(title);
            return std::string();
        };
    }
    void TearDown() override {
        BrowserTest::TearDown();
        ::SetEnvironmentVariableW(L"LOCALAPPDATA", previous_.c_str());
        std::error_code ignored;
        fs::remove_all(local_, ignored);
    }
    // The item of the menu bar whose text begins with start.
    MenuItem Item(const std::wstring& start) const {
        for (const auto& [title, items] : MenuBar(hwnd_)) {
            for (const MenuItem& item : items) {
                if (item.text.starts_with(start)) {
                    return item;
                }
            }
        }
        ADD_FAILURE() << "no item " << Narrow(start);
        return {};
    }
    // What the status bar says once the window has handled what is posted to it.
    std::wstring StatusText(int part) const {
        MSG message;
        while (::PeekMessageW(&message, hwnd_, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&message);
        }
        wchar_t text[256] = {};
        ::SendMessageW(::GetDlgItem(hwnd_, IDC_STATUS_BAR), SB_GETTEXTW, part,
                       reinterpret_cast<LPARAM>(text));
        return text;
    }
    std::string local_ =
        (fs::temp_directory_path() / ("brelt-menus-" + std::to_string(::GetTickCount()))).string();
    std::wstring previous_ = Widen(EnvironmentValue(L"LOCALAPPDATA"));
    std::vector<std::string> documents_, folderTitles_;
};

} // namespace

// Every item of every menu, run as a click on it runs it: each reaches its command, seen in what
// the command does or the dialog it opens.
TEST_F(MenuBarTest, EveryItemReachesItsCommand) {
    Bytes source = MakeCollection(202752, 301), collection = MakeCollection(260096, 302);
    ScratchFile sourceFile(source), targetFile(collection), bitmap(BmpFile(32, 32, 24));
    std::string created = targetFile.Path() + "-nova.sgc";
    std::string guide = ProgramFolder() + "Guia\\index.html";
    // A stamp through the clipboard loses only the bit the collection never shows.
    Bytes pasted = Expected16From24(Expected24From16(PixelArea(collection, 1)));
    auto run = [&](UINT id, const std::string& path = {}) {
        nextPath_ = path;
        dialogsShown_.clear();
        lastFileDialogTitle_.clear();
        ::SendMessageW(hwnd_, WM_COMMAND, id, 0);
        nextPath_.clear();
    };
    auto label = [&](int id) { return Narrow(BoxText(id)); };
    auto name = [](const std::string& path) { return path.substr(path.find_last_of('\\') + 1); };
    auto shows = [&](UINT dialog) {
        return std::count(dialogsShown_.begin(), dialogsShown_.end(), dialog) == 1;
    };
    const std::map<UINT, std::function<bool()>> effects = {
        {ID_FILE_OPEN_SOURCE,
         [&] {
             return run(ID_FILE_OPEN_SOURCE, sourceFile.Path()),
                    label(IDC_SOURCE_NAME) == name(sourceFile.Path());
         }},
        {ID_FILE_OPEN_TARGET,
         [&] {
             return run(ID_FILE_OPEN_TARGET, targetFile.Path()),
                    label(IDC_TARGET_NAME) == name(targetFile.Path());
         }},
        {ID_LOAD_IMAGE,
         [&] {
             return run(ID_LOAD_IMAGE, bitmap.Path()), label(IDC_IMAGE_NAME) == name(bitmap.Path());
         }},
        {ID_FILE_NEW_COLLECTION,
         [&] {
             run(ID_FILE_NEW_COLLECTION, created);
             bool opened = label(IDC_TARGET_NAME) == name(created) && g_strTargetPath == created;
             run(ID_FILE_OPEN_TARGET, targetFile.Path());
             return opened && lastFileDialogTitle_ == L"Obre Fitxer..." && fs::exists(created);
         }},
        {ID_RECENT_FIRST,
         [&] { return run(ID_RECENT_FIRST), label(IDC_TARGET_NAME) == name(targetFile.Path()); }},
        {ID_IMPORT_PICTURES_HERE,
         [&] {
             return run(ID_IMPORT_PICTURES_HERE), lastFileDialogTitle_ == L"Importa imatges aquí";
         }},
        {ID_IMPORT_SHEET,
         [&] {
             return run(ID_IMPORT_SHEET), lastFileDialogTitle_ == L"Importa un full de segells";
         }},
        {ID_EXPORT_COLLECTION_PNG,
         [&] {
             run(ID_EXPORT_COLLECTION_PNG);
             return folderTitles_.size() == 1 && folderTitles_[0] == "Exporta la col·lecció en PNG";
         }},
        {ID_MAKE_ROOM, [&] { return run(ID_MAKE_ROOM), shows(IDD_MSG_DIALOG); }},
        {ID_PRINT, // the test prefix has no printer: brelt says so
         [&] {
             return run(ID_PRINT), !messages_.empty() &&
                                       messages_.back().text.starts_with("No hi ha cap impressora");
         }},
        {ID_PREVIOUS_VERSIONS,
         [&] { return run(ID_PREVIOUS_VERSIONS), shows(IDD_VERSIONS_DIALOG); }},
        {ID_CREATE_TEXT_STAMPS, [&] { return run(ID_CREATE_TEXT_STAMPS), shows(IDD_TEXT_DIALOG); }},
        {ID_LIBRARY, [&] { return run(ID_LIBRARY), shows(IDD_LIBRARY_DIALOG); }},
        {ID_SEARCH_PICTURE,
         [&] {
             return run(ID_SEARCH_PICTURE),
                    lastFileDialogTitle_ == L"Cerca una imatge a la biblioteca";
         }},
        {ID_LIBRARY_REPEATS, [&] { return run(ID_LIBRARY_REPEATS), shows(IDD_LIBRARY_DIALOG); }},
        {ID_SEARCH_STAMP, [&] { return run(ID_SEARCH_STAMP), shows(IDD_LIBRARY_DIALOG); }},
        {ID_COMPARE_WITH,
         [&] { return run(ID_COMPARE_WITH), lastFileDialogTitle_ == L"Compara amb..."; }},
        {ID_EDIT_IMAGE, [&] { return run(ID_EDIT_IMAGE), shows(IDD_EDITOR_DIALOG); }},
        {ID_SHOW_OVERVIEW, [&] { return run(ID_SHOW_OVERVIEW), shows(IDD_OVERVIEW_DIALOG); }},
        {ID_SAVE_IMAGE_PNG,
         [&] {
             return run(ID_SAVE_IMAGE_PNG), lastFileDialogTitle_ == L"Desa la imatge com a PNG";
         }},
        {ID_HELP_ABOUT, [&] { return run(ID_HELP_ABOUT), shows(IDD_ABOUTBOX); }},
        {ID_HELP_GUIDE,
         [&] { return run(ID_HELP_GUIDE), documents_ == std::vector<std::string>{guide}; }},
        {ID_COPY_IMAGE,
         [&] {
             ::OpenClipboard(hwnd_), ::EmptyClipboard(), ::CloseClipboard();
             run(ID_COPY_IMAGE);
             return ::IsClipboardFormatAvailable(CF_DIB) != FALSE;
         }},
        {ID_PASTE_HERE, // the target's own image, copied above, pasted over the next one
         [&] {
             Command(IDC_TARGET_NEXT);
             run(ID_PASTE_HERE);
             return PixelArea(targetFile.Read(), 2) == pasted;
         }},
        {ID_UNDO, [&] { return run(ID_UNDO), targetFile.Read() == collection; }},
        {ID_REDO, [&] { return run(ID_REDO), PixelArea(targetFile.Read(), 2) == pasted; }},
        {ID_FILE_EXIT,
         [&] { return run(ID_FILE_EXIT), !::IsWindow(hwnd_) && g_pfTarget == nullptr; }},
    };
    // Opened first through the menu, so that the rest has panes to act on.
    std::set<UINT> ran;
    for (UINT first : {ID_FILE_OPEN_SOURCE, ID_FILE_OPEN_TARGET, ID_LOAD_IMAGE}) {
        EXPECT_TRUE(effects.at(first)()) << first;
        ran.insert(first);
    }
    std::vector<UINT> ids;
    for (const auto& [title, items] : MenuBar(hwnd_)) {
        for (const MenuItem& item : items) {
            ids.push_back(item.submenu != nullptr ? ItemsOf(item.submenu).at(0).id : item.id);
        }
    }
    // Undo and redo once the paste has made a change, and the end last.
    auto last = std::stable_partition(ids.begin(), ids.end(), [](UINT id) {
        return id != ID_UNDO && id != ID_REDO && id != ID_FILE_EXIT;
    });
    std::stable_partition(last, ids.end(), [](UINT id) { return id != ID_FILE_EXIT; });
    for (UINT id : ids) {
        if (ran.insert(id).second) {
            auto effect = effects.find(id);
            ASSERT_NE(effect, effects.end()) << "an item without a check: " << id;
            EXPECT_TRUE(effect->second())
                << "item " << id << (messages_.empty() ? "" : ": " + messages_.back().text);
        }
    }
    EXPECT_EQ(ran.size(), effects.size()) << "every command checked is in the menus";
    std::error_code ignored;
    fs::remove(created, ignored);
}

// Greyed while it can't act, each item with an Alt letter of its own in its menu, and the key
// shown is the key that runs it.
TEST_F(MenuBarTest, GreyWhileItCannotActWithItsAltLetterAndItsKey) {
    const std::set<std::wstring> alwaysOpen = {
        L"Obre l'&origen...\tCtrl+",     L"Obre la &destinació...\tCtrl+O",
        L"&Nova col·lecció...\tCtrl+N",  L"&Biblioteca...\tCtrl+B",
        L"Repetits a la biblio&teca...", L"&Cerca una imatge a la biblioteca...",
        L"C&arrega una imatge...",       L"&Surt\tAlt+F4",
        L"&Com s'utilitza brelt\tF1",    L"&Quant a brelt..."};
    std::set<wchar_t> titles;
    for (const auto& [title, items] : MenuBar(hwnd_)) {
        EXPECT_TRUE(titles.insert(AltLetter(title)).second) << Narrow(title);
        std::set<wchar_t> letters;
        for (const MenuItem& item : items) {
            EXPECT_NE(AltLetter(item.text), 0) << Narrow(item.text);
            EXPECT_TRUE(letters.insert(AltLetter(item.text)).second) << Narrow(item.text);
            bool open = std::any_of(alwaysOpen.begin(), alwaysOpen.end(), [&](auto& text) {
                return item.text.starts_with(text.substr(0, text.find(L'\t')));
            });
            EXPECT_EQ(item.enabled, open) << "with nothing open: " << Narrow(item.text);
        }
    }
    Bytes collection = MakeCollection(202752, 303);
    ScratchFile file(collection), bitmap(BmpFile(32, 32, 24));
    Open(IDC_OPEN_TARGET, file.Path());
    Open(IDC_LOAD_IMAGE, bitmap.Path());
    EXPECT_TRUE(Item(L"E&nganxa").enabled);
    EXPECT_TRUE(Item(L"&Mostra tota").enabled);
    EXPECT_EQ(Item(L"&Desfés").text, L"&Desfés\tCtrl+Z");
    EXPECT_FALSE(Item(L"&Desfés").enabled);
    Command(IDC_MOVE_IMAGE);
    EXPECT_EQ(Item(L"&Desfés").text, L"&Desfés: Moure Imatge a Col.lecció\tCtrl+Z");
    EXPECT_TRUE(Item(L"&Desfés").enabled);
    EXPECT_TRUE(Item(L"Col·leccions &recents").enabled);

    // The keys the menus show, pressed as the user presses them, open what the items open.
    std::map<std::wstring, std::pair<UINT, bool>> keys = {
        {L"Ctrl+O", {'O', true}}, {L"Ctrl+N", {'N', true}}, {L"Ctrl+B", {'B', true}},
        {L"Ctrl+T", {'T', true}}, {L"F1", {VK_F1, false}},  {L"F2", {VK_F2, false}}};
    for (const auto& [shown, key] : keys) {
        dialogsShown_.clear();
        lastFileDialogTitle_.clear();
        documents_.clear();
        Press(IDC_TARGET_SLOT1, key.first, key.second);
        bool opened =
            !dialogsShown_.empty() || !lastFileDialogTitle_.empty() || !documents_.empty();
        EXPECT_TRUE(opened) << Narrow(shown);
    }
    EXPECT_EQ(lastFileDialogTitle_, L"") << "F2 last: the editor";
}

// The status bar names the pane the keys act on and its image, says what Ctrl+Z would undo, and
// with nothing open, the first step.
TEST_F(MenuBarTest, StatusBarSaysWhichPaneAndWhatCtrlZUndoes) {
    EXPECT_EQ(StatusText(0),
              L"Obriu una col·lecció amb Fitxer › Obre la destinació... o amb Buscar...");
    Bytes source = MakeCollection(202752, 304), collection = MakeCollection(260096, 305);
    ScratchFile sourceFile(source), targetFile(collection), bitmap(BmpFile(32, 32, 24));
    std::string sourceName = sourceFile.Path().substr(sourceFile.Path().find_last_of('\\') + 1);
    std::string targetName = targetFile.Path().substr(targetFile.Path().find_last_of('\\') + 1);
    Open(IDC_OPEN_TARGET, targetFile.Path());
    EXPECT_EQ(StatusText(0), L"Destí: " + Widen(targetName) + L" · imatge 1 de 126");
    Open(IDC_OPEN_SOURCE, sourceFile.Path());
    GoTo(IDC_SOURCE_GOTO_BOX, L"12");
    EXPECT_EQ(StatusText(0), L"Origen: " + Widen(sourceName) + L" · imatge 12 de 98");
    Command(IDC_TARGET_SLOT2); // a click on the second target slot
    EXPECT_EQ(StatusText(0), L"Destí: " + Widen(targetName) + L" · imatge 2 de 126");
    EXPECT_EQ(StatusText(1), L"");
    Command(IDC_MOVE_TO_COLLECTION);
    EXPECT_EQ(StatusText(1), L"Ctrl+Z desfà: Moure a la Col.lecció");
    Press(IDC_TARGET_SLOT1, 'Z', true);
    EXPECT_EQ(StatusText(1), L"");
    RECT slot = ControlRect(::GetDlgItem(hwnd_, IDC_TARGET_SLOT5)),
         status = ControlRect(::GetDlgItem(hwnd_, IDC_STATUS_BAR));
    EXPECT_GT(status.top, slot.bottom) << "under every control";
}

// The collections opened last, newest first, kept for the next run; one that is gone is said and
// dropped from the list.
TEST_F(MenuBarTest, RecentCollectionsAreKeptForTheNextRun) {
    ScratchFile first(MakeCollection(202752, 306)), second(MakeCollection(202752, 307));
    Open(IDC_OPEN_TARGET, first.Path());
    Open(IDC_OPEN_SOURCE, second.Path());
    Command(IDC_EXIT); // "SORTIR": the program ends, its files closed
    CBreltDlg next;
    ASSERT_TRUE(next.Create());
    hwnd_ = next.GetSafeHwnd();
    std::vector<MenuItem> recent = ItemsOf(Item(L"Col·leccions &recents").submenu);
    ASSERT_EQ(recent.size(), 2u);
    std::string secondName = second.Path().substr(second.Path().find_last_of('\\') + 1);
    EXPECT_TRUE(recent[0].text.starts_with(L"&1 " + Widen(secondName))) << Narrow(recent[0].text);
    ::SendMessageW(hwnd_, WM_COMMAND, recent[1].id, 0);
    EXPECT_EQ(g_strTargetPath, first.Path()) << "opened as the target";
    fs::remove(second.Path());
    for (const MenuItem& item : ItemsOf(Item(L"Col·leccions &recents").submenu)) {
        if (item.text.find(Widen(secondName)) != std::wstring::npos) {
            ::SendMessageW(hwnd_, WM_COMMAND, item.id, 0);
        }
    }
    ASSERT_FALSE(messages_.empty());
    EXPECT_NE(messages_.back().text.find("ja no hi és"), std::string::npos);
    EXPECT_EQ(ItemsOf(Item(L"Col·leccions &recents").submenu).size(), 1u);
    Command(IDC_EXIT);
}
