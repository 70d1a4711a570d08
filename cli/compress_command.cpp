// tarnwick-cli compress / decompress: the scheme compressor in file mode.
#include "cli/command.h"

#include "scheme/compressor.h"

#include <iostream>

namespace tarnwick::cli {

namespace {

TCompressMethod ParseMethod(const std::string& word)
{
    if (word == "block")
        return cmBlock;
    if (word == "lzhuf")
        return cmLZHUF;
    if (word == "advise")
        return cmAdvise;
    throw UsageError{"unknown method '" + word + "' (block, lzhuf or advise)"};
}

int RunCompress(const std::vector<std::string>& args)
{
    TCompressMethod method = cmBlock;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--method") {
            if (i + 1 == args.size())
                throw UsageError{"--method needs a value"};
            method = ParseMethod(args[++i]);
        } else if (args[i].rfind("--method=", 0) == 0) {
            method = ParseMethod(args[i].substr(9));
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2)
        throw UsageError{"expected an input and an output file"};
    TCompressor compressor;
    compressor.SetMethod(method);
    compressor.SetInputFile(files[0]);
    compressor.SetOutputFile(files[1]);
    const int64_t written = compressor.Compress();
    std::cout << files[1] << ": " << written << " bytes\n";
    return 0;
}

int RunDecompress(const std::vector<std::string>& args)
{
    if (args.size() != 2)
        throw UsageError{"expected an input and an output file"};
    TCompressor compressor;
    compressor.SetInputFile(args[0]);
    compressor.SetOutputFile(args[1]);
    const int64_t written = compressor.Decompress();
    std::cout << args[1] << ": " << written << " bytes\n";
    return 0;
}

[[maybe_unused]] const bool registered =
    RegisterCommand({"compress",
                     "  tarnwick-cli compress [--method block|lzhuf|advise] IN OUT\n"
                     "    packs IN into OUT (default method: block)\n",
                     RunCompress}) &&
    RegisterCommand({"decompress",
                     "  tarnwick-cli decompress IN OUT\n"
                     "    unpacks IN (either method) into OUT\n",
                     RunDecompress});

}  // namespace

}  // namespace tarnwick::cli
