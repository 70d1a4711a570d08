// The editor's tab stops: up to 32 explicit columns, then every TabDefault
// columns. Columns here are 0-based; the text form (TabColumns) lists the
// stops 1-based, separated by blanks or ';'.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tarnwick {

inline constexpr int kMaxTabStops = 32;

class TTabStops {
public:
    // The first explicit stop greater than `column`; past the last explicit
    // one (or with none set), the next multiple of TabDefault.
    int NextTabStop(int column) const;

    int TabDefault() const { return tabDefault_; }
    // Raises ECodeMemo "=Illegal default tab stop value, must be > 0" for
    // a value below 1; the old value stays.
    void SetTabDefault(int value);

    // The stops 1-based, separated by single blanks.
    std::string TabColumns() const;
    // Parses a list of 1-based columns; on an error raises ECodeMemo with
    // the matching message and keeps the old stops.
    void SetTabColumns(std::string_view text);

    // 0-based explicit stops, -1 for unused entries.
    const std::array<int, kMaxTabStops>& Stops() const { return stops_; }

private:
    std::array<int, kMaxTabStops> stops_{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                         -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                         -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    int tabDefault_ = 4;
};

}  // namespace tarnwick
