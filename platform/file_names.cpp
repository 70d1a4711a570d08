// Case-insensitive resolution of Windows-style names against the disk.
#include "platform/file_names.h"

#include <algorithm>
#include <system_error>
#include <vector>

namespace tarnwick {

namespace fs = std::filesystem;

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// The entry of `folder` whose name equals `part` ignoring ASCII letter case;
// `part` itself when none does (or the folder cannot be read).
std::string MatchEntry(const fs::path& folder, const std::string& part)
{
    std::error_code ec;
    if (fs::exists(folder / part, ec))
        return part;
    std::vector<std::string> candidates;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end;
         !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (SameTextAscii(entry, part))
            candidates.push_back(std::move(entry));
    }
    if (candidates.empty())
        return part;
    return *std::min_element(candidates.begin(), candidates.end());
}

}  // namespace

bool SameTextAscii(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

std::string UpperCaseAscii(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = FoldAscii(c);
    return result;
}

fs::path ResolveFileName(std::string_view name, const fs::path& base)
{
    std::string_view rest = name;
    if (rest.size() >= 2 && rest[1] == ':' &&
        ((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= 'a' && rest[0] <= 'z'))) {
        rest.remove_prefix(2);
        if (rest.empty() || !IsSeparator(rest.front()))
            return fs::path("/") / std::string(rest);
    }
    fs::path result;
    if (!rest.empty() && IsSeparator(rest.front()))
        result = "/";
    else if (!base.empty())
        result = base;

    bool stillOnDisk = true;  // once a part is missing, the rest cannot exist
    size_t pos = 0;
    while (pos <= rest.size()) {
        size_t next = pos;
        while (next < rest.size() && !IsSeparator(rest[next]))
            ++next;
        std::string part(rest.substr(pos, next - pos));
        pos = next + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            result = result.empty() ? fs::path("..") : result / "..";
            continue;
        }
        if (stillOnDisk) {
            part = MatchEntry(result, part);
            std::error_code ec;
            stillOnDisk = fs::exists(result.empty() ? fs::path(part) : result / part, ec);
        }
        result = result.empty() ? fs::path(part) : result / part;
    }
    return result;
}

std::string ChangeFileExt(std::string_view name, std::string_view extension)
{
    size_t lastSep = name.find_last_of("\\/");
    size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || (lastSep != std::string_view::npos && dot < lastSep))
        return std::string(name) + std::string(extension);
    return std::string(name.substr(0, dot)) + std::string(extension);
}

std::string ExtractFileName(std::string_view name)
{
    size_t lastSep = name.find_last_of("\\/");
    return std::string(lastSep == std::string_view::npos ? name : name.substr(lastSep + 1));
}

std::string ExtractFilePath(std::string_view name)
{
    size_t lastSep = name.find_last_of("\\/");
    return lastSep == std::string_view::npos ? std::string() : std::string(name.substr(0, lastSep + 1));
}

}  // namespace tarnwick
