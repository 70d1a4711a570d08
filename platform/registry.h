// The current user's registry hive, kept in a text file.
//
// Two things use the registry: the IDE highlight bridge reads the IDE's colour
// settings from it, and a scheme set to use the registry saves its style
// string and key assignments there. The hive lives in `user.reg` in the
// application folder (or in any file a caller names, for tests), in the text
// format of registry exports:
//
//   Windows Registry Editor Version 5.00        (or REGEDIT4)
//
//   [HKEY_CURRENT_USER\Software\Borland\Delphi\4.0\Editor\Highlight\Comment]
//   "Foreground Color"=dword:0000000c
//   "Bold"="False"
//   @="default value"
//   "Key Assignments - Pascal"=hex:09,51,75,6f,72,76,65,6c
//
// (long hex data continues on the next line after a backslash at the end of
// the line; the next line is indented by two blanks).
//
// Reading is lenient: lines that cannot be read (and the values of keys
// outside HKEY_CURRENT_USER) are skipped, never fatal; a missing file is an
// empty hive. Key and value names are matched without regard to ASCII letter
// case. Strings are code page 1252 bytes, kept as they are; `hex(1)`,
// `hex(2)` and `hex(7)` string data is UTF-16 in a version 5.00 file and ANSI
// in a REGEDIT4 file. A file saved with a UTF-16 or UTF-8 byte order mark is
// read too (characters outside the code page become '?').
//
// Writing re-reads the file, applies the change and writes the whole hive
// back atomically (platform/file_io.h), in the version 5.00 format with CR LF
// line ends, so that another program's changes are not lost and a crash
// leaves the old or the new file. Reading the written file again gives the
// same hive.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class TRegistry;

// The data types a value can hold (the numbers are the registry's own).
enum class TRegDataType : uint32_t {
    None = 0,
    String = 1,        // "text" or hex(1):
    ExpandString = 2,  // hex(2):
    Binary = 3,        // hex:
    DWord = 4,         // dword:
    MultiString = 7,   // hex(7):
};

// An open key: a path below HKEY_CURRENT_USER and the registry it came from.
// It must not outlive that TRegistry. Reads see the hive as the registry last
// loaded it; writes go to the file at once.
class TRegistryKey {
public:
    // The key's path below HKEY_CURRENT_USER, components joined by '\', in
    // the letter case stored in the hive ("" for the root).
    const std::string& Path() const { return path_; }

    // Value names in file order; the default value (@) is "".
    std::vector<std::string> GetValueNames() const;
    // Names of the direct subkeys, in file order.
    std::vector<std::string> GetKeyNames() const;
    bool ValueExists(std::string_view name) const;
    // The type of a value; nullopt when it does not exist. Types other than
    // those named in TRegDataType keep their number.
    std::optional<TRegDataType> GetDataType(std::string_view name) const;

    // A string value (String or ExpandString, without a trailing NUL); nullopt
    // when the value is missing or of another type.
    std::optional<std::string> ReadString(std::string_view name) const;
    // A DWORD value, or a string value that holds a decimal integer (optional
    // sign, surrounding blanks allowed) or a "0x" hexadecimal one, in 32 bits;
    // nullopt otherwise.
    std::optional<int32_t> ReadInteger(std::string_view name) const;
    // The raw bytes of any value that is neither a string nor a DWORD.
    std::optional<std::string> ReadBinary(std::string_view name) const;

    // A subkey of this key, opened for reading; nullopt when it does not
    // exist. `name` may hold several components separated by '\'.
    std::optional<TRegistryKey> OpenSubKeyReadOnly(std::string_view name) const;

    // Write a value, creating the key again if another program removed it
    // meanwhile, and save the hive. Value names must not contain CR, LF or
    // NUL ("Invalid registry value name" otherwise); the data may hold any
    // bytes. A failed save raises the file layer's error.
    void WriteString(std::string_view name, std::string_view value);
    void WriteBinary(std::string_view name, std::string_view bytes);
    void WriteInteger(std::string_view name, int32_t value);

private:
    friend class TRegistry;
    TRegistryKey(TRegistry* registry, std::string path) : registry_(registry), path_(std::move(path)) {}

    TRegistry* registry_;
    std::string path_;
};

class TRegistry {
public:
    // The hive in `user.reg` in the application folder.
    TRegistry();
    explicit TRegistry(std::filesystem::path hiveFile);
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    static std::filesystem::path DefaultHiveFile();
    const std::filesystem::path& HiveFile() const { return file_; }

    // Re-reads the file and opens a key for reading without creating it;
    // nullopt when it does not exist. The path is below HKEY_CURRENT_USER
    // ("Software\Borland\Delphi\4.0\Editor\Highlight"); a leading
    // "HKEY_CURRENT_USER\" is accepted, empty components are ignored, and ""
    // is the root.
    std::optional<TRegistryKey> OpenKeyReadOnly(std::string_view path);

    // Re-reads the file and opens a key, creating it (and the keys above it)
    // when it does not exist; a created key is saved at once. Key names must
    // not contain CR, LF or NUL ("Invalid registry key name" otherwise).
    TRegistryKey CreateKey(std::string_view path);

    // The hive in the file format (for tests and diagnostics).
    std::string ToText() const;

private:
    friend class TRegistryKey;
    struct TNode;

    void Load();
    void Save() const;
    const TNode* Find(std::string_view path) const;
    // Re-reads the file, runs `change` on the fresh hive and saves it.
    template <typename Change>
    void Modify(Change&& change);

    std::filesystem::path file_;
    std::unique_ptr<TNode> root_;
};

}  // namespace tarnwick
