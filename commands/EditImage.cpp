#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/PixelAreas.h"
#include "dialogs/EditorDlg.h"

void CBreltDlg::OnSlotDoubleClicked(UINT slotId) {
    HWND slot = GetDlgItem(static_cast<int>(slotId));
    if (TargetPane().SlotOf(slot) >= 0 && TargetPane().IsOpen()) {
        OnSlotClicked(slotId);
        OnEditImage();
    }
}

void CBreltDlg::OnEditImage() {
    m_activePane = TargetPane().Number(); // the editor edits the target's current image
    EditImage(TargetPane().Current(), nullptr);
}

void CBreltDlg::EditImage(int image, CWnd* parent) {
    CCollectionPane& target = TargetPane();
    if (target.Stream() == nullptr || image < 1 || image > target.Count()) {
        return;
    }
    if (image != target.Current()) {
        target.GoToImage(image);
        ShowFrames();
    }
    std::optional<PixelAreaBytes> area = ReadPixelArea(target.Stream(), image);
    if (!area) {
        Alert("No s'ha pogut llegir la imatge " + std::to_string(image) + " de la col·lecció " +
              TargetPane().Path() + ".");
        return;
    }
    CEditorDlg editor(*area, m_textChoices, parent);
    if (editor.DoModal() != IDOK || !editor.IsChanged()) {
        return;
    }
    PixelAreaBytes edited = editor.GetStamp().ToArea();
    EditCollection("Edita la imatge", {image}, [&](std::FILE*& stream) {
        return Written::AllOr(WritePixelArea(stream, image, edited), {image});
    });
}
