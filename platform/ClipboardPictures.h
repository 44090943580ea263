#pragma once

#include "picture/Picture.h"
#include "platform/Clipboard.h"

#include <cstdint>
#include <optional>
#include <vector>

// Pictures on the system's clipboard, as other programs put and take them.

// The picture the clipboard holds, in the order that loses least: "PNG" (it keeps
// transparency), CF_DIBV5, CF_DIB. unreadable is set when there was one that could not be read.
std::optional<picture::Picture> ClipboardPicture(const CClipboard& clipboard, bool& unreadable);

// The same, the clipboard opened for owner and closed again before it returns: other programs
// may want it while a message about it shows.
std::optional<picture::Picture> PictureOnClipboard(HWND owner, bool& unreadable);

// Pixels (blue, green, red, top row first) put on the clipboard as a 24-bit CF_DIB and as "PNG";
// false when the clipboard would not take them.
bool PutPicture(HWND owner, const std::vector<std::uint8_t>& bgr, int width, int height);
