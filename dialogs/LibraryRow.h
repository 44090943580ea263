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
