// The auto-replace list and its delimiter specifications.
#include "editor/core/auto_replace.h"

#include <algorithm>
#include <cctype>

namespace tarnwick {

namespace {

constexpr TShortCut kModifierBits = scShift | scCtrl | scAlt;

void AddKey(std::vector<TShortCut>& keys, TShortCut key)
{
    if (key != 0 && std::find(keys.begin(), keys.end(), key) == keys.end())
        keys.push_back(key);
}

}  // namespace

std::vector<TShortCut> ParseDelimiters(std::string_view text)
{
    std::vector<TShortCut> keys;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\\') {
            AddKey(keys, KeyScan(c));
            continue;
        }
        if (++i >= text.size()) {
            AddKey(keys, KeyScan('\\'));
            break;
        }
        switch (text[i]) {
        case 'n':
        case 'r':
            AddKey(keys, VK_RETURN);
            break;
        case 's':
            AddKey(keys, VK_SPACE);
            break;
        case 't':
            AddKey(keys, VK_TAB);
            break;
        case '{': {
            const size_t close = text.find('}', i + 1);
            if (close == std::string_view::npos)
                throw EKeywords("Bad key specifier");
            std::string name;
            for (size_t k = i + 1; k < close; ++k)
                if (std::isalnum(static_cast<unsigned char>(text[k])))
                    name.push_back(
                        static_cast<char>(std::tolower(static_cast<unsigned char>(text[k]))));
            AddKey(keys, DelimiterKeyFromName(name));
            i = close;
            break;
        }
        default:
            AddKey(keys, static_cast<TShortCut>(KeyScan(text[i]) & ~kModifierBits));
            break;
        }
    }
    return keys;
}

TAutoReplace::TAutoReplace()
{
    SwallowKey = false;
    IndentLines = false;
    CaretMarker = false;
    PopupList = false;
    SetDelimiters(kDefaultDelimiters);
}

std::unique_ptr<TSM_Base> TAutoReplace::NewInstance() const
{
    return std::make_unique<TAutoReplace>();
}

void TAutoReplace::SetDelimiters(std::string_view text)
{
    // Parsed in full before anything is replaced: a bad specification must
    // not cost the user the delimiters that worked.
    std::vector<TShortCut> keys = ParseDelimiters(text);
    keys_ = std::move(keys);
    spec_ = std::string(text);
}

bool TAutoReplace::IsTrigger(uint16_t key, TShiftState shift) const
{
    if (spec_.empty())
        return false;
    const TShortCut pressed = ShortCut(key, static_cast<TShiftState>(shift & (ssShift | ssCtrl)));
    return pressed != 0 && std::find(keys_.begin(), keys_.end(), pressed) != keys_.end();
}

void TAutoReplace::Clear()
{
    TCodeTemplates::Clear();
    SetDelimiters(kDefaultDelimiters);
}

void TAutoReplace::WriteTail(TSMStreamWriter& stream) const { stream.ShortString(spec_); }

void TAutoReplace::ReadTail(TSMStreamReader& stream) { SetDelimiters(stream.ShortString()); }

void TAutoReplace::TakeFrom(TMacroKeywords& other)
{
    TCodeTemplates::TakeFrom(other);
    auto& source = static_cast<TAutoReplace&>(other);
    spec_.swap(source.spec_);
    keys_.swap(source.keys_);
}

}  // namespace tarnwick
