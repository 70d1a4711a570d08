// The compressor: exact block layouts for known pieces, round trips of both
// methods, the failure messages, advise, file mode, and corrupt streams that
// must fail cleanly.
#include "platform/file_io.h"
#include "scheme/block_codec.h"
#include "scheme/compressor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cstring>
#include <memory>
#include <random>
#include <sstream>

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

std::string Hex(std::string_view bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (!out.empty())
            out += ' ';
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string RandomBytes(size_t n, unsigned seed, int alphabet = 256)
{
    std::mt19937 rng(seed);
    std::string out(n, '\0');
    for (char& c : out)
        c = char(rng() % unsigned(alphabet));
    return out;
}

// Text with the repetition of source code: this very file, repeated. The
// build may name the file relative to its own folder, so it is found from
// the test data folder instead of __FILE__.
std::string RealText(size_t n)
{
    std::string text = ReadWholeFile(TARNWICK_TEST_DATA "/../scheme/compressor_test.cpp");
    std::string out;
    while (out.size() < n)
        out += text;
    out.resize(n);
    return out;
}

std::string MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const ECompressor& error) {
        return error.what();
    }
    return "<no ECompressor>";
}

TEST(BlockCodec, KnownPiecesGiveTheirExactBlocks)
{
    const std::string x4095(4095, 'x');
    struct Row {
        const char* name;
        std::string piece;
        std::string block;
    } rows[] = {
        {"empty_piece_is_stored_as_flag_only", "", "80"},
        {"repeat_at_distance_4_is_one_copy_item", "abcdabcdabcdabcd",
         "40 08 00 61 62 63 64 00 49"},
        {"run_of_20_then_two_literals", std::string(20, 'x') + "yz",
         "40 80 00 00 00 04 78 79 7A"},
        {"seventeenth_item_opens_a_second_control_word",
         "ABCDEFGHIJKLMNOPABCDEFGHIJKLMNOP",
         "40 00 00 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 80 00 01 0D"},
        {"no_repetition_is_stored", "abcdefgh", "80 61 62 63 64 65 66 67 68"},
        {"run_of_15_is_a_literal_and_a_copy", std::string(15, 'q'), "40 40 00 71 00 1B"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string block = TBlockCodec::CompressPiece(row.piece);
        EXPECT_EQ(Hex(block), row.block);
        EXPECT_EQ(TBlockCodec::ExpandBlock(block), row.piece);
    }
}

TEST(BlockCodec, FullPieceOfEqualBytesIsThe38ByteBlock)
{
    const std::string piece(32768, 'c');
    const std::string block = TBlockCodec::CompressPiece(piece);
    std::string expected = "40 FF 40";
    for (int i = 0; i < 8; ++i)
        expected += " 00 0F EF 63";
    expected += " 63 00 14";
    EXPECT_EQ(Hex(block), expected);
    EXPECT_EQ(TBlockCodec::ExpandBlock(block), piece);
}

TEST(BlockCodec, OverlappingCopyRepeatsAPattern)
{
    // "ab", then copies of offset 2 (length 18) and offset 1 (length 5).
    const std::string block("\x40\x3F\x00" "ab" "\x00\x2F" "\x00\x12", 9);
    const std::string bytes = TBlockCodec::ExpandBlock(block);
    EXPECT_EQ(bytes, "abababababababababab" "bbbbb");
}

TEST(BlockCodec, MalformedBlocksAreRejected)
{
    struct Row {
        const char* name;
        std::string block;
    } rows[] = {
        {"unknown_flag", std::string("\x41\x00\x00" "a", 4)},
        {"copy_before_block_start", std::string("\x40\x40\x00" "a" "\x00\x20", 6)},
        {"copy_item_cut_off", std::string("\x40\x40\x00" "a" "\x00", 5)},
        {"run_item_cut_off", std::string("\x40\x80\x00\x00\x00\x04", 6)},
        {"stored_block_too_long", "\x80" + std::string(32769, 's')},
        {"control_word_cut_off", std::string("\x40\x00", 2)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_THROW(TBlockCodec::ExpandBlock(row.block), std::runtime_error);
    }
    // Output is held to the room the caller gives, not just to 32768.
    std::vector<uint8_t> out(64 + TBlockCodec::kOutputSlack);
    size_t produced = 0;
    const std::string runOf20("\x40\x80\x00\x00\x00\x04\x78", 7);
    EXPECT_FALSE(TBlockCodec::ExpandBlock(reinterpret_cast<const uint8_t*>(runOf20.data()),
                                          runOf20.size(), out.data(), 19, produced));
}

TEST(BlockCodec, ExpandStaysInsideExactBuffers)
{
    // Heap buffers of exactly the block's size and the room plus slack, so
    // that a sanitizer build catches any access past them.
    for (const std::string& piece : {RealText(32768), RealText(1000), std::string(32768, ' '),
                                     RandomBytes(32768, 5, 4)}) {
        const std::string block = TBlockCodec::CompressPiece(piece);
        for (size_t cut : {block.size(), block.size() - 1, block.size() / 2}) {
            auto in = std::make_unique<uint8_t[]>(cut);
            std::memcpy(in.get(), block.data(), cut);
            auto out = std::make_unique<uint8_t[]>(piece.size() + TBlockCodec::kOutputSlack);
            size_t produced = 0;
            const bool ok =
                TBlockCodec::ExpandBlock(in.get(), cut, out.get(), piece.size(), produced);
            if (cut == block.size()) {
                ASSERT_TRUE(ok);
                EXPECT_EQ(std::string(reinterpret_cast<char*>(out.get()), produced), piece);
            }
        }
    }
}

TEST(Compressor, EmptyInputIsOneStoredEmptyBlock)
{
    const std::string packed = TCompressor::CompressBytes("");
    EXPECT_EQ(Hex(packed), "57 52 5A 4C 00 00 00 00 01 00 80");
    EXPECT_EQ(TCompressor::DecompressBytes(packed), "");
    EXPECT_EQ(Hex(TCompressor::CompressBytes("", cmLZHUF)), "21 48 5A 4C 00 00 00 00");
    EXPECT_EQ(TCompressor::DecompressBytes(TCompressor::CompressBytes("", cmLZHUF)), "");
}

TEST(Compressor, WholePieceIsFollowedByAnEmptyBlock)
{
    const std::string packed = TCompressor::CompressBytes(std::string(32768, 'c'));
    ASSERT_EQ(packed.size(), 8u + 2 + 38 + 2 + 1);
    EXPECT_EQ(Hex(packed.substr(4, 6)), "00 80 00 00 26 00");
    EXPECT_EQ(Hex(packed.substr(48)), "01 00 80");
    EXPECT_EQ(TCompressor::DecompressBytes(packed), std::string(32768, 'c'));
}

TEST(Compressor, RoundTripsBothMethods)
{
    struct Row {
        const char* name;
        std::string data;
    } rows[] = {
        {"one_byte", "A"},
        {"short_text", "procedure TForm1.Button1Click(Sender: TObject);"},
        {"piece_minus_one", RealText(32767)},
        {"exact_piece", RealText(32768)},
        {"piece_plus_one", RealText(32769)},
        {"two_pieces", RealText(65536)},
        {"real_text_200k", RealText(200000)},
        {"random_bytes", RandomBytes(70000, 1)},
        {"small_alphabet", RandomBytes(90000, 2, 3)},
        {"runs_around_limits", std::string(15, 'a') + std::string(16, 'b') +
                                   std::string(4095, 'c') + std::string(4096, 'd') +
                                   std::string(9000, '\0') + std::string(61, 'e')},
        {"spaces_like_the_initial_ring", std::string(5000, ' ') + "x" + std::string(70, ' ')},
    };
    for (const Row& row : rows) {
        for (TCompressMethod method : {cmBlock, cmLZHUF}) {
            SCOPED_TRACE(std::string(row.name) + (method == cmBlock ? " block" : " lzhuf"));
            const std::string packed = TCompressor::CompressBytes(row.data, method);
            EXPECT_EQ(packed.substr(0, 4), method == cmBlock ? "WRZL" : "!HZL");
            EXPECT_EQ(TCompressor::DecompressBytes(packed), row.data);
        }
    }
}

TEST(Compressor, SeededRandomRoundTripsOfLzhuf)
{
    std::mt19937 rng(20261207);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        const size_t n = rng() % 20000;
        // Mix random stretches with copies of earlier ones, so matches of
        // every length and distance occur.
        std::string data;
        while (data.size() < n) {
            if (data.size() > 100 && rng() % 2 == 0) {
                const size_t from = rng() % data.size();
                const size_t len = 1 + rng() % 80;
                data += data.substr(from, len);
            } else {
                data += RandomBytes(1 + rng() % 40, rng(), 1 + int(rng() % 255));
            }
        }
        EXPECT_EQ(TCompressor::DecompressBytes(TCompressor::CompressBytes(data, cmLZHUF)), data);
        EXPECT_EQ(TCompressor::DecompressBytes(TCompressor::CompressBytes(data, cmBlock)), data);
    }
}

TEST(Compressor, LzhufShrinksSourceTextMoreThanTheBlockMethod)
{
    const std::string text = RealText(100000);
    const size_t block = TCompressor::CompressBytes(text, cmBlock).size();
    const size_t lzh = TCompressor::CompressBytes(text, cmLZHUF).size();
    EXPECT_LT(lzh, block);
    EXPECT_LT(block, text.size() / 2);
}

TEST(Compressor, FaultyStreamsGiveTheirMessages)
{
    const std::string block = TCompressor::CompressBytes(RealText(40000), cmBlock);
    const std::string lzh = TCompressor::CompressBytes(RealText(40000), cmLZHUF);
    auto withSize = [](std::string packed, uint32_t size) {
        for (int i = 0; i < 4; ++i)
            packed[size_t(4 + i)] = char(size >> (8 * i));
        return packed;
    };
    const std::string header = "Compressor decompression : input stream contains no valid header !";
    const std::string blockMismatch =
        "Compressor (decompression Compressor/KH) : Original and compressed sizes do not match !";
    const std::string lzhMismatch =
        "Compressor (LZH decompression) : Original and compressed sizes do not match !";
    struct Row {
        const char* name;
        std::string packed;
        std::string message;
    } rows[] = {
        {"empty_stream", "", header},
        {"wrong_signature", "WRZX" + block.substr(4), header},
        {"lower_case_signature", "wrzl" + block.substr(4), header},
        {"size_cut_off", "WRZL\x01\x02", "Compressor : Error reading from input stream !"},
        {"block_size_too_small", withSize(block, 39999), blockMismatch},
        {"block_size_too_large", withSize(block, 40001), blockMismatch},
        {"block_data_cut_off", block.substr(0, 100),
         "Compressor : Error reading from input stream ! (Compressor/KH)"},
        {"block_length_cut_off", block.substr(0, 9), "Compressor : Error reading from input stream !"},
        {"lzh_size_too_large", withSize(lzh, 40100),
         "Compressor : Error reading from input stream ! (LZH)"},
        {"lzh_data_cut_off", lzh.substr(0, lzh.size() / 2),
         "Compressor : Error reading from input stream ! (LZH)"},
        {"lzh_size_zero_means_nothing", withSize(lzh, 0), ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.message.empty()) {
            EXPECT_EQ(TCompressor::DecompressBytes(row.packed), "");
            continue;
        }
        EXPECT_EQ(MessageOf([&] { TCompressor::DecompressBytes(row.packed); }), row.message);
    }
    // A size just short of the coded length makes the last match overrun it.
    bool overrun = false;
    for (uint32_t size = 39999; size > 39900 && !overrun; --size)
        overrun = MessageOf([&] { TCompressor::DecompressBytes(withSize(lzh, size)); }) ==
                  lzhMismatch;
    EXPECT_TRUE(overrun);
}

TEST(Compressor, EveryTruncationAndManyCorruptionsFailCleanly)
{
    const std::string data = RealText(33000) + std::string(5000, 'z') + RandomBytes(3000, 7);
    std::mt19937 rng(99);
    for (TCompressMethod method : {cmBlock, cmLZHUF}) {
        const std::string packed = TCompressor::CompressBytes(data, method);
        for (size_t cut = 0; cut < packed.size(); cut += 1 + cut / 64)
            EXPECT_THROW(TCompressor::DecompressBytes(packed.substr(0, cut)), ECompressor) << cut;
        for (int round = 0; round < 300; ++round) {
            std::string bad = packed;
            for (int k = 0; k < 3; ++k)
                bad[8 + rng() % (bad.size() - 8)] ^= char(1 + rng() % 255);
            try {
                // Surviving a corruption is fine; producing the wrong amount is not.
                EXPECT_EQ(TCompressor::DecompressBytes(bad).size(), data.size());
            } catch (const ECompressor&) {
            }
        }
    }
}

TEST(Compressor, StreamModeUsesAndLeavesPositions)
{
    for (TCompressMethod method : {cmBlock, cmLZHUF}) {
        SCOPED_TRACE(method);
        const std::string payload = RealText(5000);
        std::stringstream in("skip" + payload);
        in.seekg(4);
        std::stringstream packed;
        packed << "VV";  // a caller's own header in front
        TCompressor compressor;
        compressor.SetStreamMode(true);
        compressor.SetMethod(method);
        compressor.SetInputStream(&in);
        compressor.SetOutputStream(&packed);
        const int64_t written = compressor.Compress();
        EXPECT_EQ(int64_t(packed.str().size()), written + 2);

        // Decompress from behind the header; the bytes after the stream stay unread.
        std::stringstream source(packed.str() + "TAIL");
        source.seekg(2);
        std::stringstream out;
        compressor.SetInputStream(&source);
        compressor.SetOutputStream(&out);
        EXPECT_EQ(compressor.Decompress(), int64_t(payload.size()));
        EXPECT_EQ(out.str(), payload);
        std::string rest;
        source >> rest;
        EXPECT_EQ(rest, "TAIL");
    }
}

TEST(Compressor, AdviseFollowsSizeAndSampleRules)
{
    auto advise = [](const std::string& data, TCompressor& compressor) {
        std::istringstream in(data);
        in.seekg(0);
        compressor.SetStreamMode(true);
        compressor.SetInputStream(&in);
        const bool answer = compressor.Advise();
        EXPECT_EQ(std::streamoff(in.tellg()), 0);
        return answer;
    };
    TCompressor small;
    small.SetMethod(cmAdvise);
    EXPECT_FALSE(advise(RealText(98303), small));
    EXPECT_EQ(small.Method(), cmLZHUF);

    TCompressor large;
    EXPECT_TRUE(advise(std::string(98304, 'a'), large));
    EXPECT_EQ(large.Method(), cmBlock);
    EXPECT_FALSE(advise(RandomBytes(200000, 3), large));
    // Only the pieces at one and two thirds are looked at.
    std::string mostlyRandom = RandomBytes(3 * 32768, 4);
    std::fill_n(mostlyRandom.begin() + 32768, 32768, 'r');
    EXPECT_FALSE(advise(mostlyRandom, large));
    std::fill_n(mostlyRandom.begin() + 65536, 32768, 'r');
    EXPECT_TRUE(advise(mostlyRandom, large));
    large.SetAdviseThreshold(0);
    EXPECT_FALSE(advise(mostlyRandom, large));
}

TEST(Compressor, AdviseModeChoosesPerInputAndStaysInAdviseMode)
{
    TCompressor compressor;
    compressor.SetMethod(cmAdvise);
    compressor.SetStreamMode(true);
    for (const auto& [data, signature] : {std::pair{std::string(200000, 'a'), "WRZL"},
                                          std::pair{RealText(1000), "!HZL"},
                                          std::pair{std::string(200000, 'b'), "WRZL"}}) {
        std::istringstream in(data);
        std::ostringstream out;
        compressor.SetInputStream(&in);
        compressor.SetOutputStream(&out);
        compressor.Compress();
        EXPECT_EQ(out.str().substr(0, 4), signature);
        EXPECT_EQ(compressor.Method(), cmAdvise);
        EXPECT_EQ(TCompressor::DecompressBytes(out.str()), data);
    }
}

class CompressorFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("tarnwick-compressor-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        SetFileFaultHook(nullptr);
        fs::remove_all(dir_);
    }
    std::string Path(const char* name) const { return (dir_ / name).string(); }
    void Put(const char* name, const std::string& bytes) const
    {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    fs::path dir_;
};

TEST_F(CompressorFiles, RoundTripAndMessages)
{
    const std::string data = RealText(100000);
    Put("in.txt", data);
    TCompressor compressor;
    compressor.SetInputFile(Path("in.txt"));
    compressor.SetOutputFile(Path("packed.dat"));
    const int64_t written = compressor.Compress();
    EXPECT_EQ(written, int64_t(fs::file_size(Path("packed.dat"))));
    compressor.SetInputFile(Path("packed.dat"));
    compressor.SetOutputFile(Path("out.txt"));
    EXPECT_EQ(compressor.Decompress(), int64_t(data.size()));
    EXPECT_EQ(ReadWholeFile(Path("out.txt")), data);

    compressor.SetInputFile(Path("missing.txt"));
    EXPECT_EQ(MessageOf([&] { compressor.Compress(); }),
              "Compressor compression : Failed to obtain the size of : " + Path("missing.txt"));
    EXPECT_EQ(MessageOf([&] { compressor.Decompress(); }),
              "Compressor (de)compression : Failed to open input file : " + Path("missing.txt"));

    // A file without a header: the message names it, and no output is left.
    compressor.SetInputFile(Path("in.txt"));
    compressor.SetOutputFile(Path("bad-out.txt"));
    EXPECT_EQ(MessageOf([&] { compressor.Decompress(); }),
              Path("in.txt") + " : Compressor decompression : this file has no valid header !");
    EXPECT_FALSE(fs::exists(Path("bad-out.txt")));

    // Writing over the input would destroy it before it is read.
    compressor.SetOutputFile(Path("in.txt"));
    EXPECT_EQ(MessageOf([&] { compressor.Compress(); }),
              "Compressor (de)compression : Failed to open output file : " + Path("in.txt"));
    EXPECT_EQ(ReadWholeFile(Path("in.txt")), data);
}

TEST_F(CompressorFiles, FailedWriteRemovesTheOutput)
{
    Put("in.txt", RealText(100000));
    TCompressor compressor;
    compressor.SetInputFile(Path("in.txt"));
    compressor.SetOutputFile(Path("packed.dat"));
    SetFileFaultHook([](TFileOp op, const fs::path&) { return op == TFileOp::Write; });
    EXPECT_EQ(MessageOf([&] { compressor.Compress(); }),
              "Compressor : Error writing to output file : " + Path("packed.dat"));
    EXPECT_FALSE(fs::exists(Path("packed.dat")));

    SetFileFaultHook([](TFileOp op, const fs::path&) { return op == TFileOp::Read; });
    compressor.SetMethod(cmLZHUF);
    EXPECT_EQ(MessageOf([&] { compressor.Compress(); }),
              "Compressor : Error reading from input file : " + Path("in.txt") + " (LZH)");
    EXPECT_FALSE(fs::exists(Path("packed.dat")));
}

TEST(Compressor, StreamsThatCannotSeekAreRefused)
{
    TCompressor compressor;
    compressor.SetStreamMode(true);
    EXPECT_EQ(MessageOf([&] { compressor.Decompress(); }),
              "Compressor (de)compression : Failed to initialize input stream !");
    std::istringstream in("abc");
    compressor.SetInputStream(&in);
    EXPECT_EQ(MessageOf([&] { compressor.Decompress(); }),
              "Compressor (de)compression : Failed to initialize output stream !");
    EXPECT_FALSE(compressor.Advise());  // small: decided by size alone
}

}  // namespace
}  // namespace tarnwick
