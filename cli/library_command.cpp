// tarnwick-cli library ... and tarnwick-cli check: a library's snippets from
// the command line, through the same store operations the window uses.
#include "cli/command.h"

#include "library/library_check.h"
#include "library/library_compact.h"
#include "library/library_format.h"
#include "library/library_journal.h"
#include "library/library_listing.h"
#include "library/library_store.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/profile.h"

#include <iostream>
#include <iterator>
#include <sstream>

namespace tarnwick::cli {

namespace {

void Need(const std::vector<std::string>& args, size_t count)
{
    if (args.size() != count)
        throw UsageError{"wrong number of arguments for '" + args[0] + "'"};
}

std::string ReadStdin()
{
    return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
}

// append and save take the text as a fifth word, or from standard input
// when it is missing or "-".
void NeedText(const std::vector<std::string>& args)
{
    if (args.size() != 4 && args.size() != 5)
        throw UsageError{"wrong number of arguments for '" + args[0] + "'"};
}

std::string TextArgument(const std::vector<std::string>& args)
{
    return args.size() == 4 || args[4] == "-" ? ReadStdin() : args[4];
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
        const TLibraryLock lock(TLibraryFiles::For(index), TLockKind::Exclusive);
        if (FileExists(ResolveFileName(index)))
            throw Exception("The index file " + index + " exists already");
        TFile(ResolveFileName(DataFileName(index)), TFileMode::Create).Close();
        ProfileWriteString(index, args[2], args[3], kEmptyValue);
    } else if (verb == "list") {
        // As the tree shows the library: sorted, titles indented below their category.
        Need(args, 2);
        for (const TListedCategory& category : ListLibrary(index)) {
            std::cout << category.name << "\n";
            for (const std::string& title : category.titles)
                std::cout << "  " << title << "\n";
        }
    } else if (verb == "cat") {
        Need(args, 4);
        std::cout << ReadSnippet(args[2], args[3], index);
    } else if (verb == "append") {
        NeedText(args);
        store.AppendSnippet(args[2], args[3], TextArgument(args), DataFileName(index), index);
    } else if (verb == "save") {
        NeedText(args);
        store.StoreText(args[2], args[3], TextArgument(args));
    } else if (verb == "remove") {
        Need(args, 4);
        // The range read here must still be the title's when it is cut.
        const TLibraryLock lock(TLibraryFiles::For(index), TLockKind::Exclusive);
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
    } else if (verb == "commit-import") {
        // One import record a line: target category, target title, source
        // start, source end, source index, source category, source title.
        Need(args, 3);
        TFile file(ResolveFileName(args[2]), TFileMode::Read);
        std::string bytes(static_cast<size_t>(file.Size()), '\0');
        bytes.resize(file.Read(bytes.data(), bytes.size()));
        std::vector<std::string> records;
        std::istringstream lines(bytes);
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!line.empty())
                records.push_back(line);
        }
        store.CommitImport(records);
    } else if (verb == "compact") {
        Need(args, 2);
        const TLibraryCheck check = CheckLibrary(index);
        if (!check.Consistent()) {
            for (const std::string& problem : check.problems)
                std::cerr << problem << "\n";
            std::cerr << "The library is inconsistent; it was not compacted\n";
            return 1;
        }
        const TCompactResult result = CompactLibrary(index);
        std::cout << result.texts << " texts, data file " << result.oldSize << " -> "
                  << result.newSize << " bytes\n";
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
    "  tarnwick-cli library list INDEX                    categories and their titles, sorted\n"
    "  tarnwick-cli library cat INDEX CATEGORY TITLE      print a snippet's text\n"
    "  tarnwick-cli library append INDEX CATEGORY TITLE [TEXT]   append a text (default: stdin)\n"
    "  tarnwick-cli library save INDEX CATEGORY TITLE [TEXT]     replace a snippet's text\n"
    "  tarnwick-cli library remove INDEX CATEGORY TITLE   remove a snippet and its text\n"
    "  tarnwick-cli library rename-category INDEX OLD NEW\n"
    "  tarnwick-cli library rename-title INDEX CATEGORY OLD NEW\n"
    "  tarnwick-cli library move INDEX CATEGORY TITLE NEW-CATEGORY\n"
    "  tarnwick-cli library delete-category INDEX CATEGORY\n"
    "  tarnwick-cli library commit-import INDEX RECORDS   import records, one a line:\n"
    "      category;title;start;end;source index;source category;source title\n"
    "  tarnwick-cli library compact INDEX                 drop text no title points at\n",
    RunLibrary});

const bool registeredLibraryCheck = RegisterCommand(TCliCommand{
    "library check",
    "  tarnwick-cli library check INDEX   finish or roll back an interrupted operation, then\n"
    "      verify every value (exit 1 when inconsistent)\n",
    RunCheck});

const bool registeredCheck = RegisterCommand(TCliCommand{
    "check", "  tarnwick-cli check INDEX           short for library check INDEX\n", RunCheck});

}  // namespace

}  // namespace tarnwick::cli
