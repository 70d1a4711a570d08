// Test helpers for the editor's commands: a text with the caret written as
// "|" and the anchor (when it differs) as "^", line breaks written as "\n".
#pragma once

#include "editor/core/code_memo_model.h"

#include <string>
#include <string_view>

namespace tarnwick::test {

// Loads the marked text into the model and selects as marked.
inline void SetState(TCodeMemoModel& model, std::string_view marked)
{
    std::string text;
    int64_t caret = -1;
    int64_t anchor = -1;
    for (const char c : marked) {
        if (c == '|')
            caret = static_cast<int64_t>(text.size());
        else if (c == '^')
            anchor = static_cast<int64_t>(text.size());
        else
            text.push_back(c == '\n' ? '\r' : c);
    }
    model.LoadFromText(text);
    if (caret < 0)
        caret = 0;
    model.SetSelection(anchor < 0 ? caret : anchor, caret);
}

// The model's text with its caret and anchor marked.
inline std::string State(const TCodeMemoModel& model)
{
    std::string out;
    const std::string text = model.Text();
    for (size_t i = 0; i <= text.size(); ++i) {
        const auto at = static_cast<int64_t>(i);
        if (at == model.SelAnchor() && model.SelAnchor() != model.SelCaret())
            out.push_back('^');
        if (at == model.SelCaret())
            out.push_back('|');
        if (i < text.size())
            out.push_back(text[i] == '\r' ? '\n' : text[i]);
    }
    return out;
}

}  // namespace tarnwick::test
