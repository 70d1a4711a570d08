// TREParser, compiler half: the A||B rewrite, the recursive-descent parser
// and the two-pass emitter (the first pass only sizes the program).
#include "editor/core/re_parser.h"

#include "platform/hex_digit.h"
#include "platform/string_table.h"

#include <cstring>

namespace tarnwick {

namespace {

// Pieces of the flags a parse step hands back.
constexpr int kWidth = 1;   // never matches the empty string
constexpr int kSimple = 2;  // one node that matches exactly one character

constexpr uint8_t kCR = 13;

bool IsRepeatChar(unsigned char c)
{
    return c == '*' || c == '+' || c == '?' || c == '{';
}

bool IsClassLetter(unsigned char c)
{
    return c == 'd' || c == 's' || c == 'w' || c == 'D' || c == 'S' || c == 'W';
}

// Characters that end a run of literal characters.
bool EndsLiteralRun(unsigned char c)
{
    return std::strchr("^$.[()|*+?{\"", c) != nullptr && c != 0;
}

using TCharSet = std::array<uint8_t, 32>;

void AddChar(TCharSet& set, unsigned c)
{
    set[c >> 3] |= static_cast<uint8_t>(1u << (c & 7));
}

// The members of \d, \s or \w (lower-case letter); the upper-case letter
// gives the complement.
TCharSet ClassSet(unsigned char letter)
{
    TCharSet set{};
    const unsigned char lower = static_cast<unsigned char>(letter | 0x20);
    for (unsigned c = 0; c < 256; ++c) {
        bool in = false;
        if (lower == 'd')
            in = c >= '0' && c <= '9';
        else if (lower == 's')
            in = c == 13 || c == ' ' || c == 10 || c == 12 || c == 9 || c == 8;
        else
            in = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
        if (in != (letter != lower))
            AddChar(set, c);
    }
    return set;
}

// The index after the lexical element at `i` of a pattern: an escape pair, a
// quoted string or a bracket set travels as one unit, so that bars and
// parentheses inside them are not mistaken for structure.
size_t SkipElement(const std::string& s, size_t i)
{
    const char c = s[i];
    if (c == '\\')
        return std::min(i + 2, s.size());
    if (c == '"') {
        for (size_t j = i + 1; j < s.size(); ++j) {
            if (s[j] == '\\')
                ++j;
            else if (s[j] == '"')
                return j + 1;
        }
        return s.size();
    }
    if (c == '[') {
        size_t j = i + 1;
        if (j < s.size() && s[j] == '^')
            ++j;
        for (; j < s.size(); ++j) {
            if (s[j] == '\\')
                ++j;
            else if (s[j] == ']')
                return j + 1;
        }
        return s.size();
    }
    return i + 1;
}

// True when `x` is one group: "(" ... ")" with the closing parenthesis last.
bool IsOneGroup(const std::string& x)
{
    if (x.size() < 2 || x.front() != '(' || x.back() != ')')
        return false;
    int depth = 0;
    for (size_t i = 0; i < x.size(); i = SkipElement(x, i)) {
        if (x[i] == '(')
            ++depth;
        else if (x[i] == ')' && --depth == 0)
            return i + 1 == x.size();
    }
    return false;
}

}  // namespace

std::string REErrorText(int id)
{
    std::string text = LoadStr(id);
    return text.empty() ? LoadStr(reInternalError) : text;
}

TREParser::TREParser()
{
    positions_.fill(-1);
}

void TREParser::Fail(int id, int position) const
{
    throw ERegExpr(id, position);
}

unsigned char TREParser::Peek(int ahead) const
{
    const size_t at = static_cast<size_t>(pos_) + static_cast<size_t>(ahead);
    return at < buffer_.size() ? static_cast<unsigned char>(buffer_[at]) : 0;
}

bool TREParser::Compile(std::string_view pattern)
{
    if (compiled_ && pattern == lastPattern_)
        return true;
    compiled_ = false;
    lastPattern_.clear();
    error_ = reNoError;
    errorPos_ = -1;
    try {
        buffer_.assign(pattern);
        if (pattern.empty())
            Fail(reInvalidParameter, 0);
        if (pattern.size() > static_cast<size_t>(kMaxProgram))
            Fail(reOutOfMemory, 0);
        RewriteDoubleBars();
        int flags = 0;
        for (const bool sizing : {true, false}) {
            sizing_ = sizing;
            if (!sizing) {
                // The emit pass writes into the size the first pass measured,
                // with slack as a guard.
                program_.assign(static_cast<size_t>(programSize_) + 256, 0);
                program_[0] = kMagic;
            }
            programSize_ = 1;
            pos_ = 0;
            groupCount_ = 0;
            counterCount_ = 0;
            ParseAlternatives(false, flags);
        }
        counters_.assign(static_cast<size_t>(counterCount_), 0);
        AnalyseStart();
    } catch (const ERegExpr& error) {
        error_ = error.Id;
        errorPos_ = error.Position;
        program_.clear();
        programSize_ = 0;
        return false;
    }
    compiled_ = true;
    lastPattern_.assign(pattern);
    return true;
}

void TREParser::CompileOrThrow(std::string_view pattern)
{
    if (!Compile(pattern))
        throw ERegExpr(error_, errorPos_);
}

std::string TREParser::ErrorBoxText() const
{
    return ErrorBoxText(ERegExpr(error_, errorPos_), buffer_);
}

std::string TREParser::ErrorBoxText(const ERegExpr& error, std::string_view pattern)
{
    std::string text = error.Message();
    text += "\r\n";
    text += pattern;
    text += "\r\n";
    const size_t column = error.Position < 0 ? 0 : std::min(static_cast<size_t>(error.Position), pattern.size());
    text.append(column, ' ');
    text += '^';
    return text;
}

// --- A||B ------------------------------------------------------------------

void TREParser::RewriteDoubleBars()
{
    // Every rewrite adds at least two groups, so a fifth one can never fit the
    // nine groups a program may hold; stopping there also keeps the text from
    // doubling without end.
    for (int rewrites = 0;; ++rewrites) {
        std::vector<size_t> altStart{0};
        size_t bar = std::string::npos;
        for (size_t i = 0; i < buffer_.size() && bar == std::string::npos; i = SkipElement(buffer_, i)) {
            const char c = buffer_[i];
            if (c == '(') {
                altStart.push_back(i + 1);
            } else if (c == ')') {
                if (altStart.size() > 1)
                    altStart.pop_back();
            } else if (c == '|') {
                if (i + 1 < buffer_.size() && buffer_[i + 1] == '|')
                    bar = i;
                else
                    altStart.back() = i + 1;
            }
        }
        if (bar == std::string::npos)
            return;
        if (rewrites >= 4)
            Fail(reTooManySubExpr, static_cast<int>(bar));
        // B runs to the next bar or closing parenthesis of the same level.
        size_t end = bar + 2;
        int depth = 0;
        while (end < buffer_.size()) {
            const char c = buffer_[end];
            if (depth == 0 && (c == '|' || c == ')'))
                break;
            if (c == '(')
                ++depth;
            else if (c == ')')
                --depth;
            end = SkipElement(buffer_, end);
        }
        const size_t begin = altStart.back();
        std::string a = buffer_.substr(begin, bar - begin);
        std::string b = buffer_.substr(bar + 2, end - bar - 2);
        if (!IsOneGroup(a))
            a = "(" + a + ")";
        if (!IsOneGroup(b))
            b = "(" + b + ")";
        const std::string both = "(" + a + b + "?)|(" + b + a + "?)";
        buffer_.replace(begin, end - begin, both);
        if (buffer_.size() > static_cast<size_t>(kMaxProgram))
            Fail(reOutOfMemory, static_cast<int>(begin));
    }
}

// --- emitter ---------------------------------------------------------------

int TREParser::Emit(uint8_t op)
{
    const int node = programSize_;
    if (sizing_) {
        if (programSize_ + 3 > kMaxProgram)
            Fail(reOutOfMemory);
    } else {
        if (static_cast<size_t>(programSize_) + 3 > program_.size())
            Fail(reInternalError);
        program_[static_cast<size_t>(node)] = op;
        program_[static_cast<size_t>(node) + 1] = 0;
        program_[static_cast<size_t>(node) + 2] = 0;
    }
    programSize_ += 3;
    return node;
}

void TREParser::EmitByte(uint8_t b)
{
    if (sizing_) {
        if (programSize_ + 1 > kMaxProgram)
            Fail(reOutOfMemory);
    } else {
        if (static_cast<size_t>(programSize_) + 1 > program_.size())
            Fail(reInternalError);
        program_[static_cast<size_t>(programSize_)] = b;
    }
    ++programSize_;
}

void TREParser::Insert(uint8_t op, int before, const uint8_t* operands, int operandCount)
{
    const int width = 3 + operandCount;
    if (sizing_) {
        if (programSize_ + width > kMaxProgram)
            Fail(reOutOfMemory);
        programSize_ += width;
        return;
    }
    if (static_cast<size_t>(programSize_) + static_cast<size_t>(width) > program_.size() || before < 1 ||
        before > programSize_)
        Fail(reInternalError);
    uint8_t* at = program_.data() + before;
    std::memmove(at + width, at, static_cast<size_t>(programSize_ - before));
    at[0] = op;
    at[1] = 0;
    at[2] = 0;
    if (operandCount > 0)
        std::memcpy(at + 3, operands, static_cast<size_t>(operandCount));
    programSize_ += width;
}

int TREParser::NextOf(int node) const
{
    const size_t at = static_cast<size_t>(node);
    const int offset = (program_[at + 1] << 8) | program_[at + 2];
    if (offset == 0)
        return -1;
    return program_[at] == opBack ? node - offset : node + offset;
}

void TREParser::SetTail(int node, int target)
{
    if (sizing_)
        return;
    int last = node;
    for (int next = NextOf(last); next >= 0; next = NextOf(last))
        last = next;
    const int offset = program_[static_cast<size_t>(last)] == opBack ? last - target : target - last;
    if (offset <= 0 || offset > 0xFFFF)
        Fail(reInternalError);
    program_[static_cast<size_t>(last) + 1] = static_cast<uint8_t>(offset >> 8);
    program_[static_cast<size_t>(last) + 2] = static_cast<uint8_t>(offset & 0xFF);
}

void TREParser::SetOperandTail(int node, int target)
{
    if (sizing_ || program_[static_cast<size_t>(node)] != opBranch)
        return;
    SetTail(node + 3, target);
}

// --- parser ----------------------------------------------------------------

int TREParser::ParseAlternatives(bool inGroup, int& flags)
{
    int ret = -1;
    int group = 0;
    if (inGroup) {
        if (groupCount_ >= kMaxGroups)
            Fail(reTooManySubExpr);
        group = ++groupCount_;
        ++pos_;  // the "("
        ret = Emit(static_cast<uint8_t>(opOpen + group));
    }
    flags = kWidth;
    for (;;) {
        int branchFlags = 0;
        const int branch = ParseSequence(branchFlags);
        if (ret < 0)
            ret = branch;
        else
            SetTail(ret, branch);
        if (!(branchFlags & kWidth))
            flags &= ~kWidth;
        if (Peek() != '|' || AtEnd())
            break;
        ++pos_;
    }
    const int ender = Emit(inGroup ? static_cast<uint8_t>(opClose + group) : static_cast<uint8_t>(opEnd));
    SetTail(ret, ender);
    if (!sizing_) {
        for (int node = ret; node >= 0; node = NextOf(node))
            SetOperandTail(node, ender);
    }
    if (inGroup) {
        if (AtEnd() || Peek() != ')')
            Fail(reUnmatchedParen);
        ++pos_;
    } else if (!AtEnd()) {
        Fail(Peek() == ')' ? reUnmatchedParen : reInternalError);
    }
    return ret;
}

int TREParser::ParseSequence(int& flags)
{
    flags = 0;
    const int ret = Emit(opBranch);
    int chain = -1;
    while (!AtEnd() && Peek() != '|' && Peek() != ')') {
        int pieceFlags = 0;
        const int latest = ParsePiece(pieceFlags);
        flags |= pieceFlags & kWidth;
        if (chain >= 0)
            SetTail(chain, latest);
        chain = latest;
    }
    if (chain < 0)
        Emit(opNothing);
    return ret;
}

int TREParser::ParsePiece(int& flags)
{
    int atomFlags = 0;
    const int ret = ParseAtom(atomFlags);
    const unsigned char op = Peek();
    if (AtEnd() || !IsRepeatChar(op)) {
        flags = atomFlags;
        return ret;
    }
    const int opPos = pos_;
    ++pos_;
    if ((op == '*' || op == '+') && !(atomFlags & kWidth))
        Fail(reInvalidRepeat, opPos);

    if (op == '*' && (atomFlags & kSimple)) {
        Insert(opStar, ret, nullptr, 0);
        flags = 0;
    } else if (op == '*') {
        // x* as a branch that runs x and loops back, or runs nothing.
        Insert(opBranch, ret, nullptr, 0);
        SetOperandTail(ret, Emit(opBack));
        SetOperandTail(ret, ret);
        SetTail(ret, Emit(opBranch));
        SetTail(ret, Emit(opNothing));
        flags = 0;
    } else if (op == '+' && (atomFlags & kSimple)) {
        Insert(opPlus, ret, nullptr, 0);
        flags = kWidth;
    } else if (op == '+') {
        // x+ as x followed by a branch that loops back to x, or runs nothing.
        const int next = Emit(opBranch);
        SetTail(ret, next);
        SetTail(Emit(opBack), ret);
        SetTail(next, Emit(opBranch));
        SetTail(ret, Emit(opNothing));
        flags = kWidth;
    } else if (op == '?') {
        Insert(opBranch, ret, nullptr, 0);
        SetTail(ret, Emit(opBranch));
        const int next = Emit(opNothing);
        SetTail(ret, next);
        SetOperandTail(ret, next);
        flags = 0;
    } else {
        int minCount = 0;
        int maxCount = 0;
        ParseRepeatCount(minCount, maxCount);
        if (maxCount == kNoLimit && !(atomFlags & kWidth))
            Fail(reInvalidRepeat, opPos);
        if (counterCount_ >= 255)
            Fail(reTooManySubExpr, opPos);
        const uint8_t counter = static_cast<uint8_t>(counterCount_++);
        const uint8_t loopOperands[5] = {counter,
                                         static_cast<uint8_t>(minCount >> 8),
                                         static_cast<uint8_t>(minCount & 0xFF),
                                         static_cast<uint8_t>(maxCount >> 8),
                                         static_cast<uint8_t>(maxCount & 0xFF)};
        Insert(opCLoop, ret, loopOperands, 5);
        Insert(opCSet, ret, &counter, 1);
        const int loop = ret + 4;
        const int body = loop + 8;
        SetTail(ret, loop);
        const int inc = Emit(opCInc);
        EmitByte(counter);
        SetTail(body, inc);
        const int back = Emit(opBack);
        SetTail(inc, back);
        SetTail(back, loop);
        flags = minCount > 0 ? (atomFlags & kWidth) : 0;
    }
    if (!AtEnd() && IsRepeatChar(Peek()))
        Fail(reNestedRepeat);
    return ret;
}

int TREParser::ParseRepeatCount(int& minCount, int& maxCount)
{
    const bool hasMin = ParseNumber(minCount) > 0;
    bool hasMax = false;
    if (Peek() == ',' && !AtEnd()) {
        ++pos_;
        hasMax = ParseNumber(maxCount) > 0;
        if (!hasMin)
            minCount = 0;
        if (!hasMax)
            maxCount = kNoLimit;
        if (!hasMin && !hasMax)
            Fail(reInvalidRange);
    } else {
        if (!hasMin)
            Fail(reInvalidRange);
        maxCount = minCount;
    }
    if (AtEnd() || Peek() != '}')
        Fail(reInvalidRange);
    if (maxCount < minCount)
        Fail(reInvalidRange);
    ++pos_;
    return minCount;
}

int TREParser::ParseNumber(int& value)
{
    value = 0;
    int digits = 0;
    while (!AtEnd() && Peek() >= '0' && Peek() <= '9') {
        value = value * 10 + (Peek() - '0');
        if (value >= kNoLimit)
            Fail(reInvalidRange);
        ++pos_;
        ++digits;
    }
    return digits;
}

int TREParser::ParseEscapeValue()
{
    ++pos_;  // the backslash
    if (AtEnd())
        Fail(reUnexpectedEnd);
    const unsigned char c = Peek();
    ++pos_;
    switch (c) {
    case 'n': return kCR;  // the editor's line break
    case 'r': return 10;
    case 't': return 9;
    case 'f': return 12;
    case 'b': return 8;
    case 'x': {
        int value = HexDigit(Peek());
        if (AtEnd() || value < 0)
            Fail(reHexDigitExpected);
        ++pos_;
        const int second = AtEnd() ? -1 : HexDigit(Peek());
        if (second >= 0) {
            value = value * 16 + second;
            ++pos_;
        }
        return value;
    }
    default:
        break;
    }
    if (c >= '0' && c <= '7') {
        int value = c - '0';
        for (int digit = 1; digit < 3 && !AtEnd() && Peek() >= '0' && Peek() <= '7'; ++digit) {
            if (value * 8 + (Peek() - '0') > 255)
                break;
            value = value * 8 + (Peek() - '0');
            ++pos_;
        }
        return value;
    }
    return c;  // "\ " is a blank like any other escaped character
}

int TREParser::ParseSet()
{
    ++pos_;  // the "["
    bool negate = false;
    if (!AtEnd() && Peek() == '^') {
        negate = true;
        ++pos_;
    }
    TCharSet set{};
    bool empty = true;
    for (;;) {
        if (AtEnd())
            Fail(reUnmatchedBracket);
        if (Peek() == ']') {
            if (empty)
                Fail(reUnmatchedBracket);
            ++pos_;
            break;
        }
        empty = false;
        if (Peek() == '\\' && IsClassLetter(Peek(1))) {
            const TCharSet cls = ClassSet(Peek(1));
            for (size_t i = 0; i < set.size(); ++i)
                set[i] |= cls[i];
            pos_ += 2;
            continue;
        }
        int first = 0;
        if (Peek() == '\\') {
            first = ParseEscapeValue();
        } else {
            first = Peek();
            ++pos_;
        }
        int last = first;
        if (!AtEnd() && Peek() == '-' && Peek(1) != ']') {
            ++pos_;
            if (AtEnd())
                Fail(reUnmatchedBracket);
            const int endPos = pos_;
            if (Peek() == '\\') {
                last = ParseEscapeValue();
            } else {
                last = Peek();
                ++pos_;
            }
            if (last < first)
                Fail(reInvalidRange, endPos);
        } else if (!AtEnd() && Peek() == '-' && Peek(1) == ']') {
            // "a-]": the range has no end.
            Fail(reInvalidRange, pos_ + 1);
        }
        for (int c = first; c <= last; ++c)
            AddChar(set, static_cast<unsigned>(c));
    }
    const int node = Emit(negate ? opAnyBut : opAnyOf);
    for (uint8_t b : set)
        EmitByte(b);
    return node;
}

int TREParser::ParseAtom(int& flags)
{
    if (AtEnd())
        Fail(reUnexpectedEnd);
    const unsigned char c = Peek();
    flags = 0;
    switch (c) {
    case '^':
        ++pos_;
        return Emit(opBol);
    case '$':
        ++pos_;
        return Emit(opEol);
    case '.':
        ++pos_;
        flags = kWidth | kSimple;
        return Emit(opAny);
    case '[':
        flags = kWidth | kSimple;
        return ParseSet();
    case '(': {
        int groupFlags = 0;
        const int node = ParseAlternatives(true, groupFlags);
        flags = groupFlags & kWidth;
        return node;
    }
    case '|':
    case ')':
        Fail(reInternalError);
    case '*':
    case '+':
    case '?':
        Fail(reInvalidRepeat);
    case '"': {
        ++pos_;
        std::string text;
        for (;;) {
            if (AtEnd())
                Fail(reQuoteExpected);
            if (Peek() == '"') {
                ++pos_;
                break;
            }
            if (Peek() == '\\') {
                text += static_cast<char>(ParseEscapeValue());
            } else {
                text += static_cast<char>(Peek());
                ++pos_;
            }
        }
        if (text.empty())
            return Emit(opNothing);
        flags = kWidth | (text.size() == 1 ? kSimple : 0);
        return EmitLiteral(text);
    }
    case '\\':
        if (IsClassLetter(Peek(1))) {
            const unsigned char letter = Peek(1);
            pos_ += 2;
            flags = kWidth | kSimple;
            // \D, \S, \W are the sets of the lower-case letter, negated.
            const int node = Emit(letter >= 'a' ? opAnyOf : opAnyBut);
            for (uint8_t b : ClassSet(static_cast<unsigned char>(letter | 0x20)))
                EmitByte(b);
            return node;
        }
        break;
    default:
        break;
    }

    // A run of literal characters becomes one exact string; when a repetition
    // follows, its last character is left for a piece of its own.
    std::string text;
    while (!AtEnd()) {
        const int before = pos_;
        int value = 0;
        if (Peek() == '\\') {
            if (IsClassLetter(Peek(1)))
                break;
            value = ParseEscapeValue();
        } else {
            if (!text.empty() && EndsLiteralRun(Peek()))
                break;
            value = Peek();
            ++pos_;
        }
        if (!text.empty() && !AtEnd() && IsRepeatChar(Peek())) {
            pos_ = before;
            break;
        }
        text += static_cast<char>(value);
    }
    flags = kWidth | (text.size() == 1 ? kSimple : 0);
    return EmitLiteral(text);
}

int TREParser::EmitLiteral(const std::string& text)
{
    // Exact strings end with NUL, so a NUL character is emitted as a
    // one-member set between exact strings.
    int first = -1;
    size_t from = 0;
    while (from < text.size()) {
        int node = 0;
        const size_t nul = text.find('\0', from);
        if (nul == from) {
            node = Emit(opAnyOf);
            TCharSet set{};
            AddChar(set, 0);
            for (uint8_t b : set)
                EmitByte(b);
            from = nul + 1;
        } else {
            const size_t to = nul == std::string::npos ? text.size() : nul;
            node = Emit(opExact);
            for (size_t i = from; i < to; ++i)
                EmitByte(static_cast<uint8_t>(text[i]));
            EmitByte(0);
            from = to;
        }
        if (first < 0)
            first = node;
        else
            SetTail(first, node);
    }
    return first;
}

}  // namespace tarnwick
