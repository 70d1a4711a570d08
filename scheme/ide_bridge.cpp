// SetToDelphi: the IDE's highlight settings copied into a scheme.
#include "scheme/ide_bridge.h"

#include "editor/core/code_memo_errors.h"
#include "platform/app_folder.h"
#include "platform/file_names.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "scheme/compiler_messages.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarnwick {

namespace {

struct TIdeElement {
    const char* OldName;  // versions 1 to 3
    const char* Name4;    // version 4
    int Effect;
};

// In the order they are applied: effect 0 ends with Whitespace.
constexpr std::array<TIdeElement, 8> kElements{{
    {"Comment", "Comment", 5},
    {"Identifier", "Identifier", 2},
    {"Number", "Number", 4},
    {"Plain_text", "Plain text", 0},
    {"Reserved_word", "Reserved word", 7},
    {"String", "String", 3},
    {"Symbol", "Symbol", 10},
    {"Whitespace", "Whitespace", 0},
}};
constexpr const char* kMarkedBlockOld = "Marked_block";
constexpr const char* kMarkedBlock4 = "Marked block";

constexpr const char* kIniFileName = "delphi.ini";
constexpr const char* kIniSection = "highlight";
constexpr const char* kOldRootPrefix = "Software\\Borland\\Delphi\\";
constexpr const char* kOldRootSuffix = ".0\\Highlight";
constexpr const char* kRoot4 = "Software\\Borland\\Delphi\\4.0\\Editor\\Highlight";

[[noreturn]] void RaiseNotInstalled(char version)
{
    throw ECodeMemo(FormatTemplate(kMsgIdeNotInstalled, {std::string(1, version)}));
}

// The selection colours as the bridge changes them. Taking a colour from the
// IDE also clears its default flag: with the flag set the system colour
// would be drawn and the IDE's marked-block colours would never show.
struct TSelection {
    TColor Text;
    TColor Back;
    uint8_t TextDefault;
    uint8_t BackDefault;

    void SetText(TColor color)
    {
        Text = color;
        TextDefault = 0;
    }
    void SetBack(TColor color)
    {
        Back = color;
        BackDefault = 0;
    }
};

// Reads the fields of a version 1-3 value string one after the other.
class TValueReader {
public:
    explicit TValueReader(std::string_view text) : text_(text) {}

    // A decimal number masked to 24 bits, and the comma after it. At the end
    // or at any other character there is no number; a comma there is
    // skipped (the field was empty), anything else stays for the next field.
    std::optional<TColor> Number()
    {
        if (pos_ >= text_.size())
            return std::nullopt;
        if (!IsDigit(text_[pos_])) {
            if (text_[pos_] == ',')
                ++pos_;
            return std::nullopt;
        }
        // Masking at every step gives the value modulo 2^24 of any length
        // of digits without overflowing.
        TColor value = 0;
        while (pos_ < text_.size() && IsDigit(text_[pos_]))
            value = (value * 10 + static_cast<TColor>(text_[pos_++] - '0')) & 0xFFFFFF;
        if (pos_ < text_.size() && text_[pos_] == ',')
            ++pos_;
        return value;
    }

    // Style letters up to the first other character, which is skipped.
    uint8_t Styles()
    {
        uint8_t style = 0;
        for (; pos_ < text_.size(); ++pos_) {
            const char letter = text_[pos_];
            if (letter == 'b' || letter == 'B')
                style |= kStyleBold;
            else if (letter == 'i' || letter == 'I')
                style |= kStyleItalic;
            else if (letter == 'u' || letter == 'U')
                style |= kStyleUnderline;
            else
                break;
        }
        if (pos_ < text_.size())
            ++pos_;
        return style;
    }

private:
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    std::string_view text_;
    size_t pos_ = 0;
};

using TNameValues = std::vector<std::pair<std::string, std::string>>;

const std::string* FindValue(const TNameValues& values, std::string_view name)
{
    for (const auto& [key, value] : values)
        if (SameTextAscii(key, name))
            return &value;
    return nullptr;
}

// Section "highlight" of delphi.ini; no file gives no names.
TNameValues ReadIniValues()
{
    const std::filesystem::path file = ResolveFileName(kIniFileName, ApplicationFolder());
    const TIniDocument ini = TIniDocument::Load(file);
    TNameValues values;
    for (const std::string& key : ini.Keys(kIniSection))
        values.emplace_back(key, ini.ReadString(kIniSection, key, ""));
    return values;
}

TNameValues ReadRegistryValues(TRegistry& registry, char version)
{
    const std::optional<TRegistryKey> key =
        registry.OpenKeyReadOnly(kOldRootPrefix + std::string(1, version) + kOldRootSuffix);
    if (!key)
        RaiseNotInstalled(version);
    TNameValues values;
    for (const std::string& name : key->GetValueNames())
        // Only string values carry settings; anything else counts as absent.
        if (std::optional<std::string> text = key->ReadString(name))
            values.emplace_back(name, std::move(*text));
    return values;
}

void ApplyOldVersion(const TNameValues& values, std::array<TSM_Effect, kEffectCount>& effects,
                     TSelection& selection)
{
    for (const TIdeElement& element : kElements)
        if (const std::string* value = FindValue(values, element.OldName))
            effects[element.Effect] = ParseIdeValueString(*value);
    if (const std::string* value = FindValue(values, kMarkedBlockOld)) {
        TValueReader reader(*value);
        if (const std::optional<TColor> text = reader.Number())
            selection.SetText(*text);
        if (const std::optional<TColor> back = reader.Number())
            selection.SetBack(*back);
    }
}

std::optional<TColor> PaletteColor(const TRegistryKey& key, std::string_view name)
{
    const std::optional<int32_t> index = key.ReadInteger(name);
    if (!index || *index < 0 || *index >= static_cast<int32_t>(kIdePalette.size()))
        return std::nullopt;
    return kIdePalette[static_cast<size_t>(*index)];
}

bool ReadBool(const TRegistryKey& key, std::string_view name, bool def)
{
    const std::optional<std::string> text = key.ReadString(name);
    if (!text)
        return def;
    return !SameTextAscii(*text, "False") && !SameTextAscii(*text, "0");
}

constexpr const char* kForegroundColor = "Foreground Color";
constexpr const char* kBackgroundColor = "Background Color";

TSM_Effect ReadVersion4Effect(const TRegistryKey& key)
{
    TSM_Effect effect;
    effect.Fore = PaletteColor(key, kForegroundColor).value_or(clBlack);
    effect.Back = PaletteColor(key, kBackgroundColor).value_or(clWhite);
    if (ReadBool(key, "Default Foreground", true))
        effect.Fore = clBlack;
    if (ReadBool(key, "Default Background", true))
        effect.Back = clWhite;
    if (ReadBool(key, "Bold", false))
        effect.Style |= kStyleBold;
    if (ReadBool(key, "Italic", false))
        effect.Style |= kStyleItalic;
    if (ReadBool(key, "Underline", false))
        effect.Style |= kStyleUnderline;
    effect.Defined = true;
    return effect;
}

void ApplyVersion4(TRegistry& registry, std::array<TSM_Effect, kEffectCount>& effects,
                   TSelection& selection)
{
    const std::optional<TRegistryKey> root = registry.OpenKeyReadOnly(kRoot4);
    if (!root)
        RaiseNotInstalled('4');
    for (const TIdeElement& element : kElements) {
        const std::optional<TRegistryKey> key = root->OpenSubKeyReadOnly(element.Name4);
        if (key && key->ValueExists(kForegroundColor))
            effects[element.Effect] = ReadVersion4Effect(*key);
    }
    const std::optional<TRegistryKey> marked = root->OpenSubKeyReadOnly(kMarkedBlock4);
    if (marked && marked->ValueExists(kForegroundColor)) {
        if (const std::optional<TColor> text = PaletteColor(*marked, kForegroundColor))
            selection.SetText(*text);
        if (const std::optional<TColor> back = PaletteColor(*marked, kBackgroundColor))
            selection.SetBack(*back);
    }
}

}  // namespace

TSM_Effect ParseIdeValueString(std::string_view value)
{
    TValueReader reader(value);
    TSM_Effect effect;
    effect.Fore = reader.Number().value_or(clBlack);
    effect.Back = reader.Number().value_or(clWhite);
    effect.Style = reader.Styles();
    if (reader.Number() == 1u)
        effect.Fore = clBlack;
    if (reader.Number() == 1u)
        effect.Back = clWhite;
    effect.Defined = true;
    return effect;
}

void SetToDelphi(TCustomCodeMemoParser& scheme, char version)
{
    if (version < '1' || version > '4')
        throw ECodeMemo(FormatTemplate(kMsgInvalidIdeVersion, {std::string(1, version)}));

    // Everything is read into copies first, so a failed read changes nothing.
    TSM_Settings& settings = scheme.Settings();
    std::array<TSM_Effect, kEffectCount> effects = settings.Effects;
    TSelection selection{settings.SelTextColor, settings.SelTextBack,
                         settings.SelTextColorDefault, settings.SelTextBackDefault};
    if (version == '1') {
        ApplyOldVersion(ReadIniValues(), effects, selection);
    } else {
        TRegistry registry;
        if (version == '4')
            ApplyVersion4(registry, effects, selection);
        else
            ApplyOldVersion(ReadRegistryValues(registry, version), effects, selection);
    }

    settings.Effects = effects;
    settings.SelTextColor = selection.Text;
    settings.SelTextBack = selection.Back;
    settings.SelTextColorDefault = selection.TextDefault;
    settings.SelTextBackDefault = selection.BackDefault;
    settings.EffectsChanged();
    scheme.ReapplyToEditors();
}

}  // namespace tarnwick
