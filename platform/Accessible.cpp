#include "platform/Accessible.h"

#include <atomic>

// IAccessible's id is taken with __uuidof: MinGW's oleacc import library gives IID_IAccessible
// as an import thunk's address, whose bytes are no interface id at all.

namespace {

BSTR Bstr(const std::wstring& text) {
    return text.empty() ? nullptr
                        : ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

} // namespace

class CAccessible final : public IAccessible {
public:
    CAccessible(HWND window, const CAccessibleParts& parts) : m_window(window), m_parts(&parts) {
        ::CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                    reinterpret_cast<void**>(&m_standard));
    }
    void Disconnect() { m_parts = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_references;
        if (left == 0) {
            if (m_standard != nullptr) {
                m_standard->Release();
            }
            delete this;
        }
        return left;
    }

    // IDispatch: screen readers call the interface's methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return m_standard != nullptr ? m_standard->get_accParent(parent) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (m_parts == nullptr) {
            return RPC_E_DISCONNECTED;
        }
        *count = m_parts->ChildCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
        *child = nullptr; // the parts are simple elements, not objects of their own
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return Text(child, name, [this](int c) { return m_parts->Name(c); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return Text(child, value, [this](int c) { return m_parts->Value(c); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return Text(child, description, [this](int c) { return m_parts->Description(c); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return Number(child, role, [this](int c) { return m_parts->Role(c); });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return Number(child, state, [this](int c) {
            long s = m_parts->State(c);
            if (c == 0 && ::GetFocus() == m_window) {
                s |= STATE_SYSTEM_FOCUSED;
            }
            return s | STATE_SYSTEM_FOCUSABLE * (c == 0 ? 1 : 0);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
        *help = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        *file = nullptr;
        *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* shortcut) override {
        *shortcut = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (m_parts == nullptr) {
            return RPC_E_DISCONNECTED;
        }
        focus->vt = VT_EMPTY;
        if (::GetFocus() != m_window) {
            return S_FALSE;
        }
        focus->vt = VT_I4;
        focus->lVal = m_parts->FocusedChild();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        selection->vt = VT_EMPTY; // each part says whether it is selected in its state
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* action) override {
        *action = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        const int c = ChildOf(child);
        if (c < 0) {
            return m_parts == nullptr ? RPC_E_DISCONNECTED : E_INVALIDARG;
        }
        RECT where = m_parts->Location(c);
        ::MapWindowPoints(m_window, HWND_DESKTOP, reinterpret_cast<POINT*>(&where), 2);
        *left = where.left;
        *top = where.top;
        *width = where.right - where.left;
        *height = where.bottom - where.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return m_standard != nullptr ? m_standard->accNavigate(direction, start, end) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        if (m_parts == nullptr) {
            return RPC_E_DISCONNECTED;
        }
        POINT at{x, y};
        ::ScreenToClient(m_window, &at);
        RECT client{};
        ::GetClientRect(m_window, &client);
        child->vt = VT_EMPTY;
        if (!::PtInRect(&client, at)) {
            return S_FALSE;
        }
        child->vt = VT_I4;
        child->lVal = m_parts->ChildAt(at);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    // The part a VARIANT names, -1 for none (or the control gone).
    int ChildOf(const VARIANT& child) const {
        if (m_parts == nullptr || child.vt != VT_I4 || child.lVal < 0 ||
            child.lVal > m_parts->ChildCount()) {
            return -1;
        }
        return static_cast<int>(child.lVal);
    }
    template <typename Ask> HRESULT Text(const VARIANT& child, BSTR* text, Ask ask) const {
        *text = nullptr;
        const int c = ChildOf(child);
        if (c < 0) {
            return m_parts == nullptr ? RPC_E_DISCONNECTED : E_INVALIDARG;
        }
        *text = Bstr(ask(c));
        return *text != nullptr ? S_OK : S_FALSE;
    }
    template <typename Ask> HRESULT Number(const VARIANT& child, VARIANT* number, Ask ask) const {
        number->vt = VT_EMPTY;
        const int c = ChildOf(child);
        if (c < 0) {
            return m_parts == nullptr ? RPC_E_DISCONNECTED : E_INVALIDARG;
        }
        number->vt = VT_I4;
        number->lVal = ask(c);
        return S_OK;
    }

    std::atomic<ULONG> m_references{1};
    HWND m_window;
    const CAccessibleParts* m_parts;
    IAccessible* m_standard = nullptr;
};

LRESULT AnswerGetObject(HWND window, WPARAM flags, LPARAM objectId, const CAccessibleParts& parts,
                        CAccessible*& object) {
    if (static_cast<long>(objectId) != OBJID_CLIENT) {
        return 0;
    }
    if (object == nullptr) {
        object = new CAccessible(window, parts);
    }
    return ::LresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(object));
}

void ReleaseAccessible(CAccessible*& object) {
    if (object != nullptr) {
        object->Disconnect();
        object->Release();
        object = nullptr;
    }
}

void NotifyAccessible(DWORD event, HWND window, int child) {
    ::NotifyWinEvent(event, window, OBJID_CLIENT, child);
}
