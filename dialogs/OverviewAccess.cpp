#include "dialogs/OverviewDlg.h"

#include "platform/Accessible.h"
#include "platform/Text.h"

// The overview as a screen reader hears it: a list of the collection's images, "Imatge 34",
// each selected or not, the current one focused, a white or repeated one said so.
class COverviewDlg::Parts : public CAccessibleParts {
public:
    explicit Parts(const COverviewDlg& owner) : m_owner(owner) {}

    int ChildCount() const override { return m_owner.m_count; }
    std::wstring Name(int child) const override {
        if (child == 0) {
            return L"Imatges de " + Widen(m_owner.m_caption);
        }
        return L"Imatge " + std::to_wstring(child);
    }
    long Role(int child) const override {
        return child == 0 ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM;
    }
    long State(int child) const override {
        if (child == 0) {
            return STATE_SYSTEM_MULTISELECTABLE;
        }
        long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_MULTISELECTABLE;
        if (m_owner.m_selected[static_cast<std::size_t>(child - 1)]) {
            state |= STATE_SYSTEM_SELECTED;
        }
        if (child == m_owner.m_current && ::GetFocus() == m_owner.GridWindow()) {
            state |= STATE_SYSTEM_FOCUSED;
        }
        return state | STATE_SYSTEM_FOCUSABLE;
    }
    // What the grid marks on the cell: white, or the same as another image.
    std::wstring Description(int child) const override {
        if (child == 0) {
            return {};
        }
        const std::size_t i = static_cast<std::size_t>(child - 1);
        if (i < m_owner.m_marks.blank.size() && m_owner.m_marks.blank[i]) {
            return L"en blanc";
        }
        if (i < m_owner.m_marks.repeatGroup.size() && m_owner.m_marks.repeatGroup[i] != 0) {
            return L"repetida, grup " + std::to_wstring(m_owner.m_marks.repeatGroup[i]);
        }
        return {};
    }
    RECT Location(int child) const override {
        RECT client{};
        ::GetClientRect(m_owner.GridWindow(), &client);
        return child == 0 ? client : m_owner.CellRect(child);
    }
    int ChildAt(POINT client) const override {
        return m_owner.ImageAt(MAKELPARAM(client.x, client.y));
    }
    int FocusedChild() const override { return m_owner.m_current; }

private:
    const COverviewDlg& m_owner;
};

std::unique_ptr<CAccessibleParts> COverviewDlg::MakeAccessibleParts() const {
    return std::make_unique<Parts>(*this);
}
