// Section parsers for %%Map, %%Effects and %%KwTables: how token values are
// drawn, and the scheme's user-editable keyword tables.
//
//   %%Map      expr expr                 token value -> effect number
//   %%Effects  expr '[' style-list ']' fg [ '*' ] bg [ '*' ] [ 'hotspot' ]
//   %%KwTables forstate '[' value-list ']' endswith string
//              ( expr is string { , string } ... )
//
// Values go straight into the scheme's settings object (effects, map,
// keyword tables).
#pragma once

namespace tarnwick {

class TCodeMemoParser;
class TSYM_Compiler;

// Each reads its section from its section word up to the first token that
// cannot begin an entry (left current).
//   %%Map: "Range error, value outwith 0 .. 255" for either number.
//   %%Effects: "'[' expected", "']' expected", "Bad font style specifier",
//     "Duplicate %%effect entry" for an effect other than 0 defined twice.
//   %%KwTables: "']' expected" (also for a missing '[' after forstate),
//     "'[' expected" for a missing endswith, "String value expected" (also
//     for a missing `is`), "')' expected", "Single character specifier
//     expected" for a follow text of several items, and the settings
//     object's "Ambigious key table state definition" and "Too many keyword
//     tables declared".
void CompileMapSection(TCodeMemoParser& parser, TSYM_Compiler& compiler);
void CompileEffectsSection(TCodeMemoParser& parser, TSYM_Compiler& compiler);
void CompileKwTablesSection(TCodeMemoParser& parser, TSYM_Compiler& compiler);

}  // namespace tarnwick
