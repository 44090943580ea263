#pragma once

#include <windows.h>

#include <shellapi.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// Drives a modal window as a user would, from a second thread: waits until a visible top-level
// window of this process with the given caption appears, then runs act on it. The thread that
// opened the window keeps running its modal loop meanwhile.
class WindowDriver {
public:
    WindowDriver(std::wstring caption, std::function<void(HWND)> act);
    ~WindowDriver();
    WindowDriver(const WindowDriver&) = delete;
    WindowDriver& operator=(const WindowDriver&) = delete;

    // Whether the window appeared (valid once the driven window has closed).
    bool Found() const { return found_; }

private:
    std::atomic<bool> found_{false};
    std::atomic<bool> done_{false};
    std::thread thread_;
};

// Whether window is gone within timeoutMs.
bool WaitUntilClosed(HWND window, int timeoutMs = 3000);

// A visible top-level window of process (0: this one) with this caption, waiting up to timeoutMs
// for it.
HWND WaitForWindow(const std::wstring& caption, int timeoutMs = 30000, DWORD process = 0);

std::wstring WindowText(HWND window);
std::wstring WindowClass(HWND window);

// Posts a key press to the control that has the focus in window's thread, as the keyboard would.
void PressKey(HWND window, UINT virtualKey);

// Keys typed on the real keyboard (SendInput), to whichever window has the focus: each pair a
// key and whether it goes down.
void TypeKeys(const std::vector<std::pair<WORD, bool>>& strokes);

// The real mouse: its left button pressed at one point of window's client area, moved there in
// steps to another, and let go.
void DragWithMouse(HWND window, POINT from, POINT to);

// A button click, sent from the driving thread (the owner's modal loop handles it).
void Click(HWND dialog, int controlId);

// A control's rectangle in its dialog's client coordinates, in pixels.
RECT ControlRect(HWND control);

// A rectangle in dialog units mapped to pixels with the dialog's font.
RECT DialogUnits(HWND dialog, int x, int y, int width, int height);

// The pixels of a bitmap, top row first, as 0x00RRGGBB values.
std::vector<unsigned> BitmapPixels(HBITMAP bitmap, int* width = nullptr, int* height = nullptr);

// Whether control has the keyboard focus of its thread (asked from any thread).
bool FocusIsOn(HWND control);

// Whether done() comes true within timeoutMs: posted input is handled in its own time.
bool Eventually(const std::function<bool()>& done, int timeoutMs = 5000);

// What control shows on screen, top row first, as 0x00RRGGBB values: painted whole first.
std::vector<unsigned> ScreenPixels(HWND control, int* width = nullptr, int* height = nullptr);

// The 32 x 32 stamp control shows on screen at zoom, centred in its client area, as 0x00RRGGBB
// values; empty unless every block of zoom x zoom pixels is of one colour (whole, never blurred)
// and the stamp lies inside the control (never clipped).
std::vector<unsigned> StampOnScreen(HWND control, int zoom);

// Resets the program state to its start-up values.
void ResetProgramState();

// What the shell sends when a file is let go over a point of a window (client coordinates).
HDROP DropOf(const std::string& path, POINT at);

// With BRELT_SCREENSHOTS naming a folder, what window shows on screen, its frame included, is
// written there as name.bmp, for a person to look at; without it, nothing.
void SaveScreenshot(HWND window, const std::string& name);
