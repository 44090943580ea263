#pragma once

#include <windows.h>

#include <functional>
#include <string>

class CFileDialog;
class CDialog;

// Lets tests answer modal windows in place of a user. Each answer, when set, is used instead of
// showing the window; the program itself never sets them.
struct ModalAnswers {
    // What a dialog answer returns to have that dialog shown for real after all.
    static constexpr INT_PTR kShowIt = -2;
    std::function<INT_PTR(CFileDialog&)> fileDialog;
    std::function<int(const std::string& text, const std::string& caption, UINT type)> messageBox;
    std::function<INT_PTR(CDialog&)> dialog;
    // The colour chosen into its argument; false for cancel.
    std::function<bool(COLORREF& colour)> colourDialog;
    // The folder chosen, "" for cancel.
    std::function<std::string(const std::string& title, const std::string& initialFolder)>
        folderDialog;
    // A document handed to the program the user opens it with (a page in the browser): true
    // when it opened.
    std::function<bool(const std::string& path)> openDocument;
};

ModalAnswers& TestModalAnswers();
