// Message numbers of the editor control.
//
// The editor is driven by Perform(message, wParam, lParam) as an edit control
// is: the standard edit-control messages keep their Windows values, and the
// editor's own messages form a private block from 0xC00 upward. The numbers
// never change; code that sends them (the line list, the code pane, search,
// settings) uses these names.
#pragma once

#include <cstdint>

namespace tarnwick {

using TMessage = uint32_t;

// Standard window messages the editor answers.
inline constexpr TMessage WM_SETTEXT = 0x000C;
inline constexpr TMessage WM_GETTEXT = 0x000D;
inline constexpr TMessage WM_GETTEXTLENGTH = 0x000E;
inline constexpr TMessage WM_CUT = 0x0300;
inline constexpr TMessage WM_COPY = 0x0301;
inline constexpr TMessage WM_PASTE = 0x0302;
inline constexpr TMessage WM_CLEAR = 0x0303;
inline constexpr TMessage WM_UNDO = 0x0304;
inline constexpr TMessage WM_USER = 0x0400;

// Standard edit-control messages.
inline constexpr TMessage EM_GETSEL = 0x00B0;
inline constexpr TMessage EM_SETSEL = 0x00B1;
inline constexpr TMessage EM_GETRECT = 0x00B2;
inline constexpr TMessage EM_SETRECT = 0x00B3;
inline constexpr TMessage EM_SETRECTNP = 0x00B4;
inline constexpr TMessage EM_SCROLL = 0x00B5;
inline constexpr TMessage EM_LINESCROLL = 0x00B6;
inline constexpr TMessage EM_SCROLLCARET = 0x00B7;
inline constexpr TMessage EM_GETMODIFY = 0x00B8;
inline constexpr TMessage EM_SETMODIFY = 0x00B9;
inline constexpr TMessage EM_GETLINECOUNT = 0x00BA;
inline constexpr TMessage EM_LINEINDEX = 0x00BB;
inline constexpr TMessage EM_GETTHUMB = 0x00BE;
inline constexpr TMessage EM_LINELENGTH = 0x00C1;
inline constexpr TMessage EM_REPLACESEL = 0x00C2;
inline constexpr TMessage EM_GETLINE = 0x00C4;
inline constexpr TMessage EM_LIMITTEXT = 0x00C5;
inline constexpr TMessage EM_CANUNDO = 0x00C6;
inline constexpr TMessage EM_UNDO = 0x00C7;
inline constexpr TMessage EM_LINEFROMCHAR = 0x00C9;
inline constexpr TMessage EM_SETTABSTOPS = 0x00CB;
inline constexpr TMessage EM_EMPTYUNDOBUFFER = 0x00CD;
inline constexpr TMessage EM_GETFIRSTVISIBLELINE = 0x00CE;
inline constexpr TMessage EM_SETREADONLY = 0x00CF;
inline constexpr TMessage EM_SETMARGINS = 0x00D3;
inline constexpr TMessage EM_GETMARGINS = 0x00D4;
inline constexpr TMessage EM_GETLIMITTEXT = 0x00D5;
inline constexpr TMessage EM_POSFROMCHAR = 0x00D6;
inline constexpr TMessage EM_CHARFROMPOS = 0x00D7;
// Rich-edit numbering (WM_USER + 50): whether the clipboard holds text.
inline constexpr TMessage EM_CANPASTE = 0x0432;

// The editor's private block. Unless a message says otherwise, bit 0 of
// wParam (SEM_SET) selects setting instead of getting, and bit 1
// (SEM_NOREPAINT) suppresses the repaint after a change.
inline constexpr TMessage SEM_FIRST = 0x0C00;
inline constexpr uintptr_t SEM_SET = 0x1;
inline constexpr uintptr_t SEM_NOREPAINT = 0x2;

// Get/set the selection pair; lParam points to two 32-bit offsets
// {anchor, caret}.
inline constexpr TMessage SEM_SELECTION = 0x0C00;
// Get/set the internal option mask (the smo... bits).
inline constexpr TMessage SEM_OPTIONS = 0x0C01;
// Insert the NUL-terminated text at lParam at the caret.
inline constexpr TMessage SEM_INSERTTEXT = 0x0C02;
// Get/set the painting-suspended flag.
inline constexpr TMessage SEM_PAINTSUSPENDED = 0x0C05;
// Insert the contents of the stream at lParam at the caret.
inline constexpr TMessage SEM_INSERTSTREAM = 0x0C06;
// Write the selection to the stream at lParam; wParam is one of the
// SEM_STREAM_... formats below.
inline constexpr TMessage SEM_SELTOSTREAM = 0x0C07;
// Get/set the modified flag.
inline constexpr TMessage SEM_MODIFIED = 0x0C08;
// Get/set the top line.
inline constexpr TMessage SEM_TOPLINE = 0x0C09;
// Get/set the left column.
inline constexpr TMessage SEM_LEFTCOLUMN = 0x0C0A;
// Search: wParam holds SEM_SEARCH_... flags, lParam the NUL-terminated
// search text or null.
inline constexpr TMessage SEM_SEARCH = 0x0C0B;
// Select the active highlighter.
inline constexpr TMessage SEM_SELECTPARSER = 0x0C0C;
// Copy the selected text into the buffer lParam describes (pointer and
// size, TSemBuffer; wParam 1: CR LF line ends, 0: bare CR) as WM_GETTEXT
// does; with lParam null only return the length.
inline constexpr TMessage SEM_GETSELTEXT = 0x0C0D;
// Whether a redo is possible.
inline constexpr TMessage SEM_CANREDO = 0x0C0E;
// Redo.
inline constexpr TMessage SEM_REDO = 0x0C0F;
// Indent / unindent the selected block.
inline constexpr TMessage SEM_INDENT = 0x0C10;
inline constexpr TMessage SEM_UNINDENT = 0x0C11;
// Reload settings and font.
inline constexpr TMessage SEM_RELOADSETTINGS = 0x0C12;
// Set the attribute bytes of a line range from the buffer lParam describes
// (pointer and size, TSemBuffer; wParam: null for the whole text, or a pair
// of line numbers).
inline constexpr TMessage SEM_SETATTRS = 0x0C13;
// Read them back (zeros where a record has none).
inline constexpr TMessage SEM_GETATTRS = 0x0C14;
// Get/set the undo stack object.
inline constexpr TMessage SEM_UNDOSTACK = 0x0C15;
// Return the NUL-terminated identification string "<TCodeMemo>:3.00.00".
inline constexpr TMessage SEM_VERSION = 0x0C40;

// wParam of SEM_SELTOSTREAM: the text format written.
inline constexpr uintptr_t SEM_STREAM_CR = 0;     // stored bytes, bare CR line ends
inline constexpr uintptr_t SEM_STREAM_CRLF = 1;   // text with CR LF
inline constexpr uintptr_t SEM_STREAM_RTF = 2;
inline constexpr uintptr_t SEM_STREAM_HTML = 4;
inline constexpr uintptr_t SEM_STREAM_LF = 8;     // text with LF

// wParam of SEM_SEARCH.
inline constexpr uintptr_t SEM_SEARCH_NODIALOG = 8;   // search now, no dialog
inline constexpr uintptr_t SEM_SEARCH_MATCHCASE = 16;
inline constexpr uintptr_t SEM_SEARCH_REGEXPR = 32;
inline constexpr uintptr_t SEM_SEARCH_WHOLEWORD = 64;
inline constexpr uintptr_t SEM_SEARCH_BACKWARD = 128;

}  // namespace tarnwick
