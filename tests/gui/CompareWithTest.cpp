#include "BrowserFixture.h"

#include "platform/ModalAnswers.h"
#include "res/resource.h"

#include <thread>

namespace {

// The comparison, once it shows: found by its grid.
HWND ComparisonWindow() {
    HWND found = nullptr;
    Eventually([&] {
        HWND window = ::GetForegroundWindow();
        found = ::FindWindowExW(window, nullptr, L"BreltCompareGrid", nullptr) != nullptr ? window
                                                                                          : nullptr;
        return found != nullptr;
    });
    return found;
}

} // namespace

// The target (98 images) beside another collection of 126 that differs in images 3 and 40: the
// two are compared as far as both go; one image chosen is copied across, then, undone, "Copia-ho
// tot" copies exactly the two that differ.
TEST_F(BrowserTest, ACollectionComparedWithAnotherTakesTheImagesChosenFromIt) {
    const Bytes target = MakeCollection(202752, 61);
    Bytes other = MakeCollection(260096, 61);
    for (int image = 1; image <= 98; ++image) {
        SetPixelArea(other, image, PixelArea(target, image));
    }
    SetPixelArea(other, 3, PatternBytes(2048, 7));
    SetPixelArea(other, 40, PatternBytes(2048, 8));
    ScratchFile targetFile(target), otherFile(other);
    Open(IDC_OPEN_TARGET, targetFile.Path());
    TestModalAnswers().dialog = [](CDialog&) { return ModalAnswers::kShowIt; };
    nextPath_ = otherFile.Path();
    std::wstring caption, help;
    auto compare = [&](bool oneImage) {
        HWND window = nullptr;
        std::thread answer([&] {
            window = ComparisonWindow();
            if (window == nullptr) {
                return;
            }
            caption = WindowText(window);
            help = WindowText(::GetDlgItem(window, IDC_COMPARE_HELP));
            HWND grid = ::FindWindowExW(window, nullptr, L"BreltCompareGrid", nullptr);
            RECT client;
            ::GetClientRect(grid, &client);
            const int cell = client.right / 14, row = client.bottom / 7;
            if (oneImage) { // image 40: row 3, column 12
                ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON,
                               MAKELPARAM(11 * cell + cell / 2, 2 * row + row / 2));
            }
            Click(window, oneImage ? IDC_COMPARE_RESTORE_SELECTED : IDC_COMPARE_RESTORE_ALL);
        });
        Command(ID_COMPARE_WITH);
        answer.join();
        return window != nullptr;
    };
    ASSERT_TRUE(compare(true));
    EXPECT_EQ(caption.rfind(L"Compara amb ", 0), 0u) << Narrow(caption);
    EXPECT_NE(help.find(L"a la dreta la destinació"), std::wstring::npos) << Narrow(help);
    Bytes expected = target;
    SetPixelArea(expected, 40, PixelArea(other, 40));
    EXPECT_EQ(targetFile.Read(), expected) << "image 40 alone";
    Command(ID_UNDO);
    EXPECT_EQ(targetFile.Read(), target);
    ASSERT_TRUE(compare(false));
    SetPixelArea(expected, 3, PixelArea(other, 3));
    EXPECT_EQ(targetFile.Read(), expected) << "the two that differ, and nothing else";
    ASSERT_FALSE(messages_.empty());
    EXPECT_EQ(messages_.back().caption, "brelt");
    EXPECT_EQ(
        messages_.back().text.rfind("S'han copiat a la destinació les imatges 3 i 40 de «", 0), 0u)
        << messages_.back().text;
}
