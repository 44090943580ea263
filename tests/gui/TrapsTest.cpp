#include "BrowserFixture.h"

#include "app/ProgramState.h"
#include "dialogs/QuestionDlg.h"
#include "platform/ModalAnswers.h"
#include "res/resource.h"

#include <fstream>
#include <iterator>

namespace {

const std::string kPictures = BRELT_PICTURES_DIR;

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

class Traps : public BrowserTest {
protected:
    // The questions asked, answered with answer_.
    void AnswerQuestions() {
        TestModalAnswers().dialog = [this](CDialog& dialog) {
            if (auto* question = dynamic_cast<CQuestionDlg*>(&dialog)) {
                questions_.push_back(question->GetQuestion());
                noFirst_.push_back(question->GetDefault() == CQuestionDlg::Default::No);
                return answer_;
            }
            return static_cast<INT_PTR>(IDCANCEL);
        };
    }
    // A key as the keyboard gives it to whatever has the focus: the program's filter first,
    // then the dialog manager.
    void KeyToFocus(UINT key) {
        MSG message{::GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
        if (!::CallMsgFilterW(&message, MSGF_DIALOGBOX)) {
            ::IsDialogMessageW(hwnd_, &message);
        }
    }
    std::vector<std::string> questions_;
    std::vector<bool> noFirst_;
    INT_PTR answer_ = IDCANCEL;
};

} // namespace

// A picture, an archive or a document opened as a collection is shown and never written: it
// opens read only and says what it seems to be.
TEST_F(Traps, AFileThatIsNoCollectionOpensReadOnlyAndIsNeverWritten) {
    ScratchFile bitmap(BmpFile(32, 32, 24));
    Open(IDC_LOAD_IMAGE, bitmap.Path());
    const std::pair<Bytes, std::string> files[] = {
        {ReadBytes(kPictures + "/clipart.png"), "una imatge PNG"},
        {ReadBytes(kPictures + "/photo.jpg"), "una imatge JPEG"},
        {Text("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n<<>>\nendobj\n"), "un document PDF"},
        {Text(std::string("PK\x03\x04\x14\0\0\0\0\0", 10) + std::string(300, 'z')),
         "un arxiu comprimit ZIP"},
    };
    for (const auto& [bytes, kind] : files) {
        ASSERT_GT(bytes.size(), 8u) << kind;
        ScratchFile file(bytes);
        messages_.clear();
        Open(IDC_OPEN_TARGET, file.Path());
        ASSERT_EQ(messages_.size(), 1u) << kind;
        EXPECT_EQ(messages_[0].caption, "Alerta");
        EXPECT_NE(messages_[0].text.find("sembla " + kind + ", no una col·lecció"),
                  std::string::npos)
            << messages_[0].text;
        EXPECT_TRUE(BoxText(IDC_TARGET_NAME).ends_with(L" (només lectura)")) << kind;
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hwnd_, IDC_MOVE_IMAGE))) << kind;
        Command(IDC_MOVE_IMAGE); // the move, were it pressed all the same
        Press(IDC_TARGET_SLOT1, 'V', true);
        Press(IDC_TARGET_SLOT1, 'Z', true);
        EXPECT_EQ(file.Read(), bytes) << kind;
        EXPECT_EQ(messages_.size(), 2u) << "the move refused, saying why: " << kind;
    }
}

// A file of no collection's size asks once before its first write, naming itself and its size,
// "NO" first; "NO" writes nothing, "SI" writes and is not asked again.
TEST_F(Traps, AFileOfNoCollectionsSizeIsWrittenOnlyAfterAYes) {
    ScratchFile bitmap(BmpFile(32, 32, 24));
    Open(IDC_LOAD_IMAGE, bitmap.Path());
    AnswerQuestions();
    for (long size : {0L, 27463L}) {
        Bytes content = PatternBytes(size, 51);
        ScratchFile file(content);
        Open(IDC_OPEN_TARGET, file.Path());
        questions_.clear();
        answer_ = IDCANCEL;
        Command(IDC_MOVE_IMAGE);
        EXPECT_EQ(file.Read(), content) << "NO: " << size;
        ASSERT_EQ(questions_.size(), 1u);
        EXPECT_NE(
            questions_[0].find(file.Path() + " fa " + (size == 0 ? "0" : "27.463") + " bytes"),
            std::string::npos)
            << questions_[0];
        EXPECT_TRUE(noFirst_.back());
        answer_ = IDOK;
        Command(IDC_MOVE_IMAGE);
        EXPECT_NE(file.Read(), content) << "SI: " << size;
        GoTo(IDC_TARGET_GOTO_BOX, L"2");
        Command(IDC_MOVE_IMAGE);
        EXPECT_EQ(questions_.size(), 2u) << "asked once for each file";
    }
    ScratchFile collection(MakeCollection(203775, 52));
    Open(IDC_OPEN_TARGET, collection.Path());
    questions_.clear();
    Command(IDC_MOVE_IMAGE);
    EXPECT_TRUE(questions_.empty()) << "a collection's size asks nothing";
}

// After a command button acted, the keys act on the pane: Right, Right and Enter move the frame
// and write nothing more.
TEST_F(Traps, EnterAfterAMoveWritesNothingMore) {
    ScratchFile bitmap(BmpFile(32, 32, 24)), file(MakeCollection(202752, 53));
    Open(IDC_LOAD_IMAGE, bitmap.Path());
    Open(IDC_OPEN_TARGET, file.Path());
    Command(IDC_MOVE_IMAGE);
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(hwnd_, IDC_TARGET_SLOT1))
        << "the current slot has the keys";
    Bytes moved = file.Read();
    for (UINT key : {VK_RIGHT, VK_RIGHT, VK_RETURN}) {
        KeyToFocus(key);
    }
    EXPECT_EQ(g_nTargetFirst, 3);
    EXPECT_EQ(file.Read(), moved);
    EXPECT_TRUE(::IsWindow(hwnd_)) << "Enter on a slot does not end the program either";
}

// A picture in a format brelt knows of but can't read is named, with the way out; "malmès" is
// for broken files only.
TEST_F(Traps, APictureBreltCannotReadIsNamedWithTheWayOut) {
    const std::pair<Bytes, std::string> files[] = {
        {Text("<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"8\" "
              "height=\"8\"><rect width=\"8\" height=\"8\" fill=\"red\"/></svg>\n"),
         "és un dibuix SVG, un format que brelt no pot llegir en aquest ordinador"},
        {Text(std::string("\0\0\0\x18"
                          "ftypheic\0\0\0\0mif1heic",
                          24) +
              std::string(64, '\0')),
         "és una imatge HEIC, un format que brelt no pot llegir en aquest ordinador"},
        {Text("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"), "no és una imatge: sembla un document PDF."},
    };
    for (const auto& [bytes, said] : files) {
        ScratchFile file(bytes);
        messages_.clear();
        Open(IDC_LOAD_IMAGE, file.Path());
        ASSERT_EQ(messages_.size(), 1u) << said;
        EXPECT_NE(messages_[0].text.find(said), std::string::npos) << messages_[0].text;
        EXPECT_EQ(messages_[0].text.find("malm"), std::string::npos) << messages_[0].text;
        EXPECT_EQ(g_pfImage, nullptr);
        if (said.starts_with("és")) {
            EXPECT_NE(messages_[0].text.find("deseu-la com a PNG"), std::string::npos);
        }
    }
}
