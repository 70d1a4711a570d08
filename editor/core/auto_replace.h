// TAutoReplace: the auto-replace ("Auto correct") list of an editor's
// settings — words replaced as soon as a delimiter key is typed after them.
//
// The delimiter keys come from a specification string, by default
// ";,:.=()[]\{Return}\{Tab}\{Space}". In it:
//   - "\n" and "\r" mean Return, "\s" Space, "\t" Tab;
//   - "\{name}" means the key with that name (letters and digits between the
//     braces, any case): backspace, delete, down, end, home, insert, left,
//     f1..f12, pagedown, pageup, return, right, space, tab, up; an unknown
//     name adds nothing; a missing "}" raises EKeywords "Bad key specifier";
//   - a backslash before any other character means that character's key
//     without modifiers (a backslash at the very end means the backslash key);
//   - any other character means the key, with its modifiers, that types it.
// Each key is listed once. The list's entries have no description; the
// delimiter is typed after the replacement (the key is not swallowed) and
// replacements are inserted as they are (no indenting, no caret marker, no
// pop-up list).
//
// Stream format: TMacroKeywords's, then the delimiter specification string (1-byte
// length + characters).
#pragma once

#include "editor/core/code_templates.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

inline constexpr std::string_view kDefaultDelimiters = ";,:.=()[]\\{Return}\\{Tab}\\{Space}";

class TAutoReplace : public TCodeTemplates {
public:
    TAutoReplace();

    const char* ClassName() const override { return "TAutoReplace"; }
    std::unique_ptr<TSM_Base> NewInstance() const override;

    void AddEntry(std::string_view word, std::string_view replacement)
    {
        AddMacro(word, std::nullopt, replacement);
    }

    // Parses and stores a delimiter specification. On "Bad key specifier"
    // the previous specification and keys stay in force.
    void SetDelimiters(std::string_view text);
    const std::string& Delimiters() const { return spec_; }

    // True when the key with its Shift and Ctrl state is a delimiter key;
    // never for an empty specification.
    bool IsTrigger(uint16_t key, TShiftState shift) const override;

    // Empties the list and restores the default delimiters.
    void Clear() override;

protected:
    void WriteTail(TSMStreamWriter& stream) const override;
    void ReadTail(TSMStreamReader& stream) override;
    void TakeFrom(TMacroKeywords& other) override;

private:
    std::string spec_;
    std::vector<TShortCut> keys_;
};

// The delimiter keys a specification names (see above); raises EKeywords
// "Bad key specifier" for a key name without its closing brace.
std::vector<TShortCut> ParseDelimiters(std::string_view text);

}  // namespace tarnwick
