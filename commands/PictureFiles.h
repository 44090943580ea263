#pragma once

#include "platform/PictureDecoder.h"

#include <string>

// The file dialogs' filter for pictures: every kind the system decodes, then any file.
inline constexpr const char* kPictureFilter =
    "Imatges (*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.tif;*.tiff)|"
    "*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.tif;*.tiff|Tots els fitxers (*.*)|*.*||";

// Why a picture named name could not be taken: a bitmap keeps the refusal of old, whatever its
// trouble; another picture is too big, or damaged, or no picture at all.
std::string UnreadablePictureMessage(const std::string& name, const DecodedPicture& decoded);
