// tarnwick_scheme_gen: compiles scheme scripts while the program is built.
//
//   tarnwick_scheme_gen embed SCRIPT OUT.cpp
//       Writes a C++ source that defines tarnwick::BuiltinSchemeStream()
//       (scheme/builtin/builtin_scheme.h) with the script's compiled stream.
//   tarnwick_scheme_gen install SCRIPT FOLDER
//       Writes FOLDER/<name>.dat, the compiled scheme, and FOLDER/<name>.txt,
//       the script itself, which the program compiles again when the user
//       edits the scheme's properties.
//
// Scripts are kept with LF line ends in the source tree. The script reader
// counts lines by CR, and a line break inside a string becomes part of its
// text, so every script is turned into CR LF text first: that is what is
// compiled and what is installed.
//
// A compile error is printed as "SCRIPT: ** ERROR near line ..." and the
// tool exits with 1; nothing is written then.
#include "platform/file_io.h"
#include "scheme/code_memo_parser.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>

namespace tarnwick {
namespace {

std::string WithCrLfLineEnds(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += "\r\n";
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string CompileToStream(const std::filesystem::path& script, const std::string& text)
{
    TCodeMemoParser parser;
    parser.Name = script.stem().string();
    parser.CompileText(text, script.parent_path().string());
    return parser.SaveToBytes();
}

std::string CppSource(std::string_view stream, const std::filesystem::path& script)
{
    std::string out;
    out += "// Generated from " + script.filename().string() +
           " by tarnwick_scheme_gen while building; do not edit.\n";
    out += "#include \"scheme/builtin/builtin_scheme.h\"\n\n";
    out += "namespace tarnwick {\n\nnamespace {\n\n";
    out += "constexpr unsigned char kStream[] = {";
    char hex[8];
    for (size_t i = 0; i < stream.size(); ++i) {
        out += i % 16 == 0 ? "\n    " : " ";
        std::snprintf(hex, sizeof hex, "0x%02x,", static_cast<unsigned char>(stream[i]));
        out += hex;
    }
    out += "\n};\n\n}  // namespace\n\n";
    out += "std::string_view BuiltinSchemeStream()\n{\n";
    out += "    return {reinterpret_cast<const char*>(kStream), sizeof kStream};\n}\n\n";
    out += "}  // namespace tarnwick\n";
    return out;
}

int Run(std::string_view mode, const std::filesystem::path& script,
        const std::filesystem::path& target)
{
    const std::string text = WithCrLfLineEnds(ReadWholeFile(script));
    const std::string stream = CompileToStream(script, text);
    if (mode == "embed") {
        WriteFileAtomically(target, CppSource(stream, script));
    } else {
        std::filesystem::create_directories(target);
        const std::string name = script.stem().string();
        WriteFileAtomically(target / (name + ".dat"), stream);
        WriteFileAtomically(target / (name + ".txt"), text);
    }
    return 0;
}

}  // namespace
}  // namespace tarnwick

int main(int argc, char** argv)
{
    const std::string_view mode = argc == 4 ? argv[1] : "";
    if (mode != "embed" && mode != "install") {
        std::cerr << "usage: tarnwick_scheme_gen embed SCRIPT OUT.cpp\n"
                     "       tarnwick_scheme_gen install SCRIPT FOLDER\n";
        return 2;
    }
    try {
        return tarnwick::Run(mode, argv[2], argv[3]);
    } catch (const std::exception& error) {
        std::cerr << argv[2] << ": " << error.what() << "\n";
        return 1;
    }
}
