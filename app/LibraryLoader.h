#pragma once

#include "library/Shelves.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The library read on a thread of its own, so that the window stays live: every collection file
// (*.sgc) of the folders, each read, digested and described, the index of the last time telling
// which descriptions still hold; the index kept again once every file is read. The window is
// posted `message` (done, total) after each file, and (kFinished, total) at the end.
class CLibraryLoader {
public:
    static constexpr WPARAM kFinished = static_cast<WPARAM>(-1);

    CLibraryLoader(std::vector<std::string> folders, std::string indexPath, HWND window,
                   UINT message);
    // Stops the reading and waits for it.
    ~CLibraryLoader();
    CLibraryLoader(const CLibraryLoader&) = delete;
    CLibraryLoader& operator=(const CLibraryLoader&) = delete;

    // "Atura": the reading ends after the file at hand; the index is not kept.
    void Stop() { m_stop = true; }
    // Whether "Atura" left files unread; once kFinished has been posted. ("Atura" pressed after
    // the last file was read has cut nothing short.)
    bool CutShort() const { return m_cutShort; }
    // The shelves read, once kFinished has been posted: every file's, or those read before
    // "Atura".
    std::vector<library::Shelf> TakeShelves();

private:
    void Run();
    void KeepIndex();

    std::vector<std::string> m_folders;
    std::string m_indexPath;
    HWND m_window;
    UINT m_message;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_cutShort{false};
    std::mutex m_mutex; // over m_shelves
    std::vector<library::Shelf> m_shelves;
    std::thread m_thread; // last: it starts once everything above is ready
};

// The collection files of folders, by name within each folder, each once.
std::vector<std::string> CollectionFilesIn(const std::vector<std::string>& folders);
