// %%Keys, %%AutoReplace and %%Templates section parsers.
#include "scheme/editor_sections.h"

#include "resources/strings/string_ids.h"
#include "scheme/code_memo_parser.h"
#include "scheme/section_support.h"

#include <string>

namespace tarnwick {

namespace {

constexpr const char* kUnnamedHotkey = "Template hotkey must be a key with a name";

// binding = [ modifiers ] key [ , key ]; added for `code` at once, so a
// collision is reported at the binding.
void ReadBinding(TKeyboardActionContoller& keys, TSYM_Compiler& compiler, int code)
{
    const TShortCut first = ReadModifiedKey(compiler);
    TShortCut second = 0;
    if (compiler.Accept(tkComma))
        second = ReadKeyCode(compiler);
    AtReadPosition(compiler, [&] { keys.AddBinding(first, second, code); });
}

}  // namespace

void CompileKeysSection(TCodeMemoParser& parser, TSYM_Compiler& compiler)
{
    TKeyboardActionContoller& keys = parser.Settings().Keys();
    keys.Clear();
    compiler.Next();
    for (;;) {
        // A repeated section word starts the section afresh, so that a later
        // %%Keys section always replaces an earlier one.
        if (compiler.Accept(tkKeysSection)) {
            keys.Clear();
            continue;
        }
        if (!AtExpression(compiler))
            return;
        const int32_t code = compiler.ReadExpression();
        parser.CompileLabel = "%%Keys - " + std::to_string(code);
        if (compiler.Accept(tkOpenParen)) {
            do {
                ReadBinding(keys, compiler, code);
            } while (compiler.Accept(tkBar));
            compiler.Expect(tkCloseParen, sidCloseParenExpected);
        }
        if (compiler.At(tkString)) {
            if (compiler.StringValue().empty())
                compiler.Error(sidKeyFunctionBlank);
            keys.SetDescription(code, ReadShortString(compiler));
        }
    }
}

void CompileAutoReplaceSection(TCodeMemoParser& parser, TSYM_Compiler& compiler)
{
    TAutoReplace& list = parser.Settings().AutoReplace();
    list.Clear();
    compiler.Next();
    for (;;) {
        if (compiler.Accept(tkAutoReplaceSection)) {
            list.Clear();
            continue;
        }
        if (compiler.Accept(tkActionKeys)) {
            parser.CompileLabel = "%%AutoReplace - actionkeys";
            compiler.Expect(tkEquals, sidEqualsExpected);
            const std::string delimiters = ReadShortString(compiler, true);
            AtReadPosition(compiler, [&] { list.SetDelimiters(delimiters); });
            continue;
        }
        if (!compiler.At(tkString))
            return;
        const std::string word = ReadShortString(compiler);
        parser.CompileLabel = "%%AutoReplace - " + word;
        compiler.Expect(tkEquals, sidEqualsExpected);
        const std::string replacement = compiler.ReadStringValue();
        list.AddEntry(word, replacement);
    }
}

void CompileTemplatesSection(TCodeMemoParser& parser, TSYM_Compiler& compiler)
{
    TCodeTemplates& templates = parser.Settings().Templates();
    templates.Reset();
    compiler.Next();
    for (;;) {
        if (compiler.Accept(tkTemplatesSection)) {
            templates.Reset();
            continue;
        }
        if (compiler.Accept(tkHotKey)) {
            parser.CompileLabel = "%%Templates - hotkey";
            compiler.Expect(tkEquals, sidEqualsExpected);
            compiler.Expect(tkOpenParen, sidOpenParenExpected);
            const TShortCut key = ReadModifiedKey(compiler);
            // The compiled scheme keeps the hotkey as its display text, so
            // a key without a name would be lost there; 0 alone means none.
            if (key != 0 && ShortCutToText(key).empty())
                compiler.ErrorText(kUnnamedHotkey);
            compiler.Expect(tkCloseParen, sidCloseParenExpected);
            templates.Trigger = key;
            continue;
        }
        if (!compiler.At(tkString))
            return;
        const std::string name = ReadShortString(compiler);
        parser.CompileLabel = "%%Templates - " + name;
        std::string description;
        if (compiler.Accept(tkOpenParen)) {
            description = ReadShortString(compiler);
            compiler.Expect(tkCloseParen, sidCloseParenExpected);
        }
        compiler.Expect(tkEquals, sidEqualsExpected);
        const std::string text = compiler.ReadStringValue();
        templates.AddTemplate(name, description, text);
    }
}

}  // namespace tarnwick
