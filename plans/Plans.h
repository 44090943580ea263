#pragma once

#include "collection/PixelAreas.h"

#include <vector>

// The plans of the commands that organise a collection: which image goes where, what is lost,
// which images are written. A plan is worked out over image numbers alone, before anything is
// read or written, so that the window only asks, draws and carries it out.
namespace plans {

// What every image of a collection of order.size() images holds after a command: order[n - 1]
// is the image whose pixel area image n then has, or 0 for a white one.
using Order = std::vector<int>;

Order Unchanged(int count);
// The selected images (any order, each once) moved before image `before` (count + 1: to the
// end), keeping their order; the images between move over to make room. Nothing is lost.
Order MoveBefore(std::vector<int> selected, int before, int count);
// The selected images removed: the later ones move up to close the gaps, the images freed at
// the end become white.
Order Remove(std::vector<int> selected, int count);
// A white image put before image at: the later ones move down and the last one is lost.
Order InsertWhite(int at, int count);
Order Swap(int a, int b, int count);

// The images whose pixel area a plan changes, in increasing order.
std::vector<int> Written(const Order& order);
// The images whose pixel area is nowhere after the plan.
std::vector<int> Lost(const Order& order);

// n areas from elsewhere copied into consecutive images from first on: the images written, and
// how many do not fit after the last.
struct CopyPlan {
    std::vector<int> images;
    int leftOut = 0;
};
CopyPlan CopyInto(int n, int first, int count);

// The areas images would hold under order, from the areas they hold now (area(n) for image n):
// one for each image of Written(order), in that order.
std::vector<PixelAreaBytes> Carry(const Order& order, const std::vector<PixelAreaBytes>& areas);

// What the overview marks: stamps entirely white, and stamps whose pixel area is exactly that of
// another (white ones aside), each group of them with a number of its own.
struct Marks {
    std::vector<bool> blank;      // by image - 1
    std::vector<int> repeatGroup; // by image - 1: 0 for none, else 1, 2, ... by first image
    int blanks = 0;
    int repeats = 0;               // the repeats but the first of each group
    std::vector<int> laterRepeats; // those images, in order
};
Marks MarkStamps(const std::vector<PixelAreaBytes>& areas);

// A white pixel area: every pixel 7F FF.
PixelAreaBytes WhiteArea();

} // namespace plans
