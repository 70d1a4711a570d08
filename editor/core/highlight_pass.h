// THighlightPass: the editor's incremental highlighting. It asks a scheme's
// tokenizer for the token values of the text and stores them, one per
// character, in the line records' Attrs.
//
// A pass starts at a restart point before the first changed record: the
// record before it is searched backwards, through its stored token values
// and those of earlier records, for a token value of the scheme's anchor
// set; the pass restarts at the first character of that value's run, and
// the token value just before that point (0 at the start of the text)
// resets the tokenizer. A record without token values is a restart point at
// its first character; a change in the first record restarts at the start
// of the text.
//
// Token values are collected for each record in a scratch buffer (a token
// may run across records); when a record is complete its stored values are
// replaced and it is flagged for repaint. Records up to the visible lines
// + 2 below the change (and the whole visible window) are always coloured;
// past them the pass stops at the first record whose values did not change,
// ends on a token boundary, is not inside a container, and for which the
// scheme's bound query does not ask for more. RunAll colours every record.
//
// Containers: when the tokenizer reports a container token, the pass reads
// it again from its start token by token; inside it a token of value 0 takes
// the container's value. A token that finishes one container and reports a
// container again is read once more on its own, so that the next container
// starts from the state set restored at the end of the first.
//
// The pass allocates only for records that had no token values yet. An
// exception from the tokenizer (a custom-parse handler, "Stack underflow")
// leaves the records completed so far coloured, resets the tokenizer and
// goes on up to the caller.
#pragma once

#include "editor/core/code_memo_client.h"
#include "editor/core/code_memo_parser_base.h"
#include "editor/core/line_rec.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace tarnwick {

// Where the pass starts and what the window shows, as record indexes.
struct THighlightSpan {
    TLineRec* Changed = nullptr;  // the first changed record
    int64_t ChangedStart = 0;     // its first character's offset
    int64_t ChangedIndex = 0;     // its index
    int64_t FirstVisible = 0;     // the first visible record
    int64_t LastVisible = 0;      // the last visible record
};

// What a pass wrote: the records whose token values it replaced (indexes,
// -1 when none) and how many characters it read.
struct THighlightResult {
    int64_t FirstLine = -1;
    int64_t LastLine = -1;
    int64_t CharsRead = 0;
};

class THighlightPass {
public:
    // `editor` is handed to the tokenizer (which attaches it to the scheme);
    // null for headless use.
    explicit THighlightPass(TCustomCodeMemoParser& scheme, TCodeMemoClient* editor = nullptr);

    // Called for every token with its value (which it may change; values
    // outside 0..255 are taken as 0) and its extent [ExtentStart, ExtentEnd).
    std::function<void(int& TokenValue, int64_t ExtentStart, int64_t ExtentEnd)> OnTokenSeen;
    // Dispatches pending window messages while the scheme is busy before a
    // pass; returns false when nothing is left to dispatch, which ends the
    // wait (a headless caller leaves it empty and never waits).
    std::function<bool()> ProcessMessages;

    // Recolours from `span.Changed` in the chain that starts at `first`,
    // `textLength` characters long.
    THighlightResult Run(TLineRec* first, int64_t textLength, const THighlightSpan& span);
    // Colours every record of the chain.
    THighlightResult RunAll(TLineRec* first, int64_t textLength);

private:
    struct TRestart {
        TLineRec* Rec = nullptr;
        int64_t RecStart = 0;
        int64_t Index = 0;
        int64_t Offset = 0;  // absolute
        int Context = 0;
    };
    // The last record index a pass colours whatever it finds.
    static int64_t MustScanTo(const THighlightSpan& span);
    TRestart FindRestart(TLineRec* rec, int64_t recStart, int64_t index) const;
    THighlightResult Scan(TLineRec* first, int64_t textLength, const TRestart& from,
                          int64_t mustScanTo);

    TCustomCodeMemoParser& scheme_;
    TCodeMemoClient* editor_;
    // Token values of the record being coloured; grows to the longest record.
    std::vector<uint8_t> scratch_;
};

}  // namespace tarnwick
