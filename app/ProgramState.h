#pragma once

#include <cstdio>
#include <string>

// State that more than one command needs, for the whole run.

extern std::string g_strLibraryDir; // the fixed library folder, first choice of the file dialogs
extern std::string g_strNewPath;    // path of the template beside the program, once composed
extern std::string g_strTargetPath; // path of the open target collection

extern std::FILE* g_pfImage;  // the accepted bitmap of the image pane, or null
extern std::FILE* g_pfSource; // the open source collection, or null
extern std::FILE* g_pfTarget; // the open target collection, or null

extern int g_nSourceCount; // image count of the open collections
extern int g_nTargetCount;
extern int g_nSourceFirst; // current image of each pane (image number, 1-based)
extern int g_nTargetFirst;
extern int g_nSourceSel; // selected slot of each pane, 0 to 4 from the left
extern int g_nTargetSel;

extern int g_bConfirmed; // last answer of the confirmation dialog: 1 "SI", 0 "NO"
