// Search driving, whole-word plain search and Replace All.
#include "editor/core/search.h"

#include <algorithm>

namespace tarnwick {

bool DefaultCharIsInWord(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '\'' ||
           c == '-';
}

std::string NotFoundText(std::string_view searchText)
{
    std::string text = "Search string";
    text += " \"";
    text += searchText;
    text += "\" ";
    text += "not found.";
    return text;
}

std::string ReplacePromptText(std::string_view searchText, std::string_view replacement)
{
    std::string text = "Replace this occurence of '";
    text += searchText;
    text += "' with '";
    text += replacement;
    text += "' ?";
    return text;
}

TSearchEngine::TSearchEngine() = default;

TSearchHit TSearchEngine::FindPlain(TSourceCursor& cursor, std::string_view pattern, int64_t from, bool forward,
                                    bool matchCase, bool wholeWord)
{
    skip_.Prepare(pattern, matchCase);
    const int64_t m = static_cast<int64_t>(pattern.size());
    const int64_t n = cursor.Length();
    for (;;) {
        const int64_t at = HorspoolFind(cursor, skip_, from, forward, matchCase);
        if (at < 0)
            return {};
        if (wholeWord) {
            auto inWord = [&](int64_t offset) {
                const unsigned char c = cursor.At(offset);
                return CharIsInWord ? CharIsInWord(c) : DefaultCharIsInWord(c);
            };
            if ((at > 0 && inWord(at - 1)) || (at + m < n && inWord(at + m))) {
                // Part of a longer word: go on one character further.
                from = forward ? at + 1 : at - 1;
                if (from < 0)
                    return {};
                continue;
            }
        }
        return {at, m};
    }
}

TSearchHit TSearchEngine::FindFrom(const TSearchSource& text, int flags, std::string_view pattern, int64_t from)
{
    const bool forward = !(flags & srchBackwards);
    hitPositions_.clear();
    if (pattern.empty())
        return {};
    if (flags & srchRegExpr) {
        parser_.CompileOrThrow(pattern);
        if (from < 0 || from > text.Length() || !parser_.Exec(text, from, forward))
            return {};
        for (int i = 0; i < parser_.PositionCount(); ++i)
            hitPositions_.push_back(parser_.MatchPosition(i));
        return {parser_.MatchStart(), parser_.MatchEnd() - parser_.MatchStart()};
    }
    TSourceCursor cursor(text);
    if (from < 0 || from > text.Length())
        return {};
    const TSearchHit hit = FindPlain(cursor, pattern, from, forward, (flags & srchMatchCase) != 0,
                                     (flags & srchWholeWord) != 0);
    if (hit.Found())
        hitPositions_ = {hit.Start, hit.Start + hit.Length};
    return hit;
}

std::string TSearchEngine::ErrorBoxText(const ERegExpr& error, std::string_view pattern) const
{
    return error.Position >= 0 ? parser_.ErrorBoxText() : TREParser::ErrorBoxText(error, pattern);
}

TSearchOutcome TSearchEngine::Run(const TSearchSource& text, int flags, std::string_view pattern, int64_t from)
{
    TSearchOutcome outcome;
    try {
        outcome.Hit = FindFrom(text, flags, pattern, from);
    } catch (const ERegExpr& error) {
        outcome.ErrorText = ErrorBoxText(error, pattern);
        outcome.Hit = {};
    }
    if (outcome.Hit.Found())
        lastHitStart_ = outcome.Hit.Start;
    return outcome;
}

TSearchOutcome TSearchEngine::Search(const TSearchSource& text, int flags, std::string_view pattern,
                                     int64_t selStart, int64_t selEnd)
{
    const int64_t n = text.Length();
    selStart = std::clamp<int64_t>(selStart, 0, n);
    selEnd = std::clamp<int64_t>(selEnd, 0, n);
    if (selEnd < selStart)
        std::swap(selStart, selEnd);
    if (pattern.empty())
        return {};
    int64_t from = 0;
    if (flags & srchBackwards) {
        if (selStart == 0)
            return {};
        from = selStart - 1;
    } else {
        if (selEnd >= n)
            return {};
        from = (flags & srchRegExpr) ? selEnd : selStart;
    }
    return Run(text, flags, pattern, from);
}

TSearchOutcome TSearchEngine::FindNext(const TSearchSource& text, int flags, std::string_view pattern,
                                       int64_t selStart, int64_t selEnd)
{
    const int64_t n = text.Length();
    selStart = std::clamp<int64_t>(selStart, 0, n);
    selEnd = std::clamp<int64_t>(selEnd, 0, n);
    if (selEnd < selStart)
        std::swap(selStart, selEnd);
    if (pattern.empty())
        return {};
    const bool again = selStart == lastHitStart_;
    int64_t from = 0;
    if (flags & srchBackwards)
        from = again ? selStart - 1 : selStart;
    else if (flags & srchRegExpr)
        from = (again && selEnd == selStart) ? selEnd + 1 : selEnd;
    else
        from = again ? selStart + 1 : selStart;
    if (from < 0 || from > n)
        return {};
    return Run(text, flags, pattern, from);
}

std::vector<TReplaceEdit> TSearchEngine::ReplaceAll(const TSearchSource& text, int flags, std::string_view pattern,
                                                    std::string_view replacement, int64_t from)
{
    std::vector<TReplaceEdit> edits;
    const int64_t n = text.Length();
    const int forwardFlags = flags & ~srchBackwards;
    for (int64_t at = std::clamp<int64_t>(from, 0, n); at <= n;) {
        const TSearchHit hit = FindFrom(text, forwardFlags, pattern, at);
        if (!hit.Found())
            break;
        edits.push_back({hit.Start, hit.Length, ExpandReplacement(replacement, hitPositions_, text)});
        // Matches do not overlap; after an empty match the next one starts a
        // character further, so the loop always moves on.
        at = hit.Start + std::max<int64_t>(hit.Length, 1);
        if (hit.Length == 0 && hit.Start >= n)
            break;
    }
    if (!edits.empty())
        lastHitStart_ = edits.back().Start;
    return edits;
}

}  // namespace tarnwick
