#include "BrowserFixture.h"
#include "PrintTestData.h"

#include "platform/ModalAnswers.h"
#include "platform/Printer.h"
#include "platform/Text.h"
#include "res/resource.h"

#include <winspool.h>

#include <atomic>
#include <cstdlib>

// Printing from the real window. Without a printer brelt says so; the tests with a printer run
// from tests/print/real-printer, which starts a CUPS server with a PDF printer for them and then
// measures the pages written (PrintedPagesTest.cpp).

namespace {

// Wine's print dialog, in the test prefix's English.
constexpr wchar_t kSystemPrintDialog[] = L"Print";

int PrintersInstalled() {
    DWORD needed = 0, count = 0;
    ::EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &count);
    return static_cast<int>(needed);
}

} // namespace

// In a prefix with no printer: the print dialog can't open, and brelt says why in Catalan.
TEST_F(BrowserTest, PrintingWithNoPrinterSaysSoAndOpensNothingElse) {
    if (PrintersInstalled() != 0) {
        GTEST_SKIP() << "this prefix has a printer: the case without one can't be made here";
    }
    ScratchFile file(MakeCollection(202752, 93));
    Open(IDC_OPEN_TARGET, file.Path());
    Command(ID_PRINT);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].caption, "Alerta");
    EXPECT_EQ(messages_[0].text,
              "No hi ha cap impressora instal·lada. Afegiu-ne una a Windows i torneu-ho a provar.");
    EXPECT_TRUE(dialogsShown_.empty());
}

// With the PDF printer of tests/print/real-printer: the system's print dialog, then brelt's page
// dialog, driven as a user would; what they print is measured afterwards.
class RealPrinter : public BrowserTest {
protected:
    void SetUp() override {
        if (std::getenv("BRELT_PRINTER") == nullptr) {
            GTEST_SKIP() << "run by tests/print/real-printer, which starts the printer";
        }
        BrowserTest::SetUp();
        TestModalAnswers().dialog = [this](CDialog& dialog) {
            dialogsShown_.push_back(dialog.GetTemplateId());
            return ModalAnswers::kShowIt;
        };
        TestModalAnswers().messageBox = [this](const std::string& text, const std::string& caption,
                                               UINT type) {
            messages_.push_back({text, caption, type});
            ++boxes_;
            return IDOK;
        };
    }
    // A collection of that kind written under the name its printed PDF will carry; opened.
    void OpenCollection(const std::string& kind, const Bytes& bytes) {
        const std::string path = local_ + "\\" + printed::FileName(kind);
        ScratchFile::WriteAt(path, bytes);
        Open(IDC_OPEN_TARGET, path);
    }
    // The system's dialog answered OK, then brelt's page dialog shown to act.
    static std::function<void(HWND)> ThenPages(std::function<void(HWND pages)> act) {
        return [act](HWND system) {
            Click(system, IDOK);
            HWND pages = WaitForWindow(L"Imprimeix", 10000);
            ASSERT_NE(pages, nullptr);
            act(pages);
        };
    }
    std::atomic<int> boxes_{0};
};

TEST_F(RealPrinter, CancelInEitherDialogPrintsNothing) {
    OpenCollection("cancel", printed::Catalogue());
    WindowDriver system(kSystemPrintDialog, [](HWND dialog) { Click(dialog, IDCANCEL); });
    Command(ID_PRINT);
    ASSERT_TRUE(system.Found());
    EXPECT_TRUE(dialogsShown_.empty()) << "brelt's page dialog never opens";

    WindowDriver both(kSystemPrintDialog, ThenPages([](HWND pages) { Click(pages, IDCANCEL); }));
    Command(ID_PRINT);
    ASSERT_TRUE(both.Found());
    EXPECT_EQ(dialogsShown_, std::vector<UINT>{IDD_PRINT_DIALOG});
    EXPECT_TRUE(messages_.empty()) << "nothing printed, nothing said";
}

TEST_F(RealPrinter, ACatalogueOfTheWholeCollectionAtTwoCentimetres) {
    OpenCollection("catalogue", printed::Catalogue());
    WindowDriver driver(
        kSystemPrintDialog, ThenPages([](HWND pages) {
            EXPECT_EQ(WindowText(::GetDlgItem(pages, IDC_PRINT_STAMP_SIZE)), L"2 cm");
            EXPECT_EQ(WindowText(::GetDlgItem(pages, IDC_PRINT_PAPER)),
                      L"Impressora: brelt-pdf\nPaper: A4, 210 × 297 mm, vertical");
            EXPECT_EQ(WindowText(::GetDlgItem(pages, IDC_PRINT_PAGE)), L"Pàgina 1 de 2");
            Click(pages, IDOK);
        }));
    Command(ID_PRINT);
    ASSERT_TRUE(driver.Found());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].caption, "brelt");
    EXPECT_EQ(messages_[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(messages_[0].text, "S'han enviat 2 pàgines a la impressora brelt-pdf.");
}

TEST_F(RealPrinter, APatternOfTheCurrentStampWithBeadSquares) {
    OpenCollection("pattern", printed::PatternCollection());
    GoTo(IDC_TARGET_GOTO_BOX, std::to_wstring(printed::kPatternImage));
    WindowDriver driver(
        kSystemPrintDialog, ThenPages([](HWND pages) {
            Click(pages, IDC_PRINT_PATTERN);
            EXPECT_EQ(WindowText(::GetDlgItem(pages, IDC_PRINT_IMAGE)),
                      std::to_wstring(printed::kPatternImage));
            EXPECT_EQ(WindowText(::GetDlgItem(pages, IDC_PRINT_SQUARE)), L"5 mm (perles)");
            EXPECT_EQ(WindowText(::GetDlgItem(pages, IDC_PRINT_PAGE)), L"Pàgina 1 de 1");
            Click(pages, IDOK);
        }));
    Command(ID_PRINT);
    ASSERT_TRUE(driver.Found());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, "S'ha enviat 1 pàgina a la impressora brelt-pdf.");
}

// "Imprimeix la selecció..." of the overview: the stamps selected, at 3 cm.
TEST_F(RealPrinter, TheOverviewPrintsItsSelection) {
    OpenCollection("selection", printed::Catalogue());
    const auto cell = [](int image) { // the overview's cells at 96 DPI, 14 a row
        return MAKELPARAM((image - 1) % 14 * 68 + 34, (image - 1) / 14 * 82 + 34);
    };
    WindowDriver overview(Widen(printed::FileName("selection")), [&](HWND window) {
        HWND grid = ::FindWindowExW(window, nullptr, L"BreltOverviewGrid", nullptr);
        for (int image : printed::kSelection) {
            const WPARAM keys = image == printed::kSelection[0] ? 0 : MK_CONTROL;
            ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON | keys, cell(image));
            ::SendMessageW(grid, WM_LBUTTONUP, keys, cell(image));
        }
        ::PostMessageW(grid, WM_COMMAND, ID_OVERVIEW_PRINT, 0); // as its menu sends it
        HWND system = WaitForWindow(kSystemPrintDialog, 10000);
        ASSERT_NE(system, nullptr);
        ThenPages([](HWND pages) {
            HWND size = ::GetDlgItem(pages, IDC_PRINT_STAMP_SIZE);
            ::SendMessageW(size, CB_SETCURSEL, 3, 0);
            ::SendMessageW(pages, WM_COMMAND, MAKEWPARAM(IDC_PRINT_STAMP_SIZE, CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(size));
            EXPECT_EQ(WindowText(size), L"3 cm");
            Click(pages, IDOK);
        })(system);
        EXPECT_TRUE(Eventually([&] { return boxes_ == 1; }, 30000));
        ::PostMessageW(grid, WM_KEYDOWN, VK_ESCAPE, 1);
    });
    Command(ID_SHOW_OVERVIEW);
    ASSERT_TRUE(overview.Found());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, "S'ha enviat 1 pàgina a la impressora brelt-pdf.");
}
