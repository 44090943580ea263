#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// brelt.exe running in a process of its own, driven from the test as a user would drive it.
class RunningProgram {
public:
    // Starts the program with its temporary folder (TMP and TEMP) at tempFolder and these
    // arguments on its command line; waits for its main window.
    explicit RunningProgram(const std::wstring& tempFolder,
                            const std::wstring& program = BRELT_PROGRAM,
                            const std::wstring& arguments = L"");
    ~RunningProgram(); // kills it if it still runs
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    HWND MainWindow() const { return main_; }
    // A visible window of the program with this caption, or null after timeoutMs.
    HWND WaitForWindow(const std::wstring& caption, int timeoutMs = 30000) const;
    // Types path into the file name box of an open file dialog; false when it has none.
    bool ChooseFile(HWND fileDialog, const std::wstring& path) const;
    // The most memory the program has used so far, in bytes.
    std::size_t PeakMemory() const;
    // Clicks a button of the main window without waiting for what the click runs.
    void PostClick(HWND dialog, int controlId) const;
    // Opens path in a pane through its "Buscar..." button and the real file dialog; true once the
    // pane's label names the file.
    bool OpenCollection(int button, const std::wstring& path) const;
    // Whether the program ends by itself within timeoutMs.
    bool WaitUntilEnded(int timeoutMs = 10000) const;
    // Loads a picture into the image pane through "Buscar..." and the real file dialog, with
    // "D'acord" in the conversion dialog; true once the pane's label names the picture.
    bool LoadPicture(const std::wstring& path) const;
    // Kills the process, as the task manager would, and waits until it is gone.
    void Kill();
    // Whether a control of the main window shows text within a while.
    bool WaitForLabelText(int labelId, const std::wstring& text) const;

private:
    // Whether the main window's label shows path's file name within a while.
    bool WaitForLabel(int labelId, const std::wstring& path) const;

    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};
