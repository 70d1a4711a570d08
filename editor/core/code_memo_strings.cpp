// The Lines view: list operations as edit-control messages.
#include "editor/core/code_memo_strings.h"

#include "editor/core/code_memo_model.h"
#include "platform/messages.h"

#include <cstring>

namespace tarnwick {

intptr_t TCodeMemoStrings::Send(uint32_t msg, uintptr_t wParam, intptr_t lParam) const
{
    return memo_.Perform(msg, wParam, lParam);
}

void TCodeMemoStrings::Check(int64_t index, int64_t limit) const
{
    if (index < 0 || index >= limit)
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

int64_t TCodeMemoStrings::Count() const
{
    if (Send(WM_GETTEXTLENGTH) == 0)
        return 0;
    return Send(EM_GETLINECOUNT);
}

std::string TCodeMemoStrings::Get(int64_t index) const
{
    Check(index, Count());
    const intptr_t start = Send(EM_LINEINDEX, static_cast<uintptr_t>(index));
    const auto length = static_cast<size_t>(Send(EM_LINELENGTH, static_cast<uintptr_t>(start)));
    // EM_GETLINE reads the buffer size from the buffer's first word.
    std::string buffer(std::max<size_t>(length, sizeof(uint16_t)), '\0');
    const auto size = static_cast<uint16_t>(length);
    std::memcpy(buffer.data(), &size, sizeof size);
    const intptr_t copied =
        Send(EM_GETLINE, static_cast<uintptr_t>(index), reinterpret_cast<intptr_t>(buffer.data()));
    buffer.resize(static_cast<size_t>(copied));
    return buffer;
}

void TCodeMemoStrings::ReplaceRange(int64_t start, int64_t end, std::string_view text)
{
    const std::string copy(text);
    Send(EM_SETSEL, static_cast<uintptr_t>(start), static_cast<intptr_t>(end));
    Send(EM_REPLACESEL, 0, reinterpret_cast<intptr_t>(copy.c_str()));
}

void TCodeMemoStrings::Put(int64_t index, std::string_view text)
{
    Check(index, Count());
    const intptr_t start = Send(EM_LINEINDEX, static_cast<uintptr_t>(index));
    const intptr_t length = Send(EM_LINELENGTH, static_cast<uintptr_t>(start));
    ReplaceRange(start, start + length, text);
}

void TCodeMemoStrings::Insert(int64_t index, std::string_view text)
{
    const int64_t count = Count();
    Check(index, count + 1);
    if (index < count) {
        const intptr_t start = Send(EM_LINEINDEX, static_cast<uintptr_t>(index));
        ReplaceRange(start, start, std::string(text) + "\r\n");
        return;
    }
    // Appending: a last line without a break gets one before the new line.
    const int64_t end = memo_.CharCount();
    const intptr_t lastStart = count > 0 ? Send(EM_LINEINDEX, static_cast<uintptr_t>(count - 1)) : 0;
    const intptr_t lastLength = count > 0 ? Send(EM_LINELENGTH, static_cast<uintptr_t>(lastStart)) : 0;
    const bool open = count > 0 && lastStart + lastLength == end;
    ReplaceRange(end, end, open ? "\r\n" + std::string(text) : std::string(text));
}

void TCodeMemoStrings::Delete(int64_t index)
{
    const int64_t count = Count();
    Check(index, count);
    const intptr_t start = Send(EM_LINEINDEX, static_cast<uintptr_t>(index));
    const int64_t end =
        index + 1 < count ? Send(EM_LINEINDEX, static_cast<uintptr_t>(index + 1)) : memo_.CharCount();
    ReplaceRange(start, end, {});
}

void TCodeMemoStrings::Clear()
{
    Send(WM_SETTEXT, 0, 0);
}

std::string TCodeMemoStrings::Text() const
{
    const auto length = static_cast<size_t>(Send(WM_GETTEXTLENGTH));
    std::string text(length + 1, '\0');
    const intptr_t copied = Send(WM_GETTEXT, text.size(), reinterpret_cast<intptr_t>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return text;
}

void TCodeMemoStrings::SetText(std::string_view text)
{
    // WM_SETTEXT takes a NUL-terminated string: a NUL inside the text would
    // cut it short, so it goes in as the "." every control byte becomes.
    std::string copy(text);
    for (char& c : copy) {
        if (c == '\0')
            c = '.';
    }
    Send(WM_SETTEXT, 0, reinterpret_cast<intptr_t>(copy.c_str()));
}

void TCodeMemoStrings::Assign(const std::vector<std::string>& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines[i];
    }
    SetText(text);
}

void TCodeMemoStrings::BeginUpdate()
{
    if (updates_++ == 0)
        Send(SEM_PAINTSUSPENDED, SEM_SET, 1);
}

void TCodeMemoStrings::EndUpdate()
{
    if (updates_ > 0 && --updates_ == 0)
        Send(SEM_PAINTSUSPENDED, SEM_SET, 0);
}

}  // namespace tarnwick
