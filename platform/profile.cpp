// The profile functions: single calls that read the file afresh and write it
// back before returning, the batch form, and the program's integer reads.
#include "platform/profile.h"

#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/hex_digit.h"

#include <cstdint>
#include <limits>

namespace tarnwick {

namespace {

std::filesystem::path Resolve(const std::string& fileName)
{
    return ResolveFileName(fileName);
}

TIniDocument LoadDocument(const std::string& fileName)
{
    return TIniDocument::Load(Resolve(fileName));
}

// Writes the document back when it changed; any failure becomes "Unable to
// write to %s" with the name the caller gave.
void Store(const std::string& fileName, const std::filesystem::path& path, const TIniDocument& doc)
{
    if (!doc.Modified())
        return;
    try {
        WriteFileAtomically(path, doc.Text());
    } catch (const Exception&) {
        try {
            RemoveFile(TemporaryNameFor(path));
        } catch (const Exception&) {
            // The write failed already; a left-over temporary file is harmless.
        }
        RaiseUnableToWrite(fileName);
    }
}

}  // namespace

TProfileBatch::TProfileBatch(const std::string& fileName)
    : fileName_(fileName), path_(Resolve(fileName)), doc_(TIniDocument::Load(path_))
{
}

void TProfileBatch::Commit()
{
    Store(fileName_, path_, doc_);
    doc_ = TIniDocument(doc_.Text());  // what is on disk now: nothing left to write
}

std::string ProfileReadString(const std::string& fileName, std::string_view section,
                              std::string_view key, std::string_view def)
{
    std::string bytes;
    TryReadWholeFile(Resolve(fileName), bytes);  // a missing file reads as empty
    return TIniDocument::ReadStringIn(bytes, section, key, def);
}

void ProfileWriteString(const std::string& fileName, std::string_view section,
                        std::string_view key, std::string_view value)
{
    TProfileBatch batch(fileName);
    if (!batch.Doc().WriteString(section, key, value))
        RaiseUnableToWrite(fileName);
    batch.Commit();
}

std::vector<std::string> ProfileSectionNames(const std::string& fileName)
{
    return LoadDocument(fileName).SectionNames();
}

std::vector<std::string> ProfileKeys(const std::string& fileName, std::string_view section)
{
    return LoadDocument(fileName).Keys(section);
}

void ProfileDeleteKey(const std::string& fileName, std::string_view section, std::string_view key)
{
    TProfileBatch batch(fileName);
    batch.Doc().DeleteKey(section, key);
    batch.Commit();
}

void ProfileEraseSection(const std::string& fileName, std::string_view section)
{
    TProfileBatch batch(fileName);
    batch.Doc().EraseSection(section);
    batch.Commit();
}

int32_t ProfileReadInteger(const std::string& fileName, std::string_view section,
                           std::string_view key, int32_t def)
{
    std::string text = ProfileReadString(fileName, section, key, "");
    int32_t value = 0;
    return TryStrToInt(text, value) ? value : def;
}

bool TryStrToInt(std::string_view text, int32_t& value)
{
    size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
        negative = text[pos++] == '-';
    bool hex = false;
    if (pos < text.size() && text[pos] == '$') {
        hex = true;
        ++pos;
    } else if (pos + 1 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        hex = true;
        pos += 2;
    }
    if (pos >= text.size())
        return false;
    uint64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        int digit = hex ? HexDigit(text[pos]) : (text[pos] >= '0' && text[pos] <= '9' ? text[pos] - '0' : -1);
        if (digit < 0)
            return false;
        magnitude = magnitude * (hex ? 16 : 10) + uint64_t(digit);
        if (magnitude > 0xFFFFFFFFull)
            return false;
    }
    if (hex) {
        // Hexadecimal covers the full 32 bits: $FFFFFFFF is -1.
        uint32_t bits = uint32_t(magnitude);
        value = int32_t(negative ? 0u - bits : bits);
        return true;
    }
    if (negative ? magnitude > 0x80000000ull : magnitude > 0x7FFFFFFFull)
        return false;
    value = negative ? int32_t(-int64_t(magnitude)) : int32_t(magnitude);
    return true;
}

}  // namespace tarnwick
