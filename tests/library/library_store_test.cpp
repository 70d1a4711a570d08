// The store operations on small libraries whose bytes are known exactly.
#include "library/library_store.h"

#include "library/library_format.h"
#include "library_test_util.h"
#include "platform/errors.h"
#include "platform/profile.h"

#include <functional>

namespace tarnwick::test {

namespace {

class RecordingHost : public TLibraryHost {
public:
    std::string panels[3];
    std::vector<std::string> events;
    std::string StatusText(int panel) const override { return panels[panel]; }
    void SetStatusText(int panel, const std::string& text) override { panels[panel] = text; }
    std::string LanguageString(int n) const override { return "L" + std::to_string(n); }
    void ProcessMessages() override { events.push_back("messages " + panels[1]); }
    void DisableUndo() override { events.push_back("undo off"); }
    void ClearDirty() override { events.push_back("clean"); }
    void DeleteSelectedNode() override { events.push_back("node deleted"); }
    void RefreshCounts() override { events.push_back("counts"); }
    void LoadSettings() override { events.push_back("settings"); }
};

}  // namespace

class LibraryStoreTest : public ScratchFolder {
protected:
    void SetUp() override
    {
        ScratchFolder::SetUp();
        index_ = Path("lib.ini");
        data_ = Path("lib.dat");
    }
    // The 9-byte library of the format's examples: A = abc, B = de.
    void MakeAbDe()
    {
        Put(index_, "[Main]\r\nA=0;3\r\nB=5;7\r\n");
        Put(data_, "abc\r\nde\r\n");
    }
    TLibraryStore Store() { return TLibraryStore(index_, host_); }

    std::string index_, data_;
    RecordingHost host_;
};

TEST_F(LibraryStoreTest, AppendWritesTextAndLineEndAndPointsTheTitleAtIt)
{
    TLibraryStore store = Store();
    store.AppendSnippet("Main", "A", "abc", data_, index_);
    EXPECT_EQ(Get(data_), "abc\r\n");
    EXPECT_EQ(Get(index_), "[Main]\r\nA=0;3\r\n");
    store.AppendImported("Main", "B", "de", index_);
    EXPECT_EQ(Get(data_), "abc\r\nde\r\n");
    EXPECT_EQ(ProfileReadString(index_, "Main", "B", ""), "5;7");
    // Appending onto an existing title re-points it; the old text stays.
    store.AppendSnippet("Main", "A", "", data_, index_);
    EXPECT_EQ(Get(data_), "abc\r\nde\r\n\r\n");
    EXPECT_EQ(ProfileReadString(index_, "Main", "A", ""), "9;9");
}

TEST_F(LibraryStoreTest, RemoveCutsTheRangeLowersLaterValuesAndDeletesTheKey)
{
    MakeAbDe();
    Store().RemoveSnippetText("A", "Main", 0, 3, 3);
    EXPECT_EQ(Get(data_), "\r\nde\r\n");
    EXPECT_EQ(Get(index_), "[Main]\r\nB=2;4\r\n");
    EXPECT_FALSE(FileExists(Path("lib.bak")));
}

TEST_F(LibraryStoreTest, SaveRemovesTheOldTextAndAppendsTheNewOne)
{
    Put(index_, "[Main]\r\nB=2;4\r\nC=0;0\r\n");
    Put(data_, "\r\nde\r\n");
    TLibraryStore store = Store();
    store.SaveSnippet("Main", "B", "xyz");
    EXPECT_EQ(Get(data_), "\r\n\r\nxyz\r\n");
    EXPECT_EQ(Get(index_), "[Main]\r\nC=0;0\r\nB=4;7\r\n");
    EXPECT_EQ(host_.panels[1], "Main B");
    EXPECT_EQ(host_.events, (std::vector<std::string>{"undo off", "clean"}));
    // "0;0", a missing key and an empty value are appended without a removal.
    store.StoreText("Main", "C", "q");
    store.StoreText("Other", "New", "r");
    EXPECT_EQ(Get(data_), "\r\n\r\nxyz\r\nq\r\nr\r\n");
    EXPECT_EQ(Get(index_), "[Main]\r\nC=9;10\r\nB=4;7\r\n[Other]\r\nNew=12;13\r\n");
}

TEST_F(LibraryStoreTest, RemovingAnEmptyTitleDeletesOnlyItsKey)
{
    Put(index_, "[Main]\r\nE=0;0\r\nA=0;3\r\n");
    Put(data_, "abc\r\n");
    Store().RemoveSnippetText("E", "Main", 0, 0, 0);
    EXPECT_EQ(Get(data_), "abc\r\n");
    EXPECT_EQ(Get(index_), "[Main]\r\nA=0;3\r\n");
}

TEST_F(LibraryStoreTest, RemoveRefusesBadInputBeforeChangingAnything)
{
    struct Row { const char* name; const char* index; const char* data; };
    const Row rows[] = {
        {"value_not_a_number", "[Main]\r\nA=0;3\r\n[X]\r\nBad=1;x\r\n", "abc\r\n"},
        {"missing_data_file", "[Main]\r\nA=0;3\r\n", nullptr},
    };
    for (const Row& row : rows) {
        Put(index_, row.index);
        RemoveFile(data_);
        if (row.data)
            Put(data_, row.data);
        EXPECT_THROW(Store().RemoveSnippetText("A", "Main", 0, 3, 3), Exception) << row.name;
        EXPECT_EQ(Get(index_), row.index) << row.name;
        EXPECT_EQ(Get(data_), row.data ? row.data : "<missing>") << row.name;
    }
    EXPECT_THROW(Store().RemoveSnippetText("A", "Main", 0, 3, 2), Exception);
}

TEST_F(LibraryStoreTest, RemovingARangeOutsideTheDataFileCutsNothing)
{
    Put(index_, "[Main]\r\nA=0;3\r\nBroken=7;90\r\n");
    Put(data_, "abc\r\n");
    Store().RemoveSnippetText("Broken", "Main", 7, 90, 83);
    EXPECT_EQ(Get(data_), "abc\r\n");
    EXPECT_EQ(Get(index_), "[Main]\r\nA=0;3\r\n");
}

// The data file was cut short: [Other] Cut runs past its end. An operation
// that writes the data file would hand Cut bytes of other texts, so it is
// refused before anything changes; operations that only drop or re-point the
// damaged title, or touch the index alone, still work.
TEST_F(LibraryStoreTest, ADamagedLibraryRefusesWritesToItsDataFile)
{
    const char* before = "[Main]\r\nA=0;3\r\nB=5;7\r\nE=0;0\r\n[Other]\r\nCut=9;20\r\n";
    const std::string source = Path("src.ini");
    Put(source, "[S]\r\nOne=0;3\r\n");
    Put(Path("src.dat"), "one\r\n");
    struct Row {
        const char* name;
        std::function<void(TLibraryStore&)> run;
        const char* after;  // nullptr: refused
    };
    const Row rows[] = {
        {"save_other_title", [](TLibraryStore& s) { s.SaveSnippet("Main", "A", "xyz"); }, nullptr},
        {"save_empty_title", [](TLibraryStore& s) { s.SaveSnippet("Main", "E", "xyz"); }, nullptr},
        {"append", [&](TLibraryStore& s) { s.AppendImported("Main", "N", "xyz", index_); }, nullptr},
        {"remove_other_title", [](TLibraryStore& s) { s.RemoveSnippetText("A", "Main", 0, 3, 3); },
         nullptr},
        {"delete_other_category", [&](TLibraryStore& s) { s.DeleteCategory("Main", index_); },
         nullptr},
        {"import", [&](TLibraryStore& s) { s.CommitImport({"Main;N;0;3;" + source + ";S;One"}); },
         nullptr},
        {"remove_damaged_title",
         [](TLibraryStore& s) { s.RemoveSnippetText("Cut", "Other", 9, 20, 11); },
         "[Main]\r\nA=0;3\r\nB=5;7\r\nE=0;0\r\n[Other]\r\n"},
        {"save_damaged_title", [](TLibraryStore& s) { s.SaveSnippet("Other", "Cut", "new"); },
         "[Main]\r\nA=0;3\r\nB=5;7\r\nE=0;0\r\n[Other]\r\nCut=9;12\r\n"},
        {"delete_damaged_category", [&](TLibraryStore& s) { s.DeleteCategory("Other", index_); },
         "[Main]\r\nA=0;3\r\nB=5;7\r\nE=0;0\r\n"},
        {"rename_title", [](TLibraryStore& s) { s.RenameTitle("Main", "A", "Z"); },
         "[Main]\r\nB=5;7\r\nE=0;0\r\nZ=0;3\r\n[Other]\r\nCut=9;20\r\n"},
    };
    for (const Row& row : rows) {
        Put(index_, before);
        Put(data_, "abc\r\nde\r\n");
        TLibraryStore store = Store();
        if (row.after) {
            EXPECT_NO_THROW(row.run(store)) << row.name;
            EXPECT_EQ(Get(index_), row.after) << row.name;
            continue;
        }
        try {
            row.run(store);
            ADD_FAILURE() << row.name << " went ahead";
        } catch (const Exception& error) {
            EXPECT_NE(error.Message().find("[Other] Cut"), std::string::npos) << row.name;
            EXPECT_NE(error.Message().find("tarnwick-cli library check"), std::string::npos)
                << row.name;
        }
        EXPECT_EQ(Get(index_), before) << row.name;
        EXPECT_EQ(Get(data_), "abc\r\nde\r\n") << row.name;
    }
    // A value that is no range at all is no damage an append could worsen.
    Put(index_, "[Main]\r\nA=0;3\r\n[Other]\r\nOdd=x;1\r\n");
    Put(data_, "abc\r\n");
    Store().AppendImported("Main", "N", "xyz", index_);
    EXPECT_EQ(ReadSnippet("Main", "N", index_), "xyz");
}

TEST_F(LibraryStoreTest, DeleteCategoryRemovesEveryTextAndLowersTheRest)
{
    Put(index_, "[Keep]\r\nK1=0;2\r\n[Gone]\r\nG1=4;5\r\nG2=12;14\r\nG3=7;10\r\n"
                "[Later]\r\nK2=16;18\r\nEmpty=0;0\r\n");
    Put(data_, "k1\r\ng\r\nggg\r\ngg\r\nk2\r\n");
    Store().DeleteCategory("gone", index_);
    EXPECT_EQ(Get(data_), "k1\r\n\r\n\r\n\r\nk2\r\n");
    EXPECT_EQ(Get(index_), "[Keep]\r\nK1=0;2\r\n[Later]\r\nK2=10;12\r\nEmpty=0;0\r\n");
    EXPECT_EQ(ReadSnippet("Later", "K2", index_), "k2");
    EXPECT_EQ(host_.panels[0], "L0");
    EXPECT_EQ(host_.events, (std::vector<std::string>{"node deleted", "counts"}));
}

TEST_F(LibraryStoreTest, RenamesAndMoves)
{
    struct Row {
        const char* name;
        void (*run)(TLibraryStore&);
        const char* after;
    };
    const char* before = "[Main]\r\nA=0;3\r\nB=5;7\r\n[Other]\r\nC=0;0\r\n";
    const Row rows[] = {
        {"rename_title", [](TLibraryStore& s) { s.RenameTitle("Main", "A", "Z"); },
         "[Main]\r\nB=5;7\r\nZ=0;3\r\n[Other]\r\nC=0;0\r\n"},
        {"rename_title_without_key", [](TLibraryStore& s) { s.RenameTitle("Main", "New", "Named"); },
         "[Main]\r\nA=0;3\r\nB=5;7\r\nNamed=0;0\r\n[Other]\r\nC=0;0\r\n"},
        {"rename_title_case_only", [](TLibraryStore& s) { s.RenameTitle("Main", "A", "a"); },
         "[Main]\r\nB=5;7\r\na=0;3\r\n[Other]\r\nC=0;0\r\n"},
        {"rename_title_same", [](TLibraryStore& s) { s.RenameTitle("Main", "A", "A"); }, nullptr},
        {"rename_category", [](TLibraryStore& s) { EXPECT_TRUE(s.RenameCategory("Main", "Code")); },
         "[Other]\r\nC=0;0\r\n[Code]\r\nA=0;3\r\nB=5;7\r\n"},
        {"rename_category_case_only", [](TLibraryStore& s) { s.RenameCategory("Main", "MAIN"); },
         "[Other]\r\nC=0;0\r\n[MAIN]\r\nA=0;3\r\nB=5;7\r\n"},
        {"rename_category_into_other", [](TLibraryStore& s) { s.RenameCategory("Main", "other"); },
         "[Other]\r\nC=0;0\r\nA=0;3\r\nB=5;7\r\n"},
        {"move", [](TLibraryStore& s) { s.MoveTitle("Main", "B", "Other"); },
         "[Main]\r\nA=0;3\r\n[Other]\r\nC=0;0\r\nB=5;7\r\n"},
        {"move_to_new_category", [](TLibraryStore& s) { s.MoveTitle("Main", "B", "Fresh"); },
         "[Main]\r\nA=0;3\r\n[Other]\r\nC=0;0\r\n[Fresh]\r\nB=5;7\r\n"},
        {"move_without_key", [](TLibraryStore& s) { s.MoveTitle("Main", "Tree", "Other"); },
         "[Main]\r\nA=0;3\r\nB=5;7\r\n[Other]\r\nC=0;0\r\nTree=0;0\r\n"},
        {"move_same_category", [](TLibraryStore& s) { s.MoveTitle("Main", "A", "Main"); }, nullptr},
        {"move_case_only", [](TLibraryStore& s) { s.MoveTitle("Main", "A", "main"); }, nullptr},
    };
    for (const Row& row : rows) {
        Put(index_, before);
        TLibraryStore store = Store();
        row.run(store);
        EXPECT_EQ(Get(index_), row.after ? row.after : before) << row.name;
    }
}

TEST_F(LibraryStoreTest, RenamesAndMovesThatWouldLoseATitleAreRefused)
{
    const char* before = "[Main]\r\nA=0;3\r\nB=5;7\r\n[Other]\r\nB=0;0\r\n";
    struct Row { const char* name; void (*run)(TLibraryStore&); };
    const Row rows[] = {
        {"title_onto_existing", [](TLibraryStore& s) { s.RenameTitle("Main", "A", "b"); }},
        {"title_to_empty", [](TLibraryStore& s) { s.RenameTitle("Main", "A", "  "); }},
        {"missing_title_onto_existing", [](TLibraryStore& s) { s.RenameTitle("Main", "X", "A"); }},
        {"category_with_shared_title", [](TLibraryStore& s) { s.RenameCategory("Main", "Other"); }},
        {"category_to_empty", [](TLibraryStore& s) { s.RenameCategory("Main", ""); }},
        {"move_onto_existing", [](TLibraryStore& s) { s.MoveTitle("Main", "B", "Other"); }},
    };
    for (const Row& row : rows) {
        Put(index_, before);
        TLibraryStore store = Store();
        EXPECT_THROW(row.run(store), Exception) << row.name;
        EXPECT_EQ(Get(index_), before) << row.name;
    }
}

TEST_F(LibraryStoreTest, RenameCategoryStopsAtATitleThatReadsAsNoInfo)
{
    Put(index_, "[Main]\r\nA=0;3\r\nB=NO_INFO\r\nC=5;7\r\n");
    EXPECT_FALSE(Store().RenameCategory("Main", "Code"));
    EXPECT_EQ(Get(index_), "[Main]\r\nA=0;3\r\nB=NO_INFO\r\nC=5;7\r\n[Code]\r\nA=0;3\r\n");
}

TEST_F(LibraryStoreTest, CommitImportAppendsEveryRecordAndReappliesTheSettings)
{
    const std::string source = Path("src.ini");
    Put(source, "[S]\r\nOne=0;3\r\nTwo=5;7\r\nNone=0;0\r\n");
    Put(Path("src.dat"), "one\r\ntw\r\n");
    MakeAbDe();
    host_.panels[0] = "2 Categories";
    host_.panels[1] = "3 Titles";
    const std::vector<std::string> skipped = Store().CommitImport({
        "Main;A;0;3;" + source + ";S;One",      // onto an existing title
        "New;Two;5;7;" + source + ";s;two",
        "New;Gone;1;2;" + source + ";S;Renamed",  // source title vanished: skipped
        "New;Empty;0;0;" + source + ";S;None",
        "New;Copy;0;0;" + index_ + ";New;Two",  // reads what this import wrote
    });
    EXPECT_EQ(Get(data_), "abc\r\nde\r\none\r\ntw\r\n\r\ntw\r\n");
    EXPECT_EQ(Get(index_), "[Main]\r\nA=9;12\r\nB=5;7\r\n[New]\r\nTwo=14;16\r\nEmpty=18;18\r\n"
                           "Copy=20;22\r\n");
    EXPECT_EQ(host_.panels[0], "2 Categories");
    EXPECT_EQ(host_.panels[1], "3 Titles");
    EXPECT_EQ(host_.events.back(), "settings");
    EXPECT_EQ(host_.events.front(), "messages Main=");
    EXPECT_EQ(skipped, std::vector<std::string>({"New;Gone;1;2;" + source + ";S;Renamed"}));
}

TEST_F(LibraryStoreTest, CommitImportIsAllOrNothing)
{
    const std::string source = Path("src.ini");
    Put(source, "[S]\r\nOne=0;3\r\nBad=x;1\r\n");
    Put(Path("src.dat"), "one\r\n");
    MakeAbDe();
    EXPECT_THROW(Store().CommitImport({"Main;N;0;3;" + source + ";S;One",
                                       "Main;M;0;0;" + source + ";S;Bad"}),
                 EConvertError);
    EXPECT_EQ(Get(data_), "abc\r\nde\r\n");
    EXPECT_EQ(Get(index_), "[Main]\r\nA=0;3\r\nB=5;7\r\n");
    EXPECT_THROW(Store().CommitImport({"Main;;1"}), Exception);
    EXPECT_EQ(host_.events, (std::vector<std::string>{"messages Main="}));
}

TEST_F(LibraryStoreTest, AnOperationStartedWhileAnotherRunsOnTheLibraryIsRefused)
{
    class ReentrantHost : public TLibraryHost {
    public:
        std::string index;
        bool refused = false;
        void ProcessMessages() override
        {
            try {
                TLibraryStore(index).SaveSnippet("Main", "A", "nested");
            } catch (const Exception&) {
                refused = true;
            }
        }
    } host;
    host.index = index_;
    MakeAbDe();
    const std::string source = Path("src.ini");
    Put(source, "[S]\r\nOne=0;3\r\n");
    Put(Path("src.dat"), "one\r\n");
    TLibraryStore(index_, host).CommitImport({"Main;N;0;3;" + source + ";S;One"});
    EXPECT_TRUE(host.refused);
    EXPECT_EQ(Get(data_), "abc\r\nde\r\none\r\n");
}

}  // namespace tarnwick::test
