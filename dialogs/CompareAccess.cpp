#include "dialogs/CompareDlg.h"

#include "platform/Accessible.h"
#include "platform/Text.h"

#include <algorithm>

// The comparison as a screen reader hears it: a list named as the window, "Imatge 34" for each
// image, "diferent" or "igual" as its description, the selected ones selected, the current one
// focused.
class CCompareDlg::Parts : public CAccessibleParts {
public:
    explicit Parts(const CCompareDlg& owner) : m_owner(owner) {}

    int ChildCount() const override { return m_owner.m_count; }
    std::wstring Name(int child) const override {
        return child == 0 ? Widen(m_owner.m_caption) : L"Imatge " + std::to_wstring(child);
    }
    long Role(int child) const override {
        return child == 0 ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM;
    }
    long State(int child) const override {
        const bool focused = ::GetFocus() == m_owner.m_grid;
        if (child == 0) {
            return STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_MULTISELECTABLE |
                   (focused ? STATE_SYSTEM_FOCUSED : 0);
        }
        long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_MULTISELECTABLE;
        if (m_owner.m_selected[static_cast<std::size_t>(child - 1)]) {
            state |= STATE_SYSTEM_SELECTED;
        }
        return child == m_owner.m_current && focused ? state | STATE_SYSTEM_FOCUSED : state;
    }
    std::wstring Description(int child) const override {
        if (child == 0) {
            return {};
        }
        const auto& differing = m_owner.m_differing;
        return std::binary_search(differing.begin(), differing.end(), child) ? L"diferent"
                                                                             : L"igual";
    }
    RECT Location(int child) const override {
        RECT client{};
        ::GetClientRect(m_owner.m_grid, &client);
        return child == 0 ? client : m_owner.CellRect(child);
    }
    int ChildAt(POINT client) const override { return m_owner.ImageAt(client); }
    int FocusedChild() const override { return m_owner.m_current; }

private:
    const CCompareDlg& m_owner;
};

std::unique_ptr<CAccessibleParts> CCompareDlg::MakeAccessibleParts() const {
    return std::make_unique<Parts>(*this);
}
