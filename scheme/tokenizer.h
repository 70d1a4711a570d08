// TTokenizer: the line tokenizer that runs a compiled scheme over an
// editor's text, one token at a time. It lives inside the scheme object
// (TCodeMemoParser), which forwards the editor's calls to it.
//
// State kept between calls until Reset: the current state set, the state
// stack (32-byte copies), the start table chosen for the current set and the
// container bookkeeping. Each ReadToken:
//   1. looks the text up in the scheme's reserved words, then (when the
//      settings carry keyword tables) in the keyword-table store, both under
//      the scheme's case rule and the current state set;
//   2. runs the handler of a matched word's token value, if any;
//   3. otherwise runs the current start table's record for the first
//      character, if it is valid in the current states;
//   4. refuses a token whose value is not valid in the current states (not
//      for keyword-table words), and applies the value's state record:
//      pop/push before, the change, pop/push after;
//   5. keeps the container bookkeeping (see InContainer).
// Characters nothing accepts come back as one-character tokens of value 0;
// every call on a non-empty remainder consumes at least one character.
//
// Errors: popping an empty stack raises Exception "Stack underflow"; a class
// index the scheme does not hold raises "Invalid Set ID (%d)"; exceptions
// of the custom-parse handler pass through. After an exception the state is
// unspecified until the next Reset.
#pragma once

#include "editor/core/custom_ed_stream.h"
#include "editor/core/state_set.h"
#include "scheme/parser_tables.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tarnwick {

class TCodeMemoParser;
class TKeywords;

class TTokenizer {
public:
    // The owner supplies the tables, the settings (keyword tables) and the
    // custom-parse event; it must outlive the tokenizer.
    explicit TTokenizer(TCodeMemoParser& owner);

    // Starts over: current set := the context set of `contextValue`, or the
    // start set when that is empty or the value is outside 0..255; empty
    // stack; no container; start table chosen again.
    void Reset(int contextValue);

    // Reads the token at the stream position: on return the stream stands
    // after it and `length` is its length (>= 1 unless the stream was at
    // the end of the text, where the answer is value 0 with length 0).
    int ReadToken(TCustomEdStream& stream, int& length);

    // The last token was a container whose inside is being read (or a
    // container token itself).
    bool InContainer() const { return inContainer_; }
    // The copy of InContainer kept for the next call: another editor's pass
    // left a container unfinished.
    bool Busy() const { return busy_; }
    bool Bound(const TParserTables& tables) const { return current_.Meets(tables.BoundSet); }

    const TStateSet& Current() const { return current_; }
    size_t StackDepth() const { return stack_.size(); }
    // The value of the container being read (valid while InContainer).
    int ContainerValue() const { return containerValue_; }
    // The state whose in-state start table is current, -1 for the global one.
    int StartTableState() const { return startState_; }

private:
    void ChooseStartTable();
    const TStartTable& StartTable() const;
    void Pop();
    void ApplyStateRecord(const TTokenStateRecord& record);

    // Rebuilds classRows_ from the scheme's classes.
    void CacheClasses();
    // Whether the character at the stream belongs to the class; the end of
    // the text belongs to no class, also not to a negated one.
    bool ClassMatches(int classIndex, TCustomEdStream& s) const
    {
        if (classIndex == kNoClass || s.AtEnd())
            return false;
        const auto index = static_cast<size_t>(classIndex);
        if (index >= classRows_.size())
            return ForeignClass(classIndex, s);
        const unsigned char c = s.Current();
        return ((classRows_[index][c >> 6] >> (c & 63)) & 1) != 0;
    }
    // A class index outside the cached rows: asks the scheme, which raises
    // "Invalid Set ID (%d)" for an index it does not hold.
    bool ForeignClass(int classIndex, TCustomEdStream& s) const;
    bool RunRoutine(const TMatcher& m, TCustomEdStream& s, int& length, int& value);
    bool TestTerminator(const TTerminator& t, TCustomEdStream& s, int& length);
    // Consumes body characters while none of them can begin the terminator
    // (class body and class terminator only): what the matching loop would
    // do one character at a time, without testing the terminator at each.
    void SkipBody(const TMatcher& body, const TTerminator& t, TCustomEdStream& s,
                  int& length) const;
    bool RunHandler(const THandlerRecord& h, TCustomEdStream& s, int& length, int& value);
    bool RunRecord(const TTokenRecord& r, TCustomEdStream& s, int64_t start, int& length,
                   int& value);

    TCodeMemoParser& owner_;
    const TParserTables* tables_ = nullptr;  // the owner's tables during a call

    TStateSet current_{0};
    std::vector<TStateSet> stack_;
    // Membership of every class of the scheme (negation applied), one
    // 256-bit row per class index, so that a class test is one bit test.
    // Rebuilt at each Reset, which every load and compile ends with.
    std::vector<std::array<uint64_t, 4>> classRows_;
    int startState_ = -1;

    bool inContainer_ = false;
    bool busy_ = false;
    bool containerActive_ = false;
    int64_t containerEnd_ = 0;
    int containerValue_ = 0;
    TStateSet containerSaved_;
};

}  // namespace tarnwick
