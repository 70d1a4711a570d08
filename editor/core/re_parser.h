// TREParser: the editor's regular expressions. Compile() turns a pattern
// into a byte program in two passes (size, then emit); Exec() runs it with a
// backtracking matcher over a TSearchSource and records match positions.
//
// Syntax: literal characters; "." (any but a line break); "^" and "$" (line
// start and end, also at the very start and end of the text; both match
// without consuming); [set] and [^set] with ranges a-b; ( ) groups (at most
// 9); "quoted strings"; \d \s \w \D \S \W; escapes \n (CR, the line break),
// \r (LF), \t \f \b, "\ " (blank), \0..\7 octal (up to 3 digits), \xH[H];
// repetition * + ? {n} {n,} {,m} {n,m}; alternatives A|B; and A||B, both A
// and B in either order, rewritten before compiling to ((A)(B)?)|((B)(A)?).
//
// Program: byte 0 is kMagic, then nodes of [opcode][next offset, 16 bits
// big-endian][operands]. A next offset of 0 ends a chain; opBack's offset
// points backwards. The program is at most 65535 bytes.
//
// Matching is iterative (an explicit backtrack stack on the heap) with a
// bounded stack and a bounded number of steps, so no pattern or text can
// overflow the call stack or run without end: past either bound Exec raises
// "Out of memory".
//
// Recorded positions: each element that consumes text (a literal string, a
// set, ".", a starred or plussed node) records the position before it; the
// end of the match is recorded last. A match runs from MatchStart() to
// MatchEnd(); "%N" in a replacement is the text between recorded positions
// N-1 and N.
#pragma once

#include "editor/core/search_source.h"
#include "platform/errors.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// Resource numbers of the regular-expression messages.
enum TREError : int {
    reNoError = 4246,            // "No errors detected"
    reNotFound = 4247,           // "Expression not found"
    reInvalidParameter = 4248,   // "Invalid parameter"
    reOutOfMemory = 4249,        // "Out of memory"
    reTooManySubExpr = 4250,     // "Too many sub-expressions"
    reUnmatchedParen = 4251,     // "Unmatched parenthesis"
    reInvalidRepeat = 4252,      // "Invalid repeat"
    reNestedRepeat = 4253,       // "Nested repeat"
    reInvalidRange = 4254,       // "Invalid range"
    reUnmatchedBracket = 4255,   // "Unmatched bracket"
    reHexDigitExpected = 4256,   // "Hex digit expected"
    reUnexpectedEnd = 4257,      // "Unexpected end of input"
    reQuoteExpected = 4258,      // "' expected"
    reIndexRange = 4259,         // "Index range error"
    reInternalError = 4260,      // "Internal error"
};

// The message text of a regular-expression error number (from the string
// table; the built-in text when the table lacks it).
std::string REErrorText(int id);

// A regular-expression fault: compile errors, run-time limits, a bad index.
class ERegExpr : public Exception {
public:
    ERegExpr(int id, int position) : Exception(REErrorText(id)), Id(id), Position(position) {}
    int Id;
    int Position;  // index into the pattern text, -1 when not tied to one
};

// Program opcodes.
enum TREOpcode : uint8_t {
    opEnd = 0,
    opBol = 1,
    opEol = 2,
    opAny = 3,
    opAnyOf = 4,    // operand: 32-byte set, bit c of byte c/8
    opAnyBut = 5,   // operand: 32-byte set
    opBranch = 6,   // operand: the alternative; next: the following branch
    opBack = 7,     // next offset points backwards
    opExact = 8,    // operand: the characters, NUL-terminated
    opNothing = 9,
    opStar = 10,    // operand: one single-width node
    opPlus = 11,    // operand: one single-width node
    opOpen = 20,    // 21..29: group 1..9 opens
    opClose = 40,   // 41..49: group 1..9 closes
    opCSet = 150,   // operand: counter byte; sets the counter to 0
    opCLoop = 151,  // operands: counter byte, min and max (16 bits, 0xFFFF = no limit); then the body
    opCInc = 152,   // operand: counter byte; counts one pass through the body
};

class TREParser {
public:
    static constexpr uint8_t kMagic = 0x9C;
    static constexpr int kMaxPositions = 256;
    static constexpr int kMaxGroups = 9;
    static constexpr int kMaxProgram = 65535;
    static constexpr int kNoLimit = 0xFFFF;

    TREParser();

    // Compiles `pattern`; false with Error()/ErrorPosition() set on failure.
    // Compiling the pattern that is already compiled does nothing; a failure
    // forgets the compiled pattern.
    bool Compile(std::string_view pattern);
    // As Compile, but raises ERegExpr on failure.
    void CompileOrThrow(std::string_view pattern);

    // Tries a match at `start`, then at each following (forward) or
    // preceding position up to the end (or start) of the text; `start` is
    // clamped to 0..Length(). The match itself always runs forwards. Raises
    // ERegExpr when nothing is compiled or a run-time bound is passed.
    bool Exec(const TSearchSource& source, int64_t start, bool forward);
    // Tries a match at `start` only.
    bool MatchAt(const TSearchSource& source, int64_t start);

    // The i-th recorded position of the last match; -1 past the recorded
    // ones. i outside 0..255 raises "Index range error".
    int64_t MatchPosition(int i) const;
    int PositionCount() const { return positionCount_; }
    int64_t MatchStart() const { return matchStart_; }
    int64_t MatchEnd() const { return matchEnd_; }

    int Error() const { return error_; }
    int ErrorPosition() const { return errorPos_; }
    // The pattern as compiled (after any A||B rewrite): the text ErrorPosition
    // indexes.
    const std::string& PatternBuffer() const { return buffer_; }
    // The error box text: message, CR LF, pattern, CR LF, blanks up to the
    // error position and "^".
    std::string ErrorBoxText() const;
    static std::string ErrorBoxText(const ERegExpr& error, std::string_view pattern);

    // The matcher's bounds: steps per Exec (plus kStepsPerChar per character
    // of the text) and choice points held at once. Lowered by tests.
    static constexpr int64_t kDefaultSteps = 200'000'000;
    static constexpr int64_t kStepsPerChar = 64;
    static constexpr size_t kDefaultFrames = size_t{1} << 20;
    void SetLimits(int64_t steps, size_t frames)
    {
        stepLimit_ = steps;
        frameLimit_ = frames;
    }

    const std::vector<uint8_t>& Program() const { return program_; }
    int ProgramSize() const { return programSize_; }

private:
    // --- compiler (re_parser.cpp) ---
    void RewriteDoubleBars();
    int ParseAlternatives(bool inGroup, int& flags);
    int ParseSequence(int& flags);
    int ParsePiece(int& flags);
    int ParseAtom(int& flags);
    int ParseSet();
    int ParseRepeatCount(int& minCount, int& maxCount);
    int ParseNumber(int& value);
    int ParseEscapeValue();
    int EmitLiteral(const std::string& text);
    int Emit(uint8_t op);
    void EmitByte(uint8_t b);
    void Insert(uint8_t op, int before, const uint8_t* operands, int operandCount);
    void SetTail(int node, int target);
    void SetOperandTail(int node, int target);
    int NextOf(int node) const;
    [[noreturn]] void Fail(int id, int position) const;
    [[noreturn]] void Fail(int id) const { Fail(id, pos_); }
    bool AtEnd() const { return pos_ >= static_cast<int>(buffer_.size()); }
    unsigned char Peek(int ahead = 0) const;

    // --- matcher (search_re_exec.cpp) ---
    void AnalyseStart();
    bool FirstChars(int node, std::array<bool, 256>& set, int depth) const;
    // One match attempt from `start` over the compiled program.
    bool Attempt(int64_t start);
    void Record(int64_t position);
    // A choice point the matcher may come back to (frames of kind fk...).
    void PushFrame(int32_t kind, int32_t pc, int64_t pos, int32_t count, int32_t aux);
    // The node after `node`; a program without one is an internal error.
    int CheckedNext(int node) const;
    // How many times the single-width node at `node` matches from `from`.
    int64_t RunLength(int node, int64_t from);
    // The literal character the node after a star must start with, or -1.
    int FollowChar(int next) const;
    // Where the literal node at `node` ends when it matches at `pos`, or -1.
    int64_t LiteralEnd(int node, int64_t pos);
    // A star or plus at pc takes as many characters as it can (no more than
    // lets a literal after it match) and leaves a choice point to give them
    // back one by one; false when it cannot take its minimum.
    bool EnterStar(int& pc, int64_t& pos);
    // Back to the latest choice point: restores pc and pos (and the counters
    // and positions recorded since); false when no choice is left.
    bool Backtrack(int& pc, int64_t& pos);

    std::string lastPattern_;
    bool compiled_ = false;
    std::string buffer_;
    int pos_ = 0;
    std::vector<uint8_t> program_;
    bool sizing_ = false;
    int programSize_ = 0;
    int groupCount_ = 0;
    int counterCount_ = 0;
    std::array<int64_t, kMaxPositions> positions_{};
    int positionCount_ = 0;
    int64_t matchStart_ = -1;
    int64_t matchEnd_ = -1;
    int error_ = reNoError;
    int errorPos_ = -1;

    // Start filter: the characters a match can begin with, when known.
    bool hasStartSet_ = false;
    std::array<bool, 256> startSet_{};

    // Matcher state for one Exec.
    struct TFrame {
        int32_t kind;
        int32_t pc;
        int64_t pos;
        int32_t count;
        int32_t aux;
        int32_t recorded;
    };
    TSourceCursor* cursor_ = nullptr;
    std::vector<TFrame> stack_;
    std::vector<int32_t> counters_;
    int64_t stepsLeft_ = 0;
    int64_t stepLimit_ = kDefaultSteps;
    size_t frameLimit_ = kDefaultFrames;
};

}  // namespace tarnwick
