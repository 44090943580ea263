#pragma once

#include "../collection/TestFiles.h"
#include "GuiTestSupport.h"

#include "app/breltDlg.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A live main dialog whose file dialogs and message boxes are answered by the test.
class BrowserTest : public ::testing::Test {
protected:
    struct Message {
        std::string text, caption;
        UINT type;
    };

    void SetUp() override;
    void TearDown() override;

    // Opens file in a pane through its "Buscar..." button (1002 source, 1011 target).
    void Open(int button, const std::string& path);
    void Command(int id);
    void GoTo(int box, const std::wstring& text); // types text and clicks the pane's "Anar a ..."

    // A key pressed with the focus on control, through the filter the dialog's modal loop runs
    // before the dialog manager; with Ctrl held when control is true.
    void Press(int controlId, UINT key, bool control = false);
    std::wstring BoxText(int id) const;
    std::vector<unsigned> SlotPixels(int slotId) const;
    // The slot (0..4) whose frame is on screen, -1 for none; fails the test for two.
    int FramedSlot(const int (&slotIds)[5]) const;
    // Every slot of the pane shows images first..first+4 of collection.
    void ExpectStrip(const int (&slotIds)[5], const Bytes& collection, int first) const;

    CBreltDlg dialog_;
    HWND hwnd_ = nullptr;
    std::string local_; // the test's LOCALAPPDATA
    std::wstring previousLocal_;
    std::string nextPath_;
    std::vector<CFileDialog*> fileDialogs_;
    std::vector<Message> messages_;
    // Templates of the dialogs the program asked to show; each was answered IDCANCEL.
    std::vector<UINT> dialogsShown_;
    std::wstring lastFileDialogTitle_;
    DWORD lastFileDialogFlags_ = 0;
    std::string lastFileDialogFilter_, lastFileDialogFolder_;
    BOOL lastFileDialogOpen_ = FALSE;
};

// The attributes that a collection loses when it is opened or created. (Wine reports every
// ordinary file as archived, so archive can't be told apart from normal there.)
inline constexpr DWORD kRestrictive =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

inline constexpr int kSourceSlots[5] = {IDC_SOURCE_SLOT1, IDC_SOURCE_SLOT2, IDC_SOURCE_SLOT3,
                                        IDC_SOURCE_SLOT4, IDC_SOURCE_SLOT5};
inline constexpr int kTargetSlots[5] = {IDC_TARGET_SLOT1, IDC_TARGET_SLOT2, IDC_TARGET_SLOT3,
                                        IDC_TARGET_SLOT4, IDC_TARGET_SLOT5};

// The colours, top row first, that image n of a collection shows (0xRRGGBB).
std::vector<unsigned> ImageColours(const Bytes& collection, int n);
