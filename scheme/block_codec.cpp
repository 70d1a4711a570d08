// The block method's piece compressor and block expander.
#include "scheme/block_codec.h"

#include <bit>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace tarnwick {

namespace {

constexpr size_t kMaxOffset = 4095;
constexpr size_t kMinCopy = 3;
constexpr size_t kMaxCopy = 18;
constexpr size_t kMinRun = 16;
constexpr size_t kMaxRun = 4095;
constexpr uint16_t kEmpty = 0xFFFF;

// Words are compared by their lowest-addressed bytes first.
static_assert(std::endian::native == std::endian::little);

inline uint64_t Load64(const uint8_t* p)
{
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void PutWord(uint8_t* at, unsigned value)
{
    at[0] = uint8_t(value >> 8);
    at[1] = uint8_t(value);
}

inline unsigned Hash(const uint8_t* b)
{
    uint32_t key = ((((uint32_t(b[0]) << 4) ^ b[1]) << 4) ^ b[2]);
    return ((key * 40543u) >> 4) & 0xFFF;
}

// Length of the run of bytes equal to b[p], capped at kMaxRun and at n; only
// an exact count of 16 or more matters, shorter runs may be reported as 0.
inline size_t RunLength(const uint8_t* b, size_t p, size_t n)
{
    if (p + kMinRun > n)
        return 0;
    const uint64_t pattern = 0x0101010101010101ull * b[p];
    if (Load64(b + p) != pattern || Load64(b + p + 8) != pattern)
        return 0;
    const size_t limit = std::min(n - p, kMaxRun);
    size_t run = kMinRun;
    while (run + 8 <= limit && Load64(b + p + run) == pattern)
        run += 8;
    while (run < limit && b[p + run] == b[p])
        ++run;
    return run;
}

// Number of equal bytes at q and p (q < p), counted while below `limit`.
inline size_t MatchLength(const uint8_t* b, size_t q, size_t p, size_t limit)
{
    size_t i = 0;
    if (limit >= 16) {
        uint64_t diff = Load64(b + q) ^ Load64(b + p);
        if (diff != 0)
            return size_t(__builtin_ctzll(diff)) >> 3;
        diff = Load64(b + q + 8) ^ Load64(b + p + 8);
        if (diff != 0)
            return 8 + (size_t(__builtin_ctzll(diff)) >> 3);
        i = 16;
    }
    while (i < limit && b[q + i] == b[p + i])
        ++i;
    return i;
}

}  // namespace

size_t TBlockCodec::CompressPiece(const uint8_t* piece, size_t n, uint8_t* out, uint16_t* hash)
{
    static_assert(kEmpty == 0xFFFF);
    std::memset(hash, 0xFF, kHashEntries * sizeof(uint16_t));
    out[0] = kCompressedFlag;
    size_t controlAt = 1;
    size_t w = 3;
    unsigned items = 0;
    unsigned control = 0;
    size_t p = 0;

    auto startItem = [&] {
        if (items == 16) {
            PutWord(out + controlAt, control);
            controlAt = w;
            w += 2;
            items = 0;
            control = 0;
        }
        ++items;
    };
    auto putRun = [&](size_t run) {
        const size_t r = run - kMinRun;
        out[w] = 0;
        out[w + 1] = uint8_t(r >> 8);
        out[w + 2] = uint8_t(r);
        out[w + 3] = piece[p];
        w += 4;
        control = (control << 1) | 1;
        p += run;
    };
    auto putCopy = [&](size_t q, size_t length) {
        PutWord(out + w, unsigned((p - q) * 16 + length - kMinCopy));
        w += 2;
        control = (control << 1) | 1;
        p += length;
    };

    // The output check runs once per item: an item adds at most 6 bytes
    // (control word and run), so `out` never needs more than n + 8 bytes.
    // An empty slot holds 0xFFFF, which is never within 4095 of a position
    // below 32768, so the distance test also rejects empty slots.

    // Main loop: at least 18 bytes ahead, so whole words may be read at p.
    while (p + kMaxCopy <= n && w <= n) {
        startItem();
        const uint64_t here = Load64(piece + p);
        if (here == 0x0101010101010101ull * (here & 0xFF) && Load64(piece + p + 8) == here) {
            putRun(RunLength(piece, p, n));
            continue;
        }
        uint16_t& slot = hash[Hash(piece + p)];
        const size_t q = slot;
        slot = uint16_t(p);
        if (p - q <= kMaxOffset) {
            uint64_t diff = Load64(piece + q) ^ here;
            if ((diff & 0xFFFFFF) == 0) {
                size_t length;
                if (diff != 0) {
                    length = size_t(__builtin_ctzll(diff)) >> 3;
                } else if ((diff = Load64(piece + q + 8) ^ Load64(piece + p + 8)) != 0) {
                    length = 8 + (size_t(__builtin_ctzll(diff)) >> 3);
                } else {
                    length = 16;
                    if (piece[q + 16] == piece[p + 16])
                        length = piece[q + 17] == piece[p + 17] ? 18 : 17;
                }
                putCopy(q, length);
                continue;
            }
        }
        out[w++] = piece[p++];
        control <<= 1;
    }

    // The last bytes, with every read held below n.
    while (p < n && w <= n) {
        startItem();
        if (size_t run = RunLength(piece, p, n); run >= kMinRun) {
            putRun(run);
            continue;
        }
        // Fewer than 3 bytes left can never make a copy, and a position
        // entered there could never be looked up again: skip the probe.
        if (p + kMinCopy <= n) {
            uint16_t& slot = hash[Hash(piece + p)];
            const size_t q = slot;
            slot = uint16_t(p);
            if (p - q <= kMaxOffset) {
                const size_t length = MatchLength(piece, q, p, std::min(kMaxCopy, n - p));
                if (length >= kMinCopy) {
                    putCopy(q, length);
                    continue;
                }
            }
        }
        out[w++] = piece[p++];
        control <<= 1;
    }

    if (p < n || w > n) {
        out[0] = kStoredFlag;
        std::memcpy(out + 1, piece, n);
        return n + 1;
    }
    PutWord(out + controlAt, control << (16 - items));
    return w;
}

namespace {

enum TItem { kBad, kDone, kDoneRun };

// Expands one coded or literal item. Unchecked items rely on the caller
// knowing that the input holds 4 more bytes and the output 18 more; runs
// and copy offsets are checked always.
template <bool Checked>
inline TItem ExpandItem(bool coded, const uint8_t* in, size_t length, size_t& r, uint8_t* out,
                        size_t& o, size_t capacity)
{
    if (!coded) {
        if (Checked && o >= capacity)
            return kBad;
        out[o++] = in[r++];
        return kDone;
    }
    if (Checked && length - r < 2)
        return kBad;
    const size_t offset = size_t(in[r]) * 16 + (in[r + 1] >> 4);
    if (offset == 0) {
        if (Checked && length - r < 4)
            return kBad;
        const size_t run = size_t(in[r + 1]) * 256 + in[r + 2] + kMinRun;
        if (run > capacity - o)
            return kBad;
        std::memset(out + o, in[r + 3], run);
        o += run;
        r += 4;
        return kDoneRun;
    }
    const size_t count = (in[r + 1] & 0x0F) + kMinCopy;
    r += 2;
    if (offset > o || (Checked && count > capacity - o))
        return kBad;
    // Always 18 bytes: the tail past `count` lands in bytes the next items
    // overwrite, or in the slack.
    uint8_t* dst = out + o;
    const uint8_t* src = dst - offset;
    if (offset >= 8) {
        // Eight at a time never reads a byte this copy has yet to write.
        std::memcpy(dst, src, 8);
        std::memcpy(dst + 8, src + 8, 8);
        std::memcpy(dst + 16, src + 16, 2);
    } else if (offset == 1) {
        std::memset(dst, src[0], kMaxCopy);
    } else {
        for (size_t i = 0; i < kMaxCopy; ++i)
            dst[i] = src[i];
    }
    o += count;
    return kDone;
}

}  // namespace

bool TBlockCodec::ExpandBlock(const uint8_t* in, size_t length, uint8_t* out, size_t capacity,
                              size_t& produced)
{
    static_assert(kOutputSlack >= kMaxCopy);
    produced = 0;
    if (length < 2)
        return true;
    if (in[0] == kStoredFlag) {
        if (length - 1 > capacity)
            return false;
        std::memcpy(out, in + 1, length - 1);
        produced = length - 1;
        return true;
    }
    if (in[0] != kCompressedFlag || length < 3)
        return false;

    // Room a group needs behind its control word: 16 items of at most 4
    // bytes, and the 16-byte literal copy may start at the last of them.
    constexpr size_t kGroupIn = 16 * 4 + 16;
    constexpr size_t kGroupOut = 16 * kMaxCopy;
    size_t r = 1;
    size_t o = 0;
    while (r < length) {
        if (length - r < 2)
            return false;
        unsigned control = (unsigned(in[r]) << 8) | in[r + 1];
        r += 2;
        int bit = 0;
        // A whole group fits in the input and output left: no per-item
        // bounds checks, and a stretch of literals is one 16-byte copy,
        // until a run uses up the output room.
        if (length - r >= kGroupIn && capacity - o >= kGroupOut) {
            while (bit < 16) {
                const unsigned pending = (control << bit) & 0xFFFF;
                const int literals =
                    pending == 0 ? 16 - bit : __builtin_clz(pending << 16);
                std::memcpy(out + o, in + r, 16);
                o += size_t(literals);
                r += size_t(literals);
                bit += literals;
                if (bit == 16)
                    break;
                const TItem item = ExpandItem<false>(true, in, length, r, out, o, capacity);
                ++bit;
                if (item == kBad)
                    return false;
                if (item == kDoneRun && capacity - o < kGroupOut)
                    break;
            }
            control <<= bit;
        }
        for (; bit < 16 && r < length; ++bit, control <<= 1) {
            if (ExpandItem<true>(control & 0x8000, in, length, r, out, o, capacity) == kBad)
                return false;
        }
    }
    produced = o;
    return true;
}

std::string TBlockCodec::CompressPiece(std::string_view piece)
{
    if (piece.size() > kPieceSize)
        throw std::length_error("piece larger than 32768 bytes");
    std::vector<uint16_t> hash(kHashEntries);
    std::vector<uint8_t> out(kMaxBlockData);
    const size_t length = CompressPiece(reinterpret_cast<const uint8_t*>(piece.data()),
                                        piece.size(), out.data(), hash.data());
    return std::string(reinterpret_cast<const char*>(out.data()), length);
}

std::string TBlockCodec::ExpandBlock(std::string_view block)
{
    std::vector<uint8_t> out(kPieceSize + kOutputSlack);
    size_t produced = 0;
    if (!ExpandBlock(reinterpret_cast<const uint8_t*>(block.data()), block.size(), out.data(),
                     kPieceSize, produced))
        throw std::runtime_error("malformed block");
    return std::string(reinterpret_cast<const char*>(out.data()), produced);
}

}  // namespace tarnwick
