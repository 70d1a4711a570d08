// Driving a search over the editor's text: the request flags, plain search
// (Horspool, optionally whole words only), regular-expression search through
// TREParser, where a search starts from the selection, the not-found and
// confirmation texts, and Replace All.
//
// TSearchEngine holds what lives as long as an editor control: the cached
// skip tables, the compiled expression, the start of the last hit and the
// word-character test. It knows nothing of dialogs or undo; the control
// selects the hits it returns and applies Replace All's edit list with
// TCodeMemoModel::ApplyReplaceEdits, in one undo group.
#pragma once

#include "editor/core/re_parser.h"
#include "editor/core/search_replace.h"
#include "editor/core/search_skip_table.h"
#include "editor/core/search_source.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// Search request flags (the wParam of the search message).
enum TSearchFlag : int {
    srchNoDialog = 8,     // search now, without a dialog
    srchMatchCase = 16,   // plain search only; expressions always match case
    srchRegExpr = 32,
    srchWholeWord = 64,   // plain search only
    srchBackwards = 128,
};

// A character test as the editor's hosts supply it (fn_CharIsInWord).
using TCharTest = std::function<bool(unsigned char)>;

// The default word-character test: a letter, a digit, "_", the apostrophe
// or "-".
bool DefaultCharIsInWord(unsigned char c);

struct TSearchHit {
    int64_t Start = -1;
    int64_t Length = 0;
    bool Found() const { return Start >= 0; }
};

struct TSearchOutcome {
    TSearchHit Hit;
    // Set when a regular expression failed to compile or to run: the error
    // box text (message, pattern, caret line). The search then reports no hit
    // and no not-found message is due.
    std::string ErrorText;
    bool Failed() const { return !ErrorText.empty(); }
};

// "Search string \"<text>\" not found."
std::string NotFoundText(std::string_view searchText);
// "Replace this occurence of '<search>' with '<replacement>' ?"
std::string ReplacePromptText(std::string_view searchText, std::string_view replacement);

class TSearchEngine {
public:
    TSearchEngine();

    // The search without dialog: a regular expression is searched from the
    // end of the selection forwards, a plain text from its start; backwards,
    // both search from just before the selection's start. Forwards from a
    // selection ending at the end of the text, or backwards from one starting
    // at 0, finds nothing; so does an empty pattern.
    TSearchOutcome Search(const TSearchSource& text, int flags, std::string_view pattern, int64_t selStart,
                          int64_t selEnd);

    // Find next (or previous, with srchBackwards), as the find dialog and
    // repeated searches do: from the selection, but never the hit found last
    // time again. Forwards, a plain search starts at the selection's start
    // (one on when that is where the last hit started); an expression starts
    // at the selection's end (one on after an empty hit). Backwards, both
    // start at the selection's start (one back when that is where the last
    // hit started).
    TSearchOutcome FindNext(const TSearchSource& text, int flags, std::string_view pattern, int64_t selStart,
                            int64_t selEnd);

    // One search from `from`: the first hit starting at or after it, or with
    // srchBackwards the last one starting at or before it. Raises ERegExpr for
    // a bad expression.
    TSearchHit FindFrom(const TSearchSource& text, int flags, std::string_view pattern, int64_t from);

    // The recorded positions of the last hit (an expression's list; for a
    // plain hit its start and end), for ExpandReplacement.
    const std::vector<int64_t>& HitPositions() const { return hitPositions_; }

    // Replace All from `from` to the end of the text: every hit (for an
    // expression, every match, an empty one included) with its expanded
    // replacement, collected before anything is changed, in text order and
    // not overlapping. Raises ERegExpr for a bad expression. An empty list
    // means nothing was found.
    std::vector<TReplaceEdit> ReplaceAll(const TSearchSource& text, int flags, std::string_view pattern,
                                         std::string_view replacement, int64_t from);

    int64_t LastHitStart() const { return lastHitStart_; }
    void ForgetLastHit() { lastHitStart_ = -1; }

    // The error box text of an expression fault raised by FindFrom or
    // ReplaceAll: a compile error points into the pattern the parser
    // scanned; a run-time error has no position and puts the caret first.
    std::string ErrorBoxText(const ERegExpr& error, std::string_view pattern) const;

    TREParser& Parser() { return parser_; }
    const TSkipTable& SkipTable() const { return skip_; }

    // The word test for whole-word search; DefaultCharIsInWord when empty.
    TCharTest CharIsInWord;

private:
    TSearchHit FindPlain(TSourceCursor& cursor, std::string_view pattern, int64_t from, bool forward,
                         bool matchCase, bool wholeWord);
    TSearchOutcome Run(const TSearchSource& text, int flags, std::string_view pattern, int64_t from);

    TSkipTable skip_;
    TREParser parser_;
    int64_t lastHitStart_ = -1;
    std::vector<int64_t> hitPositions_;
};

}  // namespace tarnwick
