// The incremental highlighting pass over line records, driven by a small
// scheme double: restart points, tokens across records, where a pass stops,
// the bound query, OnTokenSeen, the busy wait and exceptions.
#include "editor/core/code_memo_model.h"
#include "editor/core/highlight_pass.h"
#include "editor/core/scheme_highlighter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick {
namespace {

// Token values: 0 runs of blanks, TABs and CRs (the anchor), 2 words,
// 4 digits, 8 "{...}" comments (across lines), 10 any other character.
class TFakeScheme : public TCustomCodeMemoParser {
public:
    const TStateSet& AnchorSet() const override { return anchors; }
    void ResetTokenizer(int context) override
    {
        resets.push_back(context);
        fresh = true;
    }
    int ReadToken(TCodeMemoClient*, TCustomEdStream& s, int& length) override
    {
        const int64_t start = s.Position();
        if (fresh)
            starts.push_back(start);
        fresh = false;
        ++reads;
        if (start == throwAt)
            throw Exception("tokenizer fault");
        const auto is = [&](auto test) {
            while (!s.AtEnd() && test(s.Current()))
                s.Advance();
        };
        const unsigned char c = s.Current();
        int value = 10;
        if (c == '{') {
            is([](unsigned char x) { return x != '}'; });
            s.Advance();
            value = 8;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            is([](unsigned char x) { return x == ' ' || x == '\t' || x == '\r'; });
            value = 0;
        } else if (c >= 'a' && c <= 'z') {
            is([](unsigned char x) { return x >= 'a' && x <= 'z'; });
            value = 2;
        } else if (c >= '0' && c <= '9') {
            is([](unsigned char x) { return x >= '0' && x <= '9'; });
            value = 4;
        } else {
            s.Advance();
        }
        length = static_cast<int>(s.Position() - start);
        return value;
    }
    bool InContainer() const override { return false; }
    bool Busy() const override { return busyCalls > 0 && busyCalls-- > 0; }
    bool Bound() const override { return bound; }

    TStateSet anchors{0};
    std::vector<int> resets;
    std::vector<int64_t> starts;  // where each pass began reading
    int reads = 0;
    int64_t throwAt = -1;
    bool bound = false;
    mutable int busyCalls = 0;

private:
    bool fresh = false;
};

// Each record's token values, one letter a value (" " 0, "w" 2, "9" 4,
// "{" 8, "+" 10, "?" no values), records separated by "|".
std::string Colours(const TCodeMemoModel& model)
{
    std::string out;
    for (const TLineRec* rec = model.First(); rec != nullptr; rec = rec->Next) {
        if (!out.empty())
            out += '|';
        for (size_t i = 0; i < rec->Len; ++i) {
            if (!rec->Attrs) {
                out += '?';
                continue;
            }
            switch (rec->Attrs[i]) {
            case 0: out += ' '; break;
            case 2: out += 'w'; break;
            case 4: out += '9'; break;
            case 8: out += '{'; break;
            case 10: out += '+'; break;
            default: out += '#'; break;
            }
        }
    }
    return out;
}

class HighlightPass : public ::testing::Test {
protected:
    void Load(std::string_view text) { model.LoadFromText(text); }
    THighlightResult All() { return pass.RunAll(model.Store().First(), model.CharCount()); }
    // A pass after a change in line `changed`, with lines first..last visible.
    THighlightResult After(int64_t changed, int64_t first = 0, int64_t last = 4)
    {
        const TLineLoc at = model.LineByIndex(changed);
        return pass.Run(model.Store().First(), model.CharCount(),
                        {at.Rec, at.Start, at.Index, first, last});
    }
    // Replaces characters [from, to) without touching the token values of
    // other records (as typing does).
    void Replace(int64_t from, int64_t to, std::string_view text)
    {
        model.SetSelection(from, to);
        model.InsertText(text);
    }

    TCodeMemoModel model;
    TFakeScheme scheme;
    THighlightPass pass{scheme};
};

TEST_F(HighlightPass, ColoursEveryRecordAndTokensAcrossRecords)
{
    Load("ab 12;\r{ x\ry }z\r");
    const THighlightResult r = All();
    EXPECT_EQ(Colours(model), "ww 99+ |{{{{|{{{w ");
    EXPECT_EQ(r.FirstLine, 0);
    EXPECT_EQ(r.LastLine, 2);
    EXPECT_EQ(scheme.resets, (std::vector<int>{0, 0}));  // start, and the end of the pass
    for (const TLineRec* rec = model.First(); rec != nullptr; rec = rec->Next)
        EXPECT_TRUE(rec->Flags & lfRepaint);
}

TEST_F(HighlightPass, AnEmptyTextDoesNothing)
{
    EXPECT_EQ(All().FirstLine, -1);
    EXPECT_TRUE(scheme.resets.empty());
}

TEST_F(HighlightPass, RestartsAtTheAnchorRunBeforeTheChangeWithTheValueBeforeIt)
{
    Load("ab cd\rxy;\rqq\r");
    All();
    Replace(10, 11, "r");  // line 2: "rq"
    scheme.resets.clear();
    After(2);
    // Line 1 ends "xy;" + CR: the CR (value 0) is the anchor run; the ";"
    // before it gives the context value 10.
    EXPECT_EQ(scheme.starts.back(), 9);
    EXPECT_EQ(scheme.resets.front(), 10);
    EXPECT_EQ(Colours(model), "ww ww |ww+ |ww ");
}

TEST_F(HighlightPass, WalksBackThroughACommentThatSpansRecords)
{
    Load("x {a\rb\rc} y\rz\r");
    All();
    Replace(7, 8, "d");  // line 2 starts "d} y"
    After(2);
    // From the end of line 1 back through the comment to the blank before
    // "{" in line 0; the context is the value of "x".
    EXPECT_EQ(scheme.starts.back(), 1);
    EXPECT_EQ(scheme.resets[scheme.resets.size() - 2], 2);
    EXPECT_EQ(Colours(model), "w {{{|{{|{{ w |w ");
}

TEST_F(HighlightPass, RestartsAtTheTextStartWithoutAnAnchor)
{
    Load("abc\rdef\r");
    scheme.anchors = {};
    All();
    Replace(5, 6, "x");
    After(1);
    EXPECT_EQ(scheme.starts.back(), 0);
    EXPECT_EQ(scheme.resets[scheme.resets.size() - 2], 0);
}

TEST_F(HighlightPass, ARecordWithoutValuesIsARestartPoint)
{
    Load("ab\rcd\ref\r");
    All();
    model.Store().First()->Next->Attrs.reset();  // line 1 was never coloured
    After(2);
    EXPECT_EQ(scheme.starts.back(), 3);
    EXPECT_EQ(scheme.resets[scheme.resets.size() - 2], 0);  // the CR before it
    EXPECT_EQ(Colours(model), "ww |ww |ww ");
}

TEST_F(HighlightPass, AChangeInTheFirstRecordIgnoresItsOldValues)
{
    Load("ab 1\rcd\r");
    All();
    // Values of an earlier scheme: the record must be coloured from its start.
    TLineRec* first = model.Store().First();
    for (size_t i = 0; i < first->Len; ++i)
        first->Attrs[i] = 10;
    All();
    EXPECT_EQ(Colours(model), "ww 9 |ww ");
    EXPECT_EQ(scheme.starts.back(), 0);
}

TEST_F(HighlightPass, StopsBelowTheWindowWhenValuesRepeat)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "a\r";
    Load(text);
    All();
    Replace(20, 21, "b");  // line 10, same colouring
    const THighlightResult same = After(10, 0, 4);
    // Lines 9..17 (the change + 5 visible lines + 2) are always coloured;
    // line 18 is the first one past them, unchanged: the pass stops there.
    EXPECT_EQ(same.FirstLine, 9);
    EXPECT_EQ(same.LastLine, 18);

    Replace(20, 21, "{");  // opens a comment that nothing closes
    EXPECT_EQ(After(10, 0, 4).LastLine, 99);
    EXPECT_EQ(Colours(model).substr(3 * 98), "{{|{{");
}

TEST_F(HighlightPass, ACommentOpenerRecoloursOnlyAsFarAsTheColouringChanges)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += i == 30 ? "}\r" : "a\r";
    Load(text);
    All();
    for (TLineRec* rec = model.Store().First(); rec != nullptr; rec = rec->Next)
        rec->Flags = 0;
    Replace(20, 21, "{");  // line 10; the comment ends in line 30
    EXPECT_EQ(After(10, 0, 4).LastLine, 31);
    EXPECT_EQ(Colours(model).substr(3 * 29, 9), "{{|{ |w |");
    int64_t index = 0;
    for (const TLineRec* rec = model.First(); rec != nullptr; rec = rec->Next, ++index)
        EXPECT_EQ((rec->Flags & lfRepaint) != 0, index >= 9 && index <= 31) << "line " << index;
}

TEST_F(HighlightPass, TheWholeWindowIsColouredEvenWhenValuesRepeat)
{
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "a\r";
    Load(text);
    All();
    Replace(2, 3, "b");  // line 1; the window shows lines 0..39
    // Lines 0..43 (the change + 40 visible lines + 2) are always coloured.
    EXPECT_EQ(After(1, 0, 39).LastLine, 44);
}

TEST_F(HighlightPass, TheBoundQueryKeepsThePassGoing)
{
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += "a\r";
    Load(text);
    All();
    scheme.bound = true;
    Replace(2, 3, "b");
    EXPECT_EQ(After(1).LastLine, 49);
}

TEST_F(HighlightPass, OnTokenSeenSeesEveryTokenAndMayChangeItsValue)
{
    Load("ab 1\r");
    std::vector<std::string> seen;
    pass.OnTokenSeen = [&](int& value, int64_t start, int64_t end) {
        seen.push_back(std::to_string(value) + "@" + std::to_string(start) + "-" +
                       std::to_string(end));
        if (value == 4)
            value = 8;
        if (value == 0)
            value = 300;  // out of range: stored as 0
    };
    All();
    EXPECT_EQ(seen, (std::vector<std::string>{"2@0-2", "0@2-3", "4@3-4", "0@4-5"}));
    EXPECT_EQ(Colours(model), "ww { ");
}

TEST_F(HighlightPass, WaitsWhileTheSchemeIsBusyOnlyWhileMessagesAreDispatched)
{
    Load("a\r");
    scheme.busyCalls = 3;
    int dispatched = 0;
    pass.ProcessMessages = [&] {
        ++dispatched;
        return true;
    };
    All();
    EXPECT_EQ(dispatched, 3);

    // Nothing left to dispatch: the pass goes ahead instead of hanging.
    scheme.busyCalls = 1000000;
    dispatched = 0;
    pass.ProcessMessages = [&] {
        ++dispatched;
        return false;
    };
    All();
    EXPECT_EQ(dispatched, 1);
    EXPECT_EQ(Colours(model), "w ");
}

TEST_F(HighlightPass, AnExceptionKeepsCompletedRecordsAndResetsTheTokenizer)
{
    Load("ab\rcd ef\rgh\r");
    scheme.throwAt = 6;
    EXPECT_THROW(All(), Exception);
    EXPECT_EQ(Colours(model), "ww |??????|???");
    EXPECT_EQ(scheme.resets.size(), 2u);
}

TEST(SchemeHighlighter, DefaultFlagsAndSystemColoursBecomePlainColours)
{
    TFakeScheme scheme;
    auto& effects = scheme.Settings().Effects;
    effects[0] = {0, clWindowText, clWindow, 1, 1, 0, true};
    effects[5] = {fsItalic, 0xFF0000, 0x00FF00, 0, 1, 0, true};
    effects[6] = {fsBold, 0x123456, clHighlight, 1, 0, 0, true};
    scheme.Settings().EffectMap[8] = 5;
    TSchemeHighlighter h(scheme);
    EXPECT_EQ(h.EffectOfToken(8), 5);
    EXPECT_EQ(h.EffectOfToken(9), 0);
    const TTextEffect zero = h.Effect(0);
    EXPECT_EQ(zero.Fore, 0x000000);
    EXPECT_EQ(zero.Back, 0xFFFFFF);
    const TTextEffect comment = h.Effect(5);
    EXPECT_EQ(comment.Fore, 0xFF0000);
    EXPECT_EQ(comment.Back, 0xFFFFFF);  // effect 0's background, which is the window's
    EXPECT_EQ(comment.Style, fsItalic);
    const TTextEffect other = h.Effect(6);
    EXPECT_EQ(other.Fore, 0x000000);
    EXPECT_EQ(other.Back, 0x800000);  // the highlight colour, navy
}

}  // namespace
}  // namespace tarnwick
