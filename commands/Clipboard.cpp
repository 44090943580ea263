#include "app/DisplayFiles.h"
#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/BitmapExport.h"
#include "collection/CollectionFormat.h"
#include "collection/PixelAreas.h"
#include "dialogs/ConvertDlg.h"
#include "picture/StampBitmap.h"
#include "platform/ClipboardPictures.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

void CBreltDlg::OnCopyImage() {
    const CCollectionPane& pane = ActivePane();
    std::optional<PixelAreaBytes> area =
        pane.Stream() != nullptr ? ReadPixelArea(pane.Stream(), pane.Current()) : std::nullopt;
    if (!area) {
        return;
    }
    auto shown = ShownPixels(*area);
    if (!PutPicture(m_hWnd, {shown.begin(), shown.end()}, 32, 32)) {
        Alert("No s'ha pogut posar la imatge al porta-retalls.");
    }
}

void CBreltDlg::OnCopyLoadedImage() {
    if (g_pfImage == nullptr) {
        return;
    }
    // The picture shown beside "Imatge:" is our own 3126-byte copy of the bitmap's pixels.
    std::ifstream copy(std::filesystem::u8path(DisplayFilePath("xzzi.bmp")), std::ios::binary);
    std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(copy)),
                                   std::istreambuf_iterator<char>());
    if (file.size() != static_cast<std::size_t>(bmp::kFileSize)) {
        return;
    }
    std::vector<std::uint8_t> topDown;
    for (int row = 31; row >= 0; --row) {
        auto start = file.begin() + bmp::kHeaderSize + row * bmp::kRowSize;
        topDown.insert(topDown.end(), start, start + bmp::kRowSize);
    }
    if (!PutPicture(m_hWnd, topDown, 32, 32)) {
        Alert("No s'ha pogut posar la imatge al porta-retalls.");
    }
}

void CBreltDlg::OnPasteHere() {
    if (!TargetPane().IsOpen()) {
        return;
    }
    m_activePane = TargetPane().Number(); // what it writes is the target's current image
    std::optional<picture::Picture> picture;
    std::vector<std::string> files;
    bool unreadable = false;
    {
        CClipboard clipboard(m_hWnd);
        picture = ClipboardPicture(clipboard, unreadable);
        if (!picture) {
            files = clipboard.Files();
        }
    } // closed before any dialog: other programs may want it meanwhile
    if (!picture && !files.empty()) {
        // Files copied in the explorer: as if dropped on the current target image.
        RECT slot;
        ::GetWindowRect(TargetPane().CurrentSlotWindow(), &slot);
        POINT centre{(slot.left + slot.right) / 2, (slot.top + slot.bottom) / 2};
        ::ScreenToClient(m_hWnd, &centre);
        TakeFile(files.front(), centre);
        return;
    }
    if (!picture) {
        Alert(unreadable ? "La imatge del porta-retalls no es pot llegir: és malmesa o d'un tipus "
                           "que brelt no coneix."
                         : "El porta-retalls no conté cap imatge.",
              MB_ICONEXCLAMATION);
        return;
    }
    if (std::optional<picture::Stamp> stamp = StampOf(std::move(*picture))) {
        WriteStamp("Enganxa aquí", *stamp);
    }
}

std::optional<picture::Stamp> CBreltDlg::StampOf(picture::Picture picture) {
    if (picture.width == sgc::kImageSide && picture.height == sgc::kImageSide) {
        return picture::ConvertToStamp(picture, {});
    }
    CConvertDlg convert(std::move(picture), m_conversionChoices);
    if (convert.DoModal() != IDOK) {
        return std::nullopt;
    }
    return convert.GetStamp();
}

void CBreltDlg::WriteStamp(const std::string& what, const picture::Stamp& stamp) {
    const int image = TargetPane().Current();
    PixelAreaBytes area = picture::StampPixelArea(stamp);
    EditCollection(what, {image}, [&](std::FILE*& target) {
        return Written::AllOr(WritePixelArea(target, image, area), {image});
    });
}
