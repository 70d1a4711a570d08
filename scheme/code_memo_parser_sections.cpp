// The scheme object's side of compiling: the table of section parsers, and
// the sinks of the table sections, which turn entries into table records
// (classes added to the class manager, duplicates and ambiguous start sets
// reported at the read position).
#include "resources/strings/string_ids.h"
#include "scheme/code_memo_parser.h"
#include "scheme/editor_sections.h"
#include "scheme/effects_sections.h"
#include "scheme/language_section.h"
#include "scheme/state_sections.h"
#include "scheme/sym_compiler.h"
#include "scheme/sym_tokens.h"
#include "scheme/token_sections.h"

#include <algorithm>
#include <string_view>

namespace tarnwick {

namespace {

TMatcher MakeMatcher(TParserTables& tables, const TMatcherSpec& parsed)
{
    TMatcher m;
    m.Repeat = parsed.repeat ? 1 : 0;
    m.Routine = parsed.routine ? 1 : 0;
    m.Custom = parsed.custom ? 1 : 0;
    m.Number = parsed.number;
    if (!parsed.routine)
        m.ClassIndex = tables.AddClass(parsed.chars);
    if (parsed.custom)
        tables.CustomParse = 1;
    return m;
}

TTerminator MakeTerminator(TParserTables& tables, const TTerminatorSpec& parsed)
{
    TTerminator t;
    t.Include = parsed.include ? 1 : 0;
    t.Routine = parsed.routine ? 1 : 0;
    t.Custom = parsed.custom ? 1 : 0;
    t.Number = parsed.number;
    if (parsed.custom)
        tables.CustomParse = 1;
    if (!parsed.routine) {
        // The reader allows at most four items; more never reach here.
        const size_t count = std::min<size_t>(parsed.chars.size(), TTerminator::kMaxClasses);
        t.Count = static_cast<uint8_t>(count);
        for (size_t i = 0; i < count; ++i)
            t.Classes[i] = tables.AddClass(parsed.chars[i]);
    }
    return t;
}

void CompileWords(TCodeMemoParser& parser, TSYM_Compiler& compiler)
{
    TParserTables& tables = parser.Tables();
    ReadWordsSection(compiler, [&](const TWordEntry& entry) {
        parser.CompileLabel = "%%Words - " + entry.word;
        const int follow = entry.hasFollow ? tables.AddClass(entry.follow) : kNoClass;
        try {
            tables.AddWord(entry.word, tables.Words.CaseSensitive(), entry.token, entry.states,
                           follow);
        } catch (const EKeywords& error) {
            if (std::string_view(error.what()).starts_with("Duplicate keyword"))
                compiler.Error(sidDuplicateWord);
            compiler.ErrorText(error.what());
        }
    });
}

void CompileHandlers(TCodeMemoParser& parser, TSYM_Compiler& compiler)
{
    TParserTables& tables = parser.Tables();
    ReadHandlersSection(compiler, [&](const THandlerEntry& entry) {
        parser.CompileLabel = "%%Handlers - " + std::to_string(entry.token);
        THandlerRecord handler;
        handler.Body = MakeMatcher(tables, entry.body);
        handler.Terminator = MakeTerminator(tables, entry.terminator);
        if (!tables.AddHandler(entry.token, handler))
            compiler.Error(sidDuplicateHandler);
    });
}

void CompileTokens(TCodeMemoParser& parser, TSYM_Compiler& compiler)
{
    TParserTables& tables = parser.Tables();
    ReadTokensSection(compiler, [&](const TTokenEntry& entry) {
        parser.CompileLabel = "%%Tokens - " + std::to_string(entry.token);
        TTokenRecord record;
        const int startClass = tables.AddClass(entry.start);
        record.Start.ClassIndex = startClass;
        if (entry.standardKind != 0) {
            // A standard kind reads the whole token with its routine, starting
            // from the first character.
            record.Start.Routine = 1;
            record.Start.Number = entry.body.number;
        }
        record.Valid = entry.states;
        record.Body = MakeMatcher(tables, entry.body);
        record.Terminator = MakeTerminator(tables, entry.terminator);
        record.Token = entry.token;
        if (!tables.AddTokenRecord(record, startClass, entry.inState))
            compiler.Error(sidAmbiguousStartSet);
    });
}

void ApplyStateChange(TCodeMemoParser& parser, const TStateChangeEntry& entry)
{
    TParserTables& tables = parser.Tables();
    tables.AddStateChange(entry.token, entry.added, entry.removed);
    if (entry.container)
        tables.SetContainer(entry.token);
    if (entry.flags != 0)
        tables.SetPushPop(entry.token, entry.flags);
    if (entry.clearsChanges) {
        TTokenStateRecord& record = tables.EnsureStateRecord(entry.token);
        record.Added = {};
        record.Removed = {};
        record.NoChange = 1;
    }
}

void CompileStates(TCodeMemoParser& parser, TSYM_Compiler& compiler)
{
    ReadStatesSection(compiler, [&](const TStateChangeEntry& entry) {
        parser.CompileLabel = "%%States - " + std::to_string(entry.token);
        ApplyStateChange(parser, entry);
    });
}

void CompileContainers(TCodeMemoParser& parser, TSYM_Compiler& compiler)
{
    ReadContainersSection(compiler, [&](const TStateChangeEntry& entry) {
        parser.CompileLabel = "%%Containers - " + std::to_string(entry.token);
        ApplyStateChange(parser, entry);
    });
}

}  // namespace

void TCodeMemoParser::InstallTableSections(TSectionTable& table)
{
    table[tkWordsSection] = CompileWords;
    table[tkHandlersSection] = CompileHandlers;
    table[tkTokensSection] = CompileTokens;
    table[tkStatesSection] = CompileStates;
    table[tkContainersSection] = CompileContainers;
    table[tkLanguageSection] = CompileLanguageSection;
    table[tkMapSection] = CompileMapSection;
    table[tkEffectsSection] = CompileEffectsSection;
    table[tkKwTablesSection] = CompileKwTablesSection;
    table[tkKeysSection] = CompileKeysSection;
    table[tkAutoReplaceSection] = CompileAutoReplaceSection;
    table[tkTemplatesSection] = CompileTemplatesSection;
}

}  // namespace tarnwick
