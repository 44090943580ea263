#include "messages/EditMessages.h"

namespace {

// The system's codes of the failures told apart, as a Windows build's system category carries
// them; elsewhere that category holds errno values, which the portable conditions cover.
#ifdef _WIN32
constexpr bool kWindowsCodes = true;
#else
constexpr bool kWindowsCodes = false;
#endif
constexpr int kAccessDenied = 5, kHandleDiskFull = 39, kDiskFull = 112, kNameTooLong = 206;

std::string Quoted(const std::string& text) {
    return "«" + text + "»";
}

std::string Refusal(const EditOutcome& outcome, const EditContext& context) {
    switch (outcome.reason) {
    case EditOutcome::Reason::ReadFailed:
        return "No s'ha pogut llegir la col·lecció " + context.path +
               " abans de canviar-la. No s'ha canviat res.";
    case EditOutcome::Reason::TooLarge:
        return "El fitxer " + context.path +
               " és massa gran per ser una col·lecció (més de 16 MB). brelt no el canvia.";
    case EditOutcome::Reason::BackupFailed:
        return "No s'ha pogut fer la còpia de seguretat de " + context.path + " a " +
               context.backupFolder + ": " +
               BackupFailureReason(outcome.error, outcome.backupStep) + ". No s'ha canviat res.";
    case EditOutcome::Reason::ChangedOutside:
        return "La col·lecció " + context.path +
               " ha canviat fora de brelt des de l'últim canvi. No s'hi desfà ni s'hi refà res, "
               "i se n'oblida l'historial.";
    case EditOutcome::Reason::HistoryFailed:
        return "No s'ha pogut anotar el canvi a l'historial de " + context.path + ", a " +
               context.historyFolder + ": " +
               BackupFailureReason(outcome.error, BackupResult::Failed::Write) +
               ". No s'ha canviat res.";
    default:
        return {};
    }
}

std::string WriteFailure(const EditOutcome& outcome, const EditContext& context) {
    const auto& images = outcome.failedImages;
    std::string text = images.size() == 1 ? "No s'ha pogut escriure la imatge "
                                          : "No s'han pogut escriure les imatges ";
    text += ImageList(images) + " a " + context.path;
    text += outcome.noTempStream ? ": no s'ha pogut crear un fitxer temporal a la carpeta "
                                   "temporal de l'usuari."
                                 : ". Potser el disc és ple o el fitxer l'ha bloquejat un altre "
                                   "programa.";
    if (outcome.rolledBack) {
        return text + " S'ha tornat a deixar la col·lecció tal com era: no s'ha canviat res.";
    }
    if (context.replay) {
        text += " Torneu-ho a provar: es tornaran a escriure totes les imatges del canvi.";
    }
    return text + " Si ha quedat a mig fer, brelt la deixarà com era abans del canvi quan hi "
                  "torneu a fer un canvi o l'obriu de nou.";
}

} // namespace

EditMessage MessageFor(const EditOutcome& outcome, const EditContext& context) {
    if (outcome.kind == EditOutcome::Kind::Refused) {
        std::string text = Refusal(outcome, context);
        return {text, outcome.reason != EditOutcome::Reason::ChangedOutside};
    }
    std::vector<std::string> parts;
    if (outcome.changedOutside) {
        parts.push_back("La col·lecció " + context.path +
                        " havia canviat fora de brelt. Abans de fer-hi " + Quoted(context.what) +
                        " se n'ha fet una còpia de seguretat nova, " + outcome.backupPath +
                        ", i s'ha oblidat l'historial de desfer que en tenia brelt.");
    }
    if (outcome.kind == EditOutcome::Kind::Failed) {
        parts.push_back(WriteFailure(outcome, context));
    }
    EditMessage message;
    for (const std::string& part : parts) {
        message.text += (message.text.empty() ? "" : "\n\n") + part;
    }
    message.failure = outcome.kind == EditOutcome::Kind::Failed;
    return message;
}

std::string ImageList(const std::vector<int>& images) {
    std::vector<std::string> runs;
    for (std::size_t i = 0; i < images.size();) {
        std::size_t j = i;
        while (j + 1 < images.size() && images[j + 1] == images[j] + 1) {
            ++j;
        }
        if (j - i >= 2) {
            runs.push_back(std::to_string(images[i]) + " a " + std::to_string(images[j]));
        } else {
            for (std::size_t k = i; k <= j; ++k) {
                runs.push_back(std::to_string(images[k]));
            }
        }
        i = j + 1;
    }
    std::string list;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        list += (i == 0 ? "" : i + 1 == runs.size() ? " i " : ", ") + runs[i];
    }
    return list;
}

std::string BackupFailureReason(const std::error_code& error, BackupResult::Failed step) {
    std::error_condition condition = error.default_error_condition();
    bool win32 = kWindowsCodes && error.category() == std::system_category();
    int code = error.value();
    if (condition == std::errc::no_space_on_device ||
        (win32 && (code == kDiskFull || code == kHandleDiskFull))) {
        return "el disc és ple";
    }
    if (condition == std::errc::filename_too_long || (win32 && code == kNameTooLong)) {
        return "el camí és massa llarg";
    }
    if (condition == std::errc::permission_denied ||
        condition == std::errc::operation_not_permitted ||
        condition == std::errc::read_only_file_system || (win32 && code == kAccessDenied)) {
        return step == BackupResult::Failed::Folder
                   ? "no es té permís per crear-hi la carpeta de les còpies"
                   : "no es té permís per escriure-hi";
    }
    if (step == BackupResult::Failed::Folder) {
        return "no s'hi ha pogut crear la carpeta de les còpies";
    }
    if (step == BackupResult::Failed::Check) {
        return "la còpia escrita no és igual a la col·lecció";
    }
    return "error del sistema " + std::to_string(code);
}
