#pragma once

#include "picture/StampConversion.h"
#include "platform/Accessible.h"
#include "platform/CustomControl.h"
#include "platform/Offscreen.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The original of the conversion dialog, a control of the window class "BreltCropView": the
// picture fitted whole into the control and, in "Retalla", the square the stamp keeps, the rest
// dimmed. The user drags the square with the mouse, or moves it a stamp pixel at a time with the
// arrow keys; where it goes is its owner's to decide.
class CCropView : public CCustomControl {
public:
    // The top left corner the user moved the square to, in the picture's pixels.
    using MoveHandler = std::function<void(double left, double top)>;

    static void RegisterWindowClass();

    // Takes over the control and shows picture fitted into it.
    void Attach(HWND control, const picture::Picture& picture, MoveHandler moved);

    // The square to show, none in "Encaixa".
    void ShowKept(std::optional<picture::Region> square);
    // The point of the control's client area that shows the picture's point (x, y).
    POINT ViewPointOf(double x, double y) const;

private:
    // What a screen reader is told (CropViewAccess.cpp).
    class Parts;
    std::wstring KeptWords() const;
    std::unique_ptr<CAccessibleParts> MakeAccessibleParts() const override;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Draw(HDC dc) const override { m_surface.CopyTo(dc); }
    void OnColoursChanged() override { Render(); }
    void OnPress(POINT at);
    void OnDrag(POINT at);
    void OnKey(UINT key);
    RECT KeptRect() const;
    void Render();

    MoveHandler m_moved;
    COffscreen m_surface;
    std::vector<std::uint8_t> m_fitted; // the picture over white, side x side, blue-green-red
    int m_side = 0;
    picture::Placement m_placement;
    int m_pictureWidth = 0, m_pictureHeight = 0;
    std::optional<picture::Region> m_kept;
    std::optional<POINT> m_grab; // while dragging: where in the square the mouse holds it
};
