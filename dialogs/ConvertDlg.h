#pragma once

#include "picture/StampConversion.h"
#include "platform/Afx.h"

// "Converteix la imatge en segell": shows a decoded picture beside the stamp it becomes, at four
// times its size and at its own, and lets the user frame it ("Encaixa", "Retalla") and dither
// it ("Tramat"). The preview is the stored stamp pixel for pixel; it is made anew from the
// decoded pixels whenever an option changes.
class CConvertDlg : public CDialog {
public:
    explicit CConvertDlg(picture::Picture picture, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;

    // The stamp as last shown: after "D'acord", the one chosen.
    const picture::Stamp& GetStamp() const { return m_stamp; }

    CPicture m_picOriginal;
    CPicture m_picStampLarge;
    CPicture m_picStamp;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOptionChanged(UINT id);

    DECLARE_MESSAGE_MAP()

private:
    void ShowStamp();

    picture::Picture m_picture;
    picture::StampOptions m_options;
    picture::Stamp m_stamp{};
};
