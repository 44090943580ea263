#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/PathNames.h"
#include "collection/PixelAreas.h"
#include "dialogs/LibraryDlg.h"
#include "dialogs/OverviewDlg.h"
#include "dialogs/QuestionDlg.h"

void CBreltDlg::OnShowOverview() {
    CCollectionPane& pane = ActivePane();
    if (pane.Stream() == nullptr) {
        return;
    }
    std::string path = pane.Path();
    std::string name = FileNameOf(path);
    COverviewDlg::Commands commands;
    commands.exportImages = [this, &pane](const std::vector<int>& images, CWnd* owner) {
        ExportImagesPng(pane, images, false, "Exporta la selecció en PNG", owner);
    };
    commands.printImages = [this, &pane](const std::vector<int>& images, CWnd* owner) {
        PrintImages(pane, images, owner);
    };
    if (!pane.IsSource()) {
        commands.reorder = [this](const std::string& what, const plans::Order& order) {
            ReorderTarget(what, order);
        };
        commands.confirmLoss = [this](int last, CWnd* owner) { return ConfirmLoss(last, owner); };
        commands.edit = [this](int image, CWnd* owner) { EditImage(image, owner); };
        commands.replay = [this](bool undo) { ReplayChange(undo); };
        commands.nextChange = [this](bool undo) { return undo ? UndoSubject() : RedoSubject(); };
    } else {
        commands.copyToTarget = [this](const std::vector<int>& images, CWnd* owner) {
            CopyToTarget(images, owner);
        };
    }
    std::optional<LibraryChoice> found;
    commands.search = [this, &pane, &found](int image, CWnd* owner) {
        std::optional<library::StampColours> stamp = StampToSearch(pane, image);
        found = stamp ? ChooseInLibrary(static_cast<int>(CLibraryDlg::Mode::Search), stamp, owner)
                      : std::nullopt;
        return found.has_value();
    };
    COverviewDlg overview(pane.Stream(), pane.Count(), pane.Current(), name, std::move(commands));
    if (overview.DoModal() == IDOK) {
        pane.GoToImage(overview.GetChosen());
        ShowFrames();
    } else if (found) {
        OpenInPane(*found); // the overview, which read the pane, has gone
    }
}

void CBreltDlg::ReorderTarget(const std::string& what, const plans::Order& order) {
    EditCollection(what, plans::Written(order), [&](std::FILE*& target) {
        // Every area the plan takes is read before any is written over.
        std::vector<PixelAreaBytes> areas;
        for (int image = 1; image <= static_cast<int>(order.size()); ++image) {
            std::optional<PixelAreaBytes> area = ReadPixelArea(target, image);
            if (!area) {
                return Written::AllOr(false, plans::Written(order));
            }
            areas.push_back(std::move(*area));
        }
        std::vector<int> images = plans::Written(order);
        std::vector<PixelAreaBytes> carried = plans::Carry(order, areas);
        Written written;
        for (std::size_t i = 0; i < images.size(); ++i) {
            if (!WritePixelArea(target, images[i], carried[i])) {
                written.failed.push_back(images[i]);
            }
        }
        return written;
    });
}

void CBreltDlg::CopyToTarget(const std::vector<int>& images, CWnd* owner) {
    if (!TargetPane().IsOpen()) {
        Alert("Obriu primer una col·lecció de destí, amb el seu \"Buscar...\".",
              MB_ICONEXCLAMATION);
        return;
    }
    plans::CopyPlan plan = plans::CopyInto(static_cast<int>(images.size()), TargetPane().Current(),
                                           TargetPane().Count());
    CQuestionDlg confirm("Es substituiran les imatges " + std::to_string(plan.images.front()) +
                             " a " + std::to_string(plan.images.back()) + ". Voleu continuar?",
                         owner);
    if (confirm.DoModal() != IDOK) {
        return;
    }
    std::vector<PixelAreaBytes> areas;
    for (std::size_t i = 0; i < plan.images.size(); ++i) {
        std::optional<PixelAreaBytes> area = ReadPixelArea(SourcePane().Stream(), images[i]);
        if (!area) {
            Alert("No s'ha pogut llegir la imatge " + std::to_string(images[i]) +
                  " de la col·lecció d'origen. No s'ha canviat res.");
            return;
        }
        areas.push_back(std::move(*area));
    }
    EditOutcome outcome =
        EditCollection("Copia a la destinació", plan.images, [&](std::FILE*& target) {
            Written written;
            for (std::size_t i = 0; i < areas.size(); ++i) {
                if (!WritePixelArea(target, plan.images[i], areas[i])) {
                    written.failed.push_back(plan.images[i]);
                }
            }
            return written;
        });
    if (outcome.kind == EditOutcome::Kind::Done && plan.leftOut > 0) {
        Alert(std::to_string(plan.leftOut) +
                  (plan.leftOut == 1 ? " imatge no hi cabia" : " imatges no hi cabien") +
                  ", després de l'última de la col·lecció de destí.",
              MB_ICONEXCLAMATION);
    }
}
