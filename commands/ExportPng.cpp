#include "app/ImageCells.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/PathNames.h"
#include "collection/PixelAreas.h"
#include "dialogs/QuestionDlg.h"
#include "messages/EditMessages.h"
#include "platform/FilePaths.h"
#include "platform/Gdi.h"
#include "sheet/Sheet.h"

#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

// The numbers under the sheet's stamps.
LOGFONTW SheetNumberFont() {
    LOGFONTW font{};
    font.lfHeight = -20;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = ANTIALIASED_QUALITY;
    wcscpy_s(font.lfFaceName, L"Arial");
    return font;
}

std::string Numbered(const std::string& stem, int image) {
    char number[8];
    std::snprintf(number, sizeof number, "%03d", image);
    return stem + "-" + number + ".png";
}

bool Exists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::u8path(path), ignored);
}

// The sheet's pixels, blue-green-red, top row first, in the layout the sheet import recognises;
// width and height set.
std::vector<std::uint8_t> DrawSheet(std::FILE* collection, int count, int& width, int& height) {
    const sheet::Layout layout =
        sheet::BreltSheetLayout((count + sheet::kBreltColumns - 1) / sheet::kBreltColumns);
    width = layout.columns * layout.cellWidth;
    height = layout.rows * layout.cellHeight;
    CBitmap sheet = CBitmap::FromPixels(nullptr, width, height);
    {
        CMemoryDC dc;
        CSelectObject drawnOn(dc.GetSafeHdc(), sheet.GetSafeHandle());
        CFont numbers(SheetNumberFont());
        CSelectObject numbered(dc.GetSafeHdc(), numbers.GetSafeHandle());
        RECT all{0, 0, width, height};
        ::FillRect(dc.GetSafeHdc(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        for (int image = 1; image <= count; ++image) {
            const sheet::Rect cell = sheet::CellRect(layout, image - 1);
            DrawImageCell(dc.GetSafeHdc(),
                          {cell.x, cell.y, cell.x + cell.width, cell.y + cell.height},
                          ShownPixels(ReadPixelArea(collection, image)), sheet::kBreltZoom, image);
        }
    } // the bitmap is taken out of the DC before its bits are read
    return sheet.Pixels(width, height);
}

// Whether the files may be written: none of them there yet, or the user says so, once for all.
bool MayReplace(const std::vector<std::string>& paths, const std::string& folder, CWnd* owner) {
    if (std::none_of(paths.begin(), paths.end(), Exists)) {
        return true;
    }
    CQuestionDlg replace(
        "Alguns d'aquests fitxers ja existeixen a " + folder + ". Voleu substituir-los?", owner);
    return replace.DoModal() == IDOK;
}

// Each image into its path, and the sheet into the last when withSheet; how many failed.
int WritePngs(const CCollectionPane& pane, const std::vector<int>& images,
              const std::vector<std::string>& paths, bool withSheet) {
    CWaitCursor wait;
    int failed = 0;
    for (std::size_t i = 0; i < images.size(); ++i) {
        std::optional<PixelAreaBytes> area = ReadPixelArea(pane.Stream(), images[i]);
        failed += area && SavePng(paths[i], ShownPixels(*area).data(), 32, 32) ? 0 : 1;
    }
    if (withSheet) {
        int width = 0, height = 0;
        std::vector<std::uint8_t> sheet = DrawSheet(pane.Stream(), pane.Count(), width, height);
        failed += SavePng(paths.back(), sheet.data(), width, height) ? 0 : 1;
    }
    return failed;
}

// What was saved where, naming the files as a person would look for them.
std::string ExportReport(const std::vector<int>& images, const std::string& stem, bool withSheet,
                         const std::string& folder) {
    if (images.size() == 1) {
        return "S'ha desat la imatge " + std::to_string(images[0]) + " com a " +
               Numbered(stem, images[0]) + " a la carpeta " + folder + ".";
    }
    const bool inARow = images.back() - images.front() + 1 == static_cast<int>(images.size());
    if (!inARow) {
        return "S'han desat les imatges " + ImageList(images) + " a la carpeta " + folder +
               ", cadascuna amb el seu número al nom, com ara " + Numbered(stem, images.front()) +
               ".";
    }
    std::string written = "les " + std::to_string(images.size()) + " imatges, de " +
                          Numbered(stem, images.front()) + " a " + Numbered(stem, images.back());
    return "S'han desat " + written +
           (withSheet ? ", i el full " + stem + "-full.png a la carpeta " : ", a la carpeta ") +
           folder + ".";
}

} // namespace

std::string CBreltDlg::PngFolder() const {
    return m_pngFolder.empty() ? PicturesFolder() : m_pngFolder;
}

void CBreltDlg::OnSaveImagePng() {
    const CCollectionPane& pane = ActivePane();
    if (pane.Stream() == nullptr) {
        return;
    }
    std::string collection = pane.Path();
    std::string name = Numbered(StemOf(collection), pane.Current());
    CFileDialog dialog(FALSE, "png", name.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "Imatges PNG (*.png)|*.png||", nullptr);
    dialog.SetTitle("Desa la imatge com a PNG");
    dialog.SetInitialFolder(PngFolder());
    if (dialog.DoModal() != IDOK) {
        return;
    }
    std::string path = dialog.GetPathName();
    m_pngFolder = FolderOf(path);
    std::optional<PixelAreaBytes> area = ReadPixelArea(pane.Stream(), pane.Current());
    if (!area || !SavePng(path, ShownPixels(*area).data(), 32, 32)) {
        Alert("No s'ha pogut desar la imatge a " + path + ".");
        return;
    }
    Inform("S'ha desat la imatge " + std::to_string(pane.Current()) + " com a " + FileNameOf(path) +
           " a la carpeta " + m_pngFolder + ".");
}

void CBreltDlg::OnExportCollectionPng() {
    const CCollectionPane& pane = ActivePane();
    std::vector<int> all;
    for (int image = 1; image <= pane.Count(); ++image) {
        all.push_back(image);
    }
    ExportImagesPng(pane, all, true, "Exporta la col·lecció en PNG", nullptr);
}

void CBreltDlg::ExportImagesPng(const CCollectionPane& pane, const std::vector<int>& images,
                                bool withSheet, const std::string& title, CWnd* owner) {
    if (pane.Stream() == nullptr || images.empty()) {
        return;
    }
    std::string folder = ChooseFolder(title, PngFolder());
    if (folder.empty()) {
        return;
    }
    m_pngFolder = folder;
    const std::string stem = StemOf(pane.Path());
    const std::string base = folder + (folder.back() == '\\' ? "" : "\\");
    std::vector<std::string> paths;
    for (int image : images) {
        paths.push_back(base + Numbered(stem, image));
    }
    if (withSheet) {
        paths.push_back(base + stem + "-full.png");
    }
    if (!MayReplace(paths, folder, owner)) {
        return;
    }
    const int failed = WritePngs(pane, images, paths, withSheet);
    if (failed > 0) {
        Alert("No s'han pogut desar " + std::to_string(failed) + " dels " +
              std::to_string(paths.size()) + " fitxers a " + folder + ".");
        return;
    }
    Inform(ExportReport(images, stem, withSheet, folder));
}
