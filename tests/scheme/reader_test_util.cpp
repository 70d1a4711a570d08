// Token dumps for the reader tests and the golden files.
#include "reader_test_util.h"

#include "scheme/builtin_identifiers.h"

#include <cstdio>

namespace tarnwick::testing {

namespace {

std::string Hex(std::string_view bytes)
{
    std::string out;
    char buffer[4];
    for (unsigned char c : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02x", c);
        if (!out.empty())
            out += ' ';
        out += buffer;
    }
    return out;
}

}  // namespace

std::string DescribeToken(const TSYM_Compiler& reader)
{
    switch (reader.Token()) {
    case tkEOF: return "eof";
    case tkNumber: return "number " + std::to_string(reader.Number());
    case tkIdentifier: return "identifier " + reader.Identifier();
    case tkUnknown: return "unknown " + Hex(std::string(1, char(reader.UnknownChar())));
    case tkString: {
        std::string value;
        const bool ok = TSYM_Compiler::DecodeEscapes(reader.RawString(), value);
        return "string '" + reader.RawString() + "' = " + (ok ? Hex(value) : "range error");
    }
    default:
        for (const TReservedWord& word : ReservedWords()) {
            if (word.code == reader.Token())
                return std::string("word ") + word.word;
        }
        return "code " + std::to_string(reader.Token());
    }
}

std::string DumpTokens(std::string_view script, const std::string& folder, bool strict)
{
    TSYM_Compiler reader(script, folder);
    std::string out;
    try {
        for (;;) {
            if (strict)
                reader.Next();
            else
                reader.NextRaw();
            out += std::to_string(reader.Line() + 1) + ":" + std::to_string(reader.Column() + 1) +
                   " " + DescribeToken(reader) + "\n";
            if (reader.At(tkEOF))
                break;
        }
    } catch (const ECompilerError& e) {
        out += std::string("error: ") + e.what() + "\n";
    }
    return out;
}

std::string ReadError(std::string_view script, const std::string& folder)
{
    TSYM_Compiler reader(script, folder);
    try {
        while (reader.Next() != tkEOF) {
        }
    } catch (const ECompilerError& e) {
        return e.what();
    }
    return {};
}

}  // namespace tarnwick::testing
