#pragma once

#include <windows.h>

// A hook on this thread's messages, from SetWindowsHookEx to UnhookWindowsHookEx; Remove() lets
// a hook that has done its work take itself out early.
class CWindowsHook {
public:
    CWindowsHook(int kind, HOOKPROC procedure)
        : m_hHook(::SetWindowsHookExW(kind, procedure, nullptr, ::GetCurrentThreadId())) {}
    ~CWindowsHook() { Remove(); }
    CWindowsHook(const CWindowsHook&) = delete;
    CWindowsHook& operator=(const CWindowsHook&) = delete;

    void Remove() {
        if (m_hHook != nullptr) {
            ::UnhookWindowsHookEx(m_hHook);
            m_hHook = nullptr;
        }
    }
    // The next hook in the chain, for a procedure to call on; Windows ignores the handle.
    static LRESULT CallNext(int code, WPARAM wParam, LPARAM lParam) {
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

private:
    HHOOK m_hHook;
};
