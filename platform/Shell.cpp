#include "platform/Shell.h"

#include "platform/ModalAnswers.h"
#include "platform/Text.h"

#include <shellapi.h>

bool OpenDocument(HWND owner, const std::string& path) {
    if (TestModalAnswers().openDocument) {
        return TestModalAnswers().openDocument(path);
    }
    // ShellExecute answers a number above 32 when it started something.
    auto started = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(owner, L"open", Widen(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return started > 32;
}

DroppedFile TakeDrop(HDROP drop) {
    // Several files at once are not a thing any window of brelt takes: the first.
    std::wstring path(::DragQueryFileW(drop, 0, nullptr, 0) + 1, L'\0');
    path.resize(::DragQueryFileW(drop, 0, path.data(), static_cast<UINT>(path.size())));
    DroppedFile dropped{Narrow(path), {}};
    ::DragQueryPoint(drop, &dropped.point);
    ::DragFinish(drop);
    return dropped;
}
