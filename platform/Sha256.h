#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// SHA-256 from the system's cryptography (BCrypt): the library's digest of a collection's bytes.
using Sha256Digest = std::array<std::uint8_t, 32>;

// Nothing when the system could not take it.
std::optional<Sha256Digest> Sha256Of(const std::vector<std::uint8_t>& bytes);
