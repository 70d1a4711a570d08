// TSchemeSettingsSwap: while the editor options dialog is open, the scheme it
// edits paints with a working copy of its settings and serves only the
// dialog's preview editors.
//
// Constructing the swap copies the scheme's settings into a working object,
// puts that object in the scheme's place and empties the scheme's editor
// list (the editors that showed the scheme keep their slots; they simply stop
// hearing about the working copy). Commit() copies the working object into
// the scheme's own settings. Destroying the swap — after OK, Cancel, the
// close box or an exception — puts the scheme's own settings object and
// editor list back; the preview editors must have left the scheme by then.
#pragma once

#include "editor/core/code_memo_parser_base.h"

#include <memory>
#include <vector>

namespace tarnwick {

class TSchemeSettingsSwap {
public:
    explicit TSchemeSettingsSwap(TCustomCodeMemoParser& scheme);
    ~TSchemeSettingsSwap();
    TSchemeSettingsSwap(const TSchemeSettingsSwap&) = delete;
    TSchemeSettingsSwap& operator=(const TSchemeSettingsSwap&) = delete;

    TCustomCodeMemoParser& Scheme() { return scheme_; }
    // The working copy (the object the scheme holds while the swap lasts).
    TSM_Settings& Working() { return scheme_.Settings(); }
    // Copies the working copy into the scheme's own settings object, whose
    // effect fonts are released first and rebuilt when its editors return.
    void Commit();

private:
    TCustomCodeMemoParser& scheme_;
    std::unique_ptr<TSM_Settings> original_;
    std::vector<TCodeMemoClient*> editors_;
};

}  // namespace tarnwick
