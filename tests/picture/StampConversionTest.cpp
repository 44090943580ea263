#include "picture/StampConversion.h"
#include "picture/ColourLevels.h"
#include "picture/Orientation.h"
#include "picture/StampBitmap.h"

#include "../collection/TestFiles.h"
#include "collection/BitmapExport.h"
#include "collection/ImageSequences.h"

#include <gtest/gtest.h>

#include <cmath>
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
    picture::StampOptions options;
    options.framing = framing;
    options.dither = dither;
    auto stamp = picture::ConvertToStamp(p, options);
    EXPECT_TRUE(stamp.has_value());
    return stamp.value_or(Stamp{});
}

Colour At(const Stamp& s, int x, int y) {
    const std::uint8_t* px = &s[(y * 32 + x) * 3];
    return {px[2], px[1], px[0]};
}

const Colour kWhite{255, 255, 255};

} // namespace

TEST(StampConversion, SolidColoursBecomeOneStoredColourAsTheEditorSnapsThem) {
    // (207, 96, 48) is stored as it is; the others become what the editor would snap them to.
    for (Colour c : {Colour{200, 100, 50}, Colour{0, 0, 0}, Colour{255, 255, 255},
                     Colour{9, 130, 247}, Colour{207, 96, 48}}) {
        Stamp s = Convert(Paint(640, 480, [&](int, int) { return c; }), Framing::Crop);
        picture::Rgb snapped = picture::NearestStorable({c.r, c.g, c.b});
        for (int i = 0; i < 1024; ++i) {
            ASSERT_EQ(At(s, i % 32, i / 32), (Colour{snapped.red, snapped.green, snapped.blue}));
        }
    }
    EXPECT_EQ(At(Convert(Paint(9, 9,
                               [](int, int) {
                                   return Colour{207, 96, 48};
                               })),
                 3, 3),
              (Colour{207, 96, 48}));
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
            picture::Rgb snapped = picture::NearestStorable({c.r, c.g, c.b});
            ASSERT_EQ(At(s, x, y), (Colour{snapped.red, snapped.green, snapped.blue}))
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

namespace {

float ChromaOf(Colour c) {
    const auto& linear = picture::LinearOfByte();
    return picture::OklabOf({linear[c.r], linear[c.g], linear[c.b]}).Chroma();
}

// A picture of one colour with a block of another.
Picture Block(int width, int height, Colour background, Colour block, int left, int top,
              int blockWidth, int blockHeight) {
    return Paint(width, height, [=](int x, int y) {
        bool inside = x >= left && x < left + blockWidth && y >= top && y < top + blockHeight;
        return inside ? block : background;
    });
}

} // namespace

TEST(ColourReduction, GreysStayGreyAndNearGreysGetNoVisibleTint) {
    // The display's levels come in pairs, ..., 208, 223, 224, ...: channel by channel, (216,
    // 215, 216) would become (223, 208, 223), which is magenta.
    Picture ramp = Paint(256, 256, [](int x, int) {
        auto v = static_cast<std::uint8_t>(x);
        return Colour{v, v, v};
    });
    // Greys a level of red or blue off, in bands, as scanned and compressed pictures have them.
    Picture nearGrey = Paint(256, 256, [](int x, int y) {
        int tint = y / 32 % 3 - 1;
        return Colour{static_cast<std::uint8_t>(std::clamp(x + tint, 0, 255)),
                      static_cast<std::uint8_t>(x),
                      static_cast<std::uint8_t>(std::clamp(x - tint, 0, 255))};
    });
    for (bool dither : {false, true}) {
        for (Framing framing : {Framing::Fit, Framing::Crop}) {
            Stamp s = Convert(ramp, framing, dither);
            for (int i = 0; i < 1024; ++i) {
                // Exactly grey; dithered, a grey between two levels may take a step of one
                // channel (as (127, 128, 127)) that no eye can see.
                Colour c = At(s, i % 32, i / 32);
                ASSERT_TRUE(dither || (c.r == c.g && c.g == c.b)) << i;
                ASSERT_LE(ChromaOf(c), picture::kTintAllowance) << i;
            }
            picture::StampOptions options;
            options.framing = framing;
            options.dither = dither;
            const picture::FramedStamp exact = *picture::FrameStamp(nearGrey, options);
            s = *picture::ConvertToStamp(nearGrey, options);
            for (std::size_t i = 0; i < 1024; ++i) {
                float chroma = picture::OklabOf({exact.linear[i * 3], exact.linear[i * 3 + 1],
                                                 exact.linear[i * 3 + 2]})
                                   .Chroma();
                Colour c = At(s, static_cast<int>(i % 32), static_cast<int>(i / 32));
                ASSERT_TRUE(chroma > picture::kNeutralChroma ||
                            ChromaOf(c) <= picture::kNeutralChroma)
                    << "a pixel with no tint shown tinted: " << i << (dither ? " dithered" : "");
            }
        }
    }
    for (int grey = 0; grey < 256; ++grey) {
        for (int red : {grey - 1, grey, grey + 1}) {
            for (int blue : {grey - 2, grey + 1}) {
                Colour wanted{static_cast<std::uint8_t>(std::clamp(red, 0, 255)),
                              static_cast<std::uint8_t>(grey),
                              static_cast<std::uint8_t>(std::clamp(blue, 0, 255))};
                picture::Rgb stored = picture::NearestStorable({wanted.r, wanted.g, wanted.b});
                ASSERT_LE(ChromaOf({stored.red, stored.green, stored.blue}),
                          picture::AllowedChroma(ChromaOf(wanted)))
                    << red << "," << grey << "," << blue;
            }
        }
    }
    EXPECT_EQ(picture::NearestStorable({216, 215, 216}), (picture::Rgb{208, 208, 208}));
    EXPECT_EQ(picture::NearestStorable({200, 199, 200}), (picture::Rgb{192, 192, 192}));
}

TEST(StampConversion, FitIsOnWholePixelsWithPureWhiteMargins) {
    const Colour ink{0, 0, 128};
    const picture::Rgb stored = picture::NearestStorable({ink.r, ink.g, ink.b});
    const Colour inked{stored.red, stored.green, stored.blue};
    // Sizes whose fitted height or width falls between pixels: 32 x 11.84, 11.84 x 32, ...
    for (auto [width, height] : {std::pair{100, 37}, std::pair{37, 100}, std::pair{1000, 333},
                                 std::pair{45, 44}, std::pair{7, 3}, std::pair{640, 7}}) {
        Stamp s = Convert(Paint(width, height, [&](int, int) { return ink; }));
        std::vector<int> rows, columns; // those the picture covers
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                Colour c = At(s, x, y);
                ASSERT_TRUE(c == kWhite || c == inked)
                    << width << "x" << height << " at " << x << "," << y;
                if (c != kWhite && (rows.empty() || rows.back() != y)) {
                    rows.push_back(y);
                }
                if (c != kWhite && y == rows.front()) {
                    columns.push_back(x);
                }
            }
        }
        const double scale = std::min(32.0 / width, 32.0 / height);
        const auto size = [](double length) {
            return static_cast<std::size_t>(std::max(1L, std::lround(length)));
        };
        ASSERT_EQ(rows.size(), size(height * scale)) << width << "x" << height;
        ASSERT_EQ(columns.size(), size(width * scale)) << width << "x" << height;
        // Centred, and whole: no row or column of it is missing.
        EXPECT_EQ(rows.front(), (32 - static_cast<int>(rows.size())) / 2);
        EXPECT_EQ(columns.front(), (32 - static_cast<int>(columns.size())) / 2);
        EXPECT_EQ(rows.back() - rows.front() + 1, static_cast<int>(rows.size()));
        EXPECT_EQ(columns.back() - columns.front() + 1, static_cast<int>(columns.size()));
    }
}

TEST(StampConversion, MarginsTrimmedWhenTransparentOrOfTheCornersColour) {
    const Colour clear{0, 0, 0, 0}, red{255, 0, 0}, white{255, 255, 255}, black{0, 0, 0};
    // A 50 x 100 red figure in a 200 x 200 transparent picture fills the stamp's height.
    Picture icon = Block(200, 200, clear, red, 30, 60, 50, 100);
    EXPECT_TRUE(picture::HasTransparency(icon));
    EXPECT_EQ(picture::TrimmedBounds(icon), (picture::Region{30, 60, 50, 100}));
    picture::StampOptions trimmed;
    trimmed.trimMargins = true;
    Stamp s = *picture::ConvertToStamp(icon, trimmed);
    for (int y = 0; y < 32; ++y) {
        ASSERT_EQ(At(s, 16, y), red) << y;
        ASSERT_EQ(At(s, 7, y), kWhite) << y;
    }
    EXPECT_EQ(At(s, 8, 0), red) << "16 pixels wide, from 8";
    EXPECT_EQ(At(s, 24, 0), kWhite);
    // An opaque picture: a white border around a black square, and JPEG-like noise in it.
    Picture bordered = Block(300, 100, white, black, 200, 20, 60, 60);
    bordered.bgra[4] = 250;
    EXPECT_FALSE(picture::HasTransparency(bordered));
    EXPECT_EQ(picture::TrimmedBounds(bordered), (picture::Region{200, 20, 60, 60}));
    s = *picture::ConvertToStamp(bordered, trimmed);
    for (int i = 0; i < 1024; ++i) {
        ASSERT_EQ(At(s, i % 32, i / 32), black) << i;
    }
    // Nothing but margin: nothing trimmed.
    Picture empty = Paint(40, 20, [&](int, int) { return clear; });
    EXPECT_EQ(picture::TrimmedBounds(empty), (picture::Region{0, 0, 40, 20}));
    EXPECT_EQ(At(*picture::ConvertToStamp(empty, trimmed), 5, 5), kWhite);
}

TEST(StampConversion, TheCropKeepsTheSquareTheUserPlaces) {
    // Thirds: blue, green, red.
    const Colour blue{0, 0, 255}, green{0, 255, 0}, red{255, 0, 0};
    Picture wide = Paint(300, 100, [&](int x, int) {
        return x < 100 ? blue : x < 200 ? green : red;
    });
    picture::StampOptions options;
    options.framing = Framing::Crop;
    EXPECT_EQ(picture::KeptRegion(wide, options), (picture::Region{100, 0, 100, 100}));
    EXPECT_EQ(At(*picture::ConvertToStamp(wide, options), 3, 3), green) << "the centre";
    for (auto [left, colour] : {std::pair{-50.0, blue}, std::pair{0.0, blue}, std::pair{200.0, red},
                                std::pair{999.0, red}}) {
        options.crop = picture::CropPlaceAt(wide, options, left, 40);
        Stamp s = *picture::ConvertToStamp(wide, options);
        for (int i = 0; i < 1024; ++i) {
            ASSERT_EQ(At(s, i % 32, i / 32), colour) << left << ": " << i;
        }
    }
    // Half-way: a quarter of the way along, blue and green halves.
    options.crop = picture::CropPlaceAt(wide, options, 50, 0);
    EXPECT_EQ(options.crop, (picture::CropPlace{0.25, 0.5}));
    Stamp half = *picture::ConvertToStamp(wide, options);
    EXPECT_EQ(At(half, 15, 9), blue);
    EXPECT_EQ(At(half, 16, 9), green);
    // Within trimmed bounds, the square moves over what is left.
    Picture framed = Block(400, 200, Colour{0, 0, 0, 0}, red, 100, 50, 200, 100);
    options.trimMargins = true;
    options.crop = {1.0, 0.0};
    EXPECT_EQ(picture::KeptRegion(framed, options), (picture::Region{200, 50, 100, 100}));
}
