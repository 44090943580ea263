#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "collection/BitmapImport.h"
#include "collection/FileOpen.h"
#include "res/resource.h"

void CBreltDlg::Alert(const std::string& text, UINT icon) {
    MessageBox(text, "Alerta", MB_OK | icon);
}

void CBreltDlg::OnLoadImage() {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT,
                       "BMP Files (*.bmp)|*.bmp||", nullptr);
    dialog.SetTitle("Obre Fitxer...");
    if (dialog.DoModal() != IDOK) {
        return;
    }
    std::string path = dialog.GetPathName();
    std::string name = dialog.GetFileName();
    HBITMAP picture = LoadDisplayBitmap(path);

    if (g_pfImage != nullptr) {
        std::fclose(g_pfImage);
        g_pfImage = nullptr;
    }
    // Only read: importing never writes to the bitmap, so a read-only one imports too.
    std::FILE* bitmap = OpenFile(path, "rb");
    if (bitmap == nullptr) {
        ::DeleteObject(picture);
        Alert("No s'ha pogut obrir el fitxer " + path + ".");
        return;
    }
    if (!InspectBitmap(bitmap).accepted) {
        ::DeleteObject(picture);
        Alert("El fitxer de bitmap ha de ser de 32x32 pixels i de 24 bits de color per pixel");
        std::fclose(bitmap);
        return;
    }
    g_pfImage = bitmap;
    HBITMAP previous = m_picImage.SetBitmap(picture);
    if (previous != nullptr && previous != picture) {
        ::DeleteObject(previous);
    }
    m_txtImageName.SetWindowText(name);
}
