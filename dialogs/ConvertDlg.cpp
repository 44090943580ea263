#include "dialogs/ConvertDlg.h"

#include "editor/Pieces.h"
#include "layout/Zoom.h"
#include "platform/Layout.h"
#include "res/resource.h"

namespace {

// The zooms of the two stamps shown, at 96 DPI: the larger grows with the DPI.
constexpr int kLargeZoom = 4;
constexpr int kSmallZoom = 1;

// Whether two sets of options frame a picture alike: only the colours may differ.
bool FrameAlike(const picture::StampOptions& x, const picture::StampOptions& y) {
    return x.framing == y.framing && x.trimMargins == y.trimMargins &&
           (x.framing == picture::Framing::Fit || x.crop == y.crop);
}

} // namespace

BEGIN_MESSAGE_MAP(CConvertDlg, CDialog)
ON_CONTROL_RANGE(BN_CLICKED, IDC_CONVERT_FIT, IDC_CONVERT_DITHER, OnOptionChanged)
ON_CONTROL_RANGE(BN_CLICKED, IDC_CONVERT_TRIM, IDC_CONVERT_OUTLINE, OnOptionChanged)
END_MESSAGE_MAP()

CConvertDlg::CConvertDlg(picture::Picture picture, ConversionChoices& choices, CWnd* parent)
    : CDialog(IDD_CONVERT_DIALOG, parent), m_picture(std::move(picture)), m_choices(choices),
      m_options(StartingOptions(choices, m_picture)), m_darkOutline(choices.darkOutline) {
    CCropView::RegisterWindowClass();
}

void CConvertDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CONVERT_STAMP_LARGE, m_picStampLarge);
    DDX_Control(pDX, IDC_CONVERT_STAMP, m_picStamp);
}

BOOL CConvertDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    LayOut(GetDpi());
    CheckRadioButton(IDC_CONVERT_FIT, IDC_CONVERT_CROP,
                     m_options.framing == picture::Framing::Fit ? IDC_CONVERT_FIT
                                                                : IDC_CONVERT_CROP);
    CheckDlgButton(IDC_CONVERT_DITHER, m_options.dither ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_CONVERT_TRIM, m_options.trimMargins ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_CONVERT_OUTLINE, m_darkOutline ? BST_CHECKED : BST_UNCHECKED);
    ShowStamp();
    // "D'acord" has the focus, as in any dialog, not the picture: Enter takes the stamp shown.
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(IDOK)), TRUE);
    return FALSE;
}

void CConvertDlg::LayOut(int dpi) {
    // The previews are sized for what they show, not from the template's dialog units, which
    // depend on the font: under Wine the 4x stamp's frame was 121 pixels tall.
    m_largeZoom = layout::ZoomForDpi(kLargeZoom, dpi);
    m_smallZoom = layout::ZoomForDpi(kSmallZoom, dpi);
    const int large = 32 * m_largeZoom, small = 32 * m_smallZoom;
    GrowControls(m_hWnd, {{GetDlgItem(IDC_CONVERT_ORIGINAL), large, large},
                          {GetDlgItem(IDC_CONVERT_STAMP_LARGE), large, large},
                          {GetDlgItem(IDC_CONVERT_STAMP), small, small}});
    const int buttons[] = {IDOK, IDCANCEL, 0};
    AlignRight(m_hWnd, buttons);
    m_cropView.Attach(GetDlgItem(IDC_CONVERT_ORIGINAL), m_picture,
                      [this](double left, double top) { OnCropMoved(left, top); });
}

void CConvertDlg::OnDpiChanged(int dpi) {
    LayOut(dpi);
    ShowStamp();
}

void CConvertDlg::OnOK() {
    m_choices.framing = m_options.framing;
    m_choices.dither = m_options.dither;
    m_choices.darkOutline = m_darkOutline;
    if (m_trimChosen) {
        m_choices.trimMargins = m_options.trimMargins;
    }
    CDialog::OnOK();
}

void CConvertDlg::OnOptionChanged(UINT id) {
    m_options.framing = IsDlgButtonChecked(IDC_CONVERT_CROP) == BST_CHECKED ? picture::Framing::Crop
                                                                            : picture::Framing::Fit;
    m_options.dither = IsDlgButtonChecked(IDC_CONVERT_DITHER) == BST_CHECKED;
    m_options.trimMargins = IsDlgButtonChecked(IDC_CONVERT_TRIM) == BST_CHECKED;
    m_darkOutline = IsDlgButtonChecked(IDC_CONVERT_OUTLINE) == BST_CHECKED;
    m_trimChosen = m_trimChosen || id == IDC_CONVERT_TRIM;
    ShowStamp();
}

void CConvertDlg::OnCropMoved(double left, double top) {
    picture::CropPlace place = picture::CropPlaceAt(m_picture, m_options, left, top);
    if (place != m_options.crop) {
        m_options.crop = place;
        ShowStamp();
    }
}

const picture::FramedStamp& CConvertDlg::Framed() {
    std::optional<FramedFor>& kept = m_framed[m_options.framing == picture::Framing::Fit ? 0 : 1];
    if (!kept || !FrameAlike(kept->options, m_options)) {
        kept = FramedFor{
            m_options, picture::FrameStamp(m_picture, m_options).value_or(picture::FramedStamp{})};
    }
    return kept->framed;
}

void CConvertDlg::ShowStamp() {
    m_stamp = picture::ReduceColours(Framed(), m_options.dither);
    if (m_darkOutline) {
        m_stamp = editor::WithDarkOutline(m_stamp);
    }
    m_picStampLarge.SetBitmap(CBitmap::FromPixels(m_stamp.data(), 32, 32, m_largeZoom));
    m_picStamp.SetBitmap(CBitmap::FromPixels(m_stamp.data(), 32, 32, m_smallZoom));
    m_cropView.ShowKept(m_options.framing == picture::Framing::Crop
                            ? std::optional(picture::KeptRegion(m_picture, m_options))
                            : std::nullopt);
}
