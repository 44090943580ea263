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
