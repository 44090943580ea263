#include "BrowserFixture.h"

#include "app/ProgramState.h"
#include "platform/ModalAnswers.h"
#include "res/resource.h"

// The system's own windows, with nothing answering in place of the user.
class RealDialogs : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        TestModalAnswers() = {};
        AfxGetApp()->m_pMainWnd = &dialog_;
    }
    void TearDown() override {
        AfxGetApp()->m_pMainWnd = nullptr;
        BrowserTest::TearDown();
    }
};

TEST_F(RealDialogs, EveryFileDialogKeepsTheMainWindowDisabledWhileItIsOpen) {
    for (int button : {IDC_OPEN_SOURCE, IDC_OPEN_TARGET, IDC_LOAD_IMAGE, IDC_GENERATE_COLLECTION}) {
        BOOL enabled = TRUE;
        WindowDriver driver(button == IDC_GENERATE_COLLECTION ? L"Crea Fitxer..."
                                                              : L"Obre Fitxer...",
                            [&](HWND dialog) {
                                enabled = ::IsWindowEnabled(hwnd_);
                                Click(dialog, IDCANCEL);
                            });
        Command(button);
        EXPECT_TRUE(driver.Found()) << button;
        EXPECT_FALSE(enabled) << button;
        EXPECT_TRUE(::IsWindowEnabled(hwnd_)) << "enabled again once it closes";
    }
}

TEST_F(RealDialogs, ACollectionOpensThroughTheFileDialogByTypingItsPath) {
    Bytes collection = MakeCollection(231424, 21);
    ScratchFile file(collection);
    std::wstring typed = Widen(file.Path());
    WindowDriver driver(L"Obre Fitxer...", [&](HWND dialog) {
        // The file name box: an extended combo box around a combo box around an edit.
        HWND edit = ::GetDlgItem(dialog, 0x47C);
        while (edit != nullptr && WindowClass(edit) != L"Edit") {
            edit = ::GetWindow(edit, GW_CHILD);
        }
        ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        for (wchar_t c : typed) {
            ::SendMessageW(edit, WM_CHAR, c, 1);
        }
        Click(dialog, IDOK);
        // Should the dialog not take the name, cancel it rather than wait for ever.
        if (!WaitUntilClosed(dialog)) {
            Click(dialog, IDCANCEL);
        }
    });
    Command(IDC_OPEN_TARGET);
    ASSERT_TRUE(driver.Found());
    ASSERT_NE(g_pfTarget, nullptr);
    EXPECT_EQ(g_nTargetCount, 112);
    EXPECT_TRUE(_stricmp(g_strTargetPath.c_str(), file.Path().c_str()) == 0) << g_strTargetPath;
    ExpectStrip(kTargetSlots, collection, 1);
}

TEST_F(RealDialogs, TheGoToRefusalIsAnAlertMessageBox) {
    std::wstring text;
    LONG_PTR iconStyle = 0;
    WindowDriver driver(L"Alerta", [&](HWND box) {
        for (HWND c = ::GetWindow(box, GW_CHILD); c != nullptr; c = ::GetWindow(c, GW_HWNDNEXT)) {
            if (::GetDlgCtrlID(c) == 0xFFFF && !WindowText(c).empty()) {
                text = WindowText(c);
            }
            if (::SendMessageW(c, STM_GETICON, 0, 0) != 0) {
                iconStyle = 1;
            }
        }
        PressKey(box, VK_RETURN);
    });
    GoTo(IDC_SOURCE_GOTO_BOX, L"5");
    EXPECT_TRUE(driver.Found());
    EXPECT_EQ(text,
              L"No existeix cap imatge en la posició indicada o no s'ha carregat la col.lecció");
    EXPECT_EQ(iconStyle, 1) << "an icon beside the text";
    EXPECT_TRUE(::IsWindow(hwnd_));
}
