#include "dialogs/CropView.h"

#include <cmath>

// The original to a screen reader: in "Retalla", where the square lies on it as its value,
// "Retall: columna 20, fila 0 de l'original" (the original's pixels, from 0 as the picture's own
// are counted).
class CCropView::Parts : public CAccessibleParts {
public:
    explicit Parts(const CCropView& view) : m_view(view) {}

    std::wstring Name(int) const override { return L"Imatge original"; }
    long Role(int) const override { return ROLE_SYSTEM_GRAPHIC; }
    std::wstring Value(int) const override { return m_view.KeptWords(); }
    RECT Location(int) const override {
        RECT client{};
        ::GetClientRect(m_view.m_hWnd, &client);
        return client;
    }
    int ChildAt(POINT) const override { return 0; }

private:
    const CCropView& m_view;
};

std::wstring CCropView::KeptWords() const {
    if (!m_kept) {
        return L"Sencera, encaixada al segell";
    }
    return L"Retall: columna " + std::to_wstring(std::lround(m_kept->left)) + L", fila " +
           std::to_wstring(std::lround(m_kept->top)) + L" de l'original";
}

std::unique_ptr<CAccessibleParts> CCropView::MakeAccessibleParts() const {
    return std::make_unique<Parts>(*this);
}
