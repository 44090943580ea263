#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/BitmapImport.h"
#include "collection/FileOpen.h"
#include "collection/ImageSequences.h"
#include "collection/PathNames.h"
#include "collection/PixelAreas.h"
#include "commands/PictureFiles.h"
#include "dialogs/QuestionDlg.h"
#include "editor/Pieces.h"
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
    if (choices.darkOutline) {
        stamp = editor::WithDarkOutline(*stamp);
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

// The pictures the user chooses, in the order of the system's folder view; none when cancelled.
std::vector<std::string> ChoosePictures() {
    CFileDialog dialog(TRUE, nullptr, nullptr,
                       OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, kPictureFilter,
                       nullptr);
    dialog.SetTitle("Importa imatges aquí");
    if (dialog.DoModal() != IDOK) {
        return {};
    }
    std::vector<std::string> files = dialog.GetPathNames();
    std::sort(files.begin(), files.end(), ByFileName);
    return files;
}

// What an import of pictures did: the image after the last it wrote, the files that took none.
struct PicturesImported {
    int next = 0;
    std::vector<std::string> unread, leftOver;
};

// Each file into the next image of target, from imported.next on; one that can't be read takes
// no image, and those after the last image are left over.
Written ImportEach(const std::vector<std::string>& files, std::FILE* target, int count,
                   const ConversionChoices& choices, PicturesImported& imported) {
    CWaitCursor wait;
    Written written;
    for (const std::string& file : files) {
        if (imported.next > count) {
            imported.leftOver.push_back(FileNameOf(file));
            continue;
        }
        switch (ImportPicture(file, target, imported.next, choices)) {
        case Imported::Unread:
            imported.unread.push_back(FileNameOf(file));
            continue;
        case Imported::WriteFailed:
            written.failed.push_back(imported.next);
            break;
        case Imported::Written:
            break;
        }
        ++imported.next;
    }
    return written;
}

// "S'han importat 5 imatges (de la 3 a la 7).", and what was not.
std::string ImportReport(int first, const EditOutcome& outcome, const PicturesImported& imported) {
    const int written = imported.next - first - static_cast<int>(outcome.failedImages.size());
    std::string report = "S'han importat " + std::to_string(written) + " imatges";
    report += imported.next > first ? " (de la " + std::to_string(first) + " a la " +
                                          std::to_string(imported.next - 1) + ")."
                                    : ".";
    if (!imported.unread.empty()) {
        report += "\nNo s'han pogut llegir:" + Listed(imported.unread);
    }
    if (!imported.leftOver.empty()) {
        report += "\nNo hi cabien, després de l'última imatge:" + Listed(imported.leftOver);
    }
    return report;
}

} // namespace

void CBreltDlg::OnImportPicturesHere() {
    const CCollectionPane& pane = TargetPane();
    if (pane.Stream() == nullptr) {
        return;
    }
    const std::vector<std::string> files = ChoosePictures();
    if (files.empty()) {
        return;
    }
    const int first = pane.Current();
    const int last = std::min(pane.Count(), first + static_cast<int>(files.size()) - 1);
    CQuestionDlg confirm("Es substituiran les imatges " + std::to_string(first) + " a " +
                         std::to_string(last) + ". Voleu continuar?");
    if (confirm.DoModal() != IDOK) {
        return;
    }
    std::vector<int> replaced;
    for (int image = first; image <= last; ++image) {
        replaced.push_back(image);
    }
    PicturesImported imported{first, {}, {}};
    EditOutcome outcome = EditCollection("Importa imatges", replaced, [&](std::FILE*& target) {
        return ImportEach(files, target, pane.Count(), m_conversionChoices, imported);
    });
    if (outcome.kind == EditOutcome::Kind::Refused) {
        return;
    }
    const std::string report = ImportReport(first, outcome, imported);
    if (imported.unread.empty() && imported.leftOver.empty()) {
        Inform(report);
    } else {
        Alert(report, MB_ICONEXCLAMATION);
    }
}
