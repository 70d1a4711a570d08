// %%States and %%Containers section parsers.
#include "scheme/state_sections.h"

#include "scheme/sym_compiler.h"
#include "resources/strings/string_ids.h"

namespace tarnwick {

namespace {

bool StartsEntry(const TSYM_Compiler& compiler)
{
    return compiler.At(tkNumber) || compiler.At(tkOpenParen);
}

// '(' { '+' value-or-set | '-' value-or-set } ')'
void ReadChanges(TSYM_Compiler& compiler, TStateChangeEntry& entry)
{
    compiler.Expect(tkOpenParen, sidOpenParenExpected);
    for (;;) {
        if (compiler.Accept(tkPlus))
            entry.added |= compiler.ReadValueOrSet();
        else if (compiler.Accept(tkMinus))
            entry.removed |= compiler.ReadValueOrSet();
        else
            break;
    }
    compiler.Expect(tkCloseParen, sidCloseParenExpected);
}

void ReadSection(TSYM_Compiler& compiler, int sectionWord, bool containers,
                 const TStateChangeSink& sink)
{
    compiler.Next();
    for (;;) {
        if (compiler.Accept(sectionWord))
            continue;
        if (!StartsEntry(compiler))
            return;
        TStateChangeEntry entry;
        entry.container = containers;
        entry.token = uint8_t(compiler.ReadExpression(0, 255));
        if (!containers) {
            if (compiler.Accept(tkPush))
                entry.flags = kStatePushBefore;
            else if (compiler.Accept(tkPop))
                entry.flags = kStatePopBefore;
        }
        ReadChanges(compiler, entry);
        if (!containers) {
            if (compiler.Accept(tkPush)) {
                entry.flags = kStatePushAfter;
            } else if (compiler.Accept(tkPop)) {
                entry.flags = kStatePopAfter;
                entry.added = TStateSet();
                entry.removed = TStateSet();
                entry.clearsChanges = true;
            }
        }
        sink(entry);
    }
}

}  // namespace

void ReadStatesSection(TSYM_Compiler& compiler, const TStateChangeSink& sink)
{
    ReadSection(compiler, tkStatesSection, false, sink);
}

void ReadContainersSection(TSYM_Compiler& compiler, const TStateChangeSink& sink)
{
    ReadSection(compiler, tkContainersSection, true, sink);
}

}  // namespace tarnwick
