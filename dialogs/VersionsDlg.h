#pragma once

#include "platform/Afx.h"

#include <string>
#include <vector>

// "Versions anteriors": the earlier states of a collection that brelt can bring back, newest
// first, one a line ("9/12/2026 14:30 · Abans de «Importa imatges» (10 imatges)"); "Compara i
// recupera..." (or a double click) chooses one.
class CVersionsDlg : public CDialog {
public:
    CVersionsDlg(std::string collection, std::vector<std::string> versions, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;
    // The line chosen, after IDOK.
    int GetChosen() const { return m_chosen; }
    const std::vector<std::string>& Versions() const { return m_versions; }

protected:
    DECLARE_MESSAGE_MAP()

private:
    std::string m_collection;
    std::vector<std::string> m_versions;
    int m_chosen = -1;
};
