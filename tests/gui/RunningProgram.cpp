#include "RunningProgram.h"

#include "GuiTestSupport.h"
#include "res/resource.h"

#include <psapi.h>

#include <algorithm>
#include <vector>

namespace {

// This process's environment with TMP and TEMP replaced: a block for CreateProcessW.
std::vector<wchar_t> EnvironmentWithTemp(const std::wstring& folder) {
    std::vector<wchar_t> block;
    wchar_t* strings = ::GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry != L'\0'; entry += wcslen(entry) + 1) {
        std::wstring variable = entry;
        if (_wcsnicmp(entry, L"TMP=", 4) != 0 && _wcsnicmp(entry, L"TEMP=", 5) != 0) {
            block.insert(block.end(), variable.begin(), variable.end() + 1);
        }
    }
    ::FreeEnvironmentStringsW(strings);
    for (std::wstring variable : {L"TMP=" + folder, L"TEMP=" + folder}) {
        block.insert(block.end(), variable.c_str(), variable.c_str() + variable.size() + 1);
    }
    block.push_back(L'\0');
    return block;
}

std::wstring ControlText(HWND control) {
    wchar_t text[512] = {};
    ::SendMessageW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

} // namespace

RunningProgram::RunningProgram(const std::wstring& tempFolder, const std::wstring& program,
                               const std::wstring& arguments) {
    std::wstring command = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    std::vector<wchar_t> environment = EnvironmentWithTemp(tempFolder);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE,
                         CREATE_UNICODE_ENVIRONMENT, environment.data(), nullptr, &startup,
                         &process_)) {
        main_ = WaitForWindow(L"Quelvar");
    }
}

RunningProgram::~RunningProgram() {
    Kill();
}

HWND RunningProgram::WaitForWindow(const std::wstring& caption, int timeoutMs) const {
    return process_.hProcess != nullptr ? ::WaitForWindow(caption, timeoutMs, process_.dwProcessId)
                                        : nullptr;
}

bool RunningProgram::ChooseFile(HWND fileDialog, const std::wstring& path) const {
    // The file name box: in the classic dialog an extended combo box around a combo box around
    // an edit; in the folder chooser the dialog's one edit.
    HWND edit = fileDialog != nullptr ? ::GetDlgItem(fileDialog, 0x47C) : nullptr;
    while (edit != nullptr && WindowClass(edit) != L"Edit") {
        edit = ::GetWindow(edit, GW_CHILD);
    }
    if (edit == nullptr && fileDialog != nullptr) {
        ::EnumChildWindows(
            fileDialog,
            [](HWND child, LPARAM found) {
                if (WindowClass(child) != L"Edit" || !::IsWindowVisible(child)) {
                    return TRUE;
                }
                *reinterpret_cast<HWND*>(found) = child;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&edit));
    }
    return edit != nullptr &&
           ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str())) != FALSE;
}

std::size_t RunningProgram::PeakMemory() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    return ::GetProcessMemoryInfo(process_.hProcess, &counters, sizeof(counters))
               ? std::max(counters.PeakWorkingSetSize, counters.PeakPagefileUsage)
               : 0;
}

void RunningProgram::PostClick(HWND dialog, int controlId) const {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, controlId)));
}

bool RunningProgram::OpenCollection(int button, const std::wstring& path) const {
    PostClick(main_, button);
    HWND dialog = WaitForWindow(L"Obre Fitxer...");
    if (!ChooseFile(dialog, path)) {
        return false;
    }
    PostClick(dialog, IDOK);
    return WaitForLabel(button == IDC_OPEN_SOURCE ? IDC_SOURCE_NAME : IDC_TARGET_NAME, path);
}

bool RunningProgram::LoadPicture(const std::wstring& path) const {
    PostClick(main_, IDC_LOAD_IMAGE);
    HWND dialog = WaitForWindow(L"Obre Fitxer...");
    if (!ChooseFile(dialog, path)) {
        return false;
    }
    PostClick(dialog, IDOK);
    HWND convert = WaitForWindow(L"Converteix la imatge en segell");
    if (convert == nullptr) {
        return false;
    }
    PostClick(convert, IDOK);
    return WaitForLabel(IDC_IMAGE_NAME, path);
}

bool RunningProgram::WaitForLabel(int labelId, const std::wstring& path) const {
    return WaitForLabelText(labelId, path.substr(path.find_last_of(L"\\/") + 1));
}

bool RunningProgram::WaitForLabelText(int labelId, const std::wstring& text) const {
    HWND label = ::GetDlgItem(main_, labelId);
    return Eventually([&] { return ControlText(label) == text; }, 20000);
}

bool RunningProgram::WaitUntilEnded(int timeoutMs) const {
    return process_.hProcess != nullptr &&
           ::WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

void RunningProgram::Kill() {
    if (process_.hProcess == nullptr) {
        return;
    }
    ::TerminateProcess(process_.hProcess, 1);
    ::WaitForSingleObject(process_.hProcess, 10000);
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
    process_ = {};
}
