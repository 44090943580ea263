#include "platform/Dialog.h"

#include "platform/Dpi.h"
#include "platform/HighContrast.h"
#include "platform/ModalAnswers.h"
#include "platform/WinApp.h"

namespace {

// Posted on WM_DPICHANGED, to lay out again once the dialog manager has scaled the dialog.
constexpr UINT kLayOutForNewDpi = WM_APP + 0x3F00;

} // namespace

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (control.m_hWnd == nullptr) {
        control.m_hWnd = pDX->m_pDlgWnd->GetDlgItem(id);
        pDX->m_pDlgWnd->m_boundControls.push_back(&control);
    }
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() {
    if (m_hWnd != nullptr && !m_bModal) {
        // The derived dialog and its control members are gone by now: the window's last
        // messages must not reach them.
        ::SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
        m_boundControls.clear();
        ::DestroyWindow(m_hWnd);
    }
}

HWND CDialog::OwnerWindow() const {
    if (m_pParentWnd != nullptr) {
        return m_pParentWnd->m_hWnd;
    }
    HWND main = AfxGetMainWndHandle();
    return main != m_hWnd ? main : nullptr;
}

INT_PTR CDialog::DoModal() {
    if (TestModalAnswers().dialog) {
        INT_PTR answer = TestModalAnswers().dialog(*this);
        if (answer != ModalAnswers::kShowIt) {
            return answer;
        }
    }
    m_bModal = true;
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nIDTemplate),
                             OwnerWindow(), &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::Create(CWnd* parent) {
    if (parent != nullptr) {
        m_pParentWnd = parent;
    }
    m_bModal = false;
    HWND hwnd =
        ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nIDTemplate),
                             OwnerWindow(), &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    return hwnd != nullptr;
}

void CDialog::EndDialog(int result) {
    if (m_bModal) {
        ::EndDialog(m_hWnd, result);
    } else {
        ::DestroyWindow(m_hWnd);
    }
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::UpdateData(BOOL) {
    // brelt's dialogs exchange no values, only bind controls: both directions are the same.
    CDataExchange exchange{this};
    DoDataExchange(&exchange);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnDpiChanged(int) {}

void CDialog::CentreOnMainWindow() {
    CentreOverMainWindow(m_hWnd);
}

void CDialog::Detach() {
    for (CWnd* control : m_boundControls) {
        control->m_hWnd = nullptr;
    }
    m_boundControls.clear();
    m_hWnd = nullptr;
}

void CDialog::ColoursChanged() {
    // Only top-level windows hear of it; controls that keep colours learn it from their dialog.
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        ::SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
    }
    OnColoursChanged();
    ::RedrawWindow(m_hWnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (TellsColoursChanged(message, wParam)) {
        ColoursChanged(); // and on to the message map, should the dialog want it too
    }
    if (message == WM_DPICHANGED) {
        // Left to the dialog manager too, which scales a dialog of an aware program itself on
        // Windows 10 and later; what the dialog made itself is done again afterwards.
        ::PostMessageW(m_hWnd, kLayOutForNewDpi, LOWORD(wParam), 0);
        return FALSE;
    }
    if (message == kLayOutForNewDpi) {
        m_dpi = static_cast<int>(wParam);
        OnDpiChanged(m_dpi);
        return TRUE;
    }
    // A nested message (one sent while a handler runs) keeps its own default request.
    bool outerDefault = m_defaultRequested;
    m_defaultRequested = false;
    LRESULT result = 0;
    BOOL handled = OnWndMsg(message, wParam, lParam, &result);
    bool wantsDefault = m_defaultRequested;
    m_defaultRequested = outerDefault;
    if (!handled || wantsDefault) {
        return FALSE;
    }
    if (message == WM_QUERYDRAGICON) {
        return static_cast<INT_PTR>(result); // one of the few messages answered directly
    }
    ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        dialog->m_hWnd = hwnd;
    }
    if (dialog == nullptr) {
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        dialog->Detach();
        return FALSE;
    }
    // No exception may unwind through the system's code that called us.
    try {
        if (message == WM_INITDIALOG) {
            dialog->m_dpi = WindowDpi(hwnd);
            BOOL focusLeft = dialog->OnInitDialog();
            dialog->CentreOnMainWindow(); // with the size its initialisation gave it
            return focusLeft;
        }
        return dialog->HandleMessage(message, wParam, lParam);
    } catch (...) {
        ::MessageBoxW(hwnd, L"S'ha produït un error inesperat.", L"Alerta", MB_OK | MB_ICONHAND);
        return FALSE;
    }
}

HBITMAP CStatic::SetBitmap(HBITMAP bitmap) {
    return reinterpret_cast<HBITMAP>(
        SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
}

HBITMAP CStatic::GetBitmap() const {
    return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP, 0));
}
