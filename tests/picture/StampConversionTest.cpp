#include "picture/StampConversion.h"
#include "picture/Orientation.h"
#include "picture/StampBitmap.h"

#include "../collection/TestFiles.h"
#include "collection/BitmapExport.h"
#include "collection/ImageSequences.h"

#include <gtest/gtest.h>

#include <functional>

using picture::Framing;
using picture::Picture;
using picture::Stamp;

namespace {

struct Colour {
    std::uint8_t r, g, b, a = 255;
    bool operator==(const Colour&) const = default;
};

Picture Paint(int width, int height, const std::function<Colour(int x, int y)>& colourAt) {
    Picture p{width, height,
              std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Colour c = colourAt(x, y);
            std::uint8_t* px = &p.bgra[(static_cast<std::size_t>(y) * width + x) * 4];
            px[0] = c.b, px[1] = c.g, px[2] = c.r, px[3] = c.a;
        }
    }
    return p;
}

Stamp Convert(const Picture& p, Framing framing = Framing::Fit, bool dither = false) {
    auto stamp = picture::ConvertToStamp(p, {framing, dither});
    EXPECT_TRUE(stamp.has_value());
    return stamp.value_or(Stamp{});
}

Colour At(const Stamp& s, int x, int y) {
    const std::uint8_t* px = &s[(y * 32 + x) * 3];
    return {px[2], px[1], px[0]};
}

// The shown value of the 5-bit level nearest to v, as the collection displays it.
int Shown(int v) {
    int best = 0;
    for (int level = 0; level < 32; ++level) {
        int shown = level * 8 + (level % 2 ? 7 : 0), old = best * 8 + (best % 2 ? 7 : 0);
        best = std::abs(shown - v) < std::abs(old - v) ? level : best;
    }
    return best * 8 + (best % 2 ? 7 : 0);
}

const Colour kWhite{255, 255, 255};

} // namespace

TEST(StampConversion, SolidColoursBecomeTheirNearestStoredColour) {
    for (Colour c :
         {Colour{200, 100, 50}, Colour{0, 0, 0}, Colour{255, 255, 255}, Colour{9, 130, 247}}) {
        Stamp s = Convert(Paint(640, 480, [&](int, int) { return c; }), Framing::Crop);
        for (int i = 0; i < 1024; ++i) {
            ASSERT_EQ(At(s, i % 32, i / 32), (Colour{static_cast<std::uint8_t>(Shown(c.r)),
                                                     static_cast<std::uint8_t>(Shown(c.g)),
                                                     static_cast<std::uint8_t>(Shown(c.b))}));
        }
    }
}

TEST(StampConversion, AFineCheckerboardOfAnySizeBecomesMidGreyInLinearLight) {
    // Half the light of white is 187.5 in sRGB, between the stored levels shown as 176 and 191.
    // (192 is the level above 191.)
    // Where a stamp pixel covers an odd number of squares its share of white is a little off.
    for (int side : {64, 96, 100, 333, 4000}) {
        Stamp s = Convert(Paint(side, side, [](int x, int y) {
            return (x + y) % 2 ? Colour{255, 255, 255} : Colour{0, 0, 0};
        }));
        double sum = 0;
        for (int i = 0; i < 1024; ++i) {
            Colour c = At(s, i % 32, i / 32);
            ASSERT_TRUE(c.r >= 176 && c.r <= 192) << side << ": " << int(c.r);
            sum += c.r;
        }
        EXPECT_NEAR(sum / 1024, 187.5, 8.0) << side;
    }
    EXPECT_EQ(At(Convert(Paint(64, 64,
                               [](int x, int y) {
                                   return (x + y) % 2 ? Colour{255, 255, 255} : Colour{0, 0, 0};
                               })),
                 16, 16),
              (Colour{191, 191, 191}))
        << "even squares: exactly half";
}

TEST(StampConversion, FitLeavesWhiteMarginsAndCropKeepsTheCentre) {
    // Wide: blue left half, red right half.
    Picture wide = Paint(128, 32, [](int x, int) {
        return x < 64 ? Colour{0, 0, 255} : Colour{255, 0, 0};
    });
    Stamp fit = Convert(wide);
    EXPECT_EQ(At(fit, 5, 2), kWhite) << "the band above";
    EXPECT_EQ(At(fit, 5, 29), kWhite) << "the band below";
    EXPECT_EQ(At(fit, 5, 16), (Colour{0, 0, 255}));
    EXPECT_EQ(At(fit, 26, 16), (Colour{255, 0, 0}));
    Stamp crop = Convert(wide, Framing::Crop);
    EXPECT_EQ(At(crop, 0, 0), (Colour{0, 0, 255})) << "columns 48 to 79 of the picture";
    EXPECT_EQ(At(crop, 15, 31), (Colour{0, 0, 255}));
    EXPECT_EQ(At(crop, 16, 0), (Colour{255, 0, 0}));
    // Tall: margins left and right.
    Stamp tall = Convert(Paint(30, 120, [](int, int) { return Colour{0, 0, 0}; }));
    EXPECT_EQ(At(tall, 1, 16), kWhite);
    EXPECT_EQ(At(tall, 30, 16), kWhite);
    EXPECT_EQ(At(tall, 16, 16), (Colour{0, 0, 0}));
}

TEST(StampConversion, TransparencyIsCompositedOverWhite) {
    EXPECT_EQ(At(Convert(Paint(50, 50,
                               [](int, int) {
                                   return Colour{0, 0, 0, 0};
                               })),
                 9, 9),
              kWhite);
    Colour halfBlack{0, 0, 0, 128}; // half the light of white again
    EXPECT_EQ(At(Convert(Paint(50, 50, [&](int, int) { return halfBlack; })), 9, 9),
              (Colour{191, 191, 191}));
}

TEST(StampConversion, PixelArtIsEnlargedInWholeBlocks) {
    auto colourOf = [](int x, int y) {
        return Colour{static_cast<std::uint8_t>(x * 32), static_cast<std::uint8_t>(y * 32), 99};
    };
    Stamp s = Convert(Paint(8, 8, colourOf));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            Colour c = colourOf(x / 4, y / 4);
            ASSERT_EQ(At(s, x, y), (Colour{static_cast<std::uint8_t>(Shown(c.r)),
                                           static_cast<std::uint8_t>(Shown(c.g)),
                                           static_cast<std::uint8_t>(Shown(c.b))}))
                << x << "," << y;
        }
    }
}

TEST(StampConversion, DitheringKeepsAGradientsMeanWithinOneLevel) {
    // A gentle one, so that most neighbours fall between the same two stored levels.
    Picture gradient = Paint(256, 256, [](int x, int) {
        auto v = static_cast<std::uint8_t>(100 + x * 40 / 256);
        return Colour{v, v, v};
    });
    std::vector<std::uint8_t> ideal = picture::FitForDisplay(gradient, 32);
    Stamp plain = Convert(gradient), dithered = Convert(gradient, Framing::Fit, true);
    double idealSum = 0, ditheredSum = 0;
    int differ = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            idealSum += ideal[(y * 32 + x) * 3];
            ditheredSum += At(dithered, x, y).g;
            differ += At(dithered, x, y) != At(plain, x, y);
        }
    }
    EXPECT_NEAR(ditheredSum / 1024, idealSum / 1024, 8.0);
    EXPECT_GT(differ, 0) << "dithering changed nothing";
}

TEST(StampConversion, RefusesEmptyAndAbsurdSizes) {
    EXPECT_FALSE(picture::ConvertToStamp(Picture{}, {}));
    EXPECT_FALSE(picture::ConvertToStamp(Picture{10, 10, std::vector<std::uint8_t>(10)}, {}));
    EXPECT_FALSE(picture::ConvertToStamp(Picture{-4, -4, std::vector<std::uint8_t>(64)}, {}));
    EXPECT_FALSE(picture::ConvertToStamp(Picture{70000, 1, std::vector<std::uint8_t>(280000)}, {}));
    EXPECT_TRUE(picture::FitForDisplay(Picture{}, 128).empty());
}

TEST(StampConversion, TheStampIsWhatTheCollectionShowsAfterTheImport) {
    Stamp s = Convert(Paint(77, 51,
                            [](int x, int y) {
                                return Colour{static_cast<std::uint8_t>(x * 3),
                                              static_cast<std::uint8_t>(y * 5), 200,
                                              static_cast<std::uint8_t>(255 - x)};
                            }),
                      Framing::Fit, true);
    UniqueFile bitmap = StreamWith({}), collection = StreamWith(MakeCollection());
    picture::WriteStampBitmap(bitmap.get(), s);
    ASSERT_TRUE(ImportBitmapPixels(bitmap.get(), collection.get(), 7));
    ScratchFile shown;
    ExportImage(collection.get(), shown.Path().c_str(), 7);
    Bytes exported = shown.Read();
    ASSERT_EQ(exported.size(), 3126u);
    EXPECT_EQ(ReverseRows(Bytes(exported.begin() + 54, exported.end()), 96),
              Bytes(s.begin(), s.end()));
    EXPECT_EQ(picture::StampPixelArea(s), PixelArea(StreamContent(collection.get()), 7));
}

TEST(Orientation, ReadsTheExifTagInBothByteOrdersAndNothingBeyondTheData) {
    auto jpeg = [](bool bigEndian, std::uint16_t orientation) {
        auto u16 = [&](std::uint16_t v) {
            return bigEndian ? Bytes{std::uint8_t(v >> 8), std::uint8_t(v)}
                             : Bytes{std::uint8_t(v), std::uint8_t(v >> 8)};
        };
        Bytes tiff = bigEndian ? Bytes{'M', 'M'} : Bytes{'I', 'I'};
        for (Bytes part : {u16(42), bigEndian ? Bytes{0, 0, 0, 8} : Bytes{8, 0, 0, 0}, u16(2),
                           u16(0x0100), u16(4), Bytes(8, 0), // another tag first
                           u16(0x0112), u16(3), bigEndian ? Bytes{0, 0, 0, 1} : Bytes{1, 0, 0, 0},
                           u16(orientation), Bytes{0, 0}}) {
            tiff.insert(tiff.end(), part.begin(), part.end());
        }
        Bytes file{0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 0, 0}; // an APP0 segment before
        std::size_t length = tiff.size() + 8;
        file.insert(file.end(), {0xFF, 0xE1, std::uint8_t(length >> 8), std::uint8_t(length), 'E',
                                 'x', 'i', 'f', 0, 0});
        file.insert(file.end(), tiff.begin(), tiff.end());
        file.insert(file.end(), {0xFF, 0xDA, 0, 2});
        return file;
    };
    for (bool bigEndian : {false, true}) {
        for (std::uint16_t o : {1, 3, 6, 8}) {
            Bytes file = jpeg(bigEndian, o);
            EXPECT_EQ(picture::JpegExifOrientation(file.data(), file.size()), o);
        }
        Bytes file = jpeg(bigEndian, 6);
        for (std::size_t cut = 0; cut < file.size() - 4; ++cut) { // any truncation: upright
            Bytes part(file.begin(), file.begin() + cut);
            EXPECT_EQ(picture::JpegExifOrientation(part.data(), part.size()), 1) << cut;
        }
        EXPECT_EQ(
            picture::JpegExifOrientation(jpeg(bigEndian, 9).data(), jpeg(bigEndian, 9).size()), 1);
    }
}

TEST(Orientation, TurnsAndMirrorsThePictureUpright) {
    // A 3x2 picture whose pixels say where they stand: red = x, green = y.
    Picture p = Paint(3, 2, [](int x, int y) {
        return Colour{std::uint8_t(x), std::uint8_t(y), 0};
    });
    auto where = [](const Picture& q, int x, int y) {
        const std::uint8_t* px = &q.bgra[(static_cast<std::size_t>(y) * q.width + x) * 4];
        return std::pair<int, int>{px[2], px[1]};
    };
    // The source pixel at the upright picture's top-left and top-right corners.
    const std::pair<int, int> corners[9][2] = {{},
                                               {{0, 0}, {2, 0}},
                                               {{2, 0}, {0, 0}},
                                               {{2, 1}, {0, 1}},
                                               {{0, 1}, {2, 1}},
                                               {{0, 0}, {0, 1}},
                                               {{0, 1}, {0, 0}},
                                               {{2, 1}, {2, 0}},
                                               {{2, 0}, {2, 1}}};
    for (int o = 1; o <= 8; ++o) {
        Picture q = p;
        picture::ApplyOrientation(q, o);
        EXPECT_EQ(q.width, o >= 5 ? 2 : 3) << o;
        EXPECT_EQ(where(q, 0, 0), corners[o][0]) << o;
        EXPECT_EQ(where(q, q.width - 1, 0), corners[o][1]) << o;
    }
}
