#pragma once

#include "platform/Accessible.h"

#include <windows.h>

#include <memory>

// The base of a control of a window class of the program's own, named in a dialog template: the
// messages of the window attached go to the object's Handle, until either of them goes.
class CCustomControl {
public:
    CCustomControl() = default;
    virtual ~CCustomControl();
    CCustomControl(const CCustomControl&) = delete;
    CCustomControl& operator=(const CCustomControl&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }

protected:
    // Registers the window class name once; a template may name it only after that.
    static void RegisterControlClass(const wchar_t* name, const wchar_t* cursor, UINT style = 0);
    // The messages of control come to this object from now on.
    void AttachWindow(HWND control);
    // A window of a class registered above, made for parent and attached.
    void CreateAttached(const wchar_t* className, HWND parent, DWORD style);
    // Every message but WM_PAINT, which Draw answers.
    virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // What a screen reader is told of the control, made the first time one asks; none (the
    // system's own object) for a control that says nothing of its own.
    virtual std::unique_ptr<CAccessibleParts> MakeAccessibleParts() const { return nullptr; }
    // Draws the control, or the part of it WM_PAINT asks for, on dc in client coordinates. dc is
    // out of sight: what is drawn reaches the screen in one piece, so that nothing flickers.
    virtual void Draw(HDC dc) const = 0;
    // The system's colours or its high-contrast setting changed: what the control drew ahead of
    // time is drawn again (it is then repainted).
    virtual void OnColoursChanged() {}

    HWND m_hWnd = nullptr;

private:
    void PaintOffscreen() const;
    // WM_GETOBJECT: the control's object, or 0 for the system's.
    LRESULT AnswerAccessibility(WPARAM flags, LPARAM objectId);

    std::unique_ptr<CAccessibleParts> m_accessibleParts;
    CAccessible* m_accessible = nullptr;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
