// The scheme object: reset, compile entry, save, load and assign.
#include "scheme/code_memo_parser.h"

#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/string_table.h"
#include "resources/strings/string_ids.h"
#include "scheme/compiler_messages.h"
#include "scheme/compressor.h"
#include "scheme/parser_stream.h"
#include "scheme/scheme_registry.h"
#include "scheme/sym_compiler.h"
#include "scheme/sym_tokens.h"

#include <array>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>

namespace tarnwick {

namespace {

bool IsSectionWord(int token)
{
    switch (token) {
    case tkLanguageSection:
    case tkWordsSection:
    case tkHandlersSection:
    case tkTokensSection:
    case tkMapSection:
    case tkEffectsSection:
    case tkStatesSection:
    case tkContainersSection:
    case tkKeysSection:
    case tkAutoReplaceSection:
    case tkTemplatesSection:
    case tkKwTablesSection:
        return true;
    default:
        return false;
    }
}

// The settings object's stream version while the scheme reads or writes it;
// back to "no version" afterwards, whatever happens.
class TStreamVersionScope {
public:
    TStreamVersionScope(TSM_Settings& settings, int version) : settings_(settings)
    {
        settings_.StreamVersion = version;
    }
    ~TStreamVersionScope() { settings_.StreamVersion = kNoStreamVersion; }
    TStreamVersionScope(const TStreamVersionScope&) = delete;
    TStreamVersionScope& operator=(const TStreamVersionScope&) = delete;

private:
    TSM_Settings& settings_;
};

void ReadExactly(std::istream& in, char* buffer, std::streamsize count)
{
    in.read(buffer, count);
    if (in.gcount() != count)
        throw EReadError();
}

}  // namespace

TCodeMemoParser::TCodeMemoParser() : tables_(std::make_unique<TParserTables>())
{
    CompileLabel = LoadStr(sidHeaderLabel);
    OnSaveToRegistry = SaveSettingsToRegistry;
}

TCodeMemoParser::~TCodeMemoParser()
{
    // The editors may still look at the scheme's settings while they let go.
    NotifyDestroyed();
}

void TCodeMemoParser::Reset()
{
    tables_ = std::make_unique<TParserTables>();
    Settings().Reset();
    ResetTokenizerState();
}

// ---- compiling ---------------------------------------------------------------

TSectionTable& TCodeMemoParser::Sections()
{
    static TSectionTable table = [] {
        TSectionTable t{};
        InstallTableSections(t);
        return t;
    }();
    return table;
}

void TCodeMemoParser::RegisterSection(int token, TSectionParser parser)
{
    if (token >= 0 && token < static_cast<int>(Sections().size()))
        Sections()[static_cast<size_t>(token)] = parser;
}

TSectionParser TCodeMemoParser::SectionFor(int token)
{
    if (token < 0 || token >= static_cast<int>(Sections().size()))
        return nullptr;
    return Sections()[static_cast<size_t>(token)];
}

void TCodeMemoParser::CompileText(std::string_view script, std::string scriptFolder)
{
    Reset();
    CompileLabel = LoadStr(sidHeaderLabel);
    TSYM_Compiler compiler(script, std::move(scriptFolder));
    try {
        compiler.Next();
        while (!compiler.At(tkEOF)) {
            const int token = compiler.Token();
            if (!IsSectionWord(token))
                compiler.Error(sidScriptSyntaxError);
            const TSectionParser parser = SectionFor(token);
            if (parser == nullptr)
                compiler.Error(sidNotImplemented);
            parser(*this, compiler);
        }
    } catch (...) {
        LastLine = compiler.Line();
        LastColumn = compiler.Column();
        ResetTokenizerState();
        throw;
    }
    LastLine = compiler.Line();
    LastColumn = compiler.Column();
    tables_->FinishCompile();
    ResetTokenizerState();
}

void TCodeMemoParser::CompileFromStream(std::istream& script, std::string scriptFolder)
{
    std::ostringstream text;
    text << script.rdbuf();
    CompileText(text.str(), std::move(scriptFolder));
}

bool TCodeMemoParser::CompileScriptFile()
{
    if (Script.empty())
        return false;
    // Script is a stored (Windows-style) name.
    const std::filesystem::path path = ResolveFileName(Script);
    if (!FileExists(path))
        return false;
    CompileText(ReadWholeFile(path), path.parent_path().string());
    ReapplyToEditors();
    return true;
}

// ---- streaming ---------------------------------------------------------------

void TCodeMemoParser::RaiseWrapped(const std::exception& error) const
{
    throw Exception(Name + ": " + error.what());
}

void TCodeMemoParser::SaveToStream(std::ostream& out) const
{
    const std::string bytes = SaveToBytes();
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw Exception(Name + ": Stream write error");
}

std::string TCodeMemoParser::SaveToBytes() const
{
    try {
        std::string payload;
        TSMStreamWriter payloadWriter(payload);
        // The settings block is written in the format of version 51 (with
        // the gutter font), whatever the object's own stream version is.
        WriteSchemePayload(Settings(), *tables_, payloadWriter, kStreamVersion);
        std::string bytes;
        TSMStreamWriter writer(bytes);
        writer.U16(kStreamVersion);
        writer.I32(static_cast<int32_t>(payload.size()));
        writer.Bytes(TCompressor::CompressBytes(payload, cmBlock));
        return bytes;
    } catch (const std::exception& error) {
        RaiseWrapped(error);
    }
}

void TCodeMemoParser::SaveToFile(const std::filesystem::path& path) const
{
    WriteFileAtomically(path, SaveToBytes());
}

bool TCodeMemoParser::LoadFromStream(std::istream& in)
{
    Reset();
    try {
        std::array<char, 4> field{};
        ReadExactly(in, field.data(), 2);
        const int version = static_cast<uint8_t>(field[0]) | (static_cast<uint8_t>(field[1]) << 8);
        if (version < kOldestReadableVersion) {
            if (OnInformation) {
                OnInformation(FormatTemplate(
                    "%s: DFM file saved by different version of TCodeMemoParser.\n\r"
                    "Recompile script to update DFM file.\n\r"
                    "Expected version was %d read version was %d",
                    {Name, int64_t{kStreamVersion}, int64_t{version}}));
            }
            return false;
        }
        ReadExactly(in, field.data(), 4);  // payload length; the compressed header has it too

        std::ostringstream payload;
        TCompressor compressor;
        compressor.SetStreamMode(true);
        compressor.SetInputStream(&in);
        compressor.SetOutputStream(&payload);
        compressor.Decompress();

        const std::string bytes = std::move(payload).str();
        TSMStreamReader reader(bytes);
        TStreamVersionScope scope(Settings(), version);
        ReadSchemePayload(Settings(), *tables_, reader, version);
    } catch (const std::exception& error) {
        Reset();
        RaiseWrapped(error);
    }
    ResetTokenizerState();
    return true;
}

bool TCodeMemoParser::LoadFromBytes(std::string_view bytes)
{
    std::istringstream in{std::string(bytes)};
    return LoadFromStream(in);
}

bool TCodeMemoParser::LoadFromFile(const std::filesystem::path& path)
{
    return LoadFromBytes(ReadWholeFile(path));
}

void TCodeMemoParser::Assign(const TCustomCodeMemoParser& source)
{
    const auto* scheme = dynamic_cast<const TCodeMemoParser*>(&source);
    if (scheme == nullptr)
        throw EConvertError(std::string("Cannot assign a TCustomCodeMemoParser to ") + ClassName());
    if (scheme == this)
        return;
    LoadFromBytes(scheme->SaveToBytes());
}

void TCodeMemoParser::Assign(const TSM_Base& source)
{
    throw EConvertError(std::string("Cannot assign a ") + source.ClassName() + " to " +
                        ClassName());
}

void TCodeMemoParser::EditProperties()
{
    if (OnModifyProperties) {
        OnModifyProperties(*this);
        return;
    }
    if (!OnShowOptionsDialog || !OnShowOptionsDialog(*this))
        return;
    ReapplyToEditors();
    if (UseRegistry && !RegistryKey.empty() && OnSaveToRegistry)
        OnSaveToRegistry(*this);
}

// ---- tokenizer (scheme/tokenizer.cpp holds the tokenizer itself) -------------

void TCodeMemoParser::ResetTokenizerState() { tokenizer_.Reset(-1); }

void TCodeMemoParser::ResetTokenizer(int contextValue) { tokenizer_.Reset(contextValue); }

bool TCodeMemoParser::CustomParse(int parseId, TCustomEdStream& stream, int& length, int& value)
{
    if (!OnCustomParse || Designing)
        return false;
    return OnCustomParse(*this, parseId, stream, length, value);
}

int TCodeMemoParser::ReadToken(TCodeMemoClient* editor, TCustomEdStream& stream, int& length)
{
    if (editor != nullptr)
        AttachEditor(editor);
    return tokenizer_.ReadToken(stream, length);
}

}  // namespace tarnwick
