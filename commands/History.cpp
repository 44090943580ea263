#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "collection/Backups.h"

#include <ctime>

namespace {

// Where the copies of the collections go: %LOCALAPPDATA%\brelt\Còpies de seguretat.
std::string BackupFolder() {
    wchar_t folder[MAX_PATH + 1] = {};
    DWORD length = ::GetEnvironmentVariableW(L"LOCALAPPDATA", folder, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) {
        return {};
    }
    return Narrow(folder) + "\\brelt\\Còpies de seguretat";
}

} // namespace

std::optional<Change> CBreltDlg::BeginChange(const std::string& what, std::vector<int> images) {
    if (g_pfTarget == nullptr) {
        return std::nullopt;
    }
    if (!m_backedUp.contains(g_strTargetPath)) {
        // Before the first change of a session: the whole file, or no change at all.
        std::fflush(g_pfTarget);
        std::string folder = BackupFolder();
        if (folder.empty() ||
            BackUpCollection(g_strTargetPath, folder, std::time(nullptr)).empty()) {
            Alert("No s'ha pogut fer la còpia de seguretat de " + g_strTargetPath + " a " +
                  (folder.empty() ? std::string("la carpeta de l'usuari") : folder) +
                  ". Potser el disc és ple. No s'ha canviat res.");
            return std::nullopt;
        }
        m_backedUp.insert(g_strTargetPath);
    }
    return ChangeHistory::Begin(g_pfTarget, g_strTargetPath, what, std::move(images));
}

void CBreltDlg::CommitChange(Change change) {
    if (g_pfTarget != nullptr) {
        std::fflush(g_pfTarget);
        m_history.Commit(g_pfTarget, std::move(change));
    }
}

void CBreltDlg::OnUndo() {
    ReplayChange(true);
}

void CBreltDlg::OnRedo() {
    ReplayChange(false);
}

void CBreltDlg::ReplayChange(bool undo) {
    const Change* next = undo ? m_history.NextUndo() : m_history.NextRedo();
    if (next == nullptr) {
        return;
    }
    if (g_pfTarget == nullptr || next->path != g_strTargetPath) {
        Alert("La col.lecció " + next->path +
                  " no és oberta com a destí: obriu-la amb \"Buscar...\" per desfer-hi o refer-hi "
                  "canvis.",
              MB_ICONEXCLAMATION);
        return;
    }
    std::string path = next->path;
    switch (undo ? m_history.Undo(g_pfTarget) : m_history.Redo(g_pfTarget)) {
    case ChangeHistory::Outcome::ChangedOnDisk:
        Alert("La col.lecció " + path +
                  " ha canviat fora de brelt des de l'últim canvi. No s'hi desfà ni s'hi refà res, "
                  "i se n'oblida l'historial.",
              MB_ICONEXCLAMATION);
        break;
    case ChangeHistory::Outcome::WriteFailed:
        Alert("No s'han pogut escriure les imatges a " + path +
              ". Potser el disc és ple o el fitxer l'ha bloquejat un altre programa.");
        break;
    default:
        break;
    }
    ShowPane(2, g_nTargetFirst - g_nTargetSel);
    HighlightSelection(g_nSourceSel, g_nTargetSel);
}
