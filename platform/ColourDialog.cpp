#include "platform/ColourDialog.h"

#include "platform/ModalAnswers.h"

#include <commdlg.h>

bool ChooseColour(HWND owner, COLORREF& colour) {
    if (TestModalAnswers().colourDialog) {
        return TestModalAnswers().colourDialog(colour);
    }
    static COLORREF custom[16] = {}; // the chooser's own colours, kept for the session
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner;
    choose.rgbResult = colour;
    choose.lpCustColors = custom;
    choose.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!::ChooseColorW(&choose)) {
        return false;
    }
    colour = choose.rgbResult;
    return true;
}
