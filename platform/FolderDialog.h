#pragma once

#include <string>

class CWnd;

// The system's folder chooser, owned by the main window. Gives the chosen folder (UTF-8), or an
// empty string when the user cancels.
std::string ChooseFolder(const std::string& title);
