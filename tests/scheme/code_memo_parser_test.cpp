// The scheme object: its tables, the compiled layout and its quirks, save
// and load round trips, version handling, corrupt streams, Assign, and
// compiling the table sections into it.
#include "editor/core/sm_stream.h"
#include "scheme/code_memo_parser.h"
#include "scheme/compiler_error.h"
#include "scheme/compressor.h"
#include "scheme/parser_stream.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace tarnwick {
namespace {

TCharClass Chars(std::string_view members, bool negated = false)
{
    TCharClass cls;
    for (char c : members)
        cls.chars.Include(static_cast<uint8_t>(c));
    cls.negated = negated;
    return cls;
}

// A scheme that uses every table and every field of every record.
void FillEverything(TCodeMemoParser& p)
{
    TParserTables& t = p.Tables();
    const int letters = t.AddClass(Chars("abcdefghijklmnopqrstuvwxyz"));
    const int notDigit = t.AddClass(Chars("0123456789", true));
    const int quote = t.AddClass(Chars("'"));
    t.Words.CaseFlag = 0;
    t.AddWord("Begin", false, 5, {0}, notDigit);
    t.AddWord("read", false, 6, {1}, kNoClass);
    t.AddWord("read", false, 7, {2}, kNoClass);

    THandlerRecord classes;
    classes.Body = {1, letters, 0, 0, 0};
    classes.Terminator.Include = 1;
    classes.Terminator.Count = 2;
    classes.Terminator.Classes = {letters, notDigit, kNoClass, kNoClass};
    ASSERT_TRUE(t.AddHandler(5, classes));
    THandlerRecord routines;
    routines.Body = {0, kNoClass, 1, 1, 3};
    routines.Terminator.Routine = 1;
    routines.Terminator.Number = 12;
    ASSERT_TRUE(t.AddHandler(9, routines));

    TTokenRecord word;
    word.Start.ClassIndex = letters;
    word.Valid = {0, 3};
    word.Body = {1, letters, 0, 0, 0};
    word.Token = 11;
    ASSERT_TRUE(t.AddTokenRecord(word, letters, -1));
    TTokenRecord str;
    str.Start = {0, quote, 1, 0, 5};
    str.Valid = {4};
    str.Body = {0, kNoClass, 1, 0, 5};
    str.Terminator.Count = 1;
    str.Terminator.Classes[0] = quote;
    str.Token = 12;
    ASSERT_TRUE(t.AddTokenRecord(str, t.AddClass(Chars("'\"")), 4));
    t.InState[4]->Ranges.push_back({0x100, 0x1FF, str});

    t.AddStateChange(11, {1}, {0});
    t.SetPushPop(11, kPushBefore);
    t.SetContainer(12);
    t.AnchorSet = {0, 11};
    t.BoundSet = {2};
    t.StartSet = {0, 3};
    t.CustomParse = 1;
    t.FinishCompile();
    t.ContextSets[20] = {5};

    TSM_Settings& s = p.Settings();
    s.LanguageName = "Test language";
    s.Options ^= smoWordWrap;
    s.Effects[3] = {kStyleBold, 0x0000FF, 0xFFFFFF, 1, 0, 1, true};
    s.EffectMap[11] = 3;
    s.GutterFont.Name = "Arial";
}

std::string Payload(const std::string& saved)
{
    return TCompressor::DecompressBytes(std::string_view(saved).substr(6));
}

std::string Outer(uint16_t version, const std::string& payload)
{
    std::string bytes;
    TSMStreamWriter w(bytes);
    w.U16(version);
    w.I32(static_cast<int32_t>(payload.size()));
    w.Bytes(TCompressor::CompressBytes(payload));
    return bytes;
}

std::string EmptySchemeBytes(const std::string& name)
{
    TCodeMemoParser fresh;
    fresh.Name = name;
    return fresh.SaveToBytes();
}

TEST(CodeMemoParser, SaveLoadSaveIsByteIdentical)
{
    const std::vector<std::pair<const char*, std::function<void(TCodeMemoParser&)>>> rows = {
        {"reset_scheme", [](TCodeMemoParser&) {}},
        {"every_table_filled", FillEverything},
        {"compiled_script",
         [](TCodeMemoParser& p) {
             p.CompileText("%%words 'begin' '' 1 'end' '[^a-z]' 2 [0 1]\n"
                           "%%tokens 3 '[a-c]' '[a-z]' * '[^a-z]' 0\n"
                           "%%tokens InState 1 ( 4 '\\'' '[^\\']' * '\\'' 1 )\n"
                           "%%handlers 1 '[0-9]' '.' 1\n"
                           "%%states 2 push ( +1 -0 )\n%%containers 4 ( +2 )\n");
         }},
    };
    for (const auto& [name, fill] : rows) {
        SCOPED_TRACE(name);
        TCodeMemoParser first;
        fill(first);
        const std::string saved = first.SaveToBytes();
        TCodeMemoParser second;
        ASSERT_TRUE(second.LoadFromBytes(saved));
        EXPECT_EQ(second.SaveToBytes(), saved);

        // Every byte of the payload is consumed, and nothing more is needed.
        TCodeMemoParser third;
        const std::string payload = Payload(saved);
        TSMStreamReader reader(payload);
        ReadSchemePayload(third.Settings(), third.Tables(), reader, 51);
        EXPECT_TRUE(reader.AtEnd());
    }
}

TEST(CodeMemoParser, OuterStreamLayout)
{
    TCodeMemoParser p;
    FillEverything(p);
    const std::string saved = p.SaveToBytes();
    ASSERT_GT(saved.size(), 14u);
    EXPECT_EQ(uint8_t(saved[0]), 51);
    EXPECT_EQ(uint8_t(saved[1]), 0);
    const std::string payload = Payload(saved);
    TSMStreamReader header(std::string_view(saved).substr(2, 4));
    EXPECT_EQ(header.I32(), int32_t(payload.size()));
    EXPECT_EQ(saved.substr(6, 4), "WRZL");
}

// The payload of a never-compiled scheme: after the settings block, a word
// list ended by one 0 byte, then empty handler and start tables and all 256
// (empty) context sets, no state records, no in-state tables, the three
// sets and the custom-parse flag.
TEST(CodeMemoParser, ResetSchemeWritesAllContextSets)
{
    TCodeMemoParser p;
    const std::string payload = Payload(p.SaveToBytes());
    std::string settings;
    TSMStreamWriter sw(settings);
    p.Settings().WriteToStream(sw, 51);
    ASSERT_EQ(payload.substr(0, settings.size()), settings);

    TSMStreamReader r(std::string_view(payload).substr(settings.size()));
    EXPECT_EQ(r.I32(), 0);  // case flag
    EXPECT_EQ(r.I32(), 0);  // word count
    EXPECT_EQ(r.U8(), 0);   // the empty word ending the list
    EXPECT_EQ(r.I32(), 0);  // handlers
    EXPECT_EQ(r.I32(), 0);  // global start slots
    ASSERT_EQ(r.I32(), 256);
    for (int v = 0; v < 256; ++v) {
        EXPECT_EQ(r.U8(), v);
        EXPECT_TRUE(r.StateSet().Empty());
    }
    EXPECT_EQ(r.I32(), 0);  // state records
    EXPECT_EQ(r.I32(), 0);  // in-state tables
    EXPECT_EQ(r.StateSet(), TStateSet{0});
    EXPECT_TRUE(r.StateSet().Empty());
    EXPECT_EQ(r.StateSet(), TStateSet{0});
    EXPECT_EQ(r.U8(), 0);
    EXPECT_TRUE(r.AtEnd());

    // Read back, the sets are empty again (the tokenizer starts those in the
    // start set).
    TCodeMemoParser back;
    ASSERT_TRUE(back.LoadFromBytes(p.SaveToBytes()));
    EXPECT_TRUE(back.Tables().ContextSets[7].Empty());
    back.ResetTokenizer(7);
    EXPECT_EQ(back.CurrentStates(), TStateSet{0});
}

// The in-state range list is written after every occupied slot; a reader
// keeps the last copy.
TEST(CodeMemoParser, RangeListFollowsEverySlot)
{
    auto payloadSize = [](size_t ranges) {
        TCodeMemoParser p;
        TParserTables& t = p.Tables();
        TTokenRecord r;
        r.Start.ClassIndex = t.AddClass(Chars("xy"));
        r.Token = 1;
        EXPECT_TRUE(t.AddTokenRecord(r, r.Start.ClassIndex, 2));
        for (size_t i = 0; i < ranges; ++i)
            t.InState[2]->Ranges.push_back({uint16_t(0x100 * (i + 1)), uint16_t(0x100 * (i + 1)), r});
        return Payload(p.SaveToBytes()).size();
    };
    const size_t recordBytes = 39 + 32 + 39 + 3 + 1;
    EXPECT_EQ(payloadSize(1) - payloadSize(0), 2 * (4 + recordBytes));  // two slots, x and y

    TCodeMemoParser p;
    FillEverything(p);
    TCodeMemoParser back;
    ASSERT_TRUE(back.LoadFromBytes(p.SaveToBytes()));
    ASSERT_NE(back.Tables().InStateTable(4), nullptr);
    EXPECT_EQ(back.Tables().InStateTable(4)->Ranges.size(), 1u);
    EXPECT_EQ(back.Tables().InStateTable(4)->OccupiedCount(), 2);
    EXPECT_FALSE(back.Tables().NoInStateTables);
}

TEST(CodeMemoParser, OldVersionShowsMessageAndLeavesSchemeEmpty)
{
    TCodeMemoParser source;
    FillEverything(source);
    std::string stream = source.SaveToBytes();
    stream[0] = 49;

    TCodeMemoParser p;
    p.Name = "Parser1";
    FillEverything(p);
    std::vector<std::string> shown;
    p.OnInformation = [&shown](const std::string& text) { shown.push_back(text); };
    EXPECT_FALSE(p.LoadFromBytes(stream));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0],
              "Parser1: DFM file saved by different version of TCodeMemoParser.\n\r"
              "Recompile script to update DFM file.\n\r"
              "Expected version was 51 read version was 49");
    EXPECT_EQ(p.SaveToBytes(), EmptySchemeBytes("Parser1"));
}

TEST(CodeMemoParser, Version50HasNoGutterFont)
{
    TCodeMemoParser source;
    FillEverything(source);
    std::string payload;
    TSMStreamWriter w(payload);
    WriteSchemePayload(source.Settings(), source.Tables(), w, 50);

    TCodeMemoParser p;
    ASSERT_TRUE(p.LoadFromBytes(Outer(50, payload)));
    EXPECT_EQ(p.Settings().GutterFont, TSM_Values().GutterFont);
    EXPECT_EQ(p.Settings().LanguageName, "Test language");
    EXPECT_EQ(p.Tables().Words.Words().size(), 3u);

    // A later version is read like 51.
    TCodeMemoParser later;
    std::string saved = source.SaveToBytes();
    saved[0] = 52;
    ASSERT_TRUE(later.LoadFromBytes(saved));
    EXPECT_EQ(later.Settings().GutterFont.Name, "Arial");
}

TEST(CodeMemoParser, CorruptStreamsFailCleanlyAndLeaveEmptyScheme)
{
    TCodeMemoParser source;
    FillEverything(source);
    const std::string good = source.SaveToBytes();
    const std::string payload = Payload(good);
    // The offset in the payload where the tables start (after the settings).
    std::string settings;
    TSMStreamWriter sw(settings);
    source.Settings().WriteToStream(sw, 51);
    const size_t tables = settings.size();

    auto withPayload = [&](const std::function<void(std::string&)>& edit) {
        std::string p = payload;
        edit(p);
        return Outer(51, p);
    };
    auto emptyTablesThen = [&](const std::string& rest) {
        // Settings, no words, then `rest` from the handler count on.
        return Outer(51, settings + std::string(8, '\0') + std::string(1, '\0') + rest);
    };
    const std::string huge("\xff\xff\xff\x7f", 4);
    const std::vector<std::pair<const char*, std::string>> rows = {
        {"empty_input", ""},
        {"version_only", good.substr(0, 2)},
        {"header_cut_short", good.substr(0, 5)},
        {"bad_signature", good.substr(0, 6) + "XXXX" + good.substr(10)},
        {"compressed_data_cut_short", good.substr(0, good.size() - 3)},
        {"payload_cut_short", withPayload([](std::string& p) { p.resize(p.size() - 1); })},
        {"payload_cut_in_tables", withPayload([&](std::string& p) { p.resize(tables + 20); })},
        {"huge_handler_count", emptyTablesThen(huge)},
        {"negative_handler_count", emptyTablesThen("\xff\xff\xff\xff")},
        {"terminator_with_five_classes",
         emptyTablesThen(std::string("\1\0\0\0\5\0", 6) + std::string(37, '\0') +
                         std::string("\0\0\0\5", 4) + std::string(5 * 37, '\0'))},
        {"handler_token_given_twice",
         emptyTablesThen(std::string("\2\0\0\0", 4) +
                         std::string("\5\0", 2) + std::string(37, '\0') + std::string("\0\0\0\0", 4) +
                         std::string("\5\0", 2) + std::string(37, '\0') + std::string("\0\0\0\0", 4))},
        {"huge_start_slot_count", emptyTablesThen(std::string(4, '\0') + huge)},
        {"class_with_huge_range_count",
         emptyTablesThen(std::string("\1\0\0\0\5\0", 6) + std::string(32, '\0') + huge +
                         std::string(60, '\0'))},
        {"word_token_out_of_range",
         Outer(51, settings + std::string(8, '\0') + std::string("\1w", 2) + std::string(37, '\0') +
                       std::string(32, '\0') + std::string("\x2c\x01\0\0", 4) + '\0')},
    };
    for (const auto& [name, bytes] : rows) {
        SCOPED_TRACE(name);
        TCodeMemoParser p;
        p.Name = "Parser2";
        FillEverything(p);
        try {
            p.LoadFromBytes(bytes);
            ADD_FAILURE() << "loaded";
        } catch (const Exception& error) {
            EXPECT_EQ(std::string(error.what()).rfind("Parser2: ", 0), 0u) << error.what();
        }
        EXPECT_EQ(p.SaveToBytes(), EmptySchemeBytes("Parser2"));
    }
}

TEST(CodeMemoParser, ClassesAreSharedAndCheckedByIndex)
{
    TSM_CharGroupManager m;
    const int a = m.Add(Chars("abc"));
    EXPECT_EQ(m.Add(Chars("cba")), a);
    EXPECT_NE(m.Add(Chars("abc", true)), a);
    EXPECT_EQ(m.Count(), 2);
    EXPECT_TRUE(m.Contains(1, 'z'));
    EXPECT_FALSE(m.Contains(1, 'b'));
    EXPECT_EQ(m.Group(a).Lowest(), 'a');
    EXPECT_EQ(m.Group(a).Highest(), 'c');
    try {
        m.Group(2);
        ADD_FAILURE();
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Invalid Set ID (2)");
    }

    // A record naming a class the scheme does not hold cannot be saved.
    TCodeMemoParser p;
    p.Name = "P";
    THandlerRecord bad;
    bad.Body.ClassIndex = 7;
    p.Tables().AddHandler(1, bad);
    try {
        p.SaveToBytes();
        ADD_FAILURE();
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "P: Invalid Set ID (7)");
    }
}

TEST(CodeMemoParser, AssignCopiesSchemesOnly)
{
    TCodeMemoParser source;
    FillEverything(source);
    TCodeMemoParser target;
    target.Assign(static_cast<const TCustomCodeMemoParser&>(source));
    EXPECT_EQ(target.SaveToBytes(), source.SaveToBytes());

    TSM_Settings settings;
    try {
        target.Assign(static_cast<const TSM_Base&>(settings));
        ADD_FAILURE();
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "Cannot assign a TSM_Settings to TCodeMemoParser");
    }
}

TEST(CodeMemoParser, FilesAndScriptFile)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("tarnwick-parser-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    TCodeMemoParser p;
    FillEverything(p);
    p.SaveToFile(dir / "Basic.dat");
    TCodeMemoParser back;
    ASSERT_TRUE(back.LoadFromFile(dir / "Basic.dat"));
    EXPECT_EQ(back.SaveToBytes(), p.SaveToBytes());
    EXPECT_THROW(back.LoadFromFile(dir / "missing.dat"), EInOutError);

    {
        std::ofstream(dir / "Basic.txt") << "%%words 'begin' '' 1\n";
    }
    back.Script = (dir / "BASIC.TXT").string();  // stored names ignore letter case
    ASSERT_TRUE(back.CompileScriptFile());
    EXPECT_EQ(back.Tables().Words.Words().size(), 1u);
    back.Script = (dir / "none.txt").string();
    EXPECT_FALSE(back.CompileScriptFile());
    std::filesystem::remove_all(dir);
}

TEST(CodeMemoParser, TokenizerResetUsesContextSets)
{
    TCodeMemoParser p;
    FillEverything(p);  // start set {0,3}, context 20 -> {5}, bound set {2}
    const std::vector<std::tuple<const char*, int, TStateSet, bool>> rows = {
        {"listed_context", 20, TStateSet{5}, false},
        {"unlisted_context_starts_in_start_set", 21, TStateSet{0, 3}, false},
        {"value_outside_0_255", 300, TStateSet{0, 3}, false},
    };
    for (const auto& [name, value, states, bound] : rows) {
        SCOPED_TRACE(name);
        p.ResetTokenizer(value);
        EXPECT_EQ(p.CurrentStates(), states);
        EXPECT_EQ(p.Bound(), bound);
        EXPECT_EQ(p.StackDepth(), 0u);
        EXPECT_FALSE(p.Busy());
    }
    p.Tables().ContextSets[22] = {2};
    p.ResetTokenizer(22);
    EXPECT_TRUE(p.Bound());
}

TEST(CodeMemoParser, CompileFillsTables)
{
    TCodeMemoParser p;
    p.CompileText("%%tokens 3 '[a-c]' '[a-z]' * '[^a-z]' 0\n");
    const TParserTables& t = p.Tables();
    for (char c : std::string("abc")) {
        const TTokenRecord* r = t.StartRecord(t.GlobalStart, uint8_t(c));
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(*r, *t.StartRecord(t.GlobalStart, 'a'));
    }
    EXPECT_EQ(t.StartRecord(t.GlobalStart, 'd'), nullptr);
    EXPECT_EQ(t.StateRecords[3]->Valid, TStateSet{0});
    EXPECT_TRUE(t.NoInStateTables);
    EXPECT_EQ(t.ContextSets[200], t.StartSet);

    const std::vector<std::pair<const char*, std::string>> failing = {
        {"start_set_taken", "%%tokens 3 '[a-c]' '[a-z]' * '[^a-z]' 0 4 'b' 'x' * 'y' 0"},
        {"word_states_overlap", "%%words 'x' '' 1 [0] 'x' '' 2 [0 1]"},
        {"handler_twice", "%%handlers 1 'a' 'z' 0 1 'b' 'z' 0"},
        {"not_a_section", "'stray'"},
    };
    const std::vector<std::string> messages = {
        "Ambigious start set in %%token table", "Duplicate entry in %%word table",
        "Duplicate entry in %%handler table", "Script syntax error"};
    for (size_t i = 0; i < failing.size(); ++i) {
        SCOPED_TRACE(failing[i].first);
        try {
            p.CompileText(failing[i].second);
            ADD_FAILURE();
        } catch (const ECompilerError& error) {
            EXPECT_EQ(error.Detail, messages[i]);
        }
    }

    p.CompileText("%%words 'Read' '' 6 [1] 'read' '' 7 [2]");
    ASSERT_EQ(p.Tables().Words.Words().size(), 2u);
    EXPECT_EQ(p.Tables().Words.Words()[0].Word, "read");
    EXPECT_EQ(p.Tables().StateRecords[6]->Valid, (TStateSet{0, 1}));
    TCodeMemoParser back;
    ASSERT_TRUE(back.LoadFromBytes(p.SaveToBytes()));
    EXPECT_EQ(back.Tables().Words.Words(), p.Tables().Words.Words());
}

}  // namespace
}  // namespace tarnwick
