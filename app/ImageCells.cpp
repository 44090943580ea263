#include "app/ImageCells.h"

#include "platform/Bitmap.h"
#include "platform/Gdi.h"
#include "sheet/Sheet.h"

#include <string>

void DrawImageCell(HDC dc, const RECT& cell, const std::array<std::uint8_t, 3072>& shown, int zoom,
                   int number, COLORREF background) {
    ::SetBkColor(dc, background);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &cell, nullptr, 0, nullptr);
    CBitmap picture = CBitmap::FromPixels(shown.data(), 32, 32, zoom);
    {
        CMemoryDC pictureDC(dc);
        CSelectObject shown(pictureDC.GetSafeHdc(), picture.GetSafeHandle());
        ::BitBlt(dc, cell.left + sheet::kBreltInset, cell.top + sheet::kBreltInset, 32 * zoom,
                 32 * zoom, pictureDC.GetSafeHdc(), 0, 0, SRCCOPY);
    }
    RECT label{cell.left, cell.top + 32 * zoom + 4, cell.right, cell.bottom};
    std::wstring text = std::to_wstring(number);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::DrawTextW(dc, text.c_str(), -1, &label, DT_CENTER | DT_TOP | DT_SINGLELINE);
}
