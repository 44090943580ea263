// A screen reader's view of a window, as another process gets it through Microsoft Active
// Accessibility: every part of the window's client object, one line each, written to a file.
// Usage: accessible_read OUTPUT HWND [X Y]
//        accessible_read OUTPUT events CLASS COUNT
//   the second form hooks the focus and value events of windows of that class in any process
//   (out of context, as screen readers do), writes OUTPUT.ready once hooked, then a line
//   "focus|value<TAB>the object's value" for each event until COUNT of them or 20 seconds.
//   line "n<TAB>name<TAB>role<TAB>state<TAB>value<TAB>description" for n = 0 (the object) and each
//   child; then "focus<TAB>n"; with X Y, "point<TAB>name<TAB>n" for what lies at that point of
//   the screen.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
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

std::FILE* g_events = nullptr;
std::wstring g_eventClass;
int g_eventsLeft = 0;

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                      DWORD) {
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, 64);
    if (object != OBJID_CLIENT || g_eventClass != className || g_eventsLeft <= 0) {
        return;
    }
    IAccessible* accessible = nullptr;
    VARIANT part;
    ::VariantInit(&part);
    BSTR value = nullptr;
    if (SUCCEEDED(::AccessibleObjectFromEvent(window, object, child, &accessible, &part))) {
        accessible->get_accValue(part, &value);
        accessible->Release();
    }
    std::fprintf(g_events, "%s\t%s\n", event == EVENT_OBJECT_FOCUS ? "focus" : "value",
                 Utf8(value).c_str());
    std::fflush(g_events);
    if (--g_eventsLeft == 0) {
        ::PostQuitMessage(0);
    }
}

int WatchEvents(const char* output, const char* className, int count) {
    g_events = std::fopen(output, "wb");
    g_eventClass = std::wstring(className, className + std::strlen(className));
    g_eventsLeft = count;
    HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr,
                                           &OnEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
    if (g_events == nullptr || hook == nullptr) {
        return 4;
    }
    std::fclose(std::fopen((std::string(output) + ".ready").c_str(), "wb"));
    ::SetTimer(nullptr, 0, 20000, nullptr);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0 && message.message != WM_TIMER) {
        ::DispatchMessageW(&message);
    }
    ::UnhookWinEvent(hook);
    std::fclose(g_events);
    return g_eventsLeft == 0 ? 0 : 5;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return 2;
    }
    if (argc == 5 && std::string(argv[2]) == "events") {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        return WatchEvents(argv[1], argv[3], std::atoi(argv[4]));
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
