// What the editor's model asks of the widget that hosts it: the clipboard,
// the printer and the view (visible area, pixel geometry, repaint, and the
// messages the widget answers itself). The model holds plain pointers to
// these; the widget owns them and detaches them (sets the pointers to null)
// before they go away. Every member has a harmless default, so a host
// implements only what it has.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

class TCodeMemoModel;

// ClipCopyFormats bits: what Copy and Cut put on the clipboard.
inline constexpr uint32_t smTEXT = 0x1;
inline constexpr uint32_t smRTF = 0x2;

// SourceTypes bits of a paste, which OnDataDrop may change.
inline constexpr uint32_t stPlainText = 0x1;     // plain text is available (and wanted)
inline constexpr uint32_t stHtml = 0x2;          // "HTML Format" is available (and wanted)
inline constexpr uint32_t stHtmlFromTag = 0x4;   // keep HTML from its first "<"
inline constexpr uint32_t stHtmlFragment = 0x8;  // keep only the marked fragment

// wParam bit of the block-indent message (0xC10): indent with TABs when
// smoUseTAB is set. lParam of 0xC10/0xC11 is the count (0 = IndentStep).
inline constexpr uintptr_t SEM_INDENT_TABS = 0x4;

// lParam of the selected-text and attribute-byte messages (0xC0D, 0xC13,
// 0xC14): the caller's buffer and its size in bytes, given together as
// WM_GETTEXT takes them. These messages never read or write past Size.
struct TSemBuffer {
    void* Data = nullptr;
    size_t Size = 0;
};

// Raised as ECodeMemo when a clipboard block cannot be buffered.
inline constexpr const char* kMsgClipBuffer = "Cannot alloc memory for buffer!!";

// The system clipboard as the editor sees it. Texts are single-byte
// (Windows-1252); the widget converts at the Qt boundary.
class TCodeMemoClipboard {
public:
    virtual ~TCodeMemoClipboard() = default;
    virtual bool HasText() const { return false; }
    virtual bool HasHtml() const { return false; }
    // The standard text format's content, up to its terminating NUL.
    virtual std::string Text() const { return {}; }
    // The "HTML Format" block as stored (header, markers and all).
    virtual std::string Html() const { return {}; }
    virtual void Clear() {}
    // Plain text with CR LF line ends (the widget adds the NUL).
    virtual void PutText(std::string_view /*text*/) {}
    // Under the registered format "Rich Text Format".
    virtual void PutRtf(std::string_view /*rtf*/) {}
};

// Prints records [firstLine, lastLine] (indices, both included) of the
// model's text on the default printer.
class TCodeMemoPrinter {
public:
    virtual ~TCodeMemoPrinter() = default;
    virtual void PrintLines(TCodeMemoModel& model, int64_t firstLine, int64_t lastLine) = 0;
};

// The widget side of the view. The visible line and column counts are plain
// values on the model (VisibleLines, VisibleColumns) that the widget keeps
// up to date; this interface carries what needs pixels or the window.
class TCodeMemoView {
public:
    virtual ~TCodeMemoView() = default;
    // Something the view shows changed (selection, caret shape, options).
    virtual void Invalidate() {}
    // Client point of the offset's cell packed as (y << 16) | x, or -1.
    virtual int64_t PosFromChar(int64_t /*offset*/) { return -1; }
    // Offset under a client point; -1 outside the text area.
    virtual int64_t CharFromPos(int /*x*/, int /*y*/) { return -1; }
    // Private messages the widget answers: search (flags, NUL-terminated
    // text or null), select the active highlighter (slot), reload settings
    // and font.
    virtual intptr_t Search(uintptr_t /*flags*/, const char* /*text*/) { return 0; }
    virtual intptr_t SelectParser(intptr_t /*slot*/) { return 0; }
    virtual void ReloadSettings() {}
};

}  // namespace tarnwick
