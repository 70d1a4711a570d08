// Little-endian binary streams with checked reads.
#include "editor/core/sm_stream.h"

namespace tarnwick {

void TSMStreamWriter::U16(uint16_t value)
{
    U8(static_cast<uint8_t>(value));
    U8(static_cast<uint8_t>(value >> 8));
}

void TSMStreamWriter::I32(int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        U8(static_cast<uint8_t>(bits >> shift));
}

void TSMStreamWriter::ShortString(std::string_view text)
{
    if (text.size() > 255)
        text = text.substr(0, 255);
    U8(static_cast<uint8_t>(text.size()));
    out_.append(text);
}

void TSMStreamWriter::LongString(std::string_view text)
{
    I32(static_cast<int32_t>(text.size()));
    out_.append(text);
}

void TSMStreamWriter::StateSet(const TStateSet& set)
{
    for (int i = 0; i < TStateSet::kBytes; ++i)
        U8(set.Byte(i));
}

void TSMStreamReader::Need(size_t count) const
{
    if (count > Remaining())
        throw EReadError();
}

uint8_t TSMStreamReader::U8()
{
    Need(1);
    return static_cast<uint8_t>(data_[pos_++]);
}

uint16_t TSMStreamReader::U16()
{
    Need(2);
    const uint16_t low = U8();
    return static_cast<uint16_t>(low | (U8() << 8));
}

int32_t TSMStreamReader::I32()
{
    Need(4);
    uint32_t bits = 0;
    for (int shift = 0; shift < 32; shift += 8)
        bits |= static_cast<uint32_t>(U8()) << shift;
    return static_cast<int32_t>(bits);
}

std::string_view TSMStreamReader::Bytes(size_t count)
{
    Need(count);
    std::string_view bytes = data_.substr(pos_, count);
    pos_ += count;
    return bytes;
}

std::string TSMStreamReader::ShortString()
{
    const size_t length = U8();
    return std::string(Bytes(length));
}

std::string TSMStreamReader::LongString()
{
    const int32_t length = I32();
    if (length < 0)
        throw EReadError();
    return std::string(Bytes(static_cast<size_t>(length)));
}

TStateSet TSMStreamReader::StateSet()
{
    std::string_view bytes = Bytes(TStateSet::kBytes);
    TStateSet set;
    for (int i = 0; i < TStateSet::kBytes; ++i)
        set.SetByte(i, static_cast<uint8_t>(bytes[static_cast<size_t>(i)]));
    return set;
}

int32_t TSMStreamReader::Count(size_t minItemSize)
{
    const int32_t count = I32();
    if (count < 0)
        throw EReadError();
    if (minItemSize > 0 && static_cast<size_t>(count) > Remaining() / minItemSize)
        throw EReadError();
    return count;
}

}  // namespace tarnwick
