#include "dialogs/PagePreview.h"

#include "dialogs/PageDrawing.h"
#include "platform/Gdi.h"
#include "platform/Text.h"

#include <algorithm>

namespace {

constexpr wchar_t kClassName[] = L"BreltPagePreview";
constexpr int kGap = 6; // between the paper and the control's edges

} // namespace

void CPagePreview::Register() {
    RegisterControlClass(kClassName, IDC_ARROW);
}

void CPagePreview::Show(const printing::Paper& paper, const printing::Page* page,
                        const std::vector<editor::Stamp>* stamps) {
    m_paper = paper;
    m_page = page;
    m_stamps = stamps;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    NotifyAccessible(EVENT_OBJECT_VALUECHANGE, m_hWnd, 0);
}

class CPagePreview::Parts : public CAccessibleParts {
public:
    explicit Parts(const CPagePreview& owner) : m_owner(owner) {}

    std::wstring Name(int) const override { return L"Vista prèvia de la pàgina"; }
    long Role(int) const override { return ROLE_SYSTEM_GRAPHIC; }
    long State(int) const override { return STATE_SYSTEM_READONLY; }
    // "animals.sgc, 10/12/2026, Pàgina 1 de 2, 63 segells".
    std::wstring Value(int) const override {
        if (m_owner.m_page == nullptr) {
            return {};
        }
        std::wstring said;
        int stamps = 0;
        for (const printing::Shape& shape : m_owner.m_page->shapes) {
            if (shape.kind == printing::Shape::Kind::Text && shape.size == printing::kTitleSize) {
                said += (said.empty() ? L"" : L", ") + Widen(shape.text);
            }
            stamps += shape.kind == printing::Shape::Kind::Stamp ? 1 : 0;
        }
        if (stamps > 0) {
            said += L", " + std::to_wstring(stamps) + (stamps == 1 ? L" segell" : L" segells");
        }
        return said;
    }
    RECT Location(int) const override {
        RECT client{};
        ::GetClientRect(m_owner.m_hWnd, &client);
        return client;
    }
    int ChildAt(POINT) const override { return 0; }

private:
    const CPagePreview& m_owner;
};

std::unique_ptr<CAccessibleParts> CPagePreview::MakeAccessibleParts() const {
    return std::make_unique<Parts>(*this);
}

LRESULT CPagePreview::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

// The paper's rectangle, its proportions kept, centred in the control.
RECT CPagePreview::PaperRect() const {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int room = std::max(1L, client.right - 2 * kGap);
    const int tall = std::max(1L, client.bottom - 2 * kGap);
    if (m_paper.width <= 0 || m_paper.height <= 0) {
        return {};
    }
    int width = room, height = static_cast<int>(1LL * room * m_paper.height / m_paper.width);
    if (height > tall) {
        height = tall;
        width = static_cast<int>(1LL * tall * m_paper.width / m_paper.height);
    }
    const int left = (client.right - width) / 2, top = (client.bottom - height) / 2;
    return {left, top, left + width, top + height};
}

void CPagePreview::Draw(HDC dc) const {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_APPWORKSPACE));
    const RECT paper = PaperRect();
    if (paper.right <= paper.left) {
        return;
    }
    RECT shadow = paper;
    ::OffsetRect(&shadow, 2, 2);
    ::FillRect(dc, &shadow, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
    CBrush unprintable(RGB(0xE8, 0xE8, 0xE8));
    ::FillRect(dc, &paper, unprintable.GetSafeHandle());
    PageScale scale;
    scale.pixelsPerTenthX = static_cast<double>(paper.right - paper.left) / m_paper.width;
    scale.pixelsPerTenthY = static_cast<double>(paper.bottom - paper.top) / m_paper.height;
    scale.originX = paper.left;
    scale.originY = paper.top;
    const printing::Box reach{m_paper.unprintableLeft, m_paper.unprintableTop,
                              m_paper.width - m_paper.unprintableLeft - m_paper.unprintableRight,
                              m_paper.height - m_paper.unprintableTop - m_paper.unprintableBottom};
    DrawPage(dc, {{printing::FillOf(reach, 0xFFFFFF)}}, scale, {});
    if (m_page != nullptr && m_stamps != nullptr) {
        DrawPage(dc, *m_page, scale, *m_stamps);
    }
}
