// TParserSlots: an editor's six scheme slots (Parser1 .. Parser6), its
// active slot (ActiveParser) and the choice of the settings object it paints
// with — the active scheme's, or its own private one when the active slot is
// empty.
//
// The editor widget owns one and forwards nothing: the slots register
// themselves as the client of the schemes they hold and of the settings
// object in use, and call the editor back through OnReload and
// OnSettingsChanged. A scheme that is re-applied, edited or destroyed is
// handled here: the editor takes the scheme again, or falls back to its
// private settings (its text is not touched).
#pragma once

#include "editor/core/code_memo_client.h"
#include "editor/core/code_memo_parser_base.h"
#include "editor/core/sm_settings.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace tarnwick {

inline constexpr int kParserSlots = 6;

class TParserSlots final : public TCodeMemoClient {
public:
    TParserSlots();
    ~TParserSlots() override;
    TParserSlots(const TParserSlots&) = delete;
    TParserSlots& operator=(const TParserSlots&) = delete;

    // The scheme in slot 1..6 (null when empty); other slot numbers raise
    // ECodeMemo "Parser index out of range".
    TCustomCodeMemoParser* Parser(int slot) const;
    // Puts a scheme (or null) in a slot and attaches to it; when the slot is
    // the active one, the settings are chosen again.
    void SetParser(int slot, TCustomCodeMemoParser* scheme);

    // 0 (no highlighting) or 1..6; anything else raises ECodeMemo "Parser
    // index out of range" and changes nothing.
    int ActiveParser() const { return active_; }
    void SetActiveParser(int index);
    // The scheme of the active slot, null when none.
    TCustomCodeMemoParser* ActiveScheme() const;

    // The settings object in use and the editor's private one. With a
    // scheme active this is whatever settings object the scheme holds at the
    // moment of the call (the options dialog swaps in a working copy while
    // it is open), so it can never point at an object that has gone.
    TSM_Settings& Settings() { return inUse_ ? inUse_->Settings() : private_; }
    TSM_Settings& PrivateSettings() { return private_; }

    // Detaches from the current settings, attaches to the active scheme's
    // (or the private) settings and calls OnReload, telling whether word
    // wrap or the wrap column differ from what was last applied.
    void ChooseSettings();

    // The editor reloads from Settings(): font, effect fonts, recolouring,
    // and re-wrapping when `rewrap` is set (private message 0xC12).
    std::function<void(bool rewrap)> OnReload;
    // The settings object in use announced a change.
    std::function<void(TSM_Change change)> OnSettingsChanged;

    // TCodeMemoClient
    void SettingsChanged(TSM_Settings& settings, TSM_Change change) override;
    void SchemeAttached(TCustomCodeMemoParser& scheme) override;
    void SchemeChanged(TCustomCodeMemoParser& scheme) override;
    void SchemeDestroyed(TCustomCodeMemoParser& scheme) override;

private:
    bool HoldsElsewhere(const TCustomCodeMemoParser* scheme, int exceptSlot) const;

    TSM_Settings private_;
    // The scheme whose settings are in use (null: the private ones). The
    // scheme, not its settings object, is remembered, because the options
    // dialog swaps a scheme's settings object while it is open.
    TCustomCodeMemoParser* inUse_ = nullptr;
    std::array<TCustomCodeMemoParser*, kParserSlots> slots_{};
    // Every scheme that holds a pointer to these slots, so the destructor
    // can detach from all of them.
    std::vector<TCustomCodeMemoParser*> holders_;
    int active_ = 0;
    bool lastWordWrap_;
    int32_t lastWrapColumn_;
};

}  // namespace tarnwick
