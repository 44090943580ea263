#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace {

// 3x5 glyphs, five rows of three bits (left bit first).
const char* Glyph(char c) {
    static const char* const digits[] = {"111101101101111", "010110010010111", "111001111100111",
                                         "111001111001111", "101101111001001", "111100111001111",
                                         "111100111101111", "111001001010010", "111101111101111",
                                         "111101111001111"};
    static const char* const letters[] = {
        "010101111101101", "110101110101110", "011100100100011", "110101101101110",
        "111100110100111", "111100110100100", "011100101101011", "101101111101101",
        "111010010010111", "001001001101010", "101101110101101", "100100100100111",
        "101111111101101", "110101101101101", "010101101101010", "110101110100100",
        "010101101110011", "110101110101101", "011100010001110", "111010010010010",
        "101101101101111", "101101101101010", "101101111111101", "101101010101101",
        "101101010010010", "111001010100111"};
    if (c >= '0' && c <= '9') {
        return digits[c - '0'];
    }
    if (c >= 'A' && c <= 'Z') {
        return letters[c - 'A'];
    }
    return "000000000000000";
}

double Side(double ax, double ay, double bx, double by, double px, double py) {
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

} // namespace

Canvas::Canvas(Rgb background) {
    for (auto& row : pixels_) {
        row.fill(background);
    }
}

void Canvas::FillRect(int left, int top, int right, int bottom, Rgb colour) {
    for (int y = std::max(top, 0); y < std::min(bottom, 32); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, 32); ++x) {
            pixels_[y][x] = colour;
        }
    }
}

void Canvas::FillCircle(double cx, double cy, double radius, Rgb colour) {
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius) {
                pixels_[y][x] = colour;
            }
        }
    }
}

void Canvas::FillTriangle(double x0, double y0, double x1, double y1, double x2, double y2,
                          Rgb colour) {
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            double px = x + 0.5, py = y + 0.5;
            double a = Side(x0, y0, x1, y1, px, py), b = Side(x1, y1, x2, y2, px, py),
                   c = Side(x2, y2, x0, y0, px, py);
            if ((a >= 0 && b >= 0 && c >= 0) || (a <= 0 && b <= 0 && c <= 0)) {
                pixels_[y][x] = colour;
            }
        }
    }
}

void Canvas::DrawText(const std::string& text, int scale, Rgb colour) {
    int width = static_cast<int>(text.size()) * 4 * scale - scale;
    int left = (32 - width) / 2, top = (32 - 5 * scale) / 2;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* glyph = Glyph(text[i]);
        for (int row = 0; row < 5; ++row) {
            for (int column = 0; column < 3; ++column) {
                if (glyph[row * 3 + column] == '1') {
                    int x = left + (static_cast<int>(i) * 4 + column) * scale,
                        y = top + row * scale;
                    FillRect(x, y, x + scale, y + scale, colour);
                }
            }
        }
    }
}

std::vector<std::uint8_t> Canvas::PixelArea() const {
    std::vector<std::uint8_t> area;
    for (const auto& row : pixels_) {
        for (const Rgb& p : row) {
            unsigned word = (p.r >> 3) << 10 | (p.g >> 3) << 5 | p.b >> 3;
            area.push_back(static_cast<std::uint8_t>(word >> 8));
            area.push_back(static_cast<std::uint8_t>(word));
        }
    }
    return area;
}

std::vector<std::uint8_t> Canvas::BmpFile() const {
    const std::uint8_t header[54] = {
        'B', 'M', 0x36, 0x0C, 0,  0, 0,    0,    0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
        32,  0,   0,    0,    32, 0, 0,    0,    1, 0, 24, 0, 0, 0, 0,  0, 0, 0x0C,
        0,   0,   0x12, 0x0B, 0,  0, 0x12, 0x0B, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0};
    std::vector<std::uint8_t> file(header, header + 54);
    for (int y = 31; y >= 0; --y) { // bottom row first
        for (const Rgb& p : pixels_[y]) {
            file.insert(file.end(), {p.b, p.g, p.r});
        }
    }
    return file;
}
