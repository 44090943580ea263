#include "dialogs/EditorDlg.h"
#include "dialogs/TextToolDlg.h"

using editor::Point;

// "Text": a click opens a small box where the text is typed; it shows on the stamp as it is
// typed, and "D'acord" lays it there as a selection, its letters alone, to be dragged or moved
// with the arrows before it is set down.

void CEditorDlg::TextPress(Point p) {
    if (m_selection && m_selection->Where().Contains(p)) {
        SelectPress(p); // the text just placed, dragged
        return;
    }
    SetDown();
    // The box opens once the button is up: a modal window must not open while the canvas holds
    // the mouse's capture.
    m_anchor = p;
}

void CEditorDlg::TextRelease() {
    if (m_movedFrom) {
        SelectRelease();
        return;
    }
    if (m_anchor) {
        const Point at = *m_anchor;
        m_anchor.reset();
        PlaceText(at);
    }
}

void CEditorDlg::PlaceText(Point at) {
    CTextToolDlg box(
        m_stamp, at, m_primary, m_text, [this](const editor::Stamp* s) { ShowEffect(s); }, this);
    const bool placed = box.DoModal() == IDOK && !box.Letters().words.empty();
    m_preview.reset();
    if (placed) {
        LayPiece(box.Letters(), at);
    } else {
        Show();
    }
    ::SetFocus(m_canvas.GetSafeHwnd());
}
