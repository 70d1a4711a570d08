// Message texts of the platform's faults, in one place.
#include "platform/errors.h"

#include <cerrno>

namespace tarnwick {

namespace {

// Windows error numbers for the errno values a file operation can produce, so
// that "I/O error %d" shows the number a user of the Windows version would see.
int WindowsErrorNumber(int posixErrno)
{
    switch (posixErrno) {
    case ENOENT: return 2;    // file not found
    case ENOTDIR: return 3;   // path not found
    case EMFILE: return 4;    // too many open files
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS: return 5;     // access denied
    case EBADF: return 6;     // invalid handle
    case ENOMEM: return 8;    // not enough memory
    case EXDEV: return 17;    // not same device
    case EBUSY:
    case ETXTBSY: return 32;  // sharing violation
    case EEXIST: return 80;   // file exists
    case ENOSPC: return 112;  // disk full
    case ENAMETOOLONG: return 206;
    default: return 29;       // write fault: the generic failure
    }
}

}  // namespace

void RaiseInOutError(int posixErrno)
{
    if (posixErrno == ENOENT)
        RaiseFileNotFound();
    const int code = WindowsErrorNumber(posixErrno);
    throw EInOutError("I/O error " + std::to_string(code), code);
}

void RaiseFileNotFound()
{
    throw EInOutError("File not found", 2);
}

void RaiseCannotOpenForReading(const std::string& fileName)
{
    throw EInOutError("File '" + fileName + "' cannot be opened for reading", 2);
}

void RaiseUnableToWrite(const std::string& fileName)
{
    throw EIniFileException("Unable to write to " + fileName);
}

void RaiseNotAnInteger(const std::string& text)
{
    throw EConvertError("'" + text + "' is not a valid integer value");
}

}  // namespace tarnwick
