#include "dialogs/ColourSwatches.h"

#include "colournames/ColourNames.h"
#include "platform/Text.h"

// The swatches to a screen reader: a list of colours, each by its name in Catalan ("Principal:
// vermell" where the cells have labels), its numbers as the description, the chosen one selected.
class CColourSwatches::Parts : public CAccessibleParts {
public:
    explicit Parts(const CColourSwatches& swatches) : m_swatches(swatches) {}

    int ChildCount() const override { return static_cast<int>(m_swatches.m_colours.size()); }
    std::wstring Name(int child) const override {
        if (child == 0) {
            return m_swatches.m_name;
        }
        const std::size_t i = static_cast<std::size_t>(child - 1);
        const std::wstring colour = Widen(colournames::NameOf(m_swatches.m_colours[i]));
        return i < m_swatches.m_labels.size() ? m_swatches.m_labels[i] + L": " + colour : colour;
    }
    long Role(int child) const override {
        return child == 0 ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM;
    }
    long State(int child) const override {
        if (child == 0) {
            return 0;
        }
        const editor::Colour colour = m_swatches.m_colours[static_cast<std::size_t>(child - 1)];
        long state = m_swatches.m_choose ? STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE : 0;
        if (m_swatches.m_chosen == colour) {
            state |= STATE_SYSTEM_SELECTED;
        }
        if (child - 1 == m_swatches.m_focused && ::GetFocus() == m_swatches.m_hWnd) {
            state |= STATE_SYSTEM_FOCUSED;
        }
        return state;
    }
    std::wstring Description(int child) const override {
        return child == 0 ? std::wstring()
                          : Widen(colournames::NumbersOf(
                                m_swatches.m_colours[static_cast<std::size_t>(child - 1)]));
    }
    RECT Location(int child) const override {
        RECT client{};
        ::GetClientRect(m_swatches.m_hWnd, &client);
        return child == 0 ? client : m_swatches.CellRect(child - 1);
    }
    int ChildAt(POINT client) const override {
        return m_swatches.IndexAt(MAKELPARAM(client.x, client.y)) + 1;
    }
    int FocusedChild() const override { return m_swatches.m_focused + 1; }

private:
    const CColourSwatches& m_swatches;
};

void CColourSwatches::SetAccessibleNames(std::wstring name, std::vector<std::wstring> labels) {
    m_name = std::move(name);
    m_labels = std::move(labels);
}

std::unique_ptr<CAccessibleParts> CColourSwatches::MakeAccessibleParts() const {
    return std::make_unique<Parts>(*this);
}
