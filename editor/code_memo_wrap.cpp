// Word wrap in the widget: how much of a logical line fits the wrap width.
// The wrap column counts columns; wrapping at the window's width measures
// the text area in pixels. The cut itself is the model's (Rewrap).
#include "editor/code_memo.h"

#include <cstring>

namespace tarnwick {

TWrapRule TCustomCodeMemo::MakeWrapRule()
{
    TWrapRule rule;
    rule.Wrap = WordWrap();
    if (!rule.Wrap)
        return rule;
    if ((Options() & smoWrapOverride) != 0)
        rule.Override = WrapOverride();
    const int wrapColumn = WrapAtColumn();
    const int pixels = std::max(1, viewport()->width() - TextLeft());
    if (wrapColumn > 0)
        rule.Fit = [this, wrapColumn](std::string_view text) {
            return FitColumns(text, wrapColumn);
        };
    else if (metrics_.FixedPitch)
        rule.Fit = [this, pixels](std::string_view text) {
            return FitColumns(text, std::max(1, pixels / metrics_.CharWidth));
        };
    else
        rule.Fit = [this, pixels](std::string_view text) { return FitPixels(text, pixels); };
    return rule;
}

size_t TCustomCodeMemo::FitColumns(std::string_view text, int columns) const
{
    columns = std::max(columns, 1);
    const size_t scan = std::min(text.size(), static_cast<size_t>(columns) + 1);
    if (std::memchr(text.data(), '\t', scan) == nullptr)
        return static_cast<size_t>(columns);
    // With TABs the columns are counted, stopping one tab width short so a
    // TAB at the end never runs past the edge.
    const int limit = std::max(1, columns - model_.Tabs().TabDefault());
    int column = 0;
    size_t count = 0;
    for (const char c : text) {
        const int next = c == '\t' ? model_.NextTabStop(column) : column + 1;
        if (next > limit)
            break;
        column = next;
        ++count;
    }
    return std::max<size_t>(count, 1);
}

size_t TCustomCodeMemo::FitPixels(std::string_view text, int pixels) const
{
    int x = 0;
    int column = 0;
    size_t count = 0;
    for (const char c : text) {
        int advance = metrics_.Advance[static_cast<unsigned char>(c)];
        int next = column + 1;
        if (c == '\t') {
            next = model_.NextTabStop(column);
            advance = (next - column) * metrics_.Advance[' '];
        }
        if (x + advance > pixels)
            break;
        x += advance;
        column = next;
        ++count;
    }
    return std::max<size_t>(count, 1);
}

void TCustomCodeMemo::RewrapRange(int64_t firstLine, int64_t lastLine)
{
    model_.Rewrap(firstLine, lastLine, MakeWrapRule());
    numberIndex_ = -1;
}

void TCustomCodeMemo::RewrapAll()
{
    RewrapRange(0, -1);
    model_.ScrollCaret();
    UpdateScrollBars();
    RepaintAll();
}

} // namespace tarnwick
