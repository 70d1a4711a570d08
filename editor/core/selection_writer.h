// The selection writers: a range of the record chain as text with CR LF, LF
// or bare CR line ends, as HTML or as RTF. They serve saving, the clipboard
// and the selected-text getter.
#pragma once

#include "editor/core/export_highlighter.h"
#include "editor/core/line_rec.h"

#include <cstdint>
#include <string>

namespace tarnwick {

// Output kinds; the values are the private write-selection message's wParam.
enum TWriteKind : int {
    wkBareCR = 0,  // stored bytes as they are
    wkCRLF = 1,    // an LF added after every CR
    wkRTF = 2,
    wkHTML = 4,
    wkLF = 8,      // every CR written as LF
};

class TSelectionWriter {
public:
    // Null: everything is effect 0 (black on white, no style).
    const TExportHighlighter* Highlighter = nullptr;
    std::string FontName = "Courier New";
    int FontSize = 10;          // points
    std::string Title;          // HTML <TITLE>
    std::string DateText;       // HTML Date meta tag

    // Writes characters [start, end) of the chain. `rec` is the record that
    // holds `start` and `recStart` its first offset; offsets beyond the chain
    // are ignored. The caller colours the lines first when it wants tokens.
    std::string Write(const TLineRec* rec, int64_t recStart, int64_t start, int64_t end,
                      TWriteKind kind) const;

private:
    void WritePlain(std::string& out, const TLineRec* rec, int64_t recStart, int64_t start,
                    int64_t end, TWriteKind kind) const;
    void WriteHtml(std::string& out, const TLineRec* rec, int64_t recStart, int64_t start,
                   int64_t end) const;
    void WriteRtf(std::string& out, const TLineRec* rec, int64_t recStart, int64_t start,
                  int64_t end) const;
    TTextEffect EffectAt(const TLineRec& rec, size_t index) const;
};

}  // namespace tarnwick
