#include "editor/Selection.h"
#include "editor/Pieces.h"

#include "../collection/TestFiles.h"

#include <gtest/gtest.h>

#include <map>

using namespace editor;

namespace {

const Colour kRed = MakeColour(31, 0, 0), kGrey = MakeColour(16, 16, 16);

// A stamp whose every word differs, bit 15 set in every other one.
Stamp Patterned() {
    Bytes area = PatternBytes(2048, 77);
    for (std::size_t i = 0; i < area.size(); i += 4) {
        area[i] |= 0x80;
    }
    return Stamp::FromArea(area);
}

// The model: where each lifted pixel is, by its place in the original stamp.
struct Model {
    Stamp beneath;
    std::map<std::pair<int, int>, Point> at; // original (x, y) -> where it is now
    Stamp Shown(const Stamp& original) const {
        Stamp shown = beneath;
        for (const auto& [from, to] : at) {
            if (Stamp::Contains(to)) {
                shown.Move(to, original.WordAt({from.first, from.second}));
            }
        }
        return shown;
    }
};

} // namespace

TEST(Selection, MovesFlipsAndTurnsMatchAModelAndKeepEveryWordWhole) {
    const Stamp original = Patterned();
    const Box box = BoxOf({12, 5}, {3, 9}); // corners given either way round
    ASSERT_EQ(box, (Box{3, 5, 10, 5}));
    Selection selection = Selection::Lift(original, box, kGrey);
    Model model{original, {}};
    for (int y = box.top; y < box.top + box.height; ++y) {
        for (int x = box.left; x < box.left + box.width; ++x) {
            model.beneath.Paint({x, y}, kGrey); // the place it leaves takes the colour given
            model.at[{x, y}] = {x, y};
        }
    }
    EXPECT_EQ(selection.Composite(), original); // lifted, nothing shows different yet
    auto each = [&](auto move) {
        for (auto& [from, to] : model.at) {
            to = move(to);
        }
    };
    selection.MoveBy(4, 20); // partly off the bottom: what leaves the stamp is kept, not lost
    each([](Point p) { return Point{p.x + 4, p.y + 20}; });
    EXPECT_EQ(selection.Composite(), model.Shown(original));
    selection.MoveBy(-4, -17);
    each([](Point p) { return Point{p.x - 4, p.y - 17}; });
    EXPECT_EQ(selection.Composite(), model.Shown(original));
    Box where = selection.Where(); // {3, 8, 10, 5}
    selection.FlipHorizontally();
    each([&](Point p) { return Point{2 * where.left + where.width - 1 - p.x, p.y}; });
    EXPECT_EQ(selection.Composite(), model.Shown(original));
    selection.FlipVertically();
    each([&](Point p) { return Point{p.x, 2 * where.top + where.height - 1 - p.y}; });
    EXPECT_EQ(selection.Composite(), model.Shown(original));
    selection.RotateRight(); // 10x5 becomes 5x10 about the same centre: left 3+2, top 8-2
    EXPECT_EQ(selection.Where(), (Box{5, 6, 5, 10}));
    each([&](Point p) { return Point{5 + (where.top + where.height - 1 - p.y), 6 + p.x - 3}; });
    EXPECT_EQ(selection.Composite(), model.Shown(original));
    selection.RotateLeft();
    EXPECT_EQ(selection.Where(), where);
    selection.RotateLeft();
    selection.RotateRight();
    selection.FlipVertically();
    selection.FlipHorizontally(); // back as lifted, three rows down
    Selection expected = Selection::Lift(original, box, kGrey);
    expected.MoveBy(0, 3);
    EXPECT_EQ(selection.Composite(), expected.Composite());
}

TEST(Selection, NeverLeavesTheStampWhollyAndFillsWithOneColour) {
    Selection selection = Selection::Lift(Stamp(), BoxOf({0, 0}, {3, 3}), kWhite);
    selection.MoveBy(-100, 100);
    EXPECT_EQ(selection.Where(), (Box{-3, 31, 4, 4})); // one pixel still on the stamp
    selection.MoveBy(200, -200);
    EXPECT_EQ(selection.Where(), (Box{31, -3, 4, 4}));
    selection.Fill(kRed);
    Stamp shown = selection.Composite();
    EXPECT_EQ(shown.ColourAt({31, 0}), kRed);
    EXPECT_EQ(shown.ColourAt({30, 0}), kWhite);
    EXPECT_EQ(shown.ColourAt({31, 1}), kWhite);
}

TEST(Selection, APieceLaidOverAStampCoversItWithoutLiftingAnything) {
    const Stamp original = Patterned();
    Selection laid = Selection::Lay(original, Plain(2, 3, kRed), {30, 0});
    Stamp shown = laid.Composite();
    for (Point p : {Point{30, 0}, Point{31, 2}}) {
        EXPECT_EQ(shown.WordAt(p), kRed);
    }
    laid.MoveBy(-30, 0); // where it was shows the stamp again
    EXPECT_EQ(laid.Composite().WordAt({30, 0}), original.WordAt({30, 0}));
    EXPECT_EQ(CutOut(laid.Composite(), laid.Where()), Plain(2, 3, kRed));
}

TEST(Selection, ClearPixelsShowWhatLiesBeneathThroughMovesTurnsAndFills) {
    const Stamp original = Patterned();
    // An L of red in a 2x3 piece: the rest clear.
    Piece letter = Plain(2, 3, kRed);
    letter.clear = {false, true, false, true, false, false};
    Selection laid = Selection::Lay(original, letter, {10, 10});
    Stamp shown = laid.Composite();
    EXPECT_EQ(shown.WordAt({10, 10}), kRed);
    EXPECT_EQ(shown.WordAt({11, 10}), original.WordAt({11, 10})); // clear: the stamp shows
    EXPECT_EQ(shown.WordAt({11, 12}), kRed);
    laid.RotateRight(); // 3x2 about the same centre: top row red, bottom row clear but its left
    EXPECT_EQ(laid.Where(), (Box{10, 10, 3, 2}));
    shown = laid.Composite();
    for (int x = 10; x < 13; ++x) {
        EXPECT_EQ(shown.WordAt({x, 10}), kRed);
    }
    EXPECT_EQ(shown.WordAt({10, 11}), kRed);
    EXPECT_EQ(shown.WordAt({11, 11}), original.WordAt({11, 11}));
    laid.FlipHorizontally();
    EXPECT_EQ(laid.Composite().WordAt({10, 11}), original.WordAt({10, 11}));
    EXPECT_EQ(laid.Composite().WordAt({12, 11}), kRed);
    laid.Fill(kGrey); // the letter takes the colour, its surroundings stay clear
    EXPECT_EQ(laid.Composite().WordAt({12, 11}), kGrey);
    EXPECT_EQ(laid.Composite().WordAt({11, 11}), original.WordAt({11, 11}));
    // What it shows, for the clipboard: the clear pixels as the stamp beneath, white off it.
    laid.MoveBy(20, 0); // columns 30..32: the last is off the stamp
    Piece visible = laid.Visible();
    EXPECT_TRUE(visible.clear.empty());
    EXPECT_EQ(visible.At(0, 0), kGrey);
    EXPECT_EQ(visible.At(1, 1), original.WordAt({31, 11}));
    EXPECT_EQ(visible.At(2, 1), kGrey);
    laid.FlipHorizontally();
    EXPECT_EQ(laid.Visible().At(2, 1), kWhite);
}

TEST(Selection, PicturesBecomePiecesPixelForPixelOrReducedToFit) {
    picture::Picture small{3, 2, {}};
    for (int i = 0; i < 6; ++i) { // red, black, green / blue, white, transparent
        static const std::uint8_t bgra[6][4] = {{0, 0, 255, 255},     {0, 0, 0, 255},
                                                {0, 255, 0, 255},     {255, 0, 0, 255},
                                                {255, 255, 255, 255}, {0, 0, 0, 0}};
        small.bgra.insert(small.bgra.end(), bgra[i], bgra[i] + 4);
    }
    std::optional<Piece> piece = PieceOfPicture(small);
    ASSERT_TRUE(piece);
    EXPECT_EQ(*piece, (Piece{3,
                             2,
                             {MakeColour(31, 0, 0), kBlack, MakeColour(0, 31, 0),
                              MakeColour(0, 0, 31), kWhite, kWhite},
                             {}}));
    EXPECT_EQ(ShownPixels(*piece), (std::vector<std::uint8_t>{0, 0, 255, 0, 0, 0, 0, 255, 0, 255, 0,
                                                              0, 255, 255, 255, 255, 255, 255}));
    // 128x64 of one colour: halved to 32x16, every pixel that colour.
    picture::Picture wide{128, 64, {}};
    for (int i = 0; i < 128 * 64; ++i) {
        wide.bgra.insert(wide.bgra.end(), {0, 0, 255, 255});
    }
    piece = PieceOfPicture(wide);
    ASSERT_TRUE(piece);
    EXPECT_EQ(*piece, Plain(32, 16, MakeColour(31, 0, 0)));
    EXPECT_FALSE(PieceOfPicture(picture::Picture{0, 0, {}}));
    EXPECT_FALSE(PieceOfPicture(picture::Picture{4, 4, {1, 2, 3}})); // lies about its size
}
