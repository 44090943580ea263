#include "app/DisplayFiles.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "collection/BitmapImport.h"
#include "collection/FileOpen.h"
#include "collection/ImageSequences.h"

void CBreltDlg::OnLoadImage() {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT,
                       "BMP Files (*.bmp)|*.bmp||", nullptr);
    dialog.SetTitle("Obre Fitxer...");
    if (dialog.DoModal() != IDOK) {
        return;
    }
    std::string path = dialog.GetPathName();
    std::string name = dialog.GetFileName();

    if (g_pfImage != nullptr) {
        std::fclose(g_pfImage);
        g_pfImage = nullptr;
    }
    // Only read: importing never writes to the bitmap, so a read-only one imports too.
    std::FILE* bitmap = OpenFile(path, "rb");
    if (bitmap == nullptr) {
        Alert("No s'ha pogut obrir el fitxer " + path + ".");
        return;
    }
    BitmapInspection inspection = InspectBitmap(bitmap);
    if (!inspection.accepted) {
        Alert("El fitxer de bitmap ha de ser de 32x32 pixels i de 24 bits de color per pixel");
        std::fclose(bitmap);
        return;
    }
    // The picture shown is a copy of the pixels the import takes, written by us: the system's
    // loader reads past the end of a bitmap whose header claims more than the file holds.
    std::string shown = DisplayFilePath("xzzi.bmp");
    ExportBitmapPixels(bitmap, shown.c_str(), inspection.pixelOffset);
    std::rewind(bitmap);
    g_pfImage = bitmap;
    m_picImage.SetBitmap(CBitmap::LoadFromFile(shown, 32, 32));
    m_txtImageName.SetWindowText(name);
}
