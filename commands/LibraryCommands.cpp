#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/PathNames.h"
#include "collection/PixelAreas.h"
#include "commands/PictureFiles.h"
#include "dialogs/LibraryDlg.h"
#include "editor/Pieces.h"
#include "picture/StampBitmap.h"
#include "picture/StampConversion.h"

// The library's window in each of its ways; the collection chosen there opened in the target
// or the source, at the image chosen.

std::optional<LibraryChoice>
CBreltDlg::ChooseInLibrary(int mode, const std::optional<library::StampColours>& query,
                           CWnd* owner) {
    CLibraryDlg library(
        static_cast<CLibraryDlg::Mode>(mode), query,
        [this](const picture::Picture& picture) { return StampOfPicture(picture); },
        owner ? owner : this);
    return library.DoModal() == IDOK ? std::optional(library.GetChosen()) : std::nullopt;
}

void CBreltDlg::OpenInPane(const LibraryChoice& chosen) {
    CCollectionPane& pane = chosen.asSource ? SourcePane() : TargetPane();
    if (OpenCollectionFile(pane, chosen.path, FileNameOf(chosen.path)) && chosen.image > 0 &&
        chosen.image <= pane.Count()) {
        pane.GoToImage(chosen.image);
        ShowFrames();
    }
}

void CBreltDlg::RunLibrary(int mode, const std::optional<library::StampColours>& query) {
    if (std::optional<LibraryChoice> chosen = ChooseInLibrary(mode, query, nullptr)) {
        OpenInPane(*chosen);
    }
}

void CBreltDlg::OnLibrary() {
    RunLibrary(static_cast<int>(CLibraryDlg::Mode::Browse), std::nullopt);
}

void CBreltDlg::OnLibraryRepeats() {
    RunLibrary(static_cast<int>(CLibraryDlg::Mode::Repeats), std::nullopt);
}

void CBreltDlg::OnSearchStamp() {
    const CCollectionPane& pane = ActivePane();
    if (std::optional<library::StampColours> stamp = StampToSearch(pane, pane.Current())) {
        RunLibrary(static_cast<int>(CLibraryDlg::Mode::Search), stamp);
    }
}

std::optional<library::StampColours> CBreltDlg::StampToSearch(const CCollectionPane& pane,
                                                              int image) {
    std::optional<PixelAreaBytes> area =
        pane.Stream() != nullptr ? ReadPixelArea(pane.Stream(), image) : std::nullopt;
    if (!area) {
        Alert("No s'ha pogut llegir la imatge " + std::to_string(image) + ".");
        return std::nullopt;
    }
    return library::ColoursOfArea(*area);
}

std::optional<library::StampColours> CBreltDlg::StampOfPicture(const picture::Picture& picture) {
    // As the conversion dialog would start converting it, with the choices it was last left at.
    std::optional<picture::Stamp> stamp =
        picture::ConvertToStamp(picture, StartingOptions(m_conversionChoices, picture));
    if (!stamp) {
        return std::nullopt;
    }
    if (m_conversionChoices.darkOutline) {
        stamp = editor::WithDarkOutline(*stamp);
    }
    return library::ColoursOfArea(picture::StampPixelArea(*stamp));
}

void CBreltDlg::OnSearchPicture() {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kPictureFilter, nullptr);
    dialog.SetTitle("Cerca una imatge a la biblioteca");
    if (dialog.DoModal() != IDOK) {
        return;
    }
    DecodedPicture decoded = DecodePicture(dialog.GetPathName());
    std::optional<library::StampColours> stamp =
        decoded.picture ? StampOfPicture(*decoded.picture) : std::nullopt;
    if (!stamp) {
        Alert(UnreadablePictureMessage(dialog.GetFileName(), decoded));
        return;
    }
    RunLibrary(static_cast<int>(CLibraryDlg::Mode::Search), stamp);
}
