#pragma once

// The file dialogs' filter for pictures: every kind the system decodes, then any file.
inline constexpr const char* kPictureFilter =
    "Imatges (*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.tif;*.tiff)|"
    "*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.tif;*.tiff|Tots els fitxers (*.*)|*.*||";
