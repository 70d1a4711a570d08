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

// What a %%Language entry reads after its keyword.
struct TEntryTarget {
    TSM_Settings& Settings;
    TParserTables& Tables;
    TSYM_Compiler& Compiler;
};

// The gutter font with one property changed by `change`.
template <typename Change>
void ChangeGutterFont(TSM_Settings& settings, Change&& change)
{
    TSM_FontDesc font = settings.GutterFont;
    change(font);
    settings.SetGutterFont(font);
}

struct TLanguageEntry {
    int Token;
    const char* Name;  // the entry's name in the compile label
    void (*Read)(TEntryTarget& t);
};

const TLanguageEntry kEntries[] = {
    {tkName, "Name",
     [](TEntryTarget& t) {
         t.Settings.LanguageName = Cut(ReadAssignedString(t.Compiler), kMaxNameLength);
     }},
    {tkCase, "Case",
     [](TEntryTarget& t) { t.Tables.Words.CaseFlag = ReadAssignedExpression(t.Compiler) != 0 ? 1 : 0; }},
    {tkOptions, "Options",
     [](TEntryTarget& t) { t.Settings.Options = static_cast<uint32_t>(ReadAssignedExpression(t.Compiler)); }},
    {tkExampleText, "ExampleText",
     [](TEntryTarget& t) { t.Settings.ExampleText = ReadAssignedString(t.Compiler); }},
    {tkEditableStyles, "EditableStyles",
     [](TEntryTarget& t) { ReadEditableStyles(t.Settings, t.Compiler); }},
    {tkWordWrapColumn, "WordWrapColumn",
     [](TEntryTarget& t) { t.Settings.WrapAtColumn = ReadAssignedExpression(t.Compiler); }},
    {tkGutter, "Gutter", [](TEntryTarget& t) { t.Settings.Gutter = ReadAssignedExpression(t.Compiler); }},
    {tkAnchor, "Anchor",
     [](TEntryTarget& t) {
         t.Compiler.Expect(tkEquals, sidEqualsExpected);
         t.Tables.AnchorSet = t.Compiler.ReadValueOrSet();
         // The editor needs somewhere to restart tokenizing.
         if (t.Tables.AnchorSet.Empty())
             t.Tables.AnchorSet = TStateSet{0};
     }},
    {tkIndentStep, "IndentStep",
     [](TEntryTarget& t) {
         t.Compiler.Expect(tkEquals, sidEqualsExpected);
         t.Settings.IndentStep = t.Compiler.ReadExpression(0, 20);
     }},
    {tkWrapOverride, "WrapOverride",
     [](TEntryTarget& t) {
         t.Settings.WrapOverride = Cut(ReadAssignedString(t.Compiler), kMaxNameLength);
     }},
    {tkStartState, "StartState",
     [](TEntryTarget& t) {
         t.Compiler.Expect(tkEquals, sidEqualsExpected);
         bool wasSet = false;
         const TStateSet states = t.Compiler.ReadValueOrSet(&wasSet);
         if (wasSet)
             t.Tables.StartSet = states;
         else
             t.Tables.StartSet |= states;
     }},
    {tkSelTextColor, "SelTextColor",
     [](TEntryTarget& t) {
         t.Settings.SelTextColor = ReadAssignedColour(t.Compiler, t.Settings.SelTextColorDefault);
     }},
    {tkSelTextBack, "SelTextBack",
     [](TEntryTarget& t) {
         t.Settings.SelTextBack = ReadAssignedColour(t.Compiler, t.Settings.SelTextBackDefault);
     }},
    {tkGutterColor, "GutterColor",
     [](TEntryTarget& t) {
         t.Settings.GutterColor = ReadAssignedColour(t.Compiler, t.Settings.GutterColorDefault);
     }},
    {tkMarginColor, "MarginColor",
     [](TEntryTarget& t) {
         t.Settings.MarginColor = ReadAssignedColour(t.Compiler, t.Settings.MarginColorDefault);
     }},
    {tkRightMargin, "RightMargin",
     [](TEntryTarget& t) { t.Settings.RightMargin = ReadAssignedExpression(t.Compiler); }},
    {tkMarginWidth, "MarginWidth",
     [](TEntryTarget& t) { t.Settings.Margin = ReadAssignedExpression(t.Compiler); }},
    {tkFontName, "FontName",
     [](TEntryTarget& t) { t.Settings.Font.Name = ReadAssignedString(t.Compiler); }},
    {tkFontSize, "FontSize",
     [](TEntryTarget& t) { t.Settings.Font.Size = ReadAssignedExpression(t.Compiler); }},
    {tkFontCharset, "FontCharset",
     [](TEntryTarget& t) {
         t.Compiler.Expect(tkEquals, sidEqualsExpected);
         t.Settings.Font.CharSet = static_cast<uint8_t>(t.Compiler.ReadExpression(0, 255));
     }},
    {tkTabColumns, "TabColumns",
     [](TEntryTarget& t) {
         t.Compiler.Expect(tkEquals, sidEqualsExpected);
         if (!t.Compiler.At(tkString))
             t.Compiler.Error(sidStringExpected);
         const std::string text = t.Compiler.RawString();
         AtReadPosition(t.Compiler, [&] { t.Settings.SetTabColumnsText(text); });
         t.Compiler.Next();
     }},
    {tkTabDefault, "TabDefault",
     [](TEntryTarget& t) {
         const int32_t value = ReadAssignedExpression(t.Compiler);
         AtReadPosition(t.Compiler, [&] { t.Settings.SetTabDefault(value); });
     }},
    {tkContextStates, "ContextStates", [](TEntryTarget& t) { ReadContextStates(t.Tables, t.Compiler); }},
    {tkBoundStates, "BoundStates",
     [](TEntryTarget& t) {
         t.Compiler.Expect(tkEquals, sidEqualsExpected);
         t.Tables.BoundSet = t.Compiler.ReadValueOrSet();
     }},
    {tkGutterFontName, "GutterFontName",
     [](TEntryTarget& t) {
         const std::string name = ReadAssignedString(t.Compiler);
         ChangeGutterFont(t.Settings, [&](TSM_FontDesc& font) { font.Name = name; });
     }},
    {tkGutterFontSize, "GutterFontSize",
     [](TEntryTarget& t) {
         const int32_t size = ReadAssignedExpression(t.Compiler);
         ChangeGutterFont(t.Settings, [&](TSM_FontDesc& font) { font.Size = size; });
     }},
    {tkGutterFontColor, "GutterFontColor",
     [](TEntryTarget& t) {
         const auto colour = static_cast<TColor>(ReadAssignedExpression(t.Compiler));
         ChangeGutterFont(t.Settings, [&](TSM_FontDesc& font) { font.Color = colour; });
     }},
    {tkGutterFontStyle, "GutterFontStyle",
     [](TEntryTarget& t) {
         // Every other entry takes '=', so it is accepted here too.
         t.Compiler.Accept(tkEquals);
         const auto style = ReadFontStyleList(t.Compiler);
         ChangeGutterFont(t.Settings, [&](TSM_FontDesc& font) { font.Style = style; });
     }},
};

// Reads one entry; false when the current token begins none.
bool ReadEntry(TCodeMemoParser& parser, TSYM_Compiler& compiler)
{
    const int token = compiler.Token();
    for (const TLanguageEntry& entry : kEntries) {
        if (entry.Token != token)
            continue;
        parser.CompileLabel = std::string("%%Language - ") + entry.Name;
        compiler.Next();
        TEntryTarget target{parser.Settings(), parser.Tables(), compiler};
        entry.Read(target);
        return true;
    }
    return false;
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
