// A scheme as the writers' highlighter.
#include "editor/core/scheme_highlighter.h"

#include "editor/core/highlight_pass.h"

namespace tarnwick {

TColor PlainColor(TColor color)
{
    if (!IsSystemColor(color))
        return color;
    // The classic Windows defaults of the system colours a scheme uses.
    switch (color) {
    case clWindow: return clWhite;
    case clHighlight: return RGBColor(0, 0, 128);
    case clHighlightText: return clWhite;
    case clBtnFace: return RGBColor(192, 192, 192);
    case clScrollBar: return RGBColor(200, 200, 200);
    default: return clBlack;  // window text and every other system colour
    }
}

void TSchemeHighlighter::ColourLines(TLineRec* first)
{
    int64_t length = 0;
    for (const TLineRec* rec = first; rec != nullptr; rec = rec->Next)
        length += rec->Len;
    THighlightPass(scheme_).RunAll(first, length);
}

uint8_t TSchemeHighlighter::EffectOfToken(uint8_t tokenValue) const
{
    return scheme_.Settings().EffectMap[tokenValue];
}

TTextEffect TSchemeHighlighter::Effect(uint8_t effect) const
{
    const auto& effects = scheme_.Settings().Effects;
    const TSM_Effect& zero = effects[0];
    const TSM_Effect& e = effects[effect];
    const TColor zeroFore = zero.ForeDefault ? clWindowText : zero.Fore;
    const TColor zeroBack = zero.BackDefault ? clWindow : zero.Back;
    TTextEffect out;
    out.Fore = static_cast<int32_t>(PlainColor(e.ForeDefault ? zeroFore : e.Fore));
    out.Back = static_cast<int32_t>(PlainColor(e.BackDefault ? zeroBack : e.Back));
    out.Style = e.Style;
    out.Defined = e.Defined;
    return out;
}

}  // namespace tarnwick
