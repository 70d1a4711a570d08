// tarnwick-cli library ... and tarnwick-cli check: a library's snippets from
// the command line, through the same store operations the window uses.
#include "cli/command.h"

#include "library/library_check.h"
#include "library/library_format.h"
#include "library/library_store.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/profile.h"

#include <algorithm>
#include <iostream>
#include <iterator>
#include <limits>

namespace tarnwick::cli {

namespace {

constexpr size_t kUnlimited = std::numeric_limits<size_t>::max();

void Need(const std::vector<std::string>& args, size_t count)
{
    if (args.size() != count)
        throw UsageError{"wrong number of arguments for '" + args[0] + "'"};
}

std::string ReadStdin()
{
    return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
}

// Text for append/save: the argument, or standard input when it is "-".
std::string TextArgument(const std::string& arg)
{
    return arg == "-" ? ReadStdin() : arg;
}

int RunLibrary(const std::vector<std::string>& args)
{
    if (args.size() < 2)
        throw UsageError{"a sub-command and an index file are needed"};
    const std::string& verb = args[0];
    const std::string& index = args[1];
    TLibraryStore store(index);

    if (verb == "new") {
        // A new library: one category with one empty title, and an empty data file.
        Need(args, 4);
        if (FileExists(ResolveFileName(index)))
            throw Exception("The index file " + index + " exists already");
        TFile(ResolveFileName(DataFileName(index)), TFileMode::Create).Close();
        ProfileWriteString(index, args[2], args[3], kEmptyValue);
    } else if (verb == "list") {
        Need(args, 2);
        const TIniDocument doc = TIniDocument::Load(ResolveFileName(index));
        for (const std::string& category : doc.SectionNames(kUnlimited)) {
            std::cout << "[" << category << "]\n";
            for (const std::string& title : doc.Keys(category, kUnlimited))
                std::cout << title << "=" << doc.ReadString(category, title, "") << "\n";
        }
    } else if (verb == "read") {
        Need(args, 4);
        std::cout << ReadSnippet(args[2], args[3], index);
    } else if (verb == "append") {
        Need(args, 5);
        store.AppendSnippet(args[2], args[3], TextArgument(args[4]), DataFileName(index), index);
    } else if (verb == "save") {
        Need(args, 5);
        store.StoreText(args[2], args[3], TextArgument(args[4]));
    } else if (verb == "remove") {
        Need(args, 4);
        const std::string value = ProfileReadString(index, args[2], args[3], kNoInfo);
        if (value == kNoInfo)
            throw Exception("There is no title " + args[3] + " in " + args[2]);
        const TTextRange range = value.empty() ? TTextRange{} : ParseRange(value);
        store.RemoveSnippetText(args[3], args[2], range.start, range.end, range.Length());
    } else if (verb == "rename-category") {
        Need(args, 4);
        if (!store.RenameCategory(args[2], args[3])) {
            std::cerr << "stopped at a title without value; the old category was kept\n";
            return 1;
        }
    } else if (verb == "rename-title") {
        Need(args, 5);
        store.RenameTitle(args[2], args[3], args[4]);
    } else if (verb == "move") {
        Need(args, 5);
        store.MoveTitle(args[2], args[3], args[4]);
    } else if (verb == "delete-category") {
        Need(args, 3);
        store.DeleteCategory(args[2], index);
    } else if (verb == "import") {
        // Records: target category, target title, source index, source
        // category, source title (the offsets of the import list are read
        // from the source when the record is queued).
        if (args.size() < 3 || (args.size() - 2) % 5 != 0)
            throw UsageError{"import takes groups of five words"};
        std::vector<std::string> records;
        for (size_t i = 2; i < args.size(); i += 5) {
            const std::string value = ProfileReadString(args[i + 2], args[i + 3], args[i + 4], "0");
            records.push_back(args[i] + ";" + args[i + 1] + ";" + GetField(value, ";", 0) + ";" +
                              GetField(value, ";", 1) + ";" + args[i + 2] + ";" + args[i + 3] +
                              ";" + args[i + 4]);
        }
        store.CommitImport(records);
    } else {
        throw UsageError{"unknown sub-command '" + verb + "'"};
    }
    return 0;
}

int RunCheck(const std::vector<std::string>& args)
{
    if (args.size() != 1)
        throw UsageError{"one index file is needed"};
    const TLibraryCheck check = CheckLibrary(args[0]);
    switch (check.recovery) {
    case TRecovery::Nothing: break;
    case TRecovery::RolledBack: std::cout << "rolled back an interrupted operation\n"; break;
    case TRecovery::RolledForward: std::cout << "finished an interrupted operation\n"; break;
    }
    std::cout << check.categories << " categories, " << check.titles << " titles, data file ";
    if (check.dataFileExists)
        std::cout << check.dataSize << " bytes\n";
    else
        std::cout << "missing\n";
    for (const std::string& problem : check.problems)
        std::cout << problem << "\n";
    std::cout << (check.Consistent() ? "consistent\n" : "inconsistent\n");
    return check.Consistent() ? 0 : 1;
}

const bool registeredLibrary = RegisterCommand(TCliCommand{
    "library",
    "  tarnwick-cli library new INDEX CATEGORY TITLE      create a library with one empty title\n"
    "  tarnwick-cli library list INDEX                    categories, titles and values\n"
    "  tarnwick-cli library read INDEX CATEGORY TITLE     print a snippet's text\n"
    "  tarnwick-cli library append INDEX CATEGORY TITLE TEXT|-   append a text (- = stdin)\n"
    "  tarnwick-cli library save INDEX CATEGORY TITLE TEXT|-     replace a snippet's text\n"
    "  tarnwick-cli library remove INDEX CATEGORY TITLE   remove a snippet and its text\n"
    "  tarnwick-cli library rename-category INDEX OLD NEW\n"
    "  tarnwick-cli library rename-title INDEX CATEGORY OLD NEW\n"
    "  tarnwick-cli library move INDEX CATEGORY TITLE NEW-CATEGORY\n"
    "  tarnwick-cli library delete-category INDEX CATEGORY\n"
    "  tarnwick-cli library import INDEX {CATEGORY TITLE SOURCE-INDEX SOURCE-CATEGORY SOURCE-TITLE}...\n",
    RunLibrary});

const bool registeredCheck = RegisterCommand(TCliCommand{
    "check",
    "  tarnwick-cli check INDEX    finish or roll back an interrupted operation, then verify "
    "every value (exit 1 when inconsistent)\n",
    RunCheck});

}  // namespace

}  // namespace tarnwick::cli
