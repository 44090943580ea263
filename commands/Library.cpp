#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/PathNames.h"
#include "dialogs/LibraryDlg.h"

// "Biblioteca...": every collection of the library at a glance; the one chosen opened in the
// target or the source.
void CBreltDlg::OnLibrary() {
    CLibraryDlg library(this);
    if (library.DoModal() != IDOK) {
        return;
    }
    const CLibraryDlg::Chosen& chosen = library.GetChosen();
    OpenCollectionFile(chosen.asSource ? SourcePane() : TargetPane(), chosen.path,
                       FileNameOf(chosen.path));
}
