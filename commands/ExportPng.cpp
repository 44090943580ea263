#include "app/ImageCells.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/Panes.h"
#include "collection/PixelAreas.h"
#include "dialogs/QuestionDlg.h"
#include "platform/FilePaths.h"

#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

// The sheet: 14 columns of images at four times their size, each with its number under it.
constexpr int kSheetColumns = 14, kSheetZoom = 4;
constexpr int kSheetCellWidth = 32 * kSheetZoom + 8, kSheetCellHeight = 32 * kSheetZoom + 32;

std::string Numbered(const std::string& stem, int image) {
    char number[8];
    std::snprintf(number, sizeof number, "%03d", image);
    return stem + "-" + number + ".png";
}

// The file name of a path without its extension, and the folder that holds it (UTF-8).
std::string StemOf(const std::string& path) {
    std::string name = path.substr(path.find_last_of("\\/") + 1);
    return name.substr(0, name.rfind('.'));
}
std::string FolderOf(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool Exists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::u8path(path), ignored);
}

// The sheet's pixels, blue-green-red, top row first; width and height set.
std::vector<std::uint8_t> DrawSheet(std::FILE* collection, int count, int& width, int& height) {
    width = kSheetColumns * kSheetCellWidth;
    height = (count + kSheetColumns - 1) / kSheetColumns * kSheetCellHeight;
    CBitmap sheet = CBitmap::FromPixels(nullptr, width, height);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previousBitmap = ::SelectObject(dc, sheet.GetSafeHandle());
    HFONT font = ::CreateFontW(-20, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                               ANTIALIASED_QUALITY, 0, L"Arial");
    HGDIOBJ previousFont = ::SelectObject(dc, font);
    RECT all{0, 0, width, height};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    for (int image = 1; image <= count; ++image) {
        int column = (image - 1) % kSheetColumns, row = (image - 1) / kSheetColumns;
        RECT cell{column * kSheetCellWidth, row * kSheetCellHeight, (column + 1) * kSheetCellWidth,
                  (row + 1) * kSheetCellHeight};
        DrawImageCell(dc, cell, ShownPixels(ReadPixelArea(collection, image)), kSheetZoom, image);
    }
    ::SelectObject(dc, previousFont);
    ::DeleteObject(font);
    ::SelectObject(dc, previousBitmap);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(width) * height * 3); // rows of 4n
    ::GetDIBits(dc, sheet.GetSafeHandle(), 0, static_cast<UINT>(height), bgr.data(), &info,
                DIB_RGB_COLORS);
    ::DeleteDC(dc);
    return bgr;
}

} // namespace

std::string CBreltDlg::CollectionPath(const Pane& pane) const {
    return pane.number == SourcePane().number ? m_sourcePath : g_strTargetPath;
}

std::string CBreltDlg::PngFolder() const {
    return m_pngFolder.empty() ? PicturesFolder() : m_pngFolder;
}

void CBreltDlg::OnSaveImagePng() {
    const Pane& pane = ActivePane();
    if (pane.stream == nullptr) {
        return;
    }
    std::string collection = CollectionPath(pane);
    std::string name = Numbered(StemOf(collection), pane.current);
    CFileDialog dialog(FALSE, "png", name.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "Imatges PNG (*.png)|*.png||", nullptr);
    dialog.SetTitle("Desa la imatge com a PNG");
    dialog.SetInitialFolder(PngFolder());
    if (dialog.DoModal() != IDOK) {
        return;
    }
    std::string path = dialog.GetPathName();
    m_pngFolder = FolderOf(path);
    std::optional<PixelAreaBytes> area = ReadPixelArea(pane.stream, pane.current);
    if (!area || !SavePng(path, ShownPixels(*area).data(), 32, 32)) {
        Alert("No s'ha pogut desar la imatge a " + path + ".");
        return;
    }
    Inform("S'ha desat la imatge " + std::to_string(pane.current) + " com a " +
           path.substr(path.find_last_of("\\/") + 1) + " a la carpeta " + m_pngFolder + ".");
}

void CBreltDlg::OnExportCollectionPng() {
    const Pane& pane = ActivePane();
    if (pane.stream == nullptr) {
        return;
    }
    std::string folder = ChooseFolder("Exporta la col·lecció en PNG", PngFolder());
    if (folder.empty()) {
        return;
    }
    m_pngFolder = folder;
    std::string stem = StemOf(CollectionPath(pane));
    std::string base = folder + (folder.back() == '\\' ? "" : "\\");
    std::vector<std::string> paths;
    for (int image = 1; image <= pane.count; ++image) {
        paths.push_back(base + Numbered(stem, image));
    }
    paths.push_back(base + stem + "-full.png");
    for (const std::string& path : paths) {
        if (Exists(path)) {
            // One question for all of them; "NO" writes nothing.
            CQuestionDlg replace("Alguns d'aquests fitxers ja existeixen a " + folder +
                                 ". Voleu substituir-los?");
            if (replace.DoModal() != IDOK) {
                return;
            }
            break;
        }
    }
    CWaitCursor wait;
    int failed = 0;
    for (int image = 1; image <= pane.count; ++image) {
        std::optional<PixelAreaBytes> area = ReadPixelArea(pane.stream, image);
        failed += area && SavePng(paths[image - 1], ShownPixels(*area).data(), 32, 32) ? 0 : 1;
    }
    int width = 0, height = 0;
    std::vector<std::uint8_t> sheet = DrawSheet(pane.stream, pane.count, width, height);
    failed += SavePng(paths.back(), sheet.data(), width, height) ? 0 : 1;
    if (failed > 0) {
        Alert("No s'han pogut desar " + std::to_string(failed) + " dels " +
              std::to_string(paths.size()) + " fitxers a " + folder + ".");
        return;
    }
    Inform("S'han desat les " + std::to_string(pane.count) + " imatges, de " + Numbered(stem, 1) +
           " a " + Numbered(stem, pane.count) + ", i el full " + stem + "-full.png a la carpeta " +
           folder + ".");
}
