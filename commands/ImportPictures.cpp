#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/Panes.h"
#include "collection/BitmapImport.h"
#include "collection/FileOpen.h"
#include "collection/ImageSequences.h"
#include "collection/PathNames.h"
#include "collection/PixelAreas.h"
#include "commands/PictureFiles.h"
#include "dialogs/QuestionDlg.h"
#include "picture/StampBitmap.h"

#include <shlwapi.h>

#include <algorithm>

namespace {

// The order of the system's folder view, whatever the case of the letters: "2.png" before
// "10.png".
bool ByFileName(const std::string& a, const std::string& b) {
    return ::StrCmpLogicalW(Widen(FileNameOf(a)).c_str(), Widen(FileNameOf(b)).c_str()) < 0;
}

enum class Imported { Written, Unread, WriteFailed };

// Writes the picture at path over image: an exact 32x32, 24-bit bitmap as it is, anything else
// converted as the conversion dialog would start converting it.
Imported ImportPicture(const std::string& path, std::FILE* collection, int image,
                       const ConversionChoices& choices) {
    std::FILE* bitmap = OpenFile(path, "rb");
    if (bitmap == nullptr) {
        return Imported::Unread;
    }
    BitmapInspection inspection = InspectBitmap(bitmap);
    if (inspection.accepted) {
        EditResult written = ImportBitmapPixels(bitmap, collection, image, inspection.pixelOffset);
        std::fclose(bitmap);
        return written                ? Imported::Written
               : written.noTempStream ? Imported::WriteFailed
                                      : Imported::Unread;
    }
    std::fclose(bitmap);
    DecodedPicture decoded = DecodePicture(path);
    std::optional<picture::Stamp> stamp =
        decoded.picture
            ? picture::ConvertToStamp(*decoded.picture, StartingOptions(choices, *decoded.picture))
            : std::nullopt;
    if (!stamp) {
        return Imported::Unread;
    }
    return WritePixelArea(collection, image, picture::StampPixelArea(*stamp))
               ? Imported::Written
               : Imported::WriteFailed;
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
    std::vector<std::string> unread, leftOver;
    int image = first;
    EditOutcome outcome = EditCollection("Importa imatges", replaced, [&](std::FILE*& target) {
        CWaitCursor wait;
        Written written;
        for (const std::string& file : files) {
            if (image > pane.count) {
                leftOver.push_back(FileNameOf(file)); // beyond the last image
                continue;
            }
            switch (ImportPicture(file, target, image, m_conversionChoices)) {
            case Imported::Unread:
                unread.push_back(FileNameOf(file)); // takes no image
                continue;
            case Imported::WriteFailed:
                written.failed.push_back(image);
                break;
            case Imported::Written:
                break;
            }
            ++image;
        }
        return written;
    });
    if (outcome.kind == EditOutcome::Kind::Refused) {
        return;
    }

    int imported = image - first - static_cast<int>(outcome.failedImages.size());
    std::string report = "S'han importat " + std::to_string(imported) + " imatges";
    report += image > first
                  ? " (de la " + std::to_string(first) + " a la " + std::to_string(image - 1) + ")."
                  : ".";
    if (!unread.empty()) {
        report += "\nNo s'han pogut llegir:" + Listed(unread);
    }
    if (!leftOver.empty()) {
        report += "\nNo hi cabien, després de l'última imatge:" + Listed(leftOver);
    }
    if (unread.empty() && leftOver.empty()) {
        Inform(report);
    } else {
        Alert(report, MB_ICONEXCLAMATION);
    }
}
