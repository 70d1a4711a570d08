// Editor settings: reset values, checked setters, keyword tables, attached
// editors and effect fonts. The stream form is in sm_settings_stream.cpp.
#include "editor/core/sm_settings.h"

#include "editor/core/follow_class.h"
#include "editor/core/tab_stops.h"
#include "platform/string_table.h"
#include "resources/strings/string_ids.h"

#include <algorithm>

namespace tarnwick {

TSM_Values::TSM_Values() : LanguageName(LoadStr(sidCustomLanguage))
{
    TabColumns.fill(-1);
    Effects[0].Defined = true;
}

TSM_Settings::TSM_Settings() { ResetData(); }

TSM_Settings::~TSM_Settings() = default;

std::unique_ptr<TSM_Base> TSM_Settings::NewInstance() const
{
    return std::make_unique<TSM_Settings>();
}

void TSM_Settings::ResetData()
{
    static_cast<TSM_Values&>(*this) = TSM_Values();
    tables_.clear();
    keywordStore_ = std::make_unique<TKeywords>();
    auto keys = std::make_unique<TKeyboardActionContoller>();
    // Copied through the same reader as a settings block, so that a reset
    // object writes the default keys exactly as the default controller does.
    const std::string defaults = DefaultKeyboardController().SaveToString();
    TSMStreamReader reader(defaults);
    ReadKeys(reader, *keys);
    if (keys_)
        keys->OnRecognised = keys_->OnRecognised;
    keys_ = std::move(keys);
    autoReplace_ = std::make_unique<TAutoReplace>();
    templates_ = std::make_unique<TCodeTemplates>();
    templates_->Reset();
}

void TSM_Settings::Reset()
{
    ReleaseFonts();
    ResetData();
    if (!editors_.empty())
        RebuildFonts();
}

// ---- values with limits ----

std::string TSM_Settings::TabColumnsText() const
{
    std::string out;
    for (int32_t stop : TabColumns) {
        if (stop < 0)
            break;
        if (!out.empty())
            out += ' ';
        out += std::to_string(static_cast<int64_t>(stop) + 1);
    }
    return out;
}

void TSM_Settings::SetTabColumnsText(std::string_view text)
{
    // The editor's own parser gives the messages; it keeps its old stops on
    // an error, and so do we because nothing is copied before it succeeds.
    TTabStops parser;
    parser.SetTabColumns(text);
    std::copy(parser.Stops().begin(), parser.Stops().end(), TabColumns.begin());
}

void TSM_Settings::SetTabDefault(int32_t value)
{
    TTabStops checker;
    checker.SetTabDefault(value);
    TabDefault = value;
}

bool TSM_Settings::AddEditableStyle(std::string_view name, uint8_t effect)
{
    if (EditableStyles.size() >= static_cast<size_t>(kMaxEditableStyles))
        return false;
    EditableStyles.push_back({std::string(name.substr(0, kMaxStyleNameLength)), effect});
    return true;
}

void TSM_Settings::SetGutterFont(const TSM_FontDesc& font)
{
    GutterFont = font;
    NotifyChanged(TSM_Change::smcGutterFont);
}

void TSM_Settings::EffectsChanged()
{
    if (!editors_.empty())
        RebuildFonts();
    NotifyChanged(TSM_Change::smcEffects);
}

void TSM_Settings::NotifyChanged(TSM_Change change)
{
    // A client may detach itself (or another) while being told; walk a copy
    // and skip the ones that have gone.
    const std::vector<TCodeMemoClient*> editors = editors_;
    for (TCodeMemoClient* editor : editors)
        if (IsAttached(editor))
            editor->SettingsChanged(*this, change);
}

// ---- keyword tables ----

void TSM_Settings::AddKeywordTable(const TStateSet& states, std::string_view followText,
                                   int32_t caseFlag, std::vector<TSM_KeywordWord> words)
{
    TSM_KeywordTable table;
    table.States = states.Empty() ? TStateSet{0} : states;
    table.FollowText = std::string(followText);
    table.CaseFlag = caseFlag;
    table.Words = std::move(words);

    std::vector<TSM_KeywordTable> tables = tables_;
    auto same = tables.end();
    for (auto it = tables.begin(); it != tables.end(); ++it) {
        if (!it->States.Meets(table.States))
            continue;
        if (it->States != table.States)
            throw EKeywords("Ambigious key table state definition");
        same = it;
        break;
    }
    if (same != tables.end())
        *same = std::move(table);
    else if (tables.size() >= static_cast<size_t>(kMaxKeywordTables))
        throw EKeywords("Too many keyword tables declared");
    else
        tables.push_back(std::move(table));

    // Build the combined store aside, so a bad word or follow text leaves
    // the current tables and store in force.
    auto store = std::make_unique<TKeywords>();
    for (const TSM_KeywordTable& t : tables) {
        const TCharSet follow = ParseFollowClass(t.FollowText);
        for (const TSM_KeywordWord& w : t.Words) {
            if (w.Token < 0 || w.Token > 255)
                throw EKeywords("Value must be 0..255");
            store->AddWord(w.Word, t.CaseFlag != 0, w.Token, t.States, follow);
        }
    }
    tables_ = std::move(tables);
    keywordStore_ = std::move(store);
}

// ---- attached editors ----

void TSM_Settings::AttachEditor(TCodeMemoClient* editor)
{
    if (editor == nullptr || IsAttached(editor))
        return;
    editors_.push_back(editor);
    if (editors_.size() == 1)
        RebuildFonts();
}

void TSM_Settings::DetachEditor(TCodeMemoClient* editor)
{
    auto it = std::find(editors_.begin(), editors_.end(), editor);
    if (it == editors_.end())
        return;
    editors_.erase(it);
    if (editors_.empty())
        ReleaseFonts();
}

bool TSM_Settings::IsAttached(const TCodeMemoClient* editor) const
{
    return std::find(editors_.begin(), editors_.end(), editor) != editors_.end();
}

// ---- effect fonts ----

void TSM_Settings::RebuildFonts()
{
    ReleaseFonts();
    for (int i = 0; i < kEffectCount; ++i) {
        const TSM_Effect& effect = Effects[static_cast<size_t>(i)];
        if (!effect.Defined)
            continue;
        TSM_FontDesc& font = effectFonts_[static_cast<size_t>(i)];
        font = Font;
        font.Style = effect.Style;
        fontBuilt_.set(static_cast<size_t>(i));
    }
    fontsBuilt_ = true;
}

void TSM_Settings::ReleaseFonts()
{
    fontBuilt_.reset();
    fontsBuilt_ = false;
}

const TSM_FontDesc* TSM_Settings::EffectFont(uint8_t effect) const
{
    return fontBuilt_.test(effect) ? &effectFonts_[effect] : nullptr;
}

}  // namespace tarnwick
