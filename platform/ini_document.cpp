// TIniDocument: an INI file held as its lines, so that a change rewrites only
// the lines it touches and every other byte of the file stays as it was.
//
// Lookups go through per-document indexes (first section of a name, first key
// of a name within a section) so that a store operation that reads and writes
// thousands of keys stays linear. Deleted lines and sections are kept as
// tombstones until the text is produced, so indexes never shift.
#include "platform/profile.h"

#include "platform/file_io.h"
#include "platform/file_names.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace tarnwick {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\x1a';
}

// The profile functions' own trim: it runs on every line of every file read,
// so it tests its six blanks inline rather than through Trimmed's set.
std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The line without its line break.
std::string_view StripBreak(std::string_view raw)
{
    while (!raw.empty() && (raw.back() == '\r' || raw.back() == '\n'))
        raw.remove_suffix(1);
    return raw;
}

// How one line of an INI file reads: a section header, an entry with '='
// (a key, or a comment when the key starts with ';'), or anything else.
struct TLineShape {
    enum TKind { Other, Header, Entry } kind = Other;
    std::string_view name;   // header: the section name; entry: the key (trimmed)
    std::string_view value;  // entry: the value (trimmed), a view into the line
};

TLineShape ShapeOf(std::string_view raw)
{
    TLineShape shape;
    const std::string_view content = StripBreak(raw);
    const std::string_view text = Trim(content);
    if (text.empty())
        return shape;
    if (text.front() == '[') {
        // The name runs to the last ']'; a '[' line without one is an entry line.
        const size_t close = text.rfind(']');
        if (close != std::string_view::npos) {
            shape.kind = TLineShape::Header;
            shape.name = Trim(text.substr(1, close - 1));
            return shape;
        }
    }
    const size_t eq = content.find('=');
    if (eq == std::string_view::npos)
        return shape;
    shape.kind = TLineShape::Entry;
    shape.name = Trim(content.substr(0, eq));
    const std::string_view value = Trim(content.substr(eq + 1));
    shape.value = value.empty() ? content.substr(eq + 1, 0) : value;
    return shape;
}

// Calls `visit` with each line of `bytes`, its line break included; a line
// ends at LF, CR LF or a lone CR.
template <class TVisit>
void ForEachLine(std::string_view bytes, TVisit&& visit)
{
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        else if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')
            end += 2;
        else
            end += 1;
        if (!visit(bytes.substr(pos, end - pos)))
            return;
        pos = end;
    }
}

// One pair of enclosing quotes (both '"' or both '\'') comes off a value.
std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

// What a profile read returns: the value found, or the default without its
// trailing spaces, cut to bufferSize - 1 characters.
std::string ReadResult(std::optional<std::string> value, std::string_view def, size_t bufferSize)
{
    if (bufferSize == 0)
        return {};
    std::string result;
    if (value) {
        result = std::move(*value);
    } else {
        while (!def.empty() && def.back() == ' ')
            def.remove_suffix(1);
        result = std::string(def);
    }
    if (result.size() > bufferSize - 1)
        result.resize(bufferSize - 1);
    return result;
}

bool HasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// The names a caller walking a listing buffer of `bufferSize` characters
// sees: when the list does not fit, the buffer holds its first
// bufferSize - 2 characters and the last (possibly cut) name is dropped.
std::vector<std::string> FitListing(std::vector<std::string> names, size_t bufferSize)
{
    if (bufferSize == std::numeric_limits<size_t>::max())
        return names;
    size_t needed = 1;
    for (const std::string& name : names)
        needed += name.size() + 1;
    if (needed < bufferSize)
        return names;
    if (bufferSize <= 2)
        return {};
    const size_t limit = bufferSize - 2;
    std::vector<std::string> walked;
    size_t pos = 0;
    for (std::string& name : names) {
        if (pos >= limit)
            break;
        const size_t take = std::min(name.size(), limit - pos);
        pos += name.size() + 1;
        name.resize(take);
        walked.push_back(std::move(name));
    }
    if (!walked.empty())
        walked.pop_back();
    return walked;
}

}  // namespace

struct TIniDocument::TImpl {
    struct TLine {
        std::string raw;    // the line with its own line break, as in the file
        bool deleted = false;
        bool hasKey = false;  // an entry with '='
        std::string key;      // trimmed, as spelled in the file
        size_t valueBegin = 0, valueLength = 0;  // trimmed value inside raw

        std::string_view Value() const
        {
            return std::string_view(raw).substr(valueBegin, valueLength);
        }
        std::string_view Break() const
        {
            return std::string_view(raw).substr(StripBreak(raw).size());
        }
        bool IsBlankLine() const { return Trim(StripBreak(raw)).empty(); }
    };

    struct TSection {
        bool hasHeader = false;  // false only for the lines before the first header
        bool erased = false;
        std::string header;      // the header line with its line break
        std::string name;        // trimmed name between '[' and the last ']'
        std::vector<TLine> lines;
        // First line of each folded key name; rebuilt on demand.
        std::unordered_map<std::string, size_t> keyIndex;
        bool indexValid = false;
        bool hasDuplicateKeys = false;
    };

    std::vector<TSection> sections;
    std::unordered_map<std::string, size_t> sectionIndex;
    bool sectionIndexValid = false;
    bool hasDuplicateSections = false;
    bool modified = false;

    void Parse(std::string_view bytes)
    {
        sections.clear();
        sections.emplace_back();  // the nameless part before the first header
        ForEachLine(bytes, [this](std::string_view raw) {
            AddLine(raw);
            return true;
        });
        sectionIndexValid = false;
    }

    void AddLine(std::string_view raw)
    {
        const TLineShape shape = ShapeOf(raw);
        if (shape.kind == TLineShape::Header) {
            TSection section;
            section.hasHeader = true;
            section.header = std::string(raw);
            section.name = std::string(shape.name);
            sections.push_back(std::move(section));
            return;
        }
        sections.back().lines.push_back(MakeLine(std::string(raw)));
    }

    static TLine MakeLine(std::string raw)
    {
        TLine line;
        line.raw = std::move(raw);
        const TLineShape shape = ShapeOf(line.raw);
        if (shape.kind == TLineShape::Entry) {
            line.hasKey = true;
            line.key = std::string(shape.name);
            line.valueBegin = size_t(shape.value.data() - line.raw.data());
            line.valueLength = shape.value.size();
        }
        return line;
    }

    void BuildSectionIndex()
    {
        sectionIndex.clear();
        hasDuplicateSections = false;
        for (size_t i = 1; i < sections.size(); ++i) {
            const TSection& section = sections[i];
            if (section.erased || section.name.empty())
                continue;
            if (!sectionIndex.emplace(UpperCaseAscii(section.name), i).second)
                hasDuplicateSections = true;
        }
        sectionIndexValid = true;
    }

    static void BuildKeyIndex(TSection& section)
    {
        section.keyIndex.clear();
        section.hasDuplicateKeys = false;
        for (size_t i = 0; i < section.lines.size(); ++i) {
            const TLine& line = section.lines[i];
            if (line.deleted || !line.hasKey || line.key.empty())
                continue;
            if (!section.keyIndex.emplace(UpperCaseAscii(line.key), i).second)
                section.hasDuplicateKeys = true;
        }
        section.indexValid = true;
    }

    TSection* FindSection(std::string_view name)
    {
        name = Trim(name);
        if (name.empty())
            return nullptr;
        if (!sectionIndexValid)
            BuildSectionIndex();
        auto it = sectionIndex.find(UpperCaseAscii(name));
        return it == sectionIndex.end() ? nullptr : &sections[it->second];
    }

    TLine* FindLine(TSection& section, std::string_view key)
    {
        key = Trim(key);
        if (key.empty())
            return nullptr;
        if (!section.indexValid)
            BuildKeyIndex(section);
        auto it = section.keyIndex.find(UpperCaseAscii(key));
        return it == section.keyIndex.end() ? nullptr : &section.lines[it->second];
    }

    // The last line of the file that still exists, to give it a line break
    // before anything is appended behind it.
    std::string* LastRawLine()
    {
        for (size_t s = sections.size(); s-- > 0;) {
            TSection& section = sections[s];
            if (section.erased)
                continue;
            for (size_t l = section.lines.size(); l-- > 0;)
                if (!section.lines[l].deleted)
                    return &section.lines[l].raw;
            if (section.hasHeader)
                return &section.header;
        }
        return nullptr;
    }

    static void EnsureBreak(std::string& raw)
    {
        if (!raw.empty() && raw.back() != '\n' && raw.back() != '\r')
            raw += "\r\n";
    }

    void AppendKey(TSection& section, std::string_view key, std::string_view value)
    {
        // The new key goes after the last non-blank line of the section, so the
        // blank lines that separate it from the next section stay below it.
        size_t insertAt = section.lines.size();
        while (insertAt > 0 &&
               (section.lines[insertAt - 1].deleted || section.lines[insertAt - 1].IsBlankLine()))
            --insertAt;
        if (insertAt > 0)
            EnsureBreak(section.lines[insertAt - 1].raw);
        else if (section.hasHeader)
            EnsureBreak(section.header);
        std::string raw = std::string(key) + "=" + std::string(value) + "\r\n";
        section.lines.insert(section.lines.begin() + std::ptrdiff_t(insertAt), MakeLine(std::move(raw)));
        // Only blank or deleted lines can follow the insertion point, so the
        // indexes of the keys are unchanged; just add the new one.
        if (section.indexValid)
            section.keyIndex.emplace(UpperCaseAscii(key), insertAt);
    }
};

TIniDocument::TIniDocument() : impl_(std::make_unique<TImpl>())
{
    impl_->Parse({});
}

TIniDocument::TIniDocument(std::string_view bytes) : impl_(std::make_unique<TImpl>())
{
    impl_->Parse(bytes);
}

TIniDocument::~TIniDocument() = default;
TIniDocument::TIniDocument(TIniDocument&&) noexcept = default;
TIniDocument& TIniDocument::operator=(TIniDocument&&) noexcept = default;
TIniDocument::TIniDocument(const TIniDocument& other) : impl_(std::make_unique<TImpl>(*other.impl_)) {}

TIniDocument& TIniDocument::operator=(const TIniDocument& other)
{
    if (this != &other)
        impl_ = std::make_unique<TImpl>(*other.impl_);
    return *this;
}

TIniDocument TIniDocument::Load(const std::filesystem::path& path)
{
    std::string bytes;
    if (!TryReadWholeFile(path, bytes))
        return TIniDocument();
    return TIniDocument(bytes);
}

std::optional<std::string> TIniDocument::Find(std::string_view section, std::string_view key) const
{
    TImpl::TSection* found = impl_->FindSection(section);
    if (!found)
        return std::nullopt;
    TImpl::TLine* line = impl_->FindLine(*found, key);
    if (!line)
        return std::nullopt;
    return std::string(Unquote(line->Value()));
}

std::optional<std::string> TIniDocument::FindIn(std::string_view bytes, std::string_view section,
                                                std::string_view key)
{
    section = Trim(section);
    key = Trim(key);
    if (section.empty() || key.empty())
        return std::nullopt;
    // 0: before the section, 1: inside its first occurrence, 2: past it.
    int where = 0;
    std::optional<std::string> found;
    ForEachLine(bytes, [&](std::string_view raw) {
        const TLineShape shape = ShapeOf(raw);
        if (shape.kind == TLineShape::Header) {
            if (where == 1)
                where = 2;
            else if (where == 0 && SameTextAscii(shape.name, section))
                where = 1;
        } else if (where == 1 && shape.kind == TLineShape::Entry && SameTextAscii(shape.name, key)) {
            found = std::string(Unquote(shape.value));
        }
        return where != 2 && !found;
    });
    return found;
}

std::string TIniDocument::ReadString(std::string_view section, std::string_view key,
                                     std::string_view def, size_t bufferSize) const
{
    return ReadResult(Find(section, key), def, bufferSize);
}

std::string TIniDocument::ReadStringIn(std::string_view bytes, std::string_view section,
                                       std::string_view key, std::string_view def,
                                       size_t bufferSize)
{
    return ReadResult(FindIn(bytes, section, key), def, bufferSize);
}

std::vector<std::string> TIniDocument::SectionNames(size_t bufferSize) const
{
    std::vector<std::string> names;
    for (size_t i = 1; i < impl_->sections.size(); ++i) {
        const TImpl::TSection& section = impl_->sections[i];
        if (!section.erased && !section.name.empty())
            names.push_back(section.name);
    }
    return FitListing(std::move(names), bufferSize);
}

std::vector<std::string> TIniDocument::Keys(std::string_view section, size_t bufferSize) const
{
    std::vector<std::string> keys;
    if (const TImpl::TSection* found = impl_->FindSection(section)) {
        for (const TImpl::TLine& line : found->lines)
            if (!line.deleted && line.hasKey && !line.key.empty() && line.key.front() != ';')
                keys.push_back(line.key);
    }
    return FitListing(std::move(keys), bufferSize);
}

bool TIniDocument::HasSection(std::string_view section) const
{
    return impl_->FindSection(section) != nullptr;
}

void TIniDocument::ForEachValue(const std::function<void(std::string_view, std::string_view,
                                                         std::string_view)>& visit) const
{
    for (size_t i = 1; i < impl_->sections.size(); ++i) {
        const TImpl::TSection& section = impl_->sections[i];
        if (section.erased || section.name.empty())
            continue;
        for (const TImpl::TLine& line : section.lines)
            if (!line.deleted && line.hasKey && !line.key.empty() && line.key.front() != ';')
                visit(section.name, line.key, Unquote(line.Value()));
    }
}

bool TIniDocument::WriteString(std::string_view section, std::string_view key,
                               std::string_view value)
{
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value))
        return false;
    section = Trim(section);
    key = Trim(key);
    value = Trim(value);
    if (section.empty() || key.empty())
        return false;

    TImpl& d = *impl_;
    if (TImpl::TSection* found = d.FindSection(section)) {
        if (TImpl::TLine* line = d.FindLine(*found, key)) {
            if (line->Value() == value)
                return true;
            std::string raw = line->key + "=" + std::string(value) + std::string(line->Break());
            *line = TImpl::MakeLine(std::move(raw));
        } else {
            d.AppendKey(*found, key, value);
        }
    } else {
        if (std::string* last = d.LastRawLine())
            TImpl::EnsureBreak(*last);
        TImpl::TSection fresh;
        fresh.hasHeader = true;
        fresh.header = "[" + std::string(section) + "]\r\n";
        fresh.name = std::string(section);
        fresh.lines.push_back(TImpl::MakeLine(std::string(key) + "=" + std::string(value) + "\r\n"));
        d.sections.push_back(std::move(fresh));
        if (d.sectionIndexValid)
            d.sectionIndex.emplace(UpperCaseAscii(section), d.sections.size() - 1);
    }
    d.modified = true;
    // A key that holds '=' or looks like a header reads back differently from
    // how it was written; parse the text again so later reads in this document
    // see what a fresh read of the file would.
    if (key.find('=') != std::string_view::npos ||
        (key.front() == '[' && key.find(']') != std::string_view::npos))
        d.Parse(Text());
    return true;
}

void TIniDocument::DeleteKey(std::string_view section, std::string_view key)
{
    TImpl& d = *impl_;
    TImpl::TSection* found = d.FindSection(section);
    if (!found)
        return;
    TImpl::TLine* line = d.FindLine(*found, key);
    if (!line)
        return;
    line->deleted = true;
    if (found->hasDuplicateKeys)
        found->indexValid = false;  // a later key of that name becomes the first
    else
        found->keyIndex.erase(UpperCaseAscii(Trim(key)));
    d.modified = true;
}

void TIniDocument::EraseSection(std::string_view section)
{
    TImpl& d = *impl_;
    TImpl::TSection* found = d.FindSection(section);
    if (!found)
        return;
    found->erased = true;
    found->lines.clear();
    found->keyIndex.clear();
    if (d.hasDuplicateSections)
        d.sectionIndexValid = false;
    else
        d.sectionIndex.erase(UpperCaseAscii(found->name));
    d.modified = true;
}

std::string TIniDocument::Text() const
{
    std::string text;
    for (const TImpl::TSection& section : impl_->sections) {
        if (section.erased)
            continue;
        text += section.header;
        for (const TImpl::TLine& line : section.lines)
            if (!line.deleted)
                text += line.raw;
    }
    return text;
}

bool TIniDocument::Modified() const
{
    return impl_->modified;
}

}  // namespace tarnwick
