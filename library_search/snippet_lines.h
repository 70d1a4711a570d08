// Walking a stored text line by line with the editor's line-break rule: CR LF
// and LF CR pairs, a lone CR and a lone LF each end one line. Besides the
// byte range of each line it keeps the line's number and where the line
// starts in the editor's text (where every break is one CR), so a hit in the
// stored bytes can be shown as line and column and selected in the editor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarnwick {

class TLineWalker {
public:
    // Stands on the first line of `text` (which must outlive the walker).
    explicit TLineWalker(std::string_view text);

    // Moves forward to the next line; false (and nothing moves) on the last.
    bool Next();
    // Moves forward to the line holding byte `offset` (or the last line);
    // never moves back.
    void MoveTo(size_t offset);

    int64_t Number() const { return number_; }           // from 1
    size_t Start() const { return start_; }              // first byte
    size_t End() const { return end_; }                  // the line break (or the end)
    int64_t EditorStart() const { return editorStart_; } // the first byte's editor offset
    std::string_view Text() const { return text_.substr(start_, end_ - start_); }

private:
    void FindEnd();

    std::string_view text_;
    int64_t number_ = 1;
    size_t start_ = 0;
    size_t end_ = 0;
    size_t next_ = 0;  // where the following line starts, past the break
    int64_t editorStart_ = 0;
};

}  // namespace tarnwick
