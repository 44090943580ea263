#include "platform/HighContrast.h"

#include <windows.h>

bool HighContrastOn() {
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof setting;
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) != FALSE &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool TellsColoursChanged(unsigned message, unsigned long long wParam) {
    return message == WM_SYSCOLORCHANGE ||
           (message == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST);
}
