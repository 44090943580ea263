#include "dialogs/ColourSwatches.h"

#include "app/DrawingColours.h"

#include <algorithm>

namespace {

const wchar_t* const kClassName = L"BreltSwatches";

COLORREF RefOf(editor::Colour colour) {
    editor::Rgb rgb = editor::Shown(colour);
    return RGB(rgb.red, rgb.green, rgb.blue);
}

void FillRect(HDC dc, const RECT& rect, COLORREF colour) {
    ::SetBkColor(dc, colour);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

} // namespace

void CColourSwatches::RegisterWindowClass() {
    RegisterControlClass(kClassName, IDC_HAND);
}

void CColourSwatches::Attach(HWND control, int columns, Choose choose) {
    AttachWindow(control);
    m_columns = std::max(1, columns);
    m_choose = std::move(choose);
}

void CColourSwatches::SetColours(std::vector<editor::Colour> colours) {
    m_colours = std::move(colours);
    m_focused = std::clamp(m_focused, 0, std::max(0, static_cast<int>(m_colours.size()) - 1));
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    NotifyAccessible(EVENT_OBJECT_REORDER, m_hWnd, CHILDID_SELF); // the cells' names changed
}

void CColourSwatches::SetChosen(std::optional<editor::Colour> chosen) {
    m_chosen = chosen;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

int CColourSwatches::CellSize() const {
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    return std::max(1, static_cast<int>(client.right / m_columns));
}

RECT CColourSwatches::CellRect(int index) const {
    int size = CellSize(), x = index % m_columns * size, y = index / m_columns * size;
    return {x, y, x + size, y + size};
}

int CColourSwatches::IndexAt(LPARAM position) const {
    int x = static_cast<short>(LOWORD(position)), y = static_cast<short>(HIWORD(position));
    int size = CellSize(), column = x / size, index = y / size * m_columns + column;
    return x >= 0 && y >= 0 && column < m_columns && index < static_cast<int>(m_colours.size())
               ? index
               : -1;
}

void CColourSwatches::Draw(HDC dc) const {
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const DrawingColours colours = CurrentDrawingColours();
    FillRect(dc, client, colours.face);
    const bool focused = ::GetFocus() == m_hWnd;
    for (int i = 0; i < static_cast<int>(m_colours.size()); ++i) {
        RECT cell = CellRect(i);
        ::InflateRect(&cell, -1, -1);
        // A frame, so that white shows too; thick, in the selection's colour, round the colour
        // chosen, so that it shows on black too.
        const bool chosen = m_chosen == m_colours[static_cast<std::size_t>(i)];
        FillRect(dc, cell, chosen ? colours.selection : colours.faceText);
        const int frame = colours.Frame(chosen ? 2 : 1);
        ::InflateRect(&cell, -frame, -frame);
        FillRect(dc, cell, RefOf(m_colours[static_cast<std::size_t>(i)]));
        if (focused && i == m_focused) {
            RECT ring = CellRect(i);
            ::DrawFocusRect(dc, &ring);
        }
    }
}

LRESULT CColourSwatches::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        return m_choose ? DLGC_WANTARROWS | DLGC_WANTCHARS : DLGC_STATIC;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        int index = IndexAt(lParam);
        if (index >= 0 && m_choose) {
            ::SetFocus(m_hWnd);
            m_focused = index;
            m_choose(m_colours[static_cast<std::size_t>(index)], message == WM_RBUTTONDOWN);
        }
        return 0;
    }
    case WM_KEYDOWN: {
        int count = static_cast<int>(m_colours.size());
        int moved = wParam == VK_LEFT    ? -1
                    : wParam == VK_RIGHT ? 1
                    : wParam == VK_UP    ? -m_columns
                    : wParam == VK_DOWN  ? m_columns
                                         : 0;
        if (moved != 0 && m_focused + moved >= 0 && m_focused + moved < count) {
            m_focused += moved;
            ::InvalidateRect(m_hWnd, nullptr, FALSE);
            NotifyAccessible(EVENT_OBJECT_FOCUS, m_hWnd, m_focused + 1);
        } else if (wParam == VK_SPACE && m_choose && m_focused < count) {
            m_choose(m_colours[static_cast<std::size_t>(m_focused)],
                     (::GetKeyState(VK_SHIFT) & 0x8000) != 0);
        }
        return 0;
    }
    case WM_CHAR:
        return 0;
    default:
        return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
    }
}
