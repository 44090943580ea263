#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A 32x32 true-colour picture to draw sample stamps on, and its two file forms.
struct Rgb {
    std::uint8_t r, g, b;
};

class Canvas {
public:
    explicit Canvas(Rgb background);

    void FillRect(int left, int top, int right, int bottom, Rgb colour);
    void FillCircle(double cx, double cy, double radius, Rgb colour);
    // The triangle of the three points, edges included.
    void FillTriangle(double x0, double y0, double x1, double y1, double x2, double y2, Rgb colour);
    // Text in a 3x5 pixel font (digits and capital letters), each font pixel scale wide,
    // centred on the canvas.
    void DrawText(const std::string& text, int scale, Rgb colour);

    // The 2048-byte pixel area of a collection image: rows top-down, big-endian 15-bit words.
    std::vector<std::uint8_t> PixelArea() const;
    // A complete 3126-byte, 32x32, 24-bit BMP file.
    std::vector<std::uint8_t> BmpFile() const;

private:
    std::array<std::array<Rgb, 32>, 32> pixels_; // [row][column], top row first
};
