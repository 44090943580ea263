#pragma once

#include "platform/Afx.h"

// The About box, from the system menu.
class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};
