#include "BrowserFixture.h"

#include "app/ProgramState.h"
#include "res/resource.h"

#include <shlobj.h>

namespace {

// A collection file with the extension that tells it from a picture.
struct SgcFile {
    explicit SgcFile(const Bytes& content) : path(ScratchFile().Path() + ".sgc") {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(content.data(), 1, content.size(), f);
        std::fclose(f);
    }
    ~SgcFile() { std::remove(path.c_str()); }
    Bytes Read() const {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        Bytes content;
        for (int c; (c = std::fgetc(f)) != EOF;) {
            content.push_back(static_cast<std::uint8_t>(c));
        }
        std::fclose(f);
        return content;
    }
    std::string path;
};

} // namespace

class Drop : public BrowserTest {
protected:
    // Drops path on the middle of control id.
    void DropOn(int id, const std::string& path) {
        RECT r = ControlRect(::GetDlgItem(hwnd_, id));
        HDROP drop = DropOf(path, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        ::SendMessageW(hwnd_, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    }
};

TEST_F(Drop, CollectionsOpenInThePaneAndPicturesLoadOrGoStraightIntoATargetImage) {
    Bytes source = MakeCollection(202752, 91), collection = MakeCollection(231424, 92);
    SgcFile sourceFile(source), targetFile(collection);
    Bytes pixels = PatternBytes(3072, 93);
    ScratchFile bitmap(BmpFile(32, 32, 24, 0, 40, pixels));

    DropOn(IDC_SOURCE_SLOT3, sourceFile.path);
    DropOn(IDC_TARGET_SLOT3, targetFile.path);
    ASSERT_NE(g_pfSource, nullptr);
    ASSERT_NE(g_pfTarget, nullptr);
    EXPECT_EQ(g_nTargetCount, 112);
    ExpectStrip(kSourceSlots, source, 1);

    DropOn(IDC_IMAGE_PICTURE, bitmap.Path());
    EXPECT_NE(g_pfImage, nullptr);
    DropOn(IDC_TARGET_SLOT4, bitmap.Path()); // the fourth target slot
    EXPECT_EQ(g_nTargetFirst, 4);
    EXPECT_EQ(FramedSlot(kTargetSlots), 3);
    Bytes expected = collection;
    SetPixelArea(expected, 4, Expected16From24(ReverseRows(pixels, 96)));
    EXPECT_EQ(targetFile.Read(), expected);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Drop, AnythingElseIsExplainedAndChangesNothing) {
    SgcFile collection(MakeCollection());
    ScratchFile bitmap(BmpFile(32, 32, 24));
    DropOn(IDC_IMAGE_PICTURE, collection.path); // a collection on the image pane
    DropOn(IDC_SOURCE_SLOT2, bitmap.Path());    // a picture on the source
    DropOn(IDC_TARGET_SLOT2, bitmap.Path());    // a picture on a target slot with no target open
    EXPECT_EQ(messages_.size(), 3u);
    EXPECT_EQ(g_pfImage, nullptr);
    EXPECT_EQ(g_pfSource, nullptr);
    EXPECT_EQ(g_pfTarget, nullptr);
    EXPECT_EQ(collection.Read(), MakeCollection());
}
