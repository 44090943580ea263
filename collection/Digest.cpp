#include "collection/Digest.h"

namespace {

std::uint64_t RotateLeft(std::uint64_t value, int bits) {
    return (value << bits) | (value >> (64 - bits));
}

std::uint64_t Mix(std::uint64_t k) {
    k ^= k >> 33;
    k *= 0xff51afd7ed558ccdULL;
    k ^= k >> 33;
    k *= 0xc4ceb9fe1a85ec53ULL;
    k ^= k >> 33;
    return k;
}

std::uint64_t Little64(const std::uint8_t* bytes, std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        value |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
    }
    return value;
}

constexpr std::uint64_t kC1 = 0x87c37b91114253d5ULL;
constexpr std::uint64_t kC2 = 0x4cf5ad432745937fULL;

} // namespace

Digest Fingerprint(const std::uint8_t* data, std::size_t size) {
    std::uint64_t h1 = 0, h2 = 0;
    const std::size_t blocks = size / 16;
    for (std::size_t i = 0; i < blocks; ++i) {
        std::uint64_t k1 = Little64(data + 16 * i, 8), k2 = Little64(data + 16 * i + 8, 8);
        h1 ^= RotateLeft(k1 * kC1, 31) * kC2;
        h1 = (RotateLeft(h1, 27) + h2) * 5 + 0x52dce729;
        h2 ^= RotateLeft(k2 * kC2, 33) * kC1;
        h2 = (RotateLeft(h2, 31) + h1) * 5 + 0x38495ab5;
    }
    const std::uint8_t* tail = data + 16 * blocks;
    const std::size_t left = size % 16;
    if (left > 8) {
        h2 ^= RotateLeft(Little64(tail + 8, left - 8) * kC2, 33) * kC1;
    }
    if (left > 0) {
        h1 ^= RotateLeft(Little64(tail, left < 8 ? left : 8) * kC1, 31) * kC2;
    }
    h1 ^= size;
    h2 ^= size;
    h1 += h2;
    h2 += h1;
    h1 = Mix(h1);
    h2 = Mix(h2);
    h1 += h2;
    h2 += h1;
    Digest digest;
    for (int i = 0; i < 8; ++i) {
        digest[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(h1 >> (8 * i));
        digest[static_cast<std::size_t>(8 + i)] = static_cast<std::uint8_t>(h2 >> (8 * i));
    }
    return digest;
}

std::string HexOf(const Digest& digest) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (std::uint8_t byte : digest) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}
