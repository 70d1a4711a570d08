// Line records, input normalisation, chunking, lookups, columns and
// load/save of the editor's text model.
#include "editor/core/code_memo_errors.h"
#include "editor/core/code_memo_model.h"
#include "editor/core/memo_options.h"
#include "editor/core/text_normalise.h"
#include "chain_check.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tarnwick {
namespace {

using test::ExpectConsistent;
using test::Records;

TEST(Normalise, Table)
{
    struct Row {
        const char* name;
        std::string in;
        std::string out;
    };
    const Row rows[] = {
        {"crlf_is_one_cr", "a\r\nb", "a\rb"},
        {"lfcr_is_one_cr", "a\n\rb", "a\rb"},
        {"lone_lf_becomes_cr", "a\nb", "a\rb"},
        {"lone_cr_stays", "a\rb", "a\rb"},
        {"final_lf", "a\n", "a\r"},
        {"cr_cr_lf_is_two_breaks", "\r\r\n", "\r\r"},
        {"bell_becomes_dot", "a\x07z", "a.z"},
        {"nul_becomes_dot", std::string("a\0b", 3), "a.b"},
        {"tab_and_high_bytes_kept", "\t\xA0\xFF", "\t\xA0\xFF"},
        {"escape_and_del", "\x1B\x7F", ".\x7F"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(NormaliseInput(row.in), row.out) << row.name;
}

TEST(Normalise, ChunkNeverSplitsAPair)
{
    struct Row {
        const char* name;
        std::string text;
        size_t limit;
        size_t expect;
    };
    const Row rows[] = {
        {"cr_lf_across_limit", "abc\r\nd", 4, 3},
        {"lf_cr_across_limit", "abc\n\rd", 4, 3},
        {"pair_inside_chunk", "ab\r\nd", 4, 4},
        {"second_half_at_limit", "a\r\n\rxx", 3, 3},
        {"lone_cr_then_pair", "a\r\r\nb", 3, 2},
        {"short_text", "ab", 8, 2},
    };
    for (const Row& row : rows)
        EXPECT_EQ(SafeChunkLength(row.text, row.limit), row.expect) << row.name;
}

TEST(TextModel, LoadEdgeCases)
{
    struct Row {
        const char* name;
        std::string bytes;
        std::vector<std::string> records;
    };
    const Row rows[] = {
        {"mixed_breaks_five_lines", "a\r\nb\nc\rd\n\re", {"a\r", "b\r", "c\r", "d\r", "e"}},
        {"bell_and_tab", "x\x07\ty", {"x.\ty"}},
        {"final_break_has_no_empty_record", "ab\r\n", {"ab\r"}},
        {"empty", "", {}},
        {"only_breaks", "\n\n", {"\r", "\r"}},
    };
    for (const Row& row : rows) {
        TCodeMemoModel model;
        model.LoadFromText(row.bytes);
        EXPECT_EQ(Records(model), row.records) << row.name;
        ExpectConsistent(model);
    }
}

TEST(TextModel, LongLineIsCutIntoContinuationRecordsAndSavedBack)
{
    TCodeMemoModel model;
    const std::string line(5000, 'x');
    model.LoadFromText(line);
    const auto records = Records(model);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].size(), 2047u);
    EXPECT_EQ(records[1].size(), 2047u);
    EXPECT_EQ(records[2].size(), 906u);
    EXPECT_FALSE(model.First()->IsContinuation());
    EXPECT_TRUE(model.First()->Next->IsContinuation());
    EXPECT_TRUE(model.First()->Next->Next->IsContinuation());
    std::ostringstream out;
    model.SaveToStream(&out);
    EXPECT_EQ(out.str(), line);

    const std::string huge = std::string(100000, 'q') + "\r\n" + std::string(3, 'z');
    model.LoadFromText(huge);
    ExpectConsistent(model);
    std::ostringstream out2;
    model.SaveToStream(&out2);
    EXPECT_EQ(out2.str(), huge);
}

TEST(TextModel, CrLfAtChunkBoundaryIsOneBreak)
{
    std::string bytes(16384, 'a');
    bytes[8191] = '\r';
    bytes[8192] = '\n';
    TCodeMemoModel model;
    std::istringstream in(bytes);
    model.LoadFromStream(in);
    EXPECT_EQ(model.CharCount(), 16383);
    const std::string text = model.Text();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 1);
    EXPECT_EQ(text[8191], '\r');
    ExpectConsistent(model);
}

TEST(TextModel, SaveFormatsRoundTrip)
{
    struct Row {
        TSaveFormat format;
        std::string expect;
    };
    const Row rows[] = {{sfTEXT, "ab\r\ncd\r\n"}, {sfUNIX, "ab\ncd\n"}};
    for (const Row& row : rows) {
        TCodeMemoModel model;
        model.LoadFromText("ab\rcd\r");
        model.SaveFormat = row.format;
        std::ostringstream out;
        model.SaveToStream(&out);
        EXPECT_EQ(out.str(), row.expect);
        TCodeMemoModel again;
        again.LoadFromText(out.str());
        EXPECT_EQ(again.Text(), "ab\rcd\r");
    }
}

TEST(TextModel, CountsOfEmptyControl)
{
    TCodeMemoModel model;
    EXPECT_EQ(model.RecordCount(), 0);
    EXPECT_EQ(model.LineCount(), 1);
    EXPECT_EQ(model.FindLine(10).Rec, nullptr);
}

TEST(TextModel, SelLengthByLineStyle)
{
    TCodeMemoModel model;
    model.LoadFromText("ab\ncd");
    model.SelectAll();
    model.SelLineStyle = lsLF;
    EXPECT_EQ(model.SelLength(), 5);
    EXPECT_EQ(model.SelText(), "ab\rcd");
    model.SelLineStyle = lsCRLF;
    EXPECT_EQ(model.SelLength(), 6);
    EXPECT_EQ(model.SelText(), "ab\r\ncd");
}

TEST(TextModel, DeleteEverythingLeavesNoRecords)
{
    TCodeMemoModel model;
    model.LoadFromText("one\ntwo\nthree");
    std::vector<std::pair<int64_t, int64_t>> changes;
    model.OnTextChange = [&](int64_t s, int64_t e) { changes.emplace_back(s, e); };
    model.SetCustomBookmark("b", 5);
    model.SelectAll();
    model.DeleteSelection();
    EXPECT_EQ(model.First(), nullptr);
    EXPECT_EQ(model.CharCount(), 0);
    EXPECT_EQ(model.SelCaret(), 0);
    EXPECT_EQ(model.TopLine(), 0);
    EXPECT_FALSE(model.CustomBookmark("b"));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], (std::pair<int64_t, int64_t>(0, 0)));
}

TEST(TextModel, InsertAndDeleteKeepChainConsistent)
{
    // Seeded random edits against a plain string holding the same text.
    TCodeMemoModel model;
    std::string shadow;
    uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) & 0xFFFFFF;
    };
    const std::string alphabet = "ab\r\t ";
    for (int step = 0; step < 600; ++step) {
        const auto size = static_cast<int64_t>(shadow.size());
        const int64_t a = size == 0 ? 0 : next() % (size + 1);
        const int64_t b = size == 0 ? 0 : next() % (size + 1);
        model.SetSelection(a, b);
        if (next() % 3 == 0) {
            model.DeleteSelection();
            shadow.erase(std::min(a, b), std::abs(a - b));
        } else {
            std::string text;
            const size_t len = next() % 5 == 0 ? 1 + next() % 3000 : 1 + next() % 4;
            for (size_t i = 0; i < len; ++i)
                text += alphabet[next() % alphabet.size()];
            model.InsertText(text);
            shadow.replace(std::min(a, b), std::abs(a - b), text);
        }
        if (next() % 7 == 0)
            model.SetTopLine(next() % (model.LineCount() + 2));
        ASSERT_EQ(model.Text(), shadow) << "step " << step;
        // A lookup must agree with a plain walk from the first record.
        const int64_t probe = shadow.empty() ? 0 : next() % (shadow.size() + 1);
        const TLineLoc found = model.FindLine(probe);
        int64_t start = 0;
        int64_t index = 0;
        const TLineRec* rec = model.First();
        while (rec != nullptr && rec->Next != nullptr && probe >= start + rec->Len) {
            start += rec->Len;
            rec = rec->Next;
            ++index;
        }
        ASSERT_EQ(found.Rec, rec) << "step " << step;
        ASSERT_EQ(found.Start, start);
        ASSERT_EQ(found.Index, index);
    }
    ExpectConsistent(model);
    int64_t widest = 0;
    for (const TLineRec* rec = model.First(); rec != nullptr; rec = rec->Next)
        widest = std::max<int64_t>(widest, rec->Len);
    EXPECT_EQ(model.WidestRecord(), widest);
}

TEST(TextModel, TextChangeNotificationsAndMarks)
{
    TCodeMemoModel model;
    model.LoadFromText("hello\nworld");
    std::vector<std::pair<int64_t, int64_t>> changes;
    std::vector<std::string> freed;
    int changed = 0;
    model.OnTextChange = [&](int64_t s, int64_t e) { changes.emplace_back(s, e); };
    model.OnCustomBookmarkFree = [&](const std::string& n) { freed.push_back(n); };
    model.OnChange = [&] { ++changed; };
    model.SetCustomBookmark("before", 1);
    model.SetCustomBookmark("inside", 4);
    model.SetCustomBookmark("after", 8);
    model.SetSelection(3, 3);
    model.InsertText("XY");
    EXPECT_EQ(*model.CustomBookmark("inside"), 6);
    EXPECT_EQ(*model.CustomBookmark("before"), 1);
    model.SetSelection(3, 7);
    model.DeleteSelection();
    EXPECT_EQ(model.Text(), "hel\rworld");
    EXPECT_EQ(*model.CustomBookmark("after"), 6);
    EXPECT_FALSE(model.CustomBookmark("inside"));
    EXPECT_EQ(freed, std::vector<std::string>{"inside"});
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0], (std::pair<int64_t, int64_t>(3, 2)));
    EXPECT_EQ(changes[1], (std::pair<int64_t, int64_t>(3, -4)));
    EXPECT_GE(changed, 2);
}

TEST(TextModel, DeletingALineKeepsTheNextLinesMarks)
{
    TCodeMemoModel model;
    model.LoadFromText("abc\rdef\rghi");
    model.Store().First()->Next->Next->Marks = 1 << 3;
    model.SetSelection(4, 8);
    model.DeleteSelection();
    EXPECT_EQ(Records(model), (std::vector<std::string>{"abc\r", "ghi"}));
    EXPECT_EQ(model.First()->Next->Marks, 1 << 3);
}

TEST(TextModel, SingleCharacterIsSplicedInPlace)
{
    TCodeMemoModel model;
    model.LoadFromText("ac\rx");
    TLineRec* first = model.Store().First();
    first->Marks = 5;
    model.SetSelection(1, 1);
    model.InsertText("b");
    EXPECT_EQ(model.First(), first);
    EXPECT_EQ(model.Text(), "abc\rx");
    EXPECT_EQ(model.SelCaret(), 2);
    model.InsertText("\n");
    EXPECT_EQ(model.Text(), "ab\rc\rx");
    EXPECT_EQ(model.First()->Marks, 5);
    ExpectConsistent(model);
}

TEST(TextModel, CallerOffsetsAreClamped)
{
    TCodeMemoModel model;
    model.LoadFromText("abc");
    model.SetSelection(-5, 99);
    EXPECT_EQ(model.SelAnchor(), 0);
    EXPECT_EQ(model.SelCaret(), 3);
    EXPECT_EQ(model.FindLine(1000).Start, 0);
    EXPECT_EQ(model.LineByIndex(50).Index, 0);
    model.SetSelection(0, -1);
    EXPECT_EQ(model.SelCaret(), 3);
}

TEST(Columns, TabExpansionAndInverse)
{
    TCodeMemoModel model;
    model.LoadFromText("\tab\tc\rplain");
    const TLineRec& tabbed = *model.First();
    const TLineRec& plain = *model.First()->Next;
    struct Row {
        size_t index;
        int column;
    };
    for (const Row row : {Row{0, 0}, Row{1, 4}, Row{2, 5}, Row{3, 6}, Row{4, 8}, Row{5, 9}})
        EXPECT_EQ(model.ColumnOfIndex(tabbed, row.index), row.column) << row.index;
    struct Back {
        int column;
        size_t index;
    };
    for (const Back row : {Back{0, 0}, Back{2, 0}, Back{4, 1}, Back{7, 3}, Back{8, 4}, Back{40, 5}})
        EXPECT_EQ(model.IndexOfColumn(tabbed, row.column), row.index) << row.column;
    EXPECT_EQ(model.ColumnOfIndex(plain, 3), 3);
    EXPECT_EQ(model.IndexOfColumn(plain, 3), 3u);
    EXPECT_EQ(model.IndexOfColumn(plain, 90), 5u);
}

TEST(TabStops, ParseFormatAndErrors)
{
    TTabStops tabs;
    tabs.SetTabColumns("5 9;20");
    EXPECT_EQ(tabs.Stops()[0], 4);
    EXPECT_EQ(tabs.Stops()[1], 8);
    EXPECT_EQ(tabs.Stops()[2], 19);
    EXPECT_EQ(tabs.Stops()[3], -1);
    EXPECT_EQ(tabs.TabColumns(), "5 9 20");
    EXPECT_EQ(tabs.NextTabStop(0), 4);
    EXPECT_EQ(tabs.NextTabStop(8), 19);
    EXPECT_EQ(tabs.NextTabStop(19), 20);
    EXPECT_EQ(tabs.NextTabStop(21), 24);

    struct Row {
        const char* text;
        std::string message;
    };
    std::string many;
    for (int i = 2; i <= 34; ++i)
        many += std::to_string(i) + " ";
    const Row rows[] = {
        {"5 x", kMsgTabValueExpected},
        {"5 4", kMsgTabOrder},
        {"5 5", kMsgTabOrder},
        {"1 4", kMsgTabAboveOne},
        {many.c_str(), std::string(kMsgTooManyTabs) + "32"},
    };
    for (const Row& row : rows) {
        try {
            tabs.SetTabColumns(row.text);
            ADD_FAILURE() << row.text;
        } catch (const ECodeMemo& e) {
            EXPECT_EQ(e.Message(), row.message) << row.text;
        }
        EXPECT_EQ(tabs.TabColumns(), "5 9 20") << "old stops stay";
    }
    EXPECT_THROW(tabs.SetTabDefault(0), ECodeMemo);
    EXPECT_EQ(tabs.TabDefault(), 4);
}

TEST(LoadSave, FileErrorsAndRetries)
{
    TCodeMemoModel model;
    model.LoadFromText("keep");
    try {
        model.LoadFromFile("/nonexistent/dir/x.txt");
        ADD_FAILURE();
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message(), "File '/nonexistent/dir/x.txt' cannot be opened for reading");
    }
    EXPECT_EQ(model.Text(), "keep");

    EXPECT_THROW(model.SaveToStream(nullptr), ECodeMemoSave);

    model.InsertText("!");
    int attempts = 0;
    model.SaveSink = [&](std::ostream&, std::string_view bytes) {
        ++attempts;
        return attempts < 3 ? bytes.size() - 1 : bytes.size();
    };
    std::ostringstream out;
    model.SaveToStream(&out);
    EXPECT_EQ(attempts, 3);
    EXPECT_FALSE(model.Modified());

    model.InsertText("?");
    attempts = 0;
    model.SaveSink = [&](std::ostream&, std::string_view) { return ++attempts, size_t{0}; };
    EXPECT_THROW(model.SaveToStream(&out), ECodeMemoSave);
    EXPECT_EQ(attempts, 4);
    EXPECT_TRUE(model.Modified()) << "a failed save keeps the undo log";
}

TEST(LoadSave, EmptyStreamEmptiesTheText)
{
    TCodeMemoModel model;
    model.LoadFromText("old text");
    std::istringstream empty("");
    model.LoadFromStream(empty);
    EXPECT_EQ(model.CharCount(), 0);
    EXPECT_EQ(model.First(), nullptr);
}

}  // namespace
}  // namespace tarnwick
