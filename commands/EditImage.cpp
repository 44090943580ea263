#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/Panes.h"
#include "collection/PixelAreas.h"
#include "dialogs/EditorDlg.h"

void CBreltDlg::OnEditImage() {
    m_activePane = TargetPane().number; // the editor edits the target's current image
    EditImage(g_nTargetFirst, nullptr);
}

void CBreltDlg::EditImage(int image, CWnd* parent) {
    const Pane& target = TargetPane();
    if (target.stream == nullptr || image < 1 || image > target.count) {
        return;
    }
    if (image != target.current) {
        GoToImage(target, image);
    }
    std::optional<PixelAreaBytes> area = ReadPixelArea(target.stream, image);
    if (!area) {
        Alert("No s'ha pogut llegir la imatge " + std::to_string(image) + " de la col·lecció " +
              g_strTargetPath + ".");
        return;
    }
    CEditorDlg editor(*area, parent);
    if (editor.DoModal() != IDOK || !editor.IsChanged()) {
        return;
    }
    PixelAreaBytes edited = editor.GetStamp().ToArea();
    EditCollection("Edita la imatge", {image}, [&](std::FILE*& stream) {
        return Written::AllOr(WritePixelArea(stream, image, edited), {image});
    });
}
