#pragma once

#include "dialogs/ConversionChoices.h"
#include "dialogs/CropView.h"
#include "picture/StampConversion.h"
#include "platform/Afx.h"

#include <array>
#include <optional>

// "Converteix la imatge en segell": shows a decoded picture beside the stamp it becomes, at four
// times its size and at its own, and lets the user frame it ("Encaixa", "Retalla", the square
// kept placed by dragging it), trim its margins ("Retalla els marges"), dither it ("Tramat") and
// give it a dark edge ("Contorn fosc"). The preview is the stored stamp pixel for pixel.
class CConvertDlg : public CDialog {
public:
    CConvertDlg(picture::Picture picture, ConversionChoices& choices, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    // The stamp as last shown: after "D'acord", the one chosen.
    const picture::Stamp& GetStamp() const { return m_stamp; }

    CPicture m_picStampLarge;
    CPicture m_picStamp;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnDpiChanged(int dpi) override;
    void OnOptionChanged(UINT id);

    DECLARE_MESSAGE_MAP()

private:
    // Sizes the original and the stamps for what they show at dpi, moving what lies beside them.
    void LayOut(int dpi);
    void OnCropMoved(double left, double top);
    // The framed stamp for the options, made once for each framing and place: an option that
    // only changes the colours ("Tramat") reuses it.
    const picture::FramedStamp& Framed();
    void ShowStamp();

    picture::Picture m_picture;
    ConversionChoices& m_choices;
    picture::StampOptions m_options;
    bool m_trimChosen = false;
    bool m_darkOutline = false;
    CCropView m_cropView;
    struct FramedFor {
        picture::StampOptions options;
        picture::FramedStamp framed;
    };
    std::array<std::optional<FramedFor>, 2> m_framed; // "Encaixa", "Retalla"
    picture::Stamp m_stamp{};
    int m_largeZoom = 4, m_smallZoom = 1;
};
