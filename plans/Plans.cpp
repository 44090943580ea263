#include "plans/Plans.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

namespace plans {

namespace {

// The selection made valid: images of the collection, each once, in increasing order.
std::vector<int> Cleaned(std::vector<int> selected, int count) {
    std::erase_if(selected, [count](int image) { return image < 1 || image > count; });
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    return selected;
}

bool IsWhite(const PixelAreaBytes& area) {
    for (std::size_t i = 0; i + 1 < area.size(); i += 2) {
        if ((area[i] & 0x7F) != 0x7F || area[i + 1] != 0xFF) { // bit 15 shows nothing
            return false;
        }
    }
    return area.size() >= 2;
}

// Areas ordered by their bytes (GCC 12 warns wrongly about the vectors' own operator<).
struct AreaOrder {
    bool operator()(const PixelAreaBytes& a, const PixelAreaBytes& b) const {
        if (a.size() != b.size()) {
            return a.size() < b.size();
        }
        return !a.empty() && std::memcmp(a.data(), b.data(), a.size()) < 0;
    }
};

} // namespace

Order Unchanged(int count) {
    Order order(static_cast<std::size_t>(std::max(0, count)));
    for (int i = 0; i < count; ++i) {
        order[static_cast<std::size_t>(i)] = i + 1;
    }
    return order;
}

Order MoveBefore(std::vector<int> selected, int before, int count) {
    selected = Cleaned(std::move(selected), count);
    std::set<int> moving(selected.begin(), selected.end());
    Order order;
    before = std::clamp(before, 1, count + 1);
    for (int image = 1; image <= count + 1; ++image) {
        if (image == before) {
            order.insert(order.end(), selected.begin(), selected.end());
        }
        if (image <= count && !moving.contains(image)) {
            order.push_back(image);
        }
    }
    return order;
}

Order Remove(std::vector<int> selected, int count) {
    selected = Cleaned(std::move(selected), count);
    std::set<int> removed(selected.begin(), selected.end());
    Order order;
    for (int image = 1; image <= count; ++image) {
        if (!removed.contains(image)) {
            order.push_back(image);
        }
    }
    order.resize(static_cast<std::size_t>(std::max(0, count)), 0);
    return order;
}

Order InsertWhite(int at, int count) {
    Order order = Unchanged(count);
    if (at < 1 || at > count) {
        return order;
    }
    order.insert(order.begin() + (at - 1), 0);
    order.pop_back();
    return order;
}

Order Swap(int a, int b, int count) {
    Order order = Unchanged(count);
    if (a >= 1 && b >= 1 && a <= count && b <= count) {
        std::swap(order[static_cast<std::size_t>(a - 1)], order[static_cast<std::size_t>(b - 1)]);
    }
    return order;
}

std::vector<int> Written(const Order& order) {
    std::vector<int> images;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i] != static_cast<int>(i) + 1) {
            images.push_back(static_cast<int>(i) + 1);
        }
    }
    return images;
}

std::vector<int> Lost(const Order& order) {
    std::set<int> kept(order.begin(), order.end());
    std::vector<int> lost;
    for (int image = 1; image <= static_cast<int>(order.size()); ++image) {
        if (!kept.contains(image)) {
            lost.push_back(image);
        }
    }
    return lost;
}

CopyPlan CopyInto(int n, int first, int count) {
    CopyPlan plan;
    for (int i = 0; i < n; ++i) {
        if (first + i >= 1 && first + i <= count) {
            plan.images.push_back(first + i);
        } else {
            ++plan.leftOut;
        }
    }
    return plan;
}

std::vector<PixelAreaBytes> Carry(const Order& order, const std::vector<PixelAreaBytes>& areas) {
    std::vector<PixelAreaBytes> carried;
    for (int image : Written(order)) {
        int from = order[static_cast<std::size_t>(image - 1)];
        carried.push_back(from >= 1 && from <= static_cast<int>(areas.size())
                              ? areas[static_cast<std::size_t>(from - 1)]
                              : WhiteArea());
    }
    return carried;
}

Marks MarkStamps(const std::vector<PixelAreaBytes>& areas) {
    Marks marks;
    marks.blank.resize(areas.size());
    marks.repeatGroup.assign(areas.size(), 0);
    std::map<PixelAreaBytes, std::vector<int>, AreaOrder> same; // compared as bytes, exactly
    for (std::size_t i = 0; i < areas.size(); ++i) {
        marks.blank[i] = IsWhite(areas[i]);
        marks.blanks += marks.blank[i] ? 1 : 0;
        if (!marks.blank[i]) {
            same[areas[i]].push_back(static_cast<int>(i) + 1);
        }
    }
    std::vector<std::vector<int>> groups;
    for (auto& [area, images] : same) {
        if (images.size() > 1) {
            groups.push_back(images);
        }
    }
    // Numbered by their first image.
    std::sort(groups.begin(), groups.end(),
              [](const std::vector<int>& a, const std::vector<int>& b) { return a[0] < b[0]; });
    for (std::size_t g = 0; g < groups.size(); ++g) {
        for (std::size_t k = 0; k < groups[g].size(); ++k) {
            marks.repeatGroup[static_cast<std::size_t>(groups[g][k] - 1)] = static_cast<int>(g) + 1;
            if (k > 0) {
                marks.laterRepeats.push_back(groups[g][k]);
            }
        }
    }
    std::sort(marks.laterRepeats.begin(), marks.laterRepeats.end());
    marks.repeats = static_cast<int>(marks.laterRepeats.size());
    return marks;
}

PixelAreaBytes WhiteArea() {
    PixelAreaBytes area;
    for (int i = 0; i < 1024; ++i) {
        area.push_back(0x7F);
        area.push_back(0xFF);
    }
    return area;
}

} // namespace plans
