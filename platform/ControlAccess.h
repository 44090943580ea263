#pragma once

#include "platform/Accessible.h"

#include <functional>
#include <string>

// A standard control that shows something of brelt's own (a static showing a stamp), told to a
// screen reader in the program's words: the control's window is subclassed while the object
// lives, to answer WM_GETOBJECT; its words are asked afresh each time.
class CControlAccess : private CAccessibleParts {
public:
    struct Words {
        std::wstring name, description;
        long role = ROLE_SYSTEM_GRAPHIC;
        long state = 0;
    };
    CControlAccess(HWND control, std::function<Words()> ask);
    ~CControlAccess() override;
    CControlAccess(const CControlAccess&) = delete;
    CControlAccess& operator=(const CControlAccess&) = delete;

    // What the control shows changed: a screen reader reads its name again.
    void Changed() const;

private:
    std::wstring Name(int) const override { return m_ask().name; }
    std::wstring Description(int) const override { return m_ask().description; }
    long Role(int) const override { return m_ask().role; }
    long State(int) const override { return m_ask().state; }
    RECT Location(int) const override;
    int ChildAt(POINT) const override { return 0; }
    static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);

    HWND m_control;
    std::function<Words()> m_ask;
    CAccessible* m_accessible = nullptr;
};
