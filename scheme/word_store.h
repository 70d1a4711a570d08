// TWordStore: the compiler's dictionary of words, used for its macro table
// (words with replacement texts) and its reserved-word table (words with
// integer codes).
//
// Words are kept in a character trie with a 256-entry index from the first
// character to its first-level node, so a lookup starts without a search.
// Words are stored and looked up in lower case (ASCII letters only are
// folded), so every operation ignores letter case.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class TWordStore {
public:
    TWordStore();

    // Adds `word` with a text value; an existing word's text is replaced.
    // An empty word is ignored.
    void AddText(std::string_view word, std::string_view text);
    // Adds `word` with an integer value; an existing word's value is replaced.
    void AddValue(std::string_view word, int value);

    bool Exists(std::string_view word) const;
    // The word's text; nullptr when the word is absent or has no text.
    const std::string* Text(std::string_view word) const;
    // The word's integer value; -1 when the word is absent or has none.
    int Value(std::string_view word) const;

    // Longest match at text[pos...]: the integer value of the longest stored
    // word with an integer value that the text continues with, `pos` moved past it. A word whose last
    // character is a letter, digit or underscore counts only when the text does
    // not go on with one of those (so "pushed" does not match "push"). No match
    // returns -1 and leaves `pos` as it was. Reads never go past text.size().
    int Match(std::string_view text, size_t& pos) const;

    size_t WordCount() const { return words_; }

private:
    struct TNode {
        uint8_t ch = 0;
        bool isWord = false;
        int32_t sibling = -1;
        int32_t child = -1;
        int value = -1;
        std::optional<std::string> text;
    };

    int32_t FindChild(int32_t parent, uint8_t ch) const;
    int32_t Find(std::string_view word) const;
    int32_t Insert(std::string_view word);

    std::vector<TNode> nodes_;
    std::array<int32_t, 256> first_;
    size_t words_ = 0;
};

// ASCII letter folding as the compiler compares names.
inline char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}
std::string LowerCaseAscii(std::string_view text);

// Identifier characters of the script language: ASCII letters, digits, '_'.
inline bool IsIdentStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
inline bool IsIdentChar(char c)
{
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}

}  // namespace tarnwick
