// How close stamps come to the pictures they are made of: for each picture, the mean OKLab
// difference between the exact area average of every stamp pixel and the colour stored for it,
// and the share of pixels stored with a visible tint (chroma above 0.02) where the exact colour
// has none, for brelt's colour choice and for the choice of each channel on its own that came
// before it. Pictures are made here, and read as raw RGBA (NAME:WIDTHxHEIGHT:PATH arguments,
// made by scripts/colour-quality with ImageMagick).
#include "collection/CollectionFormat.h"
#include "picture/ColourLevels.h"
#include "picture/StampConversion.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr float kVisibleTint = 0.02f;

using picture::Picture;

Picture Paint(int width, int height, const std::function<std::array<int, 4>(int, int)>& at) {
    Picture p{width, height,
              std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            auto [r, g, b, a] = at(x, y);
            std::uint8_t* px = &p.bgra[(static_cast<std::size_t>(y) * width + x) * 4];
            px[0] = static_cast<std::uint8_t>(std::clamp(b, 0, 255));
            px[1] = static_cast<std::uint8_t>(std::clamp(g, 0, 255));
            px[2] = static_cast<std::uint8_t>(std::clamp(r, 0, 255));
            px[3] = static_cast<std::uint8_t>(std::clamp(a, 0, 255));
        }
    }
    return p;
}

Picture NearNeutralGradient() {
    return Paint(512, 512, [](int x, int y) {
        int v = x / 2, tint = (y / 64) % 3 - 1; // greys, a level of red or blue off
        return std::array<int, 4>{v + tint, v, v - tint, 255};
    });
}

// A grey device with soft shadows on a transparent ground, as icons are drawn.
Picture GreyIcon() {
    return Paint(256, 256, [](int x, int y) {
        double dx = std::max(0.0, std::abs(x - 128.0) - 80),
               dy = std::max(0.0, std::abs(y - 128.0) - 60);
        double outside = std::hypot(dx, dy);
        if (outside == 0) {
            int v = 150 + (255 - y) / 4 + ((x / 16 + y / 16) % 2) * 6;
            return std::array<int, 4>{v, v, v + 1, 255};
        }
        int shadow = static_cast<int>(std::max(0.0, 90 - outside * 6));
        return std::array<int, 4>{40, 40, 40, shadow};
    });
}

Picture SkinTones() {
    return Paint(400, 300, [](int x, int y) {
        double t = x / 399.0, light = 1.0 - y / 600.0;
        return std::array<int, 4>{static_cast<int>((255 - 114 * t) * light),
                                  static_cast<int>((224 - 139 * t) * light),
                                  static_cast<int>((196 - 160 * t) * light), 255};
    });
}

Picture SaturatedPhoto() {
    return Paint(1024, 768, [](int x, int y) {
        double h = std::sin(x / 97.0) + std::cos(y / 71.0) + std::sin((x + y) / 53.0);
        return std::array<int, 4>{static_cast<int>(128 + 127 * std::sin(h * 2.1)),
                                  static_cast<int>(128 + 127 * std::sin(h * 2.1 + 2.1)),
                                  static_cast<int>(128 + 127 * std::sin(h * 2.1 + 4.2)), 255};
    });
}

// name:WIDTHxHEIGHT:path of raw red, green, blue, alpha bytes.
bool ReadRaw(const std::string& argument, std::string& name, Picture& p) {
    std::size_t colon = argument.find(':'), x = argument.find('x', colon),
                second = argument.find(':', colon + 1);
    if (colon == std::string::npos || x == std::string::npos || second == std::string::npos) {
        return false;
    }
    name = argument.substr(0, colon);
    p.width = std::stoi(argument.substr(colon + 1, x - colon - 1));
    p.height = std::stoi(argument.substr(x + 1, second - x - 1));
    std::ifstream in(argument.substr(second + 1), std::ios::binary);
    p.bgra.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    for (std::size_t i = 0; i + 3 < p.bgra.size(); i += 4) {
        std::swap(p.bgra[i], p.bgra[i + 2]);
    }
    return picture::IsUsable(p);
}

// The colour choice before this one: each channel on its own to the level shown nearest, and
// dithering on the encoded values.
picture::Stamp EachChannelOnItsOwn(const picture::FramedStamp& framed, bool dither) {
    std::array<float, 32 * 32 * 3> wanted{};
    std::transform(framed.linear.begin(), framed.linear.end(), wanted.begin(), picture::EncodeSrgb);
    auto nearest = [](float value) {
        int best = 0;
        for (int level = 1; level < 32; ++level) {
            if (std::abs(sgc::ExpandChannel(level) - value) <
                std::abs(sgc::ExpandChannel(best) - value)) {
                best = level;
            }
        }
        return sgc::ExpandChannel(best);
    };
    picture::Stamp stamp{};
    for (int y = 0; y < 32; ++y) {
        bool leftToRight = !dither || y % 2 == 0;
        for (int step = 0; step < 32; ++step) {
            int x = leftToRight ? step : 31 - step;
            for (int channel = 0; channel < 3; ++channel) {
                float value = std::clamp(
                    wanted[static_cast<std::size_t>((y * 32 + x) * 3 + channel)], 0.0f, 255.0f);
                int shown = nearest(std::round(value));
                stamp[static_cast<std::size_t>((y * 32 + x) * 3 + 2 - channel)] =
                    static_cast<std::uint8_t>(shown);
                float error = value - static_cast<float>(shown);
                int ahead = leftToRight ? 1 : -1;
                auto spread = [&](int dx, int dy, float share) {
                    int nx = x + dx, ny = y + dy;
                    if (dither && nx >= 0 && nx < 32 && ny < 32) {
                        wanted[static_cast<std::size_t>((ny * 32 + nx) * 3 + channel)] +=
                            error * share;
                    }
                };
                spread(ahead, 0, 7.0f / 16);
                spread(-ahead, 1, 3.0f / 16);
                spread(0, 1, 5.0f / 16);
                spread(ahead, 1, 1.0f / 16);
            }
        }
    }
    return stamp;
}

struct Quality {
    double meanDifference = 0; // pixel by pixel
    double seenDifference = 0; // each pixel with its neighbours, as the eye blends a dither
    double tintedShare = 0;
};

using LinearPixels = std::array<float, 32 * 32 * 3>;

LinearPixels LinearOfStamp(const picture::Stamp& stamp) {
    const auto& linear = picture::LinearOfByte();
    LinearPixels pixels{};
    for (std::size_t i = 0; i < 1024; ++i) {
        for (std::size_t c = 0; c < 3; ++c) {
            pixels[i * 3 + c] = linear[stamp[i * 3 + 2 - c]];
        }
    }
    return pixels;
}

// Each pixel averaged in linear light with its neighbours, 3 x 3 within the stamp.
LinearPixels Blended(const LinearPixels& pixels) {
    LinearPixels blended{};
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            std::array<float, 3> sum{};
            int count = 0;
            for (int ny = std::max(0, y - 1); ny <= std::min(31, y + 1); ++ny) {
                for (int nx = std::max(0, x - 1); nx <= std::min(31, x + 1); ++nx, ++count) {
                    for (std::size_t c = 0; c < 3; ++c) {
                        sum[c] += pixels[static_cast<std::size_t>(ny * 32 + nx) * 3 + c];
                    }
                }
            }
            for (std::size_t c = 0; c < 3; ++c) {
                blended[static_cast<std::size_t>(y * 32 + x) * 3 + c] = sum[c] / count;
            }
        }
    }
    return blended;
}

picture::Oklab OklabAt(const LinearPixels& pixels, std::size_t i) {
    return picture::OklabOf({pixels[i * 3], pixels[i * 3 + 1], pixels[i * 3 + 2]});
}

double MeanDifference(const LinearPixels& x, const LinearPixels& y) {
    double sum = 0;
    for (std::size_t i = 0; i < 1024; ++i) {
        sum += std::sqrt(picture::DistanceSquared(OklabAt(x, i), OklabAt(y, i)));
    }
    return sum / 1024;
}

Quality Measure(const picture::FramedStamp& framed, const picture::Stamp& stamp) {
    const LinearPixels stored = LinearOfStamp(stamp);
    Quality q;
    q.meanDifference = MeanDifference(framed.linear, stored);
    q.seenDifference = MeanDifference(Blended(framed.linear), Blended(stored));
    for (std::size_t i = 0; i < 1024; ++i) {
        bool neutral = OklabAt(framed.linear, i).Chroma() <= kVisibleTint;
        q.tintedShare += neutral && OklabAt(stored, i).Chroma() > kVisibleTint ? 1.0 / 1024 : 0;
    }
    return q;
}

void Report(const std::string& name, const Picture& p) {
    for (bool dither : {false, true}) {
        picture::StampOptions options;
        options.dither = dither;
        picture::FramedStamp framed = *picture::FrameStamp(p, options);
        Quality before = Measure(framed, EachChannelOnItsOwn(framed, dither));
        Quality after = Measure(framed, picture::ReduceColours(framed, dither));
        std::printf("%-24s %-6s  dE %.4f -> %.4f  seen %.4f -> %.4f  tinted %5.1f%% -> %5.1f%%\n",
                    name.c_str(), dither ? "Tramat" : "plain", before.meanDifference,
                    after.meanDifference, before.seenDifference, after.seenDifference,
                    before.tintedShare * 100, after.tintedShare * 100);
    }
}

} // namespace

int main(int argc, char** argv) {
    std::printf("OKLab; tinted: chroma above %.2f where the exact colour has at most that\n",
                static_cast<double>(kVisibleTint));
    Report("near-neutral gradient", NearNeutralGradient());
    Report("grey icon, soft shadows", GreyIcon());
    Report("skin tones", SkinTones());
    Report("saturated photo", SaturatedPhoto());
    for (int i = 1; i < argc; ++i) {
        std::string name;
        Picture p;
        if (!ReadRaw(argv[i], name, p)) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 1;
        }
        Report(name, p);
    }
    return 0;
}
