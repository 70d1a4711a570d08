#include "scheme/builtin/builtin_scheme.h"

#include "editor/core/sm_colors.h"
#include "platform/string_table.h"
#include "resources/strings/string_ids.h"
#include "scheme/code_memo_parser.h"

namespace tarnwick {

void LoadBuiltinScheme(TCodeMemoParser& parser, bool withContextTable)
{
    parser.LoadFromBytes(BuiltinSchemeStream());
    if (withContextTable)
        parser.Tables().ContextSets.fill(TStateSet{});
}

void MakeCustomLanguageScheme(TCodeMemoParser& parser)
{
    parser.Reset();
    // These are also the reset values of the settings; they are set here
    // because they are what makes this scheme, whatever the reset gives.
    TSM_Settings& settings = parser.Settings();
    settings.LanguageName = LoadStr(sidCustomLanguage);
    settings.Margin = 2;
    settings.GutterColor = clBtnFace;
}

}  // namespace tarnwick
