// The reserved-word store and its stream form.
#include "scheme/syntax_keywords.h"

namespace tarnwick {

namespace {

// Smallest stream form of one word after its length byte: class, set, token.
constexpr size_t kMinWordTail = (TSet256::kBytes + 4 + 1) + TStateSet::kBytes + 4;

}  // namespace

std::unique_ptr<TSM_Base> TSyntaxKeywords::NewInstance() const
{
    return std::make_unique<TSyntaxKeywords>(*classes_);
}

void TSyntaxKeywords::AddWord(std::string_view word, bool caseSensitive, int token,
                              const TStateSet& states, const TCharSet& follow, int followClass)
{
    // The empty word would also end the stored list early, and everything
    // after it would be read as the next part of the scheme.
    if (word.empty())
        return;
    if (word.size() > kMaxWordLength)
        throw EKeywords("Keyword too long - '" + std::string(word.substr(0, 32)) + "...'");
    if (token < 0 || token > 255)
        throw EKeywords("Token value " + std::to_string(token) + " out of range 0..255");

    TCharSet followSet = follow;
    int classIndex = followClass;
    if (classIndex != kNoClass) {
        const TSM_CharGroup& group = classes_->Group(classIndex);
        followSet.reset();
        for (int c = 0; c < 256; ++c)
            if (group.Contains(static_cast<uint8_t>(c)))
                followSet.set(static_cast<size_t>(c));
    } else if (followSet.any()) {
        TSM_CharGroup group;
        for (int c = 0; c < 256; ++c)
            if (followSet.test(static_cast<size_t>(c)))
                group.Add(static_cast<uint8_t>(c));
        classIndex = classes_->Add(group);
    }

    TKeywords::AddWord(word, caseSensitive, token, states, followSet, classIndex);
    list_.push_back({caseSensitive ? std::string(word) : AnsiLower(word), states, classIndex,
                     token});
}

void TSyntaxKeywords::Clear()
{
    TKeywords::Clear();
    list_.clear();
}

void TSyntaxKeywords::WriteToStream(TSMStreamWriter& stream) const
{
    stream.I32(CaseFlag);
    stream.I32(static_cast<int32_t>(list_.size()));
    for (const TEndStyleObject& entry : list_) {
        stream.ShortString(entry.Word);
        classes_->WriteGroup(stream, entry.FollowClass);
        stream.StateSet(entry.States);
        stream.I32(entry.Token);
    }
    stream.U8(0);
}

void TSyntaxKeywords::ReadFromStream(TSMStreamReader& stream)
{
    TSyntaxKeywords fresh(*classes_);
    fresh.CaseFlag = stream.I32();
    stream.I32();  // the word count; the empty word ends the list
    for (;;) {
        const std::string word = stream.ShortString();
        if (word.empty())
            break;
        if (stream.Remaining() < kMinWordTail)
            throw EReadError();
        int followClass = classes_->ReadGroup(stream);
        // An empty class puts no condition on the next character, as no class.
        if (classes_->IsEmptyGroup(followClass))
            followClass = kNoClass;
        const TStateSet states = stream.StateSet();
        const int32_t token = stream.I32();
        if (token < 0 || token > 255)
            throw EReadError();
        // The words were stored as the trie held them, so adding them with
        // the scheme's case rule rebuilds the same trie.
        fresh.AddWordWithClass(word, fresh.CaseSensitive(), token, states, followClass);
    }
    SwapWords(fresh);
    list_.swap(fresh.list_);
    CaseFlag = fresh.CaseFlag;
}

}  // namespace tarnwick
