#pragma once

#include "browser/CollectionPane.h"
#include "platform/Afx.h"
#include "platform/ControlAccess.h"
#include "platform/Hook.h"
#include "res/resource.h"

#include "collection/SafeEdit.h"
#include "dialogs/ConversionChoices.h"
#include "dialogs/LibraryRow.h"
#include "dialogs/TextChoices.h"
#include "library/StampPrint.h"
#include "picture/StampConversion.h"
#include "plans/Plans.h"
#include "settings/RecentFiles.h"

#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

struct Command;

// The main window: the image pane, the source and target collection panes and every command.
// Its members are defined by concern: the frame of the window in app/, the panes in browser/
// and the editing commands in commands/.
class CBreltDlg : public CDialog {
public:
    explicit CBreltDlg(CWnd* parent = nullptr);
    ~CBreltDlg() override;

    // Files named on the command line ("Obre amb", or dropped on brelt.exe), opened once the
    // window shows: the first collection as the target, a second as the source, a picture into
    // the image pane.
    void SetStartFiles(std::vector<std::string> files) { m_startFiles = std::move(files); }
    LRESULT OnOpenStartFiles(WPARAM, LPARAM);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    // The commands of the menus and keys, from the one table of commands, before the message map.
    BOOL OnCmdMsg(UINT id, UINT code) override;
    // A menu of the menu bar about to open: filled again, greyed where its commands can't act.
    void OnInitMenuPopup(HMENU popup, UINT index, BOOL systemMenu);

    // When the commands of the table can act: a target that may be written is open; the pane
    // the keys act on is open; there is a change to undo or redo in the target.
    bool CanWriteTarget() const;
    bool CanActOnActivePane() const;
    bool CanUndo() const;
    bool CanRedo() const;
    // The names of the changes Ctrl+Z and Ctrl+Y would take back or do again; empty for none.
    std::wstring UndoSubject() const;
    std::wstring RedoSubject() const;

    // "Nova col·lecció...": a collection made as "Generar" makes it, then opened as the target.
    void OnNewCollection();
    // "Com s'utilitza brelt": the guide beside the program, in the user's browser.
    void OnHelpGuide();
    void OnAbout();
    // "Versions anteriors...": an earlier state of the target chosen, compared with the file and
    // its images brought back as one change.
    void OnPreviousVersions();
    void OnCompareWith();
    void OnLibrary();
    void OnLibraryRepeats();
    void OnSearchStamp();
    void OnSearchPicture();
    // The library's window in a way of it (a CLibraryDlg::Mode), over owner (null: this
    // window); what is chosen there, opened in its pane.
    std::optional<LibraryChoice>
    ChooseInLibrary(int mode, const std::optional<library::StampColours>& query, CWnd* owner);
    void OpenInPane(const LibraryChoice& chosen);
    void RunLibrary(int mode, const std::optional<library::StampColours>& query);
    // A picture as the library compares it, converted as the conversion dialog would start.
    std::optional<library::StampColours> StampOfPicture(const picture::Picture& picture);
    // A pane's image as the library compares it; nothing, said, when it can't be read.
    std::optional<library::StampColours> StampToSearch(const CCollectionPane& pane, int image);

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
    CPicture m_picTarget5;
    CPicture m_picTarget4;
    CPicture m_picTarget3;
    CPicture m_picSource5;
    CPicture m_picTarget2;
    CPicture m_picSource4;
    CPicture m_picSource3;
    CPicture m_picSource2;
    CPicture m_picSource1;
    CButton m_btnGoToSource;
    CPicture m_picTarget1;
    CPicture m_picImage;
    HICON m_hIcon;

    // Window frame
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    // A file dropped from the desktop: a picture onto the image pane or a target slot, a
    // collection onto a pane.
    void OnDropFiles(HDROP drop);
    // A file dropped at point (client coordinates), or pasted as one on the current target slot.
    void TakeFile(const std::string& file, POINT point);
    // A right click on a slot of an open pane (or Shift+F10, the Menu key): that slot becomes
    // current and the pane's menu opens.
    void OnContextMenu(HWND window, POINT screenPoint);
    // The tool tips of the slots and the image pane ask here what they show.
    void OnNotify(NMHDR* header, LRESULT* result);

    // Left, Right, Page Up, Page Down, Home and End move the active pane's current image, Ctrl+Z
    // and Ctrl+Y undo and redo; true when key was one of them, sent to the dialog or one of its
    // controls but a go-to box.
    bool OnPaneKey(HWND target, UINT key);

    // The commands of that menu, on the active pane
    // "Edita la imatge...": the current target image in the stamp editor, written back as one
    // change. EditImage does it for any image, with the editor owned by parent (the overview).
    void OnEditImage();
    void EditImage(int image, CWnd* parent);
    void OnShowOverview();
    void OnSaveImagePng();
    void OnExportCollectionPng();
    void OnPrint();
    void OnImportPicturesHere();
    // Ctrl+C and "Copia la imatge": the current stamp of the active pane, or of the image pane,
    // on the clipboard as CF_DIB and "PNG". Ctrl+V and "Enganxa aquí": the clipboard's picture
    // into the current target image.
    void OnCopyImage();
    void OnCopyLoadedImage();
    void OnPasteHere();
    // "Importa un full de segells...": a picture cut into cells, into images from the current one.
    void OnImportSheet();
    // "Crea segells de text...": text in a font as one stamp or a stamp for each character.
    void OnCreateTextStamps();
    // Asks before a sheet fills more than one image, or leaves cells out: true for "SI".
    bool ConfirmSheetImport(const std::vector<int>& images, const std::vector<int>& cells);
    // "Fes lloc aquí...": the shift of old, from the current target image.
    void OnMakeRoom() { OnShiftCollection(); }
    // Ctrl+Z and Ctrl+Y, and the menu's "Desfés" and "Refés": the last change to a collection
    // taken back, or done again.
    void OnUndo();
    void OnRedo();

    // Collection panes
    void OnOpenSource();
    void OnOpenTarget();
    void OnSourcePrev();
    void OnSourceNext();
    void OnSourceGoTo();
    void OnTargetPrev();
    void OnTargetNext();
    void OnTargetGoTo();
    // Whether window is one of the ten slots.
    bool IsSlot(HWND window) const;
    // A double click on a target slot edits its image.
    void OnSlotDoubleClicked(UINT slotId);
    // A click on any slot, from the handler of each slot of the message map.
    void OnSlotClicked(UINT slotId);
    // A slot took the focus (Tab reaches each pane by its first slot): the keys act on its pane.
    void OnSlotFocus(HWND slot);
    void OnSourceSlot1() { OnSlotClicked(IDC_SOURCE_SLOT1); }
    void OnSourceSlot2() { OnSlotClicked(IDC_SOURCE_SLOT2); }
    void OnSourceSlot3() { OnSlotClicked(IDC_SOURCE_SLOT3); }
    void OnSourceSlot4() { OnSlotClicked(IDC_SOURCE_SLOT4); }
    void OnSourceSlot5() { OnSlotClicked(IDC_SOURCE_SLOT5); }
    void OnTargetSlot1() { OnSlotClicked(IDC_TARGET_SLOT1); }
    void OnTargetSlot2() { OnSlotClicked(IDC_TARGET_SLOT2); }
    void OnTargetSlot3() { OnSlotClicked(IDC_TARGET_SLOT3); }
    void OnTargetSlot4() { OnSlotClicked(IDC_TARGET_SLOT4); }
    void OnTargetSlot5() { OnSlotClicked(IDC_TARGET_SLOT5); }

    // Editing commands
    void OnLoadImage();
    void OnMoveImageToCollection();
    void OnMoveToCollection();
    void OnShiftCollection();
    void OnGenerateCollection();
    // A collection made from the template where the user says; its path, or nothing.
    std::optional<std::string> CreateNewCollection();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // On a monitor of another DPI: the go-to boxes' face and the stamps' zoom made again.
    void OnDpiChanged(int dpi) override;

    DECLARE_MESSAGE_MAP()

private:
    // A refusal or a failure: a message box with the caption "Alerta", owned by the dialog.
    void Alert(const std::string& text, UINT icon = MB_ICONHAND);
    // A success worth saying: the caption "brelt" and the information icon.
    void Inform(const std::string& text);

    // The menu bar and the status bar, added to the window at run time: the window grows by
    // their height so that the template's controls keep their places.
    void AddMenuAndStatusBar();
    void FitFrameToControls();
    void CreateMenuBar();
    void RunCommand(const Command& command);
    std::wstring MenuItemText(const Command& command, bool paneMenu) const;
    // Fills menu with the commands of items, each enabled or greyed as it can act now.
    void FillMenu(HMENU menu, const std::vector<UINT>& items, bool paneMenu);
    void ShowPaneMenu(const CCollectionPane& pane, POINT screenPoint);
    // The status bar: the pane the keys act on and its image, what Ctrl+Z would undo.
    void UpdateStatusBar();
    LRESULT OnUpdateStatus(WPARAM, LPARAM);
    bool m_statusPosted = false;
    std::wstring PaneStatus() const;
    CStatusBar m_statusBar;
    // After a command button acted, the keys go to the active pane's current slot.
    void FocusCurrentSlot();

    // "Col·leccions recents": the last collections opened, kept between runs.
    void RememberRecent(const std::string& path);
    void AppendRecentMenu(HMENU menu);
    void OpenRecent(int index);
    settings::RecentFiles m_recent;
    std::vector<std::string> m_recentShown; // as the submenu listed them when it was filled

    // Whether the target may be written now: not a file that is no collection, and a file of
    // an unusual size only once the user has said so.
    bool MayWriteTarget();
    std::set<std::string> m_unusualSizeAccepted; // by key
    bool m_sourceReadOnly = false, m_targetReadOnly = false;

    // The move buttons can be pressed only when they have something to move.
    void UpdateMoveButtons();
    // The go-to boxes show three digits whole: no inner margins, the dialog's face a point
    // smaller.
    void FitGoToBoxes();
    CFont m_goToFont;
    // What each slot and the image pane show, told in a tool tip.
    void CreateToolTips();
    std::string ToolTipText(HWND control) const;
    // The slots and the loaded picture to a screen reader (SlotAccess.cpp).
    CControlAccess::Words WordsFor(HWND control) const;
    void CreateAccessibility();
    void TellSlotsChanged() const;
    CToolTips m_toolTips;
    std::vector<std::unique_ptr<CControlAccess>> m_controlAccess;
    // Where PNG files were last saved in this session; the Pictures folder at first.
    std::string PngFolder() const;
    std::string m_pngFolder;

    // The red frame, drawn whenever a framed slot paints so that it survives any repaint.
    void InstallSlotFrames();
    static LRESULT CALLBACK SlotProc(HWND slot, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR subclassId, DWORD_PTR dialog);
    bool IsFramed(HWND slot) const;
    // The dotted focus around the slot that has the focus, drawn on the dialog around it, and
    // again by a group box that paints over it.
    static RECT FocusRectAround(HWND slot);
    void DrawSlotFocus(HDC dc, HWND drawnOn) const;
    static LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR subclassId, DWORD_PTR dialog);

    // The image pane: loads a picture, through the conversion dialog unless it is an exact
    // 32x32, 24-bit bitmap; true when the pane then holds it. HoldImage makes an accepted bitmap
    // the pane's; ReleaseImage closes the one held.
    bool LoadImageFile(const std::string& path, const std::string& name);
    void HoldImage(std::FILE* bitmap, long pixelOffset, const std::string& name);
    void ReleaseImage();

    // Writes stamp over the current target image as the change `what`.
    void WriteStamp(const std::string& what, const picture::Stamp& stamp);
    // A picture made a stamp: straight when it is 32x32, through "Converteix la imatge en segell"
    // otherwise; nothing when the user cancels.
    std::optional<picture::Stamp> StampOf(picture::Picture picture);
    // What the user last chose in the conversion dialog, for the next picture.
    ConversionChoices m_conversionChoices;
    TextChoices m_textChoices;

    // Images of a pane as "<collection>-NNN.png" into a folder the user chooses, with the
    // printable sheet when withSheet; questions owned by owner (the overview), or the window.
    // "Imprimeix": the system's print dialog, then the page dialog, then the pages printed.
    void PrintImages(const CCollectionPane& pane, const std::vector<int>& images, CWnd* owner);
    void ExportImagesPng(const CCollectionPane& pane, const std::vector<int>& images,
                         bool withSheet, const std::string& title, CWnd* owner);
    // The overview's commands that write: the target reordered as order says, the confirmation
    // that shows the image an insertion loses, images of the source copied into the target from
    // its current image.
    void ReorderTarget(const std::string& what, const plans::Order& order);
    bool ConfirmLoss(int last, CWnd* owner);
    void CopyToTarget(const std::vector<int>& images, CWnd* owner);

    std::string m_sourcePath;
    std::vector<std::string> m_startFiles;

    // Every change to the target collection, undo and redo too, goes through here: the check
    // that the file is as brelt left it, the backup when one is due, the areas before and after
    // for undo, the repainting of every pane that shows the file and the user's message.
    EditOutcome EditCollection(const std::string& what, const std::vector<int>& images,
                               const EditFunction& edit);
    void ReplayChange(bool undo);
    void ReportEdit(const EditOutcome& outcome, const std::string& what, bool replay);
    // Shows again, in both panes, every slot that shows one of images of the target collection.
    void ShowWrittenImages(const std::vector<int>& images);
    // Each collection's history, read from its log the first time it is asked for (mutable:
    // asking is what reads it).
    mutable ChangeHistory m_history;
    CollectionHistory& TargetHistory() const;
    // A collection just opened: its history read, a step its journal shows cut short finished or
    // taken back, and the user told.
    void SettleHistory(const CCollectionPane& pane);
    void ReportHistoryOpened(CollectionHistory::Opened opened, const std::string& path);
    void ReportRecovery(const Recovery& recovery, const std::string& path);
    // A history whose file someone else has changed since brelt left it: forgotten, and said.
    void ForgetIfChangedOutside(CollectionHistory& history, std::FILE* stream,
                                const std::string& path);
    // An earlier state of the target: one its history reaches (after `step` of its changes), or
    // a backup's file.
    struct Version {
        std::string label;
        std::size_t step;
        std::string backup;
    };
    std::vector<Version> PreviousVersions() const;
    // images copied from content (a collection's bytes) into the target as one change, named so;
    // report said when it is done.
    void WriteImagesFrom(const FileBytes& content, const std::vector<int>& images,
                         const std::string& change, const std::string& report);
    // At start: every collection with a step cut short, settled.
    LRESULT OnRecoverAtStart(WPARAM, LPARAM);
    LRESULT OnWindowDestroyed(WPARAM, LPARAM);
    // The newest copy of each collection made in this session, by key.
    std::map<std::string, std::string> m_lastBackups;
    // The collections the panes show, as the system resolves their paths.
    std::string m_sourceKey, m_targetKey;

    // The keys of the panes, from start-up to the end.
    void InstallPaneKeys();
    void RemovePaneKeys();
    std::optional<CWindowsHook> m_paneKeys;

    // The two panes; the one clicked last, which the keys and the context menu act on.
    CCollectionPane m_sourcePane, m_targetPane;
    CCollectionPane& SourcePane() { return m_sourcePane; }
    const CCollectionPane& SourcePane() const { return m_sourcePane; }
    CCollectionPane& TargetPane() { return m_targetPane; }
    const CCollectionPane& TargetPane() const { return m_targetPane; }
    // ShowPane's rule: 1 is the source, any other number the target.
    CCollectionPane& PaneByNumber(int number) { return number == 1 ? m_sourcePane : m_targetPane; }
    CCollectionPane& ActivePane() { return PaneByNumber(m_activePane); }
    const CCollectionPane& ActivePane() const {
        return m_activePane == 1 ? m_sourcePane : m_targetPane;
    }
    int m_activePane = 2;
    // After a pane's current image moved: both frames where they now belong.
    void ShowFrames();

    // Collection panes
    void OpenCollection(CCollectionPane& pane);
    // True when the pane then shows the file.
    bool OpenCollectionFile(CCollectionPane& pane, std::string path, const std::string& name);
    struct PaneStream {
        std::FILE* stream;
        bool readOnly;
        bool accessDenied;
    };
    PaneStream OpenPaneStream(const CCollectionPane& pane, const std::string& path);
    void ShowOpenedCollection(CCollectionPane& pane, const std::string& path,
                              const std::string& name, const PaneStream& opened);
    // Chosen collections whose VirtualStore copy the user has been told of.
    std::set<std::string> m_toldVirtualStore;
    // Makes the image typed in pane's go-to box current, or says there is none.
    void GoToTyped(CCollectionPane& pane);
};
