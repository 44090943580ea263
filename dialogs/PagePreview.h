#pragma once

#include "editor/Stamp.h"
#include "platform/CustomControl.h"
#include "printing/Paper.h"

#include <memory>
#include <vector>

// A page as it will print: the paper, white, as large as the control holds it, the part the
// printer can't reach shaded, and the page drawn on it by the printer's own drawing.
class CPagePreview : public CCustomControl {
public:
    static void Register();
    void Attach(HWND control) { AttachWindow(control); }
    // What to show; the page and the stamps are kept by the caller. No page: the paper alone.
    void Show(const printing::Paper& paper, const printing::Page* page,
              const std::vector<editor::Stamp>* stamps);

protected:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Draw(HDC dc) const override;
    // To a screen reader a picture of the page, its value what the page says at its top and
    // bottom and how many stamps it holds.
    std::unique_ptr<CAccessibleParts> MakeAccessibleParts() const override;

private:
    class Parts;
    friend class Parts;
    RECT PaperRect() const;

    printing::Paper m_paper;
    const printing::Page* m_page = nullptr;
    const std::vector<editor::Stamp>* m_stamps = nullptr;
};
