#include "dialogs/TextToolDlg.h"

#include "platform/Text.h"
#include "res/resource.h"

#include <algorithm>
#include <commctrl.h>

namespace {

// A few words on one stamp: more would be too small to read.
constexpr int kLongestText = 100;

std::wstring FontDescribed(const FontChoice& font) {
    std::wstring described = L"Lletra: " + font.face;
    if (font.bold || font.italic) {
        described += font.bold && font.italic ? L", negreta i cursiva"
                     : font.bold              ? L", negreta"
                                              : L", cursiva";
    }
    return described + L".";
}

} // namespace

BEGIN_MESSAGE_MAP(CTextToolDlg, CEffectDlg)
ON_CONTROL(EN_CHANGE, IDC_EDITOR_TEXT_TEXT, OnChanged)
ON_CONTROL(EN_CHANGE, IDC_EDITOR_TEXT_SIZE, OnChanged)
END_MESSAGE_MAP()

CTextToolDlg::CTextToolDlg(const editor::Stamp& stamp, editor::Point at, editor::Colour colour,
                           TextChoices& choices, ShowPreview show, CWnd* parent)
    : CEffectDlg(IDD_EDITOR_TEXT_DIALOG, stamp, std::move(show), parent), m_at(at),
      m_colour(colour), m_choices(choices) {}

BOOL CTextToolDlg::OnInitDialog() {
    CEffectDlg::OnInitDialog();
    if (m_choices.font.face.empty()) {
        m_choices.font.face = StartingFont(InstalledFonts());
    }
    HWND text = GetDlgItem(IDC_EDITOR_TEXT_TEXT);
    ::SendMessageW(text, EM_LIMITTEXT, kLongestText, 0);
    ::SetWindowTextW(text, m_choices.toolText.c_str());
    ::SendMessageW(text, EM_SETSEL, 0, -1); // typing replaces what was written last
    HWND spin = GetDlgItem(IDC_EDITOR_TEXT_SIZE_SPIN);
    ::SendMessageW(spin, UDM_SETRANGE32, kLeastSize, kMostSize);
    ::SendMessageW(spin, UDM_SETPOS32, 0, m_choices.toolSize);
    ::SetWindowTextW(GetDlgItem(IDC_EDITOR_TEXT_FONT), FontDescribed(m_choices.font).c_str());
    m_ready = true;
    OnChanged();
    ::SetFocus(text);
    return FALSE; // the focus is on the text
}

void CTextToolDlg::OnChanged() {
    if (m_ready) {
        ReadChoices();
        Letter();
        Update();
    }
}

void CTextToolDlg::ReadChoices() {
    wchar_t typed[kLongestText + 1] = {};
    ::GetWindowTextW(GetDlgItem(IDC_EDITOR_TEXT_TEXT), typed, kLongestText + 1);
    m_choices.toolText = typed;
    BOOL valid = FALSE;
    const UINT size = GetDlgItemInt(IDC_EDITOR_TEXT_SIZE, &valid, FALSE);
    if (valid) {
        m_choices.toolSize =
            std::clamp(static_cast<int>(std::min<UINT>(size, kMostSize)), kLeastSize, kMostSize);
    }
}

void CTextToolDlg::Letter() {
    const std::wstring& text = m_choices.toolText;
    const std::wstring missing = MissingCharacters(text, m_choices.font);
    std::optional<text::Drawing> drawing;
    if (missing.empty() && text.find_first_not_of(L' ') != std::wstring::npos) {
        drawing = DrawCrisp(text, m_choices.font, EmFor(m_choices.toolSize));
    }
    // Drawn at its size with the font's own pixels: taken as they are.
    m_letters = drawing ? text::LettersOf(*drawing, 1.0, m_colour) : editor::Piece{};
    ::SetWindowTextW(GetDlgItem(IDC_EDITOR_TEXT_SUMMARY), Summary(missing).c_str());
    ::EnableWindow(GetDlgItem(IDOK), !m_letters.words.empty());
}

std::wstring CTextToolDlg::Summary(const std::wstring& missing) const {
    if (!missing.empty()) {
        return L"La lletra " + m_choices.font.face + L" no té: " + missing +
               L". Trieu-ne una altra a «Crea segells de text...».";
    }
    if (m_letters.words.empty()) {
        return L"Escriviu el text que voleu posar al segell.";
    }
    return std::to_wstring(m_letters.width) + L" × " + std::to_wstring(m_letters.height) +
           L" píxels. Després es pot arrossegar; Esc el deixa on és.";
}

int CTextToolDlg::EmFor(int size) {
    auto known = m_ems.find(size);
    if (known == m_ems.end()) {
        known = m_ems.emplace(size, EmForCapitals(m_choices.font, size)).first;
    }
    return known->second;
}

void CTextToolDlg::Apply(editor::Stamp& stamp) const {
    if (!m_letters.words.empty()) {
        stamp = editor::Selection::Lay(stamp, m_letters, m_at).Composite();
    }
}
