// The editor's message interface: the standard edit-control messages and
// the private block from 0xC00, dispatched in one place, one line per
// message, to named operations. The helpers below unpack a message's
// pointers and check them before use.
#include "editor/core/code_memo_guards.h"
#include "editor/core/code_memo_model.h"

#include "editor/core/editor_commands.h"
#include "platform/messages.h"

#include <cstring>
#include <istream>
#include <ostream>

namespace tarnwick {

namespace {

constexpr const char* kVersionText = "<TCodeMemo>:3.00.00";

template <typename T>
T* Ptr(intptr_t value)
{
    return reinterpret_cast<T*>(value);
}

template <typename T>
T* Ptr(uintptr_t value)
{
    return reinterpret_cast<T*>(value);
}

bool IsSet(uintptr_t wParam)
{
    return (wParam & SEM_SET) != 0;
}

bool IsWriteKind(uintptr_t kind)
{
    return kind == wkBareCR || kind == wkCRLF || kind == wkRTF || kind == wkHTML || kind == wkLF;
}

// Copies `text` into `buffer` of `size` bytes, NUL-terminated and truncated
// to fit; returns the count of characters copied.
intptr_t CopyOut(const std::string& text, char* buffer, size_t size)
{
    if (buffer == nullptr || size == 0)
        return 0;
    const size_t n = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<intptr_t>(n);
}

// The helpers Perform calls; each handles one message's parameters.

intptr_t GetLineMsg(const TCodeMemoModel& memo, uintptr_t line, char* buffer)
{
    if (buffer == nullptr || line >= static_cast<uintptr_t>(memo.RecordCount()))
        return 0;
    uint16_t size = 0;
    std::memcpy(&size, buffer, sizeof size);
    const TLineRec& rec = *memo.LineByIndex(static_cast<int64_t>(line)).Rec;
    const size_t n = std::min<size_t>(rec.TextLen(), size);
    std::memcpy(buffer, rec.Text.get(), n);
    return static_cast<intptr_t>(n);
}

intptr_t GetSelMsg(const TCodeMemoModel& memo, uint32_t* start, uint32_t* end)
{
    if (start != nullptr)
        *start = static_cast<uint32_t>(memo.SelStart());
    if (end != nullptr)
        *end = static_cast<uint32_t>(memo.SelEnd());
    if (memo.SelEnd() > 0xFFFF)
        return -1;
    return static_cast<intptr_t>(memo.SelStart() | (memo.SelEnd() << 16));
}

intptr_t SelectionMsg(TCodeMemoModel& memo, uintptr_t wParam, int32_t* pair)
{
    if (pair == nullptr)
        return 0;
    if (IsSet(wParam)) {
        memo.SetSelection(pair[0], pair[1]);
    } else {
        pair[0] = static_cast<int32_t>(memo.SelAnchor());
        pair[1] = static_cast<int32_t>(memo.SelCaret());
    }
    return 1;
}

intptr_t InsertTextMsg(TCodeMemoModel& memo, const char* text)
{
    if (text == nullptr)
        return 0;
    {
        TGroupGuard group(memo, ugInsertText);
        memo.InsertText(text);
    }
    memo.PlaceCaret(memo.SelCaret(), false);
    return 1;
}

intptr_t InsertStreamMsg(TCodeMemoModel& memo, std::istream* stream)
{
    if (stream == nullptr)
        return 0;
    memo.InsertStream(*stream);
    memo.PlaceCaret(memo.SelCaret(), false);
    return 1;
}

intptr_t SelToStreamMsg(TCodeMemoModel& memo, uintptr_t kind, std::ostream* stream)
{
    if (stream == nullptr || !IsWriteKind(kind))
        return 0;
    const std::string bytes = memo.WriteSelection(static_cast<TWriteKind>(kind));
    stream->write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return stream->good() ? static_cast<intptr_t>(bytes.size()) : 0;
}

// With no buffer, the length of the selected text; else the selected text
// copied as WM_GETTEXT copies the whole text.
intptr_t GetSelTextMsg(TCodeMemoModel& memo, uintptr_t wParam, const TSemBuffer* buffer)
{
    const std::string text = memo.WriteSelection(wParam == 1 ? wkCRLF : wkBareCR);
    if (buffer == nullptr || buffer->Data == nullptr)
        return static_cast<intptr_t>(text.size());
    return CopyOut(text, static_cast<char*>(buffer->Data), buffer->Size);
}

intptr_t ReplaceSelMsg(TCodeMemoModel& memo, const char* text)
{
    return InsertTextMsg(memo, text != nullptr ? text : "");
}

// Whole records only, as many as the buffer holds; reading back with no
// buffer gives the size the range needs.
intptr_t AttrsMsg(TCodeMemoModel& memo, bool set, const int32_t* lines, const TSemBuffer* buffer)
{
    const int64_t first = lines != nullptr ? lines[0] : 0;
    const int64_t last = lines != nullptr ? lines[1] : memo.RecordCount() - 1;
    if (buffer == nullptr || buffer->Data == nullptr)
        return set ? 0 : static_cast<intptr_t>(memo.LineAttrsSize(first, last));
    auto* bytes = static_cast<uint8_t*>(buffer->Data);
    return static_cast<intptr_t>(set ? memo.SetLineAttrs(first, last, bytes, buffer->Size)
                                     : memo.GetLineAttrs(first, last, bytes, buffer->Size));
}

intptr_t UndoStackMsg(TCodeMemoModel& memo, uintptr_t wParam, TUndoStack* stack)
{
    if (!IsSet(wParam))
        return reinterpret_cast<intptr_t>(memo.UndoStack());
    // The model takes the new log over; the old one goes to the caller.
    return reinterpret_cast<intptr_t>(
        memo.ReplaceUndoStack(std::unique_ptr<TUndoStack>(stack)).release());
}

intptr_t CharFromPosMsg(TCodeMemoModel& memo, intptr_t lParam)
{
    const auto x = static_cast<int16_t>(lParam & 0xFFFF);
    const auto y = static_cast<int16_t>((lParam >> 16) & 0xFFFF);
    return memo.View != nullptr ? memo.View->CharFromPos(x, y) : -1;
}

intptr_t LineScrollMsg(TCodeMemoModel& memo, intptr_t columns, intptr_t lines)
{
    memo.SetLeftColumn(static_cast<int>(std::clamp<intptr_t>(memo.LeftColumn() + columns, 0, 0xFFFF)));
    memo.SetTopLine(memo.TopLine() + lines);
    return 1;
}

intptr_t LineIndexMsg(const TCodeMemoModel& memo, intptr_t line)
{
    if (line == -1)
        return static_cast<intptr_t>(memo.FindLine(memo.SelCaret()).Start);
    if (line < 0 || (line > 0 && line >= memo.RecordCount()))
        return -1;
    return static_cast<intptr_t>(memo.LineByIndex(line).Start);
}

intptr_t LineLengthMsg(const TCodeMemoModel& memo, intptr_t offset)
{
    const TLineLoc at = memo.FindLine(offset == -1 ? memo.SelCaret() : offset);
    return at.Rec != nullptr ? static_cast<intptr_t>(at.Rec->TextLen()) : 0;
}

intptr_t LineFromCharMsg(const TCodeMemoModel& memo, intptr_t offset)
{
    return static_cast<intptr_t>(memo.FindLine(offset == -1 ? memo.SelCaret() : offset).Index);
}

intptr_t OptionsMsg(TCodeMemoModel& memo, uintptr_t wParam, intptr_t lParam)
{
    if (IsSet(wParam)) {
        memo.Options = static_cast<uint32_t>(lParam);
        if (memo.View != nullptr && (wParam & SEM_NOREPAINT) == 0)
            memo.View->Invalidate();
    }
    return static_cast<intptr_t>(memo.Options);
}

intptr_t PaintSuspendedMsg(TCodeMemoModel& memo, uintptr_t wParam, intptr_t lParam)
{
    if (IsSet(wParam))
        memo.SetPaintSuspended(lParam != 0);
    return memo.PaintSuspended() ? 1 : 0;
}

intptr_t ModifiedMsg(TCodeMemoModel& memo, uintptr_t wParam, intptr_t lParam)
{
    if (IsSet(wParam))
        memo.SetModified(lParam != 0);
    return memo.Modified() ? 1 : 0;
}

intptr_t TopLineMsg(TCodeMemoModel& memo, uintptr_t wParam, intptr_t lParam)
{
    if (IsSet(wParam))
        memo.SetTopLine(lParam);
    return static_cast<intptr_t>(memo.TopLine());
}

intptr_t LeftColumnMsg(TCodeMemoModel& memo, uintptr_t wParam, intptr_t lParam)
{
    if (IsSet(wParam))
        memo.SetLeftColumn(static_cast<int>(std::clamp<intptr_t>(lParam, 0, 0xFFFF)));
    return memo.LeftColumn();
}

// lParam of the block messages: the count, 0 (or less) for IndentStep.
int BlockCount(const TCodeMemoModel& memo, intptr_t lParam)
{
    return lParam > 0 ? static_cast<int>(std::min<intptr_t>(lParam, 0xFFFF)) : memo.IndentStep();
}

intptr_t ReloadSettingsMsg(TCodeMemoModel& memo)
{
    if (memo.View != nullptr)
        memo.View->ReloadSettings();
    return 1;
}

}  // namespace

std::string TCodeMemoModel::TextCRLF() const
{
    std::string text;
    text.reserve(static_cast<size_t>(TextLengthCRLF()));
    for (const TLineRec* rec = store_->First(); rec != nullptr; rec = rec->Next) {
        text.append(rec->View());
        if (rec->EndsWithCR())
            text.push_back('\n');
    }
    return text;
}

int64_t TCodeMemoModel::TextLengthCRLF() const
{
    int64_t length = charCount_;
    for (const TLineRec* rec = store_->First(); rec != nullptr; rec = rec->Next)
        length += rec->EndsWithCR() ? 1 : 0;
    return length;
}

// ---------------------------------------------------------------- attributes

size_t TCodeMemoModel::LineAttrsSize(int64_t first, int64_t last) const
{
    if (store_->First() == nullptr)
        return 0;
    first = std::clamp<int64_t>(first, 0, recCount_ - 1);
    last = std::clamp<int64_t>(last, 0, recCount_ - 1);
    size_t size = 0;
    TLineLoc at = LineByIndex(first);
    for (int64_t i = first; i <= last && at.Rec != nullptr; ++i, at.Rec = at.Rec->Next)
        size += at.Rec->Len;
    return size;
}

size_t TCodeMemoModel::SetLineAttrs(int64_t first, int64_t last, const uint8_t* bytes, size_t size)
{
    if (store_->First() == nullptr || bytes == nullptr)
        return 0;
    first = std::clamp<int64_t>(first, 0, recCount_ - 1);
    last = std::clamp<int64_t>(last, 0, recCount_ - 1);
    size_t used = 0;
    TLineRec* rec = LineByIndex(first).Rec;
    for (int64_t i = first; i <= last && rec != nullptr; ++i, rec = rec->Next) {
        if (used + rec->Len > size)
            break;
        rec->Attrs = std::make_unique<uint8_t[]>(rec->Len);
        std::memcpy(rec->Attrs.get(), bytes + used, rec->Len);
        rec->Flags |= lfRepaint;
        used += rec->Len;
    }
    if (View != nullptr)
        View->Invalidate();
    return used;
}

size_t TCodeMemoModel::GetLineAttrs(int64_t first, int64_t last, uint8_t* bytes, size_t size) const
{
    if (store_->First() == nullptr || bytes == nullptr)
        return 0;
    first = std::clamp<int64_t>(first, 0, recCount_ - 1);
    last = std::clamp<int64_t>(last, 0, recCount_ - 1);
    size_t used = 0;
    const TLineRec* rec = LineByIndex(first).Rec;
    for (int64_t i = first; i <= last && rec != nullptr; ++i, rec = rec->Next) {
        if (used + rec->Len > size)
            break;
        if (rec->Attrs)
            std::memcpy(bytes + used, rec->Attrs.get(), rec->Len);
        else
            std::memset(bytes + used, 0, rec->Len);
        used += rec->Len;
    }
    return used;
}

// ---------------------------------------------------------------- dispatch

intptr_t TCodeMemoModel::Perform(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    const auto wSigned = static_cast<intptr_t>(wParam);
    switch (msg) {
    case WM_SETTEXT: LoadFromText(lParam != 0 ? Ptr<const char>(lParam) : ""); return 1;
    case WM_GETTEXT: return CopyOut(TextCRLF(), Ptr<char>(lParam), wParam);
    case WM_GETTEXTLENGTH: return static_cast<intptr_t>(TextLengthCRLF());
    case WM_CUT: CutToClipboard(); return 0;
    case WM_COPY: CopyToClipboard(); return 0;
    case WM_PASTE: PasteFromClipboard(); return 0;
    case WM_CLEAR: DeleteSelection(); return 0;
    case WM_UNDO:
    case EM_UNDO: ExecuteCommand(caUNDO, false); return 1;
    case EM_GETLINECOUNT: return static_cast<intptr_t>(LineCount());
    case EM_LINEINDEX: return LineIndexMsg(*this, wSigned);
    case EM_LINELENGTH: return LineLengthMsg(*this, wSigned);
    case EM_GETLINE: return GetLineMsg(*this, wParam, Ptr<char>(lParam));
    case EM_LINEFROMCHAR: return LineFromCharMsg(*this, wSigned);
    case EM_REPLACESEL: return ReplaceSelMsg(*this, Ptr<const char>(lParam));
    case EM_GETSEL: return GetSelMsg(*this, Ptr<uint32_t>(wParam), Ptr<uint32_t>(lParam));
    case EM_SETSEL: SetSelection(wSigned, lParam); return 1;
    case EM_GETMODIFY: return Modified() ? 1 : 0;
    case EM_SETMODIFY: SetModified(wParam != 0); return 0;
    case EM_SETREADONLY: ReadOnly = wParam != 0; return 1;
    case EM_CANUNDO: return CanUndo() ? 1 : 0;
    case EM_EMPTYUNDOBUFFER: ClearUndo(); return 0;
    case EM_GETFIRSTVISIBLELINE: return static_cast<intptr_t>(TopLine());
    case EM_LINESCROLL: return LineScrollMsg(*this, wSigned, lParam);
    case EM_SCROLLCARET: ScrollCaretIntoView(); return 1;
    case EM_POSFROMCHAR: return View != nullptr ? View->PosFromChar(wSigned) : -1;
    case EM_CHARFROMPOS: return CharFromPosMsg(*this, lParam);
    case EM_CANPASTE: return CanPaste() ? 1 : 0;

    case SEM_SELECTION: return SelectionMsg(*this, wParam, Ptr<int32_t>(lParam));
    case SEM_OPTIONS: return OptionsMsg(*this, wParam, lParam);
    case SEM_INSERTTEXT: return InsertTextMsg(*this, Ptr<const char>(lParam));
    case SEM_PAINTSUSPENDED: return PaintSuspendedMsg(*this, wParam, lParam);
    case SEM_INSERTSTREAM: return InsertStreamMsg(*this, Ptr<std::istream>(lParam));
    case SEM_SELTOSTREAM: return SelToStreamMsg(*this, wParam, Ptr<std::ostream>(lParam));
    case SEM_MODIFIED: return ModifiedMsg(*this, wParam, lParam);
    case SEM_TOPLINE: return TopLineMsg(*this, wParam, lParam);
    case SEM_LEFTCOLUMN: return LeftColumnMsg(*this, wParam, lParam);
    case SEM_SEARCH: return View != nullptr ? View->Search(wParam, Ptr<const char>(lParam)) : 0;
    case SEM_SELECTPARSER: return View != nullptr ? View->SelectParser(lParam) : 0;
    case SEM_GETSELTEXT: return GetSelTextMsg(*this, wParam, Ptr<const TSemBuffer>(lParam));
    case SEM_CANREDO: return CanRedo() ? 1 : 0;
    case SEM_REDO: ExecuteCommand(caREDO, false); return 1;
    case SEM_INDENT: IndentBlock(BlockCount(*this, lParam), (wParam & SEM_INDENT_TABS) != 0); return 1;
    case SEM_UNINDENT: UnindentBlock(BlockCount(*this, lParam)); return 1;
    case SEM_RELOADSETTINGS: return ReloadSettingsMsg(*this);
    case SEM_SETATTRS: return AttrsMsg(*this, true, Ptr<const int32_t>(wParam), Ptr<const TSemBuffer>(lParam));
    case SEM_GETATTRS: return AttrsMsg(*this, false, Ptr<const int32_t>(wParam), Ptr<const TSemBuffer>(lParam));
    case SEM_UNDOSTACK: return UndoStackMsg(*this, wParam, Ptr<TUndoStack>(lParam));
    case SEM_VERSION: return reinterpret_cast<intptr_t>(kVersionText);
    default: return 0;
    }
}

}  // namespace tarnwick
