// Line walking over stored text.
#include "library_search/snippet_lines.h"

namespace tarnwick {

TLineWalker::TLineWalker(std::string_view text) : text_(text)
{
    FindEnd();
}

void TLineWalker::FindEnd()
{
    size_t i = start_;
    const size_t n = text_.size();
    while (i < n && text_[i] != '\r' && text_[i] != '\n')
        ++i;
    end_ = i;
    if (i == n) {
        next_ = n;
        return;
    }
    const char other = text_[i] == '\r' ? '\n' : '\r';
    next_ = (i + 1 < n && text_[i + 1] == other) ? i + 2 : i + 1;
}

bool TLineWalker::Next()
{
    if (end_ == text_.size())
        return false;
    editorStart_ += static_cast<int64_t>(end_ - start_) + 1;
    ++number_;
    start_ = next_;
    FindEnd();
    return true;
}

void TLineWalker::MoveTo(size_t offset)
{
    while (offset >= next_ && Next()) {
    }
}

}  // namespace tarnwick
