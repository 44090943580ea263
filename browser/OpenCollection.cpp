#include "app/CollectionFiles.h"
#include "app/LibraryFolder.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/CollectionFormat.h"
#include "collection/FileKinds.h"
#include "collection/FileOpen.h"
#include "collection/StreamBytes.h"
#include "platform/FilePaths.h"

namespace {

// What the file at path seems to be by its first bytes, when that is not a collection.
std::optional<FileKind> ForeignKindOf(const std::string& path) {
    std::FILE* file = OpenFile(path, "rb");
    if (file == nullptr) {
        return std::nullopt;
    }
    std::uint8_t beginning[kFileKindBytes];
    std::size_t read = std::fread(beginning, 1, sizeof beginning, file);
    std::fclose(file);
    return RecogniseFileKind(beginning, read);
}

} // namespace

void CBreltDlg::OnOpenSource() {
    OpenCollection(SourcePane());
}

void CBreltDlg::OnOpenTarget() {
    OpenCollection(TargetPane());
}

void CBreltDlg::OpenCollection(CCollectionPane& pane) {
    CFileDialog dialog = CollectionFileDialog(TRUE, "Obre Fitxer...");
    if (dialog.DoModal() != IDOK) {
        return;
    }
    OpenCollectionFile(pane, dialog.GetPathName(), dialog.GetFileName());
}

bool CBreltDlg::OpenCollectionFile(CCollectionPane& pane, std::string path,
                                   const std::string& name) {
    std::string copy = VirtualStoreCopy(path);
    if (!copy.empty()) {
        // The paint program shows and changes that copy, not the file chosen.
        if (m_toldVirtualStore.insert(path).second) {
            Inform("El programa de dibuix no fa servir " + path + ", sinó la seva còpia " + copy +
                   ", que Windows hi guarda en lloc seu. brelt obre aquesta còpia.");
        }
        path = copy;
    }
    // A picture, an archive or a document is no collection: it is shown, never written.
    std::optional<FileKind> foreign = ForeignKindOf(path);
    PaneStream opened =
        foreign ? PaneStream{OpenFile(path, "rb"), true, false} : OpenPaneStream(pane, path);
    if (opened.stream == nullptr) {
        Alert(opened.accessDenied
                  ? AccessDeniedMessage(path)
                  : "No s'ha pogut obrir el fitxer " + path +
                        "\nper llegir-lo i escriure-hi. Potser no existeix, és només de lectura o "
                        "el fa servir un altre programa.",
              MB_ICONEXCLAMATION);
        return false;
    }
    ShowOpenedCollection(pane, path, name, opened);
    SettleHistory(pane);
    if (foreign) {
        Alert("El fitxer " + path + " sembla " + foreign->name +
                  ", no una col·lecció de segells. brelt el mostra només per mirar-lo i no hi "
                  "escriurà res." +
                  (foreign->family == FileKind::Family::Picture
                       ? "\nPer fer-ne un segell, carregueu-lo amb Edita ▸ Carrega una imatge..."
                       : ""),
              MB_ICONEXCLAMATION);
    }
    return true;
}

CBreltDlg::PaneStream CBreltDlg::OpenPaneStream(const CCollectionPane& pane,
                                                const std::string& path) {
    ClearReadOnly(path);
    // The new file is opened before anything of the pane changes: a file that can't be opened
    // leaves the pane as it was. The source is only read: one that may not be written opens
    // for reading.
    UpdateStream opened = OpenForUpdate(path);
    if (opened.stream == nullptr && opened.writingRefused && pane.Number() == 1) {
        std::FILE* stream = OpenFile(path, "rb");
        return {stream, stream != nullptr, opened.accessDenied};
    }
    return {opened.stream, false, opened.accessDenied};
}

void CBreltDlg::ShowOpenedCollection(CCollectionPane& pane, const std::string& path,
                                     const std::string& name, const PaneStream& opened) {
    const bool source = pane.IsSource();
    (source ? m_sourcePath : g_strTargetPath) = path;
    (source ? m_sourceKey : m_targetKey) = CollectionKey(path);
    (source ? m_sourceReadOnly : m_targetReadOnly) = opened.readOnly;
    const int count = streambytes::ImageCount(opened.stream);
    streambytes::SeekTo(opened.stream, 0);
    m_activePane = pane.Number(); // the keys act on the pane just opened
    pane.Open(opened.stream, count, name, opened.readOnly);
    if (source) {
        HighlightSelection(0, g_nTargetSel);
    } else {
        HighlightSelection(g_nSourceSel, 0);
    }
    RememberRecent(path);
}
