// The readable text form of a compiled scheme.
#include "scheme/scheme_dump.h"

#include "platform/keys.h"
#include "scheme/code_memo_parser.h"

#include <cstdio>
#include <sstream>
#include <utility>

namespace tarnwick {

namespace {

std::string Hex(uint32_t value, int digits = 8)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%0*x", digits, value);
    return buffer;
}

std::string EscapedByte(uint8_t c)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\x%02x", c);
    return buffer;
}

std::string Quoted(std::string_view text)
{
    std::string out = "\"";
    for (char ch : text) {
        const auto c = static_cast<uint8_t>(ch);
        if (c == '"' || c == '\\')
            out += {'\\', ch};
        else if (c >= 0x20 && c < 0x7F)
            out += ch;
        else
            out += EscapedByte(c);
    }
    return out + "\"";
}

// A member of a bracketed class; the characters that mean something inside
// brackets get a backslash.
std::string ClassChar(uint8_t c)
{
    if (c == '\\' || c == ']' || c == '[' || c == '^' || c == '-' || c == '"')
        return std::string{'\\', static_cast<char>(c)};
    if (c > 0x20 && c < 0x7F)
        return std::string(1, static_cast<char>(c));
    return EscapedByte(c);
}

// Runs of consecutive members: "a-z", or the one or two members as they are.
template <typename Contains>
std::string CharRuns(Contains contains)
{
    std::string out;
    for (int c = 0; c < 256;) {
        if (!contains(c)) {
            ++c;
            continue;
        }
        int last = c;
        while (last < 255 && contains(last + 1))
            ++last;
        out += ClassChar(static_cast<uint8_t>(c));
        if (last == c + 1)
            out += ClassChar(static_cast<uint8_t>(last));
        else if (last > c + 1)
            out += "-" + ClassChar(static_cast<uint8_t>(last));
        c = last + 1;
    }
    return out;
}

std::string ClassText(const TSM_CharGroup& group)
{
    std::string out = group.Negated ? "[^" : "[";
    out += CharRuns([&](int c) { return group.Chars.Contains(static_cast<uint8_t>(c)); });
    out += "]";
    for (const TCharRange& range : group.Ranges)
        out += " range " + Hex(range.Low, 4) + ".." + Hex(range.High, 4);
    return out;
}

std::string ClassText(const TSM_CharGroupManager& classes, int index)
{
    return index == kNoClass ? "none" : ClassText(classes.Group(index));
}

std::string SetText(const TStateSet& set)
{
    std::string out;
    for (int n = 0; n < 256;) {
        if (!set.Contains(n)) {
            ++n;
            continue;
        }
        int last = n;
        while (last < 255 && set.Contains(last + 1))
            ++last;
        if (!out.empty())
            out += ',';
        out += std::to_string(n);
        if (last == n + 1)
            out += "," + std::to_string(last);
        else if (last > n + 1)
            out += ".." + std::to_string(last);
        n = last + 1;
    }
    return "{" + out + "}";
}

std::string StyleText(uint8_t style)
{
    std::string out;
    static constexpr char kLetters[] = "bius";
    for (int bit = 0; bit < 8; ++bit) {
        if ((style & (1u << bit)) == 0)
            continue;
        out += bit < 4 ? std::string(1, kLetters[bit]) : "+" + std::to_string(bit);
    }
    return out.empty() ? "-" : out;
}

std::string ColourText(TColor colour, uint8_t defaultFlag)
{
    return Hex(colour) + (defaultFlag != 0 ? " default" : "");
}

std::string OptionsText(uint32_t options)
{
    std::string out = Hex(options);
    uint32_t named = 0;
    for (const TSM_OptionName& option : kOptionNames) {
        if ((options & option.Bit) != 0 && (named & option.Bit) == 0) {
            out += std::string(" ") + option.Name;
            named |= option.Bit;
        }
    }
    if ((options & ~named) != 0)
        out += " other " + Hex(options & ~named);
    return out;
}

std::string FontText(const TSM_FontDesc& font)
{
    return Quoted(font.Name) + " size " + std::to_string(font.Size) + " charset " +
           std::to_string(font.CharSet);
}

std::string MatcherText(const TSM_CharGroupManager& classes, const TMatcher& m, bool body)
{
    std::string out;
    if (m.Routine != 0) {
        out = (m.Custom != 0 ? "match " : "routine ") + std::to_string(m.Number);
        // A standard token kind keeps its start characters beside the routine.
        if (m.ClassIndex != kNoClass)
            out += " " + ClassText(classes, m.ClassIndex);
    } else {
        out = ClassText(classes, m.ClassIndex);
    }
    // The repeat byte of a start matcher carries no meaning.
    if (body && m.Repeat != 0)
        out += " *";
    return out;
}

std::string TerminatorText(const TSM_CharGroupManager& classes, const TTerminator& t)
{
    std::string out;
    if (t.Routine != 0) {
        out = (t.Custom != 0 ? "match " : "routine ") + std::to_string(t.Number);
    } else if (t.Count == 0) {
        out = "none";
    } else {
        for (int i = 0; i < t.Count && i < TTerminator::kMaxClasses; ++i)
            out += ClassText(classes, t.Classes[static_cast<size_t>(i)]);
    }
    return out + " include " + std::to_string(t.Include);
}

std::string RecordText(const TSM_CharGroupManager& classes, const TTokenRecord& r)
{
    return "token " + std::to_string(r.Token) + " valid " + SetText(r.Valid) + " first " +
           MatcherText(classes, r.Start, false) + " body " + MatcherText(classes, r.Body, true) +
           " end " + TerminatorText(classes, r.Terminator);
}

std::string FlagsText(uint8_t flags)
{
    static constexpr std::pair<uint8_t, const char*> kNames[] = {
        {kPushBefore, "push-before"},
        {kPopBefore, "pop-before"},
        {kPushAfter, "push-after"},
        {kPopAfter, "pop-after"},
    };
    std::string out;
    uint8_t named = 0;
    for (const auto& [bit, name] : kNames) {
        if ((flags & bit) != 0) {
            out += (out.empty() ? "" : "+") + std::string(name);
            named = static_cast<uint8_t>(named | bit);
        }
    }
    if ((flags & ~named) != 0)
        out += (out.empty() ? "" : "+") + Hex(flags & ~named, 2);
    return out.empty() ? "-" : out;
}

void DumpSettings(const TSM_Settings& s, std::ostream& out)
{
    out << "# settings\n"
        << "name " << Quoted(s.LanguageName) << "\n"
        << "exampletext " << Quoted(s.ExampleText) << "\n"
        << "wrapoverride " << Quoted(s.WrapOverride) << "\n"
        << "options " << OptionsText(s.Options) << "\n"
        << "marginwidth " << s.Margin << "\n"
        << "rightmargin " << s.RightMargin << "\n"
        << "wordwrapcolumn " << s.WrapAtColumn << "\n"
        << "gutter " << s.Gutter << "\n"
        << "indentstep " << s.IndentStep << "\n"
        << "margincolor " << ColourText(s.MarginColor, s.MarginColorDefault) << "\n"
        << "guttercolor " << ColourText(s.GutterColor, s.GutterColorDefault) << "\n"
        << "seltextcolor " << ColourText(s.SelTextColor, s.SelTextColorDefault) << "\n"
        << "seltextback " << ColourText(s.SelTextBack, s.SelTextBackDefault) << "\n"
        << "tabdefault " << s.TabDefault << "\n"
        << "tabcolumns " << Quoted(s.TabColumnsText()) << "\n"
        << "font " << FontText(s.Font) << "\n"
        << "gutterfont " << FontText(s.GutterFont) << " color " << Hex(s.GutterFont.Color)
        << " style " << StyleText(s.GutterFont.Style) << "\n";

    out << "# effects\n";
    for (int n = 0; n < kEffectCount; ++n) {
        const TSM_Effect& e = s.Effects[static_cast<size_t>(n)];
        if (!e.Defined)
            continue;
        out << "effect " << n << " style " << StyleText(e.Style) << " fore "
            << ColourText(e.Fore, e.ForeDefault) << " back " << ColourText(e.Back, e.BackDefault)
            << (e.HotSpot != 0 ? " hotspot" : "") << "\n";
    }
    out << "# map\n";
    for (int v = 0; v < 256; ++v) {
        if (const uint8_t effect = s.EffectMap[static_cast<size_t>(v)]; effect != 0)
            out << "map " << v << " effect " << int{effect} << "\n";
    }
    out << "# editable styles\n";
    for (size_t i = 0; i < s.EditableStyles.size(); ++i) {
        out << "style " << i + 1 << " " << Quoted(s.EditableStyles[i].Name) << " effect "
            << int{s.EditableStyles[i].Effect} << "\n";
    }
    out << "# keyword tables\n";
    for (size_t i = 0; i < s.KeywordTables().size(); ++i) {
        const TSM_KeywordTable& table = s.KeywordTables()[i];
        out << "kwtable " << i + 1 << " states " << SetText(table.States) << " endswith "
            << Quoted(table.FollowText) << " case " << table.CaseFlag << "\n";
        for (const TSM_KeywordWord& word : table.Words)
            out << "kwword " << i + 1 << " " << Quoted(word.Word) << " token " << word.Token
                << "\n";
    }
}

void DumpEditorLists(const TSM_Settings& s, std::ostream& out)
{
    out << "# keys\n";
    const TKeyboardActionContoller& keys = s.Keys();
    if (keys.SaveToString() == DefaultKeyboardController().SaveToString()) {
        out << "keys default\n";
    } else {
        for (const auto& [code, text] : keys.Descriptions())
            out << "action " << code << " " << Quoted(text) << "\n";
        for (const TKeyBinding& b : keys.Bindings()) {
            out << "binding " << Hex(b.FirstKey, 4) << " " << Hex(b.SecondKey, 4) << " "
                << Quoted(KeyPairToText(b.FirstKey, b.SecondKey)) << " action " << b.Code
                << "\n";
        }
    }
    out << "# templates\n";
    const TCodeTemplates& templates = s.Templates();
    out << "hotkey " << Hex(templates.Trigger, 4) << " "
        << Quoted(ShortCutToText(templates.Trigger)) << "\n";
    for (const TMacroEntry* entry : templates.List()) {
        out << "template " << Quoted(entry->Name) << " description "
            << Quoted(entry->Description.value_or("")) << " text " << Quoted(entry->Expansion)
            << "\n";
    }
    out << "# auto-replace\n";
    const TAutoReplace& replace = s.AutoReplace();
    out << "actionkeys " << Quoted(replace.Delimiters()) << "\n";
    for (const TMacroEntry* entry : replace.List())
        out << "replace " << Quoted(entry->Name) << " with " << Quoted(entry->Expansion) << "\n";
}

// Consecutive first characters whose records are equal, as one line each.
void DumpStartTable(const TParserTables& t, const TStartTable& table, const std::string& prefix,
                    std::ostream& out)
{
    for (int c = 0; c < 256;) {
        const TTokenRecord* record = t.StartRecord(table, static_cast<uint8_t>(c));
        if (record == nullptr) {
            ++c;
            continue;
        }
        int last = c;
        while (last < 255) {
            const TTokenRecord* next = t.StartRecord(table, static_cast<uint8_t>(last + 1));
            if (next == nullptr || !(*next == *record))
                break;
            ++last;
        }
        const auto inRun = [c, last](int x) { return x >= c && x <= last; };
        out << prefix << "[" << CharRuns(inRun) << "] " << RecordText(t.Classes, *record)
            << "\n";
        c = last + 1;
    }
}

void DumpTables(const TParserTables& t, std::ostream& out)
{
    out << "# words\n"
        << "case " << t.Words.CaseFlag << "\n";
    for (const TEndStyleObject& word : t.Words.Words()) {
        out << "word " << Quoted(word.Word) << " token " << word.Token << " states "
            << SetText(word.States) << " follow " << ClassText(t.Classes, word.FollowClass)
            << "\n";
    }
    out << "# handlers\n";
    for (int v = 0; v < 256; ++v) {
        const auto& handler = t.Handlers[static_cast<size_t>(v)];
        if (handler) {
            out << "handler " << v << " body " << MatcherText(t.Classes, handler->Body, true)
                << " end " << TerminatorText(t.Classes, handler->Terminator) << "\n";
        }
    }
    out << "# start\n";
    DumpStartTable(t, t.GlobalStart, "start ", out);
    out << "# in-state\n";
    for (int s = 0; s < 256; ++s) {
        const TStartTable* table = t.InStateTable(static_cast<uint8_t>(s));
        if (table == nullptr)
            continue;
        out << "instate " << s << "\n";
        DumpStartTable(t, *table, "instate " + std::to_string(s) + " ", out);
        for (const TRangeRecord& range : table->Ranges) {
            out << "instate " << s << " range " << Hex(range.Low, 4) << ".." << Hex(range.High, 4)
                << " " << RecordText(t.Classes, range.Record) << "\n";
        }
    }
    out << "# context\n";
    for (int v = 0; v < 256;) {
        const TStateSet& set = t.ContextSets[static_cast<size_t>(v)];
        int last = v;
        while (last < 255 && t.ContextSets[static_cast<size_t>(last) + 1] == set)
            ++last;
        if (!(set == t.StartSet)) {
            out << "context " << v;
            if (last > v)
                out << ".." << last;
            out << " " << SetText(set) << "\n";
        }
        v = last + 1;
    }
    out << "# states\n";
    for (int v = 0; v < 256; ++v) {
        const auto& r = t.StateRecords[static_cast<size_t>(v)];
        if (!r)
            continue;
        out << "state " << v << " valid " << SetText(r->Valid) << " added " << SetText(r->Added)
            << " removed " << SetText(r->Removed) << " container " << int{r->Container}
            << " nochange " << int{r->NoChange} << " flags " << FlagsText(r->Flags) << "\n";
    }
    out << "# sets\n"
        << "anchor " << SetText(t.AnchorSet) << "\n"
        << "bound " << SetText(t.BoundSet) << "\n"
        << "startstate " << SetText(t.StartSet) << "\n"
        << "instates " << SetText(t.InStateSet) << "\n"
        << "customparse " << int{t.CustomParse} << "\n";
}

}  // namespace

void DumpScheme(const TCodeMemoParser& scheme, std::ostream& out)
{
    DumpSettings(scheme.Settings(), out);
    DumpEditorLists(scheme.Settings(), out);
    DumpTables(scheme.Tables(), out);
}

std::string DumpScheme(const TCodeMemoParser& scheme)
{
    std::ostringstream out;
    DumpScheme(scheme, out);
    return out.str();
}

}  // namespace tarnwick
