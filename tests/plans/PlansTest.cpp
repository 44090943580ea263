#include "plans/Plans.h"

#include "../collection/TestFiles.h"

#include <gtest/gtest.h>

using plans::Order;

namespace {

// Carries a plan out on a collection file as the window does: every area it needs read first,
// then every image it names written. Returns the file's bytes.
Bytes Applied(const Bytes& collection, const Order& order) {
    ScratchFile file(collection);
    UniqueFile f = file.Open();
    std::vector<PixelAreaBytes> areas;
    for (int image = 1; image <= static_cast<int>(order.size()); ++image) {
        areas.push_back(*ReadPixelArea(f.get(), image));
    }
    std::vector<int> written = plans::Written(order);
    std::vector<PixelAreaBytes> carried = plans::Carry(order, areas);
    for (std::size_t i = 0; i < written.size(); ++i) {
        EXPECT_TRUE(WritePixelArea(f.get(), written[i], carried[i]));
    }
    f.reset();
    return file.Read();
}

// The collection as the plan says, built independently: image n takes old image order[n - 1].
Bytes Expected(const Bytes& collection, const Order& order) {
    Bytes expected = collection;
    for (std::size_t i = 0; i < order.size(); ++i) {
        SetPixelArea(expected, static_cast<int>(i) + 1,
                     order[i] == 0 ? plans::WhiteArea() : PixelArea(collection, order[i]));
    }
    return expected;
}

} // namespace

TEST(Plans, MovesKeepEveryImageWhereverTheSelectionGoes) {
    // Forwards: 2 and 4 before 7; backwards: 8 and 9 before 3; onto itself: nothing moves.
    EXPECT_EQ(plans::MoveBefore({4, 2}, 7, 8), (Order{1, 3, 5, 6, 2, 4, 7, 8}));
    EXPECT_EQ(plans::MoveBefore({8, 9}, 3, 10), (Order{1, 2, 8, 9, 3, 4, 5, 6, 7, 10}));
    EXPECT_EQ(plans::MoveBefore({3, 4}, 4, 6), plans::Unchanged(6)) << "dropped within itself";
    EXPECT_EQ(plans::MoveBefore({1}, 7, 6), (Order{2, 3, 4, 5, 6, 1})) << "to the end";
    EXPECT_EQ(plans::MoveBefore({2, 2, 99}, 1, 3), (Order{2, 1, 3})) << "a selection cleaned";
    EXPECT_TRUE(plans::Lost(plans::MoveBefore({5, 9, 10}, 2, 12)).empty());
    EXPECT_EQ(plans::Written(plans::MoveBefore({4, 2}, 7, 8)), (std::vector<int>{2, 3, 4, 5, 6}));

    Bytes collection = MakeCollection(260096, 191);
    Order forwards = plans::MoveBefore({10, 11, 12, 60}, 100, 126);
    EXPECT_EQ(Applied(collection, forwards), Expected(collection, forwards))
        << "every byte outside the areas named stays";
}

TEST(Plans, RemovingAndInsertingMoveTheRestAndSayWhatIsLost) {
    EXPECT_EQ(plans::Remove({2, 4}, 6), (Order{1, 3, 5, 6, 0, 0}));
    EXPECT_EQ(plans::Remove({6}, 6), (Order{1, 2, 3, 4, 5, 0})) << "the last one: white";
    EXPECT_EQ(plans::Lost(plans::Remove({2, 4}, 6)), (std::vector<int>{2, 4}));
    EXPECT_EQ(plans::InsertWhite(3, 5), (Order{1, 2, 0, 3, 4}));
    EXPECT_EQ(plans::InsertWhite(5, 5), (Order{1, 2, 3, 4, 0})) << "at the last: it is lost";
    EXPECT_EQ(plans::Lost(plans::InsertWhite(2, 5)), std::vector<int>{5});
    EXPECT_EQ(plans::InsertWhite(9, 5), plans::Unchanged(5));
    EXPECT_EQ(plans::Swap(2, 5, 5), (Order{1, 5, 3, 4, 2}));

    Bytes collection = MakeCollection(202752, 192);
    for (const Order& order :
         {plans::Remove({3, 50, 98}, 98), plans::InsertWhite(98, 98), plans::InsertWhite(1, 98)}) {
        EXPECT_EQ(Applied(collection, order), Expected(collection, order));
    }
}

TEST(Plans, ACopyBeyondTheEndLeavesOutWhatDoesNotFit) {
    plans::CopyPlan plan = plans::CopyInto(5, 96, 98);
    EXPECT_EQ(plan.images, (std::vector<int>{96, 97, 98}));
    EXPECT_EQ(plan.leftOut, 2);
    EXPECT_EQ(plans::CopyInto(3, 1, 98).images, (std::vector<int>{1, 2, 3}));
}

TEST(Plans, BlanksAndRepeatsAreMarkedFromTheAreasThemselves) {
    PixelAreaBytes white = plans::WhiteArea(), highWhite = white, a(2048, 1), b(2048, 2);
    highWhite[0] = 0xFF; // bit 15 set: white all the same on screen
    PixelAreaBytes almost = a;
    almost[2047] = 0; // one byte apart: no repeat
    plans::Marks marks = plans::MarkStamps({a, white, b, a, highWhite, b, almost, a});
    EXPECT_EQ(marks.blank,
              (std::vector<bool>{false, true, false, false, true, false, false, false}));
    EXPECT_EQ(marks.repeatGroup, (std::vector<int>{1, 0, 2, 1, 0, 2, 0, 1}));
    EXPECT_EQ(marks.blanks, 2);
    EXPECT_EQ(marks.repeats, 3);
    EXPECT_EQ(marks.laterRepeats, (std::vector<int>{4, 6, 8}));
}

// Every selection of a small collection dropped before every image, and every one removed: each
// plan a reordering that keeps the images' order within and outside the selection.
TEST(Plans, EverySelectionOfSevenImagesMovesAndGoesAsItShould) {
    constexpr int count = 7;
    for (unsigned mask = 1; mask < (1u << count); ++mask) {
        std::vector<int> selected, others;
        for (int image = 1; image <= count; ++image) {
            (mask & (1u << (image - 1)) ? selected : others).push_back(image);
        }
        for (int before = 1; before <= count + 1; ++before) {
            Order moved = plans::MoveBefore(selected, before, count);
            ASSERT_TRUE(plans::Lost(moved).empty()) << mask << " before " << before;
            // The selection stands together, in order, where the images before the drop end.
            const auto othersBefore = static_cast<std::size_t>(
                std::count_if(others.begin(), others.end(), [&](int i) { return i < before; }));
            Order expected(others.begin(), others.begin() + static_cast<long>(othersBefore));
            expected.insert(expected.end(), selected.begin(), selected.end());
            expected.insert(expected.end(), others.begin() + static_cast<long>(othersBefore),
                            others.end());
            ASSERT_EQ(moved, expected) << mask << " before " << before;
        }
        Order removed = plans::Remove(selected, count);
        Order expected = others;
        expected.resize(count, 0);
        ASSERT_EQ(removed, expected) << mask;
        ASSERT_EQ(plans::Lost(removed), selected) << mask;
        ASSERT_EQ(plans::Written(removed).front(), selected.front()) << "nothing before is written";
    }
}
