#include "app/DisplayFiles.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "collection/BitmapImport.h"
#include "collection/FileOpen.h"
#include "collection/ImageSequences.h"
#include "collection/PathNames.h"
#include "commands/PictureFiles.h"
#include "dialogs/ConvertDlg.h"
#include "picture/StampBitmap.h"

namespace {

const char* const kRefusal =
    "El fitxer de bitmap ha de ser de 32x32 pixels i de 24 bits de color per pixel";

// Writes the stamp as a bitmap the import takes as it is; false when it could not be written.
bool WriteStampFile(const std::string& path, const picture::Stamp& stamp) {
    std::FILE* file = OpenFile(path, "wb");
    if (file == nullptr) {
        return false;
    }
    picture::WriteStampBitmap(file, stamp);
    bool written = !std::ferror(file);
    return std::fclose(file) == 0 && written;
}

std::string TooBigMessage(const std::string& name, const DecodedPicture& decoded) {
    long long megapixels =
        (static_cast<long long>(decoded.width) * decoded.height + 500000) / 1000000;
    return "La imatge «" + name + "» és massa gran per convertir-la en segell: fa " +
           std::to_string(decoded.width) + " × " + std::to_string(decoded.height) + " píxels (" +
           std::to_string(megapixels) +
           " megapíxels), i brelt n'accepta fins a 100. Reduïu-la primer (per exemple a 4000 "
           "píxels d'amplada) amb un programa de fotos i torneu-la a obrir.";
}

} // namespace

// A picture of a kind the system does not always decode: SVG never, HEIC, WebP and AVIF only
// where their codec is installed. By its bytes, or by its name when they say nothing.
std::optional<std::string> UndecodedFormatName(const std::string& name,
                                               const std::optional<FileKind>& kind) {
    if (kind) {
        return kind->family == FileKind::Family::Picture && !kind->decodedAlways
                   ? std::optional<std::string>(kind->name)
                   : std::nullopt;
    }
    const std::pair<const char*, const char*> byName[] = {
        {".svg", "un dibuix SVG"},    {".svgz", "un dibuix SVG"},   {".heic", "una imatge HEIC"},
        {".heif", "una imatge HEIF"}, {".webp", "una imatge WebP"}, {".avif", "una imatge AVIF"}};
    for (const auto& [extension, format] : byName) {
        if (HasExtension(name, extension)) {
            return format;
        }
    }
    return std::nullopt;
}

std::string UnreadablePictureMessage(const std::string& name, const DecodedPicture& decoded) {
    if (IsBitmapFileName(name) || decoded.bitmap) {
        return kRefusal;
    }
    if (decoded.tooBig) {
        return TooBigMessage(name, decoded);
    }
    if (std::optional<std::string> format = UndecodedFormatName(name, decoded.kind)) {
        return "«" + name + "» és " + *format +
               ", un format que brelt no pot llegir en aquest ordinador. Obriu-la amb un altre "
               "programa (un navegador o un editor d'imatges), deseu-la com a PNG i porteu el PNG "
               "a brelt.";
    }
    if (decoded.kind && decoded.kind->family == FileKind::Family::NotAPicture) {
        return "«" + name + "» no és una imatge: sembla " + decoded.kind->name + ".";
    }
    if (decoded.kind) {
        return "No s'ha pogut llegir la imatge «" + name + "»: és " + decoded.kind->name +
               " malmesa.";
    }
    return "No s'ha pogut llegir la imatge «" + name + "»: el fitxer és malmès o no és una imatge.";
}

void CBreltDlg::OnLoadImage() {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT,
                       kPictureFilter, nullptr);
    dialog.SetTitle("Obre Fitxer...");
    if (dialog.DoModal() != IDOK) {
        return;
    }
    LoadImageFile(dialog.GetPathName(), dialog.GetFileName());
}

bool CBreltDlg::LoadImageFile(const std::string& path, const std::string& name) {
    // Only read: importing never writes to the bitmap, so a read-only one imports too.
    std::FILE* bitmap = OpenFile(path, "rb");
    if (bitmap == nullptr) {
        ReleaseImage();
        Alert("No s'ha pogut obrir el fitxer " + path + ".");
        return false;
    }
    BitmapInspection inspection = InspectBitmap(bitmap);
    if (!inspection.accepted) {
        // Any other picture the system can decode becomes a stamp of the user's choosing.
        std::fclose(bitmap);
        DecodedPicture decoded;
        {
            CWaitCursor wait;
            decoded = DecodePicture(path);
        }
        if (!decoded.picture) {
            ReleaseImage();
            Alert(UnreadablePictureMessage(name, decoded));
            return false;
        }
        CConvertDlg convert(std::move(*decoded.picture), m_conversionChoices);
        if (convert.DoModal() != IDOK) {
            return false; // the image pane keeps what it had
        }
        std::string stampPath = DisplayFilePath("segell.bmp");
        bitmap =
            WriteStampFile(stampPath, convert.GetStamp()) ? OpenFile(stampPath, "rb") : nullptr;
        if (bitmap == nullptr) {
            ReleaseImage();
            Alert("No s'ha pogut desar el segell a " + stampPath + ".");
            return false;
        }
        inspection = InspectBitmap(bitmap);
    }
    HoldImage(bitmap, inspection.pixelOffset, name);
    return true;
}

void CBreltDlg::HoldImage(std::FILE* bitmap, long pixelOffset, const std::string& name) {
    ReleaseImage();
    // The picture shown is a copy of the pixels the import takes, written by us: the system's
    // loader reads past the end of a bitmap whose header claims more than the file holds.
    std::string shown = DisplayFilePath("xzzi.bmp");
    ExportBitmapPixels(bitmap, shown.c_str(), pixelOffset);
    std::rewind(bitmap);
    g_pfImage = bitmap;
    m_picImage.SetStamp(CBitmap::LoadFromFile(shown, 32, 32));
    m_txtImageName.SetWindowText(name);
    UpdateMoveButtons();
}

void CBreltDlg::ReleaseImage() {
    if (g_pfImage != nullptr) {
        std::fclose(g_pfImage);
        g_pfImage = nullptr;
    }
    UpdateMoveButtons();
}
