#include "GuiTestSupport.h"

#include "app/ProgramState.h"
#include "platform/Text.h"

#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace {

struct Search {
    std::wstring caption;
    DWORD process;
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == search->process && ::IsWindowVisible(window) &&
        WindowText(window) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND WaitForWindow(const std::wstring& caption, int timeoutMs, DWORD process) {
    if (process == 0) {
        process = ::GetCurrentProcessId();
    }
    Search search{caption, process};
    Eventually(
        [&] {
            ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

WindowDriver::WindowDriver(std::wstring caption, std::function<void(HWND)> act)
    : thread_([this, caption = std::move(caption), act = std::move(act)] {
          HWND window = WaitForWindow(caption);
          if (window != nullptr) {
              found_ = true;
              act(window);
          }
          done_ = true;
      }) {}

WindowDriver::~WindowDriver() {
    // The driver may still be sending to a window of this thread: keep answering until it ends.
    Eventually(
        [this] {
            MSG message;
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
            return done_.load();
        },
        120000);
    thread_.join();
}

bool WaitUntilClosed(HWND window, int timeoutMs) {
    return Eventually([window] { return !::IsWindow(window); }, timeoutMs);
}

std::wstring WindowText(HWND window) {
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    return text;
}

std::wstring WindowClass(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

void PressKey(HWND window, UINT virtualKey) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
    HWND target = info.hwndFocus != nullptr ? info.hwndFocus : window;
    ::PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
    ::PostMessageW(target, WM_KEYUP, virtualKey, 0xC0000001);
}

void TypeKeys(const std::vector<std::pair<WORD, bool>>& strokes) {
    std::vector<INPUT> inputs;
    for (auto [key, down] : strokes) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

namespace {

INPUT MouseInput(HWND window, POINT at, DWORD buttons) {
    ::ClientToScreen(window, &at);
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Absolute positions run from 0 to 65535 across the screen.
    input.mi.dx = at.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = at.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    return input;
}

} // namespace

void DragWithMouse(HWND window, POINT from, POINT to) {
    std::vector<INPUT> inputs{MouseInput(window, from, 0),
                              MouseInput(window, from, MOUSEEVENTF_LEFTDOWN)};
    constexpr int kSteps = 4;
    for (int step = 1; step <= kSteps; ++step) {
        POINT at{from.x + (to.x - from.x) * step / kSteps,
                 from.y + (to.y - from.y) * step / kSteps};
        inputs.push_back(MouseInput(window, at, 0));
    }
    inputs.push_back(MouseInput(window, to, MOUSEEVENTF_LEFTUP));
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Click(HWND dialog, int controlId) {
    ::SendMessageW(::GetDlgItem(dialog, controlId), BM_CLICK, 0, 0);
}

RECT ControlRect(HWND control) {
    RECT rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT DialogUnits(HWND dialog, int x, int y, int width, int height) {
    // The dialog manager maps a control's position and its size each on its own.
    RECT position{x, y, width, height};
    ::MapDialogRect(dialog, &position);
    return {position.left, position.top, position.left + position.right,
            position.top + position.bottom};
}

std::vector<unsigned> BitmapPixels(HBITMAP bitmap, int* width, int* height) {
    BITMAP info{};
    if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof(info), &info) == 0) {
        return {};
    }
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    request.bmiHeader.biWidth = info.bmWidth;
    request.bmiHeader.biHeight = -info.bmHeight; // top row first
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    std::vector<unsigned> pixels(static_cast<std::size_t>(info.bmWidth * info.bmHeight));
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &request,
                DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    for (unsigned& p : pixels) {
        p &= 0x00FFFFFF;
    }
    if (width != nullptr) {
        *width = info.bmWidth;
    }
    if (height != nullptr) {
        *height = info.bmHeight;
    }
    return pixels;
}

void ResetProgramState() {
    g_strTargetPath.clear();
    g_strNewPath.clear();
    g_pfImage = g_pfSource = g_pfTarget = nullptr;
    g_nSourceCount = g_nTargetCount = 0;
    g_nSourceFirst = g_nTargetFirst = 0;
    g_nSourceSel = g_nTargetSel = 0;
    g_bConfirmed = 0;
}

std::vector<unsigned> ScreenPixels(HWND control, int* width, int* height) {
    // A paint message sent from here is handled at once by the control's thread, where
    // RDW_UPDATENOW from another thread may not wait for it under Wine.
    ::InvalidateRect(control, nullptr, FALSE);
    ::SendMessageW(control, WM_PAINT, 0, 0);
    RECT r;
    ::GetClientRect(control, &r);
    HDC screen = ::GetDC(control);
    HDC copy = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, r.right, r.bottom);
    HGDIOBJ previous = ::SelectObject(copy, bitmap);
    ::BitBlt(copy, 0, 0, r.right, r.bottom, screen, 0, 0, SRCCOPY);
    ::SelectObject(copy, previous);
    std::vector<unsigned> pixels = BitmapPixels(bitmap, width, height);
    ::DeleteObject(bitmap);
    ::DeleteDC(copy);
    ::ReleaseDC(control, screen);
    return pixels;
}

std::vector<unsigned> StampOnScreen(HWND control, int zoom) {
    int width = 0, height = 0;
    std::vector<unsigned> screen = ScreenPixels(control, &width, &height);
    const int side = 32 * zoom, left = (width - side) / 2, top = (height - side) / 2;
    if (zoom < 1 || left < 0 || top < 0) {
        return {};
    }
    auto at = [&](int x, int y) { return screen[static_cast<std::size_t>(y * width + x)]; };
    std::vector<unsigned> stamp;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const unsigned colour = at(left + x * zoom, top + y * zoom);
            for (int i = 0; i < zoom * zoom; ++i) {
                if (at(left + x * zoom + i % zoom, top + y * zoom + i / zoom) != colour) {
                    return {}; // a block of two colours: blurred or cut
                }
            }
            stamp.push_back(colour);
        }
    }
    return stamp;
}

bool Eventually(const std::function<bool()>& done, int timeoutMs) {
    // By the clock, not by counting the pauses: a slow condition must not stretch the timeout.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (done()) {
            return true;
        }
        ::Sleep(5);
    }
    return done();
}

HDROP DropOf(const std::string& path, POINT at) {
    std::wstring files = Widen(path) + L'\0'; // the list ends with an empty name
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + (files.size() + 1) * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = at;
    drop->fWide = TRUE;
    std::copy(files.begin(), files.end(), reinterpret_cast<wchar_t*>(drop + 1));
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

bool FocusIsOn(HWND control) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(control, nullptr), &info) &&
           info.hwndFocus == control;
}

void SaveScreenshot(HWND window, const std::string& name) {
    const char* folder = std::getenv("BRELT_SCREENSHOTS");
    if (folder == nullptr) {
        return;
    }
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT r;
    ::GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = ::GetDC(nullptr);
    HDC copy = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = ::SelectObject(copy, bitmap);
    ::BitBlt(copy, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    ::GdiFlush();
    const DWORD size = static_cast<DWORD>((width * 3 + 3) / 4 * 4 * height);
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof file + sizeof info.bmiHeader) + size, 0,
                          0, static_cast<DWORD>(sizeof file + sizeof info.bmiHeader)};
    std::ofstream out(std::string(folder) + "\\" + name + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), size);
    ::SelectObject(copy, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(copy);
    ::ReleaseDC(nullptr, screen);
}
