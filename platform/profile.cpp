// The profile functions: single calls that read the file afresh and write it
// back before returning, the batch form, and the program's integer reads.
#include "platform/profile.h"

#include "platform/ascii_text.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/hex_digit.h"

#include <algorithm>
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
    text = text.substr(std::min(text.find_first_not_of(' '), text.size()));
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (StartsWithAscii(digits, "$"))
        digits.remove_prefix(1);
    else if (StartsWithAscii(digits, "0x"))
        digits.remove_prefix(2);
    else
        return TryParseInt32(text, value);
    if (digits.empty())
        return false;
    uint64_t magnitude = 0;
    for (const char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return false;
        magnitude = magnitude * 16 + uint64_t(digit);
        if (magnitude > 0xFFFFFFFFull)
            return false;
    }
    // Hexadecimal covers the full 32 bits: $FFFFFFFF is -1.
    const uint32_t bits = uint32_t(magnitude);
    value = int32_t(negative ? 0u - bits : bits);
    return true;
}

}  // namespace tarnwick
