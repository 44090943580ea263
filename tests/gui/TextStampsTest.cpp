#include "BrowserFixture.h"

#include "platform/FontDrawing.h"
#include "platform/ModalAnswers.h"
#include "res/resource.h"

namespace {

// The stamps of text, a stamp a character at one size, drawn here through the same font.
std::vector<editor::Stamp> Series(const std::wstring& text, const FontChoice& font) {
    std::vector<text::Drawing> drawings;
    for (wchar_t c : text) {
        drawings.push_back(DrawWithFont(std::wstring(1, c), font).value());
    }
    std::vector<text::Placement> placements = text::FitSeries(drawings);
    std::vector<editor::Stamp> stamps;
    for (std::size_t i = 0; i < drawings.size(); ++i) {
        stamps.push_back(text::Paint(text::CoverageIn(drawings[i], placements[i]), {}, false));
    }
    return stamps;
}

void ChooseFont(HWND dialog, const wchar_t* face) {
    HWND fonts = ::GetDlgItem(dialog, IDC_TEXT_FONT);
    ::SendMessageW(fonts, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face));
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_TEXT_FONT, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(fonts));
}

} // namespace

// The real dialog over the target from image 5, with DejaVu Sans, which the tests install.
class TextStamps : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        TestModalAnswers().dialog = nullptr;
        Open(IDC_OPEN_TARGET, file_.Path());
        GoTo(IDC_TARGET_GOTO_BOX, L"5");
    }
    Bytes collection_ = MakeCollection(202752, 171);
    ScratchFile file_{collection_};
};

TEST_F(TextStamps, AnAlphabetIsWrittenAfterTheQuestionAsOneChangeUndoneWhole) {
    std::wstring summary, question;
    WindowDriver dialog(L"Crea segells de text", [&](HWND window) {
        ChooseFont(window, L"DejaVu Sans");
        Click(window, IDC_TEXT_UPPER); // "A–Z": a stamp for each letter, all of one size
        summary = WindowText(::GetDlgItem(window, IDC_TEXT_SUMMARY));
        Click(window, IDOK);
    });
    WindowDriver asks(L"Avís", [&](HWND box) {
        question = WindowText(::GetDlgItem(box, IDC_QUESTION_TEXT));
        Click(box, IDOK);
    });
    Command(ID_CREATE_TEXT_STAMPS);
    ASSERT_TRUE(dialog.Found());
    EXPECT_EQ(summary, L"26 segells, a les imatges 5 a 30.");
    EXPECT_EQ(question.rfind(L"Es substituiran les imatges 5 a 30 de ", 0), 0u) << Narrow(question);
    const std::vector<editor::Stamp> letters =
        Series(L"ABCDEFGHIJKLMNOPQRSTUVWXYZ", {L"DejaVu Sans", false, false});
    Bytes expected = collection_;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        SetPixelArea(expected, 5 + static_cast<int>(i), letters[i].ToArea());
    }
    EXPECT_EQ(file_.Read(), expected) << "the letters as the font draws them, and nothing else";
    Command(ID_UNDO);
    EXPECT_EQ(file_.Read(), collection_) << "one undo takes all 26 back";
}

TEST_F(TextStamps, ACharacterTheFontLacksIsSaidAndNothingIsWritten) {
    std::wstring summary;
    bool okEnabled = true;
    WindowDriver dialog(L"Crea segells de text", [&](HWND window) {
        ChooseFont(window, L"DejaVu Sans");
        ::SetWindowTextW(::GetDlgItem(window, IDC_TEXT_TEXT), L"A\u0378"); // no such character
        summary = WindowText(::GetDlgItem(window, IDC_TEXT_SUMMARY));
        okEnabled = ::IsWindowEnabled(::GetDlgItem(window, IDOK)) != FALSE;
        Click(window, IDCANCEL);
    });
    Command(ID_CREATE_TEXT_STAMPS);
    ASSERT_TRUE(dialog.Found());
    EXPECT_EQ(summary, L"La lletra DejaVu Sans no té: \u0378");
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(file_.Read(), collection_);
}
