// The settings block: writing, all-or-nothing reading and Assign.
#include "editor/core/sm_settings.h"

#include "editor/core/code_memo_errors.h"

#include <algorithm>
#include <typeinfo>
#include <utility>

namespace tarnwick {

namespace {

// Smallest stream size of one item of each counted list, so that a forged
// count is refused before anything is allocated or looped over.
constexpr size_t kEffectItemSize = 1 + 1 + 4 + 4 + 1 + 1 + 1 + 4;
constexpr size_t kMapItemSize = 2;
constexpr size_t kStyleItemSize = 4 + 1;
constexpr size_t kTableItemSize = TStateSet::kBytes + 4 + 4 + 4;
constexpr size_t kWordItemSize = 4 + 4;
// The gutter font first appears in this version's successor.
constexpr int kLastVersionWithoutGutterFont = 50;

void WriteColor(TSMStreamWriter& stream, TColor color) { stream.I32(static_cast<int32_t>(color)); }
TColor ReadColor(TSMStreamReader& stream) { return static_cast<TColor>(stream.I32()); }

// A stored tab-stop table must be what the text parser can produce:
// strictly increasing columns above 0, then only -1. Anything else would
// give the editor stops it cannot show or save as text.
void CheckTabTable(const std::array<int32_t, kTabStopCount>& stops)
{
    bool ended = false;
    int32_t previous = 0;
    for (int32_t stop : stops) {
        if (stop == -1) {
            ended = true;
            continue;
        }
        if (ended || stop <= previous)
            throw ECodeMemo(kMsgTabOrder);
        previous = stop;
    }
}

// The key-assignment block with its bindings put in the order that makes
// the controller write them back exactly as they stand in `stream`.
//
// The controller writes its bindings in tree order: the one-key bindings in
// list order, then the second keys of each two-key first key, the LAST first
// key's group first. Adding bindings in stream order would create the first
// keys in the order their groups appear, which reverses the groups at the
// next write; so the one-key bindings are added first and the groups in
// reverse order. Descriptions are passed through untouched.
std::string KeyBlockInTreeOrder(TSMStreamReader& stream)
{
    std::string block;
    TSMStreamWriter out(block);
    const int32_t descriptions = stream.Count(5);
    out.I32(descriptions);
    for (int32_t i = 0; i < descriptions; ++i) {
        out.I32(stream.I32());
        out.ShortString(stream.ShortString());
    }
    const int32_t count = stream.Count(8);
    std::vector<TKeyBinding> single;
    std::vector<std::pair<TShortCut, std::vector<TKeyBinding>>> groups;
    for (int32_t i = 0; i < count; ++i) {
        TKeyBinding binding;
        binding.FirstKey = stream.U16();
        binding.SecondKey = stream.U16();
        binding.Code = stream.I32();
        if (binding.SecondKey == 0) {
            single.push_back(binding);
            continue;
        }
        // A second key is stored without its modifiers; one that is nothing
        // but modifiers would turn into a different, one-key binding.
        if ((binding.SecondKey & ~(scShift | scCtrl | scAlt)) == 0)
            throw EReadError();
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const auto& g) { return g.first == binding.FirstKey; });
        if (group == groups.end())
            group = groups.insert(groups.end(), {binding.FirstKey, {}});
        group->second.push_back(binding);
    }
    out.I32(count);
    auto put = [&](const TKeyBinding& binding) {
        out.U16(binding.FirstKey);
        out.U16(binding.SecondKey);
        out.I32(binding.Code);
    };
    for (const TKeyBinding& binding : single)
        put(binding);
    for (auto group = groups.rbegin(); group != groups.rend(); ++group)
        for (const TKeyBinding& binding : group->second)
            put(binding);
    return block;
}

}  // namespace

void TSM_Settings::ReadKeys(TSMStreamReader& stream, TKeyboardActionContoller& keys)
{
    const std::string block = KeyBlockInTreeOrder(stream);
    TSMStreamReader reader(block);
    keys.ReadFromStream(reader);
}

void TSM_Settings::WriteToStream(TSMStreamWriter& stream) const
{
    WriteToStream(stream, StreamVersion);
}

void TSM_Settings::ReadFromStream(TSMStreamReader& stream)
{
    ReadFromStream(stream, StreamVersion);
}

void TSM_Settings::WriteToStream(TSMStreamWriter& stream, int version) const
{
    stream.LongString(ExampleText);
    stream.LongString(LanguageName);
    stream.LongString(WrapOverride);

    stream.I32(static_cast<int32_t>(Options));
    stream.I32(Margin);
    stream.I32(RightMargin);
    stream.I32(WrapAtColumn);
    stream.I32(Gutter);
    stream.I32(IndentStep);
    WriteColor(stream, MarginColor);
    WriteColor(stream, GutterColor);
    WriteColor(stream, SelTextColor);
    WriteColor(stream, SelTextBack);
    stream.I32(TabDefault);

    int32_t defined = 0;
    for (const TSM_Effect& effect : Effects)
        defined += effect.Defined ? 1 : 0;
    stream.I32(defined);
    for (int i = 0; i < kEffectCount; ++i) {
        const TSM_Effect& effect = Effects[static_cast<size_t>(i)];
        if (!effect.Defined)
            continue;
        stream.U8(static_cast<uint8_t>(i));
        stream.U8(effect.Style);
        WriteColor(stream, effect.Fore);
        WriteColor(stream, effect.Back);
        stream.U8(effect.ForeDefault);
        stream.U8(effect.BackDefault);
        stream.U8(effect.HotSpot);
        stream.I32(1);
    }

    int32_t mapped = 0;
    for (uint8_t effect : EffectMap)
        mapped += effect != 0 ? 1 : 0;
    stream.I32(mapped);
    for (int token = 0; token < 256; ++token) {
        const uint8_t effect = EffectMap[static_cast<size_t>(token)];
        if (effect == 0)
            continue;
        stream.U8(static_cast<uint8_t>(token));
        stream.U8(effect);
    }

    stream.I32(static_cast<int32_t>(EditableStyles.size()));
    for (const TSM_EditableStyle& style : EditableStyles) {
        stream.LongString(style.Name);
        stream.U8(style.Effect);
    }

    for (int32_t stop : TabColumns)
        stream.I32(stop);

    stream.LongString(Font.Name);
    stream.I32(Font.Size);
    stream.U8(Font.CharSet);
    stream.U8(MarginColorDefault);
    stream.U8(SelTextColorDefault);
    stream.U8(SelTextBackDefault);
    stream.U8(GutterColorDefault);

    stream.I32(static_cast<int32_t>(tables_.size()));
    for (const TSM_KeywordTable& table : tables_) {
        stream.StateSet(table.States);
        stream.LongString(table.FollowText);
        stream.I32(table.CaseFlag);
        stream.I32(static_cast<int32_t>(table.Words.size()));
        for (const TSM_KeywordWord& word : table.Words) {
            stream.LongString(word.Word);
            stream.I32(word.Token);
        }
    }

    autoReplace_->WriteToStream(stream);
    templates_->WriteToStream(stream);
    keys_->WriteToStream(stream);

    if (version > kLastVersionWithoutGutterFont) {
        stream.LongString(GutterFont.Name);
        stream.I32(GutterFont.Size);
        stream.U8(GutterFont.CharSet);
        WriteColor(stream, GutterFont.Color);
        stream.U8(GutterFont.Style);
    }
}

void TSM_Settings::ReadFromStream(TSMStreamReader& stream, int version)
{
    TSM_Settings fresh;
    // A block without a gutter font keeps the one in force.
    fresh.GutterFont = GutterFont;
    fresh.ReadBody(stream, version);
    TakeOverFrom(fresh);
}

void TSM_Settings::ReadBody(TSMStreamReader& stream, int version)
{
    ExampleText = stream.LongString();
    LanguageName = stream.LongString();
    WrapOverride = stream.LongString();

    Options = static_cast<uint32_t>(stream.I32());
    Margin = stream.I32();
    RightMargin = stream.I32();
    WrapAtColumn = stream.I32();
    Gutter = stream.I32();
    IndentStep = stream.I32();
    MarginColor = ReadColor(stream);
    GutterColor = ReadColor(stream);
    SelTextColor = ReadColor(stream);
    SelTextBack = ReadColor(stream);
    SetTabDefault(stream.I32());

    // Effects not listed are undefined, effect 0 included.
    for (TSM_Effect& effect : Effects)
        effect = TSM_Effect();
    const int32_t effects = stream.Count(kEffectItemSize);
    for (int32_t i = 0; i < effects; ++i) {
        const uint8_t number = stream.U8();
        TSM_Effect effect;
        effect.Style = stream.U8();
        effect.Fore = ReadColor(stream);
        effect.Back = ReadColor(stream);
        effect.ForeDefault = stream.U8();
        effect.BackDefault = stream.U8();
        effect.HotSpot = stream.U8();
        effect.Defined = stream.I32() != 0;
        Effects[number] = effect;
    }

    const int32_t mapped = stream.Count(kMapItemSize);
    for (int32_t i = 0; i < mapped; ++i) {
        const uint8_t token = stream.U8();
        EffectMap[token] = stream.U8();
    }

    const int32_t styles = stream.Count(kStyleItemSize);
    if (styles > kMaxEditableStyles)
        throw EReadError();
    for (int32_t i = 0; i < styles; ++i) {
        const std::string name = stream.LongString();
        AddEditableStyle(name, stream.U8());
    }

    std::array<int32_t, kTabStopCount> stops;
    for (int32_t& stop : stops)
        stop = stream.I32();
    CheckTabTable(stops);
    TabColumns = stops;

    Font.Name = stream.LongString();
    Font.Size = stream.I32();
    Font.CharSet = stream.U8();
    MarginColorDefault = stream.U8();
    SelTextColorDefault = stream.U8();
    SelTextBackDefault = stream.U8();
    GutterColorDefault = stream.U8();

    const int32_t tables = stream.Count(kTableItemSize);
    for (int32_t t = 0; t < tables; ++t) {
        const TStateSet states = stream.StateSet();
        const std::string follow = stream.LongString();
        const int32_t caseFlag = stream.I32();
        const int32_t count = stream.Count(kWordItemSize);
        std::vector<TSM_KeywordWord> words;
        words.reserve(static_cast<size_t>(count));
        for (int32_t w = 0; w < count; ++w) {
            std::string word = stream.LongString();
            words.push_back({std::move(word), stream.I32()});
        }
        AddKeywordTable(states, follow, caseFlag, std::move(words));
    }

    autoReplace_->ReadFromStream(stream);
    templates_->ReadFromStream(stream);
    ReadKeys(stream, *keys_);

    if (version > kLastVersionWithoutGutterFont) {
        GutterFont.Name = stream.LongString();
        GutterFont.Size = stream.I32();
        GutterFont.CharSet = stream.U8();
        GutterFont.Color = ReadColor(stream);
        GutterFont.Style = stream.U8();
    }
}

void TSM_Settings::SwapData(TSM_Settings& other) noexcept
{
    std::swap(static_cast<TSM_Values&>(*this), static_cast<TSM_Values&>(other));
    tables_.swap(other.tables_);
    keywordStore_.swap(other.keywordStore_);
    keys_.swap(other.keys_);
    autoReplace_.swap(other.autoReplace_);
    templates_.swap(other.templates_);
}

void TSM_Settings::TakeOverFrom(TSM_Settings& fresh)
{
    // The editor's command callback belongs to whoever uses this object, not
    // to the data that was read.
    fresh.keys_->OnRecognised = keys_->OnRecognised;
    ReleaseFonts();
    SwapData(fresh);
    if (!editors_.empty())
        RebuildFonts();
}

void TSM_Settings::Assign(const TSM_Base& source)
{
    if (&source == this)
        return;
    if (typeid(source) != typeid(*this))
        throw EConvertError(AssignErrorText(source));
    const auto& other = static_cast<const TSM_Settings&>(source);
    std::string bytes;
    TSMStreamWriter writer(bytes);
    other.WriteToStream(writer, kNoStreamVersion);
    TSMStreamReader reader(bytes);
    ReadFromStream(reader, kNoStreamVersion);
}

}  // namespace tarnwick
