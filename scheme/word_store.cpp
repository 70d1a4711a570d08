// The compiler's word trie: first-character index, sibling/child links in one
// node vector (indices rather than pointers, so copying and freeing are plain).
#include "scheme/word_store.h"

namespace tarnwick {

std::string LowerCaseAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = LowerAscii(c);
    return lower;
}

TWordStore::TWordStore()
{
    first_.fill(-1);
}

int32_t TWordStore::FindChild(int32_t parent, uint8_t ch) const
{
    for (int32_t n = nodes_[size_t(parent)].child; n >= 0; n = nodes_[size_t(n)].sibling) {
        if (nodes_[size_t(n)].ch == ch)
            return n;
    }
    return -1;
}

int32_t TWordStore::Find(std::string_view word) const
{
    if (word.empty())
        return -1;
    int32_t node = first_[uint8_t(LowerAscii(word[0]))];
    for (size_t i = 1; node >= 0 && i < word.size(); ++i)
        node = FindChild(node, uint8_t(LowerAscii(word[i])));
    return (node >= 0 && nodes_[size_t(node)].isWord) ? node : -1;
}

int32_t TWordStore::Insert(std::string_view word)
{
    const uint8_t head = uint8_t(LowerAscii(word[0]));
    int32_t node = first_[head];
    if (node < 0) {
        node = int32_t(nodes_.size());
        TNode fresh;
        fresh.ch = head;
        nodes_.push_back(std::move(fresh));
        first_[head] = node;
    }
    for (size_t i = 1; i < word.size(); ++i) {
        const uint8_t ch = uint8_t(LowerAscii(word[i]));
        int32_t next = FindChild(node, ch);
        if (next < 0) {
            next = int32_t(nodes_.size());
            TNode fresh;
            fresh.ch = ch;
            fresh.sibling = nodes_[size_t(node)].child;
            nodes_.push_back(std::move(fresh));
            nodes_[size_t(node)].child = next;
        }
        node = next;
    }
    if (!nodes_[size_t(node)].isWord) {
        nodes_[size_t(node)].isWord = true;
        ++words_;
    }
    return node;
}

void TWordStore::AddText(std::string_view word, std::string_view text)
{
    if (word.empty())
        return;
    nodes_[size_t(Insert(word))].text = std::string(text);
}

void TWordStore::AddValue(std::string_view word, int value)
{
    if (word.empty())
        return;
    nodes_[size_t(Insert(word))].value = value;
}

bool TWordStore::Exists(std::string_view word) const
{
    return Find(word) >= 0;
}

const std::string* TWordStore::Text(std::string_view word) const
{
    const int32_t node = Find(word);
    if (node < 0 || !nodes_[size_t(node)].text)
        return nullptr;
    return &*nodes_[size_t(node)].text;
}

int TWordStore::Value(std::string_view word) const
{
    const int32_t node = Find(word);
    return node < 0 ? -1 : nodes_[size_t(node)].value;
}

int TWordStore::Match(std::string_view text, size_t& pos) const
{
    if (pos >= text.size())
        return -1;
    int best = -1;
    size_t bestEnd = pos;
    int32_t node = first_[uint8_t(LowerAscii(text[pos]))];
    size_t i = pos;
    while (node >= 0) {
        const TNode& n = nodes_[size_t(node)];
        const size_t end = i + 1;
        if (n.isWord && n.value >= 0) {
            // A word ending in an identifier character must not run on into one.
            const bool bounded =
                !IsIdentChar(text[i]) || end >= text.size() || !IsIdentChar(text[end]);
            if (bounded) {
                best = n.value;
                bestEnd = end;
            }
        }
        if (end >= text.size())
            break;
        node = FindChild(node, uint8_t(LowerAscii(text[end])));
        i = end;
    }
    if (best >= 0)
        pos = bestEnd;
    return best;
}

}  // namespace tarnwick
