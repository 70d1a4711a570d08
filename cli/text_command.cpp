// tarnwick-cli text: the editor's text model from the command line.
//
//   text convert --format text|unix|cr|html|rtf IN [-o OUT]
//   text records IN
//
// Further sub-commands live in their own files, registered under two-word
// names such as "text search" (see cli/command.h).
#include "cli/command.h"

#include "editor/core/code_memo_model.h"
#include "platform/file_io.h"

#include <iostream>

namespace tarnwick::cli {

namespace {

const char* const kUsage =
    "  tarnwick-cli text convert --format text|unix|cr|html|rtf IN [-o OUT]\n"
    "  tarnwick-cli text records IN\n";

int Convert(const std::vector<std::string>& args)
{
    std::string format;
    std::string in;
    std::string out;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format" || args[i] == "-o") {
            const std::string& option = args[i];
            if (i + 1 >= args.size())
                throw UsageError{option + " needs a value"};
            std::string& target = option == "-o" ? out : format;
            target = args[++i];
        } else if (!args[i].empty() && args[i][0] == '-' && args[i] != "-") {
            throw UsageError{"unknown option '" + args[i] + "'"};
        } else if (in.empty()) {
            in = args[i];
        } else {
            throw UsageError{"more than one input file"};
        }
    }
    if (in.empty() || format.empty())
        throw UsageError{"convert needs --format and an input file"};

    TCodeMemoModel model;
    model.LoadFromFile(in);
    model.DocTitle = in;
    std::string bytes;
    if (format == "cr") {
        bytes = model.Text();
    } else {
        if (format == "text")
            model.SaveFormat = sfTEXT;
        else if (format == "unix")
            model.SaveFormat = sfUNIX;
        else if (format == "html")
            model.SaveFormat = sfHTML;
        else if (format == "rtf")
            model.SaveFormat = sfRTF;
        else
            throw UsageError{"unknown format '" + format + "'"};
        model.SelectAll();
        const TWriteKind kind = model.SaveFormat == sfTEXT   ? wkCRLF
                                : model.SaveFormat == sfUNIX ? wkLF
                                : model.SaveFormat == sfHTML ? wkHTML
                                                             : wkRTF;
        bytes = model.WriteSelection(kind);
    }
    if (out.empty() || out == "-") {
        std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        std::cout.flush();
        return std::cout.good() ? 0 : 1;
    }
    WriteFileAtomically(out, bytes);
    return 0;
}

int Records(const std::vector<std::string>& args)
{
    if (args.size() != 1)
        throw UsageError{"records needs exactly one input file"};
    TCodeMemoModel model;
    model.LoadFromFile(args[0]);
    for (const TLineRec* rec = model.First(); rec != nullptr; rec = rec->Next)
        std::cout << rec->Len << ' ' << (rec->IsContinuation() ? 1 : 0) << '\n';
    std::cout.flush();
    return std::cout.good() ? 0 : 1;
}

int RunText(const std::vector<std::string>& args)
{
    if (args.empty())
        throw UsageError{"missing sub-command"};
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "convert")
        return Convert(rest);
    if (args[0] == "records")
        return Records(rest);
    throw UsageError{"unknown sub-command '" + args[0] + "'"};
}

const bool registered = RegisterCommand({"text", kUsage, RunText});

}  // namespace

}  // namespace tarnwick::cli
