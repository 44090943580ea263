#pragma once

#include <string>

// Paths as the system sees them. Texts are UTF-8.

// The full path of an existing file as the system resolves it: whatever case, "..", short
// (8.3) names or slashes the text had, one file gives one path. The text itself, made absolute,
// when the file can't be opened to ask.
std::string ResolvedPath(const std::string& path);

// path made absolute against the working folder, as the system would take it.
std::string AbsolutePath(const std::string& path);

// A key that tells collections apart: the resolved path, in capitals, as the file system
// compares names.
std::string CollectionKey(const std::string& path);

// path as the wide file functions take it beyond MAX_PATH: "\\?\" before an absolute path that
// is too long for the old limit, the path unchanged otherwise.
std::wstring ExtendedPath(const std::string& path);

// path without a "\\?\" prefix, for showing it.
std::string ShownPath(const std::string& path);

// The user's Pictures and Documents folders, "" when the system can't tell.
std::string PicturesFolder();
std::string DocumentsFolder();

// The value of an environment variable of any length, "" when it is not set.
std::string EnvironmentValue(const wchar_t* name);
