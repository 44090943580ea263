#include "app/AboutDlg.h"
#include "app/ProgramFolder.h"
#include "app/breltDlg.h"
#include "platform/FilePaths.h"

void CBreltDlg::OnHelpGuide() {
    // The guide lies beside the program, as the download unpacks it.
    std::string guide = ProgramFolder() + "Guia\\index.html";
    if (::GetFileAttributesW(ExtendedPath(guide).c_str()) == INVALID_FILE_ATTRIBUTES) {
        Alert("No es troba la guia " + guide +
                  ", que ha d'estar al costat del programa. Torneu a descomprimir brelt.",
              MB_ICONEXCLAMATION);
        return;
    }
    if (!OpenDocument(m_hWnd, guide)) {
        Alert("No s'ha pogut obrir la guia " + guide +
                  " al navegador. Obriu-la vós mateix: és una pàgina web.",
              MB_ICONEXCLAMATION);
    }
}

void CBreltDlg::OnAbout() {
    CAboutDlg about;
    about.DoModal();
}
