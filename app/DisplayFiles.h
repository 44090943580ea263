#pragma once

#include <string>

// The path (UTF-8) of a display file, the bitmap through which an image reaches the screen, by
// its name ("xzzf.bmp", "zzz.bmp", ...). Each running brelt keeps them in a folder of its own,
// "brelt-<process id>" in the user's temporary folder (or, should the system not tell that
// folder, in the program's folder), so that two brelts never show or import each other's
// pictures. A lock file held open in it for as long as the program runs tells other brelts the
// folder is in use.
std::string DisplayFilePath(const std::string& name);

// Removes the display folders of brelts that are no longer running (one that crashed or was
// killed could not tidy up), and, at the end, this brelt's own.
void RemoveAbandonedDisplayFolders();
void RemoveOwnDisplayFolder();
