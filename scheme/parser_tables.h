// TParserTables: the tables a compiled scheme consists of, as the section
// parsers fill them and the tokenizer consults them.
//
//   - character classes (shared by index) and the reserved-word store;
//   - handlers: per token value at most one {body matcher, terminator};
//   - the global start table and the in-state start tables: per first
//     character at most one token record, direct-indexed by the character;
//   - context sets: per context value the state set the tokenizer starts in;
//   - token state records: per token value how reading it changes the state
//     set;
//   - the anchor, bound and start sets, and the custom-parse flag.
//
// Token values, characters and states are 0..255 throughout; every table is
// indexed directly by them. Flags are kept as the bytes a compiled scheme
// stores (non-zero = set), so reading and writing a scheme gives the same
// bytes back. Class indexes refer to `Classes`; kNoClass is "no class".
#pragma once

#include "editor/core/state_set.h"
#include "scheme/char_group.h"
#include "scheme/syntax_keywords.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace tarnwick {

// Built-in scanning routines a matcher or terminator may name.
inline constexpr int kRoutineCount = 14;  // 0..13 in token bodies and terminators

// How one part of a token is matched: by a class, by a built-in routine
// (Routine set, Custom clear, Number = routine) or by the host's
// custom-parse event (Routine and Custom set, Number = parse id).
struct TMatcher {
    uint8_t Repeat = 0;  // '*': zero or more; carries no meaning in a start matcher
    int ClassIndex = kNoClass;
    uint8_t Routine = 0;
    uint8_t Custom = 0;
    int32_t Number = 0;
    bool operator==(const TMatcher&) const = default;
};

// What ends a token: a routine (or the custom-parse event), or a sequence
// of up to four classes. Include: the terminator's characters belong to the
// token.
struct TTerminator {
    static constexpr int kMaxClasses = 4;
    uint8_t Include = 0;
    uint8_t Routine = 0;
    uint8_t Custom = 0;
    int32_t Number = 0;
    uint8_t Count = 0;  // 0..4 classes when not a routine
    std::array<int, kMaxClasses> Classes{kNoClass, kNoClass, kNoClass, kNoClass};
    bool operator==(const TTerminator&) const = default;
};

struct THandlerRecord {
    TMatcher Body;
    TTerminator Terminator;
    bool operator==(const THandlerRecord&) const = default;
};

struct TTokenRecord {
    TMatcher Start;
    TStateSet Valid;
    TMatcher Body;
    TTerminator Terminator;
    uint8_t Token = 0;
    bool operator==(const TTokenRecord&) const = default;
};

// Push/pop flags of a token state record.
inline constexpr uint8_t kPushBefore = 1;
inline constexpr uint8_t kPopBefore = 2;
inline constexpr uint8_t kPushAfter = 4;
inline constexpr uint8_t kPopAfter = 8;

struct TTokenStateRecord {
    TStateSet Valid;
    TStateSet Added;
    TStateSet Removed;
    uint8_t Container = 0;
    uint8_t NoChange = 1;  // both change sets empty
    uint8_t Flags = 0;     // kPush.../kPop...
    bool operator==(const TTokenStateRecord&) const = default;
};

// A record for characters of a range (never filled by the compiler; kept
// because the stream form has a place for it).
struct TRangeRecord {
    uint16_t Low = 0;
    uint16_t High = 0;
    TTokenRecord Record;
    bool operator==(const TRangeRecord&) const = default;
};

// A start table: per first character the index of its record in
// TParserTables::Records, or -1.
struct TStartTable {
    std::array<int32_t, 256> Slots;
    std::vector<TRangeRecord> Ranges;
    TStartTable() { Slots.fill(-1); }
    int OccupiedCount() const;
};

class TParserTables {
public:
    // The empty scheme: start set {0}, anchor set {0}, bound set empty, every
    // context set empty, no words, records, handlers or in-state tables.
    TParserTables();
    TParserTables(const TParserTables&) = delete;
    TParserTables& operator=(const TParserTables&) = delete;

    TSM_CharGroupManager Classes;
    TSyntaxKeywords Words{Classes};

    std::array<std::optional<THandlerRecord>, 256> Handlers;

    // Token records of the start tables; slots refer to them by index and
    // several slots may share one.
    std::vector<TTokenRecord> Records;
    TStartTable GlobalStart;
    std::array<std::unique_ptr<TStartTable>, 256> InState;
    TStateSet InStateSet;         // the states that have a table
    bool NoInStateTables = true;  // InStateSet is empty

    std::array<TStateSet, 256> ContextSets;
    std::array<std::optional<TTokenStateRecord>, 256> StateRecords;

    TStateSet AnchorSet{0};
    TStateSet BoundSet;
    TStateSet StartSet{0};
    uint8_t CustomParse = 0;

    // ---- lookups for the tokenizer ----
    // The record for first character `c` in `table`, or null.
    const TTokenRecord* StartRecord(const TStartTable& table, uint8_t c) const
    {
        const int32_t index = table.Slots[c];
        return index < 0 ? nullptr : &Records[static_cast<size_t>(index)];
    }
    // The in-state table of `state`, or null.
    const TStartTable* InStateTable(uint8_t state) const { return InState[state].get(); }

    // ---- filling (the section parsers) ----
    // Adds a class and returns its index (equal classes share one).
    int AddClass(const TCharClass& cls) { return Classes.Add(cls); }

    // A %%Words entry: adds the word (EKeywords "Duplicate keyword - '%s'"
    // when an entry of the same word meets `states`), then adds `states` to
    // the valid set of the token's state record, creating it with valid =
    // {0} + states.
    void AddWord(std::string_view word, bool caseSensitive, uint8_t token,
                 const TStateSet& states, int followClass);

    // A %%Tokens entry: adds the record's valid set to its token's state
    // record (created with valid = that set, or {0} when it is empty), then
    // places the record at every character of `startClass` in the global
    // table (inState < 0) or in the table of state `inState` (created on
    // first use). Returns false, and changes nothing, when a slot is already
    // taken or a range of the class overlaps one of the table's ranges
    // ("Ambigious start set in %%token table"). Raises "Invalid Set ID (%d)"
    // for a class the manager does not hold.
    bool AddTokenRecord(const TTokenRecord& record, int startClass, int inState);

    // A %%Handlers entry; false (nothing changed) when the token value
    // already has a handler ("Duplicate entry in %%handler table").
    bool AddHandler(uint8_t token, const THandlerRecord& handler);

    // The token's state record, created as {valid {0}, no change, no flags}
    // when absent.
    TTokenStateRecord& EnsureStateRecord(uint8_t token);
    // %%States / %%Containers changes: adds to the change sets and keeps the
    // no-change flag in step.
    void AddStateChange(uint8_t token, const TStateSet& added, const TStateSet& removed);
    // Only one push/pop flag is kept: a later one replaces an earlier one.
    // kPopAfter also empties both change sets, so the token simply restores
    // the pushed set.
    void SetPushPop(uint8_t token, uint8_t flag);
    void SetContainer(uint8_t token);

    // The end of a compilation: every empty context set becomes the start
    // set, and the no-in-state-tables flag follows the in-state set.
    void FinishCompile();

private:
    TStartTable& TargetTable(int inState);
};

}  // namespace tarnwick
