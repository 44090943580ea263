// A screen reader's view of a window, as another process gets it through Microsoft Active
// Accessibility: every part of the window's client object, one line each, written to a file.
// Usage: accessible_read OUTPUT HWND [X Y]
//   line "n<TAB>name<TAB>role<TAB>state<TAB>value<TAB>description" for n = 0 (the object) and each
//   child; then "focus<TAB>n"; with X Y, "point<TAB>name<TAB>n" for what lies at that point of
//   the screen.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Utf8(BSTR text) {
    if (text == nullptr) {
        return {};
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    ::SysFreeString(text);
    return utf8;
}

VARIANT Child(long id) {
    VARIANT child;
    ::VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

void WritePart(std::FILE* out, IAccessible* object, long id) {
    BSTR name = nullptr, value = nullptr, description = nullptr;
    VARIANT role, state;
    ::VariantInit(&role);
    ::VariantInit(&state);
    const VARIANT child = Child(id);
    object->get_accName(child, &name);
    object->get_accValue(child, &value);
    object->get_accDescription(child, &description);
    object->get_accRole(child, &role);
    object->get_accState(child, &state);
    std::fprintf(out, "%ld\t%s\t%ld\t%ld\t%s\t%s\n", id, Utf8(name).c_str(),
                 role.vt == VT_I4 ? role.lVal : -1L, state.vt == VT_I4 ? state.lVal : -1L,
                 Utf8(value).c_str(), Utf8(description).c_str());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return 2;
    }
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::FILE* out = std::fopen(argv[1], "wb");
    HWND window = reinterpret_cast<HWND>(std::strtoull(argv[2], nullptr, 16));
    IAccessible* object = nullptr;
    if (out == nullptr) {
        return 3;
    }
    const HRESULT found =
        ::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                     __uuidof(IAccessible), reinterpret_cast<void**>(&object));
    if (FAILED(found) || object == nullptr) {
        return static_cast<int>(found); // what the failure says, as the exit code
    }
    long count = 0;
    object->get_accChildCount(&count);
    for (long id = 0; id <= count; ++id) {
        WritePart(out, object, id);
    }
    VARIANT focus;
    ::VariantInit(&focus);
    object->get_accFocus(&focus);
    std::fprintf(out, "focus\t%ld\n", focus.vt == VT_I4 ? focus.lVal : -1L);
    object->Release();
    if (argc >= 5) {
        IAccessible* found = nullptr;
        VARIANT child;
        ::VariantInit(&child);
        POINT at{std::atoi(argv[3]), std::atoi(argv[4])};
        if (SUCCEEDED(::AccessibleObjectFromPoint(at, &found, &child)) && found != nullptr) {
            BSTR name = nullptr;
            found->get_accName(child, &name);
            std::fprintf(out, "point\t%s\t%ld\n", Utf8(name).c_str(),
                         child.vt == VT_I4 ? child.lVal : -1L);
            found->Release();
        }
    }
    std::fclose(out);
    ::CoUninitialize();
    return 0;
}
