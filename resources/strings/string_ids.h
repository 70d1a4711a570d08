// Numbers of the program's texts in the string table (platform/string_table.h
// LoadStr), and the table itself for checks.
//
// Ranges: 4096-4136 scheme compiler, 4146-4190 command descriptions (4146 +
// command code), 4196-4209 editor messages, 4246-4262 regular expressions
// (4246 + the expression parser's error number), 4296-4369 the editor options
// dialog. Texts with %s/%d are format templates: "%%" in them is literal text
// of the message, not an escaped percent sign.
#pragma once

#include <span>

namespace tarnwick {

// ---- Scheme compiler --------------------------------------------------------
inline constexpr int sidEqualsExpected = 4096;             // "'=' expected"
inline constexpr int sidOpenParenExpected = 4097;          // "'(' expected"
inline constexpr int sidCloseParenExpected = 4098;         // "')' expected"
inline constexpr int sidCommaExpected = 4099;              // "',' expected"
inline constexpr int sidOpenBracketExpected = 4100;        // "'[' expected"
inline constexpr int sidCloseBracketExpected = 4101;       // "']' expected"
inline constexpr int sidStringExpected = 4102;
inline constexpr int sidScriptSyntaxError = 4103;
inline constexpr int sidExpressionExpected = 4104;
inline constexpr int sidTooManyEditableStyles = 4105;
inline constexpr int sidValueMustBeByte = 4106;
inline constexpr int sidDuplicateWord = 4107;
inline constexpr int sidSingleCharSpecExpected = 4108;
inline constexpr int sidMaxFourCharSpecs = 4109;
inline constexpr int sidDuplicateHandler = 4110;
inline constexpr int sidAmbiguousStartSet = 4111;
inline constexpr int sidDuplicateEffect = 4112;
inline constexpr int sidBadFontStyle = 4113;
inline constexpr int sidKeyFunctionBlank = 4114;
inline constexpr int sidKeySpecRequired = 4115;
inline constexpr int sidRecursiveMacro = 4116;             // %s: the macro name
inline constexpr int sidIncludeMissingTerminator = 4117;   // %s: the closing character
inline constexpr int sidIncludeCannotOpen = 4118;          // %s%s%s: open, name, close
inline constexpr int sidMacroNameAfterIfdef = 4119;
inline constexpr int sidIncludeNotEnclosed = 4120;
inline constexpr int sidMacroNameExpected = 4121;
inline constexpr int sidUnknownCharacter = 4122;           // %.2x: the character code
// An unknown identifier is reported as sidIdentifier, a blank, the name in
// double quotes, a blank and sidUnknown: Identifier "foo" Unknown.
inline constexpr int sidIdentifier = 4123;
inline constexpr int sidUnknown = 4124;
inline constexpr int sidRangeError = 4125;                 // %d .. %d
inline constexpr int sidContextRespecified = 4126;         // %d: the token value
inline constexpr int sidRangeOrder = 4127;
inline constexpr int sidCustomLanguage = 4128;             // "<Custom language>"
inline constexpr int sidAmbiguousKeyTable = 4129;
inline constexpr int sidNotImplemented = 4130;
inline constexpr int sidUnexpectedEof = 4131;
inline constexpr int sidCompileErrorFormat = 4132;         // line, column, message
inline constexpr int sidHeaderLabel = 4133;                // "Header"
inline constexpr int sidInvalidRegistryData = 4134;
inline constexpr int sidInvalidStyleString = 4135;
inline constexpr int sidTooManyKeywordTables = 4136;

// ---- Command descriptions: sidCommandBase + command code (0..44) ------------
inline constexpr int sidCommandBase = 4146;
inline constexpr int sidCommandLast = 4190;

// ---- Editor messages ---------------------------------------------------------
inline constexpr int sidBookmarkRange = 4196;
inline constexpr int sidTooManyTabStops = 4197;            // followed by the maximum, 32
inline constexpr int sidTabValueExpected = 4198;
inline constexpr int sidTabOrder = 4199;
inline constexpr int sidTabAboveOne = 4200;
inline constexpr int sidBadDefaultTab = 4201;
inline constexpr int sidParserIndexRange = 4202;
inline constexpr int sidNoClipboardBuffer = 4203;
inline constexpr int sidNotEnoughMemory = 4204;
inline constexpr int sidBadStream = 4205;
inline constexpr int sidCouldNotSave = 4206;
inline constexpr int sidBadTransaction = 4207;
inline constexpr int sidBadStackState = 4208;
inline constexpr int sidStackUnderflow = 4209;

// ---- Regular expressions: sidRegexBase + error number (0..14) ---------------
inline constexpr int sidRegexBase = 4246;
inline constexpr int sidRegexNoError = 4246;
inline constexpr int sidRegexNotFound = 4247;
inline constexpr int sidRegexInvalidParameter = 4248;
inline constexpr int sidRegexOutOfMemory = 4249;
inline constexpr int sidRegexTooManyGroups = 4250;
inline constexpr int sidRegexUnmatchedParen = 4251;
inline constexpr int sidRegexInvalidRepeat = 4252;
inline constexpr int sidRegexNestedRepeat = 4253;
inline constexpr int sidRegexInvalidRange = 4254;
inline constexpr int sidRegexUnmatchedBracket = 4255;
inline constexpr int sidRegexHexDigitExpected = 4256;
inline constexpr int sidRegexUnexpectedEnd = 4257;
inline constexpr int sidRegexQuoteExpected = 4258;
inline constexpr int sidRegexIndexRange = 4259;
inline constexpr int sidRegexInternalError = 4260;
// The not-found box: sidSearchString, a blank, the text in double quotes, a
// blank and sidNotFound.
inline constexpr int sidSearchString = 4261;
inline constexpr int sidNotFound = 4262;

// ---- Editor options dialog (4296-4369) ---------------------------------------
inline constexpr int sidOptionsCaption = 4296;
inline constexpr int sidPageOptions = 4297;
inline constexpr int sidPageHighlighting = 4298;
inline constexpr int sidPageKeys = 4299;
inline constexpr int sidPrintOptions = 4300;
inline constexpr int sidGeneralOptions = 4306;
inline constexpr int sidIndentStep = 4313;
inline constexpr int sidWrapColumn = 4314;
inline constexpr int sidRightMargin = 4317;
inline constexpr int sidGutterWidth = 4318;
inline constexpr int sidLanguageStyle = 4319;
inline constexpr int sidElement = 4320;
inline constexpr int sidForeground = 4322;
inline constexpr int sidBackground = 4324;
inline constexpr int sidTextAttributes = 4328;
inline constexpr int sidBold = 4329;
inline constexpr int sidItalic = 4330;
inline constexpr int sidUnderline = 4331;
inline constexpr int sidTabColumns = 4337;
inline constexpr int sidTabStop = 4338;
inline constexpr int sidPageAutoCorrect = 4339;
inline constexpr int sidPageTemplates = 4340;
inline constexpr int sidSize = 4341;
inline constexpr int sidCodeTemplate = 4342;
inline constexpr int sidUseDefaultsFor = 4347;
inline constexpr int sidCommands = 4348;
inline constexpr int sidUsesKeys = 4349;
inline constexpr int sidAdd = 4350;
inline constexpr int sidDelete = 4351;
inline constexpr int sidReplace = 4352;
inline constexpr int sidWith = 4353;
inline constexpr int sidActKeys = 4354;
inline constexpr int sidHotkey = 4355;
inline constexpr int sidName = 4356;
inline constexpr int sidDescription = 4357;
inline constexpr int sidOK = 4358;
inline constexpr int sidCancel = 4359;
inline constexpr int sidSelectedText = 4360;
inline constexpr int sidLeftMargin = 4361;
inline constexpr int sidGutter = 4362;
inline constexpr int sidFont = 4364;
inline constexpr int sidEdit = 4368;
// The option check boxes (4301-4305, 4307-4312, 4315, 4316, 4335, 4336,
// 4343-4346, 4365, 4366, 4369) are listed with their bits by the options page.

struct TStringEntry {
    int id;
    const char* text;
};

// Every entry of the table, sorted by number, numbers unique.
std::span<const TStringEntry> StringTableEntries();

}  // namespace tarnwick
