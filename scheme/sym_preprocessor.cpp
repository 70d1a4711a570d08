// TSYM_Compiler's preprocessor: white space and comments, directives, macro
// and include sources. It runs inside the white-space skipper, so directives
// are recognised wherever white space may stand.
#include "scheme/sym_compiler.h"

#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "resources/strings/string_ids.h"

namespace tarnwick {

namespace {

// Texts of the limits this reader adds to the language; the string table has
// no numbers for them.
constexpr const char* kIncludeTooDeep = "#include files nested too deeply";
constexpr const char* kExpansionTooDeep = "Macro expansion nested too deeply";
constexpr const char* kExpansionTooLong = "Macro expansion too long";
constexpr const char* kElseWithoutIf = "#else without #ifdef or #ifndef";
constexpr const char* kEndifWithoutIf = "#endif without #ifdef or #ifndef";

bool IsWhite(char c)
{
    return c == ' ' || c == '\t' || c == '\xA0' || c == '\r' || c == '\n';
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

void TSYM_Compiler::SkipWhiteSpace()
{
    for (;;) {
        if (PopExhausted())
            return;
        const char c = Cur();
        if (IsWhite(c)) {
            Advance();
        } else if (c == '/' && Peek(1) == '*') {
            // Comments end with their source: a comment never swallows the
            // text that follows a macro or an include file.
            Advance(2);
            while (!AtSourceEnd() && !(Cur() == '*' && Peek(1) == '/'))
                Advance();
            Advance(2);
        } else if (c == '/' && Peek(1) == '/') {
            while (!AtSourceEnd() && Cur() != '\r' && Cur() != '\n')
                Advance();
        } else if (c == '#' && !(flags_ & kReadingDirective) && TryDirective()) {
            continue;
        } else {
            return;
        }
    }
}

bool TSYM_Compiler::TryDirective()
{
    size_t length = 0;
    while (IsLetter(Peek(1 + length)))
        ++length;
    const std::string name = Top().text.substr(Top().pos + 1, length);
    void (TSYM_Compiler::*handler)() = nullptr;
    if (name == "define")
        handler = &TSYM_Compiler::DoDefine;
    else if (name == "ifdef")
        handler = &TSYM_Compiler::DoIfdef;
    else if (name == "ifndef")
        handler = &TSYM_Compiler::DoIfndef;
    else if (name == "else")
        handler = &TSYM_Compiler::DoElse;
    else if (name == "endif")
        handler = &TSYM_Compiler::DoEndif;
    else if (name == "include")
        handler = &TSYM_Compiler::DoInclude;
    if (!handler)
        return false;  // left alone: the '#' is then an unknown character
    Advance(1 + length);
    flags_ |= kReadingDirective;
    (this->*handler)();
    flags_ &= uint8_t(~kReadingDirective);
    return true;
}

void TSYM_Compiler::SkipHorizontalSpace()
{
    while (!AtSourceEnd() && (Cur() == ' ' || Cur() == '\t' || Cur() == '\xA0'))
        Advance();
}

std::string TSYM_Compiler::ReadDirectiveName()
{
    SkipHorizontalSpace();
    const size_t start = Top().pos;
    if (AtSourceEnd() || !IsIdentStart(Cur()))
        return {};
    while (!AtSourceEnd() && IsIdentChar(Cur()))
        Advance();
    return Top().text.substr(start, Top().pos - start);
}

void TSYM_Compiler::SkipRestOfLine()
{
    while (!AtSourceEnd() && Cur() != '\r' && Cur() != '\n')
        Advance();
}

void TSYM_Compiler::DoDefine()
{
    const std::string name = ReadDirectiveName();
    if (name.empty()) {
        if (Skipping()) {
            SkipRestOfLine();
            return;
        }
        Error(sidMacroNameExpected);
    }
    SkipHorizontalSpace();
    const size_t start = Top().pos;
    SkipRestOfLine();
    std::string text = Top().text.substr(start, Top().pos - start);
    while (!text.empty() && IsWhite(text.back()))
        text.pop_back();
    if (Skipping())
        return;
    // A name defined as itself stays as it was (the built-in ver200 is
    // defined that way so that #ifdef ver200 holds).
    if (LowerCaseAscii(text) == LowerCaseAscii(name))
        return;
    macros_.AddText(name, text);
}

void TSYM_Compiler::DoIfdef()
{
    DoConditional(true);
}

void TSYM_Compiler::DoIfndef()
{
    DoConditional(false);
}

void TSYM_Compiler::DoConditional(bool wantDefined)
{
    const std::string name = ReadDirectiveName();
    if (name.empty())
        Error(sidMacroNameAfterIfdef);
    conditionals_.push_back(flags_ & kSkipping);
    if (!Skipping() && macros_.Exists(name) != wantDefined)
        flags_ |= kSkipping;
}

void TSYM_Compiler::DoElse()
{
    if (conditionals_.empty())
        ErrorText(kElseWithoutIf);
    // Inside a skipped region the whole conditional stays skipped.
    if (!(conditionals_.back() & kSkipping))
        flags_ ^= kSkipping;
}

void TSYM_Compiler::DoEndif()
{
    if (conditionals_.empty())
        ErrorText(kEndifWithoutIf);
    flags_ = uint8_t((flags_ & ~kSkipping) | (conditionals_.back() & kSkipping));
    conditionals_.pop_back();
}

void TSYM_Compiler::DoInclude()
{
    SkipHorizontalSpace();
    const char open = Cur();
    if (AtSourceEnd() || (open != '"' && open != '<')) {
        if (Skipping())
            return;
        Error(sidIncludeNotEnclosed);
    }
    const char close = open == '"' ? '"' : '>';
    Advance();
    const size_t start = Top().pos;
    while (!AtSourceEnd() && Cur() != close && Cur() != '\r' && Cur() != '\n')
        Advance();
    if (AtSourceEnd() || Cur() != close) {
        if (Skipping())
            return;
        Error(sidIncludeMissingTerminator, {std::string(1, close)});
    }
    const std::string name = Top().text.substr(start, Top().pos - start);
    Advance();
    if (Skipping())
        return;

    std::string fileName = name;
    if (open == '<' && !folder_.empty()) {
        const char last = folder_.back();
        fileName = folder_ + (last == '\\' || last == '/' ? "" : "\\") + name;
    }
    std::string content;
    bool found = false;
    if (!name.empty()) {
        try {
            const auto path = ResolveFileName(fileName);
            found = FileExists(path) && TryReadWholeFile(path, content);
        } catch (const Exception&) {
            found = false;  // unreadable counts as missing
        }
    }
    if (!found)
        Error(sidIncludeCannotOpen, {std::string(1, open), name, std::string(1, close)});
    size_t files = 0;
    for (const TSource& source : sources_)
        files += source.isFile ? 1 : 0;
    if (files >= kMaxIncludeDepth)
        ErrorText(kIncludeTooDeep);
    PushSource("-file-: " + fileName, std::move(content), true);
}

void TSYM_Compiler::PushSource(std::string name, std::string text, bool isFile)
{
    name = LowerCaseAscii(name);
    for (const TSource& source : sources_) {
        if (source.name == name)
            Error(sidRecursiveMacro, {name});
    }
    if (sources_.size() >= kMaxSourceDepth)
        ErrorText(kExpansionTooDeep);
    // Every push counts at least one byte, so empty macros cannot go on for ever.
    expandedBytes_ += text.size() + 1;
    if (expandedBytes_ > kMaxExpandedBytes)
        ErrorText(kExpansionTooLong);
    sources_.push_back(TSource{std::move(name), std::move(text), 0, isFile});
}

}  // namespace tarnwick
