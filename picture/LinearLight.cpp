#include "picture/LinearLight.h"

#include <algorithm>
#include <cmath>

namespace picture {

const std::array<float, 256>& LinearOfByte() {
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t{};
        for (std::size_t i = 0; i < t.size(); ++i) {
            double c = static_cast<double>(i) / 255.0;
            t[i] =
                static_cast<float>(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
        }
        return t;
    }();
    return table;
}

float EncodeSrgb(float linear) {
    float c = std::clamp(linear, 0.0f, 1.0f);
    float encoded = c <= 0.0031308f ? c * 12.92f : 1.055f * std::pow(c, 1.0f / 2.4f) - 0.055f;
    return encoded * 255.0f;
}

float DecodeSrgb(float encoded) {
    const float c = std::clamp(encoded, 0.0f, 255.0f) / 255.0f;
    return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
}

float Oklab::Chroma() const {
    return std::hypot(a, b);
}

// Björn Ottosson's OKLab: linear sRGB to cone responses, their cube roots, then the opponent
// axes.
Oklab OklabOf(const LinearRgb& c) {
    const float l = std::cbrt(0.4122214708f * c[0] + 0.5363325363f * c[1] + 0.0514459929f * c[2]);
    const float m = std::cbrt(0.2119034982f * c[0] + 0.6806995451f * c[1] + 0.1073969566f * c[2]);
    const float s = std::cbrt(0.0883024619f * c[0] + 0.2817188376f * c[1] + 0.6299787005f * c[2]);
    return {0.2104542553f * l + 0.7936177850f * m - 0.0040720468f * s,
            1.9779984951f * l - 2.4285922050f * m + 0.4505937099f * s,
            0.0259040371f * l + 0.7827717662f * m - 0.8086757660f * s};
}

LinearRgb LinearOf(const Oklab& lab) {
    // Björn Ottosson's inverse of the transform above.
    const float l = lab.lightness + 0.3963377774f * lab.a + 0.2158037573f * lab.b;
    const float m = lab.lightness - 0.1055613458f * lab.a - 0.0638541728f * lab.b;
    const float s = lab.lightness - 0.0894841775f * lab.a - 1.2914855480f * lab.b;
    const float l3 = l * l * l, m3 = m * m * m, s3 = s * s * s;
    return {4.0767416621f * l3 - 3.3077115913f * m3 + 0.2309699292f * s3,
            -1.2684380046f * l3 + 2.6097574011f * m3 - 0.3413193965f * s3,
            -0.0041960863f * l3 - 0.7034186147f * m3 + 1.7076147010f * s3};
}

float DistanceSquared(const Oklab& x, const Oklab& y) {
    const float dl = x.lightness - y.lightness, da = x.a - y.a, db = x.b - y.b;
    return dl * dl + da * da + db * db;
}

} // namespace picture
