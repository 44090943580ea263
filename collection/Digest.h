#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// SHA-256 of a block of bytes: what the history keeps of a collection's whole content as brelt
// left it, so that a file changed by anyone else since is told apart across runs too.
using Digest = std::array<std::uint8_t, 32>;

Digest Sha256(const std::uint8_t* data, std::size_t size);

// The digest as 64 hexadecimal digits, for tests and messages.
std::string HexOf(const Digest& digest);
