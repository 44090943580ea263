#pragma once

#include <string>
#include <string_view>

// The parts of a Windows path, as text: the separators are "\" and "/".

// "C:\a\sol.bmp" -> "sol.bmp"
std::string FileNameOf(std::string_view path);
// "C:\a\sol.bmp" -> "C:\a"; "" for a bare name
std::string FolderOf(std::string_view path);
// "C:\a\sol.bmp" -> "sol"
std::string StemOf(std::string_view path);
// "C:\a\sol.BMP" -> ".BMP"; "" without one
std::string ExtensionOf(std::string_view path);
// Whether path ends in extension (".bmp"), whatever the case of its ASCII letters.
bool HasExtension(std::string_view path, std::string_view extension);
// A collection's name ends in ".sgc"; a bitmap the import takes as it is, in ".bmp".
bool IsCollectionFileName(std::string_view path);
bool IsBitmapFileName(std::string_view path);
