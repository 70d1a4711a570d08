// TSyntaxKeywords: the reserved-word store of a scheme (%%Words).
//
// A keyword trie (TKeywords) that also keeps every word it was given, with
// its entry, in insertion order: that list is what a compiled scheme stores,
// and reading it back rebuilds the same trie. Follow classes are held by
// index in the scheme's class manager, which the store is bound to and which
// must outlive it.
//
// Stream form (the reserved-word part of a compiled scheme):
//   32-bit case flag; 32-bit word count (informational);
//   per word: short string word, class (follow class), 32-byte state set,
//     32-bit token value;
//   one 0 byte (an empty word) that ends the list.
// A reader stops at the empty word, not at the count.
#pragma once

#include "editor/core/keywords.h"
#include "scheme/char_group.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// One word as the store keeps it in its ordered list (the entry object).
struct TEndStyleObject {
    std::string Word;  // as stored in the trie: lower-cased when added case-insensitively
    TStateSet States;
    int FollowClass = kNoClass;
    int Token = 0;
    bool operator==(const TEndStyleObject&) const = default;
};

class TSyntaxKeywords : public TKeywords {
public:
    // Longest word a compiled scheme can hold (its length is one byte).
    static constexpr size_t kMaxWordLength = 255;

    explicit TSyntaxKeywords(TSM_CharGroupManager& classes) : classes_(&classes) {}

    const char* ClassName() const override { return "TSyntaxKeywords"; }
    // A new empty store bound to the same class manager.
    std::unique_ptr<TSM_Base> NewInstance() const override;

    // Adds the word as TKeywords does and records it in the ordered list.
    // `followClass` (an index in the class manager, or kNoClass) decides the
    // follow set; when it is kNoClass and `follow` is not empty, a class for
    // `follow` is added to the manager so that the stream keeps it. Raises
    // EKeywords "Duplicate keyword - '%s'" as TKeywords does, EKeywords for a
    // word longer than 255 characters, "Invalid Set ID (%d)" for a class the
    // manager does not hold, EKeywords for a token value outside 0..255.
    // An empty word is ignored. On any error the store is unchanged.
    void AddWord(std::string_view word, bool caseSensitive, int token, const TStateSet& states,
                 const TCharSet& follow = {}, int followClass = kNoClass) override;
    // The same with the follow class given only by index.
    void AddWordWithClass(std::string_view word, bool caseSensitive, int token,
                          const TStateSet& states, int followClass)
    {
        AddWord(word, caseSensitive, token, states, {}, followClass);
    }

    void WriteToStream(TSMStreamWriter& stream) const override;
    // Replaces the words with those read (the case flag too); all or
    // nothing, except that classes read are left in the class manager.
    void ReadFromStream(TSMStreamReader& stream) override;

    void Clear() override;

    // The scheme's case rule: non-zero = words are compared case-sensitively.
    int32_t CaseFlag = 0;
    bool CaseSensitive() const { return CaseFlag != 0; }

    const std::vector<TEndStyleObject>& Words() const { return list_; }

private:
    TSM_CharGroupManager* classes_;
    std::vector<TEndStyleObject> list_;
};

}  // namespace tarnwick
