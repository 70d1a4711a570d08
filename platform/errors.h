// The program's exception classes. Every fault carries the text the user sees
// in the standard error box; each subsystem derives its own class from
// Exception so that callers can tell them apart where they need to.
#pragma once

#include <stdexcept>
#include <string>

namespace tarnwick {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// File faults: "File not found", "I/O error %d", "File '%s' cannot be opened
// for reading". ErrorCode is the error number the text shows (2 = not found).
class EInOutError : public Exception {
public:
    EInOutError(const std::string& message, int errorCode)
        : Exception(message), ErrorCode(errorCode) {}
    int ErrorCode;
};

// A failed write to a profile (INI) file: "Unable to write to %s".
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

// A text that should have been a number: "'%s' is not a valid integer value".
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Raised for an I/O failure with the C library's errno value: "File not found"
// for ENOENT, otherwise "I/O error %d" with the Windows-style error number.
[[noreturn]] void RaiseInOutError(int posixErrno);
[[noreturn]] void RaiseFileNotFound();
[[noreturn]] void RaiseCannotOpenForReading(const std::string& fileName);
[[noreturn]] void RaiseUnableToWrite(const std::string& fileName);
[[noreturn]] void RaiseNotAnInteger(const std::string& text);

}  // namespace tarnwick
