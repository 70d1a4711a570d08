// TSYM_Compiler's values: expressions, value lists, sets, string values and
// character specifiers.
#include "scheme/sym_compiler.h"

#include "platform/hex_digit.h"
#include "resources/strings/string_ids.h"
#include "scheme/compiler_error.h"

namespace tarnwick {

namespace {

bool StartsTerm(int token)
{
    return token == tkNumber || token == tkOpenParen;
}

}  // namespace

int32_t TSYM_Compiler::ReadExpression()
{
    return int32_t(Expression(0));
}

int32_t TSYM_Compiler::ReadExpression(int32_t low, int32_t high)
{
    return RangedValue(low, high);
}

int32_t TSYM_Compiler::RangedValue(int32_t low, int32_t high)
{
    const int32_t value = int32_t(Expression(0));
    if (value < low || value > high)
        Error(sidRangeError, {int64_t(low), int64_t(high)});
    return value;
}

uint32_t TSYM_Compiler::Expression(int depth)
{
    // Unsigned arithmetic: 32-bit wrap-around without undefined behaviour.
    uint32_t value = Term(depth);
    for (;;) {
        if (Accept(tkPlus))
            value += Term(depth);
        else if (Accept(tkMinus))
            value -= Term(depth);
        else if (Accept(tkOr))
            value |= Term(depth);
        else
            return value;
    }
}

uint32_t TSYM_Compiler::Term(int depth)
{
    if (token_ == tkNumber) {
        const uint32_t value = number_;
        Next();
        return value;
    }
    if (token_ != tkOpenParen || depth >= kMaxExpressionDepth)
        Error(sidExpressionExpected);
    Next();
    const uint32_t value = Expression(depth + 1);
    if (token_ != tkCloseParen)
        Error(sidExpressionExpected);
    Next();
    return value;
}

std::vector<int32_t> TSYM_Compiler::ReadValueList()
{
    std::vector<int32_t> values;
    do {
        values.push_back(ReadExpression());
        // A comma must be followed by another value.
        if (Accept(tkComma) && !StartsTerm(token_))
            Error(sidExpressionExpected);
    } while (StartsTerm(token_));
    return values;
}

TStateSet TSYM_Compiler::ReadSet(bool allowEmpty)
{
    if (token_ != tkOpenBracket)
        Error(sidOpenBracketExpected);
    Next();
    TStateSet set;
    if (allowEmpty && Accept(tkCloseBracket))
        return set;
    do {
        set.Include(RangedValue(0, 255));
        if (Accept(tkComma) && !StartsTerm(token_))
            Error(sidExpressionExpected);
    } while (StartsTerm(token_));
    if (token_ != tkCloseBracket)
        Error(sidCloseBracketExpected);
    Next();
    return set;
}

TStateSet TSYM_Compiler::ReadValueOrSet(bool* wasSet)
{
    const bool isSet = token_ == tkOpenBracket;
    if (wasSet)
        *wasSet = isSet;
    if (isSet)
        return ReadSet(true);
    TStateSet set;
    set.Include(RangedValue(0, 255));
    return set;
}

std::string TSYM_Compiler::ReadRawString()
{
    if (token_ != tkString)
        Error(sidStringExpected);
    std::string raw = raw_;
    Next();
    return raw;
}

std::string TSYM_Compiler::ReadStringValue()
{
    if (token_ != tkString)
        Error(sidStringExpected);
    std::string value = StringValue();
    Next();
    return value;
}

std::string TSYM_Compiler::StringValue() const
{
    std::string value;
    if (!DecodeEscapes(raw_, value))
        Error(sidRangeError, {int64_t(0), int64_t(255)});
    return value;
}

bool TSYM_Compiler::DecodeEscapes(std::string_view raw, std::string& value)
{
    constexpr uint32_t kCap = 0x10000;  // numbers stop growing here
    value.clear();
    size_t i = 0;
    while (i < raw.size()) {
        const char c = raw[i++];
        if (c != '\\') {
            value += c;
            continue;
        }
        if (i >= raw.size())
            break;  // a final lone backslash is dropped
        const char e = raw[i++];
        uint32_t number = 0;
        switch (e) {
        case 'b': case 'B': value += '\x08'; continue;
        case 'e': case 'E': value += '\x1B'; continue;
        case 'n': case 'N': value += '\r'; continue;  // the editor's line break
        case 'r': case 'R': value += '\n'; continue;
        case 's': case 'S': value += ' '; continue;
        case 't': case 'T': value += '\t'; continue;
        case 'x':
        case 'X':
            if (i >= raw.size() || HexDigit(raw[i]) < 0) {
                value += e;
                continue;
            }
            while (i < raw.size() && HexDigit(raw[i]) >= 0) {
                number = number * 16 + uint32_t(HexDigit(raw[i++]));
                if (number > kCap)
                    number = kCap;
            }
            break;
        default:
            if (e < '0' || e > '7') {
                value += e;
                continue;
            }
            number = uint32_t(e - '0');
            while (i < raw.size() && raw[i] >= '0' && raw[i] <= '7') {
                number = number * 8 + uint32_t(raw[i++] - '0');
                if (number > kCap)
                    number = kCap;
            }
            break;
        }
        if (number > 255)
            return false;
        value += char(number);
    }
    return true;
}

std::vector<TCharClass> TSYM_Compiler::CharSpecItems(std::string_view raw, size_t maxItems,
                                                     int tooManyId)
{
    std::vector<TCharClass> items;
    try {
        items = ReadCharSpecItems(raw, maxItems);
    } catch (const ECharSpecifier& e) {
        ErrorText(e.Message());
    }
    if (items.size() > maxItems)
        Error(tooManyId);
    return items;
}

TCharClass TSYM_Compiler::SingleCharSpec(std::string_view raw)
{
    const std::vector<TCharClass> items = CharSpecItems(raw, 1, sidSingleCharSpecExpected);
    if (items.size() != 1)
        Error(sidSingleCharSpecExpected);
    return items.front();
}

}  // namespace tarnwick
