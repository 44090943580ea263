#include "platform/Sha256.h"

#include <windows.h>

#include <bcrypt.h>

namespace {

// One provider and one hash object, each closed with its own call.
class CHashProvider {
public:
    CHashProvider() {
        if (!BCRYPT_SUCCESS(
                ::BCryptOpenAlgorithmProvider(&m_algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) {
            m_algorithm = nullptr;
        }
    }
    ~CHashProvider() {
        if (m_algorithm != nullptr) {
            ::BCryptCloseAlgorithmProvider(m_algorithm, 0);
        }
    }
    CHashProvider(const CHashProvider&) = delete;
    CHashProvider& operator=(const CHashProvider&) = delete;
    BCRYPT_ALG_HANDLE Handle() const { return m_algorithm; }

private:
    BCRYPT_ALG_HANDLE m_algorithm = nullptr;
};

class CHash {
public:
    explicit CHash(BCRYPT_ALG_HANDLE algorithm) {
        if (algorithm == nullptr ||
            !BCRYPT_SUCCESS(::BCryptCreateHash(algorithm, &m_hash, nullptr, 0, nullptr, 0, 0))) {
            m_hash = nullptr;
        }
    }
    ~CHash() {
        if (m_hash != nullptr) {
            ::BCryptDestroyHash(m_hash);
        }
    }
    CHash(const CHash&) = delete;
    CHash& operator=(const CHash&) = delete;
    BCRYPT_HASH_HANDLE Handle() const { return m_hash; }

private:
    BCRYPT_HASH_HANDLE m_hash = nullptr;
};

} // namespace

std::optional<Sha256Digest> Sha256Of(const std::vector<std::uint8_t>& bytes) {
    CHashProvider provider;
    CHash hash(provider.Handle());
    Sha256Digest digest{};
    // BCryptHashData takes a non-const pointer but only reads; a ULONG at a time.
    auto* data = const_cast<PUCHAR>(bytes.data());
    for (std::size_t at = 0; hash.Handle() != nullptr && at < bytes.size();) {
        const auto part = static_cast<ULONG>(std::min<std::size_t>(bytes.size() - at, 1u << 30));
        if (!BCRYPT_SUCCESS(::BCryptHashData(hash.Handle(), data + at, part, 0))) {
            return std::nullopt;
        }
        at += part;
    }
    if (hash.Handle() == nullptr ||
        !BCRYPT_SUCCESS(::BCryptFinishHash(hash.Handle(), digest.data(), 32, 0))) {
        return std::nullopt;
    }
    return digest;
}
