// The store works out many key changes in memory and writes once; the bytes
// must be those that the key-by-key algorithm with single profile calls gives.
#include "library/library_format.h"
#include "library/library_store.h"

#include "library_test_util.h"
#include "platform/profile.h"

#include <random>

namespace tarnwick::test {

namespace {

// The removal done the plain way: every value lowered by its own profile
// call, then the data file rebuilt.
void ReferenceRemove(const std::string& index, const std::string& data, const std::string& title,
                     const std::string& category, int64_t start, int64_t end)
{
    const int64_t length = end - start;
    for (const std::string& section : ProfileSectionNames(index))
        for (const std::string& key : ProfileKeys(index, section)) {
            const TTextRange range = ParseRange(ProfileReadString(index, section, key, ""));
            if (range.start > start)
                ProfileWriteString(index, section, key,
                                   FormatRange(range.start - length, range.end - length));
        }
    std::string bytes;
    TryReadWholeFile(data, bytes);
    bytes.erase(size_t(start), size_t(length));
    WriteFileAtomically(data, bytes);
    ProfileDeleteKey(index, category, title);
}

void ReferenceAppend(const std::string& index, const std::string& data,
                     const std::string& category, const std::string& title,
                     const std::string& text)
{
    std::string bytes;
    TryReadWholeFile(data, bytes);
    const int64_t start = int64_t(bytes.size());
    WriteFileAtomically(data, bytes + text + "\r\n");
    ProfileWriteString(index, category, title, FormatRange(start, start + int64_t(text.size())));
}

}  // namespace

class LibraryBatchTest : public ScratchFolder {
protected:
    // Builds the same random library twice, as appends would have left it:
    // `a` for the store, `b` for the reference.
    void MakeLibraries(std::mt19937& random, int categories, int titles)
    {
        std::vector<std::string> sections(static_cast<size_t>(categories));
        std::string data;
        for (int t = 0; t < titles; ++t) {
            const size_t category = random() % size_t(categories);
            const std::string text(random() % 40, char('a' + t % 26));
            std::string value = "0;0";  // some titles stay empty snippets
            if (random() % 5 != 0) {
                value = FormatRange(int64_t(data.size()), int64_t(data.size() + text.size()));
                data += text + "\r\n";
            }
            sections[category] += "T" + std::to_string(t) + "=" + value + "\r\n";
        }
        std::string index;
        for (size_t c = 0; c < sections.size(); ++c)
            if (!sections[c].empty())
                index += "[Cat" + std::to_string(c) + "]\r\n" + sections[c];
        for (const char* name : {"a", "b"}) {
            Put(Path(std::string(name) + ".ini"), index);
            Put(Path(std::string(name) + ".dat"), data);
        }
    }
    void ExpectSame(const char* what, int round)
    {
        ASSERT_EQ(Get(Path("a.ini")), Get(Path("b.ini"))) << what << " round " << round;
        ASSERT_EQ(Get(Path("a.dat")), Get(Path("b.dat"))) << what << " round " << round;
    }
};

TEST_F(LibraryBatchTest, RemoveAndSaveGiveTheBytesOfSingleCalls)
{
    std::mt19937 random(7);
    for (int round = 0; round < 4; ++round) {
        MakeLibraries(random, 4, 20);
        TLibraryStore store(Path("a.ini"));
        for (int step = 0; step < 6; ++step) {
            const std::vector<std::string> sections = ProfileSectionNames(Path("b.ini"));
            const std::string category = sections[random() % sections.size()];
            const std::vector<std::string> keys = ProfileKeys(Path("b.ini"), category);
            if (keys.empty())
                continue;
            const std::string title = keys[random() % keys.size()];
            const TTextRange range =
                ParseRange(ProfileReadString(Path("b.ini"), category, title, ""));
            if (step % 2 == 0) {
                store.RemoveSnippetText(title, category, range.start, range.end, range.Length());
                ReferenceRemove(Path("b.ini"), Path("b.dat"), title, category, range.start,
                                range.end);
            } else {
                const std::string text(random() % 50, 'z');
                store.StoreText(category, title, text);
                if (range.Length() != 0 || range.start != 0)
                    ReferenceRemove(Path("b.ini"), Path("b.dat"), title, category, range.start,
                                    range.end);
                ReferenceAppend(Path("b.ini"), Path("b.dat"), category, title, text);
            }
            ExpectSame(step % 2 == 0 ? "remove" : "save", round);
        }
    }
}

TEST_F(LibraryBatchTest, DeleteCategoryGivesTheBytesOfRemovalsOneByOne)
{
    std::mt19937 random(11);
    for (int round = 0; round < 4; ++round) {
        MakeLibraries(random, 3, 20);
        const std::string category = "Cat" + std::to_string(round % 3);
        TLibraryStore(Path("a.ini")).DeleteCategory(category, Path("a.ini"));
        for (const std::string& key : ProfileKeys(Path("b.ini"), category)) {
            const TTextRange range =
                ParseRange(ProfileReadString(Path("b.ini"), category, key, ""));
            ReferenceRemove(Path("b.ini"), Path("b.dat"), key, category, range.start, range.end);
        }
        ProfileEraseSection(Path("b.ini"), category);
        ExpectSame("delete category", round);
    }
}

TEST_F(LibraryBatchTest, RemovalLowersTitlesBeyondTheListingBuffer)
{
    // Enough long titles that the 8,192-byte key list of a window would stop
    // short; every value must still be lowered.
    std::string index = "[Big]\r\nFirst=0;3\r\n";
    std::string data = "abc\r\n";
    const int count = 400;
    for (int i = 0; i < count; ++i) {
        const int64_t start = int64_t(data.size());
        data += "xy\r\n";
        index += std::string(30, 'k') + std::to_string(i) + "=" + FormatRange(start, start + 2) +
                 "\r\n";
    }
    Put(Path("a.ini"), index);
    Put(Path("a.dat"), data);
    ASSERT_LT(ProfileKeys(Path("a.ini"), "Big").size(), size_t(count) + 1);
    TLibraryStore(Path("a.ini")).RemoveSnippetText("First", "Big", 0, 3, 3);
    EXPECT_EQ(ProfileReadString(Path("a.ini"), "Big", std::string(30, 'k') + "399", ""),
              FormatRange(2 + 4 * 399, 4 + 4 * 399));
    EXPECT_EQ(ReadSnippet("Big", std::string(30, 'k') + "399", Path("a.ini")), "xy");
}

}  // namespace tarnwick::test
