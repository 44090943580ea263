#include "dialogs/TextStampsDlg.h"

#include "editor/Colours.h"
#include "editor/Pieces.h"
#include "layout/Zoom.h"
#include "platform/Layout.h"
#include "platform/Text.h"
#include "res/resource.h"

#include <algorithm>

namespace {

// Longer than any collection: a stamp a character fills every image long before.
constexpr int kLongestText = 200;

// The quick choices, in the order of their buttons.
const wchar_t* const kQuickTexts[] = {L"ABCDEFGHIJKLMNOPQRSTUVWXYZ", L"abcdefghijklmnopqrstuvwxyz",
                                      L"0123456789", L"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"};

std::string ImagesText(int first, int count) {
    std::string text = count == 1 ? "Un segell, a la imatge " : std::to_string(count);
    if (count == 1) {
        text += std::to_string(first);
    } else {
        text += " segells, a les imatges ";
        text += std::to_string(first);
        text += " a ";
        text += std::to_string(first + count - 1);
    }
    return text + ".";
}

} // namespace

BEGIN_MESSAGE_MAP(CTextStampsDlg, CDialog)
ON_CONTROL(EN_CHANGE, IDC_TEXT_TEXT, OnChoiceChanged)
ON_CONTROL(CBN_SELCHANGE, IDC_TEXT_FONT, OnChoiceChanged)
ON_CONTROL_RANGE(BN_CLICKED, IDC_TEXT_BOLD, IDC_TEXT_ITALIC, OnQuickChoice)
ON_CONTROL_RANGE(BN_CLICKED, IDC_TEXT_OUTLINE, IDC_TEXT_OUTLINE, OnQuickChoice)
ON_CONTROL_RANGE(BN_CLICKED, IDC_TEXT_SMOOTH, IDC_TEXT_EACH, OnQuickChoice)
ON_CONTROL_RANGE(BN_CLICKED, IDC_TEXT_UPPER, IDC_TEXT_UPPER_DIGITS, OnQuickChoice)
END_MESSAGE_MAP()

CTextStampsDlg::CTextStampsDlg(TextChoices& choices, int first, int count, CWnd* parent)
    : CDialog(IDD_TEXT_DIALOG, parent), m_choices(choices), m_first(first), m_count(count) {
    CColourSwatches::RegisterWindowClass();
}

void CTextStampsDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TEXT_PREVIEW4, m_picPreview4);
    DDX_Control(pDX, IDC_TEXT_PREVIEW1, m_picPreview1);
    DDX_Control(pDX, IDC_TEXT_SERIES, m_picSeries);
}

void CTextStampsDlg::LayOut(int dpi) {
    m_zoom = layout::ZoomForDpi(4, dpi);
    const int one = 32 * layout::ZoomForDpi(1, dpi);
    GrowControls(m_hWnd, {{GetDlgItem(IDC_TEXT_PREVIEW4), 32 * m_zoom, 32 * m_zoom},
                          {GetDlgItem(IDC_TEXT_PREVIEW1), one, one}});
    // Kept now: a bitmap static takes the size of each bitmap it is given.
    RECT row{};
    ::GetClientRect(GetDlgItem(IDC_TEXT_SERIES), &row);
    m_seriesWidth = row.right;
}

BOOL CTextStampsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    LayOut(GetDpi());
    const std::vector<std::wstring> fonts = InstalledFonts();
    HWND list = GetDlgItem(IDC_TEXT_FONT);
    for (const std::wstring& font : fonts) {
        ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(font.c_str()));
    }
    if (m_choices.font.face.empty()) {
        m_choices.font.face = StartingFont(fonts);
    }
    ::SendMessageW(list, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(m_choices.font.face.c_str()));
    ::SendMessageW(GetDlgItem(IDC_TEXT_TEXT), EM_LIMITTEXT, kLongestText, 0);
    ::SetWindowTextW(GetDlgItem(IDC_TEXT_TEXT), m_choices.text.c_str());
    CheckDlgButton(IDC_TEXT_BOLD, m_choices.font.bold ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_TEXT_ITALIC, m_choices.font.italic ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_TEXT_OUTLINE, m_choices.colours.outline ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_TEXT_SMOOTH, m_choices.smooth ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_TEXT_FIXED, m_choices.fixedSize ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(IDC_TEXT_ONE, IDC_TEXT_EACH,
                     m_choices.eachCharacter ? IDC_TEXT_EACH : IDC_TEXT_ONE);
    SetUpColours();
    m_ready = true;
    Update();
    return TRUE;
}

void CTextStampsDlg::SetUpColours() {
    struct Row {
        CColourSwatches& swatches;
        int id;
        editor::Colour& colour;
    };
    for (Row row : {Row{m_ink, IDC_TEXT_INK, m_choices.colours.ink},
                    Row{m_background, IDC_TEXT_BACKGROUND, m_choices.colours.background},
                    Row{m_outline, IDC_TEXT_OUTLINE_COLOUR, m_choices.colours.outlineColour}}) {
        CColourSwatches* swatches = &row.swatches;
        editor::Colour* colour = &row.colour;
        swatches->Attach(GetDlgItem(row.id), 16, [this, swatches, colour](editor::Colour c, bool) {
            *colour = c;
            swatches->SetChosen(c);
            Update();
        });
        swatches->SetColours(editor::ChildrensPalette());
        swatches->SetChosen(*colour);
    }
}

void CTextStampsDlg::OnChoiceChanged() {
    if (m_ready) {
        Update();
    }
}

void CTextStampsDlg::OnQuickChoice(UINT id) {
    if (id >= IDC_TEXT_UPPER && id <= IDC_TEXT_UPPER_DIGITS) {
        // A series: a stamp for each character, all of one size.
        CheckRadioButton(IDC_TEXT_ONE, IDC_TEXT_EACH, IDC_TEXT_EACH);
        CheckDlgButton(IDC_TEXT_FIXED, BST_CHECKED);
        ::SetWindowTextW(GetDlgItem(IDC_TEXT_TEXT), kQuickTexts[id - IDC_TEXT_UPPER]);
    }
    OnChoiceChanged();
}

void CTextStampsDlg::ReadChoices() {
    wchar_t typed[kLongestText + 1] = {};
    ::GetWindowTextW(GetDlgItem(IDC_TEXT_TEXT), typed, kLongestText + 1);
    m_choices.text = typed;
    HWND list = GetDlgItem(IDC_TEXT_FONT);
    const auto chosen = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
    wchar_t face[LF_FACESIZE] = {};
    if (chosen >= 0 && ::SendMessageW(list, CB_GETLBTEXTLEN, chosen, 0) < LF_FACESIZE) {
        ::SendMessageW(list, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(face));
        m_choices.font.face = face;
    }
    m_choices.font.bold = IsDlgButtonChecked(IDC_TEXT_BOLD) == BST_CHECKED;
    m_choices.font.italic = IsDlgButtonChecked(IDC_TEXT_ITALIC) == BST_CHECKED;
    m_choices.colours.outline = IsDlgButtonChecked(IDC_TEXT_OUTLINE) == BST_CHECKED;
    m_choices.smooth = IsDlgButtonChecked(IDC_TEXT_SMOOTH) == BST_CHECKED;
    m_choices.fixedSize = IsDlgButtonChecked(IDC_TEXT_FIXED) == BST_CHECKED;
    m_choices.eachCharacter = IsDlgButtonChecked(IDC_TEXT_EACH) == BST_CHECKED;
}

const text::Drawing& CTextStampsDlg::DrawingOf(const std::wstring& item) {
    if (!(m_drawnWith == m_choices.font)) {
        m_drawings.clear();
        m_drawnWith = m_choices.font;
    }
    auto [at, added] = m_drawings.try_emplace(item);
    if (added) {
        at->second = DrawWithFont(item, m_choices.font).value_or(text::Drawing{});
    }
    return at->second;
}

void CTextStampsDlg::Update() {
    ReadChoices();
    std::vector<std::wstring> items;
    if (m_choices.eachCharacter) {
        for (wchar_t c : m_choices.text) {
            items.emplace_back(1, c);
        }
    } else if (!m_choices.text.empty()) {
        items.push_back(m_choices.text);
    }
    std::vector<text::Drawing> drawings;
    for (const std::wstring& item : items) {
        drawings.push_back(DrawingOf(item));
    }
    std::vector<text::Placement> placements;
    if (m_choices.fixedSize && m_choices.eachCharacter) {
        placements = text::FitSeries(drawings);
    } else {
        for (const text::Drawing& drawing : drawings) {
            placements.push_back(text::FitAlone(text::InkOf(drawing)));
        }
    }
    m_stamps.clear();
    for (std::size_t i = 0; i < drawings.size(); ++i) {
        m_stamps.push_back(text::Paint(text::CoverageIn(drawings[i], placements[i]),
                                       m_choices.colours, m_choices.smooth));
    }
    ShowStamps();
    ShowSummary(MissingCharacters(m_choices.text, m_choices.font));
}

void CTextStampsDlg::ShowStamps() {
    const editor::Stamp shown = m_stamps.empty() ? editor::Stamp() : m_stamps.front();
    const std::vector<std::uint8_t> pixels = editor::ShownPixels(shown);
    m_picPreview4.SetBitmap(CBitmap::FromPixels(pixels.data(), 32, 32, m_zoom));
    m_picPreview1.SetBitmap(CBitmap::FromPixels(pixels.data(), 32, 32, m_zoom / 4));
    // The series as a row, at the size the stamps will be seen, as many as the row holds.
    const int zoom = std::max(1, m_zoom / 4), cell = 34 * zoom;
    const int fits = std::max(1, m_seriesWidth / cell);
    const int shownCount = std::min<int>(fits, static_cast<int>(m_stamps.size()));
    const int width = std::max(1, shownCount) * 34, height = 32;
    std::vector<std::uint8_t> strip(static_cast<std::size_t>(width * height * 3), 240);
    for (int s = 0; s < shownCount; ++s) {
        const std::vector<std::uint8_t> one =
            editor::ShownPixels(m_stamps[static_cast<std::size_t>(s)]);
        for (int y = 0; y < 32; ++y) {
            std::copy_n(one.begin() + y * 96, 96, strip.begin() + (y * width + s * 34 + 1) * 3);
        }
    }
    m_picSeries.SetBitmap(CBitmap::FromPixels(strip.data(), width, height, zoom));
}

void CTextStampsDlg::ShowSummary(const std::wstring& missing) {
    const int wanted = static_cast<int>(m_stamps.size());
    std::string summary;
    bool possible = false;
    if (!missing.empty()) {
        summary = "La lletra "; // built with +=: GCC 12 warns falsely on a + chain from a literal
        summary += Narrow(m_choices.font.face);
        summary += " no té: ";
        summary += Narrow(missing);
    } else if (wanted == 0) {
        summary = "Escriviu el text dels segells.";
    } else if (m_first + wanted - 1 > m_count) {
        summary = std::to_string(wanted) + " segells no hi caben: de la imatge " +
                  std::to_string(m_first) + " només en queden " +
                  std::to_string(m_count - m_first + 1) + ".";
    } else {
        summary = ImagesText(m_first, wanted);
        possible = true;
    }
    SetDlgItemText(IDC_TEXT_SUMMARY, summary);
    ::EnableWindow(GetDlgItem(IDOK), possible ? TRUE : FALSE);
}

void CTextStampsDlg::OnOK() {
    ReadChoices();
    if (::IsWindowEnabled(GetDlgItem(IDOK))) {
        CDialog::OnOK();
    }
}
