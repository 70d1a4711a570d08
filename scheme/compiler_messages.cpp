// Message templates come from the string table; the formatter is our own so
// that a template can never make it read an argument that is not there.
#include "scheme/compiler_messages.h"

#include "platform/string_table.h"
#include "resources/strings/string_ids.h"

#include <cstdio>

namespace tarnwick {

std::string FormatTemplate(std::string_view pattern, std::initializer_list<TMessageArg> args)
{
    std::string out;
    auto arg = args.begin();
    size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        const std::string_view rest = pattern.substr(i);
        size_t length = 0;
        char kind = 0;
        if (rest.starts_with("%d")) {
            length = 2;
            kind = 'd';
        } else if (rest.starts_with("%s")) {
            length = 2;
            kind = 's';
        } else if (rest.starts_with("%.2x")) {
            length = 4;
            kind = 'x';
        } else if (rest.starts_with("%%")) {
            out += "%%";
            i += 2;
            continue;
        }
        const bool wantsNumber = kind == 'd' || kind == 'x';
        if (kind == 0 || arg == args.end() ||
            std::holds_alternative<int64_t>(*arg) != wantsNumber) {
            out += c;
            ++i;
            continue;
        }
        if (kind == 's') {
            out += std::get<std::string>(*arg);
        } else {
            char buffer[32];
            const int64_t value = std::get<int64_t>(*arg);
            if (kind == 'd')
                std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value));
            else
                std::snprintf(buffer, sizeof buffer, "%.2llx",
                              static_cast<unsigned long long>(value));
            out += buffer;
        }
        ++arg;
        i += length;
    }
    return out;
}

std::string CompilerMessage(int id, std::initializer_list<TMessageArg> args)
{
    return FormatTemplate(LoadStr(id), args);
}

std::string CompilerErrorText(int line, int column, const std::string& message)
{
    return CompilerMessage(sidCompileErrorFormat, {int64_t(line), int64_t(column), message});
}

}  // namespace tarnwick
