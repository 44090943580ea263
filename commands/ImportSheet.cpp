#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/Panes.h"
#include "collection/PathNames.h"
#include "collection/PixelAreas.h"
#include "messages/EditMessages.h"
#include "commands/PictureFiles.h"
#include "dialogs/QuestionDlg.h"
#include "dialogs/SheetDlg.h"
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

} // namespace

bool CBreltDlg::ConfirmSheetImport(const std::vector<int>& images, const std::vector<int>& cells) {
    const std::size_t leftOut = cells.size() - images.size();
    if (images.size() <= 1 && leftOut == 0) {
        return true;
    }
    std::string question = "Es substituiran les imatges " + ImageList(images) + " de " +
                           FileNameOf(g_strTargetPath) + ".";
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
    const Pane& target = TargetPane();
    if (target.stream == nullptr) {
        return;
    }
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kPictureFilter,
                       nullptr);
    dialog.SetTitle("Importa un full de segells");
    if (dialog.DoModal() != IDOK) {
        return;
    }
    DecodedPicture decoded;
    {
        CWaitCursor wait;
        decoded = DecodePicture(dialog.GetPathName());
    }
    if (!decoded.picture) {
        Alert(UnreadablePictureMessage(dialog.GetFileName(), decoded));
        return;
    }
    CSheetDlg sheetDialog(std::move(*decoded.picture), target.current, target.count);
    if (sheetDialog.DoModal() != IDOK) {
        return;
    }
    const std::vector<int>& cells = sheetDialog.GetCells();
    const int first = sheetDialog.GetFirstImage();
    const int taken = std::min(static_cast<int>(cells.size()), target.count - first + 1);
    std::vector<int> images;
    for (int i = 0; i < taken; ++i) {
        images.push_back(first + i);
    }
    if (!ConfirmSheetImport(images, cells)) {
        return;
    }
    EditOutcome outcome =
        EditCollection("Importa un full de segells", images, [&](std::FILE*& stream) {
            CWaitCursor wait;
            Written written;
            for (int i = 0; i < taken; ++i) {
                std::optional<picture::Stamp> stamp = sheet::StampOfCell(
                    sheetDialog.GetSheet(), sheetDialog.GetLayout(),
                    cells[static_cast<std::size_t>(i)], sheetDialog.IsBreltSheet());
                if (!stamp || !WritePixelArea(stream, first + i, picture::StampPixelArea(*stamp))) {
                    written.failed.push_back(first + i);
                }
            }
            return written;
        });
    if (outcome.kind != EditOutcome::Kind::Done) {
        return; // the edit's own message said what went wrong
    }
    std::string report = "S'han importat " + std::to_string(taken) + " segells del full";
    if (taken > 1) {
        report += ", a les imatges " + std::to_string(first) + " a " +
                  std::to_string(first + taken - 1) + ".";
    } else {
        report += ", a la imatge " + std::to_string(first) + ".";
    }
    const int leftOut = static_cast<int>(cells.size()) - taken;
    if (leftOut > 0) {
        report += '\n';
        report += std::to_string(leftOut);
        report += leftOut == 1 ? " casella s'ha deixat fora" : " caselles s'han deixat fora";
        report += ", com dèieu.";
    }
    Inform(report);
}
