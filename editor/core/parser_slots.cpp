// Scheme slots and the choice of settings.
#include "editor/core/parser_slots.h"

#include "editor/core/code_memo_errors.h"
#include "platform/string_table.h"
#include "resources/strings/string_ids.h"

#include <algorithm>

namespace tarnwick {

namespace {

[[noreturn]] void RaiseIndexRange()
{
    throw ECodeMemo(LoadStr(sidParserIndexRange));
}

}  // namespace

TParserSlots::TParserSlots()
    : lastWordWrap_((private_.Options & smoWordWrap) != 0),
      lastWrapColumn_(private_.WrapAtColumn)
{
    private_.AttachEditor(this);
}

TParserSlots::~TParserSlots()
{
    Settings().DetachEditor(this);
    slots_.fill(nullptr);
    inUse_ = nullptr;
    const std::vector<TCustomCodeMemoParser*> holders = holders_;
    for (TCustomCodeMemoParser* scheme : holders)
        scheme->DetachEditor(this);
}

bool TParserSlots::HoldsElsewhere(const TCustomCodeMemoParser* scheme, int exceptSlot) const
{
    for (int slot = 0; slot < kParserSlots; ++slot)
        if (slot != exceptSlot && slots_[static_cast<size_t>(slot)] == scheme)
            return true;
    return false;
}

TCustomCodeMemoParser* TParserSlots::Parser(int slot) const
{
    if (slot < 1 || slot > kParserSlots)
        RaiseIndexRange();
    return slots_[static_cast<size_t>(slot - 1)];
}

void TParserSlots::SetParser(int slot, TCustomCodeMemoParser* scheme)
{
    if (slot < 1 || slot > kParserSlots)
        RaiseIndexRange();
    const int index = slot - 1;
    TCustomCodeMemoParser* old = slots_[static_cast<size_t>(index)];
    if (old == scheme)
        return;
    slots_[static_cast<size_t>(index)] = scheme;
    if (scheme != nullptr)
        scheme->AttachEditor(this);
    // The old scheme's settings may be the ones in use: choose again before
    // detaching from the scheme, which also detaches from its settings.
    if (slot == active_)
        ChooseSettings();
    if (old != nullptr && !HoldsElsewhere(old, index)) {
        old->DetachEditor(this);
        std::erase(holders_, old);
    }
    // Detaching from the scheme dropped our registration with its settings
    // even when they are still the ones in use through another slot.
    Settings().AttachEditor(this);
}

void TParserSlots::SetActiveParser(int index)
{
    if (index < 0 || index > kParserSlots)
        RaiseIndexRange();
    active_ = index;
    ChooseSettings();
}

TCustomCodeMemoParser* TParserSlots::ActiveScheme() const
{
    return active_ == 0 ? nullptr : slots_[static_cast<size_t>(active_ - 1)];
}

void TParserSlots::ChooseSettings()
{
    Settings().DetachEditor(this);
    inUse_ = ActiveScheme();
    TSM_Settings& settings = Settings();
    settings.AttachEditor(this);

    const bool wordWrap = (settings.Options & smoWordWrap) != 0;
    const bool rewrap = wordWrap != lastWordWrap_ || settings.WrapAtColumn != lastWrapColumn_;
    lastWordWrap_ = wordWrap;
    lastWrapColumn_ = settings.WrapAtColumn;
    if (OnReload)
        OnReload(rewrap);
}

void TParserSlots::SettingsChanged(TSM_Settings& settings, TSM_Change change)
{
    if (&settings == &Settings() && OnSettingsChanged)
        OnSettingsChanged(change);
}

void TParserSlots::SchemeAttached(TCustomCodeMemoParser& scheme)
{
    if (std::find(holders_.begin(), holders_.end(), &scheme) == holders_.end())
        holders_.push_back(&scheme);
}

void TParserSlots::SchemeChanged(TCustomCodeMemoParser& scheme)
{
    // The scheme may have been given a new settings object (the options
    // dialog's working copy and back); choosing again follows it.
    if (&scheme == ActiveScheme())
        ChooseSettings();
}

void TParserSlots::SchemeDestroyed(TCustomCodeMemoParser& scheme)
{
    const bool wasActive = &scheme == ActiveScheme();
    for (TCustomCodeMemoParser*& slot : slots_)
        if (slot == &scheme)
            slot = nullptr;
    if (wasActive)
        ChooseSettings();
    scheme.DetachEditor(this);
    std::erase(holders_, &scheme);
}

}  // namespace tarnwick
