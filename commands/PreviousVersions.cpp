#include "app/HistoryFolder.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/Backups.h"
#include "collection/PathNames.h"
#include "collection/StreamBytes.h"
#include "collection/Versions.h"
#include "dialogs/CompareDlg.h"
#include "dialogs/VersionsDlg.h"
#include "messages/EditMessages.h"
#include "platform/FilePaths.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

namespace {

std::string LocalTime(std::int64_t when) {
    std::time_t time = static_cast<std::time_t>(when);
    std::tm local{};
    localtime_s(&local, &time);
    char text[32];
    std::strftime(text, sizeof text, "%d/%m/%Y %H:%M:%S", &local);
    return text;
}

std::string Images(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " imatge" : " imatges");
}

// When a copy was made, as its name says: "formes 2026-12-09 17.02.42 (2)" was made on
// 09/12/2026 at 17:02:42. The name itself when it says nothing of the kind.
std::string WhenCopied(const std::string& stem) {
    const std::string shape = "dddd-dd-dd dd.dd.dd";
    for (std::size_t at = stem.size() >= shape.size() ? stem.size() - shape.size() + 1 : 0;
         at-- > 0;) {
        bool fits =
            std::equal(shape.begin(), shape.end(), stem.begin() + static_cast<long>(at),
                       [](char s, char c) { return s == 'd' ? c >= '0' && c <= '9' : s == c; });
        if (fits) {
            std::string t = stem.substr(at, shape.size());
            return t.substr(8, 2) + "/" + t.substr(5, 2) + "/" + t.substr(0, 4) + " " +
                   t.substr(11, 2) + ":" + t.substr(14, 2) + ":" + t.substr(17, 2);
        }
    }
    return stem;
}

// The collection's backups, newest first: their names hold when they were made, and sort so.
std::vector<std::filesystem::path> BackupsOf(const std::string& folder) {
    std::vector<std::filesystem::path> copies;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(Widen(folder), error)) {
        if (entry.path().extension() == L".sgc") {
            copies.push_back(entry.path());
        }
    }
    std::sort(copies.rbegin(), copies.rend());
    return copies;
}

} // namespace

std::vector<CBreltDlg::Version> CBreltDlg::PreviousVersions() const {
    std::vector<Version> versions;
    const history::State& state = TargetHistory().State();
    // What the history reaches: the changes undone since, newest first, then the file before
    // each change it holds.
    for (std::size_t s = state.changes.size(); s > state.applied; --s) {
        const history::Change& change = state.changes[s - 1];
        versions.push_back({LocalTime(change.time) + " · Amb «" + change.what + "» (" +
                                Images(change.images.size()) + "), que es va desfer",
                            s,
                            {}});
    }
    for (std::size_t s = state.applied; s > 0; --s) {
        const history::Change& change = state.changes[s - 1];
        versions.push_back({LocalTime(change.time) + " · Abans de «" + change.what + "» (" +
                                Images(change.images.size()) + ")",
                            s - 1,
                            {}});
    }
    std::string folder = BackupRoot() + "\\" + BackupFolderName(ResolvedPath(TargetPane().Path()));
    for (const std::filesystem::path& copy : BackupsOf(Narrow(ExtendedPath(folder)))) {
        versions.push_back({WhenCopied(Narrow(copy.stem().wstring())) + " · Còpia de seguretat", 0,
                            Narrow(copy.wstring())});
    }
    return versions;
}

void CBreltDlg::OnPreviousVersions() {
    std::vector<Version> versions = PreviousVersions();
    std::vector<std::string> labels;
    for (const Version& version : versions) {
        labels.push_back(version.label);
    }
    CVersionsDlg chooser(FileNameOf(TargetPane().Path()), labels);
    if (chooser.DoModal() != IDOK || chooser.GetChosen() < 0) {
        return;
    }
    const Version& chosen = versions[static_cast<std::size_t>(chooser.GetChosen())];
    FileContent now = ReadWholeStream(TargetPane().Stream());
    FileContent earlier =
        chosen.backup.empty()
            ? FileContent{FileContent::Status::Read,
                          ContentAtStep(now.bytes, TargetHistory().State(), chosen.step)}
            : ReadWholeFile(chosen.backup);
    if (!now.ok() || !earlier.ok()) {
        Alert("No s'ha pogut llegir aquesta versió de " + TargetPane().Path() + ".");
        return;
    }
    CCompareDlg compare(chosen.label, earlier.bytes, now.bytes, TargetPane().Count());
    if (compare.DoModal() == IDOK && !compare.GetChosen().empty()) {
        WriteImagesFrom(earlier.bytes, compare.GetChosen(), "Recupera una versió anterior",
                        "S'han recuperat les imatges " + ImageList(compare.GetChosen()) +
                            " de la versió «" + chosen.label + "». Ctrl+Z ho desfà.");
    }
}

void CBreltDlg::WriteImagesFrom(const FileBytes& content, const std::vector<int>& images,
                                const std::string& change, const std::string& report) {
    EditOutcome outcome = EditCollection(change, images, [&](std::FILE*& stream) {
        Written written;
        for (int image : images) {
            if (!WritePixelArea(stream, image, PixelAreaIn(content, image))) {
                written.failed.push_back(image);
            }
        }
        return written;
    });
    if (outcome.kind == EditOutcome::Kind::Done) {
        Inform(report);
    }
}
