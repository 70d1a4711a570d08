// Small reading helpers shared by the settings-side section parsers
// (%%Language, %%Map, %%Effects, %%KwTables, %%Keys, %%AutoReplace,
// %%Templates): entry starts, font style lists, shortcuts, and turning a
// fault of the settings object into a compile error at the read position.
#pragma once

#include "platform/errors.h"
#include "platform/keys.h"
#include "scheme/compiler_error.h"
#include "scheme/sym_compiler.h"

#include <cstdint>
#include <string>
#include <utility>

namespace tarnwick {

// True when the current token can begin an expression.
inline bool AtExpression(const TSYM_Compiler& compiler)
{
    return compiler.At(tkNumber) || compiler.At(tkOpenParen);
}

// Runs `action`; a fault it raises (other than a compile error) becomes a
// compile error with the fault's text, so that the user sees where in the
// script the rejected value stands.
template <typename Action>
void AtReadPosition(const TSYM_Compiler& compiler, Action&& action)
{
    try {
        std::forward<Action>(action)();
    } catch (const ECompilerError&) {
        throw;
    } catch (const Exception& error) {
        compiler.ErrorText(error.what());
    }
}

// The current token must be a string ("String value expected"); returns its
// value (or, with `raw`, its raw text) and reads the next token. The
// compiled scheme keeps this text in a short string, so a text of more than
// 255 characters is refused ("String longer than 255 characters") rather
// than cut, which could leave a key list that no longer reads back or two
// names that become one.
std::string ReadShortString(TSYM_Compiler& compiler, bool raw = false);

// '[' value { ',' value } ']' or '[' ']': font style values, 0..7 each
// setting bit n, larger values ignored. The current token must be '['
// (else "'[' expected"); an error inside the list gives "Bad font style
// specifier", a missing ']' "']' expected". Returns the style bits.
uint8_t ReadFontStyleList(TSYM_Compiler& compiler);

// A key of a binding: an expression 0..255 (a virtual-key code) or a
// one-character string (its upper-cased character code). A string of
// another length gives "Single character specifier expected", anything else
// "Key specification required".
TShortCut ReadKeyCode(TSYM_Compiler& compiler);

// [ '[' modifier { [','] modifier } ']' ] key: the first key of a binding
// with its modifiers (shift 0x2000, ctrl 0x4000, alt 0x8000) added.
TShortCut ReadModifiedKey(TSYM_Compiler& compiler);

}  // namespace tarnwick
