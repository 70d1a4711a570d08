// TKeyboardActionContoller: turns key presses into editor commands.
//
// It owns the key store (the binding tree) and the list of command
// descriptions shown on the key-assignment page, and calls its
// recognised-command callback when a key or a two-key sequence completes a
// binding. Every editor's settings start as a copy of the process-wide
// default controller (all 45 descriptions, the default keys).
//
// Stream format (little-endian), shared by settings streams and Assign:
//   description count (32 bits); per description: command code (32 bits),
//   text (1-byte length + characters);
//   binding count (32 bits); per binding: first key (16 bits), second key
//   (16 bits, 0 for a one-key binding), command code (32 bits).
// Bindings are written in the key store's tree order. Reading rebuilds the
// bindings with AddBinding, so a stream with a duplicate raises
// EAmbigiousKeyPair; a short or inconsistent stream raises EReadError. On
// any failure the controller keeps what it had.
#pragma once

#include "editor/core/key_store.h"
#include "editor/core/sm_base.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tarnwick {

class TKeyboardActionContoller : public TSM_Base {
public:
    TKeyboardActionContoller();
    TKeyboardActionContoller(const TKeyboardActionContoller&) = delete;
    TKeyboardActionContoller& operator=(const TKeyboardActionContoller&) = delete;

    const char* ClassName() const override { return "TKeyboardActionContoller"; }
    std::unique_ptr<TSM_Base> NewInstance() const override;
    void WriteToStream(TSMStreamWriter& stream) const override;
    void ReadFromStream(TSMStreamReader& stream) override;

    // secondKey 0 = a one-key binding. Raises EAmbigiousKeyPair on a
    // collision (bindings added earlier stay).
    void AddBinding(TShortCut firstKey, TShortCut secondKey, int code);
    // Replaces the description of `code` (its last item is removed) and
    // appends the new one.
    void SetDescription(int code, const std::string& text);
    // "" when `code` has no description.
    std::string GetDescription(int code) const;
    const std::vector<std::pair<int, std::string>>& Descriptions() const { return descriptions_; }

    bool FindBinding(int code, TShortCut& firstKey, TShortCut& secondKey);
    bool FindNextBinding(int code, TShortCut& firstKey, TShortCut& secondKey);
    std::vector<TKeyBinding> Bindings() const { return keys_.Bindings(); }

    // Drops every binding and description.
    void Clear();

    // Offers a key press (key and shift state as the key-down handler has
    // them, Shift already taken out for movement keys). A key that starts
    // or completes a binding is handled and swallowed (key and shift set to
    // 0); completing one calls OnRecognised with the command code. Any other
    // key is not handled and ends a sequence in progress.
    void ProcessKey(uint16_t& key, TShiftState& shift, bool& handled);

    TKeyStore& KeyStore() { return keys_; }
    const TKeyStore& KeyStore() const { return keys_; }

    // The editor's command executor.
    std::function<void(int code)> OnRecognised;

protected:
    std::string AssignErrorText(const TSM_Base& source) const override;

private:
    TKeyStore keys_;
    std::vector<std::pair<int, std::string>> descriptions_;
};

// The process-wide default controller, built on first use: descriptions
// from the string table (4146 + code) and the default keys of every
// command. Settings resets copy it with Assign.
const TKeyboardActionContoller& DefaultKeyboardController();

// Fills `controller` with the defaults (used to build the process-wide one).
void LoadDefaultKeyAssignments(TKeyboardActionContoller& controller);

}  // namespace tarnwick
