// The character stream over line records: walking, seeking, reading, and
// refusing to write.
#include "editor/core/code_memo_model.h"
#include "editor/core/ed_stream.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tarnwick {
namespace {

// Texts whose records the stream must cross: several lines, an empty line,
// no final line break, and a line long enough to be cut into continuation
// records.
std::vector<std::pair<const char*, std::string>> Texts()
{
    return {
        {"empty", ""},
        {"one_line", "abc"},
        {"lines_with_empty_one", "ab\r\rcd\ref"},
        {"ends_with_break", "ab\rcd\r"},
        {"long_line", std::string(5000, 'x') + "\ry"},
    };
}

TEST(EdStream, WalksForwardsAndBackwardsOverEveryCharacter)
{
    for (const auto& [name, text] : Texts()) {
        TCodeMemoModel model;
        model.LoadFromText(text);
        const std::string stored = model.Text();
        TEdStream stream(model);
        ASSERT_EQ(stream.TextLength(), static_cast<int64_t>(stored.size())) << name;

        std::string forwards;
        while (!stream.AtEnd()) {
            forwards += static_cast<char>(stream.Current());
            stream.Advance();
        }
        EXPECT_EQ(forwards, stored) << name;
        EXPECT_EQ(stream.Current(), 0) << name << ": nothing past the end";
        stream.Advance();
        EXPECT_EQ(stream.Position(), stream.TextLength()) << name;

        std::string backwards;
        while (stream.StepBack())
            backwards.insert(backwards.begin(), static_cast<char>(stream.Current()));
        EXPECT_EQ(backwards, stored) << name;
        EXPECT_EQ(stream.Position(), 0) << name;
    }
}

TEST(EdStream, RandomSeeksAgreeWithTheText)
{
    TCodeMemoModel model;
    std::string text;
    for (int line = 0; line < 200; ++line)
        text += std::string(static_cast<size_t>(line % 7), static_cast<char>('a' + line % 26)) + "\r";
    text += std::string(3000, 'L');
    model.LoadFromText(text);
    const std::string stored = model.Text();
    TEdStream stream(model);
    std::mt19937 random(7);
    std::uniform_int_distribution<int64_t> pick(-5, stream.TextLength() + 5);
    for (int i = 0; i < 2000; ++i) {
        const int64_t target = pick(random);
        stream.Seek(target);
        const int64_t expect = std::clamp<int64_t>(target, 0, stream.TextLength());
        ASSERT_EQ(stream.Position(), expect);
        const unsigned char c =
            expect < stream.TextLength() ? static_cast<unsigned char>(stored[size_t(expect)]) : 0;
        ASSERT_EQ(stream.Current(), c) << "at " << expect;
    }
}

TEST(EdStream, StandardStreamReadSeekAndWrite)
{
    TCodeMemoModel model;
    model.LoadFromText("ab\rcd\ref");
    TEdStream stream(model);

    char buffer[16] = {};
    EXPECT_EQ(stream.Read(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "ab\rc");
    EXPECT_EQ(stream.Seek(-2, soFromEnd), 6);
    EXPECT_EQ(stream.Read(buffer, sizeof buffer), 2u) << "a read stops at the end";
    EXPECT_EQ(std::string(buffer, 2), "ef");
    EXPECT_EQ(stream.Seek(-3, soFromCurrent), 5);
    EXPECT_EQ(stream.Current(), '\r');
    EXPECT_EQ(stream.Seek(100, soFromBeginning), 8) << "clamped to the end";
    EXPECT_EQ(stream.Seek(INT64_MIN, soFromCurrent), 0) << "no overflow";

    try {
        stream.Write("x", 1);
        ADD_FAILURE() << "no error";
    } catch (const EStreamError& e) {
        EXPECT_STREQ(e.what(), "Cannot write to a read-only stream");
    }
    EXPECT_EQ(model.Text(), "ab\rcd\ref");
}

TEST(EdStream, LengthBeyondTheChainIsCutAtItsEnd)
{
    TCodeMemoModel model;
    model.LoadFromText("ab\rcd");
    TEdStream stream(model.First(), 1000);
    int steps = 0;
    while (!stream.AtEnd() && steps < 100) {
        stream.Advance();
        ++steps;
    }
    EXPECT_EQ(steps, 5);
    EXPECT_EQ(stream.TextLength(), 5);

    TEdStream none(nullptr, 10);
    EXPECT_TRUE(none.AtEnd());
    EXPECT_EQ(none.Current(), 0);
}

}  // namespace
}  // namespace tarnwick
