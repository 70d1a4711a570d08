// TCompressor: the compressed stream's frame (signature, size, blocks), the
// stream and file plumbing, advise, and the messages of every failure.
#include "scheme/compressor.h"

#include "platform/file_io.h"
#include "platform/file_names.h"
#include "scheme/block_codec.h"
#include "scheme/lzhuf.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <istream>
#include <memory>
#include <new>
#include <optional>
#include <ostream>
#include <sstream>
#include <vector>

namespace tarnwick {

namespace {

namespace fs = std::filesystem;

constexpr char kBlockSignature[4] = {'W', 'R', 'Z', 'L'};
constexpr char kLzhSignature[4] = {'!', 'H', 'Z', 'L'};
constexpr size_t kPiece = TBlockCodec::kPieceSize;

constexpr const char* kNoBuffers = "Compressor (de)compression : Failed to get memory for I/O buffers !";
constexpr const char* kNoHashTable = "CompressorKH : no memory for HASH table";
constexpr const char* kNoStreamSize =
    "Compressor compression : Failed to obtain the size of the input stream !";
constexpr const char* kNoFileSize = "Compressor compression : Failed to obtain the size of : ";
constexpr const char* kBadInStream =
    "Compressor (de)compression : Failed to initialize input stream !";
constexpr const char* kBadOutStream =
    "Compressor (de)compression : Failed to initialize output stream !";
constexpr const char* kNoInFile = "Compressor (de)compression : Failed to open input file : ";
constexpr const char* kNoOutFile = "Compressor (de)compression : Failed to open output file : ";
constexpr const char* kNoStreamHeader =
    "Compressor decompression : input stream contains no valid header !";
constexpr const char* kNoFileHeader = " : Compressor decompression : this file has no valid header !";
constexpr const char* kBlockMismatch =
    "Compressor (decompression Compressor/KH) : Original and compressed sizes do not match !";
constexpr const char* kLzhMismatch =
    "Compressor (LZH decompression) : Original and compressed sizes do not match !";
constexpr const char* kStreamRead = "Compressor : Error reading from input stream !";
constexpr const char* kFileRead = "Compressor : Error reading from input file : ";
constexpr const char* kStreamWrite = "Compressor : Error writing to output stream !";
constexpr const char* kFileWrite = "Compressor : Error writing to output file : ";
constexpr const char* kTooLarge =
    "Compressor compression : input of 4 GB or more can not be stored : ";

constexpr const char* kAdviseNoBuffers = "Compressor advise : Error getting I/O buffers";
constexpr const char* kAdviseNoStreamSize = "Compressor advise : can not get size of inputstream !";
constexpr const char* kAdviseNoFileSize = "Compressor advise : can not get the size of : ";
constexpr const char* kAdviseBadInStream =
    "Compressor edvise : can not initialize the input stream!";
constexpr const char* kAdviseNoInFile = "Compressor advise : can open input file : ";
constexpr const char* kAdviseStreamRead = "Compressor advise : input stream read error !";
constexpr const char* kAdviseFileRead = "Compressor advise : read error on input file : ";

[[noreturn]] void Fail(const std::string& message)
{
    throw ECompressor(message);
}

// What a short or failed read was reading, for its message.
enum class TReadKind {
    Field,   // a fixed-size field: signature, size, block length
    Block,   // block-method data
    Lzh,     // LZHUF data
    Advise,  // a sample read by Advise
};

// The working storage of one call; failure to get it is reported with the
// caller's message.
struct TBuffers {
    std::vector<uint8_t> in;
    std::vector<uint8_t> out;
    std::vector<uint16_t> hash;
};

TBuffers AllocateBuffers(const char* message, bool withHash)
{
    TBuffers buffers;
    try {
        buffers.in.resize(TBlockCodec::kMaxBlockData + 16);
        buffers.out.resize(2 + TBlockCodec::kMaxBlockData + TBlockCodec::kOutputSlack);
    } catch (const std::bad_alloc&) {
        Fail(message);
    }
    if (withHash) {
        try {
            buffers.hash.resize(TBlockCodec::kHashEntries);
        } catch (const std::bad_alloc&) {
            Fail(kNoHashTable);
        }
    }
    return buffers;
}

// The input and output of one compress, decompress or advise call, in
// stream or file mode, with the messages of that mode.
class TChannel {
public:
    TChannel(bool streamMode, std::istream* in, std::ostream* out, const std::string& inName,
             const std::string& outName)
        : streamMode_(streamMode), in_(in), out_(out), inName_(inName), outName_(outName)
    {
    }

    // An output file created by this call is removed again unless Finish ran.
    ~TChannel()
    {
        if (outFile_.IsOpen()) {
            try {
                outFile_.Close();
            } catch (const Exception&) {
            }
        }
        if (outCreated_ && !finished_) {
            try {
                RemoveFile(outPath_);
            } catch (const Exception&) {
            }
        }
    }

    bool StreamMode() const { return streamMode_; }
    const std::string& InName() const { return inName_; }

    // Bytes from the input's current position to its end; nullopt when the
    // stream cannot tell or the file cannot be opened. In file mode this
    // also opens the input.
    std::optional<uint64_t> InputSize()
    {
        if (streamMode_) {
            if (in_ == nullptr)
                return std::nullopt;
            try {
                const std::streampos here = in_->tellg();
                if (here == std::streampos(-1))
                    return std::nullopt;
                in_->seekg(0, std::ios::end);
                const std::streampos end = in_->tellg();
                in_->seekg(here);
                if (end == std::streampos(-1) || !*in_ || end < here)
                    return std::nullopt;
                return uint64_t(end - here);
            } catch (const std::exception&) {
                return std::nullopt;
            }
        }
        if (!OpenInputFile())
            return std::nullopt;
        try {
            return uint64_t(inFile_.Size());
        } catch (const Exception&) {
            return std::nullopt;
        }
    }

    // Stream mode: the input accepts a seek; file mode: the input opens.
    bool PrepareInput()
    {
        if (streamMode_)
            return in_ != nullptr && SeekStays(*in_);
        return OpenInputFile();
    }

    // Stream mode: the output accepts a seek; file mode: the output file is
    // created. Refuses to create over the input file, which would wipe it.
    bool PrepareOutput()
    {
        if (streamMode_) {
            if (out_ == nullptr)
                return false;
            try {
                out_->seekp(0, std::ios::cur);
                return !out_->fail();
            } catch (const std::exception&) {
                return false;
            }
        }
        outPath_ = ResolveFileName(outName_);
        std::error_code error;
        if (fs::exists(outPath_, error) && fs::equivalent(inPath_, outPath_, error))
            return false;
        try {
            outFile_ = TFile(outPath_, TFileMode::Create);
        } catch (const Exception&) {
            return false;
        }
        outCreated_ = true;
        return true;
    }

    // Reads up to `count` bytes, fewer only at the end of the input.
    size_t Read(uint8_t* buffer, size_t count, TReadKind kind)
    {
        if (count == 0)
            return 0;
        if (!streamMode_) {
            try {
                return inFile_.Read(reinterpret_cast<char*>(buffer), count);
            } catch (const Exception&) {
                ReadFailed(kind);
            }
        }
        size_t got = 0;
        try {
            in_->read(reinterpret_cast<char*>(buffer), std::streamsize(count));
            got = size_t(in_->gcount());
        } catch (const std::exception&) {
            ReadFailed(kind);
        }
        if (got < count) {
            if (in_->bad())
                ReadFailed(kind);
            in_->clear();  // the end of the data is no fault of the stream
        }
        return got;
    }

    // Reads exactly `count` bytes; a short read is reported as `kind`.
    void ReadExact(uint8_t* buffer, size_t count, TReadKind kind)
    {
        if (Read(buffer, count, kind) != count)
            ReadFailed(kind);
    }

    void Write(const uint8_t* bytes, size_t count)
    {
        if (count == 0)
            return;
        if (!streamMode_) {
            try {
                outFile_.Write(std::string_view(reinterpret_cast<const char*>(bytes), count));
            } catch (const Exception&) {
                Fail(kFileWrite + outName_);
            }
        } else {
            try {
                out_->write(reinterpret_cast<const char*>(bytes), std::streamsize(count));
            } catch (const std::exception&) {
                Fail(kStreamWrite);
            }
            if (!*out_)
                Fail(kStreamWrite);
        }
        written_ += count;
    }

    uint64_t Written() const { return written_; }

    // Moves the input to an absolute position (stream mode: a stream
    // position; file mode: a file offset).
    bool SeekInput(std::streamoff position)
    {
        if (!streamMode_) {
            try {
                inFile_.Seek(position);
                return true;
            } catch (const Exception&) {
                return false;
            }
        }
        try {
            in_->clear();
            in_->seekg(std::streampos(position));
            return !in_->fail();
        } catch (const std::exception&) {
            return false;
        }
    }

    std::streamoff InputPosition()
    {
        if (!streamMode_)
            return 0;  // file mode always starts at the beginning
        try {
            return std::streamoff(in_->tellg());
        } catch (const std::exception&) {
            return -1;
        }
    }

    // Gives back `count` bytes read but not needed (stream mode only).
    void Unread(size_t count)
    {
        if (!streamMode_ || count == 0)
            return;
        try {
            in_->clear();
            in_->seekg(-std::streamoff(count), std::ios::cur);
            if (in_->fail())
                in_->clear();
        } catch (const std::exception&) {
        }
    }

    // Completes the output; in file mode closes the file.
    void Finish()
    {
        if (streamMode_) {
            try {
                out_->flush();
            } catch (const std::exception&) {
                Fail(kStreamWrite);
            }
            if (!*out_)
                Fail(kStreamWrite);
        } else if (outFile_.IsOpen()) {
            try {
                outFile_.Close();
            } catch (const Exception&) {
                Fail(kFileWrite + outName_);
            }
        }
        finished_ = true;
    }

    [[noreturn]] void ReadFailed(TReadKind kind) const
    {
        switch (kind) {
        case TReadKind::Field:
            Fail(streamMode_ ? std::string(kStreamRead) : kFileRead + inName_);
        case TReadKind::Block:
            Fail(streamMode_ ? std::string(kStreamRead) + " (Compressor/KH)"
                             : kFileRead + inName_ + " (Compressor/KH)");
        case TReadKind::Lzh:
            Fail(streamMode_ ? std::string(kStreamRead) + " (LZH)"
                             : kFileRead + inName_ + " (LZH)");
        case TReadKind::Advise:
            Fail(streamMode_ ? std::string(kAdviseStreamRead) : kAdviseFileRead + inName_);
        }
        Fail(kStreamRead);
    }

private:
    static bool SeekStays(std::istream& in)
    {
        try {
            in.seekg(0, std::ios::cur);
            return !in.fail();
        } catch (const std::exception&) {
            return false;
        }
    }

    bool OpenInputFile()
    {
        if (inFile_.IsOpen())
            return true;
        try {
            inPath_ = ResolveFileName(inName_);
            inFile_ = TFile(inPath_, TFileMode::Read);
        } catch (const Exception&) {
            return false;
        }
        return true;
    }

    bool streamMode_;
    std::istream* in_;
    std::ostream* out_;
    std::string inName_;
    std::string outName_;
    fs::path inPath_;
    fs::path outPath_;
    TFile inFile_;
    TFile outFile_;
    bool outCreated_ = false;
    bool finished_ = false;
    uint64_t written_ = 0;
};

void PutLE32(uint8_t* at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = uint8_t(value >> (8 * i));
}

uint32_t GetLE32(const uint8_t* at)
{
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

void CompressBlocks(TChannel& io, TBuffers& buffers, uint64_t size)
{
    uint64_t left = size;
    for (;;) {
        const size_t piece = size_t(std::min<uint64_t>(left, kPiece));
        // Read exactly what the size field promised: a file that shrinks
        // meanwhile is a read error, not a stream that disagrees with itself.
        io.ReadExact(buffers.in.data(), piece, TReadKind::Block);
        left -= piece;
        uint8_t* out = buffers.out.data();
        const size_t length =
            TBlockCodec::CompressPiece(buffers.in.data(), piece, out + 2, buffers.hash.data());
        out[0] = uint8_t(length);
        out[1] = uint8_t(length >> 8);
        io.Write(out, length + 2);
        if (piece < kPiece)
            return;
    }
}

void CompressLzh(TChannel& io, uint64_t size)
{
    uint64_t left = size;
    TLzhuf coder;
    coder.Encode(
        size,
        [&](uint8_t* buffer, size_t count) {
            const size_t want = size_t(std::min<uint64_t>(left, count));
            io.ReadExact(buffer, want, TReadKind::Lzh);
            left -= want;
            return want;
        },
        [&](const uint8_t* bytes, size_t count) { io.Write(bytes, count); });
}

void ExpandBlocks(TChannel& io, TBuffers& buffers, uint64_t size)
{
    uint64_t total = 0;
    size_t produced = kPiece;
    while (produced == kPiece) {
        uint8_t lengthField[2];
        io.ReadExact(lengthField, 2, TReadKind::Field);
        const size_t length = size_t(lengthField[0]) | size_t(lengthField[1]) << 8;
        if (length > TBlockCodec::kMaxBlockData)
            Fail(kBlockMismatch);  // no block we write is this long
        io.ReadExact(buffers.in.data(), length, TReadKind::Block);
        const size_t room = size_t(std::min<uint64_t>(kPiece, size - total));
        if (!TBlockCodec::ExpandBlock(buffers.in.data(), length, buffers.out.data(), room,
                                      produced))
            Fail(kBlockMismatch);
        io.Write(buffers.out.data(), produced);
        total += produced;
    }
    if (total != size)
        Fail(kBlockMismatch);
}

void ExpandLzh(TChannel& io, uint64_t size)
{
    TLzhuf coder;
    size_t unused = 0;
    const TLzhuf::TDecodeResult result = coder.Decode(
        size, [&](uint8_t* buffer, size_t count) { return io.Read(buffer, count, TReadKind::Lzh); },
        [&](const uint8_t* bytes, size_t count) { io.Write(bytes, count); }, unused);
    io.Unread(unused);
    if (result == TLzhuf::TDecodeResult::OutOfInput)
        io.ReadFailed(TReadKind::Lzh);
    if (result == TLzhuf::TDecodeResult::Overrun)
        Fail(kLzhMismatch);
}

}  // namespace

int64_t TCompressor::Compress()
{
    TCompressMethod method = method_;
    if (method == cmAdvise) {
        const bool useBlock = Advise();
        method_ = cmAdvise;
        method = useBlock ? cmBlock : cmLZHUF;
    }
    TBuffers buffers = AllocateBuffers(kNoBuffers, method == cmBlock);
    TChannel io(streamMode_, inStream_, outStream_, inFile_, outFile_);

    const std::optional<uint64_t> size = io.InputSize();
    if (!size)
        Fail(streamMode_ ? std::string(kNoStreamSize) : kNoFileSize + inFile_);
    if (*size > 0xFFFFFFFFu)
        Fail(kTooLarge + (streamMode_ ? std::string("input stream") : inFile_));
    if (!io.PrepareInput())
        Fail(streamMode_ ? std::string(kBadInStream) : kNoInFile + inFile_);
    if (!io.PrepareOutput())
        Fail(streamMode_ ? std::string(kBadOutStream) : kNoOutFile + outFile_);

    uint8_t header[8];
    std::memcpy(header, method == cmBlock ? kBlockSignature : kLzhSignature, 4);
    PutLE32(header + 4, uint32_t(*size));
    io.Write(header, sizeof header);
    if (method == cmBlock)
        CompressBlocks(io, buffers, *size);
    else
        CompressLzh(io, *size);
    io.Finish();
    return int64_t(io.Written());
}

int64_t TCompressor::Decompress()
{
    TBuffers buffers = AllocateBuffers(kNoBuffers, false);
    TChannel io(streamMode_, inStream_, outStream_, inFile_, outFile_);
    if (!io.PrepareInput())
        Fail(streamMode_ ? std::string(kBadInStream) : kNoInFile + inFile_);
    if (!io.PrepareOutput())
        Fail(streamMode_ ? std::string(kBadOutStream) : kNoOutFile + outFile_);

    uint8_t signature[4];
    const size_t got = io.Read(signature, 4, TReadKind::Field);
    const bool block = got == 4 && std::memcmp(signature, kBlockSignature, 4) == 0;
    const bool lzh = got == 4 && std::memcmp(signature, kLzhSignature, 4) == 0;
    if (!block && !lzh)
        Fail(streamMode_ ? std::string(kNoStreamHeader) : inFile_ + kNoFileHeader);
    uint8_t sizeField[4];
    io.ReadExact(sizeField, 4, TReadKind::Field);
    const uint64_t size = GetLE32(sizeField);

    if (block)
        ExpandBlocks(io, buffers, size);
    else
        ExpandLzh(io, size);
    io.Finish();
    return int64_t(io.Written());
}

bool TCompressor::Advise()
{
    TBuffers buffers = AllocateBuffers(kAdviseNoBuffers, true);
    TChannel io(streamMode_, inStream_, nullptr, inFile_, {});
    const std::optional<uint64_t> size = io.InputSize();
    if (!size)
        Fail(streamMode_ ? std::string(kAdviseNoStreamSize) : kAdviseNoFileSize + inFile_);
    if (*size < kAdviseMinimum) {
        method_ = cmLZHUF;
        return false;
    }
    if (!io.PrepareInput())
        Fail(streamMode_ ? std::string(kAdviseBadInStream) : kAdviseNoInFile + inFile_);

    const std::streamoff start = io.InputPosition();
    if (start < 0)
        Fail(kAdviseBadInStream);
    uint64_t compressed = 0;
    for (const uint64_t third : {*size / 3, 2 * *size / 3}) {
        const uint64_t offset = third / kPiece * kPiece;
        if (!io.SeekInput(start + std::streamoff(offset)))
            io.ReadFailed(TReadKind::Advise);
        io.ReadExact(buffers.in.data(), kPiece, TReadKind::Advise);
        compressed += TBlockCodec::CompressPiece(buffers.in.data(), kPiece, buffers.out.data(),
                                                 buffers.hash.data());
    }
    if (!io.SeekInput(start))
        io.ReadFailed(TReadKind::Advise);
    return compressed * 100 < uint64_t(std::max(adviseThreshold_, 0)) * 2 * kPiece;
}

std::string TCompressor::CompressBytes(std::string_view data, TCompressMethod method)
{
    std::istringstream in{std::string(data)};
    std::ostringstream out;
    TCompressor compressor;
    compressor.SetStreamMode(true);
    compressor.SetMethod(method);
    compressor.SetInputStream(&in);
    compressor.SetOutputStream(&out);
    compressor.Compress();
    return std::move(out).str();
}

std::string TCompressor::DecompressBytes(std::string_view data)
{
    std::istringstream in{std::string(data)};
    std::ostringstream out;
    TCompressor compressor;
    compressor.SetStreamMode(true);
    compressor.SetInputStream(&in);
    compressor.SetOutputStream(&out);
    compressor.Decompress();
    return std::move(out).str();
}

}  // namespace tarnwick
