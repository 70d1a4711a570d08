// The %%Language section parser: the scheme's display settings and its
// state sets.
//
//   name = string            exampletext = string     wrapoverride = string
//   case = expr              options = expr           indentstep = expr (0..20)
//   wordwrapcolumn = expr    gutter = expr            rightmargin = expr
//   marginwidth = expr       tabdefault = expr        tabcolumns = string (raw)
//   fontname = string        fontsize = expr          fontcharset = expr (0..255)
//   seltextcolor | seltextback | guttercolor | margincolor = [ '[' '*' ']' ] expr
//   anchor | startstate | boundstates = value-or-set
//   editablestyles ( string , expr ) { [','] ( string , expr ) }
//   contextstates = ( value-list [ set ] ) { [','] ( value-list [ set ] ) }
//   GutterFontName = string  GutterFontSize = expr    GutterFontColor = expr
//   GutterFontStyle [ = ] '[' style-list ']'
//
// Every entry may appear any number of times; the last one wins, except
// that a single `startstate` value is added to the start set (a set
// replaces it) and editable styles are appended. Values go into the
// scheme's settings object and tables as they are read.
#pragma once

namespace tarnwick {

class TCodeMemoParser;
class TSYM_Compiler;

// Reads the section from its section word up to the first token that cannot
// begin an entry (left current). Raises the compiler's errors ("'=' expected",
// "String value expected", "Range error, value outwith %d .. %d", "Value must
// be 0..255", "Too many editable styles", "Token value %d re-specified in
// ContextState", the tab-stop messages of the settings object, ...).
void CompileLanguageSection(TCodeMemoParser& parser, TSYM_Compiler& compiler);

}  // namespace tarnwick
