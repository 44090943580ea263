#pragma once

#include "platform/Afx.h"

#include <cstdio>
#include <string>
#include <vector>

struct Pane;

// The main window: the image pane, the source and target collection panes and every command.
// Its members are defined by concern: the frame of the window in app/, the panes in browser/
// and the editing commands in commands/.
class CBreltDlg : public CDialog {
public:
    explicit CBreltDlg(CWnd* parent = nullptr);
    ~CBreltDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // Image export, for the panes and the commands; they need nothing of the dialog's state.
    void ExportImage(std::FILE* collection, const char* path, int imageNumber);
    void WriteBmpHeader(std::FILE* dst);

    // Pane display
    void ShowPane(int nPane, int nFirst);
    void ShowTargetShiftPreview();
    void HighlightSelection(int nSourceSlot, int nTargetSlot);

    // Bound controls
    CButton m_grpSource;
    CButton m_grpTarget;
    CStatic m_txtTargetName;
    CStatic m_txtSourceName;
    CStatic m_txtImageName;
    CStatic m_picTarget5;
    CStatic m_picTarget4;
    CStatic m_picTarget3;
    CStatic m_picSource5;
    CStatic m_picTarget2;
    CStatic m_picSource4;
    CStatic m_picSource3;
    CStatic m_picSource2;
    CStatic m_picSource1;
    CButton m_btnGoToSource;
    CStatic m_picTarget1;
    CStatic m_picImage;
    HICON m_hIcon;

    // Window frame
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();

    // Collection panes
    void OnOpenSource();
    void OnOpenTarget();
    void OnSourcePrev();
    void OnSourceNext();
    void OnSourceGoTo();
    void OnTargetPrev();
    void OnTargetNext();
    void OnTargetGoTo();
    void OnSourceSlot1();
    void OnSourceSlot2();
    void OnSourceSlot3();
    void OnSourceSlot4();
    void OnSourceSlot5();
    void OnTargetSlot1();
    void OnTargetSlot2();
    void OnTargetSlot3();
    void OnTargetSlot4();
    void OnTargetSlot5();

    // Editing commands
    void OnLoadImage();
    void OnMoveImageToCollection();
    void OnMoveToCollection();
    void OnShiftCollection();
    void OnGenerateCollection();

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()

private:
    // Pane display
    void ShowSlotImages(const Pane& pane, int fromSlot, const std::vector<int>& images);
    void SetSlotBitmap(int controlId, HBITMAP bitmap);
    HBITMAP LoadDisplayBitmap(const std::string& path) const;

    // The red frame, drawn whenever a framed slot paints so that it survives any repaint.
    void InstallSlotFrames();
    static LRESULT CALLBACK SlotProc(HWND slot, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR subclassId, DWORD_PTR dialog);
    bool IsFramed(HWND slot) const;
    int m_framedSourceSlot = -1;
    int m_framedTargetSlot = -1;

    // Collection panes
    void OpenCollection(const Pane& pane);
    void SelectSlot(const Pane& pane, int slot);
    void ShowPrevious(const Pane& pane);
    void ShowNext(const Pane& pane);
    void GoTo(const Pane& pane);

    // Editing commands
    void ShowStoredTargetImage();
    void Alert(const std::string& text, UINT icon = MB_ICONHAND);
};
