// TSM_Settings: everything that shapes an editor's behaviour and look apart
// from its own font and a few control-level properties — option bits,
// margins, colours, tab stops, the 256 display effects and the
// token-to-effect map, editable styles, the scheme's font and gutter font,
// keyword tables, key assignments, code templates and auto-replace entries.
//
// Every editor owns a private settings object; while a scheme is the
// editor's active scheme the editor uses the scheme's object instead, so all
// editors showing one scheme share one set of settings. The object keeps the
// list of editors attached to it, builds a font description per defined
// effect while at least one is attached, and tells them about changes
// through TCodeMemoClient.
//
// The object writes itself to, and reads itself from, the settings block of a
// compiled scheme (little-endian):
//   long string example text, language name, wrap-override text;
//   32-bit options, margin, right margin, wrap column, gutter width, indent
//     step, margin colour, gutter colour, selection text colour, selection
//     background, default tab width;
//   32-bit count of defined effects; per effect: 8-bit number, 8-bit style
//     bits, 32-bit foreground, 32-bit background, 8-bit foreground-default,
//     8-bit background-default, 8-bit hot-spot, 32-bit defined (1);
//   32-bit count of non-zero map entries; per entry: 8-bit token value,
//     8-bit effect;
//   32-bit count of editable styles; per style: long string name, 8-bit
//     effect;
//   the tab-stop table: 32 x 32-bit 0-based columns, -1 for unused;
//   long string font name, 32-bit size, 8-bit character set, 8-bit default
//     flags for margin colour, selection text colour, selection background
//     and gutter colour;
//   32-bit count of keyword tables; per table: 32-byte state set, long
//     string follow text, 32-bit case flag, 32-bit word count, per word: long
//     string word, 32-bit token value;
//   the auto-replace list, the code templates and the key assignments in
//     their own stream formats;
//   only when the stream version is above 50: long string gutter font name,
//     32-bit size, 8-bit character set, 32-bit colour, 8-bit style bits.
// A long string is a 32-bit length and that many bytes.
//
// Reading is all or nothing: the block is read into a fresh object and
// taken over only when all of it was read, so a malformed block raises
// (EReadError "Stream read error", or the message of the part that was bad)
// and leaves the object exactly as it was. Writing and reading back gives
// the same bytes again.
#pragma once

#include "editor/core/auto_replace.h"
#include "editor/core/code_memo_client.h"
#include "editor/core/code_templates.h"
#include "editor/core/keyboard_controller.h"
#include "editor/core/keywords.h"
#include "editor/core/memo_options.h"
#include "editor/core/sm_base.h"
#include "editor/core/sm_colors.h"
#include "editor/core/state_set.h"

#include <array>
#include <bitset>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// Font style bits of effects and fonts.
inline constexpr uint8_t kStyleBold = 1;
inline constexpr uint8_t kStyleItalic = 2;
inline constexpr uint8_t kStyleUnderline = 4;
inline constexpr uint8_t kStyleStrikeOut = 8;

// Character sets (the platform's numbering).
inline constexpr uint8_t kAnsiCharset = 0;
inline constexpr uint8_t kDefaultCharset = 1;

inline constexpr int kEffectCount = 256;
inline constexpr int kMaxEditableStyles = 25;
inline constexpr size_t kMaxStyleNameLength = 25;
inline constexpr int kMaxKeywordTables = 21;
inline constexpr int kTabStopCount = 32;

// No stream version: write and read everything (the gutter font included).
inline constexpr int kNoStreamVersion = INT_MAX;

// A font described without any window system; the widget turns it into a
// real font.
struct TSM_FontDesc {
    std::string Name;
    int32_t Size = 10;  // points
    uint8_t CharSet = kDefaultCharset;
    uint8_t Style = 0;  // kStyle... bits
    TColor Color = clWindowText;
    bool operator==(const TSM_FontDesc&) const = default;
};

// One display effect. With a default flag set the painter uses effect 0's
// colour (or, for effect 0 itself, the system window colours).
struct TSM_Effect {
    uint8_t Style = 0;
    TColor Fore = clBlack;
    TColor Back = clWhite;
    uint8_t ForeDefault = 0;
    uint8_t BackDefault = 0;
    uint8_t HotSpot = 0;
    bool Defined = false;
    bool operator==(const TSM_Effect&) const = default;
};

struct TSM_EditableStyle {
    std::string Name;  // at most kMaxStyleNameLength characters
    uint8_t Effect = 0;
    bool operator==(const TSM_EditableStyle&) const = default;
};

struct TSM_KeywordWord {
    std::string Word;  // as written; lower-cased in the lookup store when CaseFlag is 0
    int32_t Token = 0;
    bool operator==(const TSM_KeywordWord&) const = default;
};

// A table of extra keywords valid in a set of tokenizer states.
struct TSM_KeywordTable {
    TStateSet States;
    std::string FollowText;  // raw character specifier; empty = any character
    int32_t CaseFlag = 0;    // non-zero: the words are case-sensitive
    std::vector<TSM_KeywordWord> Words;
    bool operator==(const TSM_KeywordTable&) const = default;
};

// The plain values of a settings object, with their reset values. Public so
// that the editor's properties read and write them directly; the setters of
// TSM_Settings check the values that have limits.
struct TSM_Values {
    std::string ExampleText;
    std::string LanguageName;  // reset: string 4128, "<Custom language>"
    std::string WrapOverride = ">|:";
    uint32_t Options = kOptionsReset;
    int32_t Margin = 2;         // pixels
    int32_t RightMargin = 80;   // column
    int32_t WrapAtColumn = 0;   // 0 = the window's width
    int32_t Gutter = 34;        // pixels
    int32_t IndentStep = 1;
    TColor MarginColor = clWhite;
    TColor GutterColor = clBtnFace;
    TColor SelTextColor = clHighlightText;
    TColor SelTextBack = clHighlight;
    int32_t TabDefault = 4;     // > 0
    // 0-based explicit tab columns, strictly increasing, -1 after the last.
    std::array<int32_t, kTabStopCount> TabColumns;
    std::array<TSM_Effect, kEffectCount> Effects;
    std::array<uint8_t, 256> EffectMap{};  // token value -> effect
    std::vector<TSM_EditableStyle> EditableStyles;  // at most kMaxEditableStyles
    TSM_FontDesc Font{"Courier New", 10, kDefaultCharset, 0, clWindowText};
    // When set, the system colour is used instead of the stored one.
    uint8_t MarginColorDefault = 0;
    uint8_t SelTextColorDefault = 0;
    uint8_t SelTextBackDefault = 0;
    uint8_t GutterColorDefault = 0;
    TSM_FontDesc GutterFont{"MS Sans Serif", 8, kDefaultCharset, 0, clWindowText};

    TSM_Values();
    bool operator==(const TSM_Values&) const = default;
};

// The option bits with their published and scheme-script names.
struct TSM_OptionName {
    uint32_t Bit;
    const char* Name;        // smo...
    const char* ScriptName;  // __OPT_...
};
inline constexpr std::array<TSM_OptionName, 25> kOptionNames{{
    {smoLineNumbers, "smoLineNumbers", "__OPT_LINE_NUMBERS"},
    {smoSyntaxHighlight, "smoSyntaxHighlight", "__OPT_SYNTAX_HIGHLIGHT"},
    {smoPrintWrap, "smoPrintWrap", "__OPT_PRINT_WRAP"},
    {smoPrintLineNos, "smoPrintLineNos", "__OPT_PRINT_LINENOS"},
    {smoPrintFilename, "smoPrintFilename", "__OPT_PRINT_FILENAME"},
    {smoPrintDate, "smoPrintDate", "__OPT_PRINT_DATE"},
    {smoPrintPageNos, "smoPrintPageNos", "__OPT_PRINT_PAGENOS"},
    {smoWordWrap, "smoWordWrap", "__OPT_WORDWRAP"},
    {smoAutoIndent, "smoAutoIndent", "__OPT_AUTOINDENT"},
    {smoTabToColumn, "smoTabToColumn", "__OPT_TABCOLUMN"},
    {smoWrapOverride, "smoWrapOverride", "__OPT_WRAP_OVERRIDE"},
    {smoWordSelect, "smoWordSelect", "__WORD_SELECT"},
    {smoShowRMargin, "smoShowRMargin", "__OPT_SHOW_RMARGIN"},
    {smoShowGutter, "smoShowGutter", "__OPT_SHOW_GUTTER"},
    {smoShowWrapColumn, "smoShowWrapColumn", "__OPT_SHOW_WRAPCOLUMN"},
    {smoTitleAsFilename, "smoTitleAsFilename", "__OPT_TITLE_AS_FILENAME"},
    {smoProcessDroppedFiles, "smoProcessDroppedFiles", "__OPT_PROCESS_DROP_FILES"},
    {smoBlockOverwriteCursor, "smoBlockOverwriteCursor", "__OPT_BLOCK_CURSOR"},
    {smoShowWrapGlyph, "smoShowWrapGlyph", "__OPT_WRAP_GLYPH"},
    {smoColumnTrack, "smoColumnTrack", "__OPT_COLUMN_TRACK"},
    {smoUseTAB, "smoUseTAB", "__OPT_USE_TAB"},
    {smoSmartFill, "smoSmartFill", "__OPT_SMART_FILL"},
    {smoOLEDragSource, "smoOLEDragSource", "__OPT_OLE_DRAG_SOURCE"},
    {smoShowAllChars, "smoShowAllChars", "__OPT_SHOW_CONTROL_CHARS"},
    {smoCaretAfterEOL, "smoCaretAfterEOL", "__OPT_CARET_AFTER_EOL"},
}};

class TSM_Settings : public TSM_Base, public TSM_Values {
public:
    TSM_Settings();
    ~TSM_Settings() override;
    TSM_Settings(const TSM_Settings&) = delete;
    TSM_Settings& operator=(const TSM_Settings&) = delete;

    const char* ClassName() const override { return "TSM_Settings"; }
    std::unique_ptr<TSM_Base> NewInstance() const override;

    // Every field back to its reset value: no keyword tables, cleared
    // templates and auto-replace list (default delimiters), key assignments
    // copied from the default controller. Attached editors stay attached and
    // their effect fonts are rebuilt; they are not notified.
    void Reset();

    // The settings block in the format of StreamVersion (see above).
    void WriteToStream(TSMStreamWriter& stream) const override;
    void ReadFromStream(TSMStreamReader& stream) override;
    // The same with an explicit version: 50 and below carry no gutter font
    // (reading then keeps the current one).
    void WriteToStream(TSMStreamWriter& stream, int version) const;
    void ReadFromStream(TSMStreamReader& stream, int version);
    // Copies another settings object through a memory stream (gutter font
    // included); any other class raises EConvertError "Cannot assign a %s to
    // %s". The attached editors are kept and not notified.
    void Assign(const TSM_Base& source) override;

    // The version a scheme sets while it saves (51) or loads; the default
    // kNoStreamVersion writes and reads everything.
    int StreamVersion = kNoStreamVersion;

    // ---- values with limits ----
    // The tab stops as text: the 1-based columns separated by single blanks.
    std::string TabColumnsText() const;
    // Parses 1-based columns separated by blanks or ';' (at most 32, each
    // > 1, strictly increasing); raises ECodeMemo with the tab-stop
    // messages and keeps the old stops on any error.
    void SetTabColumnsText(std::string_view text);
    // Raises ECodeMemo "=Illegal default tab stop value, must be > 0" for a
    // value below 1; the old value stays.
    void SetTabDefault(int32_t value);

    // Appends a style in the first free slot; false when all 25 are used.
    // The name is cut to 25 characters.
    bool AddEditableStyle(std::string_view name, uint8_t effect);

    // Sets the gutter font and tells the attached editors.
    void SetGutterFont(const TSM_FontDesc& font);
    // Rebuilds the effect fonts and tells the attached editors that the
    // effects or the map changed (after a dialog or the IDE bridge wrote
    // them).
    void EffectsChanged();
    // Tells the attached editors that anything may have changed.
    void NotifyChanged(TSM_Change change = TSM_Change::smcAll);

    // ---- keyword tables ----
    // Adds a table of extra keywords. An empty state set means {0}. A table
    // whose state set equals an existing table's set replaces it; one that
    // meets another table's set without being equal raises EKeywords
    // "Ambigious key table state definition"; a 22nd table raises EKeywords
    // "Too many keyword tables declared". A bad follow text, a token value
    // outside 0..255 or a word given twice for the table also raise
    // EKeywords. On any error the tables are unchanged.
    void AddKeywordTable(const TStateSet& states, std::string_view followText, int32_t caseFlag,
                         std::vector<TSM_KeywordWord> words);
    const std::vector<TSM_KeywordTable>& KeywordTables() const { return tables_; }
    // All tables' words in one store, as the tokenizer consults them after
    // the scheme's own words. Valid until the tables change.
    const TKeywords& KeywordStore() const { return *keywordStore_; }
    bool HasKeywordTables() const { return !tables_.empty(); }

    // ---- lists ----
    // These objects are replaced by Reset, ReadFromStream and Assign; take
    // them again after such a change rather than keeping a reference. The
    // controller's OnRecognised callback is carried over to its replacement.
    TKeyboardActionContoller& Keys() { return *keys_; }
    const TKeyboardActionContoller& Keys() const { return *keys_; }
    TAutoReplace& AutoReplace() { return *autoReplace_; }
    const TAutoReplace& AutoReplace() const { return *autoReplace_; }
    TCodeTemplates& Templates() { return *templates_; }
    const TCodeTemplates& Templates() const { return *templates_; }

    // ---- attached editors ----
    // Attaching an editor that is already attached, or detaching one that is
    // not, does nothing. The first attachment builds the effect fonts, the
    // last detachment releases them.
    void AttachEditor(TCodeMemoClient* editor);
    void DetachEditor(TCodeMemoClient* editor);
    bool IsAttached(const TCodeMemoClient* editor) const;
    int EditorCount() const { return static_cast<int>(editors_.size()); }
    const std::vector<TCodeMemoClient*>& Editors() const { return editors_; }

    // ---- effect fonts ----
    // For each defined effect: the settings' font name, size and character
    // set with the effect's style bits.
    void RebuildFonts();
    void ReleaseFonts();
    bool FontsBuilt() const { return fontsBuilt_; }
    // The font of a defined effect; null when the fonts are not built or the
    // effect is not defined.
    const TSM_FontDesc* EffectFont(uint8_t effect) const;

private:
    // Reads a key-assignment block so that writing the controller gives the
    // same bytes back (see the stream file).
    static void ReadKeys(TSMStreamReader& stream, TKeyboardActionContoller& keys);
    void ReadBody(TSMStreamReader& stream, int version);
    // Exchanges every streamed part with `other` (attached editors, fonts
    // and the stream version stay where they are).
    void SwapData(TSM_Settings& other) noexcept;
    void TakeOverFrom(TSM_Settings& fresh);
    void ResetData();

    std::vector<TSM_KeywordTable> tables_;
    std::unique_ptr<TKeywords> keywordStore_;
    std::unique_ptr<TKeyboardActionContoller> keys_;
    std::unique_ptr<TAutoReplace> autoReplace_;
    std::unique_ptr<TCodeTemplates> templates_;

    std::vector<TCodeMemoClient*> editors_;
    std::array<TSM_FontDesc, kEffectCount> effectFonts_;
    std::bitset<kEffectCount> fontBuilt_;
    bool fontsBuilt_ = false;
};

}  // namespace tarnwick
