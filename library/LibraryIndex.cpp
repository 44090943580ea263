#include "library/LibraryIndex.h"

#include "collection/Digest.h"

#include <cstring>

namespace library {

namespace {

constexpr char kMagic[8] = {'B', 'R', 'E', 'L', 'T', 'L', 'I', 'B'};
constexpr std::uint32_t kVersion = 1;
// Far beyond any library or path: a count above these is damage, not data.
constexpr std::uint32_t kMostEntries = 1u << 20;
constexpr std::uint32_t kMostPathBytes = 1u << 15;
constexpr std::uint32_t kMostPrints = 1024;

class Writer {
public:
    void Bytes(const void* data, std::size_t size) {
        const auto* p = static_cast<const std::uint8_t*>(data);
        out.insert(out.end(), p, p + size);
    }
    void Number(std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        }
    }
    std::vector<std::uint8_t> out;
};

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool Bytes(void* to, std::size_t size) {
        if (size > m_size - m_at) {
            return false;
        }
        std::memcpy(to, m_data + m_at, size);
        m_at += size;
        return true;
    }
    bool Number(std::uint64_t& value, int bytes) {
        std::uint8_t raw[8] = {};
        if (!Bytes(raw, static_cast<std::size_t>(bytes))) {
            return false;
        }
        value = 0;
        for (int i = bytes - 1; i >= 0; --i) {
            value = value << 8 | raw[i];
        }
        return true;
    }
    bool AtEnd() const { return m_at == m_size; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size, m_at = 0;
};

void WriteEntry(Writer& w, const Entry& entry) {
    w.Number(entry.path.size(), 4);
    w.Bytes(entry.path.data(), entry.path.size());
    w.Number(entry.size, 8);
    w.Number(static_cast<std::uint64_t>(entry.modified), 8);
    w.Bytes(entry.digest.data(), entry.digest.size());
    w.Number(static_cast<std::uint8_t>(entry.state), 1);
    w.Number(entry.prints.size(), 4);
    for (const Print& print : entry.prints) {
        for (std::int16_t value : print.lab) {
            w.Number(static_cast<std::uint16_t>(value), 2);
        }
    }
}

bool ReadPrints(Reader& r, std::vector<Print>& prints) {
    std::uint64_t count = 0;
    if (!r.Number(count, 4) || count > kMostPrints) {
        return false;
    }
    prints.resize(count); // at most kMostPrints, 384 KB
    for (Print& print : prints) {
        for (std::int16_t& value : print.lab) {
            std::uint64_t raw = 0;
            if (!r.Number(raw, 2)) {
                return false;
            }
            value = static_cast<std::int16_t>(static_cast<std::uint16_t>(raw));
        }
    }
    return true;
}

bool ReadEntry(Reader& r, Entry& entry) {
    std::uint64_t length = 0, modified = 0, state = 0;
    if (!r.Number(length, 4) || length > kMostPathBytes) {
        return false;
    }
    entry.path.resize(length);
    if (!r.Bytes(entry.path.data(), length) || !r.Number(entry.size, 8) || !r.Number(modified, 8) ||
        !r.Bytes(entry.digest.data(), entry.digest.size()) || !r.Number(state, 1) ||
        state > static_cast<std::uint8_t>(Entry::State::Unreadable)) {
        return false;
    }
    entry.modified = static_cast<std::int64_t>(modified);
    entry.state = static_cast<Entry::State>(state);
    return ReadPrints(r, entry.prints);
}

} // namespace

std::vector<std::uint8_t> Serialize(const Index& index) {
    Writer w;
    w.Bytes(kMagic, sizeof(kMagic));
    w.Number(kVersion, 4);
    w.Number(index.entries.size(), 4);
    for (const Entry& entry : index.entries) {
        WriteEntry(w, entry);
    }
    const Digest check = Fingerprint(w.out.data(), w.out.size());
    w.Bytes(check.data(), check.size());
    return std::move(w.out);
}

std::optional<Index> Parse(const std::vector<std::uint8_t>& bytes) {
    Digest check{};
    if (bytes.size() < sizeof(kMagic) + 8 + check.size() ||
        std::memcmp(bytes.data(), kMagic, sizeof(kMagic)) != 0) {
        return std::nullopt;
    }
    const std::size_t body = bytes.size() - check.size();
    std::memcpy(check.data(), bytes.data() + body, check.size());
    if (Fingerprint(bytes.data(), body) != check) {
        return std::nullopt;
    }
    Reader r(bytes.data() + sizeof(kMagic), body - sizeof(kMagic));
    std::uint64_t version = 0, count = 0;
    if (!r.Number(version, 4) || version != kVersion || !r.Number(count, 4) ||
        count > kMostEntries) {
        return std::nullopt;
    }
    Index index;
    for (std::uint64_t i = 0; i < count; ++i) { // one at a time: a count that lies costs nothing
        if (!ReadEntry(r, index.entries.emplace_back())) {
            return std::nullopt;
        }
    }
    return r.AtEnd() ? std::optional(std::move(index)) : std::nullopt;
}

} // namespace library
