// The built-in scanning routines. Each works on positions only and restores
// the stream on failure, so terminators and bodies that try a routine and
// move on never leave half-consumed text behind.
#include "scheme/scan_routines.h"

#include "editor/core/line_rec.h"

#include <cstdint>

namespace tarnwick {

namespace {

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
// The standard kinds start with ASCII letters only (their start classes say
// so); the routines read words the same way.
bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsIdentChar(unsigned char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }

bool IsWebChar(unsigned char c)
{
    switch (c) {
    case '#': case '&': case '-': case '.': case '/': case ':': case '=': case '?':
    case '@': case '\\': case '_': case '|': case '~':
        return true;
    default:
        return IsLetter(c) || IsDigit(c);
    }
}

bool IsMailChar(unsigned char c)
{
    return IsLetter(c) || IsDigit(c) || c == '~' || c == '.' || c == '@' || c == '-';
}

// One routine run: remembers where it began so that it can fail cleanly or
// report what it consumed.
class TScan {
public:
    TScan(TCustomEdStream& stream, int& length)
        : s_(stream), length_(length), start_(stream.Position()), startLength_(length)
    {
    }

    bool AtEnd() const { return s_.AtEnd(); }
    // 0 at the end of the text, so no character test matches there.
    unsigned char Cur() const { return s_.Current(); }
    void Take() { s_.Advance(); }
    void Back() { s_.StepBack(); }
    int64_t Pos() const { return s_.Position(); }
    void SeekTo(int64_t position) { s_.Seek(position); }
    int64_t Consumed() const { return s_.Position() - start_; }
    // Where the token began: the routine's start less what the token
    // already holds.
    int64_t TokenStart() const { return start_ - startLength_; }
    unsigned char CharBefore(int64_t position) { return s_.CharAt(position - 1); }

    void TakeDigits()
    {
        while (IsDigit(Cur()))
            Take();
    }

    bool Ok()
    {
        length_ = startLength_ + static_cast<int>(Consumed());
        return true;
    }
    bool Fail()
    {
        s_.Seek(start_);
        length_ = startLength_;
        return false;
    }

private:
    TCustomEdStream& s_;
    int& length_;
    int64_t start_;
    int startLength_;
};

// _PASCAL_CHAR: one character of a Pascal string; a doubled quote counts as
// one, a single quote or a line end does not match.
bool PascalChar(TScan& scan)
{
    if (scan.AtEnd())
        return scan.Fail();
    const unsigned char c = scan.Cur();
    if (c == '\'') {
        scan.Take();
        if (scan.Cur() == '\'') {
            scan.Take();
            return scan.Ok();
        }
        return scan.Fail();
    }
    if (c == static_cast<unsigned char>(kCR))
        return scan.Fail();
    scan.Take();
    return scan.Ok();
}

// _WEB_CHAR: a run of URL characters; a trailing '.' ends a sentence, not
// the address, and is left out.
bool WebChars(TScan& scan)
{
    unsigned char last = 0;
    while (!scan.AtEnd() && IsWebChar(scan.Cur())) {
        last = scan.Cur();
        scan.Take();
    }
    if (scan.Consumed() > 0 && last == '.')
        scan.Back();
    return scan.Consumed() > 0 ? scan.Ok() : scan.Fail();
}

// _ORIGINAL_CHAR: the rest of the line, but only for a token that starts a
// line.
bool OriginalChar(TScan& scan)
{
    const int64_t tokenStart = scan.TokenStart();
    if (tokenStart > 0 && scan.CharBefore(tokenStart) != static_cast<unsigned char>(kCR))
        return scan.Fail();
    while (!scan.AtEnd() && scan.Cur() != static_cast<unsigned char>(kCR))
        scan.Take();
    return scan.Ok();
}

bool StdIdentifier(TScan& scan)
{
    const unsigned char c = scan.Cur();
    if (scan.AtEnd() || !(IsLetter(c) || c == '_'))
        return scan.Fail();
    while (IsIdentChar(scan.Cur()))
        scan.Take();
    return scan.Ok();
}

// Digits, an optional fraction and an optional exponent; a '.' or an
// exponent letter that no digit follows is given back.
bool NumberTail(TScan& scan)
{
    if (!IsDigit(scan.Cur()))
        return scan.Fail();
    scan.TakeDigits();
    if (scan.Cur() == '.') {
        const int64_t mark = scan.Pos();
        scan.Take();
        if (!IsDigit(scan.Cur())) {
            scan.SeekTo(mark);
            return scan.Ok();
        }
        scan.TakeDigits();
    }
    if (scan.Cur() == 'e' || scan.Cur() == 'E') {
        const int64_t mark = scan.Pos();
        scan.Take();
        if (scan.Cur() == '+' || scan.Cur() == '-')
            scan.Take();
        if (IsDigit(scan.Cur()))
            scan.TakeDigits();
        else
            scan.SeekTo(mark);
    }
    return scan.Ok();
}

bool StdNumberOrFP(TScan& scan) { return NumberTail(scan); }

bool StdPascalString(TScan& scan)
{
    if (scan.AtEnd())
        return scan.Fail();
    scan.Take();
    while (!scan.AtEnd()) {
        const unsigned char c = scan.Cur();
        if (c == static_cast<unsigned char>(kCR))
            break;
        scan.Take();
        if (c == '\'') {
            if (scan.Cur() != '\'')
                break;
            scan.Take();
        }
    }
    return scan.Ok();
}

// A quoted string with backslash escapes; the escaped character is taken
// whatever it is, so a backslash before the line end continues the string.
bool CString(TScan& scan, unsigned char quote)
{
    if (scan.AtEnd())
        return scan.Fail();
    scan.Take();
    while (!scan.AtEnd()) {
        const unsigned char c = scan.Cur();
        if (c == static_cast<unsigned char>(kCR))
            break;
        scan.Take();
        if (c == quote)
            break;
        if (c == '\\' && !scan.AtEnd())
            scan.Take();
    }
    return scan.Ok();
}

bool StdSignedNumber(TScan& scan)
{
    if (scan.Cur() == '+' || scan.Cur() == '-') {
        scan.Take();
        if (!IsDigit(scan.Cur()))
            return scan.Fail();
    }
    if (!NumberTail(scan))
        return scan.Fail();
    return scan.Ok();
}

bool StdNumber(TScan& scan)
{
    if (!IsDigit(scan.Cur()))
        return scan.Fail();
    scan.TakeDigits();
    return scan.Ok();
}

bool StdMailUrl(TScan& scan)
{
    bool sawAt = false;
    unsigned char last = 0;
    while (!scan.AtEnd() && IsMailChar(scan.Cur())) {
        last = scan.Cur();
        sawAt = sawAt || last == '@';
        scan.Take();
    }
    if (!sawAt)
        return scan.Fail();
    if (last == '.')
        scan.Back();
    return scan.Ok();
}

// No escapes; an unterminated string takes its line end with it.
bool StdHtmlString(TScan& scan)
{
    if (scan.AtEnd())
        return scan.Fail();
    scan.Take();
    while (!scan.AtEnd()) {
        const unsigned char c = scan.Cur();
        scan.Take();
        if (c == '"' || c == static_cast<unsigned char>(kCR))
            break;
    }
    return scan.Ok();
}

// The rest of the line, leaving an HTML comment close "-->" (with any
// further dashes before it kept in the comment) to the markup around it.
bool StdJsLineComment(TScan& scan)
{
    while (!scan.AtEnd() && scan.Cur() != static_cast<unsigned char>(kCR)) {
        if (scan.Cur() != '-') {
            scan.Take();
            continue;
        }
        int run = 0;
        while (scan.Cur() == '-') {
            scan.Take();
            ++run;
        }
        if (run >= 2 && scan.Cur() == '>') {
            scan.SeekTo(scan.Pos() - 2);
            break;
        }
    }
    return scan.Ok();
}

}  // namespace

bool RunScanRoutine(int number, TCustomEdStream& stream, int& length)
{
    TScan scan(stream, length);
    switch (number) {
    case 0: return PascalChar(scan);
    case 1: return WebChars(scan);
    case 2: return OriginalChar(scan);
    case 3: return StdIdentifier(scan);
    case 4: return StdNumberOrFP(scan);
    case 5: return StdPascalString(scan);
    case 6: return CString(scan, '"');
    case 7: return CString(scan, '\'');
    case 8: return StdSignedNumber(scan);
    case 9: return StdNumber(scan);
    case 10: return StdMailUrl(scan);
    case 11: return StdHtmlString(scan);
    case 12: return StdJsLineComment(scan);
    case 13: return CString(scan, '\'');
    default: return false;
    }
}

}  // namespace tarnwick
