// TREParser, matcher half: the backtracking matcher over a TSearchSource.
//
// The matcher walks the program with an explicit stack of choice points
// instead of recursing, so that deep or long matches cannot exhaust the call
// stack; the stack and the number of steps are bounded, which turns a pattern
// that would backtrack without practical end into an "Out of memory" error.
#include "editor/core/re_parser.h"

#include <algorithm>
#include <cstring>

namespace tarnwick {

namespace {

constexpr unsigned char kCR = 13;

enum TFrameKind : int32_t { fkAlternative, fkStar, fkCounter };

bool InSet(const uint8_t* set, unsigned char c)
{
    return (set[c >> 3] >> (c & 7)) & 1;
}

// Restores the matcher's borrowed cursor when Exec leaves, on every path.
struct TCursorScope {
    TSourceCursor*& slot;
    ~TCursorScope() { slot = nullptr; }
};

}  // namespace

int64_t TREParser::MatchPosition(int i) const
{
    if (i < 0 || i >= kMaxPositions)
        throw ERegExpr(reIndexRange, -1);
    return positions_[static_cast<size_t>(i)];
}

void TREParser::Record(int64_t position)
{
    // The last slot is kept for the end of the match.
    if (positionCount_ < kMaxPositions - 1)
        positions_[static_cast<size_t>(positionCount_++)] = position;
}

bool TREParser::FirstChars(int node, std::array<bool, 256>& set, int depth) const
{
    if (node < 0 || depth > 64)
        return false;
    const uint8_t* p = program_.data() + node;
    switch (p[0]) {
    case opExact:
        set[p[3]] = true;
        return true;
    case opAny:
        for (unsigned c = 0; c < 256; ++c)
            set[c] = set[c] || c != kCR;
        return true;
    case opAnyOf:
    case opAnyBut:
        for (unsigned c = 0; c < 256; ++c)
            if (InSet(p + 3, static_cast<unsigned char>(c)) == (p[0] == opAnyOf))
                set[c] = true;
        return true;
    case opPlus:
        return FirstChars(node + 3, set, depth + 1);
    case opNothing:
    case opCSet:
        return FirstChars(NextOf(node), set, depth + 1);
    case opBranch: {
        const int next = NextOf(node);
        if (next < 0 || program_[static_cast<size_t>(next)] != opBranch)
            return FirstChars(node + 3, set, depth + 1);
        for (int branch = node; branch >= 0 && program_[static_cast<size_t>(branch)] == opBranch;
             branch = NextOf(branch)) {
            if (!FirstChars(branch + 3, set, depth + 1))
                return false;
        }
        return true;
    }
    case opCLoop:
        return ((p[4] << 8) | p[5]) > 0 && FirstChars(node + 8, set, depth + 1);
    default:
        if (p[0] > opOpen && p[0] <= opOpen + kMaxGroups)
            return FirstChars(NextOf(node), set, depth + 1);
        if (p[0] > opClose && p[0] <= opClose + kMaxGroups)
            return FirstChars(NextOf(node), set, depth + 1);
        return false;  // anchors, stars and the end may match without a character
    }
}

void TREParser::AnalyseStart()
{
    startSet_.fill(false);
    hasStartSet_ = FirstChars(1, startSet_, 0);
}

bool TREParser::MatchAt(const TSearchSource& source, int64_t start)
{
    if (!compiled_)
        throw ERegExpr(reInvalidParameter, -1);
    TSourceCursor cursor(source);
    cursor_ = &cursor;
    TCursorScope scope{cursor_};
    stepsLeft_ = stepLimit_ + kStepsPerChar * cursor.Length();
    start = std::clamp<int64_t>(start, 0, cursor.Length());
    if (Attempt(start))
        return true;
    positions_.fill(-1);
    positionCount_ = 0;
    matchStart_ = matchEnd_ = -1;
    return false;
}

bool TREParser::Exec(const TSearchSource& source, int64_t start, bool forward)
{
    if (!compiled_)
        throw ERegExpr(reInvalidParameter, -1);
    TSourceCursor cursor(source);
    cursor_ = &cursor;
    TCursorScope scope{cursor_};
    const int64_t length = cursor.Length();
    stepsLeft_ = stepLimit_ + kStepsPerChar * length;
    start = std::clamp<int64_t>(start, 0, length);

    int single = -1;  // the one character every match starts with, if so
    if (hasStartSet_ && std::count(startSet_.begin(), startSet_.end(), true) == 1)
        single = static_cast<int>(std::find(startSet_.begin(), startSet_.end(), true) - startSet_.begin());

    if (forward) {
        for (int64_t p = start; p <= length; ++p) {
            if (hasStartSet_) {
                // Skip whole stretches that cannot start a match.
                while (p < length) {
                    const std::string_view piece = cursor.PieceFrom(p);
                    if (piece.empty())
                        break;
                    size_t i = 0;
                    if (single >= 0) {
                        const void* hit = std::memchr(piece.data(), single, piece.size());
                        i = hit ? static_cast<size_t>(static_cast<const char*>(hit) - piece.data()) : piece.size();
                    } else {
                        while (i < piece.size() && !startSet_[static_cast<unsigned char>(piece[i])])
                            ++i;
                    }
                    p += static_cast<int64_t>(i);
                    if (i < piece.size())
                        break;
                }
                if (p >= length)
                    break;  // a match needs a character here
            }
            if (Attempt(p))
                return true;
        }
    } else {
        for (int64_t p = start; p >= 0; --p) {
            if (hasStartSet_ && (p >= length || !startSet_[cursor.At(p)]))
                continue;
            if (Attempt(p))
                return true;
        }
    }
    positions_.fill(-1);
    positionCount_ = 0;
    matchStart_ = matchEnd_ = -1;
    return false;
}

void TREParser::PushFrame(int32_t kind, int32_t pc, int64_t pos, int32_t count, int32_t aux)
{
    if (stack_.size() >= frameLimit_)
        throw ERegExpr(reOutOfMemory, -1);
    stack_.push_back(TFrame{kind, pc, pos, count, aux, positionCount_});
}

int TREParser::CheckedNext(int node) const
{
    const int next = NextOf(node);
    if (next < 0)
        throw ERegExpr(reInternalError, -1);
    return next;
}

int64_t TREParser::RunLength(int node, int64_t from)
{
    TSourceCursor& text = *cursor_;
    const int64_t length = text.Length();
    const uint8_t* p = program_.data() + node;
    int64_t at = from;
    switch (p[0]) {
    case opAny:
        while (at < length && text.At(at) != kCR)
            ++at;
        break;
    case opAnyOf:
    case opAnyBut: {
        const bool want = p[0] == opAnyOf;
        while (at < length && InSet(p + 3, text.At(at)) == want)
            ++at;
        break;
    }
    case opExact:
        while (at < length && text.At(at) == p[3])
            ++at;
        break;
    default:
        throw ERegExpr(reInternalError, -1);
    }
    stepsLeft_ -= at - from;
    return at - from;
}

int TREParser::FollowChar(int next) const
{
    return program_[static_cast<size_t>(next)] == opExact ? static_cast<int>(program_[static_cast<size_t>(next) + 3])
                                                          : -1;
}

int64_t TREParser::LiteralEnd(int node, int64_t pos)
{
    TSourceCursor& text = *cursor_;
    const int64_t length = text.Length();
    for (const uint8_t* s = program_.data() + node + 3; *s != 0; ++s, ++pos) {
        if (pos >= length || text.At(pos) != *s)
            return -1;
    }
    return pos;
}

bool TREParser::EnterStar(int& pc, int64_t& pos)
{
    TSourceCursor& text = *cursor_;
    const int minimum = program_[static_cast<size_t>(pc)] == opStar ? 0 : 1;
    const int next = CheckedNext(pc);
    const int follow = FollowChar(next);
    int64_t count = RunLength(pc + 3, pos);
    if (follow >= 0) {
        while (count >= minimum && text.At(pos + count) != follow)
            --count;
    }
    if (count < minimum)
        return false;
    Record(pos);
    if (count > minimum)
        PushFrame(fkStar, next, pos, static_cast<int32_t>(std::min<int64_t>(count, INT32_MAX)), minimum);
    pos += count;
    pc = next;
    return true;
}

bool TREParser::Backtrack(int& pc, int64_t& pos)
{
    TSourceCursor& text = *cursor_;
    for (;;) {
        if (stack_.empty())
            return false;
        TFrame& frame = stack_.back();
        if (frame.kind == fkCounter) {
            counters_[static_cast<size_t>(frame.aux)] = frame.count;
            stack_.pop_back();
            continue;
        }
        if (frame.kind == fkAlternative) {
            pc = frame.pc;
            pos = frame.pos;
            positionCount_ = frame.recorded;
            stack_.pop_back();
            return true;
        }
        // A star gives back one more character.
        const int follow = FollowChar(frame.pc);
        --frame.count;
        while (follow >= 0 && frame.count >= frame.aux && text.At(frame.pos + frame.count) != follow) {
            --frame.count;
            --stepsLeft_;
        }
        if (frame.count < frame.aux) {
            stack_.pop_back();
            continue;
        }
        pc = frame.pc;
        pos = frame.pos + frame.count;
        positionCount_ = frame.recorded;
        if (frame.count == frame.aux)
            stack_.pop_back();
        return true;
    }
}

bool TREParser::Attempt(int64_t start)
{
    TSourceCursor& text = *cursor_;
    const int64_t length = text.Length();
    const uint8_t* prog = program_.data();
    stack_.clear();
    positionCount_ = 0;
    int64_t pos = start;
    int pc = 1;

    for (;;) {
        bool ok = true;
        if (--stepsLeft_ < 0)
            throw ERegExpr(reOutOfMemory, -1);
        const uint8_t op = prog[pc];
        switch (op) {
        case opEnd:
            positions_[static_cast<size_t>(positionCount_)] = pos;
            ++positionCount_;
            std::fill(positions_.begin() + positionCount_, positions_.end(), -1);
            matchStart_ = start;
            matchEnd_ = pos;
            return true;
        case opBol:
            ok = pos == 0 || text.At(pos - 1) == kCR;
            if (ok)
                pc = CheckedNext(pc);
            break;
        case opEol:
            ok = pos >= length || text.At(pos) == kCR;
            if (ok)
                pc = CheckedNext(pc);
            break;
        case opAny:
            ok = pos < length && text.At(pos) != kCR;
            if (ok) {
                Record(pos++);
                pc = CheckedNext(pc);
            }
            break;
        case opAnyOf:
        case opAnyBut:
            ok = pos < length && InSet(prog + pc + 3, text.At(pos)) == (op == opAnyOf);
            if (ok) {
                Record(pos++);
                pc = CheckedNext(pc);
            }
            break;
        case opExact: {
            const int64_t end = LiteralEnd(pc, pos);
            ok = end >= 0;
            if (ok) {
                Record(pos);
                pos = end;
                pc = CheckedNext(pc);
            }
            break;
        }
        case opBranch: {
            const int next = NextOf(pc);
            if (next >= 0 && prog[next] == opBranch)
                PushFrame(fkAlternative, next, pos, 0, 0);
            pc += 3;
            break;
        }
        case opBack:
        case opNothing:
            pc = CheckedNext(pc);
            break;
        case opStar:
        case opPlus:
            ok = EnterStar(pc, pos);
            break;
        case opCSet: {
            const uint8_t k = prog[pc + 3];
            PushFrame(fkCounter, 0, 0, counters_[k], k);
            counters_[k] = 0;
            pc = CheckedNext(pc);
            break;
        }
        case opCLoop: {
            const uint8_t k = prog[pc + 3];
            const int minimum = (prog[pc + 4] << 8) | prog[pc + 5];
            const int maximum = (prog[pc + 6] << 8) | prog[pc + 7];
            const int done = counters_[k];
            if (maximum != kNoLimit && done >= maximum) {
                pc = CheckedNext(pc);
            } else {
                if (done >= minimum)
                    PushFrame(fkAlternative, CheckedNext(pc), pos, 0, 0);
                pc += 8;
            }
            break;
        }
        case opCInc: {
            const uint8_t k = prog[pc + 3];
            PushFrame(fkCounter, 0, 0, counters_[k], k);
            ++counters_[k];
            pc = CheckedNext(pc);
            break;
        }
        default:
            if ((op > opOpen && op <= opOpen + kMaxGroups) || (op > opClose && op <= opClose + kMaxGroups))
                pc = CheckedNext(pc);
            else
                throw ERegExpr(reInternalError, -1);
            break;
        }
        if (ok)
            continue;

        if (!Backtrack(pc, pos))
            return false;
    }
}

}  // namespace tarnwick
