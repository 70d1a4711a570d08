// Compiled schemes whose later tables hold impossible counts or repeated
// entries (context sets, token state records, in-state tables and their
// range lists): loading fails with "<name>: <message>" and leaves the
// empty scheme, never a half-loaded one.
#include "editor/core/sm_stream.h"
#include "scheme/code_memo_parser.h"
#include "scheme/compressor.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tarnwick {
namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out += static_cast<char>(v);
    return out;
}

std::string I32(int32_t v)
{
    std::string out;
    TSMStreamWriter w(out);
    w.I32(v);
    return out;
}

const std::string kSet(32, '\0');
const std::string kClass = kSet + I32(0) + Bytes({0});
// start matcher, valid set, body matcher, terminator without classes, token
const std::string kRecord = Bytes({0}) + kClass + Bytes({0}) + kSet + Bytes({0}) + kClass +
                            Bytes({0}) + Bytes({0, 0, 0}) + Bytes({1});

// A whole compiled scheme: default settings, no words, handlers or global
// start slots, then `rest` from the context-set count on.
std::string SchemeWithTables(const std::string& rest)
{
    TSM_Settings settings;
    std::string payload;
    TSMStreamWriter w(payload);
    settings.WriteToStream(w, 51);
    payload += I32(0) + I32(0) + Bytes({0}) + I32(0) + I32(0) + rest;
    std::string bytes;
    TSMStreamWriter out(bytes);
    out.U16(51);
    out.I32(static_cast<int32_t>(payload.size()));
    out.Bytes(TCompressor::CompressBytes(payload));
    return bytes;
}

const std::string kEnd = kSet + kSet + kSet + Bytes({0});  // anchor, bound, start, flag

TEST(CorruptTables, FailWrappedAndLeaveEmptyScheme)
{
    const std::string stateRecord = kSet + kSet + kSet + Bytes({0, 1, 0});
    const std::vector<std::pair<const char*, std::string>> rows = {
        {"huge_context_count", I32(0x7FFFFFFF) + kEnd},
        {"context_value_twice",
         I32(2) + Bytes({5}) + kSet + Bytes({5}) + kSet + I32(0) + I32(0) + kEnd},
        {"huge_state_record_count", I32(0) + I32(1 << 30) + kEnd},
        {"state_record_twice",
         I32(0) + I32(2) + Bytes({9}) + stateRecord + Bytes({9}) + stateRecord + I32(0) + kEnd},
        {"huge_in_state_count", I32(0) + I32(0) + I32(0x40000000) + kEnd},
        {"in_state_table_twice",
         I32(0) + I32(0) + I32(2) + Bytes({3}) + I32(0) + Bytes({3}) + I32(0) + kEnd},
        {"in_state_slot_twice",
         I32(0) + I32(0) + I32(1) + Bytes({3}) + I32(2) + Bytes({'a'}) + kRecord + I32(0) +
             Bytes({'a'}) + kRecord + I32(0) + kEnd},
        {"range_low_above_high",
         I32(0) + I32(0) + I32(1) + Bytes({3}) + I32(1) + Bytes({'a'}) + kRecord + I32(1) +
             Bytes({0, 2, 0, 1}) + kRecord + kEnd},
        {"negative_range_count",
         I32(0) + I32(0) + I32(1) + Bytes({3}) + I32(1) + Bytes({'a'}) + kRecord + I32(-1) + kEnd},
        {"sets_cut_short", I32(0) + I32(0) + I32(0) + kSet},
    };
    TCodeMemoParser fresh;
    fresh.Name = "Parser1";
    const std::string empty = fresh.SaveToBytes();

    // The frame and the record are sound: with sound tables they load.
    TCodeMemoParser sound;
    ASSERT_TRUE(sound.LoadFromBytes(SchemeWithTables(I32(0) + I32(0) + I32(0) + kEnd)));
    ASSERT_TRUE(sound.LoadFromBytes(SchemeWithTables(I32(0) + I32(0) + I32(1) + Bytes({3}) +
                                                     I32(1) + Bytes({'a'}) + kRecord + I32(1) +
                                                     Bytes({0, 1, 0, 2}) + kRecord + kEnd)));
    ASSERT_NE(sound.Tables().InStateTable(3), nullptr);
    EXPECT_EQ(sound.Tables().InStateTable(3)->Ranges.size(), 1u);

    for (const auto& [name, rest] : rows) {
        SCOPED_TRACE(name);
        TCodeMemoParser p;
        p.Name = "Parser1";
        p.CompileText("%%words 'x' '' 1 %%language name = 'Before'");
        try {
            p.LoadFromBytes(SchemeWithTables(rest));
            ADD_FAILURE() << "loaded";
        } catch (const Exception& error) {
            EXPECT_EQ(std::string(error.what()), "Parser1: Stream read error");
        }
        EXPECT_EQ(p.SaveToBytes(), empty);
    }
}

}  // namespace
}  // namespace tarnwick
