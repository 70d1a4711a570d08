// Token codes of the scheme compiler's reader (TSYM_Compiler::Next).
//
// Reserved words and punctuation carry the codes 20..98; the remaining codes
// name the other kinds of token. The codes are internal to the compiler (no
// file stores them); only their distinctness matters.
#pragma once

namespace tarnwick {

enum TSymToken : int {
    tkEOF = 0,         // end of all input
    tkIdentifier = 1,  // a name that is no reserved word and no macro
    tkNumber = 2,      // a run of decimal digits
    tkString = 3,      // a quoted string
    tkUnknown = 4,     // a character that begins no token

    tkLanguageSection = 20,  // %%language
    tkName = 21,
    tkCase = 22,
    tkOptions = 23,
    tkWordsSection = 24,  // %%words
    tkEquals = 25,
    tkHandlersSection = 26,  // %%handler, %%handlers
    tkTokensSection = 27,    // %%tokens
    tkMapSection = 28,       // %%map
    tkEffectsSection = 29,   // %%effects
    tkExampleText = 33,
    tkEditableStyles = 34,
    tkOpenParen = 35,
    tkCloseParen = 36,
    tkComma = 37,
    tkPlus = 38,
    tkMinus = 39,
    tkOpenBracket = 40,
    tkCloseBracket = 41,
    tkQuestion = 42,
    tkWordWrapColumn = 43,
    tkGutter = 44,
    tkAnchor = 45,
    tkStatesSection = 46,  // %%states
    tkIndentStep = 47,
    tkWrapOverride = 48,
    tkContainersSection = 49,  // %%containers
    tkKeysSection = 50,        // %%keys
    tkShift = 51,
    tkCtrl = 52,
    tkAlt = 53,
    tkStartState = 54,
    tkSelTextColor = 55,
    tkSelTextBack = 56,
    tkRightMargin = 57,
    tkFontName = 58,
    tkFontSize = 59,
    tkTabColumns = 60,
    tkTabDefault = 61,
    tkContextStates = 62,
    tkInState = 63,
    tkBoundStates = 64,
    tkGutterColor = 65,
    tkMatch = 66,
    tkBar = 67,
    tkAutoReplaceSection = 68,  // %%autoreplace
    tkTemplatesSection = 69,    // %%templates
    tkMarginColor = 70,
    tkMarginWidth = 71,
    tkStar = 72,
    tkActionKeys = 73,
    tkHotKey = 74,
    tkKwTablesSection = 75,  // %%kwtables
    tkForState = 76,
    tkEndsWith = 77,
    tkIs = 78,
    tkPush = 79,
    tkPop = 80,
    tkOr = 81,
    tkFontCharset = 82,
    tkGutterFontName = 95,
    tkGutterFontSize = 96,
    tkGutterFontColor = 97,
    tkGutterFontStyle = 98,
};

}  // namespace tarnwick
