// Template and auto-replace expansions as pure computations.
#include "editor/core/macro_expansion.h"

#include "editor/core/auto_replace.h"
#include "editor/core/text_normalise.h"

#include <algorithm>

namespace tarnwick {

namespace {

// A record holds at most 2047 characters, so no sensible indent is wider.
constexpr int kMaxIndent = 2047;

bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool StartsWord(const TExpansionContext& context, unsigned char c)
{
    return context.CharStartsWord ? context.CharStartsWord(c) : DefaultCharStartsWord(c);
}

bool InWord(const TExpansionContext& context, unsigned char c)
{
    return context.CharIsInWord ? context.CharIsInWord(c) : DefaultCharIsInWord(c);
}

int ColumnAt(const TExpansionContext& context, int64_t offset)
{
    if (context.ColumnOf)
        return context.ColumnOf(offset);
    int64_t lineStart = offset;
    while (lineStart > 0 && context.Text->CharAt(lineStart - 1) != '\r')
        --lineStart;
    return static_cast<int>(std::min<int64_t>(offset - lineStart, kMaxIndent));
}

// Every line after the first gets `column` blanks in front; a break at the
// very end of the text gets none, and a CR LF (or LF CR) pair stays one
// break.
std::string IndentLaterLines(const std::string& text, int column)
{
    const std::string blanks(static_cast<size_t>(column), ' ');
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        out.push_back(c);
        if (c != '\r' && c != '\n')
            continue;
        const char pair = c == '\r' ? '\n' : '\r';
        if (i + 1 < text.size() && text[i + 1] == pair)
            out.push_back(text[++i]);
        if (i + 1 < text.size())
            out += blanks;
    }
    return out;
}

std::string TextRange(TCustomEdStream& text, int64_t from, int64_t to)
{
    std::string range;
    for (int64_t pos = from; pos < to; ++pos)
        range.push_back(static_cast<char>(text.CharAt(pos)));
    return range;
}

}  // namespace

bool DefaultCharStartsWord(unsigned char c) { return IsLetter(c) || c == '_'; }

std::optional<TExpansion> ComputeExpansion(const TMacroKeywords& list,
                                           const TExpansionContext& context, int64_t itemStart,
                                           const std::string& name, std::string replacement)
{
    TCustomEdStream& text = *context.Text;
    const int64_t caret = std::clamp<int64_t>(context.Caret, 0, text.TextLength());
    itemStart = std::clamp<int64_t>(itemStart, 0, caret);

    if (dynamic_cast<const TAutoReplace*>(&list) != nullptr) {
        const std::string item = TextRange(text, itemStart, caret);
        bool allowed = true;
        if (!item.empty() && InWord(context, static_cast<unsigned char>(item.back())) &&
            InWord(context, text.CharAt(caret)))
            allowed = false;
        if (!replacement.empty() && StartsWord(context, static_cast<unsigned char>(replacement[0])) &&
            InWord(context, text.CharAt(itemStart - 1)))
            allowed = false;
        if (context.OnAutoReplace) {
            const int64_t saved = text.Position();
            text.Seek(itemStart);
            context.OnAutoReplace(text, item, replacement, allowed);
            text.Seek(saved);
        }
        if (!allowed)
            return std::nullopt;
    } else if (context.OnTemplateEvent) {
        context.OnTemplateEvent(name, replacement);
    }

    if (list.IndentLines && !replacement.empty()) {
        const int column = std::clamp(ColumnAt(context, itemStart), 0, kMaxIndent);
        replacement = IndentLaterLines(replacement, column);
    }

    TExpansion expansion;
    expansion.ReplaceStart = itemStart;
    expansion.ReplaceEnd = caret;
    expansion.Text = NormaliseInput(replacement);
    if (list.CaretMarker) {
        const size_t marker = expansion.Text.find('|');
        if (marker != std::string::npos) {
            expansion.Text.erase(marker, 1);
            expansion.CaretAfter = itemStart + static_cast<int64_t>(marker);
        }
    }
    return expansion;
}

TMacroKeyOutcome HandleMacroKey(TMacroKeywords& list, const TExpansionContext& context,
                                uint16_t& key, TShiftState shift)
{
    TMacroKeyOutcome outcome;
    if (context.Text == nullptr || !list.IsTrigger(key, shift))
        return outcome;
    TCustomEdStream& text = *context.Text;
    const int64_t caret = std::clamp<int64_t>(context.Caret, 0, text.TextLength());

    if (const std::optional<TMacroMatch> match = list.MatchBefore(text, caret)) {
        outcome.Handled = true;
        if (list.SwallowKey)
            key = 0;
        TExpansionContext at = context;
        at.Caret = caret;
        outcome.Expansion =
            ComputeExpansion(list, at, match->Start, match->Entry->Name, match->Entry->Expansion);
        return outcome;
    }
    if (!list.PopupList || list.Count() == 0)
        return outcome;

    TPopupRequest popup;
    int64_t start = caret;
    while (start > 0) {
        const unsigned char c = text.CharAt(start - 1);
        if (!StartsWord(context, c) && !InWord(context, c))
            break;
        --start;
    }
    popup.WordStart = start;
    popup.WordEnd = caret;
    popup.TypedWord = AnsiLower(TextRange(text, start, caret));
    popup.Items = list.List();
    for (size_t i = 0; i < popup.Items.size(); ++i) {
        if (popup.Items[i]->Name.find(popup.TypedWord) != std::string::npos) {
            popup.Preselect = static_cast<int>(i);
            break;
        }
    }
    list.TypedWord = popup.TypedWord;
    outcome.Handled = true;
    key = 0;
    outcome.Popup = std::move(popup);
    return outcome;
}

std::optional<TExpansion> ExpandChosen(const TMacroKeywords& list, const TExpansionContext& context,
                                       const TPopupRequest& popup, const TMacroEntry& chosen)
{
    TExpansionContext at = context;
    int64_t itemStart = context.Caret;
    if (!popup.TypedWord.empty() && chosen.Name.find(popup.TypedWord) != std::string::npos) {
        itemStart = popup.WordStart;
        at.Caret = popup.WordEnd;
    }
    return ComputeExpansion(list, at, itemStart, chosen.Name, chosen.Expansion);
}

int FindByPrefix(const std::vector<const TMacroEntry*>& items, std::string_view typed)
{
    const std::string prefix = AnsiLower(typed);
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i]->Name.compare(0, prefix.size(), prefix) == 0)
            return static_cast<int>(i);
    return -1;
}

}  // namespace tarnwick
