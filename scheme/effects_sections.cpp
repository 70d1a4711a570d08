// %%Map, %%Effects and %%KwTables section parsers.
#include "scheme/effects_sections.h"

#include "resources/strings/string_ids.h"
#include "scheme/code_memo_parser.h"
#include "scheme/section_support.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace tarnwick {

namespace {

bool IsHotSpotWord(const std::string& text)
{
    static constexpr std::string_view kWord = "hotspot";
    return text.size() == kWord.size() &&
           std::equal(text.begin(), text.end(), kWord.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

}  // namespace

void CompileMapSection(TCodeMemoParser& parser, TSYM_Compiler& compiler)
{
    TSM_Settings& settings = parser.Settings();
    compiler.Next();
    for (;;) {
        if (compiler.Accept(tkMapSection))
            continue;
        if (!AtExpression(compiler))
            return;
        const int32_t token = compiler.ReadExpression(0, 255);
        parser.CompileLabel = "%%Map - " + std::to_string(token);
        const int32_t effect = compiler.ReadExpression(0, 255);
        settings.EffectMap[static_cast<size_t>(token)] = static_cast<uint8_t>(effect);
    }
}

void CompileEffectsSection(TCodeMemoParser& parser, TSYM_Compiler& compiler)
{
    TSM_Settings& settings = parser.Settings();
    compiler.Next();
    for (;;) {
        if (compiler.Accept(tkEffectsSection))
            continue;
        if (!AtExpression(compiler))
            return;
        const int32_t number = compiler.ReadExpression(0, 255);
        parser.CompileLabel = "%%Effects - " + std::to_string(number);
        TSM_Effect effect;
        effect.Style = ReadFontStyleList(compiler);
        effect.Fore = static_cast<TColor>(compiler.ReadExpression());
        effect.ForeDefault = compiler.Accept(tkStar) ? 1 : 0;
        effect.Back = static_cast<TColor>(compiler.ReadExpression());
        effect.BackDefault = compiler.Accept(tkStar) ? 1 : 0;
        // Any other string is left for the caller, where it fails as a
        // syntax error.
        if (compiler.At(tkString) && IsHotSpotWord(compiler.StringValue())) {
            effect.HotSpot = 1;
            compiler.Next();
        }
        effect.Defined = true;
        TSM_Effect& slot = settings.Effects[static_cast<size_t>(number)];
        // Effect 0 is the default text style every scheme starts with, so a
        // script may define it again; any other effect only once.
        if (number != 0 && slot.Defined)
            compiler.Error(sidDuplicateEffect);
        slot = effect;
    }
}

void CompileKwTablesSection(TCodeMemoParser& parser, TSYM_Compiler& compiler)
{
    TSM_Settings& settings = parser.Settings();
    compiler.Next();
    for (;;) {
        if (compiler.Accept(tkKwTablesSection))
            continue;
        if (!compiler.Accept(tkForState))
            return;
        parser.CompileLabel = "%%KwTables - forstate";
        // The Windows version's messages: a missing '[' is reported as "']' expected".
        compiler.Expect(tkOpenBracket, sidCloseBracketExpected);
        TStateSet states;
        while (AtExpression(compiler)) {
            states.Include(compiler.ReadExpression(0, 255));
            compiler.Accept(tkComma);
        }
        compiler.Expect(tkCloseBracket, sidCloseBracketExpected);
        if (states.Empty())
            states = TStateSet{0};

        compiler.Expect(tkEndsWith, sidOpenBracketExpected);
        if (!compiler.At(tkString))
            compiler.Error(sidStringExpected);
        const std::string followText = compiler.RawString();
        if (!followText.empty())
            compiler.SingleCharSpec(followText);
        compiler.Next();

        compiler.Expect(tkOpenParen, sidOpenParenExpected);
        std::vector<TSM_KeywordWord> words;
        while (AtExpression(compiler)) {
            const int32_t token = compiler.ReadExpression(0, 255);
            if (!compiler.Accept(tkIs))
                compiler.Error(sidStringExpected);
            do {
                words.push_back({compiler.ReadRawString(), token});
            } while (compiler.Accept(tkComma));
        }
        compiler.Expect(tkCloseParen, sidCloseParenExpected);

        const int32_t caseFlag = parser.Tables().Words.CaseFlag;
        AtReadPosition(compiler, [&] {
            settings.AddKeywordTable(states, followText, caseFlag, std::move(words));
        });
    }
}

}  // namespace tarnwick
