#pragma once

#include <cstdio>

// What tells the two collection panes apart: their state in the program-state globals, their
// controls and their display files. Every pane operation takes one of these.
struct Pane {
    int number; // as ShowPane takes it: 1 source, 2 target
    std::FILE*& stream;
    int& count;
    int& current;  // the current image number
    int& selected; // the slot, 0 to 4, that shows the current image
    int slotIds[5];
    const char* displayFiles[5];
    int goToBox;
    int nameLabel;
};

const Pane& SourcePane();
const Pane& TargetPane();
// ShowPane's rule: 1 selects the source pane, any other number the target pane.
const Pane& PaneByNumber(int number);
