#include "app/HistoryFolder.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/CollectionFormat.h"
#include "collection/StreamBytes.h"
#include "dialogs/QuestionDlg.h"
#include "messages/EditMessages.h"
#include "platform/FilePaths.h"

#include <algorithm>
#include <ctime>

namespace {

// 202752 as "202.752", as Catalan groups digits.
std::string GroupedNumber(long long value) {
    std::string digits = std::to_string(value), grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += '.';
        }
        grouped += digits[i];
    }
    return grouped;
}

} // namespace

EditOutcome CBreltDlg::EditCollection(const std::string& what, const std::vector<int>& images,
                                      const EditFunction& edit) {
    if (!MayWriteTarget()) {
        EditOutcome refused;
        refused.kind = EditOutcome::Kind::Refused;
        refused.reason = EditOutcome::Reason::NotOpen; // said already, or nothing to say
        return refused;
    }
    ::EditTarget target{TargetPane().StreamVariable(), TargetPane().Path(), m_targetKey};
    std::string folder = BackupRoot();
    BackUpFunction backUp = [&](const FileBytes& content) {
        if (folder.empty()) {
            return BackupResult{{},
                                std::make_error_code(std::errc::no_such_file_or_directory),
                                BackupResult::Failed::Folder};
        }
        return BackUpCollection(content, ResolvedPath(TargetPane().Path()),
                                Narrow(ExtendedPath(folder)), std::time(nullptr));
    };
    EditOutcome outcome = SafeEdit(m_history, target, what, images, edit, backUp);
    if (!outcome.backupPath.empty()) {
        m_lastBackups[m_targetKey] = ShownPath(outcome.backupPath);
    }
    // Without a temporary stream no image can be shown: the slots keep what they showed. What
    // the edit showed itself is shown again only if it was not all written.
    bool alreadyShown = outcome.shown && outcome.kind == EditOutcome::Kind::Done;
    if (outcome.kind != EditOutcome::Kind::Refused && !outcome.noTempStream && !alreadyShown &&
        TargetPane().IsOpen()) {
        ShowWrittenImages(images);
    }
    ShowFrames();
    ReportEdit(outcome, what, false);
    return outcome;
}

bool CBreltDlg::MayWriteTarget() {
    if (!TargetPane().IsOpen()) {
        return true; // the edit itself finds nothing open
    }
    if (m_targetReadOnly) {
        Alert("El fitxer " + TargetPane().Path() +
                  " no és una col·lecció de segells: brelt el mostra però no hi escriu.",
              MB_ICONEXCLAMATION);
        return false;
    }
    long long size = streambytes::Size(TargetPane().Stream());
    if (sgc::HasCollectionSize(size) || m_unusualSizeAccepted.count(m_targetKey) != 0) {
        return true;
    }
    // A file of no collection's size may be something else entirely: asked once, "NO" first.
    CQuestionDlg question(
        "El fitxer " + TargetPane().Path() + " fa " + GroupedNumber(size < 0 ? 0 : size) +
            " bytes, una mida que no és la de cap col·lecció de segells (de 98, 112 o 126 "
            "imatges). Potser no és una col·lecció, i escriure-hi el faria malbé.\n\n"
            "Voleu escriure-hi igualment?",
        nullptr, CQuestionDlg::Default::No);
    if (question.DoModal() != IDOK) {
        return false;
    }
    m_unusualSizeAccepted.insert(m_targetKey);
    return true;
}

void CBreltDlg::OnUndo() {
    ReplayChange(true);
}

void CBreltDlg::OnRedo() {
    ReplayChange(false);
}

void CBreltDlg::ReplayChange(bool undo) {
    if (!TargetPane().IsOpen()) {
        return;
    }
    const history::State& state = TargetHistory().State();
    const history::Change* next = undo ? state.NextUndo() : state.NextRedo();
    if (next == nullptr) {
        return;
    }
    const std::string what = next->what;
    const std::vector<int> images = next->images;
    ::EditTarget target{TargetPane().StreamVariable(), TargetPane().Path(), m_targetKey};
    EditOutcome outcome = SafeReplay(m_history, target, undo);
    if (outcome.kind != EditOutcome::Kind::Refused) {
        ShowWrittenImages(images);
    }
    ShowFrames();
    ReportEdit(outcome, what, true);
}

CollectionHistory& CBreltDlg::TargetHistory() const {
    return m_history.For(m_targetKey, TargetPane().Path());
}

void CBreltDlg::ReportEdit(const EditOutcome& outcome, const std::string& what, bool replay) {
    auto lastBackup = m_lastBackups.find(m_targetKey);
    EditContext context{what,
                        TargetPane().Path(),
                        BackupRoot().empty() ? "la carpeta de l'usuari" : BackupRoot(),
                        HistoryRoot().empty() ? "la carpeta de l'usuari" : HistoryRoot(),
                        lastBackup != m_lastBackups.end() ? lastBackup->second : std::string(),
                        replay};
    EditMessage message = MessageFor(outcome, context);
    if (!message.text.empty()) {
        Alert(message.text, message.failure ? MB_ICONHAND : MB_ICONEXCLAMATION);
    }
}
