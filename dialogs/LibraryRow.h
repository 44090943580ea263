#pragma once

#include "library/Search.h"

#include <string>
#include <vector>

// A row of the library's window: what it says, the stamps it shows (a collection's own, or
// those the row holds), and what opens from it.
struct LibraryRow {
    std::wstring heading;
    const std::vector<library::StampColours>* stamps = nullptr; // a shelf's, when not `own`
    std::vector<library::StampColours> own;
    library::Place place; // image 0: the collection as it opens
    const std::vector<library::StampColours>& Stamps() const { return stamps ? *stamps : own; }
};

// What the library's window was closed to open: a collection, at an image (0: as it opens).
struct LibraryChoice {
    std::string path;
    int image = 0;
    bool asSource = false;
};
