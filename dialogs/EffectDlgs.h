#pragma once

#include "dialogs/ColourSwatches.h"
#include "editor/ColourAdjust.h"
#include "editor/Effects.h"
#include "editor/Stamp.h"
#include "platform/Afx.h"

#include <functional>

// The stamp editor's effects, each a small dialog beside the canvas: every choice is shown at
// once on the canvas, "D'acord" keeps it and "Cancel·la" takes it back.

// Shows a stamp on the editor's canvas for now; null: the stamp as it is again.
using ShowPreview = std::function<void(const editor::Stamp*)>;

class CEffectDlg : public CDialog {
public:
    CEffectDlg(UINT id, const editor::Stamp& stamp, ShowPreview show, CWnd* parent);
    // The stamp with the effect as it is chosen now; still there once the window has closed.
    editor::Stamp Result() const;

protected:
    // Beside the editor's canvas rather than over it, so that the preview shows.
    void CentreOnMainWindow() override;
    void OnCancel() override;
    // From the choices kept in members, never from the controls, which close before the result
    // is taken.
    virtual void Apply(editor::Stamp& stamp) const = 0;
    // The preview shown again, after a choice changed.
    void Update();

    const editor::Stamp m_stamp;

private:
    ShowPreview m_show;
};

// "Contorn..." and "Ombra...": a line of a colour for the drawing, told from a background.
class CDrawingEffectDlg : public CEffectDlg {
public:
    CDrawingEffectDlg(UINT id, const editor::Stamp& stamp, editor::Colour colour, ShowPreview show,
                      CWnd* parent);
    BOOL OnInitDialog() override;

protected:
    void OnBackgroundChoice(UINT id);
    std::optional<editor::Colour> Background() const;

    editor::Colour m_colour;
    std::optional<editor::Colour> m_background; // the stamp's colour picked; corners when none

    DECLARE_MESSAGE_MAP()

private:
    CColourSwatches m_colours, m_backgrounds;
};

class COutlineDlg : public CDrawingEffectDlg {
public:
    COutlineDlg(const editor::Stamp& stamp, editor::Colour colour, ShowPreview show, CWnd* parent);
    BOOL OnInitDialog() override;

protected:
    void Apply(editor::Stamp& stamp) const override;
    void OnOption(UINT id);
    DECLARE_MESSAGE_MAP()

private:
    editor::OutlineOptions m_options;
};

class CShadowDlg : public CDrawingEffectDlg {
public:
    CShadowDlg(const editor::Stamp& stamp, ShowPreview show, CWnd* parent);
    BOOL OnInitDialog() override;

protected:
    void Apply(editor::Stamp& stamp) const override;
    void OnOption(UINT id);
    DECLARE_MESSAGE_MAP()

private:
    editor::ShadowOptions m_options;
};

// "Ajusta els colors...": the hue turned, lightness and colourfulness, each on a slider.
class CAdjustDlg : public CEffectDlg {
public:
    CAdjustDlg(const editor::Stamp& stamp, ShowPreview show, CWnd* parent);
    BOOL OnInitDialog() override;

protected:
    void Apply(editor::Stamp& stamp) const override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnKeepLightness();
    DECLARE_MESSAGE_MAP()

private:
    void ReadSliders();

    editor::ColourAdjustment m_adjustment;
};
