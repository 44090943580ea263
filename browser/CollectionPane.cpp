#include "browser/CollectionPane.h"

#include "app/DisplayFiles.h"
#include "collection/BitmapExport.h"
#include "platform/Bitmap.h"
#include "platform/Picture.h"
#include "platform/Text.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

// The number in a go-to box: a signed decimal number with optional blanks around it. Anything
// else (letters, "12abc", a number beyond 32 bits, nothing) gives 0, which go-to refuses.
int ParseGoToNumber(const std::string& text) {
    std::size_t begin = text.find_first_not_of(" \t");
    std::size_t end = text.find_last_not_of(" \t");
    if (begin == std::string::npos) {
        return 0;
    }
    std::string number = text.substr(begin, end - begin + 1);
    errno = 0;
    char* stop = nullptr;
    long long value = std::strtoll(number.c_str(), &stop, 10);
    bool whole = stop == number.c_str() + number.size() &&
                 (number[0] == '-' || number[0] == '+' || (number[0] >= '0' && number[0] <= '9'));
    if (!whole || errno == ERANGE || value < INT_MIN || value > INT_MAX) {
        return 0;
    }
    return static_cast<int>(value);
}

} // namespace

CCollectionPane::CCollectionPane(Side side, State state, Controls controls)
    : m_side(side), m_state(state), m_controls(controls) {}

void CCollectionPane::Attach(HWND dialog, const std::array<CPicture*, 5>& slots) {
    m_dialog = dialog;
    m_slots = slots;
}

int CCollectionPane::SlotAt(POINT clientPoint) const {
    for (int slot = 0; slot < 5; ++slot) {
        RECT rect;
        ::GetWindowRect(SlotWindow(slot), &rect);
        ::MapWindowPoints(HWND_DESKTOP, m_dialog, reinterpret_cast<POINT*>(&rect), 2);
        if (::PtInRect(&rect, clientPoint)) {
            return slot;
        }
    }
    return -1;
}

int CCollectionPane::SlotOf(HWND window) const {
    for (int slot = 0; slot < 5; ++slot) {
        if (window != nullptr && SlotWindow(slot) == window) {
            return slot;
        }
    }
    return -1;
}

HWND CCollectionPane::SlotWindow(int slot) const {
    return slot >= 0 && slot < 5 ? ::GetDlgItem(m_dialog, m_controls.slotIds[slot]) : nullptr;
}

HWND CCollectionPane::CurrentSlotWindow() const {
    return IsOpen() ? SlotWindow(m_state.selected) : nullptr;
}

HWND CCollectionPane::GoToBox() const {
    return ::GetDlgItem(m_dialog, m_controls.goToBox);
}

int CCollectionPane::TypedNumber() const {
    return ParseGoToNumber(CWnd(GoToBox()).GetWindowText());
}

void CCollectionPane::Open(std::FILE* stream, int count, const std::string& name, bool readOnly) {
    m_state.current = 1;
    m_state.selected = 0;
    if (m_state.stream != nullptr) {
        std::fclose(m_state.stream);
    }
    m_state.stream = stream;
    m_state.count = count;
    ShowFrom(1);
    ShowNumber();
    ::SetDlgItemTextW(m_dialog, m_controls.nameLabel,
                      Widen(readOnly ? name + " (només lectura)" : name).c_str());
}

void CCollectionPane::ShowFrom(int first) const {
    ShowImages(0, {first, first + 1, first + 2, first + 3, first + 4});
}

void CCollectionPane::ShowImages(int fromSlot, const std::vector<int>& images) const {
    // Every image is exported before any is loaded, and all are loaded before any is shown.
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < images.size(); ++i) {
        paths.push_back(DisplayFilePath(m_controls.displayFiles[fromSlot + i]));
        ExportImage(m_state.stream, paths.back().c_str(), images[i]);
    }
    std::vector<CBitmap> bitmaps;
    for (const std::string& path : paths) {
        bitmaps.push_back(CBitmap::LoadFromFile(path, 32, 32));
    }
    for (std::size_t i = 0; i < bitmaps.size(); ++i) {
        m_slots[static_cast<std::size_t>(fromSlot) + i]->SetStamp(bitmaps[i]);
    }
}

void CCollectionPane::ShowCurrentAsStored() const {
    std::string path = DisplayFilePath(m_controls.displayFiles[0]);
    ExportImage(m_state.stream, path.c_str(), m_state.current);
    CBitmap bitmap = CBitmap::LoadFromFile(path, 32, 32);
    if (m_state.selected >= 0 && m_state.selected <= 4) {
        m_slots[static_cast<std::size_t>(m_state.selected)]->SetStamp(bitmap);
    }
}

void CCollectionPane::ShowWritten(const std::vector<int>& images) const {
    auto written = [&](int image) {
        return std::find(images.begin(), images.end(), image) != images.end();
    };
    // Runs of slots together: every image exported, then every one loaded. The target's current
    // image goes through the move commands' own display file.
    const int first = FirstShown();
    for (int slot = 0; slot < 5;) {
        const bool current = !IsSource() && slot == m_state.selected;
        if (!written(first + slot)) {
            ++slot;
        } else if (current) {
            ShowCurrentAsStored();
            ++slot;
        } else {
            std::vector<int> run;
            for (; slot < 5 && written(first + slot) && !(!IsSource() && slot == m_state.selected);
                 ++slot) {
                run.push_back(first + slot);
            }
            ShowImages(slot - static_cast<int>(run.size()), run);
        }
    }
}

void CCollectionPane::SelectSlot(int slot) {
    // The strip stays: the current image moves with the frame.
    m_state.current += slot - m_state.selected;
    m_state.selected = slot;
    ShowNumber();
}

bool CCollectionPane::MovePrevious() {
    if (m_state.current <= 1 || !IsOpen()) {
        return false;
    }
    --m_state.current;
    if (m_state.current <= m_state.selected) {
        --m_state.selected; // the strip is at the start: the frame moves instead
    } else {
        ShowFrom(FirstShown());
    }
    ShowNumber();
    return true;
}

bool CCollectionPane::MoveNext() {
    if (m_state.current >= m_state.count || !IsOpen()) {
        return false;
    }
    ++m_state.current;
    if (FirstShown() > m_state.count - 4) {
        ++m_state.selected; // the strip is at the end: the frame moves instead
    } else {
        ShowFrom(FirstShown());
    }
    ShowNumber();
    return true;
}

void CCollectionPane::MoveTo(int number) {
    number = std::clamp(number, 1, m_state.count);
    int first = std::clamp(number - m_state.selected, 1, std::max(1, m_state.count - 4));
    m_state.current = number;
    m_state.selected = number - first;
    ShowFrom(first);
    ShowNumber();
}

void CCollectionPane::GoToImage(int number) {
    m_state.current = number;
    if (number >= m_state.count - 4) {
        // One of the last five: they fill the strip and the frame goes to the number's slot.
        ShowFrom(m_state.count - 4);
        m_state.selected = 4 - (m_state.count - number);
    } else {
        ShowFrom(number);
        m_state.selected = 0;
    }
    ShowNumber();
}

void CCollectionPane::Frame(int slot) {
    // A slot number outside 0..4 (negative ones too) frames nothing, nor does a closed pane.
    const int was = m_framed;
    m_framed = IsOpen() && static_cast<unsigned>(slot) <= 4 ? slot : -1;
    // Each framed slot draws its frame as it paints: only the slots whose frame comes or goes
    // are painted again, not the whole dialog (under Wine that alone took 25 ms).
    for (int changed : {was, m_framed}) {
        if (changed >= 0) {
            ::RedrawWindow(SlotWindow(changed), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
        }
    }
}

bool CCollectionPane::IsFramed(HWND slot) const {
    return m_framed >= 0 && SlotWindow(m_framed) == slot;
}

void CCollectionPane::RefreshZoom() const {
    for (CPicture* slot : m_slots) {
        slot->RefreshZoom();
    }
}

void CCollectionPane::ShowNumber() const {
    ::SetDlgItemInt(m_dialog, m_controls.goToBox, static_cast<UINT>(m_state.current), TRUE);
}
