#pragma once

#include "dialogs/EffectDlgs.h"
#include "dialogs/TextChoices.h"
#include "editor/Selection.h"

#include <map>

// The editor's "Text": a small box beside the canvas where the text is typed, shown on the stamp
// where it was clicked as it is typed, in the primary colour and the font "Crea segells de text"
// last used. "D'acord" gives it as a piece, to be moved before it is set down.
class CTextToolDlg : public CEffectDlg {
public:
    // The least and most height of the capitals, in pixels.
    static constexpr int kLeastSize = 4;
    static constexpr int kMostSize = 32;

    CTextToolDlg(const editor::Stamp& stamp, editor::Point at, editor::Colour colour,
                 TextChoices& choices, ShowPreview show, CWnd* parent);
    BOOL OnInitDialog() override;

    // The letters, clear round them; none while nothing can be written.
    const editor::Piece& Letters() const { return m_letters; }

protected:
    void Apply(editor::Stamp& stamp) const override;
    void OnChanged();
    DECLARE_MESSAGE_MAP()

private:
    void ReadChoices();
    // The letters for the choices; what stops them said.
    void Letter();
    std::wstring Summary(const std::wstring& missing) const;
    // The em for capitals of size pixels, in the font: measured once a size.
    int EmFor(int size);

    editor::Point m_at;
    editor::Colour m_colour;
    TextChoices& m_choices;
    editor::Piece m_letters;
    std::map<int, int> m_ems;
    bool m_ready = false; // the controls say the choices
};
