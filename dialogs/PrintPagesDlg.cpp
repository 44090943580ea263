#include "dialogs/PrintPagesDlg.h"

#include "dialogs/PagePreview.h"
#include "platform/Text.h"
#include "printing/Catalogue.h"
#include "printing/Pattern.h"
#include "res/resource.h"

#include <algorithm>
#include <iterator>

namespace {

const wchar_t* const kStampSizes[] = {L"1 cm", L"1,5 cm", L"2 cm", L"3 cm"};
constexpr int kStampSizeByDefault = 2; // 2 cm: a number a child reads from the wall
const wchar_t* const kSquares[] = {L"5 mm (perles)", L"2,5 mm (miniperles)", L"10 mm"};

std::wstring Text(HWND control) {
    wchar_t text[128] = {};
    ::GetWindowTextW(control, text, 128);
    return text;
}

// Today, as the user's calendar has it: "10/12/2026".
std::string Today() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    char date[16] = {};
    std::snprintf(date, sizeof date, "%02u/%02u/%04u", now.wDay, now.wMonth, now.wYear);
    return date;
}

} // namespace

BEGIN_MESSAGE_MAP(CPrintPagesDlg, CDialog)
ON_BN_CLICKED(IDC_PRINT_CATALOGUE, OnChoiceChanged)
ON_BN_CLICKED(IDC_PRINT_PATTERN, OnChoiceChanged)
ON_CONTROL(CBN_SELCHANGE, IDC_PRINT_STAMP_SIZE, OnChoiceChanged)
ON_CONTROL(EN_CHANGE, IDC_PRINT_IMAGE, OnChoiceChanged)
ON_CONTROL(CBN_EDITCHANGE, IDC_PRINT_SQUARE, OnSquareTyped)
ON_CONTROL(CBN_SELCHANGE, IDC_PRINT_SQUARE, OnSquareChosen)
ON_BN_CLICKED(IDC_PRINT_PREVIOUS, OnPrevious)
ON_BN_CLICKED(IDC_PRINT_NEXT, OnNext)
END_MESSAGE_MAP()

CPrintPagesDlg::CPrintPagesDlg(Request request, CWnd* parent)
    : CDialog(IDD_PRINT_DIALOG, parent), m_request(std::move(request)),
      m_preview(std::make_unique<CPagePreview>()) {
    CPagePreview::Register(); // the template names its class
}

CPrintPagesDlg::~CPrintPagesDlg() = default;

BOOL CPrintPagesDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_preview->Attach(GetDlgItem(IDC_PRINT_PREVIEW));
    for (const wchar_t* size : kStampSizes) {
        ::SendMessageW(GetDlgItem(IDC_PRINT_STAMP_SIZE), CB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>(size));
    }
    ::SendMessageW(GetDlgItem(IDC_PRINT_STAMP_SIZE), CB_SETCURSEL, kStampSizeByDefault, 0);
    for (const wchar_t* square : kSquares) {
        ::SendMessageW(GetDlgItem(IDC_PRINT_SQUARE), CB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>(square));
    }
    ::SendMessageW(GetDlgItem(IDC_PRINT_SQUARE), CB_SETCURSEL, 0, 0);
    SetDlgItemText(IDC_PRINT_IMAGE, std::to_string(m_request.current));
    ::SetWindowTextW(
        GetDlgItem(IDC_PRINT_PAPER),
        (L"Impressora: " + m_request.printer + L"\nPaper: " + m_request.paperWords).c_str());
    CheckRadioButton(IDC_PRINT_CATALOGUE, IDC_PRINT_PATTERN, IDC_PRINT_CATALOGUE);
    OnChoiceChanged();
    return TRUE;
}

bool CPrintPagesDlg::Pattern() const {
    return IsDlgButtonChecked(IDC_PRINT_PATTERN) == BST_CHECKED;
}

int CPrintPagesDlg::PatternImage() const {
    const std::wstring typed = Text(GetDlgItem(IDC_PRINT_IMAGE));
    const int image = typed.empty() || typed.size() > 4 ? 0 : std::stoi(typed);
    return image >= 1 && image <= static_cast<int>(m_request.stamps.size()) ? image : 0;
}

// A size chosen from the list: the box's edit gets its text only after this notification.
void CPrintPagesDlg::OnSquareChosen() {
    const LRESULT chosen = ::SendMessageW(GetDlgItem(IDC_PRINT_SQUARE), CB_GETCURSEL, 0, 0);
    if (chosen >= 0 && chosen < static_cast<LRESULT>(std::size(kSquares))) {
        m_square = printing::MillimetresTyped(Narrow(kSquares[chosen]));
        OnChoiceChanged();
    }
}

void CPrintPagesDlg::OnSquareTyped() {
    m_square = printing::MillimetresTyped(Narrow(Text(GetDlgItem(IDC_PRINT_SQUARE))));
    OnChoiceChanged();
}

std::vector<printing::Page> CPrintPagesDlg::LayOut(std::string& problem) const {
    std::vector<printing::Page> pages;
    if (!Pattern()) {
        const auto size = ::SendMessageW(GetDlgItem(IDC_PRINT_STAMP_SIZE), CB_GETCURSEL, 0, 0);
        pages = printing::CataloguePages(
            m_request.paper, printing::kCatalogueSizes[size < 0 ? kStampSizeByDefault : size],
            m_request.images, {m_request.name, Today()});
        problem = pages.empty() ? "El paper és massa petit per a segells d'aquesta mida." : "";
        return pages;
    }
    const int image = PatternImage();
    const printing::Tenths square = m_square;
    if (image == 0) {
        problem = "Escriviu el número d'una imatge, d'1 a " +
                  std::to_string(m_request.stamps.size()) + ".";
    } else if (square < printing::kSmallestSquare || square > printing::kLargestSquare) {
        problem = "Escriviu una mida de quadre entre 2 i 30 mm.";
    } else {
        pages = printing::PatternPages(
            m_request.paper, m_request.stamps[static_cast<std::size_t>(image - 1)], square,
            {m_request.name + " · imatge " + std::to_string(image), Today()});
        problem = pages.empty() ? "El paper és massa petit per a quadres d'aquesta mida." : "";
    }
    return pages;
}

void CPrintPagesDlg::OnChoiceChanged() {
    std::string problem;
    m_pages = LayOut(problem);
    SetDlgItemText(IDC_PRINT_PROBLEM, problem);
    ::EnableWindow(GetDlgItem(IDC_PRINT_STAMP_SIZE), !Pattern());
    ::EnableWindow(GetDlgItem(IDC_PRINT_IMAGE), Pattern());
    ::EnableWindow(GetDlgItem(IDC_PRINT_SQUARE), Pattern());
    ::EnableWindow(GetDlgItem(IDOK), !m_pages.empty());
    ShowPage(0);
}

void CPrintPagesDlg::ShowPage(int page) {
    const int count = static_cast<int>(m_pages.size());
    m_page = count == 0 ? 0 : std::clamp(page, 0, count - 1);
    m_preview->Show(m_request.paper,
                    count == 0 ? nullptr : &m_pages[static_cast<std::size_t>(m_page)],
                    &m_request.stamps);
    SetDlgItemText(IDC_PRINT_PAGE, count == 0 ? ""
                                              : "Pàgina " + std::to_string(m_page + 1) + " de " +
                                                    std::to_string(count));
    HWND previous = GetDlgItem(IDC_PRINT_PREVIOUS), next = GetDlgItem(IDC_PRINT_NEXT);
    const HWND focus = ::GetFocus();
    ::EnableWindow(previous, m_page > 0);
    ::EnableWindow(next, m_page + 1 < count);
    // A button greyed under the focus would leave the keyboard nowhere: the other one takes it.
    if ((focus == previous || focus == next) && !::IsWindowEnabled(focus)) {
        HWND other = focus == previous ? next : previous;
        ::SendMessageW(
            m_hWnd, WM_NEXTDLGCTL,
            reinterpret_cast<WPARAM>(::IsWindowEnabled(other) ? other : GetDlgItem(IDOK)), TRUE);
    }
}

void CPrintPagesDlg::OnPrevious() {
    ShowPage(m_page - 1);
}

void CPrintPagesDlg::OnNext() {
    ShowPage(m_page + 1);
}

void CPrintPagesDlg::OnOK() {
    if (!m_pages.empty()) {
        CDialog::OnOK();
    }
}
