#include "BrowserFixture.h"
#include "GuiTestSupport.h"

#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cwctype>
#include <vector>

namespace {

enum class Kind { Picture, Text, Button, Edit, Group };

struct ExpectedControl {
    int id;
    Kind kind;
    const wchar_t* caption;
    int x, y, width, height;
    bool visible;
};

// Template 102, in template (and tab) order.
const ExpectedControl kMainControls[] = {
    {IDC_SOURCE_SLOT1, Kind::Picture, L"", 219, 35, 32, 24, true},
    {-1, Kind::Text, L"Col.lecció :", 176, 22, 35, 13, true},
    {IDC_IMAGE_PICTURE, Kind::Picture, L"", 55, 35, 32, 24, true},
    {-1, Kind::Text, L"Imatge:", 27, 22, 23, 12, true},
    {IDC_OPEN_SOURCE, Kind::Button, L"Buscar...", 409, 35, 38, 15, true},
    {IDC_LOAD_IMAGE, Kind::Button, L"Buscar...", 95, 40, 37, 15, true},
    {IDC_SOURCE_GOTO, Kind::Button, L"Anar a ...", 409, 57, 38, 14, true},
    {IDC_SOURCE_GOTO_BOX, Kind::Edit, L"", 451, 57, 16, 14, true},
    {IDC_TARGET_SLOT1, Kind::Picture, L"", 129, 124, 32, 25, true},
    {-1, Kind::Text, L"Col.lecció :", 75, 104, 38, 8, true},
    {IDC_OPEN_TARGET, Kind::Button, L"Buscar...", 322, 124, 38, 14, true},
    {IDC_TARGET_GOTO, Kind::Button, L"Anar a ...", 322, 148, 37, 14, true},
    {IDC_TARGET_GOTO_BOX, Kind::Edit, L"", 364, 148, 16, 14, true},
    {IDC_MOVE_IMAGE, Kind::Button, L"Moure Imatge a Col.lecció", 35, 87, 89, 14, true},
    {IDC_MOVE_TO_COLLECTION, Kind::Button, L"Moure a la Col.lecció", 219, 87, 85, 14, true},
    {IDC_SOURCE_PREV, Kind::Button, L"<-", 219, 62, 15, 9, true},
    {IDC_SOURCE_NEXT, Kind::Button, L"->", 386, 62, 15, 9, true},
    {IDC_TARGET_PREV, Kind::Button, L"<-", 128, 154, 15, 9, true},
    {IDC_TARGET_NEXT, Kind::Button, L"->", 298, 154, 15, 9, true},
    {IDC_SOURCE_SLOT2, Kind::Picture, L"", 257, 35, 32, 24, true},
    {IDC_SOURCE_SLOT3, Kind::Picture, L"", 295, 35, 32, 24, true},
    {IDC_SOURCE_SLOT4, Kind::Picture, L"", 332, 35, 32, 24, true},
    {IDC_SOURCE_SLOT5, Kind::Picture, L"", 369, 35, 32, 24, true},
    {IDC_TARGET_SLOT2, Kind::Picture, L"", 167, 124, 32, 26, true},
    {IDC_TARGET_SLOT3, Kind::Picture, L"", 204, 124, 31, 26, true},
    {IDC_TARGET_SLOT4, Kind::Picture, L"", 242, 124, 32, 26, true},
    {IDC_TARGET_SLOT5, Kind::Picture, L"", 281, 124, 32, 26, true},
    {IDC_TARGET_GROUP, Kind::Group, L"", 68, 111, 340, 56, true},
    {IDC_IMAGE_NAME, Kind::Text, L"", 55, 22, 110, 8, true},
    {IDC_SOURCE_NAME, Kind::Text, L"", 219, 23, 116, 8, true},
    {IDC_TARGET_NAME, Kind::Text, L"", 117, 104, 103, 8, true},
    {IDC_SOURCE_GROUP, Kind::Group, L"", 213, 28, 192, 46, false},
    {IDC_SHIFT_COLLECTION, Kind::Button, L"Desplaçar Col.lecció", 315, 87, 85, 14, false},
    {IDC_GENERATE_COLLECTION, Kind::Button, L"Generar ", 75, 124, 45, 35, true},
    {IDC_EXIT, Kind::Button, L"SORTIR", 410, 7, 60, 14, true},
};

std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    std::wstring lower = name;
    for (wchar_t& c : lower) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return lower;
}

// Checks the class and the styles that the template gives a control of this kind.
void ExpectKind(HWND control, Kind kind) {
    LONG style = ::GetWindowLongW(control, GWL_STYLE);
    switch (kind) {
    case Kind::Picture:
        EXPECT_EQ(ClassName(control), L"static");
        EXPECT_EQ(style & SS_TYPEMASK, SS_BITMAP);
        EXPECT_TRUE(style & SS_NOTIFY);
        EXPECT_TRUE(style & SS_CENTERIMAGE);
        EXPECT_TRUE(style & SS_SUNKEN);
        EXPECT_EQ(::SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << "starts empty";
        break;
    case Kind::Text:
        EXPECT_EQ(ClassName(control), L"static");
        EXPECT_EQ(style & SS_TYPEMASK, SS_LEFT);
        EXPECT_TRUE(style & WS_GROUP);
        break;
    case Kind::Button:
        EXPECT_EQ(ClassName(control), L"button");
        EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON) << "none is the default button";
        EXPECT_TRUE(style & WS_TABSTOP);
        break;
    case Kind::Edit:
        EXPECT_EQ(ClassName(control), L"edit");
        // The dialog manager draws a bordered edit with the sunken client edge.
        EXPECT_TRUE((style & WS_BORDER) ||
                    (::GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
        EXPECT_TRUE(style & WS_TABSTOP);
        EXPECT_TRUE(style & ES_AUTOHSCROLL);
        EXPECT_FALSE(style & ES_MULTILINE);
        break;
    case Kind::Group:
        EXPECT_EQ(ClassName(control), L"button");
        EXPECT_EQ(style & BS_TYPEMASK, BS_GROUPBOX);
        break;
    }
}

class MainDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        ASSERT_TRUE(dialog_.Create());
        hwnd_ = dialog_.GetSafeHwnd();
    }

    CBreltDlg dialog_;
    HWND hwnd_ = nullptr;
};

} // namespace

TEST_F(MainDialog, HasEveryControlOfItsTemplateInOrderAndInPlace) {
    std::vector<HWND> children; // the template's: the status bar comes at run time
    for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(child) != IDC_STATUS_BAR) {
            children.push_back(child);
        }
    }
    ASSERT_EQ(children.size(), std::size(kMainControls));
    for (std::size_t i = 0; i < children.size(); ++i) {
        const ExpectedControl& expected = kMainControls[i];
        HWND control = children[i];
        SCOPED_TRACE(::testing::Message() << "control " << i << ", id " << expected.id);
        EXPECT_EQ(::GetDlgCtrlID(control), expected.id);
        EXPECT_EQ(WindowText(control), expected.caption);
        EXPECT_EQ(::IsWindowVisible(control) != FALSE, expected.visible);
        ExpectKind(control, expected.kind);
        RECT actual = ControlRect(control);
        RECT wanted = DialogUnits(hwnd_, expected.x, expected.y, expected.width, expected.height);
        EXPECT_EQ(actual.left, wanted.left);
        EXPECT_EQ(actual.top, wanted.top);
        EXPECT_EQ(actual.right, wanted.right);
        EXPECT_EQ(actual.bottom, wanted.bottom);
    }
}

TEST_F(MainDialog, IsAnApplicationWindowCaptionedQuelvar) {
    EXPECT_EQ(WindowText(hwnd_), L"Quelvar");
    LONG style = ::GetWindowLongW(hwnd_, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(::GetWindowLongW(hwnd_, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_TRUE(::GetWindowLongW(hwnd_, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    // The template's client area, and under it the status bar, the menu bar above it.
    RECT client, wanted = DialogUnits(hwnd_, 0, 0, 477, 174), status;
    ::GetClientRect(hwnd_, &client);
    HWND statusBar = ::GetDlgItem(hwnd_, IDC_STATUS_BAR);
    ::GetWindowRect(statusBar, &status);
    EXPECT_EQ(client.right, wanted.right);
    EXPECT_EQ(client.bottom, wanted.bottom + status.bottom - status.top);
    EXPECT_EQ(ControlRect(statusBar).top, wanted.bottom);
    EXPECT_NE(::GetMenu(hwnd_), nullptr);

    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(hwnd_, WM_GETFONT, 0, 0)), sizeof(font),
                 &font);
    EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
    EXPECT_EQ(::SendMessageW(hwnd_, WM_GETICON, ICON_BIG, 0),
              reinterpret_cast<LRESULT>(dialog_.m_hIcon));
    EXPECT_EQ(::SendMessageW(hwnd_, WM_GETICON, ICON_SMALL, 0),
              reinterpret_cast<LRESULT>(dialog_.m_hIcon));
    EXPECT_EQ(::SendMessageW(hwnd_, WM_QUERYDRAGICON, 0, 0),
              reinterpret_cast<LRESULT>(dialog_.m_hIcon));
}

TEST_F(MainDialog, StartsWithEveryPaneEmptyAndBindsItsControls) {
    for (int id : {IDC_IMAGE_NAME, IDC_SOURCE_NAME, IDC_TARGET_NAME, IDC_SOURCE_GOTO_BOX,
                   IDC_TARGET_GOTO_BOX}) {
        EXPECT_EQ(WindowText(::GetDlgItem(hwnd_, id)), L"") << id;
    }
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hwnd_, IDC_SOURCE_GROUP)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hwnd_, IDC_SHIFT_COLLECTION)));
    const std::pair<CWnd*, int> bound[] = {
        {&dialog_.m_grpSource, IDC_SOURCE_GROUP},    {&dialog_.m_grpTarget, IDC_TARGET_GROUP},
        {&dialog_.m_txtTargetName, IDC_TARGET_NAME}, {&dialog_.m_txtSourceName, IDC_SOURCE_NAME},
        {&dialog_.m_txtImageName, IDC_IMAGE_NAME},   {&dialog_.m_picTarget5, IDC_TARGET_SLOT5},
        {&dialog_.m_picTarget4, IDC_TARGET_SLOT4},   {&dialog_.m_picTarget3, IDC_TARGET_SLOT3},
        {&dialog_.m_picSource5, IDC_SOURCE_SLOT5},   {&dialog_.m_picTarget2, IDC_TARGET_SLOT2},
        {&dialog_.m_picSource4, IDC_SOURCE_SLOT4},   {&dialog_.m_picSource3, IDC_SOURCE_SLOT3},
        {&dialog_.m_picSource2, IDC_SOURCE_SLOT2},   {&dialog_.m_picSource1, IDC_SOURCE_SLOT1},
        {&dialog_.m_btnGoToSource, IDC_SOURCE_GOTO}, {&dialog_.m_picTarget1, IDC_TARGET_SLOT1},
        {&dialog_.m_picImage, IDC_IMAGE_PICTURE},
    };
    for (const auto& [member, id] : bound) {
        EXPECT_EQ(member->GetSafeHwnd(), ::GetDlgItem(hwnd_, id)) << id;
    }
    EXPECT_EQ(g_strLibraryDir, "C:\\Archivos de Programa\\Orvane\\Krimbo\\Biblioteques\\Segells");
}

TEST_F(MainDialog, SystemMenuEndsWithASeparatorAndTheAboutEntry) {
    HMENU menu = ::GetSystemMenu(hwnd_, FALSE);
    int count = ::GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    MENUITEMINFOW separator{};
    separator.cbSize = sizeof(separator);
    separator.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoW(menu, static_cast<UINT>(count - 2), TRUE, &separator);
    EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
    wchar_t text[64] = {};
    ::GetMenuStringW(menu, static_cast<UINT>(count - 1), text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&Acerca de brelt...");
    EXPECT_EQ(::GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
}

TEST_F(MainDialog, AboutEntryShowsTheAboutBoxAndClosingItReturns) {
    std::wstring version, notice, okText;
    bool iconShown = false;
    WindowDriver driver(L"Acerca de brelt", [&](HWND about) {
        std::vector<HWND> children;
        for (HWND c = ::GetWindow(about, GW_CHILD); c != nullptr; c = ::GetWindow(c, GW_HWNDNEXT)) {
            children.push_back(c);
        }
        if (children.size() == 4) {
            iconShown = ::SendMessageW(children[0], STM_GETICON, 0, 0) != 0;
            version = WindowText(children[1]);
            notice = WindowText(children[2]);
            okText = WindowText(children[3]);
        }
        Click(about, IDOK);
    });
    ::SendMessageW(hwnd_, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    EXPECT_TRUE(driver.Found());
    EXPECT_TRUE(iconShown);
    EXPECT_EQ(version, L"brelt Versión 1.0");
    EXPECT_FALSE(notice.empty());
    EXPECT_EQ(okText, L"Aceptar");
    EXPECT_TRUE(::IsWindow(hwnd_)) << "the main dialog goes on";
    EXPECT_EQ(WindowText(hwnd_), L"Quelvar");
}

// What a new user meets first: move buttons that can only be pressed when they have something
// to move, and a tool tip on every stamp.
TEST_F(BrowserTest, TheMainWindowTellsWhatEachPartShowsAndCanDo) {
    auto enabled = [this](int id) { return ::IsWindowEnabled(::GetDlgItem(hwnd_, id)) != FALSE; };
    EXPECT_FALSE(enabled(IDC_MOVE_IMAGE));
    EXPECT_FALSE(enabled(IDC_MOVE_TO_COLLECTION));
    Bytes collection = MakeCollection(260096, 155);
    ScratchFile source(collection), target(collection), bitmap(BmpFile(32, 32, 24));
    Open(IDC_OPEN_TARGET, target.Path());
    EXPECT_FALSE(enabled(IDC_MOVE_IMAGE)) << "no picture held";
    EXPECT_FALSE(enabled(IDC_MOVE_TO_COLLECTION)) << "no source open";
    Open(IDC_LOAD_IMAGE, bitmap.Path());
    Open(IDC_OPEN_SOURCE, source.Path());
    EXPECT_TRUE(enabled(IDC_MOVE_IMAGE));
    EXPECT_TRUE(enabled(IDC_MOVE_TO_COLLECTION));

    GoTo(IDC_TARGET_GOTO_BOX, L"100");
    auto tip = [this](int id) {
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = nullptr;
        info.hdr.idFrom = reinterpret_cast<UINT_PTR>(::GetDlgItem(hwnd_, id));
        info.hdr.code = TTN_GETDISPINFOW;
        ::SendMessageW(hwnd_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return info.lpszText != nullptr ? Narrow(info.lpszText) : std::string();
    };
    std::string name = target.Path().substr(target.Path().find_last_of('\\') + 1);
    EXPECT_EQ(tip(IDC_TARGET_SLOT2), "Destí, imatge 101 de 126");
    EXPECT_EQ(tip(IDC_SOURCE_SLOT1), "Origen, imatge 1 de 126");
    EXPECT_EQ(tip(IDC_IMAGE_PICTURE),
              "Imatge carregada: " + bitmap.Path().substr(bitmap.Path().find_last_of('\\') + 1));
}
