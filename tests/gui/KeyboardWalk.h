#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What Tab reaches, walked from the focus of a window until it comes back round: for each control
// reached, whether it is enabled, visible and whole inside the window, and whether Tab leaves it.
// Run from a thread other than the window's, whose loop handles the keys.
struct KeyboardWalk {
    std::vector<HWND> stops;         // in the order Tab reached them
    std::vector<std::string> faults; // what a user could not see or reach, one line each
    bool cameBackRound = false;
};

KeyboardWalk WalkWithTab(HWND window);

// A control as the walk names it: its class, its id and its text.
std::string Named(HWND control);
