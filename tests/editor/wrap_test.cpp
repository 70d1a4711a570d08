// Word wrap in the model: where a logical line is cut (the delimiter rule)
// and how re-cutting keeps marks, token values, offsets and the top line.
#include "editor/core/code_memo_model.h"

#include <gtest/gtest.h>

#include <random>

namespace tarnwick::test {

namespace {

std::vector<std::string> Records(const TCodeMemoModel& model)
{
    std::vector<std::string> records;
    for (const TLineRec* rec = model.First(); rec != nullptr; rec = rec->Next)
        records.emplace_back(rec->View());
    return records;
}

TWrapRule WrapAt(size_t columns)
{
    TWrapRule rule;
    rule.Wrap = true;
    rule.Fit = [columns](std::string_view) { return columns; };
    return rule;
}

} // namespace

TEST(WrapCut, PicksTheCutByTheDelimiterRule)
{
    struct Row {
        const char* name;
        std::string text;
        size_t fit;
        size_t cut;
    };
    const Row rows[] = {
        {"everything_fits", "abc def", 7, 7},
        {"everything_but_the_cr_fits", "abc def\r", 7, 8},
        {"delimiter_at_the_cut_stays_on_the_piece", "abcd  efgh", 4, 6},
        {"back_to_after_the_last_delimiter", "ab cdefgh", 5, 3},
        {"one_word_fills_the_width", "abcdefghij", 4, 4},
        {"trailing_blanks_and_cr_stay_together", "abcd  \r", 4, 7},
        {"byte_160_is_a_delimiter",
         "ab\xa0"
         "cdef",
         4, 3},
        {"fit_zero_is_one", "abc", 0, 1},
    };
    for (const Row& row : rows)
        EXPECT_EQ(WrapCut(row.text, row.fit), row.cut) << row.name;
}

TEST(Rewrap, CutsAtTheWidthAndJoinsAgainWhenOff)
{
    TCodeMemoModel model;
    model.LoadFromText("aaaa bbbb cccc dddd\rshort\r");
    model.Rewrap(0, -1, WrapAt(10));
    EXPECT_EQ(Records(model), (std::vector<std::string>{"aaaa bbbb ", "cccc dddd\r", "short\r"}));
    EXPECT_TRUE(model.LineByIndex(1).Rec->IsContinuation());
    EXPECT_EQ(model.RecordCount(), 3);
    model.Rewrap(0, -1, TWrapRule{});
    EXPECT_EQ(Records(model), (std::vector<std::string>{"aaaa bbbb cccc dddd\r", "short\r"}));
    EXPECT_FALSE(model.LineByIndex(1).Rec->IsContinuation());
    EXPECT_EQ(model.Text(), "aaaa bbbb cccc dddd\rshort\r");
}

TEST(Rewrap, OverrideCharactersKeepALineWhole)
{
    TCodeMemoModel model;
    model.LoadFromText("> quoted text that is long\rplain text that is long\r");
    TWrapRule rule = WrapAt(10);
    rule.Override = ">|:";
    model.Rewrap(0, -1, rule);
    const std::vector<std::string> records = Records(model);
    EXPECT_EQ(records.front(), "> quoted text that is long\r");
    EXPECT_EQ(records.size(), 4u);
}

TEST(Rewrap, KeepsMarksTokenValuesAndTheTopLine)
{
    TCodeMemoModel model;
    std::string text;
    for (int i = 0; i < 20; ++i)
        text += "word word word word\r";
    model.LoadFromText(text);
    TLineRec* line3 = model.LineByIndex(3).Rec;
    line3->Marks = 1u << 4;
    line3->Attrs = std::make_unique<uint8_t[]>(line3->Len);
    for (size_t i = 0; i < line3->Len; ++i)
        line3->Attrs[i] = static_cast<uint8_t>(i);
    model.SetTopLine(5);
    model.SetSelection(50, 60);
    model.Rewrap(0, -1, WrapAt(10));
    // Each line became two records; line 5 now starts at record 10.
    EXPECT_EQ(model.RecordCount(), 40);
    EXPECT_EQ(model.TopLine(), 10);
    EXPECT_EQ(model.LineByIndex(10).Start, 5 * 20);
    const TLineRec* first = model.LineByIndex(6).Rec;
    EXPECT_EQ(first->Marks, 1u << 4);
    EXPECT_EQ(first->Next->Marks, kMarkContinuation);
    ASSERT_NE(first->Next->Attrs, nullptr);
    EXPECT_EQ(first->Next->Attrs[0], first->Len);
    EXPECT_EQ(model.SelStart(), 50);
    EXPECT_EQ(model.SelEnd(), 60);
    EXPECT_EQ(model.Text(), text);
}

TEST(Rewrap, LongLinesWithoutWrapBecomeFullRecords)
{
    TCodeMemoModel model;
    model.LoadFromText(std::string(5000, 'x'));
    model.Rewrap(0, -1, WrapAt(100));
    EXPECT_EQ(model.RecordCount(), 50);
    model.Rewrap(0, -1, TWrapRule{});
    EXPECT_EQ(model.RecordCount(), 3);
    EXPECT_EQ(model.First()->Len, kMaxRecordLen);
}

} // namespace tarnwick::test

namespace tarnwick::test {

// Seeded edits, each followed by re-cutting the lines it touched, as the
// widget does; the chain must stay consistent with the model's counts, the
// top line and the text.
TEST(Rewrap, SeededEditsKeepTheChainConsistent)
{
    std::mt19937 random(20261208);
    TCodeMemoModel model;
    std::string expected;
    const char alphabet[] = "ab \t\r";
    for (int step = 0; step < 400; ++step) {
        const auto width = static_cast<size_t>(1 + random() % 12);
        const bool wrap = random() % 5 != 0;
        const int64_t at =
            expected.empty() ? 0 : static_cast<int64_t>(random() % (expected.size() + 1));
        model.SetSelection(at, at);
        if (random() % 3 == 0 && !expected.empty()) {
            const int64_t end = std::min<int64_t>(at + static_cast<int64_t>(random() % 9),
                                                  static_cast<int64_t>(expected.size()));
            model.SetSelection(at, end);
            model.DeleteSelection();
            expected.erase(static_cast<size_t>(at), static_cast<size_t>(end - at));
        }
        else {
            std::string piece;
            for (int n = static_cast<int>(random() % 7) + 1; n > 0; --n)
                piece += alphabet[random() % 5];
            model.InsertText(piece);
            expected.insert(static_cast<size_t>(at), piece);
        }
        model.SetTopLine(static_cast<int64_t>(random() % 8));
        const int64_t topStart = model.LineByIndex(model.TopLine()).Start;
        TWrapRule rule;
        if (wrap)
            rule = WrapAt(width);
        const int64_t line = model.FindLine(at).Index;
        model.Rewrap(line, line + 2, rule);
        ASSERT_EQ(model.Text(), expected) << step;
        // Re-cutting lines already cut that way changes nothing.
        model.Rewrap(0, -1, rule);
        EXPECT_EQ(model.Rewrap(0, -1, rule), (std::pair<int64_t, int64_t>{-1, -1})) << step;
        int64_t count = 0;
        int64_t chars = 0;
        for (const TLineRec* rec = model.First(); rec != nullptr; rec = rec->Next) {
            ASSERT_LE(rec->Len, kMaxRecordLen);
            ASSERT_GT(rec->Len, 0);
            const bool continues = rec->Prev != nullptr && !rec->Prev->EndsWithCR();
            ASSERT_EQ(rec->IsContinuation(), continues) << step;
            ++count;
            chars += rec->Len;
        }
        ASSERT_EQ(count, model.RecordCount()) << step;
        ASSERT_EQ(chars, model.CharCount()) << step;
        // The top line still starts where it did, or on the piece that now
        // holds that text.
        const TLineLoc top = model.LineByIndex(model.TopLine());
        if (top.Rec != nullptr) {
            EXPECT_LE(top.Start, topStart) << step;
            EXPECT_GE(top.Start + top.Rec->Len, std::min(topStart + 1, model.CharCount())) << step;
            int64_t index = 0;
            int64_t start = 0;
            for (const TLineRec* rec = model.First(); rec != top.Rec; rec = rec->Next) {
                ++index;
                start += rec->Len;
            }
            EXPECT_EQ(index, model.TopLine()) << step;
            EXPECT_EQ(start, top.Start) << step;
        }
    }
}

} // namespace tarnwick::test
