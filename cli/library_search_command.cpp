// tarnwick-cli library search: every hit of a text or expression in a
// library's titles and texts, one line per hit, in the tree's order:
// category TAB title TAB line:column TAB the line's text. Exit status 1 when
// nothing is found, as grep does; titles that cannot be read are named on
// standard error and the rest is searched.
#include "cli/command.h"
#include "cli/scheme_source.h"

#include "library_search/library_search.h"
#include "scheme/code_memo_parser.h"

#include <iostream>
#include <optional>

namespace tarnwick::cli {

namespace {

std::string NeedValue(const std::vector<std::string>& args, size_t& i)
{
    if (i + 1 == args.size())
        throw UsageError{args[i] + " needs a value"};
    return args[++i];
}

int RunLibrarySearch(const std::vector<std::string>& args)
{
    TLibrarySearchOptions options;
    std::vector<std::string> words;
    std::optional<std::string> schemeName;
    bool optionsDone = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsDone || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            words.push_back(arg);
        } else if (arg == "--") {
            optionsDone = true;
        } else if (arg == "--regex") {
            options.RegExpr = true;
        } else if (arg == "--case") {
            options.MatchCase = true;
        } else if (arg == "--word") {
            options.WholeWord = true;
        } else if (arg == "--builtin") {
            schemeName = arg;
        } else if (arg == "--scheme") {
            schemeName = NeedValue(args, i);
        } else if (arg == "--in") {
            const std::string where = NeedValue(args, i);
            if (where == "titles")
                options.Scope = TSearchScope::Titles;
            else if (where == "text")
                options.Scope = TSearchScope::Texts;
            else if (where == "both")
                options.Scope = TSearchScope::Both;
            else
                throw UsageError{"--in must be titles, text or both"};
        } else if (arg == "--tokens") {
            const std::string kind = NeedValue(args, i);
            if (kind == "comment")
                options.Tokens = TTokenFilter::Comment;
            else if (kind == "string")
                options.Tokens = TTokenFilter::String;
            else if (kind == "code")
                options.Tokens = TTokenFilter::Code;
            else
                throw UsageError{"--tokens must be comment, string or code"};
        } else {
            throw UsageError{"unknown option '" + arg + "'"};
        }
    }
    if (words.size() != 2)
        throw UsageError{"expected an index file and a pattern"};
    if (options.Tokens != TTokenFilter::Any && !schemeName)
        throw UsageError{"--tokens needs --scheme FILE.dat or --builtin"};
    if (options.Tokens != TTokenFilter::Any && options.Scope == TSearchScope::Titles)
        throw UsageError{"--tokens applies to texts, not to --in titles"};
    options.Pattern = words[1];

    TCodeMemoParser scheme;
    if (schemeName) {
        LoadSchemeArgument(*schemeName, scheme);
        options.Scheme = &scheme;
    }
    const TLibrarySearchResult result = SearchLibrary(words[0], options);
    for (const std::string& problem : result.Problems)
        std::cerr << "tarnwick-cli: " << problem << "\n";
    std::string out;
    for (const TLibraryHit& hit : result.Hits) {
        out += hit.Category + '\t' + hit.Title + '\t' + std::to_string(hit.Line) + ':' +
               std::to_string(hit.Column) + '\t' + hit.LineText + '\n';
    }
    std::cout << out;
    return result.Hits.empty() ? 1 : 0;
}

[[maybe_unused]] const bool registered = RegisterCommand(TCliCommand{
    "library search",
    "  tarnwick-cli library search INDEX PATTERN [--regex] [--case] [--word]\n"
    "      [--in titles|text|both] [--tokens comment|string|code] [--scheme FILE.dat|--builtin]\n"
    "    prints CATEGORY<TAB>TITLE<TAB>LINE:COLUMN<TAB>TEXT for every hit, in the tree's\n"
    "    order (line 0 is the title); --case and --word apply to plain text only (an\n"
    "    expression always matches case); --tokens keeps hits inside comments, strings\n"
    "    or the rest of the code as the scheme highlights them; exit 1 when nothing is found\n",
    RunLibrarySearch});

}  // namespace

}  // namespace tarnwick::cli
