// The editor's exception classes and their message texts.
//
// ECodeMemo carries every fault of the editor model (tab stops, bookmarks,
// the undo log); ECodeMemoSave is the narrower class a failed save raises, so
// that a caller can tell a lost save from other editor faults.
#pragma once

#include "platform/errors.h"

namespace tarnwick {

class ECodeMemo : public Exception {
public:
    using Exception::Exception;
};

class ECodeMemoSave : public ECodeMemo {
public:
    using ECodeMemo::ECodeMemo;
};

// Message texts, exactly as the user sees them.
inline constexpr const char* kMsgBadTransaction = "Bad transaction log entry";
inline constexpr const char* kMsgBadStackState = "Bad do/undo stack state";
inline constexpr const char* kMsgStackUnderflow = "Stack underflow";
inline constexpr const char* kMsgBadStream = "Bad TStream instance";
inline constexpr const char* kMsgCouldNotSave = "Could not save text to stream";
inline constexpr const char* kMsgNoMemory = "Not enough memory for operation";
inline constexpr const char* kMsgCannotOpen = "File '%s' cannot be opened for reading";
inline constexpr const char* kMsgBookmarkRange = "Bookmark index range error";
inline constexpr const char* kMsgTooManyTabs = "Too many tab stops - maximum of ";
inline constexpr const char* kMsgTabValueExpected = "Tab stop column value expected";
inline constexpr const char* kMsgTabOrder = "Tab columns must be in order and unique";
inline constexpr const char* kMsgTabAboveOne = "Tab column must be > 1";
inline constexpr const char* kMsgBadDefaultTab = "=Illegal default tab stop value, must be > 0";

}  // namespace tarnwick
