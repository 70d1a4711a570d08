// TCodeTemplates: the code templates of an editor's settings — named
// expansions fired by the trigger key (Ctrl+J by default) after a template's
// name, or picked from the pop-up list. Stream format: TMacroKeywords's.
#pragma once

#include "editor/core/macro_keywords.h"

namespace tarnwick {

class TCodeTemplates : public TMacroKeywords {
public:
    const char* ClassName() const override { return "TCodeTemplates"; }
    std::unique_ptr<TSM_Base> NewInstance() const override;

    // Adds a template, replacing one of the same name (any case).
    void AddTemplate(std::string_view name, std::string_view description,
                     std::string_view expansion)
    {
        AddMacro(name, description, expansion);
    }
    bool DeleteTemplate(std::string_view name) { return DeleteMacro(name); }
    // The expansion of the template named `word` (any case); "" when none.
    std::string FindTemplate(std::string_view word) const;

    // Empties the list and restores the default trigger.
    void Reset();
};

}  // namespace tarnwick
