// A second program for the clipboard tests: puts a file's bytes on the clipboard in one format
// and stays, as the program that copied them would, until it is ended.
// Usage: clipboard_put FORMAT FILE, FORMAT being PNG, DIB, DIBV5 or HDROP (FILE is then the
// path to copy as a file), or clipboard_put EMPTY.
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> Bytes(const std::wstring& format, const std::wstring& file) {
    if (format == L"HDROP") {
        // DROPFILES, then the path as wide characters, ended twice.
        std::vector<unsigned char> drop(sizeof(DROPFILES), 0);
        DROPFILES header{};
        header.pFiles = sizeof(DROPFILES);
        header.fWide = TRUE;
        std::memcpy(drop.data(), &header, sizeof(header));
        std::wstring list = file + L'\0' + L'\0';
        const auto* bytes = reinterpret_cast<const unsigned char*>(list.data());
        drop.insert(drop.end(), bytes, bytes + list.size() * sizeof(wchar_t));
        return drop;
    }
    std::ifstream in(file.c_str(), std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in),
                                      std::istreambuf_iterator<char>());
}

UINT FormatOf(const std::wstring& format) {
    if (format == L"PNG") {
        return ::RegisterClipboardFormatW(L"PNG");
    }
    return format == L"DIB" ? CF_DIB : format == L"DIBV5" ? CF_DIBV5 : CF_HDROP;
}

} // namespace

int main() {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (count < 2 || !::OpenClipboard(nullptr)) {
        return 2;
    }
    ::EmptyClipboard();
    if (count >= 3) {
        std::vector<unsigned char> bytes = Bytes(arguments[1], arguments[2]);
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(::GlobalLock(block), bytes.data(), bytes.size());
        ::GlobalUnlock(block);
        ::SetClipboardData(FormatOf(arguments[1]), block);
    }
    ::CloseClipboard();
    // Stays, as the program that copied would, until the test ends it.
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&message);
    }
    return 0;
}
