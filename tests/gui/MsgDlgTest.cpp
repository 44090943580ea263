#include "GuiTestSupport.h"

#include "app/DisplayFiles.h"
#include "app/ProgramState.h"
#include "collection/BitmapExport.h"
#include "collection/CollectionFormat.h"
#include "collection/FileOpen.h"
#include "dialogs/MsgDlg.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

// Writes a preview file whose every pixel has the 16-bit colour word.
void WritePreview(unsigned word) {
    std::string path = DisplayFilePath("zzz.bmp");
    std::string collectionPath = path + ".sgc";
    std::FILE* collection = OpenFile(collectionPath, "w+b");
    for (long i = 0; i < sgc::kHeaderSize; ++i) {
        std::fputc(0, collection);
    }
    for (int i = 0; i < sgc::kPixelCount; ++i) {
        std::fputc(static_cast<int>(word >> 8), collection);
        std::fputc(static_cast<int>(word & 0xFF), collection);
    }
    ExportImage(collection, path.c_str(), 1);
    std::fclose(collection);
    std::filesystem::remove(collectionPath);
}

struct Answer {
    const char* name;
    std::function<void(HWND)> give;
    int confirmed;
};

class Confirmation : public ::testing::TestWithParam<Answer> {
protected:
    void SetUp() override {
        ResetProgramState();
        WritePreview(0x7C00);
    }
};

} // namespace

TEST_P(Confirmation, StoresTheAnswerInTheFlag) {
    const Answer& answer = GetParam();
    g_bConfirmed = 1 - answer.confirmed; // the opposite of what the answer gives
    CMsgDlg dialog;
    EXPECT_EQ(g_bConfirmed, 1 - answer.confirmed) << "constructing asks nothing";
    WindowDriver driver(L"Avís", answer.give);
    dialog.DoModal();
    EXPECT_TRUE(driver.Found());
    EXPECT_EQ(g_bConfirmed, answer.confirmed);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Confirmation,
    ::testing::Values(Answer{"Si", [](HWND d) { Click(d, IDOK); }, 1},
                      Answer{"No", [](HWND d) { Click(d, IDCANCEL); }, 0},
                      Answer{"EnterAtOnce", [](HWND d) { PressKey(d, VK_RETURN); }, 1},
                      Answer{"Escape", [](HWND d) { PressKey(d, VK_ESCAPE); }, 0},
                      Answer{"CloseBox",
                             [](HWND d) { ::PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, 0}),
    [](const ::testing::TestParamInfo<Answer>& info) { return info.param.name; });

TEST(ConfirmationDialog, ShowsThePreviewAsItWasWhenItOpenedWithItsTexts) {
    ResetProgramState();
    WritePreview(0x7C00); // red
    std::vector<unsigned> shown, afterChange;
    std::vector<std::wstring> texts;
    int width = 0, height = 0;
    RECT preview{}, wanted{};
    HWND focus = nullptr, yes = nullptr;
    WindowDriver driver(L"Avís", [&](HWND dialog) {
        HWND picture = ::GetDlgItem(dialog, IDC_PREVIEW);
        auto bitmap =
            reinterpret_cast<HBITMAP>(::SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
        shown = BitmapPixels(bitmap, &width, &height);
        WritePreview(0x001F); // blue: too late for the dialog
        ::InvalidateRect(picture, nullptr, TRUE);
        bitmap = reinterpret_cast<HBITMAP>(::SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
        afterChange = BitmapPixels(bitmap);
        for (HWND c = ::GetWindow(dialog, GW_CHILD); c != nullptr;
             c = ::GetWindow(c, GW_HWNDNEXT)) {
            texts.push_back(WindowText(c));
        }
        preview = ControlRect(picture);
        wanted = DialogUnits(dialog, 14, 15, 34, 26);
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info);
        focus = info.hwndFocus;
        yes = ::GetDlgItem(dialog, IDOK);
        Click(dialog, IDCANCEL);
    });
    CMsgDlg dialog;
    dialog.DoModal();
    ASSERT_TRUE(driver.Found());
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 32);
    EXPECT_EQ(shown, std::vector<unsigned>(1024, 0xFF0000));
    EXPECT_EQ(afterChange, shown);
    EXPECT_EQ(texts,
              (std::vector<std::wstring>{L"SI", L"NO", L"",
                                         L"Si continua amb l'operació, aquesta imatge es perdrà.",
                                         L"Segur que vol continuar ?"}));
    EXPECT_EQ(preview.left, wanted.left);
    EXPECT_EQ(preview.top, wanted.top);
    EXPECT_EQ(focus, yes) << "the focus starts on SI";
}

TEST(ConfirmationDialog, WorksWithoutAPreviewFile) {
    ResetProgramState();
    std::filesystem::remove(std::filesystem::u8path(DisplayFilePath("zzz.bmp")));
    bool pictureEmpty = false;
    WindowDriver driver(L"Avís", [&](HWND dialog) {
        pictureEmpty =
            ::SendMessageW(::GetDlgItem(dialog, IDC_PREVIEW), STM_GETIMAGE, IMAGE_BITMAP, 0) == 0;
        Click(dialog, IDOK);
    });
    CMsgDlg dialog;
    dialog.DoModal();
    EXPECT_TRUE(pictureEmpty);
    EXPECT_EQ(g_bConfirmed, 1);
}
