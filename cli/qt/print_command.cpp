// tarnwick-cli print: a library as a highlighted booklet in a PDF file.
//
//   print --pdf OUT [--scheme FILE|--builtin] INDEX [CATEGORY]
//
// The booklet needs Qt's text layout and PDF output, which the rest of the
// command line does without. This file is therefore built, and the command
// offered, only when the Qt layers are built; it runs Qt's GUI module on the
// "offscreen" platform, so no display is needed.
#include "app/booklet/booklet.h"
#include "cli/command.h"
#include "cli/scheme_source.h"
#include "platform/errors.h"
#include "scheme/code_memo_parser.h"

#include <QGuiApplication>

#include <cstdlib>
#include <iostream>

namespace tarnwick::cli {

namespace {

const char* const kUsage =
    "  tarnwick-cli print --pdf OUT [--scheme FILE|--builtin] INDEX [CATEGORY]\n";

int RunPrint(const std::vector<std::string>& args)
{
    std::string pdf;
    std::string scheme = "--builtin";
    std::vector<std::string> names;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--pdf" || args[i] == "--scheme") {
            if (i + 1 >= args.size())
                throw UsageError{args[i] + " needs a value"};
            (args[i] == "--pdf" ? pdf : scheme) = args[i + 1];
            ++i;
        }
        else if (args[i] == "--builtin") {
            scheme = args[i];
        }
        else if (!args[i].empty() && args[i][0] == '-') {
            throw UsageError{"unknown option '" + args[i] + "'"};
        }
        else {
            names.push_back(args[i]);
        }
    }
    if (pdf.empty() || names.empty() || names.size() > 2)
        throw UsageError{"print needs --pdf OUT, an index file and at most one category"};

    TCodeMemoParser parser;
    LoadSchemeArgument(scheme, parser);
    const std::vector<TBookletEntry> entries =
        BookletEntries(names[0], names.size() == 2 ? names[1] : std::string());
    if (entries.empty())
        throw Exception(names.size() == 2 ? "Nothing to print: the category has no titles"
                                          : "Nothing to print: the library has no titles");

    // Text layout needs a GUI application; without a display the offscreen
    // platform serves.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int argc = 1;
    char name[] = "tarnwick-cli";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);

    TBookletOptions options;
    options.Scheme = &parser;
    const std::vector<int> starts = WriteBookletPdf(pdf, entries, options);
    std::cout << entries.size() << " snippets, contents on pages 1-" << starts.front() - 1 << '\n';
    return 0;
}

const bool registered = RegisterCommand({"print", kUsage, RunPrint});

}  // namespace

}  // namespace tarnwick::cli
