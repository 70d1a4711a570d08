// Which of a scheme's token values are comments, which are strings and which
// are the rest of the code, and the kind of every character of one snippet
// as the editor's highlighting would colour it.
//
// A token value is classed through what the user sees of it: the value's
// effect (the scheme's map), then the name of the editable style that shows
// that effect. A style whose name holds "comment" or "documentation" (doc
// comments, POD) is a comment; one whose name holds "string" or "quoted"
// (Batch's "Quoted argument"), or starts with "escape" in a scheme that has
// a string style (escapes and holes live inside strings), is a string; every
// other value is code. A scheme that names no comment and no string style
// (a hand-written one without editable styles) is classed by the effect
// numbers the IDE highlight settings use: effect 5 is a comment, effect 3 a
// string. Every shipped scheme names its styles, so the first rule serves
// them all.
#pragma once

#include "editor/core/code_memo_model.h"
#include "editor/core/highlight_pass.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tarnwick {

class TCodeMemoParser;
struct TSM_Settings;

enum class TTokenKind : uint8_t { Code, Comment, String };

using TTokenKindTable = std::array<TTokenKind, 256>;

TTokenKindTable ClassTokenValues(const TSM_Settings& settings);

// The kinds of the characters of one text at a time, by the editor's
// character offsets (the text loaded as the editor loads it: a line break is
// one CR). The scheme must outlive this object and is used by no one else
// meanwhile (the tokenizer keeps state in it).
class TSnippetTokens {
public:
    explicit TSnippetTokens(TCodeMemoParser& scheme);

    // Tokenizes `text` (raw bytes as stored). Exceptions of the tokenizer
    // ("Stack underflow", a custom-parse handler) pass through.
    void Load(std::string_view text);

    // True when every character of [offset, offset + length) is of `kind`;
    // false for a range outside the loaded text.
    bool AllOf(int64_t offset, int64_t length, TTokenKind kind) const;

private:
    TCodeMemoParser& scheme_;
    TTokenKindTable table_;
    TCodeMemoModel model_;
    std::vector<uint8_t> values_;
};

}  // namespace tarnwick
