// ECompilerError: the scheme compiler's exception. Every compile error stops
// the compilation and travels up as one of these; its text is
// "** ERROR near line %d, Column %d: %s" with the 1-based line and column of
// the read position where the error was found and the message itself.
//
// ECharSpecifier is raised by the character-specifier reader, which knows no
// read position; the compiler turns it into an ECompilerError.
#pragma once

#include "platform/errors.h"

#include <string>

namespace tarnwick {

class ECompilerError : public Exception {
public:
    ECompilerError(const std::string& text, int line, int column, const std::string& message)
        : Exception(text), Line(line), Column(column), Detail(message) {}
    int Line;            // counted from 1
    int Column;          // counted from 1
    std::string Detail;  // the message without the position wrapper
};

class ECharSpecifier : public Exception {
public:
    ECharSpecifier(const std::string& message, int stringId)
        : Exception(message), StringId(stringId) {}
    int StringId;  // string-table number of the message
};

}  // namespace tarnwick
