// Swapping a scheme's settings for the options dialog's working copy.
#include "editor/options/scheme_swap.h"

namespace tarnwick {

TSchemeSettingsSwap::TSchemeSettingsSwap(TCustomCodeMemoParser& scheme) : scheme_(scheme)
{
    auto working = std::make_unique<TSM_Settings>();
    working->Assign(scheme.Settings());
    original_ = scheme_.ReplaceSettings(std::move(working));
    editors_ = scheme_.ReplaceEditors({});
}

TSchemeSettingsSwap::~TSchemeSettingsSwap()
{
    // Neither call throws: both only move registrations between lists.
    scheme_.ReplaceEditors(std::move(editors_));
    scheme_.ReplaceSettings(std::move(original_));
}

void TSchemeSettingsSwap::Commit()
{
    original_->ReleaseFonts();
    original_->Assign(Working());
}

}  // namespace tarnwick
