// A scheme's own registry save: with UseRegistry set and a RegistryKey, the
// scheme writes its settings under that key of the current user's hive
// (platform/registry.h) after the editor options dialog confirms changes.
//
// Values written (the key is created when it does not exist):
//   "Highlighting - <language name>"     string: the style string
//                                         (scheme/style_string.h)
//   "Key Assignments - <language name>"  binary: the signature "Quorvel6:" as
//                                         a short string (8-bit length, then
//                                         the characters) followed by the key
//                                         assignments in their stream format
//                                         (editor/core/keyboard_controller.h)
#pragma once

#include "scheme/code_memo_parser.h"

#include <string>

namespace tarnwick {

inline constexpr const char* kMsgRegistryDisabled = "Registry interface disabled in: ";

// The binary key-assignment value described above.
std::string KeyAssignmentsValue(const TSM_Settings& settings);

// Writes both values. Raises ECodeMemo "Registry interface disabled in: "
// + the scheme's name when UseRegistry is off or RegistryKey is empty, and
// the registry's errors when the hive cannot be written (a language name
// holding CR or LF cannot name a value: "Invalid registry value name").
void SaveSettingsToRegistry(TCodeMemoParser& scheme);

}  // namespace tarnwick
