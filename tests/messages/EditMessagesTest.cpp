#include "messages/EditMessages.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

EditContext Context() {
    EditContext context;
    context.what = "Importa imatges";
    context.path = "C:\\Segells\\formes.sgc";
    context.backupFolder = "C:\\Còpies";
    context.historyFolder = "C:\\Historial";
    return context;
}

EditOutcome Refused(EditOutcome::Reason reason) {
    EditOutcome outcome;
    outcome.kind = EditOutcome::Kind::Refused;
    outcome.reason = reason;
    return outcome;
}

EditOutcome FailedAt(std::vector<int> images) {
    EditOutcome outcome;
    outcome.kind = EditOutcome::Kind::Failed;
    outcome.failedImages = std::move(images);
    return outcome;
}

} // namespace

TEST(ImageList, NamesImagesAsAPersonWouldAndRunsOfThreeOrMoreAsARange) {
    EXPECT_EQ(ImageList({}), "");
    EXPECT_EQ(ImageList({5}), "5");
    EXPECT_EQ(ImageList({5, 7}), "5 i 7");
    EXPECT_EQ(ImageList({5, 6}), "5 i 6") << "two in a row are no range";
    EXPECT_EQ(ImageList({3, 5, 7}), "3, 5 i 7");
    EXPECT_EQ(ImageList({11, 12, 13}), "11 a 13");
    EXPECT_EQ(ImageList({1, 11, 12, 13, 14, 48, 50, 51}), "1, 11 a 14, 48, 50 i 51");
}

TEST(MessageFor, ADoneChangeSaysNothingUnlessTheFileHadChangedOutside) {
    EXPECT_EQ(MessageFor(EditOutcome{}, Context()).text, "");
    EditOutcome outside;
    outside.changedOutside = true;
    outside.backupPath = "C:\\Còpies\\formes-1.sgc";
    EditMessage message = MessageFor(outside, Context());
    EXPECT_FALSE(message.failure);
    EXPECT_EQ(message.text, "La col·lecció C:\\Segells\\formes.sgc havia canviat fora de brelt. "
                            "Abans de fer-hi «Importa imatges» se n'ha fet una còpia de seguretat "
                            "nova, C:\\Còpies\\formes-1.sgc, i s'ha oblidat l'historial de desfer "
                            "que en tenia brelt.");
}

TEST(MessageFor, EachRefusalSaysWhyAndThatNothingChanged) {
    EXPECT_EQ(MessageFor(Refused(EditOutcome::Reason::ReadFailed), Context()).text,
              "No s'ha pogut llegir la col·lecció C:\\Segells\\formes.sgc abans de canviar-la. No "
              "s'ha canviat res.");
    EditOutcome full = Refused(EditOutcome::Reason::BackupFailed);
    full.error = std::make_error_code(std::errc::no_space_on_device);
    full.backupStep = BackupResult::Failed::Write;
    EXPECT_EQ(MessageFor(full, Context()).text,
              "No s'ha pogut fer la còpia de seguretat de C:\\Segells\\formes.sgc a C:\\Còpies: el "
              "disc és ple. No s'ha canviat res.");
    EditOutcome history = Refused(EditOutcome::Reason::HistoryFailed);
    history.error = std::make_error_code(std::errc::permission_denied);
    EXPECT_EQ(MessageFor(history, Context()).text,
              "No s'ha pogut anotar el canvi a l'historial de C:\\Segells\\formes.sgc, a "
              "C:\\Historial: no es té permís per escriure-hi. No s'ha canviat res.");
    EXPECT_TRUE(MessageFor(history, Context()).failure);
    // A file changed outside brelt is told, not alarmed about; nothing to replay says nothing.
    EXPECT_FALSE(MessageFor(Refused(EditOutcome::Reason::ChangedOutside), Context()).failure);
    EXPECT_EQ(MessageFor(Refused(EditOutcome::Reason::NothingToReplay), Context()).text, "");
}

TEST(MessageFor, AFailedWriteNamesItsImagesAndWhatBecameOfTheCollection) {
    EditMessage one = MessageFor(FailedAt({7}), Context());
    EXPECT_TRUE(one.failure);
    EXPECT_EQ(one.text.rfind("No s'ha pogut escriure la imatge 7 a C:\\Segells\\formes.sgc. ", 0),
              0u)
        << one.text;
    EditOutcome takenBack = FailedAt({3, 4, 5});
    takenBack.rolledBack = true;
    EXPECT_EQ(MessageFor(takenBack, Context()).text,
              "No s'han pogut escriure les imatges 3 a 5 a C:\\Segells\\formes.sgc. Potser el disc "
              "és ple o el fitxer l'ha bloquejat un altre programa. S'ha tornat a deixar la "
              "col·lecció tal com era: no s'ha canviat res.");
    EditOutcome noTemp = FailedAt({1, 2});
    noTemp.noTempStream = true;
    EditContext replay = Context();
    replay.replay = true;
    const std::string text = MessageFor(noTemp, replay).text;
    EXPECT_NE(text.find("no s'ha pogut crear un fitxer temporal"), std::string::npos) << text;
    EXPECT_NE(text.find("Torneu-ho a provar"), std::string::npos) << "an undo or redo: again";
}

TEST(BackupFailureReason, TellsTheCommonFailuresApartInTheUsersWords) {
    using Step = BackupResult::Failed;
    EXPECT_EQ(BackupFailureReason(std::make_error_code(std::errc::filename_too_long), Step::Write),
              "el camí és massa llarg");
    EXPECT_EQ(BackupFailureReason(std::make_error_code(std::errc::permission_denied), Step::Folder),
              "no es té permís per crear-hi la carpeta de les còpies");
    EXPECT_EQ(
        BackupFailureReason(std::make_error_code(std::errc::read_only_file_system), Step::Write),
        "no es té permís per escriure-hi");
    EXPECT_EQ(BackupFailureReason({}, Step::Check), "la còpia escrita no és igual a la col·lecció");
    EXPECT_EQ(BackupFailureReason(std::make_error_code(std::errc::io_error), Step::Write),
              "error del sistema " + std::to_string(EIO));
}
