// %%Words, %%Handlers and %%Tokens section parsers.
#include "scheme/token_sections.h"

#include "scheme/sym_compiler.h"
#include "resources/strings/string_ids.h"

namespace tarnwick {

namespace {

constexpr int kFirstStandardKind = 10;
constexpr int kLastStandardKind = 20;
constexpr int kRoutineOfFirstKind = 3;  // kinds 10..20 read with routines 3..13

bool StartsExpression(const TSYM_Compiler& compiler)
{
    return compiler.At(tkNumber) || compiler.At(tkOpenParen);
}

// match '(' expr ')', the current token being `match`.
int32_t ReadMatchId(TSYM_Compiler& compiler)
{
    compiler.Next();
    compiler.Expect(tkOpenParen, sidOpenParenExpected);
    const int32_t id = compiler.ReadExpression();
    compiler.Expect(tkCloseParen, sidCloseParenExpected);
    return id;
}

// body = match ( expr ) | string | expr. Returns false for a match body,
// after which only '*' may follow.
bool ReadBody(TSYM_Compiler& compiler, TMatcherSpec& body)
{
    if (compiler.At(tkMatch)) {
        body.routine = true;
        body.custom = true;
        body.number = ReadMatchId(compiler);
        return false;
    }
    if (compiler.At(tkString)) {
        body.chars = compiler.SingleCharSpec(compiler.RawString());
        compiler.Next();
        return true;
    }
    body.routine = true;
    body.number = compiler.ReadExpression();
    return true;
}

// terminator = match ( expr ) | string of 1..4 items | expr (when allowed).
// Returns false when none stands here.
bool ReadTerminator(TSYM_Compiler& compiler, TTerminatorSpec& terminator, bool routineAllowed)
{
    if (compiler.At(tkMatch)) {
        terminator.routine = true;
        terminator.custom = true;
        terminator.number = ReadMatchId(compiler);
        return true;
    }
    if (compiler.At(tkString)) {
        terminator.chars = compiler.CharSpecItems(compiler.RawString(), 4, sidMaxFourCharSpecs);
        if (terminator.chars.empty())
            compiler.Error(sidSingleCharSpecExpected);
        compiler.Next();
        return true;
    }
    if (routineAllowed && StartsExpression(compiler)) {
        terminator.routine = true;
        terminator.number = compiler.ReadExpression();
        return true;
    }
    return false;
}

void ReadSectionEntries(TSYM_Compiler& compiler, int sectionWord,
                        const std::function<bool()>& readEntry)
{
    compiler.Next();
    for (;;) {
        if (compiler.Accept(sectionWord))
            continue;
        if (!readEntry())
            return;
    }
}

void ReadTokenEntry(TSYM_Compiler& compiler, int inState, const TTokenSink& sink)
{
    TTokenEntry entry;
    entry.inState = inState;
    entry.token = uint8_t(compiler.ReadExpression(0, 255));
    if (StartsExpression(compiler)) {
        const int32_t kind = compiler.ReadExpression();
        if (kind < kFirstStandardKind || kind > kLastStandardKind)
            compiler.Error(sidScriptSyntaxError);
        entry.standardKind = kind;
        entry.start = StandardKindStart(kind);
        entry.body.routine = true;
        entry.body.number = kind - kFirstStandardKind + kRoutineOfFirstKind;
    } else if (compiler.At(tkString)) {
        entry.start = compiler.SingleCharSpec(compiler.RawString());
        compiler.Next();
        if (ReadBody(compiler, entry.body)) {
            entry.body.repeat = compiler.Accept(tkStar);
            if (!ReadTerminator(compiler, entry.terminator, true))
                compiler.Error(sidExpressionExpected);
            entry.terminator.include = compiler.ReadExpression() != 0;
        }
    } else {
        compiler.Error(sidScriptSyntaxError);
    }
    if (compiler.At(tkOpenBracket))
        entry.givenStates = compiler.ReadSet(true);
    entry.states.Include(inState < 0 ? 0 : inState);
    entry.states |= entry.givenStates;
    sink(entry);
}

}  // namespace

TCharClass StandardKindStart(int kind)
{
    TCharClass start;
    TSet256& c = start.chars;
    const auto digits = [&c] { c.IncludeRange('0', '9'); };
    const auto letters = [&c] {
        c.IncludeRange('A', 'Z');
        c.IncludeRange('a', 'z');
    };
    switch (kind) {
    case 10: letters(); c.Include('_'); break;
    case 11: digits(); c.Include('.'); break;
    case 12: case 14: case 20: c.Include('\''); break;
    case 13: case 18: c.Include('"'); break;
    case 15: digits(); c.Include('.'); c.Include('+'); c.Include('-'); break;
    case 16: digits(); break;
    case 17: digits(); letters(); break;
    case 19: c.Include('/'); break;
    default: break;
    }
    return start;
}

void ReadWordsSection(TSYM_Compiler& compiler, const TWordSink& sink)
{
    ReadSectionEntries(compiler, tkWordsSection, [&] {
        if (!compiler.At(tkString))
            return false;
        TWordEntry entry;
        entry.word = compiler.ReadStringValue();
        if (!compiler.At(tkString))
            compiler.Error(sidStringExpected);
        entry.followText = compiler.RawString();
        const std::vector<TCharClass> follow =
            compiler.CharSpecItems(entry.followText, 1, sidSingleCharSpecExpected);
        compiler.Next();
        entry.hasFollow = !follow.empty();
        if (entry.hasFollow)
            entry.follow = follow.front();
        entry.token = uint8_t(compiler.ReadExpression(0, 255));
        if (compiler.At(tkOpenBracket))
            entry.states = compiler.ReadSet(true);
        else
            entry.states.Include(0);
        sink(entry);
        return true;
    });
}

void ReadHandlersSection(TSYM_Compiler& compiler, const THandlerSink& sink)
{
    ReadSectionEntries(compiler, tkHandlersSection, [&] {
        if (!StartsExpression(compiler))
            return false;
        THandlerEntry entry;
        entry.token = uint8_t(compiler.ReadExpression(0, 255));
        const bool takesTerminator = ReadBody(compiler, entry.body);
        entry.body.repeat = compiler.Accept(tkStar);
        if (takesTerminator && ReadTerminator(compiler, entry.terminator, false))
            entry.terminator.include = compiler.ReadExpression() != 0;
        sink(entry);
        return true;
    });
}

void ReadTokensSection(TSYM_Compiler& compiler, const TTokenSink& sink)
{
    ReadSectionEntries(compiler, tkTokensSection, [&] {
        if (compiler.Accept(tkInState)) {
            const int state = compiler.ReadExpression(0, 255);
            compiler.Expect(tkOpenParen, sidOpenParenExpected);
            while (StartsExpression(compiler))
                ReadTokenEntry(compiler, state, sink);
            compiler.Expect(tkCloseParen, sidCloseParenExpected);
            return true;
        }
        if (!StartsExpression(compiler))
            return false;
        ReadTokenEntry(compiler, -1, sink);
        return true;
    });
}

}  // namespace tarnwick
