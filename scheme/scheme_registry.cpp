// Saving a scheme's settings to the registry.
#include "scheme/scheme_registry.h"

#include "editor/core/code_memo_errors.h"
#include "editor/core/sm_stream.h"
#include "platform/registry.h"
#include "scheme/style_string.h"

namespace tarnwick {

std::string KeyAssignmentsValue(const TSM_Settings& settings)
{
    std::string bytes;
    TSMStreamWriter writer(bytes);
    writer.ShortString(kStyleStringSignature);
    settings.Keys().WriteToStream(writer);
    return bytes;
}

void SaveSettingsToRegistry(TCodeMemoParser& scheme)
{
    if (!scheme.UseRegistry || scheme.RegistryKey.empty())
        throw ECodeMemo(kMsgRegistryDisabled + scheme.Name);
    const TSM_Settings& settings = scheme.Settings();
    TRegistry registry;
    TRegistryKey key = registry.CreateKey(scheme.RegistryKey);
    key.WriteString("Highlighting - " + settings.LanguageName, StyleString(settings));
    key.WriteBinary("Key Assignments - " + settings.LanguageName, KeyAssignmentsValue(settings));
}

}  // namespace tarnwick
