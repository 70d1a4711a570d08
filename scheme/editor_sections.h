// Section parsers for %%Keys, %%AutoReplace and %%Templates: the key
// assignments, auto-replace list and code templates a scheme hands to the
// editor.
//
//   %%Keys        expr [ ( binding { | binding } ) ] [ string ]
//                 binding = [ '[' modifier { [','] modifier } ']' ] key [ , key ]
//                 modifier = shift | ctrl | alt
//                 key = expr (0..255) | one-character string
//   %%AutoReplace string = string | actionkeys = string (raw)
//   %%Templates   string [ ( string ) ] = string
//                 | hotkey = ( [ '[' modifier ... ']' ] key )
//
// Each section first empties what it fills (all key bindings and action
// names; the auto-replace list with its default trigger characters; the
// templates with their default hotkey), so a later section of the same kind
// replaces an earlier one — also when it follows directly, where the other
// sections would simply read on.
#pragma once

namespace tarnwick {

class TCodeMemoParser;
class TSYM_Compiler;

// Each reads its section from its section word up to the first token that
// cannot begin an entry (left current).
//   %%Keys: "Key specification required", "Single character specifier
//     expected" (a key string of another length than one), "Range error,
//     value outwith 0 .. 255", "')' expected", "']' expected", "Key function
//     name cannot be blank", and the key store's message for a binding that
//     collides with an earlier one.
//   %%AutoReplace, %%Templates: "'=' expected", "String value expected",
//     "')' expected", "'(' expected", and the list's "Bad key specifier" for
//     an action-key text with an unclosed key name.
//   %%Templates: "Template hotkey must be a key with a name" for a hotkey
//     whose key has no display text (the compiled scheme stores that text).
//   All three: "String longer than 255 characters" for an action name,
//     action-key text, word, template name or description that the
//     compiled scheme could not hold whole.
void CompileKeysSection(TCodeMemoParser& parser, TSYM_Compiler& compiler);
void CompileAutoReplaceSection(TCodeMemoParser& parser, TSYM_Compiler& compiler);
void CompileTemplatesSection(TCodeMemoParser& parser, TSYM_Compiler& compiler);

}  // namespace tarnwick
