#pragma once

#include <windows.h>

// The device context of a paint message, from BeginPaint to EndPaint.
class CPaintDC {
public:
    explicit CPaintDC(HWND window) : m_window(window), m_hDC(::BeginPaint(window, &m_paint)) {}
    ~CPaintDC() { ::EndPaint(m_window, &m_paint); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    // The part of the client area to paint.
    const RECT& PaintRect() const { return m_paint.rcPaint; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_hDC;
};

// A window's client area to draw on outside a paint message, from GetDC to ReleaseDC; for no
// window, the screen (to ask its DPI or read a bitmap's bits).
class CClientDC {
public:
    explicit CClientDC(HWND window = nullptr) : m_window(window), m_hDC(::GetDC(window)) {}
    ~CClientDC() { ::ReleaseDC(m_window, m_hDC); }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }

private:
    HWND m_window;
    HDC m_hDC;
};

// The whole window, its frame included, to draw on: from GetWindowDC to ReleaseDC.
class CWindowDC {
public:
    explicit CWindowDC(HWND window) : m_window(window), m_hDC(::GetWindowDC(window)) {}
    ~CWindowDC() { ::ReleaseDC(m_window, m_hDC); }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }

private:
    HWND m_window;
    HDC m_hDC;
};

// A device context in memory, compatible with another (or with the screen), from
// CreateCompatibleDC to DeleteDC. Objects selected into it go through CSelectObject, which the
// caller declares after this one so that they are taken out before the DC is deleted.
class CMemoryDC {
public:
    explicit CMemoryDC(HDC compatibleWith = nullptr)
        : m_hDC(::CreateCompatibleDC(compatibleWith)) {}
    ~CMemoryDC() {
        if (m_hDC != nullptr) {
            ::DeleteDC(m_hDC);
        }
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }

private:
    HDC m_hDC;
};

// An object selected into a device context while the owner lives; the one before comes back.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object)
        : m_dc(dc), m_previous(object != nullptr ? ::SelectObject(dc, object) : nullptr) {}
    ~CSelectObject() {
        if (m_previous != nullptr) {
            ::SelectObject(m_dc, m_previous);
        }
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// The wait cursor while the object lives: for work a user notices.
class CWaitCursor {
public:
    CWaitCursor() : m_previous(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_previous); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_previous;
};

// A solid brush, deleted with the object.
class CBrush {
public:
    explicit CBrush(COLORREF colour) : m_hBrush(::CreateSolidBrush(colour)) {}
    ~CBrush() { ::DeleteObject(m_hBrush); }
    CBrush(const CBrush&) = delete;
    CBrush& operator=(const CBrush&) = delete;

    HBRUSH GetSafeHandle() const { return m_hBrush; }

private:
    HBRUSH m_hBrush;
};

// A font, deleted with the object.
class CFont {
public:
    CFont() = default;
    ~CFont() { DeleteObject(); }
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    explicit CFont(const LOGFONTW& attributes) { CreateFontIndirect(attributes); }
    // Replaces the font the object holds with a new one of these attributes.
    void CreateFontIndirect(const LOGFONTW& attributes) {
        DeleteObject();
        m_hFont = ::CreateFontIndirectW(&attributes);
    }
    HFONT GetSafeHandle() const { return m_hFont; }

private:
    void DeleteObject() {
        if (m_hFont != nullptr) {
            ::DeleteObject(m_hFont);
            m_hFont = nullptr;
        }
    }
    HFONT m_hFont = nullptr;
};
