#include "app/DrawingColours.h"

#include "platform/HighContrast.h"

DrawingColours CurrentDrawingColours() {
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    if (HighContrastOn()) {
        const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
        // The hot-track colour stands apart from both the text and the selection in the
        // high-contrast schemes Windows ships: it marks what is current.
        const COLORREF hot = ::GetSysColor(COLOR_HOTLIGHT);
        return {.background = ::GetSysColor(COLOR_WINDOW),
                .text = text,
                .selection = highlight,
                .selectionText = ::GetSysColor(COLOR_HIGHLIGHTTEXT),
                .selectedFrame = highlight,
                .border = text,
                .current = hot,
                .marked = hot,
                .axes = hot,
                .face = ::GetSysColor(COLOR_BTNFACE),
                .faceText = ::GetSysColor(COLOR_BTNTEXT),
                .highContrast = true};
    }
    return {.background = RGB(255, 255, 255),
            .text = RGB(0, 0, 0),
            .selection = highlight,
            .selectionText = ::GetSysColor(COLOR_HIGHLIGHTTEXT),
            .selectedFrame = RGB(0, 90, 200),
            .border = RGB(200, 200, 200),
            .current = RGB(255, 0, 0),
            .marked = RGB(220, 30, 30),
            .axes = RGB(0, 150, 255),
            .face = ::GetSysColor(COLOR_BTNFACE),
            .faceText = RGB(96, 96, 96),
            .highContrast = false};
}
