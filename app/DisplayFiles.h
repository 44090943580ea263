#pragma once

#include <string>

// The path (UTF-8) of a display file, the bitmap through which an image reaches the screen, by
// its name ("xzzf.bmp", "zzz.bmp", ...). They live in the user's temporary folder: an ordinary
// user cannot create files in the root of drive C:. Should the system not tell that folder, they
// go to the program's own folder.
std::string DisplayFilePath(const std::string& name);
