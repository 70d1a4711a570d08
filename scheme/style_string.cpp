// The style string: writing a settings object as one text and reading it back.
#include "scheme/style_string.h"

#include "editor/core/code_memo_errors.h"
#include "platform/profile.h"
#include "platform/string_table.h"
#include "resources/strings/string_ids.h"

#include <array>
#include <type_traits>

namespace tarnwick {

namespace {

constexpr std::string_view kEndMark = "#END#";

struct EBadStyleString {};

std::string Decimal(int64_t value) { return std::to_string(value); }

// Colours and options are written as the signed 32-bit values they are.
std::string Signed(uint32_t value) { return Decimal(static_cast<int32_t>(value)); }

bool ParseInt(std::string_view text, int32_t& value)
{
    // Only plain decimal numbers: the writer never produces anything else.
    if (text.empty() || text.find_first_not_of("-0123456789") != std::string_view::npos)
        return false;
    return TryStrToInt(text, value);
}

int32_t IntOrFail(std::string_view text)
{
    int32_t value = 0;
    if (!ParseInt(text, value))
        throw EBadStyleString{};
    return value;
}

std::string FlagText(uint8_t flag) { return flag ? "1" : "0"; }

uint8_t FlagOrFail(std::string_view text)
{
    if (text == "1")
        return 1;
    if (text == "0")
        return 0;
    throw EBadStyleString{};
}

std::string EffectsText(const TSM_Settings& settings)
{
    std::string list;
    int count = 0;
    for (int number = 0; number < kEffectCount; ++number) {
        const TSM_Effect& effect = settings.Effects[number];
        if (!effect.Defined)
            continue;
        ++count;
        list += Decimal(number) + ',' + Signed(effect.Fore) + ',' + Signed(effect.Back) + ',';
        if (effect.BackDefault)
            list += 'X';
        if (effect.ForeDefault)
            list += 'Y';
        if (effect.Style & kStyleBold)
            list += 'B';
        if (effect.Style & kStyleItalic)
            list += 'I';
        if (effect.Style & kStyleUnderline)
            list += 'U';
        list += ';';
    }
    // The count is that of the entries that follow, all 256 when every
    // effect is defined, so a reader never loses the last one.
    return count == 0 ? "0" : Decimal(count) + ',' + list;
}

// Reads "<number>,<fore>,<back>,<letters>;" entries after the count.
void ReadEffects(TSM_Settings& settings, std::string_view text)
{
    const size_t comma = text.find(',');
    const int32_t count = IntOrFail(text.substr(0, comma));
    if (count < 0 || count > kEffectCount || (count == 0) != (comma == std::string_view::npos))
        throw EBadStyleString{};
    std::array<TSM_Effect, kEffectCount> effects{};
    for (int number = 0; number < kEffectCount; ++number)
        effects[number].HotSpot = settings.Effects[number].HotSpot;
    std::string_view rest = count == 0 ? std::string_view{} : text.substr(comma + 1);
    for (int32_t i = 0; i < count; ++i) {
        std::array<int32_t, 3> numbers{};
        for (int32_t& n : numbers) {
            const size_t end = rest.find(',');
            if (end == std::string_view::npos)
                throw EBadStyleString{};
            n = IntOrFail(rest.substr(0, end));
            rest.remove_prefix(end + 1);
        }
        if (numbers[0] < 0 || numbers[0] >= kEffectCount)
            throw EBadStyleString{};
        TSM_Effect& effect = effects[static_cast<size_t>(numbers[0])];
        if (effect.Defined)
            throw EBadStyleString{};
        effect.Fore = static_cast<TColor>(numbers[1]);
        effect.Back = static_cast<TColor>(numbers[2]);
        effect.Defined = true;
        for (;;) {
            if (rest.empty())
                throw EBadStyleString{};
            const char letter = rest.front();
            rest.remove_prefix(1);
            if (letter == ';')
                break;
            switch (letter) {
            case 'X': effect.BackDefault = 1; break;
            case 'Y': effect.ForeDefault = 1; break;
            case 'B': effect.Style |= kStyleBold; break;
            case 'I': effect.Style |= kStyleItalic; break;
            case 'U': effect.Style |= kStyleUnderline; break;
            default: throw EBadStyleString{};
            }
        }
    }
    if (!rest.empty())
        throw EBadStyleString{};
    settings.Effects = effects;
}

constexpr std::array<std::pair<char, uint8_t>, 4> kGutterStyleLetters{{
    {'I', kStyleItalic}, {'B', kStyleBold}, {'U', kStyleUnderline}, {'S', kStyleStrikeOut}}};

std::string GutterStyleText(uint8_t style)
{
    std::string text;
    for (const auto& [letter, bit] : kGutterStyleLetters)
        if (style & bit)
            text += letter;
    return text;
}

uint8_t GutterStyleOrFail(std::string_view text)
{
    uint8_t style = 0;
    for (const char c : text) {
        bool known = false;
        for (const auto& [letter, bit] : kGutterStyleLetters)
            if (c == letter) {
                style |= bit;
                known = true;
            }
        if (!known)
            throw EBadStyleString{};
    }
    return style;
}

// One field: how it is written and how it is read back.
struct TStyleField {
    const char* Tag;
    std::string (*Get)(const TSM_Settings&);
    void (*Set)(TSM_Settings&, std::string_view);  // throws EBadStyleString
};

template <auto Member>
std::string GetNumber(const TSM_Settings& s)
{
    return Signed(static_cast<uint32_t>(s.*Member));
}

template <auto Member>
void SetNumber(TSM_Settings& s, std::string_view v)
{
    using T = std::remove_reference_t<decltype(s.*Member)>;
    s.*Member = static_cast<T>(IntOrFail(v));
}

template <auto Member>
std::string GetFlag(const TSM_Settings& s)
{
    return FlagText(s.*Member);
}

template <auto Member>
void SetFlag(TSM_Settings& s, std::string_view v)
{
    s.*Member = FlagOrFail(v);
}

template <auto Member>
std::string GetText(const TSM_Settings& s)
{
    return s.*Member;
}

template <auto Member>
void SetText(TSM_Settings& s, std::string_view v)
{
    s.*Member = std::string(v);
}

const std::array<TStyleField, 24> kFields{{
    {"OPT", GetNumber<&TSM_Values::Options>, SetNumber<&TSM_Values::Options>},
    {"GWD", GetNumber<&TSM_Values::Gutter>, SetNumber<&TSM_Values::Gutter>},
    {"GCL", GetNumber<&TSM_Values::GutterColor>, SetNumber<&TSM_Values::GutterColor>},
    {"WRC", GetNumber<&TSM_Values::WrapAtColumn>, SetNumber<&TSM_Values::WrapAtColumn>},
    {"IDS", GetNumber<&TSM_Values::IndentStep>, SetNumber<&TSM_Values::IndentStep>},
    {"WRO", GetText<&TSM_Values::WrapOverride>, SetText<&TSM_Values::WrapOverride>},
    {"FON", [](const TSM_Settings& s) { return s.Font.Name; },
     [](TSM_Settings& s, std::string_view v) { s.Font.Name = std::string(v); }},
    {"FOS", [](const TSM_Settings& s) { return Decimal(s.Font.Size); },
     [](TSM_Settings& s, std::string_view v) { s.Font.Size = IntOrFail(v); }},
    {"STC", GetNumber<&TSM_Values::SelTextColor>, SetNumber<&TSM_Values::SelTextColor>},
    {"STB", GetNumber<&TSM_Values::SelTextBack>, SetNumber<&TSM_Values::SelTextBack>},
    {"TBC", [](const TSM_Settings& s) { return s.TabColumnsText(); },
     [](TSM_Settings& s, std::string_view v) {
         try {
             s.SetTabColumnsText(v);
         } catch (const ECodeMemo&) {
             throw EBadStyleString{};
         }
     }},
    {"TBD", GetNumber<&TSM_Values::TabDefault>,
     [](TSM_Settings& s, std::string_view v) {
         const int32_t width = IntOrFail(v);
         if (width < 1)
             throw EBadStyleString{};
         s.TabDefault = width;
     }},
    {"EFF", EffectsText, ReadEffects},
    {"GDF", GetFlag<&TSM_Values::GutterColorDefault>, SetFlag<&TSM_Values::GutterColorDefault>},
    {"MDF", GetFlag<&TSM_Values::MarginColorDefault>, SetFlag<&TSM_Values::MarginColorDefault>},
    {"SDF", GetFlag<&TSM_Values::SelTextColorDefault>, SetFlag<&TSM_Values::SelTextColorDefault>},
    {"BDF", GetFlag<&TSM_Values::SelTextBackDefault>, SetFlag<&TSM_Values::SelTextBackDefault>},
    {"FOC", [](const TSM_Settings& s) { return Decimal(s.Font.CharSet); },
     [](TSM_Settings& s, std::string_view v) {
         const int32_t charset = IntOrFail(v);
         if (charset < 0 || charset > 255)
             throw EBadStyleString{};
         s.Font.CharSet = static_cast<uint8_t>(charset);
     }},
    {"RMG", GetNumber<&TSM_Values::RightMargin>, SetNumber<&TSM_Values::RightMargin>},
    {"LNN", [](const TSM_Settings& s) { return s.GutterFont.Name; },
     [](TSM_Settings& s, std::string_view v) { s.GutterFont.Name = std::string(v); }},
    {"LNS", [](const TSM_Settings& s) { return Decimal(s.GutterFont.Size); },
     [](TSM_Settings& s, std::string_view v) { s.GutterFont.Size = IntOrFail(v); }},
    {"LNC", [](const TSM_Settings& s) { return Signed(s.GutterFont.Color); },
     [](TSM_Settings& s, std::string_view v) {
         s.GutterFont.Color = static_cast<TColor>(IntOrFail(v));
     }},
    {"LNT", [](const TSM_Settings& s) { return Decimal(s.GutterFont.CharSet); },
     [](TSM_Settings& s, std::string_view v) {
         const int32_t charset = IntOrFail(v);
         if (charset < 0 || charset > 255)
             throw EBadStyleString{};
         s.GutterFont.CharSet = static_cast<uint8_t>(charset);
     }},
    {"LNE", [](const TSM_Settings& s) { return GutterStyleText(s.GutterFont.Style); },
     [](TSM_Settings& s, std::string_view v) { s.GutterFont.Style = GutterStyleOrFail(v); }},
}};

const TStyleField* FieldFor(std::string_view tag)
{
    for (const TStyleField& field : kFields)
        if (tag == field.Tag)
            return &field;
    return nullptr;
}

void ReadFields(std::string_view text, TSM_Settings& settings)
{
    if (!text.starts_with(kStyleStringSignature))
        throw EBadStyleString{};
    text.remove_prefix(kStyleStringSignature.size());
    while (text != kEndMark) {
        // "TAG#<length>#<value>"
        if (text.size() < 6 || text[3] != '#')
            throw EBadStyleString{};
        const std::string_view tag = text.substr(0, 3);
        text.remove_prefix(4);
        const size_t hash = text.find('#');
        if (hash == std::string_view::npos)
            throw EBadStyleString{};
        const int32_t length = IntOrFail(text.substr(0, hash));
        text.remove_prefix(hash + 1);
        if (length < 0 || static_cast<size_t>(length) > text.size())
            throw EBadStyleString{};
        const std::string_view value = text.substr(0, static_cast<size_t>(length));
        text.remove_prefix(static_cast<size_t>(length));
        // A tag this program does not know is skipped, so that a string
        // written with more fields still reads.
        if (const TStyleField* field = FieldFor(tag))
            field->Set(settings, value);
    }
}

}  // namespace

std::string StyleString(const TSM_Settings& settings)
{
    std::string out(kStyleStringSignature);
    for (const TStyleField& field : kFields) {
        const std::string value = field.Get(settings);
        out += field.Tag;
        out += '#';
        out += Decimal(static_cast<int64_t>(value.size()));
        out += '#';
        out += value;
    }
    out += kEndMark;
    return out;
}

void ReadStyleString(std::string_view text, TSM_Settings& settings)
{
    TSM_Settings fresh;
    fresh.Assign(settings);
    try {
        ReadFields(text, fresh);
    } catch (const EBadStyleString&) {
        throw ECodeMemo(LoadStr(sidInvalidStyleString));
    }
    settings.Assign(fresh);
}

}  // namespace tarnwick
