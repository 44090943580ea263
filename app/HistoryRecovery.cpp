#include "app/HistoryFolder.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/FileOpen.h"
#include "collection/HistoryStorage.h"
#include "collection/SafeEdit.h"
#include "platform/FilePaths.h"
#include "platform/Text.h"

#include <filesystem>
#include <fstream>

namespace {

// Why a collection's log could not be used, in the user's words.
std::string WhyUnusable(CollectionHistory::Opened opened) {
    switch (opened) {
    case CollectionHistory::Opened::Unreadable:
        return "no es pot llegir";
    case CollectionHistory::Opened::OtherCollection:
        return "és el d'una altra col·lecció";
    case CollectionHistory::Opened::Newer:
        return "l'ha escrit una versió més nova de brelt";
    default:
        return "és malmès";
    }
}

// The collection a log found on its own belongs to, as its folder's origen.txt names it.
std::string OriginOf(const std::string& log) {
    std::ifstream origin(std::filesystem::path(Widen(log)).parent_path() / L"origen.txt");
    std::string path;
    std::getline(origin, path);
    if (!path.empty() && path.back() == '\r') {
        path.pop_back();
    }
    return path;
}

} // namespace

void CBreltDlg::ReportHistoryOpened(CollectionHistory::Opened opened, const std::string& path) {
    if (opened == CollectionHistory::Opened::Fine) {
        return;
    }
    Alert("L'historial de canvis de " + path + " " + WhyUnusable(opened) +
              ": brelt no el fa servir. S'ha desat apart, a " + HistoryRoot() +
              ", i se'n comença un de nou. Els canvis d'abans ja no es poden desfer, però les "
              "còpies de seguretat de la col·lecció hi són.",
          MB_ICONEXCLAMATION);
}

void CBreltDlg::ReportRecovery(const Recovery& recovery, const std::string& path) {
    const std::string step =
        "«" + recovery.what + "»" + (recovery.undo ? " (desfer-lo o refer-lo)" : "");
    switch (recovery.kind) {
    case Recovery::Kind::RolledBack:
        Inform("Quan brelt es va aturar, estava fent " + step + " a " + path +
               " i no l'havia acabat. La col·lecció s'ha deixat tal com era abans: no ha quedat "
               "a mig fer.");
        break;
    case Recovery::Kind::Mismatch:
        Alert(
            "Quan brelt es va aturar, estava fent " + step + " a " + path +
                ", però el fitxer ha canviat des de llavors fora de brelt. brelt no l'ha tocat i "
                "n'oblida l'historial. Si hi veieu imatges a mig canviar, recupereu-ne una versió "
                "amb Col·lecció ▸ Versions anteriors...",
            MB_ICONEXCLAMATION);
        break;
    case Recovery::Kind::Failed:
        Alert("Quan brelt es va aturar, estava fent " + step + " a " + path +
              " i no l'havia acabat, i ara no s'ha pogut deixar com era: potser el disc és ple o "
              "un altre programa fa servir el fitxer. brelt ho tornarà a provar la pròxima vegada "
              "que l'obri.");
        break;
    default:
        break;
    }
}

void CBreltDlg::SettleHistory(const CCollectionPane& pane) {
    const bool source = pane.IsSource();
    const std::string path = pane.Path(), key = source ? m_sourceKey : m_targetKey;
    CollectionHistory::Opened opened = CollectionHistory::Opened::Fine;
    CollectionHistory& history = m_history.For(key, path, &opened);
    ReportHistoryOpened(opened, path);
    if (source ? m_sourceReadOnly : m_targetReadOnly) {
        return;
    }
    if (!history.State().pending) {
        ForgetIfChangedOutside(history, pane.Stream(), path);
        return;
    }
    ::EditTarget file{pane.StreamVariable(), path, key};
    Recovery recovery = RecoverPending(history, file);
    if (recovery.kind == Recovery::Kind::Mismatch && history.Forget()) {
        m_history.NeedsBackup(key);
    }
    if (recovery.kind == Recovery::Kind::RolledBack) {
        pane.ShowFrom(pane.FirstShown()); // the images as they are now
        ShowFrames();
    }
    ReportRecovery(recovery, path);
}

void CBreltDlg::ForgetIfChangedOutside(CollectionHistory& history, std::FILE* stream,
                                       const std::string& path) {
    FileContent content = ReadWholeStream(stream);
    if (!content.ok() ||
        m_history.StateOf(history, content.bytes) != ChangeHistory::FileState::ChangedOutside) {
        return;
    }
    // Its changes can no longer be undone over what someone else did: said now, not at Ctrl+Z.
    if (history.Forget()) {
        m_history.NeedsBackup(history.Key());
        Alert("La col·lecció " + path +
                  " ha canviat fora de brelt des de l'últim canvi que brelt hi va fer: els "
                  "canvis d'abans ja no es poden desfer. Les còpies de seguretat hi són, a "
                  "Col·lecció ▸ Versions anteriors.",
              MB_ICONEXCLAMATION);
    }
}

LRESULT CBreltDlg::OnRecoverAtStart(WPARAM, LPARAM) {
    // Every collection whose journal shows a step begun and never finished, as brelt stopped.
    for (const std::string& log : HistoryLogs()) {
        std::optional<std::vector<std::uint8_t>> bytes = FileLogStorage(log).Read();
        std::optional<std::string> key =
            bytes ? history::LogKey(bytes->data(), bytes->size()) : std::nullopt;
        if (!key || !history::ReadLog(bytes->data(), bytes->size(), *key).state.pending) {
            continue;
        }
        std::string path = OriginOf(log);
        std::FILE* stream = OpenFile(path.empty() ? *key : path, "r+b");
        if (stream == nullptr) {
            continue; // told when it is next opened
        }
        ::EditTarget file{stream, path, *key};
        CollectionHistory& history = m_history.For(*key, path);
        Recovery recovery = RecoverPending(history, file);
        if (recovery.kind == Recovery::Kind::Mismatch && history.Forget()) {
            m_history.NeedsBackup(*key);
        }
        std::fclose(stream);
        ReportRecovery(recovery, path);
    }
    return 0;
}
