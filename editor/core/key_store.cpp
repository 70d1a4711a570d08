// The key-binding tree and its matcher.
#include "editor/core/key_store.h"

#include "editor/core/keyboard_controller.h"

#include <utility>

namespace tarnwick {

namespace {

constexpr TShortCut kModifierBits = scShift | scCtrl | scAlt;

TShortCut WithoutModifiers(TShortCut key)
{
    return static_cast<TShortCut>(key & ~kModifierBits);
}

}  // namespace

namespace {

uint32_t IndexKey(int parent, TShortCut key)
{
    return (static_cast<uint32_t>(parent + 1) << 16) | key;
}

}  // namespace

int TKeyStore::FindInList(int parent, TShortCut key) const
{
    const auto it = index_.find(IndexKey(parent, key));
    return it == index_.end() ? -1 : it->second;
}

int TKeyStore::AppendToList(int parent, TShortCut key)
{
    const int index = static_cast<int>(nodes_.size());
    TKeyNode node;
    node.Key = key;
    node.Parent = parent;
    nodes_.push_back(node);
    index_[IndexKey(parent, key)] = index;
    int& head = parent < 0 ? first_ : nodes_[static_cast<size_t>(parent)].Child;
    int& tail = parent < 0 ? last_ : nodes_[static_cast<size_t>(parent)].LastChild;
    if (head < 0)
        head = index;
    else
        nodes_[static_cast<size_t>(tail)].Next = index;
    tail = index;
    return index;
}

int TKeyStore::FirstBoundIn(int head) const
{
    std::vector<int> order;
    CollectOrder(head, order);
    for (int n : order)
        if (nodes_[static_cast<size_t>(n)].Ends)
            return n;
    return -1;
}

void TKeyStore::RaiseDuplicate(int newCode, int existingCode) const
{
    std::string newText, oldText;
    if (controller_) {
        newText = controller_->GetDescription(newCode);
        oldText = controller_->GetDescription(existingCode);
    }
    throw EAmbigiousKeyPair("Duplicate key sequence definition for\r\n\"" + newText +
                            "\" and \"" + oldText + "\"");
}

void TKeyStore::AddBinding(TShortCut firstKey, TShortCut secondKey, int code)
{
    // A second key made of modifiers alone can never be pressed, and a stream
    // would store it as "no second key", turning it into a one-key binding of
    // the first key that conflicts with its sequences: it is not added.
    if (secondKey != 0 && WithoutModifiers(secondKey) == 0)
        return;
    int node = FindInList(-1, firstKey);
    if (node < 0) {
        node = AppendToList(-1, firstKey);
    } else if (secondKey == 0 && nodes_[static_cast<size_t>(node)].Child >= 0) {
        const int bound = FirstBoundIn(nodes_[static_cast<size_t>(node)].Child);
        RaiseDuplicate(code, bound >= 0 ? nodes_[static_cast<size_t>(bound)].Code : -1);
    }
    // A first key that is bound by itself cannot start a sequence; the
    // check below reports it against that binding.
    if (secondKey != 0 && !nodes_[static_cast<size_t>(node)].Ends) {
        const TShortCut key = WithoutModifiers(secondKey);
        int child = FindInList(node, key);
        if (child < 0)
            child = AppendToList(node, key);
        node = child;
    }
    TKeyNode& target = nodes_[static_cast<size_t>(node)];
    if (target.Ends)
        RaiseDuplicate(code, target.Code);
    target.Code = code;
    target.Ends = true;
}

TKeyStore::TMatch TKeyStore::Match(TShortCut shortCut, int& code)
{
    code = -1;
    const bool inSequence = current_ >= 0;
    if (inSequence)
        shortCut = WithoutModifiers(shortCut);
    const int node = shortCut == 0 ? -1 : FindInList(current_, shortCut);
    if (node < 0) {
        current_ = -1;
        return TMatch::NotFound;
    }
    const TKeyNode& found = nodes_[static_cast<size_t>(node)];
    if (found.Child >= 0) {
        current_ = node;
        return TMatch::Pending;
    }
    current_ = -1;
    lastCode_ = found.Code;
    code = found.Code;
    return TMatch::Recognised;
}

void TKeyStore::CollectOrder(int head, std::vector<int>& order) const
{
    // Iterative form of: visit node; walk(next sibling); walk(first child).
    const size_t begin = order.size();
    for (int n = head; n >= 0; n = nodes_[static_cast<size_t>(n)].Next)
        order.push_back(static_cast<int>(n));
    const size_t end = order.size();
    for (size_t i = end; i > begin; --i) {
        const int child = nodes_[static_cast<size_t>(order[i - 1])].Child;
        if (child >= 0)
            CollectOrder(child, order);
    }
}

std::vector<TKeyBinding> TKeyStore::Bindings() const
{
    std::vector<int> order;
    CollectOrder(first_, order);
    std::vector<TKeyBinding> bindings;
    for (int n : order) {
        const TKeyNode& node = nodes_[static_cast<size_t>(n)];
        if (!node.Ends)
            continue;
        if (node.Parent >= 0)
            bindings.push_back({nodes_[static_cast<size_t>(node.Parent)].Key, node.Key, node.Code});
        else
            bindings.push_back({node.Key, 0, node.Code});
    }
    return bindings;
}

bool TKeyStore::FindFrom(size_t start, int code, TShortCut& firstKey, TShortCut& secondKey)
{
    firstKey = 0;
    secondKey = 0;
    std::vector<int> order;
    CollectOrder(first_, order);
    for (size_t i = start; i < order.size(); ++i) {
        const TKeyNode& node = nodes_[static_cast<size_t>(order[i])];
        if (!node.Ends || node.Code != code)
            continue;
        findNode_ = order[i];
        if (node.Parent >= 0) {
            firstKey = nodes_[static_cast<size_t>(node.Parent)].Key;
            secondKey = node.Key;
        } else {
            firstKey = node.Key;
        }
        return true;
    }
    findNode_ = -2;
    return false;
}

bool TKeyStore::FindBinding(int code, TShortCut& firstKey, TShortCut& secondKey)
{
    return FindFrom(0, code, firstKey, secondKey);
}

bool TKeyStore::FindNextBinding(int code, TShortCut& firstKey, TShortCut& secondKey)
{
    if (findNode_ == -1)
        return FindFrom(0, code, firstKey, secondKey);
    if (findNode_ < 0) {
        firstKey = 0;
        secondKey = 0;
        return false;
    }
    std::vector<int> order;
    CollectOrder(first_, order);
    size_t at = 0;
    while (at < order.size() && order[at] != findNode_)
        ++at;
    return FindFrom(at + 1, code, firstKey, secondKey);
}

void TKeyStore::Clear()
{
    nodes_.clear();
    index_.clear();
    first_ = -1;
    last_ = -1;
    current_ = -1;
    lastCode_ = -1;
    findNode_ = -1;
}

void TKeyStore::SwapBindings(TKeyStore& other) noexcept
{
    std::swap(nodes_, other.nodes_);
    std::swap(index_, other.index_);
    std::swap(first_, other.first_);
    std::swap(last_, other.last_);
    std::swap(current_, other.current_);
    std::swap(lastCode_, other.lastCode_);
    std::swap(findNode_, other.findNode_);
}

}  // namespace tarnwick
