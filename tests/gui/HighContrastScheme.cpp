#include "HighContrastScheme.h"

#include <atomic>
#include <cstring>

namespace {

using SystemParametersInfoFunction = BOOL(WINAPI*)(UINT, UINT, void*, UINT);

SystemParametersInfoFunction g_system = nullptr;
std::atomic<DWORD> g_flags{HCF_AVAILABLE};

BOOL WINAPI StandIn(UINT action, UINT number, void* data, UINT update) {
    auto* setting = static_cast<HIGHCONTRASTW*>(data);
    const bool ours = action == SPI_GETHIGHCONTRAST || action == SPI_SETHIGHCONTRAST;
    if (!ours) {
        return g_system(action, number, data, update);
    }
    if (setting == nullptr || setting->cbSize != sizeof(HIGHCONTRASTW)) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (action == SPI_GETHIGHCONTRAST) {
        setting->dwFlags = g_flags;
        setting->lpszDefaultScheme = nullptr;
        return TRUE;
    }
    g_flags = setting->dwFlags;
    if ((update & SPIF_SENDCHANGE) != 0) {
        ::SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST,
                              reinterpret_cast<LPARAM>(L"Accessibility"), SMTO_ABORTIFHUNG, 5000,
                              nullptr);
    }
    return TRUE;
}

// Where this program's code finds user32's SystemParametersInfoW: its slot in the import table.
void** ImportSlot() {
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
    const auto* headers = reinterpret_cast<IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         dll->Name != 0; ++dll) {
        if (_stricmp(reinterpret_cast<char*>(base + dll->Name), "user32.dll") != 0) {
            continue;
        }
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const auto* byName =
                reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "SystemParametersInfoW") ==
                0) {
                return reinterpret_cast<void**>(&slots->u1.Function);
            }
        }
    }
    return nullptr;
}

void PointImportAt(void* function) {
    void** slot = ImportSlot();
    DWORD protection = 0;
    if (slot != nullptr && ::VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection)) {
        *slot = function;
        ::VirtualProtect(slot, sizeof *slot, protection, &protection);
    }
}

// The colours a high-contrast scheme sets: the window's, the buttons', the selection's.
constexpr int kElements[] = {COLOR_WINDOW,    COLOR_WINDOWTEXT,    COLOR_BTNFACE,  COLOR_BTNTEXT,
                             COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_HOTLIGHT, COLOR_GRAYTEXT,
                             COLOR_3DFACE,    COLOR_WINDOWFRAME,   COLOR_MENU,     COLOR_MENUTEXT,
                             COLOR_MENUBAR,   COLOR_MENUHILIGHT};

} // namespace

HighContrastScheme::HighContrastScheme() {
    for (int element : kElements) {
        before_[element] = ::GetSysColor(element);
    }
    HIGHCONTRASTW probe{sizeof probe, HCF_AVAILABLE, nullptr};
    systemKeepsFlag_ =
        ::SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof probe, &probe, 0) != FALSE;
    if (!systemKeepsFlag_ && g_system == nullptr) {
        g_system = &::SystemParametersInfoW;
        PointImportAt(reinterpret_cast<void*>(&StandIn));
    }
    const COLORREF scheme[] = {kWindow,        kText, kWindow,          kText,     kHighlight,
                               kHighlightText, kHot,  RGB(63, 242, 63), kWindow,   kText,
                               kWindow,        kText, kWindow,          kHighlight};
    ::SetSysColors(static_cast<int>(std::size(kElements)), kElements, scheme);
    Switch(true);
}

HighContrastScheme::~HighContrastScheme() {
    COLORREF colours[std::size(kElements)];
    for (std::size_t i = 0; i < std::size(kElements); ++i) {
        colours[i] = before_[kElements[i]];
    }
    ::SetSysColors(static_cast<int>(std::size(kElements)), kElements, colours);
    Switch(false);
}

void HighContrastScheme::Switch(bool on) {
    HIGHCONTRASTW setting{sizeof setting, HCF_AVAILABLE | (on ? HCF_HIGHCONTRASTON : 0u), nullptr};
    // The stand-in by name: the compiler may keep the import's address it read before.
    (g_system != nullptr ? &StandIn : &::SystemParametersInfoW)(SPI_SETHIGHCONTRAST, sizeof setting,
                                                                &setting, SPIF_SENDCHANGE);
}
