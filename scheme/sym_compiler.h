// TSYM_Compiler: the scheme script reader. One object serves one compilation:
// it holds the script text, reads it token by token through the preprocessor
// (macros, #define, #ifdef/#ifndef/#else/#endif, #include), counts lines and
// columns for error messages, and offers the section parsers the pieces they
// are built from: expressions, value lists, sets, strings with escapes and
// character specifiers.
//
// Reading model: there is always one current token (Token()); Next() replaces
// it with the following one. The helpers below start at the current token and
// leave the token after the construct they read as the current one.
//
// Every error raises ECompilerError with the text
// "** ERROR near line %d, Column %d: %s" (line and column counted from 1, of
// the read position where the error was found). The reader never loops or
// overflows: macro and include nesting, the total size of expanded text and
// the nesting of parentheses are all bounded, and every read is checked
// against the end of its input.
//
// Line and column follow the script given to the constructor. While text from
// a macro or an #include file is read they stay where the macro name or the
// #include directive ended, so a position always points into the script the
// user compiles.
#pragma once

#include <cstddef>  // before state_set.h, which uses size_t

#include "editor/core/state_set.h"
#include "scheme/char_spec.h"
#include "scheme/compiler_messages.h"
#include "scheme/sym_tokens.h"
#include "scheme/word_store.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class TSYM_Compiler {
public:
    // Bounds that keep hostile scripts from exhausting the machine.
    static constexpr size_t kMaxSourceDepth = 256;        // macros and includes open at once
    static constexpr size_t kMaxIncludeDepth = 32;        // #include files open at once
    static constexpr size_t kMaxExpandedBytes = 4 << 20;  // macro and include text, in all
    static constexpr int kMaxExpressionDepth = 256;       // nested parentheses

    // `script` is the whole script text. `scriptFolder` is the folder of the
    // script, where #include <name> looks (a stored Windows-style or a Linux
    // folder name; empty means the current folder). No token is read yet:
    // call Next() first.
    TSYM_Compiler(std::string_view script, std::string scriptFolder);

    // ---- Tokens -------------------------------------------------------------

    // Reads the next token and returns its code. An identifier that is no
    // reserved word and no macro raises 'Identifier "name" Unknown'; a
    // character that begins no token raises "Unknown character in input
    // stream: #$xx".
    int Next();
    // As Next(), but returns identifiers and unknown characters as tkIdentifier
    // and tkUnknown instead of raising.
    int NextRaw();

    int Token() const { return token_; }
    bool At(int code) const { return token_ == code; }
    // When the current token is `code`, reads the next one and returns true.
    bool Accept(int code);
    // The current token must be `code` (else raises message `messageId`); reads
    // the next one.
    void Expect(int code, int messageId);

    // The identifier's name as written (tkIdentifier).
    const std::string& Identifier() const { return identifier_; }
    // The number's value, taken modulo 2^32 (tkNumber).
    int32_t Number() const { return int32_t(number_); }
    // The character's code (tkUnknown).
    uint8_t UnknownChar() const { return unknown_; }
    // The string's raw text, backslashes as written; a line continuation is
    // already removed (tkString).
    const std::string& RawString() const { return raw_; }
    // The string's value with its escapes interpreted (tkString).
    std::string StringValue() const;

    // ---- Values -------------------------------------------------------------

    // expression = term { ('+' | '-' | 'or') term }, term = number | '(' expression ')',
    // in 32-bit integers with wrap-around. Raises "Expression expected".
    int32_t ReadExpression();
    // An expression that must lie in low..high ("Range error, value outwith
    // low .. high").
    int32_t ReadExpression(int32_t low, int32_t high);
    // One or more expressions separated by optional commas.
    std::vector<int32_t> ReadValueList();
    // '[' value-list ']' with every value 0..255; the current token must be
    // '['. Empty brackets give the empty set when `allowEmpty`, otherwise
    // "Expression expected". A missing ']' raises "']' expected".
    TStateSet ReadSet(bool allowEmpty = true);
    // A set, or one expression 0..255 standing for the set of that one value.
    // `wasSet` (when given) tells which of the two was read.
    TStateSet ReadValueOrSet(bool* wasSet = nullptr);
    // The current token must be a string ("String value expected"); returns
    // its raw text or its value and reads the next token.
    std::string ReadRawString();
    std::string ReadStringValue();

    // The items of a character-specifier text (raw string text). More than
    // `maxItems` raises `tooManyId`; errors inside the text are reported at
    // the current read position.
    std::vector<TCharClass> CharSpecItems(std::string_view raw, size_t maxItems, int tooManyId);
    // Exactly one item: none or more than one raises "Single character
    // specifier expected".
    TCharClass SingleCharSpec(std::string_view raw);

    // ---- Errors and position -----------------------------------------------

    [[noreturn]] void Error(int messageId, std::initializer_list<TMessageArg> args = {}) const;
    [[noreturn]] void ErrorText(const std::string& message) const;

    // The read position's line and column, counted from 0.
    int Line() const { return line_; }
    int Column() const { return column_; }

    // Preprocessor state, for tests and diagnostics.
    bool Skipping() const { return (flags_ & kSkipping) != 0; }
    size_t OpenConditionals() const { return conditionals_.size(); }
    size_t SourceDepth() const { return sources_.size(); }
    bool IsMacro(std::string_view name) const { return macros_.Exists(name); }
    const std::string* MacroText(std::string_view name) const { return macros_.Text(name); }

    // A string's value from its raw text: the escapes \b \e \n(13) \r(10) \s
    // \t (either case), \0..\7 octal and \x hexadecimal numbers, backslash +
    // other character = that character, a final lone backslash dropped.
    // Returns false when a number escape is above 255 (`value` is then
    // incomplete).
    static bool DecodeEscapes(std::string_view raw, std::string& value);

private:
    static constexpr uint8_t kReadingDirective = 0x01;
    static constexpr uint8_t kSkipping = 0x04;

    struct TSource {
        std::string name;  // lower case; empty for the script itself
        std::string text;
        size_t pos = 0;
        bool isFile = false;
    };

    // Character access in the innermost source. Cur() is 0 at its end, which
    // AtSourceEnd() tells apart from a zero byte in the text.
    TSource& Top() { return sources_.back(); }
    const TSource& Top() const { return sources_.back(); }
    bool AtSourceEnd() const { return Top().pos >= Top().text.size(); }
    char Cur() const { return AtSourceEnd() ? '\0' : Top().text[Top().pos]; }
    char Peek(size_t ahead) const;
    void Advance();
    void Advance(size_t count);
    // Pops exhausted macro and include sources; true when all input is read.
    bool PopExhausted();

    // sym_compiler.cpp: the tokens themselves.
    void ReadString();
    void ReadNumber();

    // sym_preprocessor.cpp
    void SkipWhiteSpace();
    bool TryDirective();
    void SkipHorizontalSpace();
    std::string ReadDirectiveName();
    void SkipRestOfLine();
    void DoDefine();
    void DoIfdef();
    void DoIfndef();
    void DoConditional(bool wantDefined);
    void DoElse();
    void DoEndif();
    void DoInclude();
    void PushSource(std::string name, std::string text, bool isFile);

    // sym_expressions.cpp
    uint32_t Expression(int depth);
    uint32_t Term(int depth);
    int32_t RangedValue(int32_t low, int32_t high);

    std::vector<TSource> sources_;
    std::string folder_;
    TWordStore macros_;
    TWordStore reserved_;
    std::vector<uint8_t> conditionals_;  // saved flag bytes
    uint8_t flags_ = 0;
    size_t expandedBytes_ = 0;
    int line_ = 0;
    int column_ = 0;

    int token_ = tkEOF;
    std::string identifier_;
    uint32_t number_ = 0;
    uint8_t unknown_ = 0;
    std::string raw_;
};

}  // namespace tarnwick
