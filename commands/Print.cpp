#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/PathNames.h"
#include "collection/PixelAreas.h"
#include "dialogs/PageDrawing.h"
#include "dialogs/PrintPagesDlg.h"
#include "platform/Gdi.h"
#include "platform/Printer.h"
#include "platform/Text.h"

namespace {

// Every stamp of the collection, image n at n - 1; nothing when one can't be read.
std::optional<std::vector<editor::Stamp>> StampsOf(const CCollectionPane& pane) {
    std::vector<editor::Stamp> stamps;
    for (int image = 1; image <= pane.Count(); ++image) {
        std::optional<PixelAreaBytes> area = ReadPixelArea(pane.Stream(), image);
        if (!area) {
            return std::nullopt;
        }
        stamps.push_back(editor::Stamp::FromArea(*area));
    }
    return stamps;
}

// The pages sent to the printer as one document; false when any step failed, and then the
// document is abandoned so that no half of it prints.
bool PrintPages(const CPrinter& printer, const std::wstring& title,
                const std::vector<printing::Page>& pages,
                const std::vector<editor::Stamp>& stamps) {
    CWaitCursor wait;
    CPrintJob job(printer.Dc(), title);
    if (!job.Started()) {
        return false;
    }
    const PageScale scale = PrinterScale(printer.Dc());
    for (const printing::Page& page : pages) {
        if (!job.BeginPage()) {
            return false;
        }
        DrawPage(printer.Dc(), page, scale, stamps);
        if (!job.EndPage()) {
            return false;
        }
    }
    return job.Finish();
}

std::string PagesSent(std::size_t pages) {
    return pages == 1 ? "S'ha enviat 1 pàgina"
                      : "S'han enviat " + std::to_string(pages) + " pàgines";
}

} // namespace

void CBreltDlg::OnPrint() {
    const CCollectionPane& pane = ActivePane();
    std::vector<int> all;
    for (int image = 1; image <= pane.Count(); ++image) {
        all.push_back(image);
    }
    PrintImages(pane, all, nullptr);
}

void CBreltDlg::PrintImages(const CCollectionPane& pane, const std::vector<int>& images,
                            CWnd* owner) {
    if (pane.Stream() == nullptr || images.empty()) {
        return;
    }
    std::optional<std::vector<editor::Stamp>> stamps = StampsOf(pane);
    if (!stamps) {
        Alert("No s'han pogut llegir els segells de " + pane.Path() + " per imprimir-los.");
        return;
    }
    CPrinter::Outcome outcome{};
    std::optional<CPrinter> printer =
        CPrinter::Choose(owner != nullptr ? owner->m_hWnd : m_hWnd, outcome);
    if (!printer) {
        if (outcome == CPrinter::Outcome::NoPrinter) {
            Alert("No hi ha cap impressora instal·lada. Afegiu-ne una a Windows i torneu-ho a "
                  "provar.",
                  MB_ICONEXCLAMATION);
        } else if (outcome == CPrinter::Outcome::Failed) {
            Alert("No s'ha pogut obrir la impressora triada.", MB_ICONEXCLAMATION);
        }
        return; // "Cancel·la" in the print dialog: nothing printed, nothing said
    }
    // The pattern starts at the current image, or at the first of a selection.
    const bool whole = static_cast<int>(images.size()) == pane.Count();
    CPrintPagesDlg pages({std::move(*stamps), images, whole ? pane.Current() : images.front(),
                          FileNameOf(pane.Path()), printer->Name(), printer->PaperWords(),
                          printer->Paper()},
                         owner != nullptr ? owner : this);
    if (pages.DoModal() != IDOK) {
        return;
    }
    const std::wstring title = L"brelt - " + Widen(FileNameOf(pane.Path()));
    if (!PrintPages(*printer, title, pages.Pages(), pages.Stamps())) {
        Alert("No s'ha pogut imprimir a " + Narrow(printer->Name()) + ": no s'ha imprès res.",
              MB_ICONEXCLAMATION);
        return;
    }
    Inform(PagesSent(pages.Pages().size()) + " a la impressora " + Narrow(printer->Name()) + ".");
}
