// The two schemes the program carries inside it.
//
// The Object Pascal scheme is compiled from resources/schemes/ObjectPascal.txt
// when the program is built (generator/ writes its compiled stream into a
// source file), so starting the program parses no script. The code pane's
// scheme objects start with it: ActiveParser without a context table,
// Parser1 with the 256-entry empty context table that a scheme object that
// was never compiled carries. The two copies highlight alike; they differ
// only in the compiled stream they save.
//
// "<Custom language>" is the empty scheme Parser2 starts with: no words,
// tokens or effects beyond effect 0, a 2-pixel margin and the system
// button-face colour as gutter colour.
#pragma once

#include <string_view>

namespace tarnwick {

class TCodeMemoParser;

// The built-in scheme's compiled stream (version word, length, compressed
// payload), as a ".dat" file holds it.
std::string_view BuiltinSchemeStream();

// Loads the built-in Object Pascal scheme into `parser`. With
// `withContextTable` every context set is left empty, so that saving writes
// the 256 empty context sets; without it the context sets are the start set
// and saving writes none.
void LoadBuiltinScheme(TCodeMemoParser& parser, bool withContextTable);

// Makes `parser` the empty "<Custom language>" scheme.
void MakeCustomLanguageScheme(TCodeMemoParser& parser);

}  // namespace tarnwick
