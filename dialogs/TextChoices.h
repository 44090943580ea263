#pragma once

#include "platform/FontDrawing.h"
#include "text/TextStamps.h"

#include <string>

// What "Crea segells de text" was last set to: the next time it opens, in this session, it
// starts so.
struct TextChoices {
    std::wstring text = L"A";
    FontChoice font;
    text::Colours colours;
    bool smooth = false;
    bool fixedSize = true;
    bool eachCharacter = false;
    // The editor's "Text" tool, in the font above: what it last wrote, and how tall its
    // capitals were, in pixels.
    std::wstring toolText;
    int toolSize = 10;
};
