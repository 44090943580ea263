#include "app/CollectionFiles.h"
#include "app/LibraryFolder.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/Panes.h"
#include "collection/CollectionFormat.h"
#include "collection/FileOpen.h"
#include "collection/StreamBytes.h"
#include "platform/FilePaths.h"

void CBreltDlg::OnOpenSource() {
    OpenCollection(SourcePane());
}

void CBreltDlg::OnOpenTarget() {
    OpenCollection(TargetPane());
}

void CBreltDlg::OpenCollection(const Pane& pane) {
    CFileDialog dialog = CollectionFileDialog(TRUE, "Obre Fitxer...");
    if (dialog.DoModal() != IDOK) {
        return;
    }
    OpenCollectionFile(pane, dialog.GetPathName(), dialog.GetFileName());
}

void CBreltDlg::OpenCollectionFile(const Pane& pane, std::string path, const std::string& name) {
    std::string copy = VirtualStoreCopy(path);
    if (!copy.empty()) {
        // The paint program shows and changes that copy, not the file chosen.
        if (m_toldVirtualStore.insert(path).second) {
            Inform("El programa de dibuix no fa servir " + path + ", sinó la seva còpia " + copy +
                   ", que Windows hi guarda en lloc seu. brelt obre aquesta còpia.");
        }
        path = copy;
    }

    ClearReadOnly(path);
    // The new file is opened before anything of the pane changes: a file that can't be opened
    // leaves the pane as it was. The source is only read: one that may not be written opens
    // for reading.
    UpdateStream opened = OpenForUpdate(path);
    std::FILE* stream = opened.stream;
    bool readOnly = false;
    if (stream == nullptr && opened.writingRefused && pane.number == 1) {
        stream = OpenFile(path, "rb");
        readOnly = stream != nullptr;
    }
    if (stream == nullptr) {
        Alert(opened.accessDenied
                  ? AccessDeniedMessage(path)
                  : "No s'ha pogut obrir el fitxer " + path +
                        "\nper llegir-lo i escriure-hi. Potser no existeix, és només de lectura o "
                        "el fa servir un altre programa.",
              MB_ICONEXCLAMATION);
        return;
    }
    (pane.number == 1 ? m_sourcePath : g_strTargetPath) = path;
    (pane.number == 1 ? m_sourceKey : m_targetKey) = CollectionKey(path);
    pane.current = 1;
    pane.selected = 0;
    if (pane.stream != nullptr) {
        std::fclose(pane.stream);
    }
    pane.stream = stream;
    pane.count = streambytes::ImageCount(stream);
    streambytes::SeekTo(stream, 0);

    ShowPane(pane.number, 1);
    if (pane.number == 1) {
        HighlightSelection(0, g_nTargetSel);
    } else {
        HighlightSelection(g_nSourceSel, 0);
    }
    SetDlgItemInt(pane.goToBox, static_cast<UINT>(pane.current), TRUE);
    ::SetDlgItemTextW(m_hWnd, pane.nameLabel,
                      Widen(readOnly ? name + " (només lectura)" : name).c_str());
}
