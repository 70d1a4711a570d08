// TCodeMemoParser: the scheme object. It holds one compiled highlighting
// scheme — its settings object (colours, options, keys, templates...) and
// its tables (TParserTables) — and is shared by any number of editors. It
// compiles a scheme script, and saves and loads the compiled scheme as a
// compact binary stream: the ".dat" files beside the scripts and the
// `Parser` property of a form.
//
// Compiled scheme (the outer stream), little-endian:
//   0  2  version word, 51 when written
//   2  4  payload length before compression (not used when reading)
//   6  ..  the payload (parser_stream.h) compressed with the block method
//          (compressor.h)
// Loading accepts versions 50 (no gutter font in the settings block) and
// above. An older version shows the information message
//   "<name>: DFM file saved by different version of TCodeMemoParser.\n\r
//    Recompile script to update DFM file.\n\r
//    Expected version was 51 read version was <v>"
// through OnInformation and leaves the scheme empty.
//
// Errors: loading and saving wrap any fault as a plain Exception
// "<name>: <message>"; a failed load leaves the empty scheme (never a half
// loaded one). Compile errors are ECompilerError, left unwrapped, and the
// scheme keeps what was filled before the error.
#pragma once

#include "editor/core/code_memo_parser_base.h"
#include "editor/core/custom_ed_stream.h"
#include "editor/core/sm_base.h"
#include "scheme/parser_tables.h"
#include "scheme/tokenizer.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class TCodeMemoParser;
class TSYM_Compiler;

// The host's matcher for `match(n)` parts: ParseID = n, IStream the
// character stream, kLength the running length and kValue the running token
// value, both of which it may change. Returns true when it matched.
using TCustomParseEvent = std::function<bool(TCodeMemoParser& Sender, int ParseID,
                                             TCustomEdStream& IStream, int& kLength,
                                             int& kValue)>;

// A section parser: called with the section word as the current token; reads
// the section's entries into the scheme and returns at the first token that
// cannot continue the section.
using TSectionParser = void (*)(TCodeMemoParser& parser, TSYM_Compiler& compiler);
// Section parsers by section-word token code.
using TSectionTable = std::array<TSectionParser, 128>;

class TCodeMemoParser : public TCustomCodeMemoParser {
public:
    static constexpr uint16_t kStreamVersion = 51;
    static constexpr uint16_t kOldestReadableVersion = 50;

    TCodeMemoParser();
    ~TCodeMemoParser() override;

    static const char* ClassName() { return "TCodeMemoParser"; }

    // ---- published properties ----
    std::string Script;             // path of the scheme script
    std::string Compile;            // kept with the form; no run-time effect
    bool UseRegistry = false;
    std::string RegistryKey;
    bool AutoScriptUpdate = false;  // compile Script again when the form loads
    TCustomParseEvent OnCustomParse;
    // True while the object is being designed: custom parsing answers false.
    bool Designing = false;

    // ---- host hooks ----
    // Shows an information message (the old-version notice); unassigned, the
    // message is dropped.
    std::function<void(const std::string& text)> OnInformation;
    // Edit properties without OnModifyProperties: shows the editor options
    // dialog for this scheme and answers whether the user confirmed.
    std::function<bool(TCodeMemoParser& scheme)> OnShowOptionsDialog;
    // Saves the settings under RegistryKey; SaveSettingsToRegistry
    // (scheme/scheme_registry.h) unless the host puts another in.
    std::function<void(TCodeMemoParser& scheme)> OnSaveToRegistry;

    // ---- the scheme ----
    // Back to the empty scheme: empty tables (start and anchor set {0}, bound
    // set empty, empty context sets), settings reset, tokenizer reset.
    void Reset();

    TParserTables& Tables() { return *tables_; }
    const TParserTables& Tables() const { return *tables_; }

    // ---- compiling ----
    // Compiles a script text. `scriptFolder` is where #include <...> looks.
    // Raises ECompilerError; whatever happens, LastLine/LastColumn keep the
    // reader's final position (0-based). Every section word must have a
    // registered section parser; an unregistered one raises "Not
    // implemented yet", any other top-level token "Script syntax error".
    void CompileText(std::string_view script, std::string scriptFolder = {});
    void CompileFromStream(std::istream& script, std::string scriptFolder = {});
    // Compiles the file named by Script (a stored name, resolved on disk)
    // when it exists (false when it does not), then re-applies the scheme to
    // the attached editors.
    bool CompileScriptFile();

    // The construct being compiled ("Header", "%%Language - Name", ...); not
    // part of the error text.
    std::string CompileLabel;
    int LastLine = 0;
    int LastColumn = 0;

    // Section parsers by section-word token code (tk...Section); shared by
    // all scheme objects. Registering again replaces the parser.
    static void RegisterSection(int token, TSectionParser parser);
    static TSectionParser SectionFor(int token);

    // ---- streaming ----
    void SaveToStream(std::ostream& out) const;
    std::string SaveToBytes() const;
    void SaveToFile(const std::filesystem::path& path) const;
    // Returns false (scheme empty, message shown) for a version below 50.
    bool LoadFromStream(std::istream& in);
    bool LoadFromBytes(std::string_view bytes);
    bool LoadFromFile(const std::filesystem::path& path);

    // Copies another scheme object through a memory stream. Anything that is
    // not a TCodeMemoParser raises EConvertError "Cannot assign a %s to %s".
    void Assign(const TCustomCodeMemoParser& source);
    void Assign(const TSM_Base& source);

    // OnModifyProperties when assigned; otherwise the options dialog, and
    // on confirmation re-apply and (UseRegistry with a key) registry save.
    void EditProperties();

    // ---- tokenizer (TCustomCodeMemoParser) ----
    const TStateSet& AnchorSet() const override { return tables_->AnchorSet; }
    void ResetTokenizer(int contextValue) override;
    int ReadToken(TCodeMemoClient* editor, TCustomEdStream& stream, int& length) override;
    bool InContainer() const override { return tokenizer_.InContainer(); }
    bool Busy() const override { return tokenizer_.Busy(); }
    bool Bound() const override { return tokenizer_.Bound(*tables_); }

    // Raises OnCustomParse for `match(parseId)`; false when no handler is
    // assigned or the object is being designed.
    bool CustomParse(int parseId, TCustomEdStream& stream, int& length, int& value);

    // The tokenizer's current state set and stack depth (tests, diagnostics).
    const TStateSet& CurrentStates() const { return tokenizer_.Current(); }
    size_t StackDepth() const { return tokenizer_.StackDepth(); }
    const TTokenizer& Tokenizer() const { return tokenizer_; }

private:
    // Puts the parsers of the table sections (%%Words, %%Handlers, %%Tokens,
    // %%States, %%Containers) into `table` (code_memo_parser_sections.cpp).
    static void InstallTableSections(TSectionTable& table);
    static TSectionTable& Sections();

    void ResetTokenizerState();
    [[noreturn]] void RaiseWrapped(const std::exception& error) const;

    std::unique_ptr<TParserTables> tables_;

    // Tokenizer state; persists between ReadToken calls until reset.
    TTokenizer tokenizer_{*this};
};

}  // namespace tarnwick
