#include "dialogs/VersionsDlg.h"

#include "res/resource.h"

BEGIN_MESSAGE_MAP(CVersionsDlg, CDialog)
ON_CONTROL(LBN_DBLCLK, IDC_VERSIONS_LIST, OnOK)
END_MESSAGE_MAP()

CVersionsDlg::CVersionsDlg(std::string collection, std::vector<std::string> versions, CWnd* parent)
    : CDialog(IDD_VERSIONS_DIALOG, parent), m_collection(std::move(collection)),
      m_versions(std::move(versions)) {}

BOOL CVersionsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CWnd(GetDlgItem(IDC_VERSIONS_TITLE))
        .SetWindowText(m_versions.empty()
                           ? "brelt no té cap versió anterior de " + m_collection + "."
                           : "Versions anteriors de " + m_collection + " que brelt pot recuperar:");
    HWND list = GetDlgItem(IDC_VERSIONS_LIST);
    for (const std::string& version : m_versions) {
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(version).c_str()));
    }
    ::SendMessageW(list, LB_SETCURSEL, 0, 0);
    ::EnableWindow(GetDlgItem(IDOK), !m_versions.empty());
    ::SetFocus(m_versions.empty() ? GetDlgItem(IDCANCEL) : list);
    return FALSE;
}

void CVersionsDlg::OnOK() {
    LRESULT chosen = ::SendMessageW(GetDlgItem(IDC_VERSIONS_LIST), LB_GETCURSEL, 0, 0);
    if (chosen == LB_ERR) {
        return;
    }
    m_chosen = static_cast<int>(chosen);
    CDialog::OnOK();
}
