#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/PixelAreas.h"
#include "dialogs/TextStampsDlg.h"

void CBreltDlg::OnCreateTextStamps() {
    const CCollectionPane& target = TargetPane();
    if (target.Stream() == nullptr) {
        return;
    }
    const int first = target.Current();
    CTextStampsDlg dialog(m_textChoices, first, target.Count());
    if (dialog.DoModal() != IDOK) {
        return;
    }
    const std::vector<editor::Stamp>& stamps = dialog.GetStamps();
    std::vector<int> images;
    for (std::size_t i = 0; i < stamps.size(); ++i) {
        images.push_back(first + static_cast<int>(i));
    }
    // Asked as for a sheet whose every cell fits: the images it replaces, when more than one.
    if (images.empty() || !ConfirmSheetImport(images, images)) {
        return;
    }
    EditCollection("Crea segells de text", images, [&](std::FILE*& stream) {
        Written written;
        for (std::size_t i = 0; i < stamps.size(); ++i) {
            if (!WritePixelArea(stream, images[i], stamps[i].ToArea())) {
                written.failed.push_back(images[i]);
            }
        }
        return written;
    });
}
