#include "platform/FolderDialog.h"

#include "platform/ComPtr.h"
#include "platform/ModalAnswers.h"
#include "platform/Text.h"
#include "platform/WinApp.h"

#include <shobjidl.h>

std::string ChooseFolder(const std::string& title, const std::string& initialFolder) {
    if (TestModalAnswers().folderDialog) {
        return TestModalAnswers().folderDialog(title, initialFolder);
    }
    CComPtr<IFileOpenDialog> dialog;
    CComPtr<IShellItem> chosen, initial;
    FILEOPENDIALOGOPTIONS options = 0;
    PWSTR path = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&dialog))) ||
        FAILED(dialog->GetOptions(&options)) ||
        FAILED(dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM)) ||
        FAILED(dialog->SetTitle(Widen(title).c_str()))) {
        return {};
    }
    if (!initialFolder.empty() &&
        SUCCEEDED(::SHCreateItemFromParsingName(Widen(initialFolder).c_str(), nullptr,
                                                IID_PPV_ARGS(&initial)))) {
        dialog->SetFolder(initial.Get());
    }
    if (FAILED(dialog->Show(AfxGetMainWndHandle())) || FAILED(dialog->GetResult(&chosen)) ||
        FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
        return {};
    }
    std::string folder = Narrow(path);
    ::CoTaskMemFree(path);
    return folder;
}
