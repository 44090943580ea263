#include "app/CollectionFiles.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/FileOpen.h"
#include "collection/PathNames.h"
#include "platform/FilePaths.h"

#include <algorithm>

LRESULT CBreltDlg::OnOpenStartFiles(WPARAM, LPARAM) {
    std::vector<std::string> files = std::move(m_startFiles);
    m_startFiles.clear();
    int collections = 0;
    for (const std::string& named : files) {
        std::string file = AbsolutePath(named); // the command line may name it from its folder
        std::string name = FileNameOf(file);
        if (!FileExists(file)) {
            Alert("No es troba el fitxer " + file + ". brelt s'obre sense.", MB_ICONEXCLAMATION);
            continue;
        }
        if (!IsCollectionFileName(file)) {
            LoadImageFile(file, name);
            continue;
        }
        // The first as the target, unless it may not be written: then as the source, read only.
        UpdateStream probe = OpenForUpdate(file);
        if (probe.stream != nullptr) {
            std::fclose(probe.stream);
        }
        bool asTarget = collections == 0 && probe.stream != nullptr;
        OpenCollectionFile(asTarget ? TargetPane() : SourcePane(), file, name);
        ++collections;
    }
    return 0;
}
