// Tab stop parsing and lookup.
#include "editor/core/tab_stops.h"

#include "editor/core/code_memo_errors.h"

namespace tarnwick {

int TTabStops::NextTabStop(int column) const
{
    for (int stop : stops_) {
        if (stop < 0)
            break;
        if (stop > column)
            return stop;
    }
    if (column < 0)
        return 0;
    return (column / tabDefault_ + 1) * tabDefault_;
}

void TTabStops::SetTabDefault(int value)
{
    if (value <= 0)
        throw ECodeMemo(kMsgBadDefaultTab);
    tabDefault_ = value;
}

std::string TTabStops::TabColumns() const
{
    std::string out;
    for (int stop : stops_) {
        if (stop < 0)
            break;
        if (!out.empty())
            out += ' ';
        out += std::to_string(stop + 1);
    }
    return out;
}

void TTabStops::SetTabColumns(std::string_view text)
{
    std::array<int, kMaxTabStops> parsed;
    parsed.fill(-1);
    int count = 0;
    size_t i = 0;
    auto skipSeparators = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == ';'))
            ++i;
    };
    skipSeparators();
    while (i < text.size()) {
        if (text[i] < '0' || text[i] > '9')
            throw ECodeMemo(kMsgTabValueExpected);
        long value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            // Saturate: any huge number is still a valid (unreachable) stop.
            if (value < 1000000)
                value = value * 10 + (text[i] - '0');
            ++i;
        }
        if (i < text.size() && text[i] != ' ' && text[i] != ';')
            throw ECodeMemo(kMsgTabValueExpected);
        if (value <= 1)
            throw ECodeMemo(kMsgTabAboveOne);
        if (count == kMaxTabStops)
            throw ECodeMemo(std::string(kMsgTooManyTabs) + std::to_string(kMaxTabStops));
        const int stop = static_cast<int>(value) - 1;
        if (count > 0 && stop <= parsed[count - 1])
            throw ECodeMemo(kMsgTabOrder);
        parsed[count++] = stop;
        skipSeparators();
    }
    stops_ = parsed;
}

}  // namespace tarnwick
