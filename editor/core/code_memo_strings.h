// TCodeMemoStrings: the editor's Lines property — a string-list view of the
// text that holds nothing but a reference to its editor and does every list
// operation by sending it edit-control messages.
//
// Items are line records, not logical lines: with word wrap on, Count()
// counts display lines. An empty text has Count() 0. Index arguments out of
// range raise EStringListError "List index out of bounds (%d)".
#pragma once

#include "platform/errors.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class TCodeMemoModel;

class EStringListError : public Exception {
public:
    using Exception::Exception;
};

class TCodeMemoStrings {
public:
    explicit TCodeMemoStrings(TCodeMemoModel& memo) : memo_(memo) {}

    int64_t Count() const;
    // Record `index` without its CR.
    std::string Get(int64_t index) const;
    // Replaces record `index`'s text (its CR stays).
    void Put(int64_t index, std::string_view text);
    // Inserts `text` as a new line before line `index`; index == Count()
    // appends.
    void Insert(int64_t index, std::string_view text);
    void Add(std::string_view text) { Insert(Count(), text); }
    // Removes record `index` with its CR.
    void Delete(int64_t index);
    void Clear();
    // The whole text with CR LF line ends; setting it replaces the text.
    std::string Text() const;
    void SetText(std::string_view text);
    // Replaces the text with these lines.
    void Assign(const std::vector<std::string>& lines);
    // Suspends painting (and change notifications) until the matching
    // EndUpdate; brackets nest.
    void BeginUpdate();
    void EndUpdate();

private:
    void Check(int64_t index, int64_t limit) const;
    intptr_t Send(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0) const;
    void ReplaceRange(int64_t start, int64_t end, std::string_view text);

    TCodeMemoModel& memo_;
    int updates_ = 0;
};

}  // namespace tarnwick
