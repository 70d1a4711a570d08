// Profile (INI) files, read and written key by key as the settings file,
// language files and library index files expect.
//
// Files are bytes in code page 1252. Every single call parses the file afresh
// and every change writes it before returning (through a temporary file and a
// rename), so another program's change is seen at the next call. A store
// operation that touches many keys uses TIniDocument directly: load once,
// change many keys, write once; the bytes written are exactly what the same
// sequence of single calls would have produced.
//
// Names are matched after trimming, folding ASCII letters; only the first
// section of a name and the first key of a name within it are used. Lines that
// a change does not touch stay byte for byte.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// Buffer sizes the program passes to the profile functions: a value is read
// into 1,024 characters (at most 1,023 come back); a list of names into
// 8,192 (names, each with one terminating byte, beyond that are not listed).
constexpr size_t kProfileValueBuffer = 1024;
constexpr size_t kProfileListBuffer = 8192;

// One INI file held in memory as its lines.
class TIniDocument {
public:
    TIniDocument();
    // Parses `bytes` (LF, CR LF or CR line ends).
    explicit TIniDocument(std::string_view bytes);
    ~TIniDocument();
    TIniDocument(TIniDocument&&) noexcept;
    TIniDocument& operator=(TIniDocument&&) noexcept;
    TIniDocument(const TIniDocument&);
    TIniDocument& operator=(const TIniDocument&);

    // A missing file gives an empty document.
    static TIniDocument Load(const std::filesystem::path& path);

    // --- reading ---
    // The value of `key` in `section` with one pair of enclosing quotes
    // removed, or nullopt when there is no such key (a line without '=' is no
    // key). Empty section or key names find nothing.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    // The same lookup straight on a file's bytes, without building a document:
    // one pass that stops at the key, for single reads of large files.
    static std::optional<std::string> FindIn(std::string_view bytes, std::string_view section,
                                             std::string_view key);
    // As the profile read: the value cut to bufferSize - 1 characters, or
    // `def` without trailing spaces when the key is missing.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def, size_t bufferSize = kProfileValueBuffer) const;
    // ReadString straight on a file's bytes (see FindIn).
    static std::string ReadStringIn(std::string_view bytes, std::string_view section,
                                    std::string_view key, std::string_view def,
                                    size_t bufferSize = kProfileValueBuffer);
    // Every non-empty section header in file order (duplicates included).
    std::vector<std::string> SectionNames(size_t bufferSize = kProfileListBuffer) const;
    // The keys (with '=', not starting with ';') of the first section named
    // `section`, in file order.
    std::vector<std::string> Keys(std::string_view section,
                                  size_t bufferSize = kProfileListBuffer) const;
    bool HasSection(std::string_view section) const;
    // Calls `visit` with the section name, key and value (quotes removed, not
    // cut to any buffer) of every key of every named section, duplicates
    // included, in file order, copying nothing: a quick scan of all values.
    void ForEachValue(const std::function<void(std::string_view section, std::string_view key,
                                               std::string_view value)>& visit) const;

    // --- changing ---
    // Sets the key's value: in place when it exists, else appended to its
    // section, else a new section at the end. Returns false (and changes
    // nothing) when a name or the value holds CR or LF, or a name is empty.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    // Removes the first matching key line; a missing key is no error.
    void DeleteKey(std::string_view section, std::string_view key);
    // Removes the first header of that name and every line up to the next one.
    void EraseSection(std::string_view section);

    // The file's bytes as they stand.
    std::string Text() const;
    // True once a change altered the bytes since loading.
    bool Modified() const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> impl_;
};

// Loads an INI file once, lets a caller change many keys, and writes it once,
// atomically (temporary file beside it, flushed, renamed over it). Nothing is
// written when nothing changed. The file name is a stored (Windows-style)
// name; it is resolved with ResolveFileName.
class TProfileBatch {
public:
    explicit TProfileBatch(const std::string& fileName);
    TIniDocument& Doc() { return doc_; }
    const TIniDocument& Doc() const { return doc_; }
    // Writes the file when it changed; raises "Unable to write to %s" (the
    // name as given) on failure.
    void Commit();
    const std::filesystem::path& Path() const { return path_; }

private:
    std::string fileName_;
    std::filesystem::path path_;
    TIniDocument doc_;
};

// --- single calls; `fileName` is a stored name, resolved on each call ---

// At most 1,023 characters of the value, or `def` when the key is missing.
std::string ProfileReadString(const std::string& fileName, std::string_view section,
                              std::string_view key, std::string_view def);
// Raises EIniFileException "Unable to write to %s" when the file cannot be
// written, or the value cannot be stored (CR or LF in a name or the value).
void ProfileWriteString(const std::string& fileName, std::string_view section,
                        std::string_view key, std::string_view value);
std::vector<std::string> ProfileSectionNames(const std::string& fileName);
std::vector<std::string> ProfileKeys(const std::string& fileName, std::string_view section);
// A missing file, section or key is no error.
void ProfileDeleteKey(const std::string& fileName, std::string_view section,
                      std::string_view key);
void ProfileEraseSection(const std::string& fileName, std::string_view section);
// The program's own integer read: the string value converted as a decimal
// number, or hexadecimal after "0x"/"0X" (or "$"); a value that is not a
// number, or a missing key, gives `def`.
int32_t ProfileReadInteger(const std::string& fileName, std::string_view section,
                           std::string_view key, int32_t def);

// The conversion ProfileReadInteger uses, for callers that read the string
// themselves. Returns false when `text` is not a number.
bool TryStrToInt(std::string_view text, int32_t& value);

}  // namespace tarnwick
