// Writes sample stamps for a first run: two collections of simple, recognisable pictures and a
// few 32x32, 24-bit bitmaps to import. Usage: make_samples FOLDER
#include "Canvas.h"

#include "collection/CollectionFormat.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const Rgb kWhite{255, 255, 255}, kBlack{0, 0, 0}, kYellow{255, 220, 0}, kSky{90, 170, 255},
    kRed{220, 30, 40}, kGreen{40, 160, 60}, kBrown{150, 90, 40};
const Rgb kColours[] = {{220, 30, 40}, {255, 140, 0}, {230, 200, 0},  {40, 160, 60},
                        {0, 150, 200}, {40, 70, 200}, {140, 60, 190}, {230, 80, 160}};

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        std::perror(path.c_str());
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && ok;
}

// A collection file of the given size class whose image n is picture(n); zeros elsewhere.
std::vector<std::uint8_t> Collection(long sizeClass, Canvas (*picture)(int)) {
    std::vector<std::uint8_t> file(static_cast<std::size_t>(sizeClass * 1024), 0);
    int count = sgc::ImageCountForSize(sizeClass * 1024);
    for (int n = 1; n <= count; ++n) {
        std::vector<std::uint8_t> area = picture(n).PixelArea();
        std::copy(area.begin(), area.end(), file.begin() + sgc::RecordOffset(n));
    }
    return file;
}

// Image n shows the number n, white on a colour of its own.
Canvas NumberStamp(int n) {
    Canvas canvas(kColours[(n - 1) % 8]);
    canvas.DrawText(std::to_string(n), n < 100 ? 3 : 2, kWhite);
    return canvas;
}

// The letters A to Z, then shapes in every colour.
Canvas ShapeStamp(int n) {
    Rgb colour = kColours[(n - 1) % 8];
    if (n <= 26) {
        Canvas canvas(kWhite);
        canvas.DrawText(std::string(1, static_cast<char>('A' + n - 1)), 5, colour);
        return canvas;
    }
    Canvas canvas(kWhite);
    switch ((n - 27) / 8 % 5) {
    case 0:
        canvas.FillCircle(16, 16, 12, colour);
        break;
    case 1:
        canvas.FillRect(5, 5, 27, 27, colour);
        break;
    case 2:
        canvas.FillTriangle(16, 3, 29, 28, 3, 28, colour);
        break;
    case 3:
        canvas.FillTriangle(16, 2, 30, 16, 2, 16, colour);
        canvas.FillTriangle(16, 30, 30, 16, 2, 16, colour);
        break;
    default:
        canvas.FillCircle(16, 16, 13, colour);
        canvas.FillCircle(16, 16, 7, kWhite);
        break;
    }
    return canvas;
}

Canvas Sun() {
    Canvas canvas(kSky);
    canvas.FillCircle(16, 16, 9, kYellow);
    canvas.FillRect(15, 1, 17, 5, kYellow); // rays
    canvas.FillRect(15, 27, 17, 31, kYellow);
    canvas.FillRect(1, 15, 5, 17, kYellow);
    canvas.FillRect(27, 15, 31, 17, kYellow);
    return canvas;
}

Canvas Heart() {
    Canvas canvas(kWhite);
    canvas.FillCircle(10.5, 11, 7, kRed);
    canvas.FillCircle(21.5, 11, 7, kRed);
    canvas.FillTriangle(3.6, 13, 28.4, 13, 16, 28, kRed);
    return canvas;
}

Canvas House() {
    Canvas canvas(kSky);
    canvas.FillRect(0, 26, 32, 32, kGreen);
    canvas.FillTriangle(16, 4, 29, 15, 3, 15, kRed);
    canvas.FillRect(7, 15, 25, 27, kWhite);
    canvas.FillRect(13, 19, 19, 27, kBrown);
    canvas.FillRect(22, 5, 25, 11, kBlack);
    return canvas;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_samples FOLDER\n");
        return 2;
    }
    std::string folder = std::string(argv[1]) + "/";
    bool ok = WriteFile(folder + "numeros.sgc", Collection(198, NumberStamp)) &&
              WriteFile(folder + "formes.sgc", Collection(254, ShapeStamp)) &&
              WriteFile(folder + "sol.bmp", Sun().BmpFile()) &&
              WriteFile(folder + "cor.bmp", Heart().BmpFile()) &&
              WriteFile(folder + "casa.bmp", House().BmpFile());
    return ok ? 0 : 1;
}
