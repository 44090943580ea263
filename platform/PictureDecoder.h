#pragma once

#include "picture/Picture.h"

#include <optional>
#include <string>

// Decodes a picture file (path in UTF-8) with the system's own codecs, Windows Imaging
// Component: PNG, JPEG, GIF, TIFF, BMP and whatever else the user has installed. Gives frame 0
// as straight blue-green-red-alpha pixels, turned upright as a JPEG's EXIF orientation says; a
// picture above 50 megapixels is first reduced to 4096 pixels on its long side by the codec's
// own scaler. Nothing when the file can't be decoded or is absurdly large. COM must be
// initialised on the calling thread.
std::optional<picture::Picture> DecodePicture(const std::string& path);
