#include "platform/Sha256.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    std::optional<Sha256Digest> digest = Sha256Of(bytes);
    std::string hex;
    for (std::uint8_t byte : digest.value()) {
        hex += "0123456789abcdef"[byte >> 4];
        hex += "0123456789abcdef"[byte & 15];
    }
    return hex;
}

} // namespace

// The system's SHA-256 against the standard's own examples.
TEST(Sha256, MatchesTheStandardsExamples) {
    EXPECT_EQ(Hex({}), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Hex({'a', 'b', 'c'}),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Hex(std::vector<std::uint8_t>(1000000, 'a')),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}
