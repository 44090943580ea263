#include "dialogs/EditorDlg.h"

#include "editor/Pieces.h"
#include "platform/ClipboardPictures.h"

#include <string>

using editor::Point;

// "Selecciona": a box drawn on the canvas lifts what it holds; a drag inside it moves that,
// a press outside it sets it down. The stamp shown is always the selection laid over what lies
// beneath, so that setting it down changes nothing and every move is one step of the undo.

void CEditorDlg::SelectPress(Point p) {
    if (m_selection && m_selection->Where().Contains(p)) {
        m_strokeStart = m_stamp; // the whole drag is one step of the undo
        m_movedFrom = p;
        return;
    }
    SetDown();
    m_drawnBox = editor::BoxOf(p, p);
    m_anchor = p;
    Show();
}

void CEditorDlg::SelectDrag(Point p) {
    if (m_movedFrom && m_selection) {
        m_selection->MoveBy(p.x - m_movedFrom->x, p.y - m_movedFrom->y);
        m_movedFrom = p;
        m_stamp = m_selection->Composite();
        Show();
    } else if (m_drawnBox && m_anchor) {
        m_drawnBox = editor::BoxOf(*m_anchor, p);
        Show();
    }
}

void CEditorDlg::SelectRelease() {
    if (m_movedFrom) {
        if (m_strokeStart && *m_strokeStart != m_stamp) {
            m_history.Push(*m_strokeStart);
        }
        m_movedFrom.reset();
        m_strokeStart.reset();
    } else if (m_drawnBox) {
        // The place it leaves takes the secondary colour once it moves.
        m_selection = editor::Selection::Lift(m_stamp, *m_drawnBox, m_secondary);
        m_drawnBox.reset();
        m_anchor.reset();
    }
    Show();
    ShowSelectionStatus();
}

void CEditorDlg::ChangeSelection(const std::function<void(editor::Selection&)>& change) {
    editor::Selection changed = *m_selection;
    change(changed);
    editor::Stamp shown = changed.Composite();
    if (shown != m_stamp) {
        m_history.Push(m_stamp);
        m_stamp = shown;
    }
    m_selection = std::move(changed);
    Show();
    ShowSelectionStatus();
}

void CEditorDlg::SetDown() {
    if (m_selection || m_drawnBox) {
        m_selection.reset();
        m_drawnBox.reset();
        m_movedFrom.reset();
        m_txtStatus.SetWindowText(""); // what it said of the selection no longer holds
        Show();
    }
}

void CEditorDlg::SelectAll() {
    ChooseTool(Tool::Select);
    m_selection =
        editor::Selection::Lift(m_stamp, {0, 0, editor::kSide, editor::kSide}, m_secondary);
    Show();
    ShowSelectionStatus();
}

bool CEditorDlg::CopySelection() {
    // What the selection holds, or the whole stamp when there is none.
    editor::Piece piece = m_selection
                              ? m_selection->Visible()
                              : editor::CutOut(m_stamp, {0, 0, editor::kSide, editor::kSide});
    if (!PutPicture(m_hWnd, editor::ShownPixels(piece), piece.width, piece.height)) {
        MessageBox("No s'ha pogut posar la selecció al porta-retalls.", "Alerta",
                   MB_OK | MB_ICONHAND);
        return false;
    }
    m_txtStatus.SetWindowText("Copiat al porta-retalls: " + std::to_string(piece.width) + " × " +
                              std::to_string(piece.height) + " píxels.");
    return true;
}

void CEditorDlg::CutSelection() {
    if (!m_selection) {
        SelectAll();
    }
    const editor::Box box = m_selection->Where();
    if (!CopySelection()) {
        return; // nothing is taken away that is not on the clipboard
    }
    ChangeSelection([this](editor::Selection& s) { s.Fill(m_secondary); });
    SetDown();
    m_txtStatus.SetWindowText("Retallat al porta-retalls: " + std::to_string(box.width) + " × " +
                              std::to_string(box.height) + " píxels.");
}

void CEditorDlg::Paste() {
    bool unreadable = false;
    std::optional<picture::Picture> picture = PictureOnClipboard(m_hWnd, unreadable);
    std::optional<editor::Piece> piece = picture ? editor::PieceOfPicture(*picture) : std::nullopt;
    if (!piece) {
        MessageBox(unreadable || picture ? "La imatge del porta-retalls no es pot llegir: és "
                                           "malmesa o d'un tipus que brelt no coneix."
                                         : "El porta-retalls no conté cap imatge.",
                   "Alerta", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    ChooseTool(Tool::Select);
    // Laid in the middle of the stamp, to be dragged where it belongs.
    const Point at{(editor::kSide - piece->width) / 2, (editor::kSide - piece->height) / 2};
    LayPiece(std::move(*piece), at);
}

void CEditorDlg::LayPiece(editor::Piece piece, Point at) {
    editor::Stamp before = m_stamp;
    m_selection = editor::Selection::Lay(m_stamp, std::move(piece), at);
    m_stamp = m_selection->Composite();
    if (m_stamp != before) {
        m_history.Push(before);
    }
    Show();
    ShowSelectionStatus();
}

void CEditorDlg::Turn(void (editor::Selection::*ofSelection)(), void (*ofStamp)(editor::Stamp&)) {
    if (m_selection) {
        ChangeSelection([&](editor::Selection& s) { (s.*ofSelection)(); });
    } else {
        Change(ofStamp);
    }
}

void CEditorDlg::ShowSelectionStatus() {
    if (!m_selection) {
        return;
    }
    const editor::Box box = m_selection->Where();
    m_txtStatus.SetWindowText("Selecció de " + std::to_string(box.width) + " × " +
                              std::to_string(box.height) + " píxels a la columna " +
                              std::to_string(box.left + 1) + ", fila " +
                              std::to_string(box.top + 1) +
                              " · arrossegueu-la o moveu-la amb les fletxes; Esc la deixa.");
}
