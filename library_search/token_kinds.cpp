// Classing token values by the styles that show them, and per-character
// kinds of one snippet.
#include "library_search/token_kinds.h"

#include "editor/core/sm_settings.h"
#include "platform/ascii_text.h"
#include "platform/file_names.h"
#include "scheme/code_memo_parser.h"

#include <optional>

namespace tarnwick {

namespace {

// Effect numbers of the IDE highlight elements "Comment" and "String".
constexpr uint8_t kIdeCommentEffect = 5;
constexpr uint8_t kIdeStringEffect = 3;

bool Holds(std::string_view upperName, std::string_view word)
{
    return upperName.find(word) != std::string_view::npos;
}

std::optional<TTokenKind> StyleKind(std::string_view name, bool schemeHasStrings)
{
    const std::string upper = UpperCaseAscii(name);
    if (Holds(upper, "COMMENT") || Holds(upper, "DOCUMENTATION"))
        return TTokenKind::Comment;
    if (Holds(upper, "STRING") || Holds(upper, "QUOTED"))
        return TTokenKind::String;
    if (schemeHasStrings && StartsWithAscii(upper, "ESCAPE"))
        return TTokenKind::String;
    return std::nullopt;
}

}  // namespace

TTokenKindTable ClassTokenValues(const TSM_Settings& settings)
{
    std::array<TTokenKind, 256> byEffect{};
    byEffect.fill(TTokenKind::Code);
    bool named = false;
    bool hasStrings = false;
    for (const TSM_EditableStyle& style : settings.EditableStyles)
        if (StyleKind(style.Name, false) == TTokenKind::String)
            hasStrings = true;
    // The first style that shows an effect decides it, as the options dialog
    // lists that style for it.
    std::array<bool, 256> decided{};
    for (const TSM_EditableStyle& style : settings.EditableStyles) {
        if (decided[style.Effect])
            continue;
        decided[style.Effect] = true;
        if (const std::optional<TTokenKind> kind = StyleKind(style.Name, hasStrings)) {
            byEffect[style.Effect] = *kind;
            named = true;
        }
    }
    if (!named) {
        byEffect[kIdeCommentEffect] = TTokenKind::Comment;
        byEffect[kIdeStringEffect] = TTokenKind::String;
    }
    TTokenKindTable table{};
    for (size_t value = 0; value < table.size(); ++value)
        table[value] = byEffect[settings.EffectMap[value]];
    return table;
}

TSnippetTokens::TSnippetTokens(TCodeMemoParser& scheme)
    : scheme_(scheme), table_(ClassTokenValues(scheme.Settings()))
{
}

void TSnippetTokens::Load(std::string_view text)
{
    model_.LoadFromText(text);
    THighlightPass(scheme_).RunAll(model_.Store().First(), model_.CharCount());
    values_.clear();
    values_.reserve(static_cast<size_t>(model_.CharCount()));
    for (const TLineRec* rec = model_.First(); rec != nullptr; rec = rec->Next)
        for (size_t i = 0; i < rec->Len; ++i)
            values_.push_back(rec->Attrs ? rec->Attrs[i] : 0);
}

bool TSnippetTokens::AllOf(int64_t offset, int64_t length, TTokenKind kind) const
{
    if (offset < 0 || length < 0 || offset + length > static_cast<int64_t>(values_.size()))
        return false;
    for (int64_t i = offset; i < offset + length; ++i)
        if (table_[values_[static_cast<size_t>(i)]] != kind)
            return false;
    return true;
}

}  // namespace tarnwick
