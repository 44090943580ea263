#include "dialogs/SheetDlg.h"

#include "picture/StampConversion.h"
#include "res/resource.h"

#include <algorithm>

namespace {

const int kFields[] = {IDC_SHEET_COLUMNS,     IDC_SHEET_ROWS,   IDC_SHEET_CELL_WIDTH,
                       IDC_SHEET_CELL_HEIGHT, IDC_SHEET_MARGIN, IDC_SHEET_SPACING};

} // namespace

BEGIN_MESSAGE_MAP(CSheetDlg, CDialog)
ON_CONTROL_RANGE(EN_CHANGE, IDC_SHEET_COLUMNS, IDC_SHEET_SPACING, OnFieldChanged)
ON_CONTROL(EN_CHANGE, IDC_SHEET_FIRST_IMAGE, OnFirstImageChanged)
ON_BN_CLICKED(IDC_SHEET_SKIP_BLANK, OnSkipBlank)
END_MESSAGE_MAP()

CSheetDlg::CSheetDlg(picture::Picture sheet, int firstImage, int imageCount, CWnd* parent)
    : CDialog(IDD_SHEET_DIALOG, parent), m_sheet(std::move(sheet)), m_firstImage(firstImage),
      m_imageCount(imageCount) {
    m_layout = sheet::GuessLayout(m_sheet, m_recognised);
    m_breltLayout = m_layout;
    if (m_recognised) {
        m_firstImage = 1; // a whole collection's sheet goes back where it came from
    }
}

void CSheetDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SHEET_PREVIEW, m_picPreview);
    DDX_Control(pDX, IDC_SHEET_SUMMARY, m_txtSummary);
}

BOOL CSheetDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    RECT room;
    m_picPreview.GetClientRect(&room);
    m_side = std::max(16, static_cast<int>(std::min(room.right, room.bottom)) - 4);
    m_fitted = picture::FitForDisplay(m_sheet, m_side);
    m_filling = true;
    const int values[] = {m_layout.columns,    m_layout.rows,   m_layout.cellWidth,
                          m_layout.cellHeight, m_layout.margin, m_layout.spacing};
    for (std::size_t i = 0; i < std::size(kFields); ++i) {
        SetDlgItemInt(kFields[i], static_cast<UINT>(values[i]), FALSE);
    }
    SetDlgItemInt(IDC_SHEET_FIRST_IMAGE, static_cast<UINT>(m_firstImage), FALSE);
    m_filling = false;
    ShowLayout();
    return TRUE;
}

void CSheetDlg::ReadFields() {
    int* fields[] = {&m_layout.columns,    &m_layout.rows,   &m_layout.cellWidth,
                     &m_layout.cellHeight, &m_layout.margin, &m_layout.spacing};
    for (std::size_t i = 0; i < std::size(kFields); ++i) {
        BOOL read = FALSE;
        UINT value = GetDlgItemInt(kFields[i], &read, FALSE);
        *fields[i] = read && value <= 65535 ? static_cast<int>(value) : -1;
    }
}

void CSheetDlg::OnFieldChanged(UINT) {
    if (!m_filling) {
        ReadFields();
        ShowLayout();
    }
}

void CSheetDlg::OnFirstImageChanged() {
    if (!m_filling) {
        BOOL read = FALSE;
        UINT value = GetDlgItemInt(IDC_SHEET_FIRST_IMAGE, &read, FALSE);
        m_firstImage = read && value >= 1 && value <= static_cast<UINT>(m_imageCount)
                           ? static_cast<int>(value)
                           : 0;
        ShowLayout();
    }
}

void CSheetDlg::OnSkipBlank() {
    m_skipBlank = IsDlgButtonChecked(IDC_SHEET_SKIP_BLANK) == BST_CHECKED;
    ShowLayout();
}

void CSheetDlg::ShowLayout() {
    const bool fits = sheet::Fits(m_layout, m_sheet.width, m_sheet.height);
    m_cells = fits ? sheet::CellsToImport(m_sheet, m_layout, m_skipBlank) : std::vector<int>{};
    std::vector<std::uint8_t> shown = m_fitted;
    if (fits && !shown.empty()) {
        DrawGrid(shown);
    }
    if (!shown.empty()) {
        m_picPreview.SetBitmap(CBitmap::FromPixels(shown.data(), m_side, m_side));
    }
    m_txtSummary.SetWindowText(Summary(fits));
    const int cells = static_cast<int>(m_cells.size());
    ::EnableWindow(GetDlgItem(IDOK), fits && cells > 0 && m_firstImage > 0);
}

void CSheetDlg::DrawGrid(std::vector<std::uint8_t>& shown) const {
    // Every cell's outline in magenta, which few stamps use, over the fitted sheet.
    double scale = static_cast<double>(m_side) / std::max(m_sheet.width, m_sheet.height);
    double left = (m_side - m_sheet.width * scale) / 2, top = (m_side - m_sheet.height * scale) / 2;
    auto plot = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < m_side && y < m_side) {
            std::uint8_t* px = &shown[static_cast<std::size_t>(y * m_side + x) * 3];
            px[0] = 255, px[1] = 0, px[2] = 255;
        }
    };
    for (int index = 0; index < m_layout.columns * m_layout.rows; ++index) {
        sheet::Rect cell = sheet::CellRect(m_layout, index);
        int x0 = static_cast<int>(left + cell.x * scale),
            y0 = static_cast<int>(top + cell.y * scale);
        int x1 = static_cast<int>(left + (cell.x + cell.width) * scale) - 1;
        int y1 = static_cast<int>(top + (cell.y + cell.height) * scale) - 1;
        for (int x = x0; x <= x1; ++x) {
            plot(x, y0), plot(x, y1);
        }
        for (int y = y0; y <= y1; ++y) {
            plot(x0, y), plot(x1, y);
        }
    }
}

std::string CSheetDlg::Summary(bool fits) const {
    const int cells = static_cast<int>(m_cells.size());
    const int last = std::min(m_imageCount, m_firstImage + cells - 1);
    std::string summary;
    if (!fits) {
        summary = "Les caselles no caben dins de la imatge.";
    } else if (m_firstImage == 0) {
        summary = "La col·lecció té les imatges 1 a " + std::to_string(m_imageCount) + ".";
    } else if (cells == 0) {
        summary = "No hi ha cap casella per importar.";
    } else {
        summary = last > m_firstImage
                      ? "Es substituiran les imatges " + std::to_string(m_firstImage) + " a " +
                            std::to_string(last) + "."
                      : "Es substituirà la imatge " + std::to_string(m_firstImage) + ".";
        if (m_firstImage + cells - 1 > m_imageCount) {
            summary += " " + std::to_string(m_firstImage + cells - 1 - m_imageCount) +
                       " caselles no hi caben, després de l'última imatge.";
        }
    }
    if (IsBreltSheet()) {
        summary += "\nÉs un full de brelt: es llegirà tal com es va desar.";
    }
    return summary;
}

void CSheetDlg::OnOK() {
    if (sheet::Fits(m_layout, m_sheet.width, m_sheet.height) && !m_cells.empty() &&
        m_firstImage > 0) {
        CDialog::OnOK();
    }
}
