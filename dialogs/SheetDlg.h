#pragma once

#include "picture/Picture.h"
#include "platform/Afx.h"
#include "sheet/Sheet.h"

#include <vector>

// "Importa un full de segells": a picture shown fitted, its grid of cells drawn over it, the
// grid's numbers to change, the image the cells go into from, and a live line that says which
// images they will replace. brelt's own sheet (a whole collection) comes with its layout filled
// in and goes into the images from the first.
class CSheetDlg : public CDialog {
public:
    CSheetDlg(picture::Picture sheet, int firstImage, int imageCount, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    const picture::Picture& GetSheet() const { return m_sheet; }
    const sheet::Layout& GetLayout() const { return m_layout; }
    // The cells chosen, in order, and whether they are read as brelt's own sheet's.
    const std::vector<int>& GetCells() const { return m_cells; }
    bool IsBreltSheet() const { return m_recognised && m_layout == m_breltLayout; }
    // The image the first cell goes into.
    int GetFirstImage() const { return m_firstImage; }

    CPicture m_picPreview;
    CStatic m_txtSummary;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnFieldChanged(UINT id);
    void OnSkipBlank();
    void OnFirstImageChanged();

    DECLARE_MESSAGE_MAP()

private:
    void ReadFields();
    void ShowLayout();
    void DrawGrid(std::vector<std::uint8_t>& shown) const;
    std::string Summary(bool fits) const;

    picture::Picture m_sheet;
    int m_firstImage, m_imageCount;
    sheet::Layout m_layout, m_breltLayout;
    bool m_recognised = false;
    bool m_skipBlank = false;
    bool m_filling = false; // the fields are being set, not typed
    std::vector<int> m_cells;
    std::vector<std::uint8_t> m_fitted; // the sheet fitted into the preview, once
    int m_side = 0;
};
