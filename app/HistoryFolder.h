#pragma once

#include "collection/ChangeHistory.h"

#include <string>

// Where each collection's history lives: %LOCALAPPDATA%\brelt\Historial\<name> (<folder>)
// <number>\historial-1.log, with an origen.txt that names the collection. "" when the system
// gives no local application data folder.
std::string HistoryRoot();

// Where the copies of the collections go: %LOCALAPPDATA%\brelt\Còpies de seguretat, however long
// that path is; "" without a local application data folder.
std::string BackupRoot();

// The storage of a collection's log, for ChangeHistory: a file in its folder under HistoryRoot(),
// made as it is first written; in memory when there is no HistoryRoot().
ChangeHistory::StorageMaker HistoryStorageMaker();

// Every log in HistoryRoot(), by path (UTF-8).
std::vector<std::string> HistoryLogs();
