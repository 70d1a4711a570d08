// TSYM_Compiler: construction, character access, position counting, the
// token reader and error reporting. The preprocessor is in
// sym_preprocessor.cpp, values and strings in sym_expressions.cpp.
#include "scheme/sym_compiler.h"

#include "scheme/builtin_identifiers.h"
#include "scheme/compiler_error.h"
#include "platform/string_table.h"
#include "resources/strings/string_ids.h"

namespace tarnwick {

TSYM_Compiler::TSYM_Compiler(std::string_view script, std::string scriptFolder)
    : folder_(std::move(scriptFolder))
{
    sources_.push_back(TSource{std::string(), std::string(script), 0, false});
    PreloadMacros(macros_);
    PreloadReservedWords(reserved_);
}

char TSYM_Compiler::Peek(size_t ahead) const
{
    const TSource& top = Top();
    return top.pos + ahead < top.text.size() ? top.text[top.pos + ahead] : '\0';
}

void TSYM_Compiler::Advance()
{
    if (AtSourceEnd())
        return;
    const char c = Top().text[Top().pos++];
    if (sources_.size() != 1)
        return;  // macro and include text keeps the position of its use
    if (c == '\r') {
        ++line_;
        column_ = 0;
    } else if (c != '\n') {
        ++column_;
    }
}

void TSYM_Compiler::Advance(size_t count)
{
    while (count-- > 0)
        Advance();
}

bool TSYM_Compiler::PopExhausted()
{
    while (sources_.size() > 1 && AtSourceEnd())
        sources_.pop_back();
    return AtSourceEnd();
}

bool TSYM_Compiler::Accept(int code)
{
    if (token_ != code)
        return false;
    Next();
    return true;
}

void TSYM_Compiler::Expect(int code, int messageId)
{
    if (token_ != code)
        Error(messageId);
    Next();
}

int TSYM_Compiler::Next()
{
    switch (NextRaw()) {
    case tkIdentifier:
        ErrorText(LoadStr(sidIdentifier) + " \"" + identifier_ + "\" " + LoadStr(sidUnknown));
    case tkUnknown:
        Error(sidUnknownCharacter, {int64_t(unknown_)});
    default:
        return token_;
    }
}

int TSYM_Compiler::NextRaw()
{
    for (;;) {
        SkipWhiteSpace();
        if (PopExhausted()) {
            token_ = tkEOF;
            return token_;
        }
        const std::string_view text = Top().text;
        size_t end = Top().pos;
        const int word = reserved_.Match(text, end);
        if (Skipping()) {
            // Skipped text is consumed a reserved word or a character at a time;
            // strings are not recognised there, comments and directives are.
            Advance(word >= 0 ? end - Top().pos : 1);
            continue;
        }
        if (word >= 0) {
            Advance(end - Top().pos);
            token_ = word;
            return token_;
        }
        const char c = Cur();
        if (c == '\'') {
            ReadString();
            token_ = tkString;
            return token_;
        }
        if (c >= '0' && c <= '9') {
            ReadNumber();
            token_ = tkNumber;
            return token_;
        }
        if (IsIdentStart(c)) {
            const size_t start = Top().pos;
            while (IsIdentChar(Cur()) && !AtSourceEnd())
                Advance();
            identifier_.assign(text.substr(start, Top().pos - start));
            if (const std::string* expansion = macros_.Text(identifier_)) {
                // The text is copied: a #define inside the expansion may
                // replace the macro while its text is still being read.
                PushSource(identifier_, *expansion, false);
                continue;
            }
            token_ = tkIdentifier;
            return token_;
        }
        unknown_ = uint8_t(c);
        Advance();
        token_ = tkUnknown;
        return token_;
    }
}

void TSYM_Compiler::ReadNumber()
{
    number_ = 0;
    while (!AtSourceEnd() && Cur() >= '0' && Cur() <= '9') {
        number_ = number_ * 10u + uint32_t(Cur() - '0');
        Advance();
    }
}

void TSYM_Compiler::ReadString()
{
    raw_.clear();
    Advance();  // the opening quote
    while (!AtSourceEnd()) {
        const char c = Cur();
        if (c == '\'') {
            Advance();
            return;
        }
        if (c != '\\') {
            raw_ += c;
            Advance();
            continue;
        }
        const char next = Peek(1);
        if (next == '\r' || next == '\n') {
            // Line continuation: the backslash, the line break and the white
            // space after it go, and so does a backslash that begins the
            // continued text (it lets that text start with a blank).
            Advance();
            while (!AtSourceEnd() && (Cur() == ' ' || Cur() == '\t' || Cur() == '\xA0' ||
                                      Cur() == '\r' || Cur() == '\n'))
                Advance();
            if (!AtSourceEnd() && Cur() == '\\')
                Advance();
            continue;
        }
        // A backslash keeps the next character with it, so \' does not end
        // the string; the escape is interpreted when the value is taken.
        raw_ += c;
        Advance();
        if (!AtSourceEnd()) {
            raw_ += Cur();
            Advance();
        }
    }
}

void TSYM_Compiler::Error(int messageId, std::initializer_list<TMessageArg> args) const
{
    ErrorText(CompilerMessage(messageId, args));
}

void TSYM_Compiler::ErrorText(const std::string& message) const
{
    throw ECompilerError(CompilerErrorText(line_ + 1, column_ + 1, message), line_ + 1,
                         column_ + 1, message);
}

}  // namespace tarnwick
