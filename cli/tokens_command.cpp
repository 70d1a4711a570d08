// tarnwick-cli scheme tokens / highlight: a compiled scheme run over a text
// file the way the editor runs it — the text loaded as the editor loads it
// (line breaks become one CR), one highlighting pass over all of it — shown
// as token runs or written as the editor's HTML or RTF export.
#include "cli/command.h"
#include "cli/scheme_source.h"

#include "editor/core/code_memo_model.h"
#include "editor/core/highlight_pass.h"
#include "editor/core/scheme_highlighter.h"
#include "platform/file_io.h"
#include "scheme/code_memo_parser.h"

#include <filesystem>
#include <iostream>
#include <sstream>

namespace tarnwick::cli {

namespace {

namespace fs = std::filesystem;

// The scheme and the text, coloured by one pass over the whole text.
struct THighlighted {
    TCodeMemoParser scheme;
    TCodeMemoModel model;
};

void LoadAndColour(const std::string& schemeName, const std::string& input, THighlighted& h)
{
    LoadSchemeArgument(schemeName, h.scheme);
    h.model.LoadFromFile(input);
    THighlightPass(h.scheme).RunAll(h.model.Store().First(), h.model.CharCount());
}

int RunTokens(const std::vector<std::string>& args)
{
    if (args.size() != 2)
        throw UsageError{"expected a compiled scheme (or --builtin) and a text file"};
    THighlighted h;
    LoadAndColour(args[0], args[1], h);
    // Runs of equal token value, merged across records.
    std::ostringstream out;
    int64_t runStart = 0;
    int64_t offset = 0;
    int runValue = -1;
    for (const TLineRec* rec = h.model.First(); rec != nullptr; rec = rec->Next) {
        for (size_t i = 0; i < rec->Len; ++i, ++offset) {
            const int value = rec->Attrs ? rec->Attrs[i] : 0;
            if (value == runValue)
                continue;
            if (runValue >= 0)
                out << runStart << ' ' << offset - runStart << ' ' << runValue << '\n';
            runStart = offset;
            runValue = value;
        }
    }
    if (runValue >= 0)
        out << runStart << ' ' << offset - runStart << ' ' << runValue << '\n';
    std::cout << out.str();
    return 0;
}

int RunHighlight(const std::vector<std::string>& args)
{
    std::vector<std::string> words;
    std::string format;
    std::string output;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format" || args[i] == "-o") {
            if (i + 1 == args.size())
                throw UsageError{args[i] + " needs a value"};
            (args[i] == "-o" ? output : format) = args[i + 1];
            ++i;
        } else {
            words.push_back(args[i]);
        }
    }
    if (words.size() != 2)
        throw UsageError{"expected a compiled scheme (or --builtin) and a text file"};
    if (format != "html" && format != "rtf")
        throw UsageError{"--format must be html or rtf"};

    THighlighted h;
    LoadAndColour(words[0], words[1], h);
    TSchemeHighlighter highlighter(h.scheme);
    h.model.SetHighlighter(&highlighter);
    h.model.SaveFormat = format == "html" ? sfHTML : sfRTF;
    h.model.FontName = h.scheme.Settings().Font.Name;
    h.model.FontSize = h.scheme.Settings().Font.Size;
    h.model.DocTitle = fs::path(words[1]).filename().string();
    std::ostringstream bytes;
    h.model.SaveToStream(&bytes);
    if (output.empty())
        std::cout << bytes.str();
    else
        WriteFileAtomically(output, bytes.str());
    return 0;
}

[[maybe_unused]] const bool registered =
    RegisterCommand({"scheme tokens",
                     "  tarnwick-cli scheme tokens FILE.dat|--builtin INPUT\n"
                     "    prints the token runs of INPUT as OFFSET LENGTH VALUE lines\n"
                     "    (offsets in stored characters: a line break is one CR)\n",
                     RunTokens}) &&
    RegisterCommand({"highlight",
                     "  tarnwick-cli highlight FILE.dat|--builtin --format html|rtf INPUT [-o OUT]\n"
                     "    writes INPUT highlighted as the editor's HTML or RTF export\n",
                     RunHighlight});

}  // namespace

}  // namespace tarnwick::cli
