#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// A window read as a screen reader reads it, from a process of its own (accessible_read) through
// Microsoft Active Accessibility.
struct Part {
    std::string name;
    long role = 0, state = 0;
    std::string value, description;
};
struct Reading {
    std::vector<Part> parts; // the object, then its children
    long focus = -1;
    std::string pointName;
    long pointChild = -1;
};

// accessible_read run on window (and the point of the screen at), its lines parsed; a failure of
// the reader fails the test and gives nothing.
std::optional<Reading> ReadAccessible(HWND window, std::optional<POINT> at = std::nullopt);

// A screen reader's hook on the focus and value events of windows of one class, in a process of
// its own: started, hooked once made; what it saw once `count` events have come.
class EventWatch {
public:
    EventWatch(const std::wstring& className, int count);
    ~EventWatch();
    EventWatch(const EventWatch&) = delete;
    EventWatch& operator=(const EventWatch&) = delete;

    bool Hooked() const { return hooked_; }
    // Each event seen so far, "focus" or "value", and the object's value as the reader read it.
    std::vector<std::pair<std::string, std::string>> SeenSoFar() const;
    // The same once all `count` have come; empty after 30 s.
    std::vector<std::pair<std::string, std::string>> Seen();

private:
    std::string output_;
    HANDLE process_ = nullptr;
    bool hooked_ = false;
};
