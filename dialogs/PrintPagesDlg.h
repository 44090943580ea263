#pragma once

#include "editor/Stamp.h"
#include "platform/Afx.h"
#include "printing/Paper.h"
#include "printing/Pattern.h"

#include <memory>
#include <string>
#include <vector>

class CPagePreview;

// "Imprimeix": what is printed — a catalogue of the stamps at a chosen size, or the pattern of
// one stamp with squares of a chosen or typed size — on the paper the print dialog chose, with a
// preview of each page drawn as the printer will draw it.
class CPrintPagesDlg : public CDialog {
public:
    struct Request {
        std::vector<editor::Stamp> stamps; // the collection's, image n at n - 1
        std::vector<int> images;           // those the catalogue shows, in order
        int current = 1;                   // the pattern's first image
        std::string name;                  // the collection's file name
        std::wstring printer, paperWords;
        printing::Paper paper;
    };
    CPrintPagesDlg(Request request, CWnd* parent = nullptr);
    ~CPrintPagesDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;
    // The pages chosen, once the dialog has closed with IDOK.
    const std::vector<printing::Page>& Pages() const { return m_pages; }
    const std::vector<editor::Stamp>& Stamps() const { return m_request.stamps; }

protected:
    void OnChoiceChanged();
    void OnSquareChosen();
    void OnSquareTyped();
    void OnPrevious();
    void OnNext();
    DECLARE_MESSAGE_MAP()

private:
    bool Pattern() const;
    // The pages for the choices, or why there are none.
    std::vector<printing::Page> LayOut(std::string& problem) const;
    int PatternImage() const;
    void ShowPage(int page);

    Request m_request;
    std::vector<printing::Page> m_pages;
    int m_page = 0;
    printing::Tenths m_square = printing::kBeadSquare;
    std::unique_ptr<CPagePreview> m_preview;
};
