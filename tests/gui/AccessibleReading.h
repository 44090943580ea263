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
