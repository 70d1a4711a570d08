// Word wrap in the model: where a logical line is cut (the delimiter rule)
// and how re-cutting keeps marks, token values, offsets and the top line.
#include "editor/core/code_memo_model.h"

#include <gtest/gtest.h>

namespace tarnwick::test {

namespace {

std::vector<std::string> Records(const TCodeMemoModel &model)
{
    std::vector<std::string> records;
    for (const TLineRec *rec = model.First(); rec != nullptr; rec = rec->Next)
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
        const char *name;
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
    for (const Row &row : rows)
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
    TLineRec *line3 = model.LineByIndex(3).Rec;
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
    const TLineRec *first = model.LineByIndex(6).Rec;
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
