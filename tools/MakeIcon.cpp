// Draws brelt's application icon, a postage stamp with a sun over a green hill, and writes it as
// an .ico file with nine images: 16, 32 and 48 pixels at 4, 8 and 24 bits per pixel.
// Usage: make_icon OUTPUT.ico
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

struct Pixel {
    Rgb colour;
    bool transparent;
};

const Rgb kPaper{255, 255, 255};
const Rgb kLine{96, 96, 96};
const Rgb kSky{96, 200, 255};
const Rgb kSun{255, 216, 0};
const Rgb kHill{40, 160, 64};

// The 16 colours of the standard 4-bit palette.
const Rgb kStandard16[16] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};
const Rgb kArtColours[5] = {kPaper, kLine, kSky, kSun, kHill};

bool Inside(double u, double v, double cu, double cv, double radius) {
    return std::hypot(u - cu, v - cv) < radius;
}

// The picture at normalised coordinates (0..1, top-down).
Pixel Draw(double u, double v) {
    const double edge = 0.04, inner = 0.2, holeRadius = 0.055, holeStep = 0.125;
    if (u < edge || u > 1 - edge || v < edge || v > 1 - edge) {
        return {{0, 0, 0}, true};
    }
    // Perforations: round bites along the four edges.
    for (double c = holeStep / 2; c < 1; c += holeStep) {
        if (Inside(u, v, c, edge, holeRadius) || Inside(u, v, c, 1 - edge, holeRadius) ||
            Inside(u, v, edge, c, holeRadius) || Inside(u, v, 1 - edge, c, holeRadius)) {
            return {{0, 0, 0}, true};
        }
    }
    if (u < inner || u > 1 - inner || v < inner || v > 1 - inner) {
        return {kPaper, false};
    }
    if (u < inner + 0.04 || u > 1 - inner - 0.04 || v < inner + 0.04 || v > 1 - inner - 0.04) {
        return {kLine, false};
    }
    if (Inside(u, v, 0.36, 1.02, 0.42)) {
        return {kHill, false};
    }
    if (Inside(u, v, 0.62, 0.4, 0.11)) {
        return {kSun, false};
    }
    return {kSky, false};
}

int Nearest(const Rgb& colour, const Rgb* palette, int count) {
    int best = 0;
    long bestDistance = 1L << 30;
    for (int i = 0; i < count; ++i) {
        long dr = colour.r - palette[i].r, dg = colour.g - palette[i].g,
             db = colour.b - palette[i].b;
        long distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, unsigned value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// One icon image: information header, palette, colour rows and transparency mask, bottom-up.
std::vector<std::uint8_t> IconImage(int size, int bits) {
    const int colourRow = (size * bits + 31) / 32 * 4;
    const int maskRow = (size + 31) / 32 * 4;
    std::vector<std::uint8_t> image;
    Put32(image, 40);
    Put32(image, static_cast<unsigned>(size));
    Put32(image, static_cast<unsigned>(2 * size)); // colour rows and mask rows together
    Put16(image, 1);
    Put16(image, static_cast<unsigned>(bits));
    Put32(image, 0);
    Put32(image, static_cast<unsigned>((colourRow + maskRow) * size));
    for (int i = 0; i < 4; ++i) {
        Put32(image, 0);
    }
    const int paletteSize = bits <= 8 ? 1 << bits : 0;
    std::vector<Rgb> palette(static_cast<std::size_t>(paletteSize), Rgb{0, 0, 0});
    if (bits == 4) {
        palette.assign(std::begin(kStandard16), std::end(kStandard16));
    } else if (bits == 8) {
        std::copy(std::begin(kArtColours), std::end(kArtColours), palette.begin());
    }
    for (const Rgb& c : palette) {
        image.insert(image.end(), {c.b, c.g, c.r, 0});
    }
    std::vector<std::uint8_t> colours(static_cast<std::size_t>(colourRow * size), 0);
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(maskRow * size), 0);
    for (int y = 0; y < size; ++y) {
        int row = size - 1 - y; // bottom-up
        for (int x = 0; x < size; ++x) {
            Pixel p = Draw((x + 0.5) / size, (y + 0.5) / size);
            if (p.transparent) {
                mask[static_cast<std::size_t>(row * maskRow + x / 8)] |=
                    static_cast<std::uint8_t>(0x80 >> (x % 8));
                continue;
            }
            std::uint8_t* at = &colours[static_cast<std::size_t>(row * colourRow)];
            if (bits == 24) {
                at[3 * x] = p.colour.b;
                at[3 * x + 1] = p.colour.g;
                at[3 * x + 2] = p.colour.r;
            } else if (bits == 8) {
                at[x] = static_cast<std::uint8_t>(Nearest(p.colour, palette.data(), 5));
            } else {
                int index = Nearest(p.colour, palette.data(), 16);
                at[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
            }
        }
    }
    image.insert(image.end(), colours.begin(), colours.end());
    image.insert(image.end(), mask.begin(), mask.end());
    return image;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
        return 2;
    }
    const int sizes[] = {16, 32, 48};
    const int depths[] = {4, 8, 24};
    std::vector<std::vector<std::uint8_t>> images;
    std::vector<std::uint8_t> directory;
    Put16(directory, 0);
    Put16(directory, 1); // an icon, not a cursor
    Put16(directory, 9);
    unsigned offset = 6 + 9 * 16;
    for (int size : sizes) {
        for (int bits : depths) {
            images.push_back(IconImage(size, bits));
            directory.push_back(static_cast<std::uint8_t>(size));
            directory.push_back(static_cast<std::uint8_t>(size));
            directory.push_back(bits == 4 ? 16 : 0);
            directory.push_back(0);
            Put16(directory, 1);
            Put16(directory, static_cast<unsigned>(bits));
            Put32(directory, static_cast<unsigned>(images.back().size()));
            Put32(directory, offset);
            offset += static_cast<unsigned>(images.back().size());
        }
    }
    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    bool ok = std::fwrite(directory.data(), 1, directory.size(), out) == directory.size();
    for (const auto& image : images) {
        ok = ok && std::fwrite(image.data(), 1, image.size(), out) == image.size();
    }
    ok = std::fclose(out) == 0 && ok;
    return ok ? 0 : 1;
}
