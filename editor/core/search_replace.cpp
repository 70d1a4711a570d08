// Replacement text expansion and edit application.
#include "editor/core/search_replace.h"

#include "editor/core/text_normalise.h"
#include "platform/hex_digit.h"

#include <algorithm>

namespace tarnwick {

std::string ExpandReplacement(std::string_view replacement, const std::vector<int64_t>& positions,
                              const TSearchSource& text)
{
    std::string out;
    const size_t n = replacement.size();
    for (size_t i = 0; i < n;) {
        const char c = replacement[i++];
        if (c == '%') {
            if (i >= n) {
                out += '%';
                break;
            }
            int group = 0;
            size_t digits = 0;
            while (i + digits < n && digits < 3 && replacement[i + digits] >= '0' && replacement[i + digits] <= '9' &&
                   group * 10 + (replacement[i + digits] - '0') <= 255) {
                group = group * 10 + (replacement[i + digits] - '0');
                ++digits;
            }
            if (group >= 1) {
                i += digits;
                const size_t at = static_cast<size_t>(group);
                if (at < positions.size() && positions[at - 1] >= 0 && positions[at] >= positions[at - 1])
                    out += text.Extract(positions[at - 1], positions[at] - positions[at - 1]);
            } else {
                out += replacement[i++];  // "%%" and "%" before anything else
            }
            continue;
        }
        if (c != '\\' || i >= n) {
            out += c;
            continue;
        }
        const char e = replacement[i++];
        switch (e) {
        case 'n': out += '\r'; break;
        case 'r': out += '\n'; break;
        case 's': out += ' '; break;
        case 't': out += '\t'; break;
        case 'f': out += '\f'; break;
        case 'b': out += '\b'; break;
        case 'x': {
            int value = -1;
            for (int k = 0; k < 2 && i < n && HexDigit(replacement[i]) >= 0; ++k, ++i)
                value = (value < 0 ? 0 : value * 16) + HexDigit(replacement[i]);
            out += value < 0 ? 'x' : static_cast<char>(value);
            break;
        }
        default:
            if (e >= '0' && e <= '7') {
                int value = e - '0';
                for (int k = 1; k < 3 && i < n && replacement[i] >= '0' && replacement[i] <= '7' &&
                                value * 8 + (replacement[i] - '0') <= 255;
                     ++k, ++i)
                    value = value * 8 + (replacement[i] - '0');
                out += static_cast<char>(value);
            } else {
                out += e;
            }
            break;
        }
    }
    return NormaliseInput(out);
}

std::string ApplyEdits(std::string_view text, const std::vector<TReplaceEdit>& edits)
{
    std::string out;
    out.reserve(text.size());
    int64_t done = 0;  // characters of `text` already copied or replaced
    const int64_t size = static_cast<int64_t>(text.size());
    for (const TReplaceEdit& edit : edits) {
        if (edit.Start < done || edit.Length < 0 || edit.Start + edit.Length > size)
            continue;
        out.append(text.substr(static_cast<size_t>(done), static_cast<size_t>(edit.Start - done)));
        out += edit.Text;
        done = edit.Start + edit.Length;
    }
    out.append(text.substr(static_cast<size_t>(done)));
    return out;
}

}  // namespace tarnwick
