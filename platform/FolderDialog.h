#pragma once

#include <string>

class CWnd;

// The system's folder chooser, owned by the main window, showing initialFolder first when there
// is one. Gives the chosen folder (UTF-8), or an empty string when the user cancels.
std::string ChooseFolder(const std::string& title, const std::string& initialFolder = {});
