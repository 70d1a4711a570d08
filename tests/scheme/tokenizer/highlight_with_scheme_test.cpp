// The editor's highlighting pass with compiled schemes: containers read
// again from their start, and a Pascal text coloured record by record the
// same as the tokenizer reads it in one piece.
#include "tests/scheme/tokenizer/test_schemes.h"

#include "editor/core/code_memo_model.h"
#include "editor/core/highlight_pass.h"
#include "scheme/builtin/builtin_scheme.h"

#include <gtest/gtest.h>

namespace tarnwick::test {
namespace {

// The token values of the whole text, one per character.
std::vector<int> StoredValues(const TCodeMemoModel& model)
{
    std::vector<int> out;
    for (const TLineRec* rec = model.First(); rec != nullptr; rec = rec->Next)
        for (size_t i = 0; i < rec->Len; ++i)
            out.push_back(rec->Attrs ? rec->Attrs[i] : -1);
    return out;
}

std::vector<int> ValuesOf(TCodeMemoParser& parser, std::string_view text)
{
    std::vector<int> out;
    for (const TTok& t : Tokens(parser, text))
        out.insert(out.end(), static_cast<size_t>(t.Length), t.Value);
    return out;
}

TEST(HighlightWithScheme, ContainerInsidesKeepTheContainerValueForPlainText)
{
    TCodeMemoParser p;
    p.CompileText("%%words 'abc' '' 41 [5]\n"
                  "%%tokens 40 '<' '[^>]' * '>' 1\n"
                  "         0 '[ \\n]' '[ \\n]' * '[^ \\n]' 0\n"
                  "         2 __STD_IDENTIFIER\n"
                  "%%containers 40 ( + [5] - [0] )\n");
    TCodeMemoModel model;
    model.LoadFromText("x <a abc\nabc> abc");
    std::vector<std::string> seen;
    THighlightPass pass(p);
    pass.OnTokenSeen = [&](int& value, int64_t start, int64_t end) {
        seen.push_back(std::to_string(value) + "@" + std::to_string(start) + "-" +
                       std::to_string(end));
    };
    pass.RunAll(model.Store().First(), model.CharCount());
    const std::vector<int> expected = {2,  0,  40, 40, 40, 41, 41, 41, 40,
                                       41, 41, 41, 40, 0,  2,  2,  2};
    EXPECT_EQ(StoredValues(model), expected);
    EXPECT_EQ(seen.front(), "2@0-1");
    EXPECT_EQ(seen[2], "40@2-13");  // the container token, then its inside
    EXPECT_EQ(seen[3], "40@2-3");
    EXPECT_FALSE(p.Busy());
}

TEST(HighlightWithScheme, AContainerTokenThatEndsAContainerIsReadAgainOnItsOwn)
{
    // Inside the container (state 5) ">" starts another container token that
    // runs past the first one's end; the pass reads it again in the states
    // restored at that end, where ">" is plain text.
    TCodeMemoParser p;
    p.CompileText("%%tokens 40 '<' '[^>]' * '>' 1\n"
                  "         InState 5 ( 40 '>' '[^;]' * ';' 1 )\n"
                  "         2 __STD_IDENTIFIER\n"
                  "%%containers 40 ( + [5] - [0] )\n");
    TCodeMemoModel model;
    model.LoadFromText("<a>b;c");
    THighlightPass(p).RunAll(model.Store().First(), model.CharCount());
    EXPECT_EQ(StoredValues(model), (std::vector<int>{40, 40, 0, 2, 0, 2}));
    EXPECT_FALSE(p.Busy());
}

TEST(HighlightWithScheme, RecordByRecordEqualsOnePieceAndRestartsAgree)
{
    TCodeMemoParser p;
    LoadBuiltinScheme(p, false);
    const std::string text =
        "program test; { a comment\rover two lines }\r"
        "type T = class\r  property X: Integer read FX write FX;\r"
        "  (* another\r   one *) s := 'it''s' + #13#$0A;\r"
        "end.\r// done $1F 12.5e3\r";
    TCodeMemoModel model;
    model.LoadFromText(text);
    THighlightPass pass(p);
    pass.RunAll(model.Store().First(), model.CharCount());
    EXPECT_EQ(StoredValues(model), ValuesOf(p, text));

    // An edit in the middle colours the same as a fresh pass over the
    // edited text.
    model.SetSelection(12, 13);
    model.InsertText("; {");
    const TLineLoc at = model.FindLine(12);
    pass.Run(model.Store().First(), model.CharCount(), {at.Rec, at.Start, at.Index, 0, 0});
    EXPECT_EQ(StoredValues(model), ValuesOf(p, model.Text()));
}

}  // namespace
}  // namespace tarnwick::test
