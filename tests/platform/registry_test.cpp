// The registry hive file: lenient reading, typed values, writing back.
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/registry.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() /
                  ("tarnwick-registry-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        hive_ = folder_ / "user.reg";
    }
    void TearDown() override { fs::remove_all(folder_); }

    void WriteHive(std::string_view text) { WriteFileAtomically(hive_, text); }

    fs::path folder_;
    fs::path hive_;
};

constexpr std::string_view kExport =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "; a comment\r\n"
    "\"orphan\"=\"before any key\"\r\n"
    "[HKEY_CURRENT_USER\\Software\\Borland\\Delphi\\4.0\\Editor\\Highlight\\Comment]\r\n"
    "\"Foreground Color\"=dword:0000000c\r\n"
    "\"Default Foreground\"=\"False\"\r\n"
    "\"Path\"=\"C:\\\\Tools \\\"4\\\"\"\r\n"
    "@=\"the default\"\r\n"
    "this line means nothing\r\n"
    "\"broken\"=\"no closing quote\r\n"
    "\"bad dword\"=dword:xyz\r\n"
    "\"Blob\"=hex:01,02,0a,\\\r\n"
    "  ff,00,\\\r\n"
    "  7f\r\n"
    "\"Wide\"=hex(1):41,00,e4,00,ac,20,00,00\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
    "\"machine\"=\"not this hive\"\r\n"
    "[HKEY_CURRENT_USER\\Software\\Borland\\Delphi\\3.0\\Highlight]\r\n"
    "\"Comment\"=\"8388608,16777215,I,0,1\"\r\n";

TEST_F(RegistryTest, ReadsAnExportSkippingWhatItCannotRead)
{
    WriteHive(kExport);
    TRegistry registry(hive_);
    // Key names match without regard to case.
    auto key = registry.OpenKeyReadOnly("software\\BORLAND\\delphi\\4.0\\Editor\\Highlight");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->GetKeyNames(), std::vector<std::string>{"Comment"});
    auto comment = key->OpenSubKeyReadOnly("comment");
    ASSERT_TRUE(comment);
    EXPECT_EQ(comment->Path(), "Software\\Borland\\Delphi\\4.0\\Editor\\Highlight\\Comment");
    EXPECT_EQ(comment->GetValueNames(),
              (std::vector<std::string>{"Foreground Color", "Default Foreground", "Path", "",
                                        "Blob", "Wide"}));
    EXPECT_EQ(comment->ReadInteger("foreground color"), 12);
    EXPECT_EQ(comment->ReadString("Default Foreground"), "False");
    EXPECT_EQ(comment->ReadString("Path"), "C:\\Tools \"4\"");
    EXPECT_EQ(comment->ReadString(""), "the default");
    EXPECT_EQ(comment->ReadBinary("Blob"), std::string("\x01\x02\x0a\xff\x00\x7f", 6));
    // UTF-16 string data comes back in the code page (U+20AC is 0x80).
    EXPECT_EQ(comment->ReadString("Wide"), "A\xe4\x80");
    EXPECT_FALSE(comment->ValueExists("broken"));
    EXPECT_FALSE(comment->ValueExists("bad dword"));
    EXPECT_FALSE(comment->ValueExists("machine"));

    auto old = registry.OpenKeyReadOnly("HKEY_CURRENT_USER\\Software\\Borland\\Delphi\\3.0\\Highlight");
    ASSERT_TRUE(old);
    EXPECT_EQ(old->ReadString("Comment"), "8388608,16777215,I,0,1");
    EXPECT_FALSE(registry.OpenKeyReadOnly("Software\\Other"));
    EXPECT_FALSE(registry.OpenKeyReadOnly("Software\\Borland\\Delphi\\2.0\\Highlight"));
}

TEST_F(RegistryTest, Regedit4HeaderTakesStringDataAsAnsi)
{
    WriteHive("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\A]\n"
              "\"Text\"=hex(2):41,e4,00\n\"Plain\"=\"x\\y\"\n");
    TRegistry registry(hive_);
    auto key = registry.OpenKeyReadOnly("Software\\A");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadString("Text"), "A\xe4");
    EXPECT_EQ(key->GetDataType("Text"), TRegDataType::ExpandString);
    // An unknown escape keeps its backslash.
    EXPECT_EQ(key->ReadString("Plain"), "x\\y");
}

TEST_F(RegistryTest, ReadsUnicodeFiles)
{
    const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n"
                             "[HKEY_CURRENT_USER\\Software\\U]\r\n\"Name\"=\"\xc3\xa4\xe2\x82\xac\"\r\n";
    WriteHive("\xef\xbb\xbf" + text);
    {
        TRegistry registry(hive_);
        auto key = registry.OpenKeyReadOnly("Software\\U");
        ASSERT_TRUE(key);
        EXPECT_EQ(key->ReadString("Name"), "\xe4\x80");
    }
    std::string utf16 = "\xff\xfe";
    for (char c : std::string("Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\S]\r\n"
                              "\"N\"=\"\xe4\"\r\n")) {
        utf16.push_back(c);
        utf16.push_back('\0');
    }
    WriteHive(utf16);
    TRegistry registry(hive_);
    auto key = registry.OpenKeyReadOnly("S");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadString("N"), "\xe4");
}

TEST_F(RegistryTest, IntegersFromDwordsAndNumericStrings)
{
    WriteHive("REGEDIT4\r\n[HKEY_CURRENT_USER\\N]\r\n"
              "\"dword\"=dword:ffffffff\r\n\"decimal\"=\" -17 \"\r\n\"hex\"=\"0x1F\"\r\n"
              "\"word\"=\"twelve\"\r\n\"empty\"=\"\"\r\n\"huge\"=\"99999999999\"\r\n"
              "\"bin\"=hex:01,00,00,00\r\n");
    TRegistry registry(hive_);
    auto key = registry.OpenKeyReadOnly("N");
    ASSERT_TRUE(key);
    struct Row {
        const char* name;
        std::optional<int32_t> expected;
    };
    const Row rows[] = {
        {"dword", -1},          {"decimal", -17},       {"hex", 31},
        {"word", std::nullopt}, {"empty", std::nullopt}, {"huge", std::nullopt},
        {"bin", std::nullopt},  {"missing", std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(key->ReadInteger(row.name), row.expected) << row.name;
    // Strings are not binary and DWORDs are not strings.
    EXPECT_FALSE(key->ReadBinary("decimal"));
    EXPECT_FALSE(key->ReadString("dword"));
}

TEST_F(RegistryTest, MissingFileIsAnEmptyHive)
{
    TRegistry registry(hive_);
    EXPECT_FALSE(registry.OpenKeyReadOnly("Software\\Borland\\Delphi\\4.0\\Editor\\Highlight"));
    auto root = registry.OpenKeyReadOnly("");
    ASSERT_TRUE(root);
    EXPECT_TRUE(root->GetKeyNames().empty());
    EXPECT_FALSE(fs::exists(hive_));  // reading creates nothing
}

TEST_F(RegistryTest, WrittenHiveReadsBackTheSame)
{
    std::string blob;
    for (int i = 0; i < 300; ++i)
        blob.push_back(static_cast<char>(i * 7));
    {
        TRegistry registry(hive_);
        TRegistryKey key = registry.CreateKey("Software\\Tarnwick\\Schemes");
        key.WriteString("Highlighting - Pascal", "Quorvel6:OPT#8#67099632#END#");
        key.WriteString("Quote \"and\" slash\\", "C:\\dir\\\"x\"");
        key.WriteString("Lines", "first\r\nsecond");
        key.WriteString("", "\x80\x81\xff");
        key.WriteBinary("Key Assignments - Pascal", blob);
        key.WriteBinary("Empty", "");
        key.WriteInteger("Count", -2);
        registry.CreateKey("Software\\Tarnwick\\Empty Key");
        // Writing again replaces the value in place.
        key.WriteInteger("count", 7);
    }
    const std::string saved = ReadWholeFile(hive_);
    EXPECT_EQ(saved.rfind("Windows Registry Editor Version 5.00\r\n\r\n", 0), 0u);
    for (size_t i = 0; i < saved.size(); ++i) {
        if (saved[i] == '\n') {
            ASSERT_TRUE(i > 0 && saved[i - 1] == '\r') << "bare LF at " << i;
        }
    }
    EXPECT_NE(saved.find("\"Count\"=dword:00000007\r\n"), std::string::npos);

    TRegistry registry(hive_);
    auto key = registry.OpenKeyReadOnly("Software\\Tarnwick\\Schemes");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->GetValueNames(),
              (std::vector<std::string>{"Highlighting - Pascal", "Quote \"and\" slash\\", "Lines",
                                        "", "Key Assignments - Pascal", "Empty", "Count"}));
    EXPECT_EQ(key->ReadString("Highlighting - Pascal"), "Quorvel6:OPT#8#67099632#END#");
    EXPECT_EQ(key->ReadString("quote \"AND\" slash\\"), "C:\\dir\\\"x\"");
    EXPECT_EQ(key->ReadString("Lines"), "first\r\nsecond");
    EXPECT_EQ(key->ReadString(""), "\x80\x81\xff");
    EXPECT_EQ(key->ReadBinary("Key Assignments - Pascal"), blob);
    EXPECT_EQ(key->ReadBinary("Empty"), "");
    EXPECT_EQ(key->ReadInteger("Count"), 7);
    EXPECT_TRUE(registry.OpenKeyReadOnly("software\\tarnwick\\empty key"));
    // Saving what was read gives the same file.
    EXPECT_EQ(registry.ToText(), saved);
}

TEST_F(RegistryTest, WritesKeepAnotherProgramsChanges)
{
    TRegistry first(hive_);
    TRegistryKey mine = first.CreateKey("Software\\A");
    TRegistry second(hive_);
    second.CreateKey("Software\\B").WriteString("theirs", "1");
    mine.WriteString("mine", "2");
    TRegistry reader(hive_);
    auto a = reader.OpenKeyReadOnly("Software\\A");
    auto b = reader.OpenKeyReadOnly("Software\\B");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->ReadString("mine"), "2");
    EXPECT_EQ(b->ReadString("theirs"), "1");
}

TEST_F(RegistryTest, RefusesNamesTheFileCannotHold)
{
    TRegistry registry(hive_);
    EXPECT_THROW(registry.CreateKey("Software\\Bad\r\nKey"), Exception);
    TRegistryKey key = registry.CreateKey("Software\\Good");
    EXPECT_THROW(key.WriteString("bad\nname", "x"), Exception);
    EXPECT_THROW(key.WriteBinary(std::string_view("nul\0", 4), "x"), Exception);
    TRegistry reader(hive_);
    auto good = reader.OpenKeyReadOnly("Software\\Good");
    ASSERT_TRUE(good);
    EXPECT_TRUE(good->GetValueNames().empty());
}

TEST_F(RegistryTest, FailedSaveLeavesTheOldFile)
{
    TRegistry registry(hive_);
    TRegistryKey key = registry.CreateKey("Software\\A");
    key.WriteString("kept", "yes");
    const std::string before = ReadWholeFile(hive_);
    SetFileFaultHook([](TFileOp op, const fs::path&) { return op == TFileOp::Rename; });
    EXPECT_THROW(key.WriteString("lost", "no"), EInOutError);
    SetFileFaultHook(nullptr);
    EXPECT_EQ(ReadWholeFile(hive_), before);
}

}  // namespace
}  // namespace tarnwick
