// TMainForm, part 7: how the code pane looks — its font (the Code window
// font command and the font kept in main.ini) and the colours of the Delphi
// IDE when the highlighting source names one.
#include "app/main_form.h"

#include "app/code_pane_host.h"
#include "chrome/ansi_text.h"
#include "chrome/prompt.h"
#include "editor/code_memo.h"
#include "scheme/code_memo_parser.h"
#include "scheme/ide_bridge.h"

#include <algorithm>
#include <exception>

namespace tarnwick {

namespace {

TTreeFont FontOfPane(const TSM_FontDesc& font)
{
    TTreeFont result;
    result.Name = font.Name;
    result.Size = font.Size;
    result.Colour = font.Color;
    result.Style = font.Style;
    result.Charset = font.CharSet;
    return result;
}

TSM_FontDesc PaneFont(const TTreeFont& font)
{
    TSM_FontDesc result;
    result.Name = font.Name;
    result.Size = font.Size > 0 ? font.Size : 10;
    result.Color = font.Colour;
    result.Style = static_cast<uint8_t>(font.Style & 15);
    result.CharSet = static_cast<uint8_t>(std::clamp(font.Charset, 0, 255));
    return result;
}

}  // namespace

void TMainForm::CodeWindow1Click()
{
    TTreeFont font = FontOfPane(Memo1->Editor().Settings().Font);
    if (!ChooseTreeFont(font, "CodeWin", "CodeWinScript"))
        return;
    codeFont_ = font;
    ApplyCodeWindowFont();
}

// The pane draws with the settings of its active scheme: the font goes
// there, after the schemes are loaded, so that the user's choice wins over
// the scheme's own font.
void TMainForm::ApplyCodeWindowFont()
{
    if (!codeFont_)
        return;
    TCodeMemo& editor = Memo1->Editor();
    editor.Settings().Font = PaneFont(*codeFont_);
    editor.ReloadSettings();
}

void TMainForm::ApplyHighlightingSource()
{
    if (delphiVer_ < 2 || delphiVer_ > 4)
        return;
    // An IDE that is not installed leaves the built-in colours; start-up
    // goes on.
    try {
        SetToDelphi(*ActiveParser, static_cast<char>('0' + delphiVer_));
    } catch (const std::exception& error) {
        prompt_.ShowError(AnsiToQt(error.what()));
    }
}

}  // namespace tarnwick
