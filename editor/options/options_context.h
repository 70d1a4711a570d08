// What every page of the editor options dialog works with: the working copy
// of the scheme's settings, the preview editor of the Highlighting page
// (FEditor, which shows the scheme's example text and applies its own limits
// to margins and tabs) and the prompt for message and colour boxes.
#pragma once

namespace tarnwick {

class TCodeMemo;
class TPrompt;
class TSM_Settings;

struct TOptionsContext {
    TSM_Settings& Working;
    TCodeMemo& Preview;
    TPrompt& Prompt;
};

}  // namespace tarnwick
