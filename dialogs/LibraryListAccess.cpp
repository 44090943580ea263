#include "dialogs/LibraryList.h"

#include "platform/Accessible.h"

// The library's list as a screen reader hears it: a list named as its window ("Biblioteca",
// the search, the repeats), each row its heading — the collection, its folder, what was found —
// the current one selected and, with the list focused, focused.
class CLibraryList::Parts : public CAccessibleParts {
public:
    explicit Parts(const CLibraryList& owner) : m_owner(owner) {}

    int ChildCount() const override { return static_cast<int>(m_owner.m_rows.size()); }
    std::wstring Name(int child) const override {
        if (child == 0) {
            wchar_t caption[256] = {};
            ::GetWindowTextW(::GetAncestor(m_owner.m_hWnd, GA_ROOT), caption, 256);
            return caption;
        }
        return m_owner.m_rows[static_cast<std::size_t>(child - 1)].heading;
    }
    long Role(int child) const override {
        return child == 0 ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM;
    }
    long State(int child) const override {
        if (child == 0) {
            return STATE_SYSTEM_FOCUSABLE |
                   (::GetFocus() == m_owner.m_hWnd ? STATE_SYSTEM_FOCUSED : 0);
        }
        long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
        if (child - 1 == m_owner.m_current) {
            state |=
                STATE_SYSTEM_SELECTED | (::GetFocus() == m_owner.m_hWnd ? STATE_SYSTEM_FOCUSED : 0);
        }
        RECT client{}, row = m_owner.RowRect(child - 1), both{};
        ::GetClientRect(m_owner.m_hWnd, &client);
        return ::IntersectRect(&both, &client, &row) ? state : state | STATE_SYSTEM_OFFSCREEN;
    }
    std::wstring Description(int child) const override {
        if (child == 0) {
            return {};
        }
        const auto* stamps = m_owner.m_rows[static_cast<std::size_t>(child - 1)].stamps;
        const std::size_t count = stamps != nullptr ? stamps->size() : 0;
        return std::to_wstring(count) + (count == 1 ? L" segell" : L" segells");
    }
    RECT Location(int child) const override {
        RECT client{};
        ::GetClientRect(m_owner.m_hWnd, &client);
        return child == 0 ? client : m_owner.RowRect(child - 1);
    }
    int ChildAt(POINT client) const override {
        const int row = m_owner.RowAt(client.y);
        return row >= 0 && row < ChildCount() ? row + 1 : 0;
    }
    int FocusedChild() const override { return m_owner.m_rows.empty() ? 0 : m_owner.m_current + 1; }

private:
    const CLibraryList& m_owner;
};

std::unique_ptr<CAccessibleParts> CLibraryList::MakeAccessibleParts() const {
    return std::make_unique<Parts>(*this);
}
