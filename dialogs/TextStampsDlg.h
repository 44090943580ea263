#pragma once

#include "dialogs/ColourSwatches.h"
#include "dialogs/TextChoices.h"
#include "editor/Stamp.h"
#include "platform/Afx.h"
#include "platform/FontDrawing.h"
#include "text/TextStamps.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// "Crea segells de text": text in any installed font as one stamp, or a stamp for each of its
// characters in consecutive images, shown as it will be stored.
class CTextStampsDlg : public CDialog {
public:
    // For the images from first on, of a collection of count.
    CTextStampsDlg(TextChoices& choices, int first, int count, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    // After "D'acord", the stamps to write, from the first image on.
    const std::vector<editor::Stamp>& GetStamps() const { return m_stamps; }

    CPicture m_picPreview4, m_picPreview1, m_picSeries;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnChoiceChanged();
    void OnQuickChoice(UINT id);

    DECLARE_MESSAGE_MAP()

private:
    void LayOut(int dpi);
    void SetUpColours();
    void ReadChoices();
    // The stamps for the choices, then shown with what they will replace.
    void Update();
    const text::Drawing& DrawingOf(const std::wstring& item);
    void ShowStamps();
    void ShowSummary(const std::wstring& missing);

    TextChoices& m_choices;
    int m_first, m_count;
    std::vector<editor::Stamp> m_stamps;
    bool m_ready = false; // the controls say the choices: changes before that are the dialog's
    // Drawings made for the font they were made with: typing draws only the new character.
    FontChoice m_drawnWith;
    std::map<std::wstring, text::Drawing> m_drawings;
    CColourSwatches m_ink, m_background, m_outline;
    int m_zoom = 4;
    int m_seriesWidth = 0; // the row's room, in pixels
};
