// The profile functions against the worked examples of the INI rules, plus
// the batch form's promise: the same bytes as the single calls.
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>

namespace tarnwick {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// "\n" in the tables stands for the CR LF the profile functions write.
std::string Crlf(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\r\n";
        else
            out += c;
    }
    return out;
}

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("tarnwick-profile-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        file_ = (dir_ / "test.ini").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Put(std::string_view bytes) { WriteFileAtomically(file_, bytes); }
    std::string Contents() const { return ReadWholeFile(file_); }

    fs::path dir_;
    std::string file_;
};

struct ReadRow {
    const char* name;
    const char* file;  // "\n" = CR LF
    const char* section;
    const char* key;
    const char* def;
    size_t buffer;
    const char* expected;
};

TEST_F(ProfileTest, ReadsValuesAsTheWorkedExamplesSay)
{
    const ReadRow rows[] = {
        {"line_without_equals_is_no_key", "[s]\nname1=val1\nname2=\nname3\nname4=val4\n", "s", "name3", "dflt", 100, "dflt"},
        {"empty_value_is_not_missing", "[s]\nname1=val1\nname2=\nname3\nname4=val4\n", "s", "name2", "dflt", 100, ""},
        {"names_trimmed_and_folded", "  [ Sec One ]  junk\n  key  a  =  v a l  \n", " sec one ", " KEY  A ", "D", 100, "v a l"},
        {"inner_blanks_must_match", "  [ Sec One ]  junk\n  key  a  =  v a l  \n", "Sec One", "key a", "D", 100, "D"},
        {"comment_key_read_directly", "[s]\n;c=1\n  ;d=2\nk=v\n# hash=3\n", "s", ";c", "D", 100, "1"},
        {"only_first_duplicate_section", "[s]\na=1\n[t]\nq=0\n[S]\na=2\nb=3\n", "s", "b", "D", 100, "D"},
        {"first_duplicate_key_wins", "[s]\nk=1\nK=2\n", "s", "k", "D", 100, "1"},
        {"double_quotes_removed", "[q]\na=\"abc\"\nb='abc'\n", "q", "a", "D", 100, "abc"},
        {"single_quotes_removed", "[q]\na=\"abc\"\nb='abc'\n", "q", "b", "D", 100, "abc"},
        {"unbalanced_quote_stays", "[s]\nc=\"abc\n", "s", "c", "D", 100, "\"abc"},
        {"lone_quote_stays", "[s]\nd=\"\n", "s", "d", "D", 100, "\""},
        {"empty_quotes_give_empty", "[s]\ne=\"\"\n", "s", "e", "D", 100, ""},
        {"outer_pair_only", "[s]\nf=\"a\"b\"\n", "s", "f", "D", 100, "a\"b"},
        {"mixed_quotes_stay", "[s]\ng='a\"\n", "s", "g", "D", 100, "'a\""},
        {"quotes_after_trim", "[s]\nh=  \"x\"  \n", "s", "h", "D", 100, "x"},
        {"blanks_inside_quotes_kept", "[s]\nk=\" a \"\n", "s", "k", "D", 100, " a "},
        {"default_trailing_spaces_cut", "[q]\n", "q", "x", "def  ", 100, "def"},
        {"default_leading_spaces_kept", "[q]\n", "q", "x", "  def", 100, "  def"},
        {"default_cut_to_buffer", "[q]\n", "q", "x", "longdefault", 5, "long"},
        {"value_cut_to_buffer_4", "[section1]\nname1=val1\n", "section1", "name1", "D", 4, "val"},
        {"value_fits_buffer_5", "[section1]\nname1=val1\n", "section1", "name1", "D", 5, "val1"},
        {"buffer_1_gives_empty", "[section1]\nname1=val1\n", "section1", "name1", "D", 1, ""},
        {"section_name_up_to_last_bracket", "[a] junk\nk=1\n[a]b]\nk=2\n[noclose\nk=3\n", "a]b", "k", "D", 100, "2"},
        {"semicolon_is_data", "[s]\nr=10;20\n", "s", "r", "D", 100, "10;20"},
        {"no_inline_comments", "[s]\nc=v ; comment\n", "s", "c", "D", 100, "v ; comment"},
        {"empty_key_name_finds_nothing", "[s]\n=1\n", "s", "", "D", 100, "D"},
    };
    for (const ReadRow& row : rows) {
        SCOPED_TRACE(row.name);
        Put(Crlf(row.file));
        EXPECT_EQ(TIniDocument::Load(file_).ReadString(row.section, row.key, row.def, row.buffer),
                  row.expected);
    }
    for (const char* other : {"[a]\nk=1\n", "[a]\rk=1\r"}) {  // LF only, CR only
        Put(other);
        EXPECT_EQ(ProfileReadString(file_, "a", "k", "D"), "1");
    }
}

TEST(IniDocument, ForEachValueVisitsEveryKeyOfEveryNamedSection)
{
    TIniDocument doc(std::string_view("lost=1\r\n[A]\r\nx = \"q\" \r\n;c=2\r\nX=3\r\n"
                                      "[B]\r\ny=4\r\n[a]\r\nz=5\r\n[Gone]\r\nw=6\r\n"));
    doc.EraseSection("Gone");
    doc.DeleteKey("B", "y");
    std::vector<std::string> seen;
    doc.ForEachValue([&](std::string_view section, std::string_view key, std::string_view value) {
        seen.push_back(std::string(section) + "/" + std::string(key) + "=" + std::string(value));
    });
    // Duplicates are included; comments, the nameless part, erased sections
    // and deleted keys are not.
    EXPECT_EQ(seen, (Names{"A/x=q", "A/X=3", "a/z=5"}));
}

TEST_F(ProfileTest, ValuesLongerThanTheBufferAreCut)
{
    Put("[s]\r\na=" + std::string(1023, 'x') + "\r\nb=" + std::string(1024, 'y') + "\r\n");
    EXPECT_EQ(ProfileReadString(file_, "s", "a", "").size(), 1023u);
    EXPECT_EQ(ProfileReadString(file_, "s", "b", ""), std::string(1023, 'y'));
}

struct ListRow {
    const char* name;
    const char* file;
    const char* section;  // nullptr: list section names
    size_t buffer;
    Names expected;
};

TEST_F(ProfileTest, ListsNamesWithTheListingBufferLimit)
{
    const char* three = "[section1]\n[section2]\n[section3]\n";
    const ListRow rows[] = {
        {"keys_in_file_order", "[s]\nname1=val1\nname2=\nname3\nname4=val4\n", "s", 100, {"name1", "name2", "name4"}},
        {"comments_not_listed", "[s]\n;c=1\n  ;d=2\nk=v\n# hash=3\n", "s", 100, {"k", "# hash"}},
        {"duplicate_headers_listed", "[s]\na=1\n[t]\nq=0\n[S]\na=2\nb=3\n", nullptr, 100, {"s", "t", "S"}},
        {"duplicate_keys_listed", "[s]\nk=1\nK=2\n", "s", 100, {"k", "K"}},
        {"list_fits", three, nullptr, 29, {"section1", "section2", "section3"}},
        {"exact_fit_drops_last", three, nullptr, 28, {"section1", "section2"}},
        {"cut_name_dropped", three, nullptr, 27, {"section1", "section2"}},
        {"short_buffer", three, nullptr, 16, {"section1"}},
        {"short_key_buffer", "[section1]\nname1=1\nname2=2\nname4=4\n", "section1", 16, {"name1", "name2"}},
        {"nameless_section_not_listed", "[]\nk=1\n[a]\n[b]\nx=1\n", nullptr, 100, {"a", "b"}},
        {"brackets_in_names", "[a] junk\nk=1\n[a]b]\nk=2\n[noclose\nk=3\n", nullptr, 100, {"a", "a]b"}},
        {"missing_section_lists_nothing", "[a]\nk=1\n", "b", 100, {}},
        {"tiny_buffer_lists_nothing", three, nullptr, 2, {}},
    };
    for (const ListRow& row : rows) {
        SCOPED_TRACE(row.name);
        Put(Crlf(row.file));
        TIniDocument doc = TIniDocument::Load(file_);
        EXPECT_EQ(row.section ? doc.Keys(row.section, row.buffer) : doc.SectionNames(row.buffer),
                  row.expected);
    }
}

TEST_F(ProfileTest, TheProgramsListingBufferIs8192Bytes)
{
    std::string text;
    Names all;
    for (int i = 0; i < 1000; ++i) {  // 1000 names of 9 bytes + terminator = 10,000 bytes
        all.push_back("cat" + std::to_string(100000 + i));
        text += "[" + all.back() + "]\r\n";
    }
    Put(text);
    Names listed = ProfileSectionNames(file_);
    ASSERT_LT(listed.size(), all.size());
    EXPECT_EQ(listed.size(), 818u);  // 8,190 bytes hold 819 names; the last is dropped
    EXPECT_TRUE(std::equal(listed.begin(), listed.end(), all.begin()));
    EXPECT_EQ(TIniDocument::Load(file_).SectionNames(SIZE_MAX), all);
}

using Step = std::function<void(const std::string& file)>;

struct WriteRow {
    const char* name;
    const char* before;  // nullptr: no file
    std::vector<Step> steps;
    const char* after;  // "\n" = CR LF
};

Step Set(const char* s, const char* k, const char* v)
{
    return [=](const std::string& f) { ProfileWriteString(f, s, k, v); };
}
Step Del(const char* s, const char* k)
{
    return [=](const std::string& f) { ProfileDeleteKey(f, s, k); };
}
Step Erase(const char* s)
{
    return [=](const std::string& f) { ProfileEraseSection(f, s); };
}

TEST_F(ProfileTest, WritesAsTheWorkedExamplesSay)
{
    const WriteRow rows[] = {
        {"update_in_first_section", "[s]\na=1\n[t]\nq=0\n[S]\na=2\nb=3\n", {Set("s", "b", "9")}, "[s]\na=1\nb=9\n[t]\nq=0\n[S]\na=2\nb=3\n"},
        {"erase_first_section", "[s]\na=1\n[t]\nq=0\n[S]\na=2\nb=3\n", {Erase("s")}, "[t]\nq=0\n[S]\na=2\nb=3\n"},
        {"set_then_delete_first_key", "[s]\nk=1\nK=2\n", {Set("s", "k", "9")}, "[s]\nk=9\nK=2\n"},
        {"delete_first_of_duplicates", "[s]\nk=9\nK=2\n", {Del("s", "k")}, "[s]\nK=2\n"},
        {"spelling_of_first_write_stays", nullptr, {Set("Sec", "KEY", "v"), Set("sec", "key", "w"), Set("SEC", "Other", "x")}, "[Sec]\nKEY=w\nOther=x\n"},
        {"equals_in_key_written_verbatim", nullptr, {Set("s", "a=b", "v")}, "[s]\na=b=v\n"},
        {"bracket_key_written_verbatim", nullptr, {Set("s", "[t]", "v")}, "[s]\n[t]=v\n"},
        {"comment_key_written_verbatim", nullptr, {Set("s", ";k", "v")}, "[s]\n;k=v\n"},
        {"quoted_value_written_verbatim", nullptr, {Set("s", "q", "\"x\"")}, "[s]\nq=\"x\"\n"},
        {"names_and_value_trimmed", nullptr, {Set("  sp  ", "  pad  ", "  v  ")}, "[sp]\npad=v\n"},
        {"empty_value", nullptr, {Set("s", "k", "")}, "[s]\nk=\n"},
        {"deletes_of_missing_things", "[a]\n;c\nk=1\n\n[b]\nx=2\ny=3\n", {Del("b", "x"), Del("b", "nosuch"), Del("nosuch", "x")}, "[a]\n;c\nk=1\n\n[b]\ny=3\n"},
        {"erase_keeps_next_header", "[a]\n;c\nk=1\n\n[b]\ny=3\n", {Erase("a"), Del("b", "y")}, "[b]\n"},
        {"break_added_before_new_section", "[a]\nk=1", {Set("b", "x", "2")}, "[a]\nk=1\n[b]\nx=2\n"},
        {"new_key_before_blank_lines", "[a]\nk=1\n\n\n[b]\nx=2\n", {Set("a", "new", "2")}, "[a]\nk=1\nnew=2\n\n\n[b]\nx=2\n"},
        {"first_write_order", nullptr, {Set("s", "c", "1"), Set("s", "a", "2"), Set("t", "z", "0"), Set("s", "b", "3"), Set("s", "a", "9")}, "[s]\nc=1\na=9\nb=3\n[t]\nz=0\n"},
        {"new_key_after_trailing_comment", "[a]\nk=1\n;trailing comment\n\n[b]\nx=2\n", {Set("a", "n", "2")}, "[a]\nk=1\n;trailing comment\nn=2\n\n[b]\nx=2\n"},
        {"rename_by_case_only_vanishes", nullptr, {Set("cat", "Title", "1;2"), Set("cat", "TITLE", "1;2"), Del("cat", "Title")}, "[cat]\n"},
        {"untouched_lines_stay", "; head\n[a]\n  k = 1  \n\n[b]\nx=2\n\n", {Set("b", "y", "3")}, "; head\n[a]\n  k = 1  \n\n[b]\nx=2\ny=3\n\n"},
        {"new_key_in_empty_last_section_without_break", "[a]", {Set("a", "k", "1")}, "[a]\nk=1\n"},
    };
    for (const WriteRow& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove(file_);
        if (row.before)
            Put(Crlf(row.before));
        for (const Step& step : row.steps)
            step(file_);
        EXPECT_EQ(Contents(), Crlf(row.after));
    }
}

TEST_F(ProfileTest, WhatWasWrittenReadsBackAsAFreshParseWouldSee)
{
    TIniDocument doc;
    doc.WriteString("s", "a=b", "v");
    doc.WriteString("s", "[t]", "v");
    doc.WriteString("s", ";k", "v");
    EXPECT_EQ(doc.ReadString("s", "a", "D"), "b=v");
    EXPECT_EQ(doc.ReadString("s", "a=b", "D"), "D");
    EXPECT_EQ(doc.SectionNames(), (Names{"s", "t"}));
    EXPECT_EQ(doc.Keys("s"), (Names{"a"}));
    EXPECT_EQ(doc.ReadString("s", ";k", "D"), "v");  // appended to [s], before the new [t]
    EXPECT_EQ(doc.Text(), "[s]\r\na=b=v\r\n;k=v\r\n[t]=v\r\n");
}

TEST_F(ProfileTest, RefusesLineBreaksAndLeavesTheFileAlone)
{
    Put("[s]\r\nk=1\r\n");
    EXPECT_THROW(ProfileWriteString(file_, "s", "k", "a\r\nb=c"), EIniFileException);
    EXPECT_THROW(ProfileWriteString(file_, "s\n", "k", "v"), EIniFileException);
    EXPECT_THROW(ProfileWriteString(file_, "", "k", "v"), EIniFileException);
    EXPECT_EQ(Contents(), "[s]\r\nk=1\r\n");
}

TEST_F(ProfileTest, WritingTheStoredValueLeavesTheFileUntouched)
{
    Put("[s]\nk = 1\n");  // LF only and odd spacing
    ProfileWriteString(file_, "s", "k", "1");
    EXPECT_EQ(Contents(), "[s]\nk = 1\n");
    ProfileWriteString(file_, "s", "k", "2");
    EXPECT_EQ(Contents(), "[s]\nk=2\n");  // the line's own break stays
}

TEST_F(ProfileTest, MissingFileReadsAsEmptyAndIsNotCreatedByDeletes)
{
    EXPECT_EQ(ProfileReadString(file_, "s", "k", "dflt"), "dflt");
    EXPECT_TRUE(ProfileSectionNames(file_).empty());
    EXPECT_EQ(ProfileReadInteger(file_, "s", "k", 7), 7);
    ProfileDeleteKey(file_, "s", "k");
    ProfileEraseSection(file_, "s");
    EXPECT_FALSE(fs::exists(file_));
}

TEST_F(ProfileTest, FailedWriteNamesTheFile)
{
    const std::string missing = (dir_ / "no-such-folder" / "x.ini").string();
    try {
        ProfileWriteString(missing, "s", "k", "v");
        FAIL() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + missing);
    }
}

TEST_F(ProfileTest, ProgramIntegerReadsFallBackToTheDefault)
{
    struct Row {
        const char* value;
        int32_t expected;
    };
    const Row rows[] = {
        {"  42", 42}, {"-7", -7}, {"+7", 7}, {"4294967297", 5}, {"-0", 0}, {"007", 7},
        {"\"12\"", 12}, {"0x1F", 31}, {"0X1f", 31}, {"$FF", 255}, {"0o17", 5}, {"1e3", 5},
        {"12abc", 5}, {"abc", 5}, {"-  5", 5}, {"", 5}, {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN}, {"2147483648", 5}, {"0xFFFFFFFF", -1}, {"0x", 5},
    };
    std::string text = "[i]\r\n";
    for (size_t i = 0; i < std::size(rows); ++i)
        text += "k" + std::to_string(i) + "=" + rows[i].value + "\r\n";
    Put(text);
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].value);
        EXPECT_EQ(ProfileReadInteger(file_, "i", "k" + std::to_string(i), 5), rows[i].expected);
    }
}

// Random sequences of changes, once as single calls and once in one batch:
// the files must come out byte-identical, and so must every read on the way.
TEST_F(ProfileTest, BatchWritesTheSameBytesAsSingleCalls)
{
    const char* sections[] = {"Main", "main", "Other", "x"};
    const char* keys[] = {"a", "A", "b", "Title", "title", "c"};
    const char* values[] = {"1;2", "", "10;20", "v"};
    const std::string start = "; lead comment\n[Main]\n  a = 1  \n\n[other]\nb=2\n[MAIN]\nc=3\n";
    std::mt19937 random(12345);
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        Put(start);
        TProfileBatch batch(file_);
        for (int step = 0; step < 25; ++step) {
            const char* s = sections[random() % std::size(sections)];
            const char* k = keys[random() % std::size(keys)];
            switch (random() % 4) {
            case 0:
            case 1: {
                const char* v = values[random() % std::size(values)];
                ProfileWriteString(file_, s, k, v);
                batch.Doc().WriteString(s, k, v);
                break;
            }
            case 2:
                ProfileDeleteKey(file_, s, k);
                batch.Doc().DeleteKey(s, k);
                break;
            default:
                if (random() % 3 == 0) {
                    ProfileEraseSection(file_, s);
                    batch.Doc().EraseSection(s);
                }
                break;
            }
            ASSERT_EQ(batch.Doc().ReadString(s, k, "NO_INFO"), ProfileReadString(file_, s, k, "NO_INFO"));
            ASSERT_EQ(batch.Doc().Keys(s), ProfileKeys(file_, s));
            ASSERT_EQ(batch.Doc().Text(), Contents());
        }
        const std::string singles = Contents();
        Put(start);
        batch.Commit();
        EXPECT_EQ(Contents(), singles);
    }
}

TEST_F(ProfileTest, BatchFailureLeavesTheOldFile)
{
    Put("[s]\r\nk=1\r\n");
    TProfileBatch batch(file_);
    batch.Doc().WriteString("s", "k", "2");
    SetFileFaultHook([](TFileOp op, const fs::path&) { return op == TFileOp::Rename; });
    EXPECT_THROW(batch.Commit(), EIniFileException);
    SetFileFaultHook(nullptr);
    EXPECT_EQ(Contents(), "[s]\r\nk=1\r\n");
    EXPECT_FALSE(fs::exists(TemporaryNameFor(file_)));
}

}  // namespace
}  // namespace tarnwick
