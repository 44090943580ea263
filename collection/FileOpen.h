#pragma once

#include <cstdio>
#include <string>

// fopen for a path in UTF-8. On Windows the narrow fopen reads paths in the ANSI code page, which
// cannot spell every name (a folder called "Núria" under another code page); the wide form can.
std::FILE* OpenFile(const std::string& utf8Path, const char* mode);

// A new file at path (UTF-8), open for writing: never one that exists already, whose name is
// then taken (errno EEXIST). Null when it can't be created; errno says why.
std::FILE* CreateNewFile(const std::string& utf8Path);
