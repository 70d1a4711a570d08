// Code templates.
#include "editor/core/code_templates.h"

namespace tarnwick {

std::unique_ptr<TSM_Base> TCodeTemplates::NewInstance() const
{
    return std::make_unique<TCodeTemplates>();
}

std::string TCodeTemplates::FindTemplate(std::string_view word) const
{
    const TMacroEntry* entry = Find(word);
    return entry ? entry->Expansion : std::string();
}

void TCodeTemplates::Reset()
{
    Clear();
    Trigger = static_cast<TShortCut>(VK_J | scCtrl);
    ExtraOption = 1;
}

}  // namespace tarnwick
