#pragma once

#include "library/Shelves.h"

#include <vector>

// Finding a stamp across the library: the same stamp, then near ones, also mirrored or turned;
// and the stamps that more than one collection holds.
namespace library {

struct Place {
    int shelf = 0;
    int image = 0; // 1-based
    auto operator<=>(const Place&) const = default;
};

struct Find {
    Place place;
    Turn turn;          // how the stamp found lies, against the one looked for
    float distance = 0; // 0: the same colours
};

// The threshold the search starts with: a few pixels of the stamp changed, or all of its colours
// shifted a little, still count as near.
inline constexpr float kNearByDefault = 3.0f;

// Every stamp within `threshold` of `stamp` (see Distance), as it is, mirrored or turned; each
// place once, at its nearest way; nearest first, then as it is, turned, mirrored.
std::vector<Find> Search(const std::vector<Shelf>& shelves, const StampColours& stamp,
                         float threshold);

// The stamps found in more than one collection, each with every place it is; stamps of a single
// colour (blank images) aside. Those in the most places first.
std::vector<std::vector<Place>> Repeats(const std::vector<Shelf>& shelves);

} // namespace library
