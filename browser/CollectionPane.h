#pragma once

#include <windows.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

class CPicture;

// One of the main window's two collection panes: five slots, a go-to box and a name label; the
// images it shows, its red frame and its current image. Its state is the program-state globals
// of its side, which it reads and writes; commands ask it and tell it, and never touch its
// controls themselves.
class CCollectionPane {
public:
    enum class Side { Source = 1, Target = 2 }; // the numbers ShowPane takes
    // The globals that hold the pane's state.
    struct State {
        std::FILE*& stream;
        int& count;
        int& current;      // the current image's number
        int& selected;     // the slot, 0 to 4, that shows it
        std::string& path; // the collection's file, as the user chose it
    };
    struct Controls {
        std::array<int, 5> slotIds;
        std::array<const char*, 5> displayFiles; // the slots' pictures pass through these
        int goToBox;
        int nameLabel;
    };

    CCollectionPane(Side side, State state, Controls controls);
    CCollectionPane(const CCollectionPane&) = delete;
    CCollectionPane& operator=(const CCollectionPane&) = delete;

    // The dialog's controls, its slots' picture objects among them.
    void Attach(HWND dialog, const std::array<CPicture*, 5>& slots);

    int Number() const { return static_cast<int>(m_side); }
    bool IsSource() const { return m_side == Side::Source; }
    bool IsOpen() const { return m_state.stream != nullptr; }
    std::FILE* Stream() const { return m_state.stream; }
    // The global that holds the stream, for an edit that may open the file again.
    std::FILE*& StreamVariable() const { return m_state.stream; }
    int Count() const { return m_state.count; }
    int Current() const { return m_state.current; }
    int SelectedSlot() const { return m_state.selected; }
    int FirstShown() const { return m_state.current - m_state.selected; }
    const std::string& Path() const { return m_state.path; }

    // The slot under a point of the dialog's client area, or of a window; -1 for none.
    int SlotAt(POINT clientPoint) const;
    int SlotOf(HWND window) const;
    HWND SlotWindow(int slot) const;
    // The window of the slot that shows the current image; nullptr while nothing is open.
    HWND CurrentSlotWindow() const;
    HWND GoToBox() const;
    // The number typed in the go-to box: 0 for anything that is no whole number.
    int TypedNumber() const;

    // A collection just opened: the stream it takes over (closing its own), its first images,
    // its name (said read only where it is).
    void Open(std::FILE* stream, int count, const std::string& name, bool readOnly);
    // The five slots from image first on, as the file holds them now.
    void ShowFrom(int first) const;
    // images in the slots from fromSlot on.
    void ShowImages(int fromSlot, const std::vector<int>& images) const;
    // The current image as the file now holds it, through the pane's first display file.
    void ShowCurrentAsStored() const;
    // The slots that show any of images, as the file now holds them.
    void ShowWritten(const std::vector<int>& images) const;

    // The current image moves: to slot's, one back or on (false where there is none), to a
    // number keeping the frame's slot where the strip can move with it, or to a number as the
    // go-to box takes it.
    void SelectSlot(int slot);
    bool MovePrevious();
    bool MoveNext();
    void MoveTo(int number);
    void GoToImage(int number);

    // The red frame around slot (-1 for none): the slots whose frame comes or goes are painted
    // again.
    void Frame(int slot);
    bool IsFramed(HWND slot) const;
    // The stamps shown again at the zoom the slots hold now.
    void RefreshZoom() const;

private:
    void ShowNumber() const;

    Side m_side;
    State m_state;
    Controls m_controls;
    HWND m_dialog = nullptr;
    std::array<CPicture*, 5> m_slots{};
    int m_framed = -1;
};
