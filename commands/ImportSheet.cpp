#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/PathNames.h"
#include "collection/PixelAreas.h"
#include "commands/PictureFiles.h"
#include "dialogs/QuestionDlg.h"
#include "dialogs/SheetDlg.h"
#include "messages/EditMessages.h"
#include "picture/StampBitmap.h"

namespace {

// The cells of a sheet by their numbers, 1 for the first of its grid.
std::vector<int> CellNumbers(const std::vector<int>& cells, std::size_t from) {
    std::vector<int> numbers;
    for (std::size_t i = from; i < cells.size(); ++i) {
        numbers.push_back(cells[i] + 1);
    }
    return numbers;
}

// "S'han importat 3 segells del full, a les imatges 5 a 7.", and the cells left out.
std::string SheetReport(int first, int taken, int leftOut) {
    std::string report = "S'han importat " + std::to_string(taken) + " segells del full";
    if (taken > 1) {
        report += ", a les imatges " + std::to_string(first) + " a " +
                  std::to_string(first + taken - 1) + ".";
    } else {
        report += ", a la imatge " + std::to_string(first) + ".";
    }
    if (leftOut > 0) {
        report += '\n';
        report += std::to_string(leftOut);
        report += leftOut == 1 ? " casella s'ha deixat fora" : " caselles s'han deixat fora";
        report += ", com dèieu.";
    }
    return report;
}

// The picture of a sheet the user chooses, decoded, and its file's name; nothing when cancelled.
std::optional<std::pair<DecodedPicture, std::string>> ChooseSheet() {
    CFileDialog chooser(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                        kPictureFilter, nullptr);
    chooser.SetTitle("Importa un full de segells");
    if (chooser.DoModal() != IDOK) {
        return std::nullopt;
    }
    CWaitCursor wait;
    return std::pair(DecodePicture(chooser.GetPathName()), chooser.GetFileName());
}

// The stamps of the sheet's chosen cells into consecutive images from first.
Written WriteCells(const CSheetDlg& sheetDialog, std::FILE* stream, int first, int taken) {
    CWaitCursor wait;
    Written written;
    const std::vector<int>& cells = sheetDialog.GetCells();
    for (int i = 0; i < taken; ++i) {
        std::optional<picture::Stamp> stamp =
            sheet::StampOfCell(sheetDialog.GetSheet(), sheetDialog.GetLayout(),
                               cells[static_cast<std::size_t>(i)], sheetDialog.IsBreltSheet());
        if (!stamp || !WritePixelArea(stream, first + i, picture::StampPixelArea(*stamp))) {
            written.failed.push_back(first + i);
        }
    }
    return written;
}

} // namespace

bool CBreltDlg::ConfirmSheetImport(const std::vector<int>& images, const std::vector<int>& cells) {
    const std::size_t leftOut = cells.size() - images.size();
    if (images.size() <= 1 && leftOut == 0) {
        return true;
    }
    std::string question = "Es substituiran les imatges " + ImageList(images) + " de " +
                           FileNameOf(TargetPane().Path()) + ".";
    if (leftOut > 0) {
        question += leftOut == 1 ? "\nLa casella " : "\nLes caselles ";
        question += ImageList(CellNumbers(cells, images.size()));
        question += leftOut == 1 ? " del full no hi cap" : " del full no hi caben";
        question += ", després de l'última imatge, i es deixaran fora.";
    }
    question += "\n\nVoleu continuar?";
    CQuestionDlg confirm(question, nullptr,
                         leftOut > 0 ? CQuestionDlg::Default::No : CQuestionDlg::Default::Yes);
    return confirm.DoModal() == IDOK;
}

void CBreltDlg::OnImportSheet() {
    const CCollectionPane& target = TargetPane();
    if (target.Stream() == nullptr) {
        return;
    }
    std::optional<std::pair<DecodedPicture, std::string>> chosen = ChooseSheet();
    if (!chosen) {
        return;
    }
    auto& [decoded, name] = *chosen;
    if (!decoded.picture) {
        Alert(UnreadablePictureMessage(name, decoded));
        return;
    }
    CSheetDlg sheetDialog(std::move(*decoded.picture), target.Current(), target.Count());
    if (sheetDialog.DoModal() != IDOK) {
        return;
    }
    const std::vector<int>& cells = sheetDialog.GetCells();
    const int first = sheetDialog.GetFirstImage();
    const int taken = std::min(static_cast<int>(cells.size()), target.Count() - first + 1);
    std::vector<int> images;
    for (int i = 0; i < taken; ++i) {
        images.push_back(first + i);
    }
    if (!ConfirmSheetImport(images, cells)) {
        return;
    }
    EditOutcome outcome =
        EditCollection("Importa un full de segells", images, [&](std::FILE*& stream) {
            return WriteCells(sheetDialog, stream, first, taken);
        });
    if (outcome.kind == EditOutcome::Kind::Done) { // else the edit's own message said why
        Inform(SheetReport(first, taken, static_cast<int>(cells.size()) - taken));
    }
}
