// The tokenizer's state machinery: state-restricted words, acceptance,
// push and pop, context values, in-state start tables, containers, the bound
// query, handlers that fail, custom parsing and bad class indexes.
#include "tests/scheme/tokenizer/test_schemes.h"

#include "editor/core/code_memo_errors.h"
#include "scheme/builtin/builtin_scheme.h"

#include <gtest/gtest.h>

namespace tarnwick::test {
namespace {

TEST(TokenizerStates, AWordOfAnotherStateIsNotRecognised)
{
    TCodeMemoParser p;
    p.CompileText("%%words 'foo' '' 5 [1]  'on' '' 6\n"
                  "%%states 6 ( + 1 )\n");
    EXPECT_EQ(Pieces(p, "foo"), "f:0 o:0 o:0");
    EXPECT_EQ(Pieces(p, "onfoo"), "on:6 foo:5");
    EXPECT_EQ(p.CurrentStates(), (TStateSet{0, 1}));
}

TEST(TokenizerStates, AcceptanceRefusesTokensOfOtherStatesButNotKeywordTableWords)
{
    TCodeMemoParser p;
    p.OnCustomParse = [](TCodeMemoParser&, int, TCustomEdStream& s, int& length, int& value) {
        s.Advance();
        ++length;
        value = 70;
        return true;
    };
    // Token value 70 is valid in state 3 only; the custom parse reports it
    // in state 0, where it is refused; the keyword table gives it freely.
    p.CompileText("%%tokens 60 '@' match(1)\n"
                  "         InState 3 ( 70 'q' 'q' * '[^q]' 0 )\n"
                  "%%kwTables forstate [0] endswith '' ( 70 is 'kw' )\n");
    EXPECT_EQ(Pieces(p, "@x"), "@:0 x:0");
    EXPECT_EQ(Pieces(p, "kw"), "kw:70");
}

TEST(TokenizerStates, PopRestoresThePushedSetExactlyAndUnderflowRaises)
{
    TCodeMemoParser p;
    p.CompileText("%%language startstate = 5\n"
                  "%%words '<' '' 30  '>' '' 31 [0 3]  '!' '' 32 [0 3]\n"
                  "%%states 30 push ( + [3] - [0 5] )\n"
                  "         31 ( ) pop\n"
                  "         32 ( + 7 ) push\n"
                  "         33 pop ( + 9 )\n"
                  "%%words '?' '' 33 [0 3 7]\n");
    EXPECT_EQ(Pieces(p, "<"), "<:30");
    EXPECT_EQ(p.CurrentStates(), TStateSet{3});
    EXPECT_EQ(p.StackDepth(), 1u);
    EXPECT_EQ(Pieces(p, "<!>"), "<:30 !:32 >:31");
    // "!" pushed {3, 7} after its change; ">" pops that one.
    EXPECT_EQ(p.CurrentStates(), (TStateSet{3, 7}));
    EXPECT_EQ(Pieces(p, "<>"), "<:30 >:31");
    EXPECT_EQ(p.CurrentStates(), (TStateSet{0, 5}));
    EXPECT_EQ(p.StackDepth(), 0u);
    // "?" pops before its change: the pushed set plus 9.
    EXPECT_EQ(Pieces(p, "<?"), "<:30 ?:33");
    EXPECT_EQ(p.CurrentStates(), (TStateSet{0, 5, 9}));
    try {
        Tokens(p, "<>>");
        FAIL() << "a pop without a push must raise";
    } catch (const ECodeMemo& e) {
        EXPECT_STREQ(e.what(), "Stack underflow");
    }
    // Reset empties the stack and starts over.
    EXPECT_EQ(Pieces(p, "<>"), "<:30 >:31");
}

TEST(TokenizerStates, ResetTakesTheContextSetOrTheStartSet)
{
    TCodeMemoParser p;
    p.CompileText("%%language contextstates = (7 [4]) , (8 9 [1 2])\n");
    const struct {
        int context;
        TStateSet states;
    } cases[] = {{7, {4}}, {8, {1, 2}}, {9, {1, 2}}, {0, {0}}, {255, {0}}, {-1, {0}}, {256, {0}}};
    for (const auto& c : cases) {
        p.ResetTokenizer(c.context);
        EXPECT_EQ(p.CurrentStates(), c.states) << "context " << c.context;
    }
    // A scheme that was never compiled has empty context sets.
    TCodeMemoParser empty;
    ASSERT_TRUE(empty.Tables().ContextSets[3].Empty());
    empty.ResetTokenizer(3);
    EXPECT_EQ(empty.CurrentStates(), TStateSet{0});
}

TEST(TokenizerStates, InStateTablesReplaceTheGlobalTable)
{
    TCodeMemoParser p;
    p.CompileText("%%words '<' '' 30  '>' '' 31 [0 3]\n"
                  "%%tokens 51 'a' 'a' * '[^a]' 0\n"
                  "         52 'x' 'x' * '[^x]' 0\n"
                  "         InState 3 ( 50 'a' 'b' * '[^b]' 0 )\n"
                  "         InState 4 ( 53 'x' 'x' * '[^x]' 0 )\n"
                  "%%states 30 ( + 3 ) 31 ( - 3 )\n");
    EXPECT_EQ(Pieces(p, "aab"), "aa:51 b:0");
    // In {0, 3} the table of state 3 is current: "a" starts a token of 50
    // and "x", which only the global table knows, is plain text.
    EXPECT_EQ(Pieces(p, "<abbxa>aax"), "<:30 abb:50 x:0 a:50 >:31 aa:51 x:52");
    EXPECT_EQ(p.Tokenizer().StartTableState(), -1);
}

TEST(TokenizerStates, TheLowestStateWithATableChoosesTheTable)
{
    TCodeMemoParser p;
    p.CompileText("%%language startstate = [4 9]\n"
                  "%%tokens InState 9 ( 50 'a' 'a' * '[^a]' 0 )\n"
                  "         InState 4 ( 51 'a' 'a' * '[^a]' 0 )\n");
    EXPECT_EQ(Pieces(p, "aa"), "aa:51");
    EXPECT_EQ(p.Tokenizer().StartTableState(), 4);
}

TEST(TokenizerStates, AContainerIsReadAgainFromItsStartWithItsStates)
{
    TCodeMemoParser p;
    p.CompileText("%%words 'abc' '' 41 [5]\n"
                  "%%tokens 40 '<' '[^>]' * '>' 1\n"
                  "%%containers 40 ( + [5] - [0] )\n");
    const std::string text = "<x abc>abc";
    TStringEdStream s(text);
    p.ResetTokenizer(0);
    int length = 0;
    EXPECT_EQ(p.ReadToken(nullptr, s, length), 40);
    EXPECT_EQ(length, 7);
    EXPECT_TRUE(p.InContainer());
    EXPECT_TRUE(p.Busy());
    EXPECT_EQ(p.CurrentStates(), TStateSet{5});

    // The editor goes back to the container's start and reads its inside.
    s.Seek(0);
    std::string inside;
    while (s.Position() < 7) {
        const int64_t start = s.Position();
        const int value = p.ReadToken(nullptr, s, length);
        inside += text.substr(static_cast<size_t>(start), static_cast<size_t>(length)) + ":" +
                  std::to_string(value) + (p.InContainer() ? "+ " : " ");
    }
    EXPECT_EQ(inside, "<:0+ x:0+  :0+ abc:41+ >:0 ");
    EXPECT_FALSE(p.Busy());
    EXPECT_EQ(p.CurrentStates(), TStateSet{0});
    // After it, the set from before the container is in force again.
    EXPECT_EQ(p.ReadToken(nullptr, s, length), 0);
    EXPECT_EQ(length, 1);
}

TEST(TokenizerStates, AContainerThatTheTextEndsIsFinished)
{
    TCodeMemoParser p;
    p.CompileText("%%tokens 40 '<' '[^>]' * '>' 1\n"
                  "%%containers 40 ( + [5] - [0] )\n");
    const std::string text = "<ab";
    TStringEdStream s(text);
    p.ResetTokenizer(0);
    int length = 0;
    EXPECT_EQ(p.ReadToken(nullptr, s, length), 40);
    EXPECT_TRUE(p.InContainer());
    s.Seek(0);
    while (!s.AtEnd())
        p.ReadToken(nullptr, s, length);
    EXPECT_FALSE(p.InContainer());
    EXPECT_EQ(p.CurrentStates(), TStateSet{0});
}

TEST(TokenizerStates, BoundFollowsTheCurrentSet)
{
    TCodeMemoParser p;
    p.CompileText("%%language boundstates = [3]\n"
                  "%%words '<' '' 30  '>' '' 31 [0 3]\n"
                  "%%states 30 ( + 3 ) 31 ( - 3 )\n");
    p.ResetTokenizer(0);
    EXPECT_FALSE(p.Bound());
    Tokens(p, "<");
    EXPECT_TRUE(p.Bound());
    Tokens(p, "<>");
    EXPECT_FALSE(p.Bound());
}

TEST(TokenizerStates, AFailedHandlerDropsTheWordAndTheStartTableDecides)
{
    TCodeMemoParser p;
    p.CompileText("%%words '0x' '' 12  'r' '' 5\n"
                  "%%handlers 12 '[0-9a-f]' '[^0-9a-f]' 0\n"
                  "           5 __STD_PASCALSTRING\n"
                  "%%tokens 4 __STD_NUMBER  2 __STD_IDENTIFIER\n");
    EXPECT_EQ(Pieces(p, "0x1f;"), "0x1f:12 ;:0");
    EXPECT_EQ(Pieces(p, "0xz"), "0:4 xz:2");
    // A standard kind as a handler body reads once and ends the token.
    EXPECT_EQ(Pieces(p, "r'a''b'c"), "r'a''b':5 c:2");
}

TEST(TokenizerStates, TokensStillMatchingWhenTheTextEndsKeepTheirValue)
{
    TCodeMemoParser p;
    p.CompileText("%%words '<' '' 30\n"
                  "%%handlers 30 '[a-z]' '>' 1\n"
                  "%%tokens 40 '\"' '[^\"]' * '\"' 1\n");
    EXPECT_EQ(Pieces(p, "<ab"), "<ab:30");
    EXPECT_EQ(Pieces(p, "<"), "<:0");  // the first body element is required
    EXPECT_EQ(Pieces(p, "\"ab"), "\"ab:40");
    EXPECT_EQ(Pieces(p, "\""), "\":40");
}

TEST(TokenizerStates, CustomParseAnswersFalseUnlessAssignedAndNotDesigning)
{
    TCodeMemoParser p;
    p.CompileText("%%tokens 60 '@' match(2)\n");
    EXPECT_EQ(Pieces(p, "@ab"), "@:0 a:0 b:0");

    int seenId = -1;
    p.OnCustomParse = [&](TCodeMemoParser&, int id, TCustomEdStream& s, int& length, int& value) {
        seenId = id;
        while (s.Current() >= 'a' && s.Current() <= 'z') {
            s.Advance();
            ++length;
        }
        value = 61;
        return true;
    };
    EXPECT_EQ(Pieces(p, "@ab c"), "@ab:61  :0 c:0");
    EXPECT_EQ(seenId, 2);
    p.Designing = true;
    EXPECT_EQ(Pieces(p, "@ab"), "@:0 a:0 b:0");
}

TEST(TokenizerStates, AClassIndexTheSchemeDoesNotHoldRaises)
{
    TCodeMemoParser p;
    p.CompileText("%%words 'w' '' 9\n");
    THandlerRecord broken;
    broken.Body.ClassIndex = 99;
    ASSERT_TRUE(p.Tables().AddHandler(9, broken));
    const std::string text = "wx";
    TStringEdStream s(text);
    p.ResetTokenizer(0);
    int length = 0;
    try {
        p.ReadToken(nullptr, s, length);
        FAIL() << "a bad class index must raise";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Invalid Set ID (99)");
    }
}

TEST(TokenizerStates, AtTheEndOfTheTextATokenIsEmpty)
{
    TCodeMemoParser p;
    LoadBuiltinScheme(p, false);
    TStringEdStream s("");
    p.ResetTokenizer(0);
    int length = 5;
    EXPECT_EQ(p.ReadToken(nullptr, s, length), 0);
    EXPECT_EQ(length, 0);
}

}  // namespace
}  // namespace tarnwick::test
