// LZHUF: LZSS with a binary-tree match finder, coded with an adaptive
// Huffman tree.
#include "scheme/lzhuf.h"

#include <array>
#include <cstring>
#include <vector>

namespace tarnwick {

namespace {

constexpr int kRing = 4096;                       // ring buffer size
constexpr int kLookAhead = 60;                    // longest match
constexpr int kThreshold = 2;                     // matches this long or shorter are sent as bytes
constexpr int kNil = kRing;                       // "no node" in the search tree
constexpr int kSymbols = 256 - kThreshold + kLookAhead;  // 314
constexpr int kTable = kSymbols * 2 - 1;          // nodes of the Huffman tree
constexpr int kRoot = kTable - 1;
constexpr unsigned kMaxFreq = 0x8000;
constexpr size_t kPiece = 32768;

// The fixed code for a match position's upper 6 bits: lengths 3..8, codes
// assigned in order, so the 64 codes tile the 8-bit space.
struct TPositionCode {
    std::array<uint8_t, 64> length{};
    std::array<uint8_t, 64> code{};        // left-aligned in 8 bits
    std::array<uint8_t, 256> upper{};      // decoding: first 8 bits -> upper 6 bits
    std::array<uint8_t, 256> lengthOf{};   // decoding: first 8 bits -> code length

    constexpr TPositionCode()
    {
        constexpr int counts[] = {1, 3, 8, 12, 24, 16};  // codes of length 3, 4, ... 8
        int i = 0;
        unsigned next = 0;
        for (int bits = 3; bits <= 8; ++bits) {
            for (int k = 0; k < counts[bits - 3]; ++k, ++i) {
                length[i] = uint8_t(bits);
                code[i] = uint8_t(next);
                const unsigned span = 1u << (8 - bits);
                for (unsigned v = next; v < next + span; ++v) {
                    upper[v] = uint8_t(i);
                    lengthOf[v] = uint8_t(bits);
                }
                next += span;
            }
        }
    }
};
constexpr TPositionCode kPosition;
static_assert(kPosition.code[63] == 0xFF && kPosition.code[24] == 0xC0);

}  // namespace

struct TLzhuf::TState {
    // Adaptive Huffman tree. Nodes 0..kTable-1 are kept in ascending order of
    // frequency; the two children of a node sit side by side, the first at
    // son[node]. A leaf's son is symbol + kTable; parent[symbol + kTable] is
    // the node that holds that leaf.
    std::array<uint16_t, kTable + 1> freq{};
    std::array<int, kTable + kSymbols> parent{};
    std::array<int, kTable> son{};

    // Search tree over the ring buffer, for the encoder: one node per ring
    // position, plus 256 roots (kRing + 1 + first byte).
    std::array<uint8_t, kRing + kLookAhead - 1> text{};
    std::array<int, kRing + 1> lson{};
    std::array<int, kRing + 257> rson{};
    std::array<int, kRing + 1> dad{};
    int matchPosition = 0;
    int matchLength = 0;

    void StartHuffman();
    void Reconstruct();
    void Update(int symbol);

    void InitTree();
    void InsertNode(int r);
    void DeleteNode(int p);
};

void TLzhuf::TState::StartHuffman()
{
    for (int i = 0; i < kSymbols; ++i) {
        freq[i] = 1;
        son[i] = i + kTable;
        parent[i + kTable] = i;
    }
    for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
        freq[j] = uint16_t(freq[i] + freq[i + 1]);
        son[j] = i;
        parent[i] = parent[i + 1] = j;
    }
    freq[kTable] = 0xFFFF;  // sentinel: no node may move past the end
    parent[kRoot] = 0;
}

// Halves all leaf frequencies and rebuilds the tree from them.
void TLzhuf::TState::Reconstruct()
{
    int j = 0;
    for (int i = 0; i < kTable; ++i) {
        if (son[i] >= kTable) {
            freq[j] = uint16_t((freq[i] + 1) / 2);
            son[j] = son[i];
            ++j;
        }
    }
    for (int i = 0, node = kSymbols; node < kTable; i += 2, ++node) {
        const uint16_t f = uint16_t(freq[i] + freq[i + 1]);
        freq[node] = f;
        int k = node - 1;
        while (f < freq[k])
            --k;
        ++k;
        // Keep the order: shift the nodes from k up by one and put the new one at k.
        std::memmove(&freq[k + 1], &freq[k], size_t(node - k) * sizeof freq[0]);
        freq[k] = f;
        std::memmove(&son[k + 1], &son[k], size_t(node - k) * sizeof son[0]);
        son[k] = i;
    }
    for (int i = 0; i < kTable; ++i) {
        const int k = son[i];
        if (k >= kTable)
            parent[k] = i;
        else
            parent[k] = parent[k + 1] = i;
    }
}

// Counts one more occurrence of `symbol` and restores the frequency order
// by swapping each touched node with the last node of equal frequency.
void TLzhuf::TState::Update(int symbol)
{
    if (freq[kRoot] == kMaxFreq)
        Reconstruct();
    int c = parent[symbol + kTable];
    do {
        const unsigned k = ++freq[c];
        int l = c + 1;
        if (k > freq[l]) {
            while (k > freq[++l]) {
            }
            --l;
            freq[c] = freq[l];
            freq[l] = uint16_t(k);

            const int i = son[c];
            parent[i] = l;
            if (i < kTable)
                parent[i + 1] = l;
            const int j = son[l];
            son[l] = i;
            parent[j] = c;
            if (j < kTable)
                parent[j + 1] = c;
            son[c] = j;
            c = l;
        }
        c = parent[c];
    } while (c != 0);
}

void TLzhuf::TState::InitTree()
{
    for (int i = kRing + 1; i <= kRing + 256; ++i)
        rson[i] = kNil;
    for (int i = 0; i < kRing; ++i)
        dad[i] = kNil;
}

// Enters the string at r into the tree and leaves the longest match found
// in matchLength / matchPosition (the distance back, minus one; the
// nearest of equally long matches).
void TLzhuf::TState::InsertNode(int r)
{
    int cmp = 1;
    const uint8_t* key = &text[size_t(r)];
    int p = kRing + 1 + key[0];
    rson[r] = lson[r] = kNil;
    matchLength = 0;
    for (;;) {
        if (cmp >= 0) {
            if (rson[p] == kNil) {
                rson[p] = r;
                dad[r] = p;
                return;
            }
            p = rson[p];
        } else {
            if (lson[p] == kNil) {
                lson[p] = r;
                dad[r] = p;
                return;
            }
            p = lson[p];
        }
        int i = 1;
        for (; i < kLookAhead; ++i) {
            cmp = int(key[i]) - int(text[size_t(p + i)]);
            if (cmp != 0)
                break;
        }
        if (i > kThreshold) {
            const int distance = ((r - p) & (kRing - 1)) - 1;
            if (i > matchLength) {
                matchPosition = distance;
                matchLength = i;
                if (matchLength >= kLookAhead)
                    break;
            }
            if (i == matchLength && distance < matchPosition)
                matchPosition = distance;
        }
    }
    // A full-length match: r takes p's place in the tree.
    dad[r] = dad[p];
    lson[r] = lson[p];
    rson[r] = rson[p];
    dad[lson[p]] = r;
    dad[rson[p]] = r;
    if (rson[dad[p]] == p)
        rson[dad[p]] = r;
    else
        lson[dad[p]] = r;
    dad[p] = kNil;
}

void TLzhuf::TState::DeleteNode(int p)
{
    if (dad[p] == kNil)
        return;
    int q;
    if (rson[p] == kNil) {
        q = lson[p];
    } else if (lson[p] == kNil) {
        q = rson[p];
    } else {
        q = lson[p];
        if (rson[q] != kNil) {
            do {
                q = rson[q];
            } while (rson[q] != kNil);
            rson[dad[q]] = lson[q];
            dad[lson[q]] = dad[q];
            lson[q] = lson[p];
            dad[lson[p]] = q;
        }
        rson[q] = rson[p];
        dad[rson[p]] = q;
    }
    dad[q] = dad[p];
    if (rson[dad[p]] == p)
        rson[dad[p]] = q;
    else
        lson[dad[p]] = q;
    dad[p] = kNil;
}

namespace {

// Bytes from a TReader, one at a time, refilled in pieces.
class TByteFeed {
public:
    explicit TByteFeed(const TLzhuf::TReader& read) : read_(read), buffer_(kPiece) {}

    // The next byte, or -1 at the end of the input.
    int Next()
    {
        if (at_ == filled_) {
            if (ended_)
                return -1;
            filled_ = read_(buffer_.data(), buffer_.size());
            at_ = 0;
            if (filled_ == 0) {
                ended_ = true;
                return -1;
            }
        }
        return buffer_[at_++];
    }

    size_t Unused() const { return filled_ - at_; }

private:
    const TLzhuf::TReader& read_;
    std::vector<uint8_t> buffer_;
    size_t filled_ = 0;
    size_t at_ = 0;
    bool ended_ = false;
};

class TBitWriter {
public:
    explicit TBitWriter(const TLzhuf::TWriter& write) : write_(write) { buffer_.reserve(kPiece); }

    // Appends the top `count` bits (count <= 16) of the 16-bit `bits`.
    void Put(unsigned count, unsigned bits)
    {
        accumulator_ = (accumulator_ << count) | ((bits & 0xFFFF) >> (16 - count));
        pending_ += count;
        while (pending_ >= 8) {
            pending_ -= 8;
            Emit(uint8_t(accumulator_ >> pending_));
        }
    }

    void Finish()
    {
        if (pending_ > 0)
            Emit(uint8_t(accumulator_ << (8 - pending_)));
        pending_ = 0;
        if (!buffer_.empty())
            write_(buffer_.data(), buffer_.size());
        buffer_.clear();
    }

private:
    void Emit(uint8_t byte)
    {
        buffer_.push_back(byte);
        if (buffer_.size() == kPiece) {
            write_(buffer_.data(), buffer_.size());
            buffer_.clear();
        }
    }

    const TLzhuf::TWriter& write_;
    std::vector<uint8_t> buffer_;
    uint32_t accumulator_ = 0;
    unsigned pending_ = 0;
};

// Bits from a TByteFeed; takes a byte only when a bit of it is needed.
class TBitReader {
public:
    explicit TBitReader(TByteFeed& feed) : feed_(feed) {}

    bool Bit(unsigned& bit)
    {
        if (left_ == 0) {
            const int byte = feed_.Next();
            if (byte < 0)
                return false;
            current_ = unsigned(byte);
            left_ = 8;
        }
        --left_;
        bit = (current_ >> left_) & 1;
        return true;
    }

    bool Bits(unsigned count, unsigned& value)
    {
        value = 0;
        for (unsigned k = 0; k < count; ++k) {
            unsigned bit;
            if (!Bit(bit))
                return false;
            value = (value << 1) | bit;
        }
        return true;
    }

private:
    TByteFeed& feed_;
    unsigned current_ = 0;
    unsigned left_ = 0;
};

class TByteSink {
public:
    explicit TByteSink(const TLzhuf::TWriter& write) : write_(write) { buffer_.reserve(kPiece); }
    void Put(uint8_t byte)
    {
        buffer_.push_back(byte);
        if (buffer_.size() == kPiece)
            Flush();
    }
    void Flush()
    {
        if (!buffer_.empty())
            write_(buffer_.data(), buffer_.size());
        buffer_.clear();
    }

private:
    const TLzhuf::TWriter& write_;
    std::vector<uint8_t> buffer_;
};

}  // namespace

TLzhuf::TLzhuf() = default;
TLzhuf::~TLzhuf() = default;

void TLzhuf::Encode(uint64_t size, const TReader& read, const TWriter& write)
{
    if (size == 0)
        return;
    state_ = std::make_unique<TState>();
    TState& st = *state_;
    TByteFeed input(read);
    uint64_t remaining = size;
    auto next = [&]() -> int {
        if (remaining == 0)
            return -1;
        const int c = input.Next();
        if (c >= 0)
            --remaining;
        return c;
    };
    TBitWriter bits(write);

    // Sends a symbol as its path from the root, one bit per level (the
    // second of two siblings sits at the odd node), however deep the tree.
    std::array<uint8_t, kTable> path{};
    auto encodeSymbol = [&](int symbol) {
        int depth = 0;
        for (int k = st.parent[symbol + kTable]; k != kRoot; k = st.parent[k])
            path[size_t(depth++)] = uint8_t(k & 1);
        while (depth > 0)
            bits.Put(1, unsigned(path[size_t(--depth)]) << 15);
        st.Update(symbol);
    };
    auto encodePosition = [&](int position) {
        const int upper = position >> 6;
        bits.Put(kPosition.length[size_t(upper)], unsigned(kPosition.code[size_t(upper)]) << 8);
        bits.Put(6, unsigned(position & 0x3F) << 10);
    };

    st.StartHuffman();
    st.InitTree();
    int s = 0;
    int r = kRing - kLookAhead;
    std::memset(st.text.data(), ' ', size_t(r));
    int len = 0;
    for (int c; len < kLookAhead && (c = next()) >= 0; ++len)
        st.text[size_t(r + len)] = uint8_t(c);
    for (int i = 1; i <= kLookAhead; ++i)
        st.InsertNode(r - i);
    st.InsertNode(r);
    do {
        if (st.matchLength > len)
            st.matchLength = len;
        if (st.matchLength <= kThreshold) {
            st.matchLength = 1;
            encodeSymbol(st.text[size_t(r)]);
        } else {
            encodeSymbol(255 - kThreshold + st.matchLength);
            encodePosition(st.matchPosition);
        }
        const int last = st.matchLength;
        int i = 0;
        for (int c; i < last && (c = next()) >= 0; ++i) {
            st.DeleteNode(s);
            st.text[size_t(s)] = uint8_t(c);
            if (s < kLookAhead - 1)
                st.text[size_t(s + kRing)] = uint8_t(c);  // mirror, so keys never wrap
            s = (s + 1) & (kRing - 1);
            r = (r + 1) & (kRing - 1);
            st.InsertNode(r);
        }
        while (i++ < last) {
            st.DeleteNode(s);
            s = (s + 1) & (kRing - 1);
            r = (r + 1) & (kRing - 1);
            if (--len)
                st.InsertNode(r);
        }
    } while (len > 0);
    bits.Finish();
}

TLzhuf::TDecodeResult TLzhuf::Decode(uint64_t size, const TReader& read, const TWriter& write,
                                     size_t& unusedInput)
{
    unusedInput = 0;
    if (size == 0)
        return TDecodeResult::Ok;
    state_ = std::make_unique<TState>();
    TState& st = *state_;
    TByteFeed input(read);
    TBitReader bits(input);
    TByteSink out(write);
    st.StartHuffman();
    std::memset(st.text.data(), ' ', kRing - kLookAhead);
    int r = kRing - kLookAhead;

    auto finish = [&](TDecodeResult result) {
        out.Flush();
        unusedInput = input.Unused();
        return result;
    };

    uint64_t produced = 0;
    while (produced < size) {
        int c = st.son[kRoot];
        while (c < kTable) {
            unsigned bit;
            if (!bits.Bit(bit))
                return finish(TDecodeResult::OutOfInput);
            c = st.son[size_t(c + int(bit))];
        }
        c -= kTable;
        st.Update(c);
        if (c < 256) {
            out.Put(uint8_t(c));
            st.text[size_t(r)] = uint8_t(c);
            r = (r + 1) & (kRing - 1);
            ++produced;
            continue;
        }

        unsigned first;
        if (!bits.Bits(8, first))
            return finish(TDecodeResult::OutOfInput);
        unsigned low;
        const unsigned extra = kPosition.lengthOf[first] - 2u;
        if (!bits.Bits(extra, low))
            return finish(TDecodeResult::OutOfInput);
        const unsigned tail = ((first << extra) | low) & 0x3F;
        const int position = int(unsigned(kPosition.upper[first]) << 6 | tail);

        const int length = c - 255 + kThreshold;
        if (uint64_t(length) > size - produced)
            return finish(TDecodeResult::Overrun);
        const int from = (r - position - 1) & (kRing - 1);
        for (int k = 0; k < length; ++k) {
            const uint8_t byte = st.text[size_t((from + k) & (kRing - 1))];
            out.Put(byte);
            st.text[size_t(r)] = byte;
            r = (r + 1) & (kRing - 1);
        }
        produced += uint64_t(length);
    }
    return finish(TDecodeResult::Ok);
}

}  // namespace tarnwick
