// TSchemeHighlighter: a scheme as the HTML and RTF writers see it. Colouring
// the lines runs a highlighting pass over the whole text; effects come from
// the scheme's settings, with the default-colour flags and system colours
// resolved to plain colours (a written document has no system palette).
#pragma once

#include "editor/core/code_memo_parser_base.h"
#include "editor/core/export_highlighter.h"

namespace tarnwick {

class TSchemeHighlighter final : public TExportHighlighter {
public:
    explicit TSchemeHighlighter(TCustomCodeMemoParser& scheme) : scheme_(scheme) {}

    void ColourLines(TLineRec* first) override;
    uint8_t EffectOfToken(uint8_t tokenValue) const override;
    // A default flag takes effect 0's colour; effect 0 with a default flag
    // takes the window's text or background colour.
    TTextEffect Effect(uint8_t effect) const override;

private:
    TCustomCodeMemoParser& scheme_;
};

// The standard Windows palette value of a system colour (clWindowText,
// clWindow, clBtnFace ...); a plain colour is returned as it is.
TColor PlainColor(TColor color);

}  // namespace tarnwick
