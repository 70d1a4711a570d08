// The text form of a compiled scheme: escaping, class and set notation,
// grouping of runs, the default keys, and a record naming a missing class.
// (Every section's dump is covered by the compile golden files.)
#include "scheme/code_memo_parser.h"
#include "scheme/scheme_dump.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnwick {
namespace {

bool HasLine(const std::string& dump, const std::string& line)
{
    return ("\n" + dump).find("\n" + line + "\n") != std::string::npos;
}

TEST(SchemeDump, EscapesTextsAndClasses)
{
    TCodeMemoParser p;
    p.Settings().LanguageName = std::string("q\"b\\c\x01\xff", 7);
    TParserTables& t = p.Tables();
    TCharClass special;
    for (char c : std::string("]-^\\[\" "))
        special.chars.Include(static_cast<uint8_t>(c));
    TCharClass negated;
    negated.negated = true;
    t.AddWord("w\t", true, 1, {0}, t.AddClass(special));
    t.AddWord("v", true, 2, {0, 1, 2, 3, 7, 8}, t.AddClass(negated));

    const std::string dump = DumpScheme(p);
    EXPECT_TRUE(HasLine(dump, "name \"q\\\"b\\\\c\\x01\\xff\"")) << dump;
    EXPECT_TRUE(HasLine(dump, "word \"w\\x09\" token 1 states {0} follow [\\x20\\\"\\-\\[-\\^]"))
        << dump;
    EXPECT_TRUE(HasLine(dump, "word \"v\" token 2 states {0..3,7,8} follow [^]")) << dump;
}

TEST(SchemeDump, GroupsRunsOfEqualEntries)
{
    TCodeMemoParser fresh;
    // A never compiled scheme has 256 empty context sets.
    EXPECT_TRUE(HasLine(DumpScheme(fresh), "context 0..255 {}"));
    EXPECT_TRUE(HasLine(DumpScheme(fresh), "keys default"));

    TCodeMemoParser p;
    p.CompileText("%%tokens 3 '[a-cx]' '[a-z]' * '[^a-z]' 0\r\n"
                  "%%language contextstates = (4 5 [1]) (7 [1])\r\n"
                  "%%keys caCUT ( [ctrl] 'X' )\r\n");
    const std::string dump = DumpScheme(p);
    EXPECT_TRUE(HasLine(dump, "start [a-c] token 3 valid {0} first [a-cx] body [a-z] * end "
                              "[^a-z] include 0"))
        << dump;
    EXPECT_TRUE(HasLine(dump, "start [x] token 3 valid {0} first [a-cx] body [a-z] * end "
                              "[^a-z] include 0"))
        << dump;
    EXPECT_TRUE(HasLine(dump, "context 4..5 {1}")) << dump;
    EXPECT_TRUE(HasLine(dump, "context 7 {1}")) << dump;
    EXPECT_FALSE(HasLine(dump, "keys default"));
    EXPECT_TRUE(HasLine(dump, "binding 0x4058 0x0000 \"Ctrl+X\" action 12")) << dump;
}

TEST(SchemeDump, RecordWithMissingClassRaises)
{
    TCodeMemoParser p;
    THandlerRecord bad;
    bad.Body.ClassIndex = 7;
    p.Tables().AddHandler(1, bad);
    try {
        DumpScheme(p);
        ADD_FAILURE();
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Invalid Set ID (7)");
    }
}

}  // namespace
}  // namespace tarnwick
