// tarnwick-cli text-search and text-replace-all: the editor's find-next and
// Replace All over a file loaded as the editor loads it (CR LF and lone LF
// become one CR; control characters other than TAB and CR become ".").
#include "cli/command.h"

#include "editor/core/search.h"
#include "editor/core/text_normalise.h"
#include "platform/file_io.h"

#include <iostream>

namespace tarnwick::cli {

namespace {

struct TSearchArgs {
    int flags = srchNoDialog;
    std::vector<std::string> words;
};

TSearchArgs ParseArgs(const std::vector<std::string>& args, bool allowBackwards, size_t wordCount)
{
    TSearchArgs parsed;
    bool optionsDone = false;
    for (const std::string& arg : args) {
        if (!optionsDone && arg == "--") {
            optionsDone = true;
        } else if (!optionsDone && arg == "--regex") {
            parsed.flags |= srchRegExpr;
        } else if (!optionsDone && arg == "--case") {
            parsed.flags |= srchMatchCase;
        } else if (!optionsDone && arg == "--word") {
            parsed.flags |= srchWholeWord;
        } else if (!optionsDone && allowBackwards && arg == "--backwards") {
            parsed.flags |= srchBackwards;
        } else if (!optionsDone && arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            throw UsageError{"unknown option '" + arg + "'"};
        } else {
            parsed.words.push_back(arg);
        }
    }
    if (parsed.words.size() != wordCount)
        throw UsageError{"wrong number of arguments"};
    return parsed;
}

std::string LoadAsEditor(const std::string& path)
{
    return NormaliseInput(ReadWholeFile(path));
}

int RunSearch(const std::vector<std::string>& args)
{
    const TSearchArgs parsed = ParseArgs(args, true, 2);
    const std::string& pattern = parsed.words[0];
    const std::string text = LoadAsEditor(parsed.words[1]);
    const TStringSearchSource source(text);
    TSearchEngine engine;
    const int64_t startAt = (parsed.flags & srchBackwards) ? source.Length() : 0;
    int64_t selStart = startAt;
    int64_t selEnd = startAt;
    for (;;) {
        const TSearchOutcome outcome = engine.FindNext(source, parsed.flags, pattern, selStart, selEnd);
        if (outcome.Failed()) {
            std::cout.flush();
            std::cerr << outcome.ErrorText << "\n";
            return 1;
        }
        if (!outcome.Hit.Found())
            return 0;
        std::cout << outcome.Hit.Start << ' ' << outcome.Hit.Length << '\n';
        selStart = outcome.Hit.Start;
        selEnd = outcome.Hit.Start + outcome.Hit.Length;
    }
}

int RunReplaceAll(const std::vector<std::string>& args)
{
    const TSearchArgs parsed = ParseArgs(args, false, 3);
    const std::string& pattern = parsed.words[0];
    const std::string text = LoadAsEditor(parsed.words[2]);
    const TStringSearchSource source(text);
    TSearchEngine engine;
    std::vector<TReplaceEdit> edits;
    try {
        edits = engine.ReplaceAll(source, parsed.flags, pattern, parsed.words[1], 0);
    } catch (const ERegExpr& error) {
        std::cerr << (error.Position >= 0 ? engine.Parser().ErrorBoxText()
                                          : TREParser::ErrorBoxText(error, pattern))
                  << "\n";
        return 1;
    }
    if (edits.empty())
        std::cerr << NotFoundText(pattern) << "\n";
    const std::string result = ApplyEdits(text, edits);
    std::string out;
    out.reserve(result.size() + result.size() / 16);
    for (char c : result) {
        out += c;
        if (c == '\r')
            out += '\n';
    }
    std::cout << out;
    return 0;
}

const bool registeredSearch = RegisterCommand(
    {"text search",
     "  tarnwick-cli text search [--regex] [--case] [--word] [--backwards] PATTERN IN\n"
     "    prints OFFSET LENGTH of every hit find-next (find-previous from the end) visits\n",
     RunSearch});

const bool registeredReplace = RegisterCommand(
    {"text replace-all",
     "  tarnwick-cli text replace-all [--regex] [--case] [--word] PATTERN REPLACEMENT IN\n"
     "    prints the text after Replace All, with CR LF line ends\n",
     RunReplaceAll});

}  // namespace

}  // namespace tarnwick::cli
