#include "BrowserFixture.h"

#include "app/LibraryFolder.h"
#include "app/ProgramState.h"
#include "res/resource.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Sets an environment variable while it lives.
class ScopedVariable {
public:
    ScopedVariable(const wchar_t* name, const std::string& value) : name_(name) {
        wchar_t previous[1024] = {};
        had_ = ::GetEnvironmentVariableW(name, previous, 1024) > 0;
        previous_ = previous;
        ::SetEnvironmentVariableW(name, Widen(value).c_str());
    }
    ~ScopedVariable() { ::SetEnvironmentVariableW(name_, had_ ? previous_.c_str() : nullptr); }

private:
    const wchar_t* name_;
    std::wstring previous_;
    bool had_;
};

void WriteFile(const std::string& path, const Bytes& content) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    std::fwrite(content.data(), 1, content.size(), f);
    std::fclose(f);
}

const char* const kUnderProgramFiles = "\\Orvane\\Krimbo\\Biblioteques\\Segells";

// A file the system refuses to open for writing, even to root, yet lets anyone read.
const char* const kDeniedFile = "Z:\\sys\\kernel\\notes";

} // namespace

// Program Files of our own, and a LOCALAPPDATA, in a folder made for the test.
class Library : public BrowserTest {
protected:
    std::string root_ =
        (fs::temp_directory_path() / ("brelt-library-" + std::to_string(::GetTickCount())))
            .string();
    ScopedVariable x86_{L"ProgramFiles(x86)", root_ + "\\Program Files (x86)"};
    ScopedVariable programFiles_{L"ProgramFiles", root_ + "\\Program Files"};
    ScopedVariable localAppData_{L"LOCALAPPDATA", root_ + "\\Local"};

    void SetUp() override {
        BrowserTest::SetUp();
        ::SetEnvironmentVariableW(L"LOCALAPPDATA", Widen(root_ + "\\Local").c_str());
    }
    void TearDown() override {
        BrowserTest::TearDown();
        fs::remove_all(root_);
    }
};

TEST_F(Library, TheFileDialogsStartInTheFirstLibraryFolderThatExists) {
    std::string documents = LibraryFolder();
    EXPECT_TRUE(documents.ends_with("\\Documents")) << documents;
    for (const std::string& folder :
         {root_ + "\\Program Files" + kUnderProgramFiles,
          root_ + "\\Program Files (x86)" + kUnderProgramFiles, g_strLibraryDir}) {
        fs::create_directories(folder);
        EXPECT_EQ(LibraryFolder(), folder);
    }
    Open(IDC_OPEN_TARGET, "");
    EXPECT_EQ(lastFileDialogFolder_, g_strLibraryDir);
    fs::remove_all("C:\\Archivos de Programa");
    Open(IDC_GENERATE_COLLECTION, "");
    EXPECT_EQ(lastFileDialogFolder_, root_ + "\\Program Files (x86)" + kUnderProgramFiles);
}

TEST_F(Library, ACollectionUnderProgramFilesOpensAsTheCopyThePaintProgramSees) {
    std::string chosen = root_ + "\\Program Files (x86)\\Orvane\\a.sgc";
    std::string copy = root_ + "\\Local\\VirtualStore" + chosen.substr(2);
    fs::create_directories(fs::path(copy).parent_path());
    fs::create_directories(fs::path(chosen).parent_path());
    EXPECT_EQ(VirtualStoreCopy(chosen), "") << "no copy yet";
    Bytes original = MakeCollection(202752, 81), changed = MakeCollection(202752, 82);
    WriteFile(chosen, original);
    WriteFile(copy, changed);
    EXPECT_EQ(VirtualStoreCopy(chosen), copy);
    EXPECT_EQ(VirtualStoreCopy(copy), "") << "outside Program Files";

    Open(IDC_OPEN_TARGET, chosen);
    EXPECT_EQ(g_strTargetPath, copy);
    ExpectStrip(kTargetSlots, changed, 1);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].text.find(chosen), std::string::npos);
    EXPECT_NE(messages_[0].text.find(copy), std::string::npos);
    Open(IDC_OPEN_SOURCE, chosen);
    EXPECT_EQ(messages_.size(), 1u) << "told once";
}

TEST_F(Library, WhatOnlyAnAdministratorMayChangeIsReadAsSourceAndRefusedAsTarget) {
    ASSERT_TRUE(fs::exists(kDeniedFile));
    Open(IDC_OPEN_SOURCE, kDeniedFile);
    ASSERT_NE(g_pfSource, nullptr);
    EXPECT_EQ(BoxText(IDC_SOURCE_NAME), L"notes (només lectura)");
    EXPECT_TRUE(messages_.empty());

    for (int button : {IDC_OPEN_TARGET, IDC_GENERATE_COLLECTION}) {
        messages_.clear();
        Open(button, button == IDC_OPEN_TARGET ? kDeniedFile : "Z:\\sys\\kernel\\nova.sgc");
        EXPECT_EQ(g_pfTarget, nullptr);
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_NE(messages_[0].text.find("administrador"), std::string::npos) << button;
        EXPECT_NE(messages_[0].text.find("Documents"), std::string::npos) << button;
    }
    EXPECT_FALSE(fs::exists("Z:\\sys\\kernel\\nova.sgc"));
}

TEST_F(Library, ACollectionInUseOpensReadOnlyAsSourceAndItsBytesStay) {
    Bytes collection = MakeCollection(202752, 83);
    ScratchFile file(collection), target(MakeCollection(202752, 84));
    HANDLE other = ::CreateFileW(Widen(file.Path()).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    Open(IDC_OPEN_SOURCE, file.Path());
    Open(IDC_OPEN_TARGET, target.Path());
    Command(IDC_MOVE_TO_COLLECTION);
    ::CloseHandle(other);
    ASSERT_NE(g_pfSource, nullptr);
    EXPECT_NE(BoxText(IDC_SOURCE_NAME).find(L"(només lectura)"), std::wstring::npos);
    ExpectStrip(kSourceSlots, collection, 1);
    EXPECT_EQ(PixelArea(target.Read(), 1), PixelArea(collection, 1));
    EXPECT_EQ(file.Read(), collection);
    EXPECT_TRUE(messages_.empty());
}
