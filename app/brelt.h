#pragma once

#include "platform/Afx.h"

// The application object: shows the main dialog and ends when it closes.
class CBreltApp : public CWinApp {
public:
    CBreltApp();

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

extern CBreltApp theApp;
