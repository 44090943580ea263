#include "app/ProgramState.h"
#include "app/breltDlg.h"
#include "browser/CollectionPane.h"
#include "collection/PathNames.h"
#include "platform/Shell.h"

#include <algorithm>
#include <cwctype>

namespace {

// Whether point (client coordinates of dialog) lies on control id, give or take a few pixels.
bool IsOn(HWND dialog, int id, POINT point, int margin = 4) {
    RECT rect;
    HWND control = ::GetDlgItem(dialog, id);
    if (control == nullptr || !::GetWindowRect(control, &rect)) {
        return false;
    }
    ::MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    ::InflateRect(&rect, margin, margin);
    return ::PtInRect(&rect, point) != FALSE;
}

} // namespace

void CBreltDlg::OnDropFiles(HDROP drop) {
    const DroppedFile dropped = TakeDrop(drop);
    if (!dropped.path.empty()) {
        TakeFile(dropped.path, dropped.point);
    }
}

void CBreltDlg::TakeFile(const std::string& file, POINT point) {
    std::string name = FileNameOf(file);
    const bool collection = IsCollectionFileName(file);
    CCollectionPane& source = SourcePane();
    CCollectionPane& target = TargetPane();
    int targetSlot = target.SlotAt(point);
    bool onSource = IsOn(m_hWnd, IDC_SOURCE_GROUP, point) || source.SlotAt(point) >= 0;
    bool onTarget = IsOn(m_hWnd, IDC_TARGET_GROUP, point, 0);

    if (collection && (onSource || onTarget)) {
        OpenCollectionFile(onSource ? source : target, file, name);
    } else if (!collection && IsOn(m_hWnd, IDC_IMAGE_PICTURE, point, 12)) {
        LoadImageFile(file, name);
    } else if (!collection && targetSlot >= 0 && TargetPane().IsOpen()) {
        target.SelectSlot(targetSlot);
        ShowFrames();
        if (LoadImageFile(file, name)) {
            OnMoveImageToCollection();
        }
    } else {
        Alert("No es pot deixar anar aquí " + name +
                  ". Deixeu anar una imatge sobre el quadre \"Imatge:\" o sobre una imatge de la "
                  "col·lecció de destí oberta, o un fitxer .sgc sobre una de les col·leccions.",
              MB_ICONEXCLAMATION);
    }
}
