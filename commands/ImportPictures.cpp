#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/Panes.h"
#include "collection/BitmapImport.h"
#include "collection/FileOpen.h"
#include "collection/ImageSequences.h"
#include "collection/PixelAreas.h"
#include "commands/PictureFiles.h"
#include "dialogs/QuestionDlg.h"
#include "picture/StampBitmap.h"

#include <algorithm>
#include <cwctype>

namespace {

std::string FileNameOf(const std::string& path) {
    return path.substr(path.find_last_of("\\/") + 1);
}

// File-name order, as a folder lists them, whatever the case of the letters.
bool ByFileName(const std::string& a, const std::string& b) {
    std::wstring x = Widen(FileNameOf(a)), y = Widen(FileNameOf(b));
    return ::CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(),
                                  static_cast<int>(y.size()), TRUE) == CSTR_LESS_THAN;
}

// Writes the picture at path over image with the conversion's defaults: an exact 32x32, 24-bit
// bitmap as it is, anything else fitted. False when the file can't be read or written.
bool ImportPicture(const std::string& path, std::FILE* collection, int image) {
    std::FILE* bitmap = OpenFile(path, "rb");
    if (bitmap == nullptr) {
        return false;
    }
    BitmapInspection inspection = InspectBitmap(bitmap);
    if (inspection.accepted) {
        bool written = static_cast<bool>(
            ImportBitmapPixels(bitmap, collection, image, inspection.pixelOffset));
        std::fclose(bitmap);
        return written;
    }
    std::fclose(bitmap);
    std::optional<picture::Picture> decoded = DecodePicture(path);
    std::optional<picture::Stamp> stamp =
        decoded ? picture::ConvertToStamp(*decoded, {}) : std::nullopt;
    return stamp && WritePixelArea(collection, image, picture::StampPixelArea(*stamp));
}

std::string Listed(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) {
        list += "\n    " + name;
    }
    return list;
}

} // namespace

void CBreltDlg::OnImportPicturesHere() {
    const Pane& pane = TargetPane();
    if (pane.stream == nullptr) {
        return;
    }
    CFileDialog dialog(TRUE, nullptr, nullptr,
                       OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, kPictureFilter,
                       nullptr);
    dialog.SetTitle("Importa imatges aquí");
    if (dialog.DoModal() != IDOK || dialog.GetPathNames().empty()) {
        return;
    }
    std::vector<std::string> files = dialog.GetPathNames();
    std::sort(files.begin(), files.end(), ByFileName);
    const int first = pane.current;
    const int last = std::min(pane.count, first + static_cast<int>(files.size()) - 1);
    CQuestionDlg confirm("Es substituiran les imatges " + std::to_string(first) + " a " +
                         std::to_string(last) + ". Voleu continuar?");
    if (confirm.DoModal() != IDOK) {
        return;
    }
    std::vector<int> replaced;
    for (int image = first; image <= last; ++image) {
        replaced.push_back(image);
    }
    std::optional<Change> change = BeginChange("Importa imatges", replaced);
    if (!change) {
        return;
    }

    std::vector<std::string> unread, leftOver;
    int image = first;
    {
        CWaitCursor wait;
        for (const std::string& file : files) {
            if (image > pane.count) {
                leftOver.push_back(FileNameOf(file)); // beyond the last image
            } else if (ImportPicture(file, pane.stream, image)) {
                ++image;
            } else {
                unread.push_back(FileNameOf(file));
            }
        }
    }
    CommitChange(std::move(*change));
    ShowPane(pane.number, pane.current - pane.selected);
    HighlightSelection(g_nSourceSel, g_nTargetSel);

    int imported = image - first;
    std::string report = "S'han importat " + std::to_string(imported) + " imatges";
    report += imported > 0
                  ? " (de la " + std::to_string(first) + " a la " + std::to_string(image - 1) + ")."
                  : ".";
    if (!unread.empty()) {
        report += "\nNo s'han pogut llegir ni escriure:" + Listed(unread);
    }
    if (!leftOver.empty()) {
        report += "\nNo hi cabien, després de l'última imatge:" + Listed(leftOver);
    }
    Alert(report, unread.empty() && leftOver.empty() ? MB_ICONASTERISK : MB_ICONEXCLAMATION);
}
