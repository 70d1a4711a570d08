// TKeyStore: the tree of key bindings behind the keyboard action controller.
//
// A binding is one key (a 16-bit shortcut with its modifiers) or two keys,
// the second without modifiers ("Ctrl+K, I"), bound to a command code. The
// first keys form the top-level list; each first key of a two-key binding
// holds the list of second keys that may follow it. A first key is either
// bound itself or leads to second keys, never both.
//
// The store also keeps the match position of a sequence in progress: after
// the first key of a two-key binding it waits for the second, and returns to
// the top level after any further key.
#pragma once

#include "platform/errors.h"
#include "platform/keys.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace tarnwick {

class TKeyboardActionContoller;

// A binding that collides with an existing one: the same key sequence twice,
// a one-key binding on a key that starts two-key sequences, or a sequence
// that starts with a key that is bound by itself. The message is
// "Duplicate key sequence definition for\r\n"<new>" and "<existing>"" with
// the two commands' descriptions.
class EAmbigiousKeyPair : public Exception {
public:
    using Exception::Exception;
};

struct TKeyBinding {
    TShortCut FirstKey = 0;
    TShortCut SecondKey = 0;  // 0 for a one-key binding
    int Code = -1;
    bool operator==(const TKeyBinding&) const = default;
};

class TKeyStore {
public:
    // `controller` (may be null) supplies the descriptions that word the
    // duplicate message.
    explicit TKeyStore(const TKeyboardActionContoller* controller = nullptr)
        : controller_(controller) {}

    // Adds a binding; `secondKey` 0 means a one-key binding, and the second
    // key's modifiers are dropped. Raises EAmbigiousKeyPair for a collision;
    // what was added before stays.
    void AddBinding(TShortCut firstKey, TShortCut secondKey, int code);

    enum class TMatch {
        NotFound,    // not bound here: back at the top level
        Pending,     // first key of a sequence: waiting for the second
        Recognised,  // a bound key or sequence: `code` is its command
    };
    // Matches one key press against the current list (the second-key list
    // when a sequence is in progress, where modifiers are ignored).
    TMatch Match(TShortCut shortCut, int& code);
    bool InSequence() const { return current_ >= 0; }
    void ResetMatch() { current_ = -1; }
    // The code of the last recognised command (-1 before any).
    int LastCode() const { return lastCode_; }

    // The keys of the first (or the next) binding of `code`, in tree order;
    // false, with both keys 0, when there is none.
    bool FindBinding(int code, TShortCut& firstKey, TShortCut& secondKey);
    bool FindNextBinding(int code, TShortCut& firstKey, TShortCut& secondKey);

    // Every binding in tree order: a node, its later siblings, then the
    // children of those siblings (last sibling's children first). This is
    // the order bindings are written to streams.
    std::vector<TKeyBinding> Bindings() const;
    bool Empty() const { return first_ < 0; }

    void Clear();
    // Exchanges the bindings and match state with `other`; each store keeps
    // its own controller.
    void SwapBindings(TKeyStore& other) noexcept;

private:
    struct TKeyNode {
        TShortCut Key = 0;
        int Parent = -1;
        int Next = -1;
        int Child = -1;
        int LastChild = -1;
        bool Ends = false;  // a binding ends here
        int Code = -1;
    };

    // The node for `key` in the list below `parent` (-1: the top level).
    int FindInList(int parent, TShortCut key) const;
    int AppendToList(int parent, TShortCut key);
    // The first node bound below `head`'s list, in tree order; -1 if none.
    int FirstBoundIn(int head) const;
    [[noreturn]] void RaiseDuplicate(int newCode, int existingCode) const;
    void CollectOrder(int head, std::vector<int>& order) const;
    bool FindFrom(size_t start, int code, TShortCut& firstKey, TShortCut& secondKey);

    const TKeyboardActionContoller* controller_;
    std::vector<TKeyNode> nodes_;
    int first_ = -1;
    int last_ = -1;  // last node of the top-level list
    // (parent + 1) << 16 | key -> node, so that lookups do not walk lists.
    std::unordered_map<uint32_t, int> index_;
    int current_ = -1;  // node whose children are being matched; -1 = top level
    int lastCode_ = -1;
    int findNode_ = -1;  // -1: no search yet; -2: the last search ran out
};

}  // namespace tarnwick
