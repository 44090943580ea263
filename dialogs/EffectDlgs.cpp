#include "dialogs/EffectDlgs.h"

#include "editor/Colours.h"
#include "res/resource.h"

#include <algorithm>
#include <commctrl.h>
#include <string>

using editor::Colour;

// --- every effect ---

CEffectDlg::CEffectDlg(UINT id, const editor::Stamp& stamp, ShowPreview show, CWnd* parent)
    : CDialog(id, parent), m_stamp(stamp), m_show(std::move(show)) {
    CColourSwatches::RegisterWindowClass();
}

editor::Stamp CEffectDlg::Result() const {
    editor::Stamp result = m_stamp;
    Apply(result);
    return result;
}

void CEffectDlg::Update() {
    editor::Stamp result = Result();
    m_show(&result);
}

void CEffectDlg::OnCancel() {
    m_show(nullptr);
    CDialog::OnCancel();
}

void CEffectDlg::CentreOnMainWindow() {
    RECT canvas{}, rect{};
    HWND editor = ::GetParent(m_hWnd);
    if (editor == nullptr || !::GetWindowRect(::GetDlgItem(editor, IDC_EDITOR_CANVAS), &canvas) ||
        !::GetWindowRect(m_hWnd, &rect)) {
        CDialog::CentreOnMainWindow();
        return;
    }
    MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
    ::GetMonitorInfoW(::MonitorFromWindow(editor, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const int x = std::clamp<int>(canvas.right + 8, work.left, work.right - width);
    const int y = std::clamp<int>(canvas.top, work.top, work.bottom - height);
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- outline and shadow ---

BEGIN_MESSAGE_MAP(CDrawingEffectDlg, CEffectDlg)
ON_CONTROL_RANGE(BN_CLICKED, IDC_EFFECT_CORNER_BACKGROUND, IDC_EFFECT_OTHER_BACKGROUND,
                 OnBackgroundChoice)
END_MESSAGE_MAP()

CDrawingEffectDlg::CDrawingEffectDlg(UINT id, const editor::Stamp& stamp, Colour colour,
                                     ShowPreview show, CWnd* parent)
    : CEffectDlg(id, stamp, std::move(show), parent), m_colour(colour) {}

BOOL CDrawingEffectDlg::OnInitDialog() {
    CEffectDlg::OnInitDialog();
    m_colours.Attach(GetDlgItem(IDC_EFFECT_COLOUR), 8, [this](Colour colour, bool) {
        m_colour = colour;
        m_colours.SetChosen(colour);
        Update();
    });
    m_colours.SetColours(editor::ChildrensPalette());
    m_colours.SetChosen(m_colour);
    std::vector<Colour> own = editor::ColoursByUse(m_stamp);
    own.resize(std::min<std::size_t>(own.size(), 8));
    m_backgrounds.Attach(GetDlgItem(IDC_EFFECT_BACKGROUND), 4, [this](Colour colour, bool) {
        m_background = colour;
        m_backgrounds.SetChosen(colour);
        CheckRadioButton(IDC_EFFECT_CORNER_BACKGROUND, IDC_EFFECT_OTHER_BACKGROUND,
                         IDC_EFFECT_OTHER_BACKGROUND);
        Update();
    });
    m_backgrounds.SetColours(own);
    m_backgrounds.SetChosen(editor::CornerColour(m_stamp));
    CheckRadioButton(IDC_EFFECT_CORNER_BACKGROUND, IDC_EFFECT_OTHER_BACKGROUND,
                     IDC_EFFECT_CORNER_BACKGROUND);
    return TRUE;
}

void CDrawingEffectDlg::OnBackgroundChoice(UINT id) {
    if (id == IDC_EFFECT_CORNER_BACKGROUND) {
        m_background.reset();
        m_backgrounds.SetChosen(editor::CornerColour(m_stamp));
    } else if (!m_background) {
        m_background = editor::CornerColour(m_stamp);
    }
    Update();
}

std::optional<Colour> CDrawingEffectDlg::Background() const {
    return m_background;
}

// --- "Contorn..." ---

BEGIN_MESSAGE_MAP(COutlineDlg, CDrawingEffectDlg)
ON_CONTROL_RANGE(BN_CLICKED, IDC_EFFECT_OUTSIDE, IDC_EFFECT_CORNERS, OnOption)
END_MESSAGE_MAP()

COutlineDlg::COutlineDlg(const editor::Stamp& stamp, Colour colour, ShowPreview show, CWnd* parent)
    : CDrawingEffectDlg(IDD_OUTLINE_DIALOG, stamp, colour, std::move(show), parent) {}

BOOL COutlineDlg::OnInitDialog() {
    CDrawingEffectDlg::OnInitDialog();
    CheckRadioButton(IDC_EFFECT_OUTSIDE, IDC_EFFECT_INSIDE, IDC_EFFECT_OUTSIDE);
    OnOption(0);
    return TRUE;
}

void COutlineDlg::OnOption(UINT) {
    // Read as they are chosen: the result is asked for once the window is gone.
    m_options.inside = IsDlgButtonChecked(IDC_EFFECT_INSIDE) == BST_CHECKED;
    m_options.corners = IsDlgButtonChecked(IDC_EFFECT_CORNERS) == BST_CHECKED;
    Update();
}

void COutlineDlg::Apply(editor::Stamp& stamp) const {
    editor::OutlineOptions options = m_options;
    options.colour = m_colour;
    options.background = Background();
    editor::DrawOutline(stamp, options);
}

// --- "Ombra..." ---

namespace {

// The shadow's direction buttons, left to right and top to bottom, and where each points.
struct Direction {
    int id, dx, dy;
};
constexpr Direction kDirections[] = {{IDC_EFFECT_UP_LEFT, -1, -1}, {IDC_EFFECT_UP, 0, -1},
                                     {IDC_EFFECT_UP_RIGHT, 1, -1}, {IDC_EFFECT_LEFT, -1, 0},
                                     {IDC_EFFECT_RIGHT, 1, 0},     {IDC_EFFECT_DOWN_LEFT, -1, 1},
                                     {IDC_EFFECT_DOWN, 0, 1},      {IDC_EFFECT_DOWN_RIGHT, 1, 1}};

} // namespace

BEGIN_MESSAGE_MAP(CShadowDlg, CDrawingEffectDlg)
ON_CONTROL_RANGE(BN_CLICKED, IDC_EFFECT_ONE_PIXEL, IDC_EFFECT_TWO_PIXELS, OnOption)
ON_CONTROL_RANGE(BN_CLICKED, IDC_EFFECT_UP_LEFT, IDC_EFFECT_DOWN_RIGHT, OnOption)
END_MESSAGE_MAP()

CShadowDlg::CShadowDlg(const editor::Stamp& stamp, ShowPreview show, CWnd* parent)
    : CDrawingEffectDlg(IDD_SHADOW_DIALOG, stamp, editor::ShadowOptions{}.colour, std::move(show),
                        parent) {}

BOOL CShadowDlg::OnInitDialog() {
    CDrawingEffectDlg::OnInitDialog();
    CheckRadioButton(IDC_EFFECT_UP_LEFT, IDC_EFFECT_DOWN_RIGHT, IDC_EFFECT_DOWN_RIGHT);
    CheckRadioButton(IDC_EFFECT_ONE_PIXEL, IDC_EFFECT_TWO_PIXELS, IDC_EFFECT_ONE_PIXEL);
    OnOption(0);
    return TRUE;
}

void CShadowDlg::OnOption(UINT) {
    // Read as they are chosen: the result is asked for once the window is gone.
    const int distance = IsDlgButtonChecked(IDC_EFFECT_TWO_PIXELS) == BST_CHECKED ? 2 : 1;
    for (const Direction& direction : kDirections) {
        if (IsDlgButtonChecked(direction.id) == BST_CHECKED) {
            m_options.dx = direction.dx * distance;
            m_options.dy = direction.dy * distance;
        }
    }
    Update();
}

void CShadowDlg::Apply(editor::Stamp& stamp) const {
    editor::ShadowOptions options = m_options;
    options.colour = m_colour;
    options.background = Background();
    editor::DrawShadow(stamp, options);
}

// --- "Ajusta els colors..." ---

namespace {

struct Slider {
    int id, valueId, least, most;
};
constexpr Slider kHue{IDC_ADJUST_HUE, IDC_ADJUST_HUE_VALUE, -180, 180};
constexpr Slider kLightness{IDC_ADJUST_LIGHTNESS, IDC_ADJUST_LIGHTNESS_VALUE, -100, 100};
constexpr Slider kChroma{IDC_ADJUST_CHROMA, IDC_ADJUST_CHROMA_VALUE, -100, 100};

// A slider's number with its sign and unit. Built with += : GCC 12 warns falsely
// (-Wrestrict) on a chain of + that starts with a literal.
std::string Signed(int value, const char* unit) {
    std::string text = value > 0 ? "+" : "";
    text += std::to_string(value);
    text += unit;
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CAdjustDlg, CEffectDlg)
ON_BN_CLICKED(IDC_ADJUST_KEEP_LIGHTNESS, OnKeepLightness)
END_MESSAGE_MAP()

CAdjustDlg::CAdjustDlg(const editor::Stamp& stamp, ShowPreview show, CWnd* parent)
    : CEffectDlg(IDD_ADJUST_DIALOG, stamp, std::move(show), parent) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
}

BOOL CAdjustDlg::OnInitDialog() {
    CEffectDlg::OnInitDialog();
    // The trackbars run from 0: Wine's took no negative least value, and kept its thumb at the
    // left end. Each value is the position moved by the slider's least.
    for (const Slider& slider : {kHue, kLightness, kChroma}) {
        HWND bar = GetDlgItem(slider.id);
        ::SendMessageW(bar, TBM_SETRANGEMIN, FALSE, 0);
        ::SendMessageW(bar, TBM_SETRANGEMAX, TRUE, slider.most - slider.least);
        ::SendMessageW(bar, TBM_SETPAGESIZE, 0, 10);
        ::SendMessageW(bar, TBM_SETPOS, TRUE, -slider.least);
    }
    CheckDlgButton(IDC_ADJUST_KEEP_LIGHTNESS, BST_CHECKED);
    ReadSliders();
    return TRUE;
}

BOOL CAdjustDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_HSCROLL) {
        ReadSliders(); // every step of a slider, dragged or by its keys
        *result = 0;
        return TRUE;
    }
    return CEffectDlg::OnWndMsg(message, wParam, lParam, result);
}

void CAdjustDlg::OnKeepLightness() {
    ReadSliders();
}

void CAdjustDlg::ReadSliders() {
    auto read = [this](const Slider& slider) {
        return static_cast<int>(::SendMessageW(GetDlgItem(slider.id), TBM_GETPOS, 0, 0)) +
               slider.least;
    };
    m_adjustment = {read(kHue), read(kLightness), read(kChroma),
                    IsDlgButtonChecked(IDC_ADJUST_KEEP_LIGHTNESS) == BST_CHECKED};
    SetDlgItemText(kHue.valueId, Signed(m_adjustment.hueTurn, "°"));
    SetDlgItemText(kLightness.valueId, Signed(m_adjustment.lightness, ""));
    SetDlgItemText(kChroma.valueId, Signed(m_adjustment.chroma, " %"));
    Update();
}

void CAdjustDlg::Apply(editor::Stamp& stamp) const {
    editor::AdjustColours(stamp, m_adjustment);
}
