#pragma once

#include <ctime>
#include <string>

// Copies of whole collections, made before brelt first changes one in a session.

inline constexpr int kBackupsKept = 20;

// Copies the collection at path (UTF-8) into folder, created if need be, as
// "<name> <YYYY-MM-DD HH.MM.SS>.sgc" with the local time `when`, then deletes all but the
// kBackupsKept newest copies of that name. Returns the copy's path, or "" when it could not be
// made (nothing is left half-written then).
std::string BackUpCollection(const std::string& path, const std::string& folder, std::time_t when);
