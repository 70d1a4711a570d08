// Typing: insert and overwrite mode, auto-indent on Enter, tab-to-column
// and fill strings; block indent and unindent; word selection and the word
// character tests.
#include "editor/core/code_memo_guards.h"
#include "editor/core/code_memo_model.h"

#include "editor/core/memo_options.h"

namespace tarnwick {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsAsciiLetter(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

// ---------------------------------------------------------------- words

bool TCodeMemoModel::CharIsInWord(unsigned char c) const
{
    if (fn_CharIsInWord)
        return fn_CharIsInWord(c);
    return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_' || c == '\'' || c == '-';
}

bool TCodeMemoModel::CharStartsWord(unsigned char c) const
{
    if (fn_CharStartsWord)
        return fn_CharStartsWord(c);
    return IsAsciiLetter(c) || c == '_';
}

void TCodeMemoModel::SelectWord()
{
    SyncCaretState();
    const TCaretLine line = CaretLine();
    if (line.Loc.Rec == nullptr || line.Virtual)
        return;
    const TLineRec& rec = *line.Loc.Rec;
    const size_t length = rec.TextLen();
    const auto in = [&](size_t i) { return CharIsInWord(static_cast<unsigned char>(rec.Text[i])); };
    const size_t caret = std::min(static_cast<size_t>(caret_ - line.Loc.Start), length);

    size_t at = caret;
    if (at >= length || !in(at)) {
        // The word ending before the caret, else the line's first word.
        size_t back = caret;
        while (back > 0 && !in(back - 1))
            --back;
        if (back > 0) {
            at = back - 1;
        } else {
            at = 0;
            while (at < length && !in(at))
                ++at;
            if (at == length) {
                PlaceCaret(line.Loc.Start, false);
                return;
            }
        }
    }
    size_t first = at;
    while (first > 0 && in(first - 1))
        --first;
    size_t end = at;
    while (end < length && in(end))
        ++end;
    pastEOL_ = false;
    SelectNoNotify(line.Loc.Start + static_cast<int64_t>(first), line.Loc.Start + static_cast<int64_t>(first));
    MoveTo(line.Loc.Start + static_cast<int64_t>(end), true);
}

// ---------------------------------------------------------------- fills

std::string TCodeMemoModel::FillString(int from, int to) const
{
    std::string fill;
    if (to <= from)
        return fill;
    int column = from;
    if ((Options & smoUseTAB) != 0 && (Options & smoSmartFill) != 0) {
        for (;;) {
            const int next = NextTabStop(column);
            if (next > to || next <= column)
                break;
            fill.push_back('\t');
            column = next;
        }
    }
    fill.append(static_cast<size_t>(to - column), ' ');
    return fill;
}

// ---------------------------------------------------------------- typing

bool TCodeMemoModel::KeyPress(char ch)
{
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
    case '\r':
        if (!WantReturns)
            return false;
        TypeText(kCR);
        return true;
    case '\n':
        // Ctrl+Enter breaks the line where returns go to the dialog.
        if (WantReturns)
            return false;
        TypeText(kCR);
        return true;
    case '\t':
        if (!WantTab)
            return false;
        if ((Options & smoTabToColumn) != 0 && (Options & smoWordWrap) == 0)
            TabToColumn();
        else if ((Options & smoUseTAB) != 0)
            TypeText('\t');
        else
            TabToColumn();
        return true;
    default:
        if (c < 32 || c == 127)
            return false;
        TypeText(ch);
        return true;
    }
}

void TCodeMemoModel::TypeText(char c)
{
    if (ReadOnly)
        return;
    SyncCaretState();
    const bool enter = c == kCR;
    const bool autoIndent = enter && (Options & smoAutoIndent) != 0;
    // Measured before the break goes in: the line as it is now.
    const int indent = autoIndent ? AutoIndentColumn() : 0;
    {
        TUpdateGuard update(*this);
        TGroupGuard group(*this, autoIndent ? ugEnterIndent : ugTyping);
        if (!enter && anchor_ == caret_)
            FillToCaret();
        pastEOL_ = false;
        // Overwrite replaces the character at the caret, never a line end.
        if (!insertMode_ && !enter && anchor_ == caret_ && caret_ < charCount_ &&
            CharAt(caret_) != kCR)
            SelectNoNotify(caret_, caret_ + 1);
        InsertText(std::string_view(&c, 1));
        if (indent > 0)
            InsertText(FillString(0, indent));
    }
    PlaceCaret(caret_, false);
}

int TCodeMemoModel::PreviousIndent(const TLineRec* rec) const
{
    for (; rec != nullptr; rec = rec->Prev) {
        if (rec->IsContinuation())
            continue;
        const size_t length = rec->TextLen();
        size_t i = 0;
        while (i < length && IsBlank(rec->Text[i]))
            ++i;
        if (i < length)
            return ColumnOfIndex(*rec, i);
    }
    return 0;
}

int TCodeMemoModel::AutoIndentColumn() const
{
    const TCaretLine caret = CaretLine();
    if (caret.Loc.Rec == nullptr)
        return 0;
    if (caret.Virtual)
        return PreviousIndent(caret.Loc.Rec);
    const TLineLoc line = LogicalLineStart(caret.Loc);
    const TLineRec& rec = *line.Rec;
    const size_t length = rec.TextLen();
    if (length == 0)
        return PreviousIndent(rec.Prev);
    size_t blanks = 0;
    while (blanks < length && IsBlank(rec.Text[blanks]))
        ++blanks;
    if (blanks == 0)
        return 0;
    // The caret within the leading blanks (a blank line's end included)
    // indents to the caret; elsewhere to the first non-blank character.
    if (line.Rec == caret.Loc.Rec && caret_ - line.Start <= static_cast<int64_t>(blanks))
        return ColumnOfIndex(rec, static_cast<size_t>(caret_ - line.Start));
    return ColumnOfIndex(rec, blanks);
}

int TCodeMemoModel::TabTarget(int column) const
{
    const int next = NextTabStop(column);
    if ((Options & smoTabToColumn) == 0)
        return next;
    const TCaretLine caret = CaretLine();
    const TLineRec* rec = caret.Loc.Rec;
    if (rec != nullptr && !caret.Virtual)
        rec = rec->Prev;
    for (; rec != nullptr; rec = rec->Prev) {
        if (LineEndColumn(*rec) <= column)
            continue;
        // Align with the start of the next word on the nearest line above
        // that reaches past the caret: skip the rest of the word under the
        // caret's column there, then the blanks after it.
        const size_t length = rec->TextLen();
        size_t i = IndexOfColumn(*rec, column);
        while (i < length && !IsBlank(rec->Text[i]))
            ++i;
        while (i < length && IsBlank(rec->Text[i]))
            ++i;
        if (i < length) {
            const int target = ColumnOfIndex(*rec, i);
            if (target > column)
                return target;
        }
        return next;
    }
    return next;
}

void TCodeMemoModel::TabToColumn()
{
    if (ReadOnly)
        return;
    SyncCaretState();
    {
        TUpdateGuard update(*this);
        TGroupGuard group(*this, ugTyping);
        if (anchor_ != caret_)
            DeleteSelection();
        const int column = CaretColumn();
        const int target = TabTarget(column);
        if (PastLineEnd()) {
            const int from = CaretLineEndColumn();
            pastEOL_ = false;
            InsertText(FillString(from, target));
        } else {
            InsertText(FillString(column, target));
        }
    }
    PlaceCaret(caret_, false);
}

// ---------------------------------------------------------------- blocks

// Start offsets of the lines a block operation touches: from the line of the
// selection start to the line of its end, without a line the selection only
// touches at its first character. Only logical lines count: a continuation
// piece is never prefixed, so a long line is not cut open in the middle.
std::vector<int64_t> TCodeMemoModel::BlockLineStarts() const
{
    std::vector<int64_t> starts;
    if (anchor_ == caret_ || store_->First() == nullptr)
        return starts;
    const int64_t end = SelEnd();
    TLineLoc at = LogicalLineStart(FindLine(SelStart()));
    for (const TLineRec* rec = at.Rec; rec != nullptr && at.Start < end; rec = rec->Next) {
        if (!rec->IsContinuation() || starts.empty())
            starts.push_back(at.Start);
        at.Start += rec->Len;
    }
    return starts;
}

namespace {

// Where an offset ends up after `count` characters went in at `at`; an
// offset right at the insertion stays, so a selection starting there grows
// over the new text.
int64_t AfterInsert(int64_t offset, int64_t at, int64_t count)
{
    return offset > at ? offset + count : offset;
}

int64_t AfterRemove(int64_t offset, int64_t at, int64_t count)
{
    if (offset >= at + count)
        return offset - count;
    return offset > at ? at : offset;
}

}  // namespace

void TCodeMemoModel::IndentBlock(int count, bool useTabs)
{
    if (ReadOnly || anchor_ == caret_ || count < 1)
        return;
    count = std::min(count, static_cast<int>(kMaxRecordLen));
    const std::vector<int64_t> starts = BlockLineStarts();
    if (starts.empty())
        return;
    const char fill = useTabs && (Options & smoUseTAB) != 0 ? '\t' : ' ';
    const std::string prefix(static_cast<size_t>(count), fill);
    const auto n = static_cast<int64_t>(prefix.size());
    int64_t anchor = anchor_;
    int64_t caret = caret_;
    {
        TUpdateGuard update(*this);
        TGroupGuard group(*this, ugBlockIndent);
        int64_t shift = 0;
        for (const int64_t start : starts) {
            const int64_t at = start + shift;
            SelectNoNotify(at, at);
            RawInsertAtCaret(prefix);
            LogIndent(at, prefix);
            anchor = AfterInsert(anchor, at, n);
            caret = AfterInsert(caret, at, n);
            shift += n;
        }
        SelectNoNotify(anchor, caret);
        MarkChanged(-1);
    }
    PlaceCaret(caret_, true);
}

void TCodeMemoModel::UnindentBlock(int count)
{
    if (ReadOnly || anchor_ == caret_ || count < 1)
        return;
    const std::vector<int64_t> starts = BlockLineStarts();
    int64_t anchor = anchor_;
    int64_t caret = caret_;
    TUpdateGuard update(*this);
    std::optional<TGroupGuard> group;
    int64_t shift = 0;
    for (const int64_t start : starts) {
        const int64_t at = start - shift;
        const TLineLoc loc = FindLine(at);
        const TLineRec& rec = *loc.Rec;
        const size_t length = rec.TextLen();
        size_t k = 0;
        while (k < static_cast<size_t>(count) && k < length &&
               (IsBlank(rec.Text[k]) || static_cast<unsigned char>(rec.Text[k]) == 0xA0))
            ++k;
        if (k == 0)
            continue;
        if (!group)
            group.emplace(*this, ugBlockUnindent);
        const std::string removed(rec.Text.get(), k);
        const auto n = static_cast<int64_t>(k);
        SelectNoNotify(at, at + n);
        RawDeleteSelection();
        LogUnindent(at, removed);
        anchor = AfterRemove(anchor, at, n);
        caret = AfterRemove(caret, at, n);
        shift += n;
    }
    if (!group)
        return;
    SelectNoNotify(anchor, caret);
    MarkChanged(-1);
    group.reset();
    PlaceCaret(caret_, true);
}

}  // namespace tarnwick
