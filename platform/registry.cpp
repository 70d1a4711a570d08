// The registry hive file: parsing, lookup and writing back.
#include "platform/registry.h"

#include "platform/app_folder.h"
#include "platform/ascii_text.h"
#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/hex_digit.h"

#include <cstdio>
#include <map>

namespace tarnwick {

namespace {

constexpr std::string_view kRootName = "HKEY_CURRENT_USER";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kHeader4 = "REGEDIT4";
// The registry itself allows no deeper keys; the limit also keeps the
// recursive walks over the tree shallow whatever a file holds.
constexpr size_t kMaxDepth = 512;
// Width at which binary data is continued on the next line, as exports do.
constexpr size_t kHexLineWidth = 77;

struct TValue {
    std::string name;
    uint32_t type;
    // String types: code page text (String and ExpandString without their
    // terminating NULs). Other types: the raw bytes.
    std::string data;
};

bool IsTextType(uint32_t type)
{
    return type == uint32_t(TRegDataType::String) || type == uint32_t(TRegDataType::ExpandString) ||
           type == uint32_t(TRegDataType::MultiString);
}

// String and ExpandString data ends at its terminator; keeping it without one
// makes the quoted and the hex form of the same text compare equal.
std::string WithoutTerminator(std::string data, uint32_t type)
{
    if (type == uint32_t(TRegDataType::String) || type == uint32_t(TRegDataType::ExpandString))
        while (!data.empty() && data.back() == '\0')
            data.pop_back();
    return data;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}


bool HasLineBreakOrNul(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// Components of a key path below HKEY_CURRENT_USER; empty components are
// dropped and a leading root name is accepted.
std::vector<std::string> SplitKeyPath(std::string_view path)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > start)
            parts.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    if (!parts.empty() && SameTextAscii(parts.front(), kRootName))
        parts.erase(parts.begin());
    return parts;
}

std::string JoinKeyPath(const std::vector<std::string>& parts)
{
    std::string path;
    for (const std::string& part : parts) {
        if (!path.empty())
            path += '\\';
        path += part;
    }
    return path;
}

// The whole file as code page bytes: a UTF-16 or UTF-8 file (known by its
// byte order mark) is converted, anything else is taken as it is.
std::string FileTextAsAnsi(const std::string& raw)
{
    auto byteAt = [&raw](size_t i) { return static_cast<unsigned char>(raw[i]); };
    if (raw.size() >= 2 && ((byteAt(0) == 0xFF && byteAt(1) == 0xFE) ||
                            (byteAt(0) == 0xFE && byteAt(1) == 0xFF))) {
        const bool little = byteAt(0) == 0xFF;
        std::u16string units;
        units.reserve(raw.size() / 2);
        for (size_t i = 2; i + 1 < raw.size(); i += 2)
            units.push_back(little ? char16_t(byteAt(i) | (byteAt(i + 1) << 8))
                                   : char16_t((byteAt(i) << 8) | byteAt(i + 1)));
        return Utf16ToCp1252(units);
    }
    if (raw.size() >= 3 && byteAt(0) == 0xEF && byteAt(1) == 0xBB && byteAt(2) == 0xBF)
        return Utf8ToCp1252(std::string_view(raw).substr(3));
    return raw;
}

std::string Utf16LeBytes(std::string_view ansi)
{
    std::string bytes;
    bytes.reserve(ansi.size() * 2);
    for (char16_t unit : Cp1252ToUtf16(ansi)) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

std::string AnsiFromUtf16Le(std::string_view bytes)
{
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        units.push_back(char16_t(static_cast<unsigned char>(bytes[i]) |
                                 (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    return Utf16ToCp1252(units);
}

// Reads a quoted string at `pos` (which must hold the opening quote), with the
// escapes \\ and \". Another character after a backslash keeps the backslash,
// as the export format has no other escapes. False when the closing quote is
// missing.
bool ParseQuoted(std::string_view line, size_t& pos, std::string& out)
{
    if (pos >= line.size() || line[pos] != '"')
        return false;
    out.clear();
    for (size_t i = pos + 1; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            pos = i + 1;
            return true;
        }
        if (c == '\\' && i + 1 < line.size() && (line[i + 1] == '\\' || line[i + 1] == '"')) {
            out.push_back(line[++i]);
            continue;
        }
        out.push_back(c);
    }
    return false;
}

// Comma-separated hexadecimal bytes ("01,ff,3"), blanks allowed around them
// and one trailing comma tolerated (the loop ends before an empty last item).
bool ParseHexBytes(std::string_view text, std::string& out)
{
    out.clear();
    text = Trimmed(text);
    if (text.empty())
        return true;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(',', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view item = Trimmed(text.substr(start, end - start));
        if (item.empty() || item.size() > 2)
            return false;
        int value = 0;
        for (char c : item) {
            const int digit = HexDigit(c);
            if (digit < 0)
                return false;
            value = value * 16 + digit;
        }
        out.push_back(static_cast<char>(value));
        start = end + 1;
    }
    return true;
}

bool ParseHexNumber(std::string_view text, size_t maxDigits, uint32_t& value)
{
    if (text.empty() || text.size() > maxDigits)
        return false;
    value = 0;
    for (char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return false;
        value = value * 16 + uint32_t(digit);
    }
    return true;
}


void AppendQuoted(std::string& out, std::string_view text)
{
    out += '"';
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
}

void AppendHexData(std::string& out, std::string line, std::string_view bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        std::string piece{kDigits[b >> 4], kDigits[b & 15]};
        if (i + 1 < bytes.size())
            piece += ',';
        if (line.size() + piece.size() > kHexLineWidth && !Trimmed(line).empty()) {
            out += line;
            out += "\\\r\n";
            line = "  ";
        }
        line += piece;
    }
    out += line;
    out += "\r\n";
}

// The physical lines of a hive file (CR LF, LF or CR ends), one at a time.
class TLineReader {
public:
    explicit TLineReader(std::string_view text) : rest_(text) {}
    bool Next(std::string_view& line)
    {
        if (rest_.empty())
            return false;
        size_t end = rest_.find_first_of("\r\n");
        if (end == std::string_view::npos)
            end = rest_.size();
        line = rest_.substr(0, end);
        rest_.remove_prefix(end);
        if (!rest_.empty() && rest_.front() == '\r')
            rest_.remove_prefix(1);
        if (!rest_.empty() && rest_.front() == '\n')
            rest_.remove_prefix(1);
        return true;
    }

private:
    std::string_view rest_;
};

// The key path of a header line "[HKEY_CURRENT_USER\...]" below the root;
// nullopt for an unreadable header, a deletion (which a hive does not hold),
// another hive, or a key deeper than the registry allows.
std::optional<std::vector<std::string>> KeyHeaderPath(std::string_view line)
{
    const size_t close = line.rfind(']');
    if (close == std::string_view::npos || close < 2 || line[1] == '-')
        return std::nullopt;
    const std::string_view path = line.substr(1, close - 1);
    std::vector<std::string> parts = SplitKeyPath(path);
    if (!SameTextAscii(path.substr(0, path.find('\\')), kRootName) || parts.size() > kMaxDepth)
        return std::nullopt;
    return parts;
}

struct TValueData {
    uint32_t type;
    std::string bytes;
};

// What follows a value's '=': a quoted string, dword:xxxxxxxx, or hex: /
// hex(n): bytes, whose continuation lines (a line ending in '\' goes on in
// the next) are taken from `lines`. nullopt for anything unreadable.
std::optional<TValueData> ParseValueData(std::string_view data, bool unicode, TLineReader& lines)
{
    if (!data.empty() && data.front() == '"') {
        std::string value;
        size_t valuePos = 0;
        if (!ParseQuoted(data, valuePos, value) || !Trimmed(data.substr(valuePos)).empty())
            return std::nullopt;
        return TValueData{uint32_t(TRegDataType::String), WithoutTerminator(std::move(value), 1)};
    }
    if (StartsWithAscii(data, "dword:")) {
        uint32_t number = 0;
        if (!ParseHexNumber(Trimmed(data.substr(6)), 8, number))
            return std::nullopt;
        std::string bytes;
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<char>((number >> (8 * i)) & 0xFF));
        return TValueData{uint32_t(TRegDataType::DWord), std::move(bytes)};
    }
    if (!StartsWithAscii(data, "hex"))
        return std::nullopt;
    uint32_t type = uint32_t(TRegDataType::Binary);
    std::string_view afterHex = data.substr(3);
    if (!afterHex.empty() && afterHex.front() == '(') {
        const size_t close = afterHex.find(')');
        if (close == std::string_view::npos ||
            !ParseHexNumber(afterHex.substr(1, close - 1), 8, type))
            return std::nullopt;
        afterHex.remove_prefix(close + 1);
    }
    if (afterHex.empty() || afterHex.front() != ':')
        return std::nullopt;
    std::string joined(afterHex.substr(1));
    while (!joined.empty() && joined.back() == '\\') {
        joined.pop_back();
        std::string_view next;
        if (!lines.Next(next))
            break;
        joined += Trimmed(next);
    }
    std::string bytes;
    if (!ParseHexBytes(joined, bytes))
        return std::nullopt;
    if (IsTextType(type))
        bytes = WithoutTerminator(unicode ? AnsiFromUtf16Le(bytes) : bytes, type);
    return TValueData{type, std::move(bytes)};
}

}  // namespace

struct TRegistry::TNode {
    std::string name;
    std::vector<TValue> values;
    std::vector<std::unique_ptr<TNode>> children;
    // Positions by upper-cased name, so that a hive with many entries is
    // still read in n log n.
    std::map<std::string, size_t> valueIndex;
    std::map<std::string, size_t> childIndex;

    TNode* FindChild(std::string_view childName) const
    {
        auto it = childIndex.find(UpperCaseAscii(childName));
        return it == childIndex.end() ? nullptr : children[it->second].get();
    }

    TNode& Child(const std::string& childName)
    {
        auto [it, added] = childIndex.try_emplace(UpperCaseAscii(childName), children.size());
        if (added) {
            children.push_back(std::make_unique<TNode>());
            children.back()->name = childName;
        }
        return *children[it->second];
    }

    const TValue* FindValue(std::string_view valueName) const
    {
        auto it = valueIndex.find(UpperCaseAscii(valueName));
        return it == valueIndex.end() ? nullptr : &values[it->second];
    }

    void SetValue(std::string_view valueName, uint32_t type, std::string data)
    {
        auto [it, added] = valueIndex.try_emplace(UpperCaseAscii(valueName), values.size());
        if (added) {
            values.push_back({std::string(valueName), type, std::move(data)});
        } else {
            values[it->second].type = type;
            values[it->second].data = std::move(data);
        }
    }

    void WriteTo(std::string& out, const std::string& path, bool isRoot) const
    {
        if (!isRoot || !values.empty()) {
            out += '[';
            out += kRootName;
            if (!path.empty()) {
                out += '\\';
                out += path;
            }
            out += "]\r\n";
            for (const TValue& value : values)
                WriteValue(out, value);
            out += "\r\n";
        }
        for (const auto& child : children)
            child->WriteTo(out, path.empty() ? child->name : path + '\\' + child->name, false);
    }

    static void WriteValue(std::string& out, const TValue& value)
    {
        std::string line;
        if (value.name.empty())
            line = "@";
        else
            AppendQuoted(line, value.name);
        line += '=';
        const auto type = value.type;
        if (type == uint32_t(TRegDataType::String) && !HasLineBreakOrNul(value.data)) {
            AppendQuoted(line, value.data);
            out += line + "\r\n";
        } else if (type == uint32_t(TRegDataType::DWord) && value.data.size() == 4) {
            uint32_t number = 0;
            for (size_t i = 0; i < 4; ++i)
                number |= uint32_t(static_cast<unsigned char>(value.data[i])) << (8 * i);
            char digits[16];
            std::snprintf(digits, sizeof digits, "dword:%08x", number);
            out += line + digits + "\r\n";
        } else if (type == uint32_t(TRegDataType::Binary)) {
            AppendHexData(out, line + "hex:", value.data);
        } else {
            char prefix[24];
            std::snprintf(prefix, sizeof prefix, "hex(%x):", type);
            std::string bytes = value.data;
            if (IsTextType(type)) {
                if (type != uint32_t(TRegDataType::MultiString))
                    bytes.push_back('\0');
                bytes = Utf16LeBytes(bytes);
            }
            AppendHexData(out, line + prefix, bytes);
        }
    }
};

// ---- TRegistry ---------------------------------------------------------------

TRegistry::TRegistry() : TRegistry(DefaultHiveFile()) {}

TRegistry::TRegistry(std::filesystem::path hiveFile)
    : file_(std::move(hiveFile)), root_(std::make_unique<TNode>())
{
}

TRegistry::~TRegistry() = default;

std::filesystem::path TRegistry::DefaultHiveFile()
{
    return ResolveFileName("user.reg", ApplicationFolder());
}

void TRegistry::Load()
{
    auto root = std::make_unique<TNode>();
    std::string raw;
    if (TryReadWholeFile(file_, raw)) {
        const std::string text = FileTextAsAnsi(raw);
        bool unicode = true;
        TNode* current = nullptr;
        TLineReader lines(text);
        std::string_view physical;
        while (lines.Next(physical)) {
            std::string_view line = Trimmed(physical);
            if (line.empty() || line.front() == ';')
                continue;
            if (SameTextAscii(line, kHeader5) || SameTextAscii(line, kHeader4)) {
                unicode = SameTextAscii(line, kHeader5);
                continue;
            }
            if (line.front() == '[') {
                current = nullptr;
                if (const std::optional<std::vector<std::string>> parts = KeyHeaderPath(line)) {
                    current = root.get();
                    for (const std::string& part : *parts)
                        current = &current->Child(part);
                }
                continue;
            }
            if (!current)
                continue;
            // A value: @=... or "name"=...
            std::string name;
            size_t pos = 0;
            if (line.front() == '@') {
                pos = 1;
            } else if (!ParseQuoted(line, pos, name)) {
                continue;
            }
            while (pos < line.size() && IsBlank(line[pos]))
                ++pos;
            if (pos >= line.size() || line[pos] != '=')
                continue;
            if (std::optional<TValueData> data =
                    ParseValueData(Trimmed(line.substr(pos + 1)), unicode, lines))
                current->SetValue(name, data->type, std::move(data->bytes));
        }
    }
    root_ = std::move(root);
}

void TRegistry::Save() const
{
    WriteFileAtomically(file_, ToText());
}

std::string TRegistry::ToText() const
{
    std::string out(kHeader5);
    out += "\r\n\r\n";
    root_->WriteTo(out, std::string(), true);
    return out;
}

const TRegistry::TNode* TRegistry::Find(std::string_view path) const
{
    const TNode* node = root_.get();
    for (const std::string& part : SplitKeyPath(path)) {
        node = node->FindChild(part);
        if (!node)
            return nullptr;
    }
    return node;
}

template <typename Change>
void TRegistry::Modify(Change&& change)
{
    Load();
    change(*root_);
    Save();
}

std::optional<TRegistryKey> TRegistry::OpenKeyReadOnly(std::string_view path)
{
    Load();
    std::vector<std::string> stored;
    const TNode* node = root_.get();
    for (const std::string& part : SplitKeyPath(path)) {
        node = node->FindChild(part);
        if (!node)
            return std::nullopt;
        stored.push_back(node->name);
    }
    return TRegistryKey(this, JoinKeyPath(stored));
}

TRegistryKey TRegistry::CreateKey(std::string_view path)
{
    const std::vector<std::string> parts = SplitKeyPath(path);
    if (parts.size() > kMaxDepth || HasLineBreakOrNul(path))
        throw Exception("Invalid registry key name");
    Load();
    if (Find(path) == nullptr)
        Modify([&parts](TNode& root) {
            TNode* node = &root;
            for (const std::string& part : parts)
                node = &node->Child(part);
        });
    std::vector<std::string> stored;
    const TNode* node = root_.get();
    for (const std::string& part : parts) {
        node = node->FindChild(part);
        stored.push_back(node->name);
    }
    return TRegistryKey(this, JoinKeyPath(stored));
}

// ---- TRegistryKey ------------------------------------------------------------

std::vector<std::string> TRegistryKey::GetValueNames() const
{
    std::vector<std::string> names;
    if (const TRegistry::TNode* node = registry_->Find(path_))
        for (const TValue& value : node->values)
            names.push_back(value.name);
    return names;
}

std::vector<std::string> TRegistryKey::GetKeyNames() const
{
    std::vector<std::string> names;
    if (const TRegistry::TNode* node = registry_->Find(path_))
        for (const auto& child : node->children)
            names.push_back(child->name);
    return names;
}

bool TRegistryKey::ValueExists(std::string_view name) const
{
    return GetDataType(name).has_value();
}

std::optional<TRegDataType> TRegistryKey::GetDataType(std::string_view name) const
{
    const TRegistry::TNode* node = registry_->Find(path_);
    const TValue* value = node ? node->FindValue(name) : nullptr;
    if (!value)
        return std::nullopt;
    return static_cast<TRegDataType>(value->type);
}

std::optional<std::string> TRegistryKey::ReadString(std::string_view name) const
{
    const TRegistry::TNode* node = registry_->Find(path_);
    const TValue* value = node ? node->FindValue(name) : nullptr;
    if (!value || (value->type != uint32_t(TRegDataType::String) &&
                   value->type != uint32_t(TRegDataType::ExpandString)))
        return std::nullopt;
    return value->data;
}

std::optional<int32_t> TRegistryKey::ReadInteger(std::string_view name) const
{
    const TRegistry::TNode* node = registry_->Find(path_);
    const TValue* value = node ? node->FindValue(name) : nullptr;
    if (!value)
        return std::nullopt;
    if (value->type == uint32_t(TRegDataType::DWord)) {
        if (value->data.size() != 4)
            return std::nullopt;
        uint32_t number = 0;
        for (size_t i = 0; i < 4; ++i)
            number |= uint32_t(static_cast<unsigned char>(value->data[i])) << (8 * i);
        return static_cast<int32_t>(number);
    }
    if (value->type != uint32_t(TRegDataType::String) &&
        value->type != uint32_t(TRegDataType::ExpandString))
        return std::nullopt;
    std::string_view text = Trimmed(value->data);
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        uint32_t number = 0;
        if (!ParseHexNumber(text.substr(2), 8, number))
            return std::nullopt;
        return static_cast<int32_t>(number);
    }
    int32_t number = 0;
    if (!TryParseInt32(text, number))
        return std::nullopt;
    return number;
}

std::optional<std::string> TRegistryKey::ReadBinary(std::string_view name) const
{
    const TRegistry::TNode* node = registry_->Find(path_);
    const TValue* value = node ? node->FindValue(name) : nullptr;
    if (!value || IsTextType(value->type) || value->type == uint32_t(TRegDataType::DWord))
        return std::nullopt;
    return value->data;
}

std::optional<TRegistryKey> TRegistryKey::OpenSubKeyReadOnly(std::string_view name) const
{
    const TRegistry::TNode* node = registry_->Find(path_);
    if (!node)
        return std::nullopt;
    std::string path = path_;
    for (const std::string& part : SplitKeyPath(name)) {
        node = node->FindChild(part);
        if (!node)
            return std::nullopt;
        if (!path.empty())
            path += '\\';
        path += node->name;
    }
    return TRegistryKey(registry_, std::move(path));
}

namespace {

void CheckValueName(std::string_view name)
{
    if (HasLineBreakOrNul(name))
        throw Exception("Invalid registry value name");
}

}  // namespace

void TRegistryKey::WriteString(std::string_view name, std::string_view value)
{
    CheckValueName(name);
    const std::vector<std::string> parts = SplitKeyPath(path_);
    registry_->Modify([&](TRegistry::TNode& root) {
        TRegistry::TNode* node = &root;
        for (const std::string& part : parts)
            node = &node->Child(part);
        node->SetValue(name, uint32_t(TRegDataType::String),
                       WithoutTerminator(std::string(value), uint32_t(TRegDataType::String)));
    });
}

void TRegistryKey::WriteBinary(std::string_view name, std::string_view bytes)
{
    CheckValueName(name);
    const std::vector<std::string> parts = SplitKeyPath(path_);
    registry_->Modify([&](TRegistry::TNode& root) {
        TRegistry::TNode* node = &root;
        for (const std::string& part : parts)
            node = &node->Child(part);
        node->SetValue(name, uint32_t(TRegDataType::Binary), std::string(bytes));
    });
}

void TRegistryKey::WriteInteger(std::string_view name, int32_t value)
{
    CheckValueName(name);
    const std::vector<std::string> parts = SplitKeyPath(path_);
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>((uint32_t(value) >> (8 * i)) & 0xFF));
    registry_->Modify([&](TRegistry::TNode& root) {
        TRegistry::TNode* node = &root;
        for (const std::string& part : parts)
            node = &node->Child(part);
        node->SetValue(name, uint32_t(TRegDataType::DWord), std::move(bytes));
    });
}

}  // namespace tarnwick
