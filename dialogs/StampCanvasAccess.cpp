#include "dialogs/StampCanvas.h"

#include "colournames/ColourNames.h"
#include "platform/Text.h"

// The canvas to a screen reader: the pixel under the keyboard's cursor as the canvas's value,
// "Columna 5, fila 7: vermell", counted from 1 as the grid is counted; its numbers described.
class CStampCanvas::Parts : public CAccessibleParts {
public:
    explicit Parts(const CStampCanvas& canvas) : m_canvas(canvas) {}

    std::wstring Name(int) const override { return L"Llenç del segell"; }
    long Role(int) const override { return ROLE_SYSTEM_GRAPHIC; }
    std::wstring Value(int) const override { return m_canvas.CursorWords(); }
    std::wstring Description(int) const override {
        return Widen(colournames::NumbersOf(m_canvas.m_stamp.ColourAt(m_canvas.m_cursor)));
    }
    RECT Location(int) const override {
        RECT client{};
        ::GetClientRect(m_canvas.m_hWnd, &client);
        return client;
    }
    int ChildAt(POINT) const override { return 0; }

private:
    const CStampCanvas& m_canvas;
};

std::wstring CStampCanvas::CursorWords() const {
    return L"Columna " + std::to_wstring(m_cursor.x + 1) + L", fila " +
           std::to_wstring(m_cursor.y + 1) + L": " +
           Widen(colournames::NameOf(m_stamp.ColourAt(m_cursor)));
}

std::unique_ptr<CAccessibleParts> CStampCanvas::MakeAccessibleParts() const {
    return std::make_unique<Parts>(*this);
}

// A screen reader is told when what the canvas says of its cursor changes: a move, or paint.
void CStampCanvas::TellIfCursorChanged() {
    const std::wstring words = CursorWords();
    if (words != m_saidOfCursor) {
        m_saidOfCursor = words;
        NotifyAccessible(EVENT_OBJECT_VALUECHANGE, m_hWnd, CHILDID_SELF);
    }
}
