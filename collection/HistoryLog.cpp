#include "collection/HistoryLog.h"

#include "collection/CollectionFormat.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace history {

namespace {

constexpr char kMagic[8] = {'B', 'R', 'E', 'L', 'T', 'H', 'I', 'S'};
constexpr std::size_t kMaxKeyBytes = 32767 * 4; // a path as long as Windows allows, in UTF-8
constexpr std::size_t kMaxWhatBytes = 1024;
constexpr int kMaxImage = 126; // the most images a collection has

enum Kind : std::uint32_t {
    kBeginChange = 1,
    kBeginReplay = 2,
    kDone = 3,
    kRolledBack = 4,
    kKept = 5,
    kState = 6,
};

// CRC-32 as zip computes it, eight bytes a step (slicing by eight): a log of 20 MB is read at
// every opening.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    static const auto tables = [] {
        std::array<std::array<std::uint32_t, 256>, 8> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[0][i] = c;
        }
        for (std::uint32_t i = 0; i < 256; ++i) {
            for (std::size_t k = 1; k < 8; ++k) {
                t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
            }
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint32_t low = crc ^ (static_cast<std::uint32_t>(data[i]) |
                                   static_cast<std::uint32_t>(data[i + 1]) << 8 |
                                   static_cast<std::uint32_t>(data[i + 2]) << 16 |
                                   static_cast<std::uint32_t>(data[i + 3]) << 24);
        crc = tables[7][low & 0xFF] ^ tables[6][(low >> 8) & 0xFF] ^ tables[5][(low >> 16) & 0xFF] ^
              tables[4][low >> 24] ^ tables[3][data[i + 4]] ^ tables[2][data[i + 5]] ^
              tables[1][data[i + 6]] ^ tables[0][data[i + 7]];
    }
    for (; i < size; ++i) {
        crc = tables[0][(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

// Little-endian numbers and blocks, written to and read from bytes.
class Writer {
public:
    void U8(std::uint8_t v) { bytes.push_back(v); }
    void U32(std::uint32_t v) { Number(v, 4); }
    void U64(std::uint64_t v) { Number(v, 8); }
    void Block(const void* data, std::size_t size) {
        const auto* from = static_cast<const std::uint8_t*>(data);
        bytes.insert(bytes.end(), from, from + size);
    }
    std::vector<std::uint8_t> bytes;

private:
    void Number(std::uint64_t v, int width) {
        for (int i = 0; i < width; ++i) {
            bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        }
    }
};

// Reads within its bytes only; the first read past the end makes it fail, and it stays failed.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::uint8_t U8() { return static_cast<std::uint8_t>(Number(1)); }
    std::uint32_t U32() { return static_cast<std::uint32_t>(Number(4)); }
    std::uint64_t U64() { return Number(8); }
    bool Block(void* to, std::size_t size) {
        if (!Has(size)) {
            return false;
        }
        std::memcpy(to, m_data + m_at, size);
        m_at += size;
        return true;
    }
    bool Has(std::size_t size) {
        m_ok = m_ok && size <= m_size - m_at;
        return m_ok;
    }
    bool ok() const { return m_ok; }
    bool AtEnd() const { return m_ok && m_at == m_size; }

private:
    std::uint64_t Number(int width) {
        if (!Has(static_cast<std::size_t>(width))) {
            return 0;
        }
        std::uint64_t v = 0;
        for (int i = 0; i < width; ++i) {
            v |= static_cast<std::uint64_t>(m_data[m_at++]) << (8 * i);
        }
        return v;
    }
    const std::uint8_t* m_data;
    std::size_t m_size, m_at = 0;
    bool m_ok = true;
};

std::vector<std::uint8_t> Record(Kind kind, const std::vector<std::uint8_t>& payload) {
    Writer w;
    w.U32(kind);
    w.U32(static_cast<std::uint32_t>(payload.size()));
    w.Block(payload.data(), payload.size());
    w.U32(Crc32(w.bytes.data(), w.bytes.size()));
    return w.bytes;
}

std::vector<std::uint8_t> ChangePayload(const Change& change) {
    Writer w;
    w.U64(change.id);
    w.U64(static_cast<std::uint64_t>(change.time));
    w.U32(static_cast<std::uint32_t>(change.what.size()));
    w.Block(change.what.data(), change.what.size());
    w.U32(static_cast<std::uint32_t>(change.images.size()));
    for (int image : change.images) {
        w.U32(static_cast<std::uint32_t>(image));
    }
    for (const auto* areas : {&change.before, &change.after}) {
        for (const PixelAreaBytes& area : *areas) {
            w.Block(area.data(), area.size());
        }
    }
    return w.bytes;
}

std::optional<Change> ReadChange(Reader& r) {
    Change change;
    change.id = r.U64();
    change.time = static_cast<std::int64_t>(r.U64());
    std::uint32_t whatSize = r.U32();
    if (!r.ok() || whatSize > kMaxWhatBytes) {
        return std::nullopt;
    }
    change.what.resize(whatSize);
    r.Block(change.what.data(), whatSize);
    std::uint32_t count = r.U32();
    if (!r.ok() || count > static_cast<std::uint32_t>(kMaxImage)) {
        return std::nullopt;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t image = r.U32();
        if (image < 1 || image > static_cast<std::uint32_t>(kMaxImage)) {
            return std::nullopt;
        }
        change.images.push_back(static_cast<int>(image));
    }
    for (auto* areas : {&change.before, &change.after}) {
        for (std::uint32_t i = 0; i < count && r.ok(); ++i) {
            PixelAreaBytes area(sgc::kPixelAreaSize);
            r.Block(area.data(), area.size());
            areas->push_back(std::move(area));
        }
    }
    return r.AtEnd() ? std::optional<Change>(std::move(change)) : std::nullopt;
}

bool Matches(const State& state, std::uint64_t id) {
    return state.pending && state.changes[state.pending->index].id == id;
}

bool ApplyChange(State& state, Change change, bool begun) {
    if (state.pending || change.id < state.nextId) {
        return false;
    }
    state.nextId = change.id + 1;
    if (begun) {
        state.changes.resize(state.applied); // a new change: nothing is left to redo
        state.pending = Pending{Step::Change, state.changes.size()};
    }
    state.changes.push_back(std::move(change));
    return true;
}

bool ReplayStarts(State& state, bool undo, std::uint64_t id) {
    if (state.pending) {
        return false;
    }
    const Change* next = undo ? state.NextUndo() : state.NextRedo();
    if (next == nullptr || next->id != id) {
        return false;
    }
    state.pending =
        undo ? Pending{Step::Undo, state.applied - 1} : Pending{Step::Redo, state.applied};
    return true;
}

bool StepDone(State& state, std::uint64_t id, const Digest& left) {
    if (!Matches(state, id)) {
        return false;
    }
    const Pending step = *state.pending;
    state.applied = step.step == Step::Undo ? step.index : step.index + 1;
    state.left = left;
    state.pending.reset();
    return true;
}

bool StepRolledBack(State& state, std::uint64_t id) {
    if (!Matches(state, id)) {
        return false;
    }
    if (state.pending->step == Step::Change) {
        state.changes.pop_back();
    }
    state.pending.reset();
    return true;
}

bool ApplyPayload(State& state, std::uint32_t kind, Reader& r) {
    switch (kind) {
    case kBeginChange:
    case kKept: {
        std::optional<Change> change = ReadChange(r);
        return change && ApplyChange(state, std::move(*change), kind == kBeginChange);
    }
    case kBeginReplay: {
        std::uint8_t undo = r.U8();
        std::uint64_t id = r.U64();
        return r.AtEnd() && undo <= 1 && ReplayStarts(state, undo == 1, id);
    }
    case kDone: {
        std::uint64_t id = r.U64();
        Digest left{};
        r.Block(left.data(), left.size());
        return r.AtEnd() && StepDone(state, id, left);
    }
    case kRolledBack: {
        std::uint64_t id = r.U64();
        return r.AtEnd() && StepRolledBack(state, id);
    }
    case kState: {
        std::uint64_t applied = r.U64();
        std::uint64_t nextId = r.U64();
        std::uint8_t hasLeft = r.U8();
        Digest left{};
        r.Block(left.data(), left.size());
        if (!r.AtEnd() || state.pending || applied > state.changes.size() || hasLeft > 1) {
            return false;
        }
        if (!state.changes.empty() && nextId <= state.changes.back().id) {
            return false;
        }
        state.applied = static_cast<std::size_t>(applied);
        state.nextId = std::max(state.nextId, nextId);
        state.left = hasLeft == 1 ? std::optional<Digest>(left) : std::nullopt;
        return true;
    }
    default:
        return false;
    }
}

// The header of a log: the magic, the version, the collection's key and its check.
ReadStatus ReadHeader(Reader& r, const std::string& key) {
    char magic[8] = {};
    r.Block(magic, sizeof magic);
    std::uint32_t version = r.U32();
    std::uint32_t keySize = r.U32();
    if (!r.ok() || std::memcmp(magic, kMagic, sizeof magic) != 0 || keySize > kMaxKeyBytes) {
        return ReadStatus::Damaged;
    }
    if (version > kVersion) {
        return ReadStatus::Newer;
    }
    std::string own(keySize, '\0');
    r.Block(own.data(), keySize);
    std::uint32_t crc = r.U32();
    if (!r.ok() || version != kVersion) {
        return ReadStatus::Damaged;
    }
    std::vector<std::uint8_t> expected = LogHeader(own);
    if (Crc32(expected.data(), expected.size() - 4) != crc) {
        return ReadStatus::Damaged;
    }
    return own == key ? ReadStatus::Read : ReadStatus::OtherCollection;
}

bool AllZero(const std::uint8_t* data, std::size_t size) {
    return std::all_of(data, data + size, [](std::uint8_t b) { return b == 0; });
}

} // namespace

std::optional<std::string> LogKey(const std::uint8_t* data, std::size_t size) {
    Reader r(data, size);
    char magic[8] = {};
    r.Block(magic, sizeof magic);
    std::uint32_t version = r.U32();
    std::uint32_t keySize = r.U32();
    if (!r.ok() || std::memcmp(magic, kMagic, sizeof magic) != 0 || version != kVersion ||
        keySize > kMaxKeyBytes) {
        return std::nullopt;
    }
    std::string key(keySize, '\0');
    return r.Block(key.data(), keySize) ? std::optional<std::string>(key) : std::nullopt;
}

bool ApplyBeginChange(State& state, Change change) {
    return ApplyChange(state, std::move(change), true);
}

bool ApplyBeginReplay(State& state, bool undo, std::uint64_t id) {
    return ReplayStarts(state, undo, id);
}

bool ApplyDone(State& state, std::uint64_t id, const Digest& left) {
    return StepDone(state, id, left);
}

bool ApplyRolledBack(State& state, std::uint64_t id) {
    return StepRolledBack(state, id);
}

const std::vector<PixelAreaBytes>& State::From(const Pending& step) const {
    const Change& change = changes[step.index];
    return step.step == Step::Undo ? change.after : change.before;
}

const std::vector<PixelAreaBytes>& State::To(const Pending& step) const {
    const Change& change = changes[step.index];
    return step.step == Step::Undo ? change.before : change.after;
}

std::vector<std::uint8_t> LogHeader(const std::string& key) {
    Writer w;
    w.Block(kMagic, sizeof kMagic);
    w.U32(kVersion);
    w.U32(static_cast<std::uint32_t>(key.size()));
    w.Block(key.data(), key.size());
    w.U32(Crc32(w.bytes.data(), w.bytes.size()));
    return w.bytes;
}

std::vector<std::uint8_t> BeginChangeRecord(const Change& change) {
    return Record(kBeginChange, ChangePayload(change));
}

std::vector<std::uint8_t> BeginReplayRecord(bool undo, std::uint64_t id) {
    Writer w;
    w.U8(undo ? 1 : 0);
    w.U64(id);
    return Record(kBeginReplay, w.bytes);
}

std::vector<std::uint8_t> DoneRecord(std::uint64_t id, const Digest& left) {
    Writer w;
    w.U64(id);
    w.Block(left.data(), left.size());
    return Record(kDone, w.bytes);
}

std::vector<std::uint8_t> RolledBackRecord(std::uint64_t id) {
    Writer w;
    w.U64(id);
    return Record(kRolledBack, w.bytes);
}

bool ApplyRecord(State& state, const std::vector<std::uint8_t>& record) {
    Reader r(record.data(), record.size());
    std::uint32_t kind = r.U32();
    std::uint32_t size = r.U32();
    if (!r.ok() || record.size() != std::size_t{size} + 12) {
        return false;
    }
    Reader payload(record.data() + 8, size);
    return ApplyPayload(state, kind, payload);
}

ReadResult ReadLog(const std::uint8_t* data, std::size_t size, const std::string& key) {
    ReadResult result;
    std::vector<std::uint8_t> header = LogHeader(key);
    // Nothing, or a header cut off as it was first written: no history yet.
    if (size < header.size() && (size == 0 || std::memcmp(data, header.data(), size) == 0)) {
        return result;
    }
    Reader r(data, size);
    result.status = ReadHeader(r, key);
    if (result.status != ReadStatus::Read) {
        result.state = {};
        return result;
    }
    std::size_t at = header.size();
    while (at < size) {
        std::size_t left = size - at;
        Reader fields(data + at, left);
        std::uint32_t kind = fields.U32();
        std::uint32_t length = fields.U32();
        bool whole = fields.ok() && std::uint64_t{length} + 12 <= left;
        bool checked = whole && Crc32(data + at, std::size_t{length} + 8) ==
                                    Reader(data + at + 8 + length, 4).U32();
        if (!checked) {
            // Cut off in its own writing, or zeros where it was to be: the end of the log.
            bool last = !whole || std::uint64_t{length} + 12 == left || AllZero(data + at, left);
            result.status = last ? ReadStatus::Read : ReadStatus::Damaged;
            break;
        }
        Reader payload(data + at + 8, length);
        if (!ApplyPayload(result.state, kind, payload)) {
            result.status = ReadStatus::Damaged;
            break;
        }
        at += std::size_t{length} + 12;
    }
    if (result.status != ReadStatus::Read) {
        result.state = {};
        return result;
    }
    result.validBytes = at;
    return result;
}

bool BeyondBounds(const State& state, std::uint64_t logBytes) {
    return state.changes.size() > kMaxChanges || logBytes > kMaxLogBytes;
}

std::vector<std::uint8_t> CompactLog(const std::string& key, State& state) {
    auto recordSize = [](const Change& c) {
        return 12 + ChangePayload(c).size(); // as the log holds it
    };
    std::uint64_t bytes = LogHeader(key).size() + 12 + 17 + Digest{}.size(); // with the state
    for (const Change& change : state.changes) {
        bytes += recordSize(change);
    }
    // Down to nine tenths of the bounds, so that the log is not written anew at every change.
    auto roomy = [&] {
        return state.changes.size() <= kMaxChanges * 9 / 10 && bytes <= kMaxLogBytes / 10 * 9;
    };
    while (!state.changes.empty() && !roomy()) {
        if (state.applied == 0) {
            // The oldest was undone: what follows it can no longer be done again either.
            state.changes.clear();
            break;
        }
        bytes -= recordSize(state.changes.front());
        state.changes.erase(state.changes.begin());
        --state.applied;
    }
    std::vector<std::uint8_t> log = LogHeader(key);
    for (const Change& change : state.changes) {
        std::vector<std::uint8_t> kept = Record(kKept, ChangePayload(change));
        log.insert(log.end(), kept.begin(), kept.end());
    }
    Writer w;
    w.U64(state.changes.empty() ? 0 : state.applied);
    w.U64(state.nextId);
    w.U8(state.left ? 1 : 0);
    Digest left = state.left.value_or(Digest{});
    w.Block(left.data(), left.size());
    std::vector<std::uint8_t> record = Record(kState, w.bytes);
    log.insert(log.end(), record.begin(), record.end());
    if (state.changes.empty()) {
        state.applied = 0;
    }
    return log;
}

} // namespace history
