#pragma once

// Everything the program uses of our dialog framework over Win32.
#include "platform/Bitmap.h"
#include "platform/Clipboard.h"
#include "platform/ColourDialog.h"
#include "platform/Dialog.h"
#include "platform/FileDialog.h"
#include "platform/FolderDialog.h"
#include "platform/Gdi.h"
#include "platform/MessageMap.h"
#include "platform/Offscreen.h"
#include "platform/Picture.h"
#include "platform/PictureDecoder.h"
#include "platform/PngEncoder.h"
#include "platform/Text.h"
#include "platform/ToolTips.h"
#include "platform/WinApp.h"
#include "platform/Wnd.h"
