// Reading helpers shared by the settings-side section parsers.
#include "scheme/section_support.h"

#include "resources/strings/string_ids.h"

#include <cctype>

namespace tarnwick {

namespace {
constexpr size_t kMaxShortString = 255;
constexpr const char* kStringTooLong = "String longer than 255 characters";
}  // namespace

std::string ReadShortString(TSYM_Compiler& compiler, bool raw)
{
    if (!compiler.At(tkString))
        compiler.Error(sidStringExpected);
    std::string text = raw ? compiler.RawString() : compiler.StringValue();
    if (text.size() > kMaxShortString)
        compiler.ErrorText(kStringTooLong);
    compiler.Next();
    return text;
}

uint8_t ReadFontStyleList(TSYM_Compiler& compiler)
{
    compiler.Expect(tkOpenBracket, sidOpenBracketExpected);
    uint8_t style = 0;
    if (compiler.Accept(tkCloseBracket))
        return style;
    for (;;) {
        if (!AtExpression(compiler))
            compiler.Error(sidBadFontStyle);
        uint32_t value = 0;
        try {
            value = static_cast<uint32_t>(compiler.ReadExpression());
        } catch (const ECompilerError&) {
            compiler.Error(sidBadFontStyle);
        }
        // Values above 7 name no style bit the stored byte can hold.
        if (value < 8)
            style = static_cast<uint8_t>(style | (1u << value));
        if (!compiler.Accept(tkComma))
            break;
    }
    compiler.Expect(tkCloseBracket, sidCloseBracketExpected);
    return style;
}

TShortCut ReadKeyCode(TSYM_Compiler& compiler)
{
    if (AtExpression(compiler))
        return static_cast<TShortCut>(compiler.ReadExpression(0, 255));
    if (compiler.At(tkString)) {
        const std::string text = compiler.StringValue();
        if (text.size() != 1)
            compiler.Error(sidSingleCharSpecExpected);
        compiler.Next();
        return static_cast<TShortCut>(std::toupper(static_cast<unsigned char>(text[0])));
    }
    compiler.Error(sidKeySpecRequired);
}

TShortCut ReadModifiedKey(TSYM_Compiler& compiler)
{
    TShortCut modifiers = 0;
    if (compiler.Accept(tkOpenBracket)) {
        for (;;) {
            if (compiler.Accept(tkShift))
                modifiers |= scShift;
            else if (compiler.Accept(tkCtrl))
                modifiers |= scCtrl;
            else if (compiler.Accept(tkAlt))
                modifiers |= scAlt;
            else if (!compiler.Accept(tkComma))
                break;
        }
        compiler.Expect(tkCloseBracket, sidCloseBracketExpected);
    }
    return static_cast<TShortCut>(ReadKeyCode(compiler) | modifiers);
}

}  // namespace tarnwick
