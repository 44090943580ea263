#include "AccessibleReading.h"

#include "../collection/TestFiles.h"

#include "platform/Text.h"

#include "GuiTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <fstream>
#include <sstream>

namespace {

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream all(line);
    for (std::string field; std::getline(all, field, '\t');) {
        fields.push_back(field);
    }
    if (!line.empty() && line.back() == '\t') {
        fields.emplace_back();
    }
    return fields;
}

} // namespace

std::optional<Reading> ReadAccessible(HWND window, std::optional<POINT> at) {
    ScratchFile output;
    wchar_t handle[32] = {};
    std::swprintf(handle, 32, L"%llx",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
    std::wstring command = L"\"" + std::wstring(BRELT_ACCESSIBLE_READ) + L"\" \"" +
                           Widen(output.Path()) + L"\" " + handle;
    if (at) {
        command += L" " + std::to_wstring(at->x) + L" " + std::to_wstring(at->y);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        return std::nullopt;
    }
    // The reader's questions come to this thread's windows when it owns them: answered meanwhile.
    DWORD waited = WAIT_TIMEOUT;
    const ULONGLONG until = ::GetTickCount64() + 30000;
    while (waited != WAIT_OBJECT_0 && ::GetTickCount64() < until) {
        waited = ::MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_ALLINPUT);
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    DWORD code = 1;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    if (waited != WAIT_OBJECT_0 || code != 0) {
        ADD_FAILURE() << "accessible_read: " << (waited != WAIT_OBJECT_0 ? "still running" : "")
                      << " exit code " << std::hex << code;
        return std::nullopt;
    }
    Reading reading;
    std::ifstream lines(output.Path(), std::ios::binary);
    for (std::string line; std::getline(lines, line);) {
        const std::vector<std::string> f = Fields(line);
        if (f.size() == 6) {
            reading.parts.push_back({f[1], std::stol(f[2]), std::stol(f[3]), f[4], f[5]});
        } else if (f.size() == 2 && f[0] == "focus") {
            reading.focus = std::stol(f[1]);
        } else if (f.size() == 3 && f[0] == "point") {
            reading.pointName = f[1];
            reading.pointChild = std::stol(f[2]);
        }
    }
    return reading;
}

EventWatch::EventWatch(const std::wstring& className, int count) {
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    output_ = Narrow(folder) + "brelt-events-" + std::to_string(::GetCurrentProcessId()) + ".txt";
    std::remove((output_ + ".ready").c_str());
    std::wstring command = L"\"" + std::wstring(BRELT_ACCESSIBLE_READ) + L"\" \"" + Widen(output_) +
                           L"\" events " + className + L" " + std::to_wstring(count);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &process)) {
        ::CloseHandle(process.hThread);
        process_ = process.hProcess;
        hooked_ = Eventually([&] { return std::ifstream(output_ + ".ready").good(); }, 10000);
    }
}

EventWatch::~EventWatch() {
    if (process_ != nullptr) {
        ::TerminateProcess(process_, 1);
        ::CloseHandle(process_);
    }
    std::remove(output_.c_str());
    std::remove((output_ + ".ready").c_str());
}

std::vector<std::pair<std::string, std::string>> EventWatch::Seen() {
    if (process_ == nullptr || ::WaitForSingleObject(process_, 30000) != WAIT_OBJECT_0) {
        return {};
    }
    return SeenSoFar();
}

std::vector<std::pair<std::string, std::string>> EventWatch::SeenSoFar() const {
    std::vector<std::pair<std::string, std::string>> seen;
    std::ifstream lines(output_, std::ios::binary);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t tab = line.find('\t');
        if (tab != std::string::npos) {
            seen.emplace_back(line.substr(0, tab), line.substr(tab + 1));
        }
    }
    return seen;
}
