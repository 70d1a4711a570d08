// %%Language section parser.
#include "scheme/language_section.h"

#include "resources/strings/string_ids.h"
#include "scheme/code_memo_parser.h"
#include "scheme/section_support.h"

#include <array>
#include <string>

namespace tarnwick {

namespace {

constexpr size_t kMaxNameLength = 35;

std::string Cut(std::string text, size_t length)
{
    if (text.size() > length)
        text.resize(length);
    return text;
}

// '=' then a string's value.
std::string ReadAssignedString(TSYM_Compiler& compiler)
{
    compiler.Expect(tkEquals, sidEqualsExpected);
    return compiler.ReadStringValue();
}

int32_t ReadAssignedExpression(TSYM_Compiler& compiler)
{
    compiler.Expect(tkEquals, sidEqualsExpected);
    return compiler.ReadExpression();
}

// '=' [ '[' '*' ']' ] expr: a colour and its default flag.
TColor ReadAssignedColour(TSYM_Compiler& compiler, uint8_t& defaultFlag)
{
    compiler.Expect(tkEquals, sidEqualsExpected);
    defaultFlag = 0;
    if (compiler.Accept(tkOpenBracket)) {
        compiler.Expect(tkStar, sidScriptSyntaxError);
        compiler.Expect(tkCloseBracket, sidCloseBracketExpected);
        defaultFlag = 1;
    }
    return static_cast<TColor>(compiler.ReadExpression());
}

void ReadEditableStyles(TSM_Settings& settings, TSYM_Compiler& compiler)
{
    compiler.Expect(tkOpenParen, sidOpenParenExpected);
    for (;;) {
        std::string name = compiler.ReadStringValue();
        compiler.Expect(tkComma, sidCommaExpected);
        const int32_t value = compiler.ReadExpression();
        if (value < 0 || value > 255)
            compiler.Error(sidValueMustBeByte);
        compiler.Expect(tkCloseParen, sidCloseParenExpected);
        if (!settings.AddEditableStyle(name, static_cast<uint8_t>(value)))
            compiler.Error(sidTooManyEditableStyles);
        // The comma between groups is optional; after a comma another group
        // must follow, without one the entry ends at any token but '('.
        if (compiler.Accept(tkComma)) {
            compiler.Expect(tkOpenParen, sidOpenParenExpected);
            continue;
        }
        if (!compiler.Accept(tkOpenParen))
            return;
    }
}

// contextstates = ( value-list [ set ] ) { [','] ( value-list [ set ] ) }
void ReadContextStates(TParserTables& tables, TSYM_Compiler& compiler)
{
    compiler.Expect(tkEquals, sidEqualsExpected);
    compiler.Expect(tkOpenParen, sidOpenParenExpected);
    // A value given twice within one entry is an error; a later entry
    // simply replaces what an earlier one set, as every %%Language entry does.
    std::array<bool, 256> given{};
    for (;;) {
        std::vector<int> values;
        do {
            values.push_back(compiler.ReadExpression(0, 255));
            compiler.Accept(tkComma);
        } while (AtExpression(compiler));
        TStateSet states;
        if (compiler.At(tkOpenBracket))
            states = compiler.ReadSet();
        for (int value : values) {
            if (given[static_cast<size_t>(value)])
                compiler.Error(sidContextRespecified, {int64_t{value}});
            given[static_cast<size_t>(value)] = true;
            tables.ContextSets[static_cast<size_t>(value)] = states;
        }
        compiler.Expect(tkCloseParen, sidCloseParenExpected);
        if (compiler.Accept(tkComma)) {
            compiler.Expect(tkOpenParen, sidOpenParenExpected);
            continue;
        }
        if (!compiler.Accept(tkOpenParen))
            break;
    }
    for (TStateSet& states : tables.ContextSets) {
        if (states.Empty())
            states = tables.StartSet;
    }
}

// Reads one entry; false when the current token begins none.
bool ReadEntry(TCodeMemoParser& parser, TSYM_Compiler& compiler)
{
    TSM_Settings& settings = parser.Settings();
    TParserTables& tables = parser.Tables();
    const auto label = [&](const char* entry) {
        parser.CompileLabel = std::string("%%Language - ") + entry;
    };
    const int token = compiler.Token();
    switch (token) {
    case tkName:
        label("Name");
        compiler.Next();
        settings.LanguageName = Cut(ReadAssignedString(compiler), kMaxNameLength);
        return true;
    case tkCase:
        label("Case");
        compiler.Next();
        tables.Words.CaseFlag = ReadAssignedExpression(compiler) != 0 ? 1 : 0;
        return true;
    case tkOptions:
        label("Options");
        compiler.Next();
        settings.Options = static_cast<uint32_t>(ReadAssignedExpression(compiler));
        return true;
    case tkExampleText:
        label("ExampleText");
        compiler.Next();
        settings.ExampleText = ReadAssignedString(compiler);
        return true;
    case tkEditableStyles:
        label("EditableStyles");
        compiler.Next();
        ReadEditableStyles(settings, compiler);
        return true;
    case tkWordWrapColumn:
        label("WordWrapColumn");
        compiler.Next();
        settings.WrapAtColumn = ReadAssignedExpression(compiler);
        return true;
    case tkGutter:
        label("Gutter");
        compiler.Next();
        settings.Gutter = ReadAssignedExpression(compiler);
        return true;
    case tkAnchor: {
        label("Anchor");
        compiler.Next();
        compiler.Expect(tkEquals, sidEqualsExpected);
        tables.AnchorSet = compiler.ReadValueOrSet();
        // The editor needs somewhere to restart tokenizing.
        if (tables.AnchorSet.Empty())
            tables.AnchorSet = TStateSet{0};
        return true;
    }
    case tkIndentStep:
        label("IndentStep");
        compiler.Next();
        compiler.Expect(tkEquals, sidEqualsExpected);
        settings.IndentStep = compiler.ReadExpression(0, 20);
        return true;
    case tkWrapOverride:
        label("WrapOverride");
        compiler.Next();
        settings.WrapOverride = Cut(ReadAssignedString(compiler), kMaxNameLength);
        return true;
    case tkStartState: {
        label("StartState");
        compiler.Next();
        compiler.Expect(tkEquals, sidEqualsExpected);
        bool wasSet = false;
        const TStateSet states = compiler.ReadValueOrSet(&wasSet);
        if (wasSet)
            tables.StartSet = states;
        else
            tables.StartSet |= states;
        return true;
    }
    case tkSelTextColor:
        label("SelTextColor");
        compiler.Next();
        settings.SelTextColor = ReadAssignedColour(compiler, settings.SelTextColorDefault);
        return true;
    case tkSelTextBack:
        label("SelTextBack");
        compiler.Next();
        settings.SelTextBack = ReadAssignedColour(compiler, settings.SelTextBackDefault);
        return true;
    case tkGutterColor:
        label("GutterColor");
        compiler.Next();
        settings.GutterColor = ReadAssignedColour(compiler, settings.GutterColorDefault);
        return true;
    case tkMarginColor:
        label("MarginColor");
        compiler.Next();
        settings.MarginColor = ReadAssignedColour(compiler, settings.MarginColorDefault);
        return true;
    case tkRightMargin:
        label("RightMargin");
        compiler.Next();
        settings.RightMargin = ReadAssignedExpression(compiler);
        return true;
    case tkMarginWidth:
        label("MarginWidth");
        compiler.Next();
        settings.Margin = ReadAssignedExpression(compiler);
        return true;
    case tkFontName:
        label("FontName");
        compiler.Next();
        settings.Font.Name = ReadAssignedString(compiler);
        return true;
    case tkFontSize:
        label("FontSize");
        compiler.Next();
        settings.Font.Size = ReadAssignedExpression(compiler);
        return true;
    case tkFontCharset:
        label("FontCharset");
        compiler.Next();
        compiler.Expect(tkEquals, sidEqualsExpected);
        settings.Font.CharSet = static_cast<uint8_t>(compiler.ReadExpression(0, 255));
        return true;
    case tkTabColumns: {
        label("TabColumns");
        compiler.Next();
        compiler.Expect(tkEquals, sidEqualsExpected);
        if (!compiler.At(tkString))
            compiler.Error(sidStringExpected);
        const std::string text = compiler.RawString();
        AtReadPosition(compiler, [&] { settings.SetTabColumnsText(text); });
        compiler.Next();
        return true;
    }
    case tkTabDefault: {
        label("TabDefault");
        compiler.Next();
        const int32_t value = ReadAssignedExpression(compiler);
        AtReadPosition(compiler, [&] { settings.SetTabDefault(value); });
        return true;
    }
    case tkContextStates:
        label("ContextStates");
        compiler.Next();
        ReadContextStates(tables, compiler);
        return true;
    case tkBoundStates:
        label("BoundStates");
        compiler.Next();
        compiler.Expect(tkEquals, sidEqualsExpected);
        tables.BoundSet = compiler.ReadValueOrSet();
        return true;
    case tkGutterFontName: {
        label("GutterFontName");
        compiler.Next();
        TSM_FontDesc font = settings.GutterFont;
        font.Name = ReadAssignedString(compiler);
        settings.SetGutterFont(font);
        return true;
    }
    case tkGutterFontSize: {
        label("GutterFontSize");
        compiler.Next();
        TSM_FontDesc font = settings.GutterFont;
        font.Size = ReadAssignedExpression(compiler);
        settings.SetGutterFont(font);
        return true;
    }
    case tkGutterFontColor: {
        label("GutterFontColor");
        compiler.Next();
        TSM_FontDesc font = settings.GutterFont;
        font.Color = static_cast<TColor>(ReadAssignedExpression(compiler));
        settings.SetGutterFont(font);
        return true;
    }
    case tkGutterFontStyle: {
        label("GutterFontStyle");
        compiler.Next();
        // Every other entry takes '=', so it is accepted here too.
        compiler.Accept(tkEquals);
        TSM_FontDesc font = settings.GutterFont;
        font.Style = ReadFontStyleList(compiler);
        settings.SetGutterFont(font);
        return true;
    }
    default:
        return false;
    }
}

}  // namespace

void CompileLanguageSection(TCodeMemoParser& parser, TSYM_Compiler& compiler)
{
    compiler.Next();
    for (;;) {
        if (compiler.Accept(tkLanguageSection))
            continue;
        if (!ReadEntry(parser, compiler))
            return;
    }
}

}  // namespace tarnwick
