#include "dialogs/ConvertDlg.h"

#include "res/resource.h"

namespace {

constexpr int kPreviewSide = 128;
constexpr int kStampZoom = 4;

} // namespace

BEGIN_MESSAGE_MAP(CConvertDlg, CDialog)
ON_CONTROL_RANGE(BN_CLICKED, IDC_CONVERT_FIT, IDC_CONVERT_DITHER, OnOptionChanged)
END_MESSAGE_MAP()

CConvertDlg::CConvertDlg(picture::Picture picture, CWnd* parent)
    : CDialog(IDD_CONVERT_DIALOG, parent), m_picture(std::move(picture)) {}

void CConvertDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CONVERT_ORIGINAL, m_picOriginal);
    DDX_Control(pDX, IDC_CONVERT_STAMP_LARGE, m_picStampLarge);
    DDX_Control(pDX, IDC_CONVERT_STAMP, m_picStamp);
}

BOOL CConvertDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    std::vector<std::uint8_t> original = picture::FitForDisplay(m_picture, kPreviewSide);
    if (!original.empty()) {
        m_picOriginal.SetBitmap(CBitmap::FromPixels(original.data(), kPreviewSide, kPreviewSide));
    }
    CheckRadioButton(IDC_CONVERT_FIT, IDC_CONVERT_CROP,
                     m_options.framing == picture::Framing::Fit ? IDC_CONVERT_FIT
                                                                : IDC_CONVERT_CROP);
    CheckDlgButton(IDC_CONVERT_DITHER, m_options.dither ? BST_CHECKED : BST_UNCHECKED);
    ShowStamp();
    return TRUE;
}

void CConvertDlg::OnOptionChanged(UINT) {
    m_options.framing = IsDlgButtonChecked(IDC_CONVERT_CROP) == BST_CHECKED ? picture::Framing::Crop
                                                                            : picture::Framing::Fit;
    m_options.dither = IsDlgButtonChecked(IDC_CONVERT_DITHER) == BST_CHECKED;
    ShowStamp();
}

void CConvertDlg::ShowStamp() {
    m_stamp = picture::ConvertToStamp(m_picture, m_options).value_or(picture::Stamp{});
    m_picStampLarge.SetBitmap(CBitmap::FromPixels(m_stamp.data(), 32, 32, kStampZoom));
    m_picStamp.SetBitmap(CBitmap::FromPixels(m_stamp.data(), 32, 32));
}
