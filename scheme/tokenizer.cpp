// The line tokenizer: word lookup, handlers, start tables, acceptance,
// state records and containers.
#include "scheme/tokenizer.h"

#include "editor/core/code_memo_errors.h"
#include "editor/core/keywords.h"
#include "scheme/code_memo_parser.h"
#include "scheme/scan_routines.h"

#include <bit>

namespace tarnwick {

namespace {

// Handler bodies name the standard kinds 10..20; they read with routines
// 3..13.
constexpr int kFirstKind = 10;
constexpr int kLastKind = 20;
constexpr int kKindToRoutine = 7;
// Plain routine numbers a handler body may name.
constexpr int kLastHandlerRoutine = 9;

}  // namespace

TTokenizer::TTokenizer(TCodeMemoParser& owner) : owner_(owner) {}

const TStartTable& TTokenizer::StartTable() const
{
    if (startState_ >= 0)
        if (const TStartTable* table = tables_->InStateTable(static_cast<uint8_t>(startState_)))
            return *table;
    return tables_->GlobalStart;
}

void TTokenizer::ChooseStartTable()
{
    startState_ = -1;
    if (tables_->NoInStateTables)
        return;
    for (size_t i = 0; i < current_.Words.size(); ++i) {
        const uint64_t both = current_.Words[i] & tables_->InStateSet.Words[i];
        if (both != 0) {
            startState_ = static_cast<int>(i * 64) + std::countr_zero(both);
            return;
        }
    }
}

void TTokenizer::Reset(int contextValue)
{
    tables_ = &owner_.Tables();
    current_ = tables_->StartSet;
    if (contextValue >= 0 && contextValue < 256) {
        const TStateSet& context = tables_->ContextSets[static_cast<size_t>(contextValue)];
        if (!context.Empty())
            current_ = context;
    }
    // The stack keeps its capacity, so pushes in the next pass do not
    // allocate again.
    stack_.clear();
    CacheClasses();
    inContainer_ = false;
    busy_ = false;
    containerActive_ = false;
    containerEnd_ = 0;
    containerValue_ = 0;
    ChooseStartTable();
}

void TTokenizer::Pop()
{
    if (stack_.empty())
        throw ECodeMemo(kMsgStackUnderflow);
    current_ = stack_.back();
    stack_.pop_back();
}

void TTokenizer::ApplyStateRecord(const TTokenStateRecord& record)
{
    // Most tokens change nothing.
    if (record.NoChange && record.Flags == 0)
        return;
    const TStateSet before = current_;
    if (record.Flags & kPopBefore)
        Pop();
    else if (record.Flags & kPushBefore)
        stack_.push_back(current_);
    if (!record.NoChange) {
        current_ |= record.Added;
        current_ -= record.Removed;
    }
    if (record.Flags & kPopAfter)
        Pop();
    else if (record.Flags & kPushAfter)
        stack_.push_back(current_);
    // The keyword-table store is handed the current set at each lookup, so
    // only the start table needs following here.
    if (current_.Words != before.Words)
        ChooseStartTable();
}

void TTokenizer::CacheClasses()
{
    const TSM_CharGroupManager& classes = tables_->Classes;
    classRows_.assign(static_cast<size_t>(classes.Count()), {});
    for (int i = 0; i < classes.Count(); ++i) {
        const TSM_CharGroup& group = classes.Group(i);
        for (int c = 0; c < 256; ++c)
            if (group.Contains(static_cast<uint8_t>(c)))
                classRows_[static_cast<size_t>(i)][static_cast<size_t>(c >> 6)] |= uint64_t{1} << (c & 63);
    }
}

bool TTokenizer::ForeignClass(int classIndex, TCustomEdStream& s) const
{
    return tables_->Classes.Contains(classIndex, s.Current());  // raises "Invalid Set ID"
}

// A routine part of a body (routine number or custom parse). `value` is the
// running token value, which only the custom-parse event may change.
bool TTokenizer::RunRoutine(const TMatcher& m, TCustomEdStream& s, int& length, int& value)
{
    if (m.Custom)
        return owner_.CustomParse(m.Number, s, length, value);
    return RunScanRoutine(m.Number, s, length);
}

bool TTokenizer::TestTerminator(const TTerminator& t, TCustomEdStream& s, int& length)
{
    if (t.Routine) {
        int scratch = 0;
        if (t.Custom)
            return owner_.CustomParse(t.Number, s, length, scratch);
        return RunScanRoutine(t.Number, s, length);
    }
    const int count = t.Count > TTerminator::kMaxClasses ? TTerminator::kMaxClasses : t.Count;
    // Most characters are no terminator's first: answer without moving.
    if (count > 0 && !ClassMatches(t.Classes[0], s))
        return false;
    const int64_t mark = s.Position();
    for (int i = 0; i < count; ++i) {
        if (!ClassMatches(t.Classes[static_cast<size_t>(i)], s)) {
            s.Seek(mark);
            return false;
        }
        s.Advance();
    }
    if (t.Include)
        length += count;
    else
        s.Seek(mark);
    return true;
}

void TTokenizer::SkipBody(const TMatcher& body, const TTerminator& t, TCustomEdStream& s,
                          int& length) const
{
    if (body.Routine || t.Routine || t.Count == 0)
        return;
    const auto bodyIndex = static_cast<size_t>(body.ClassIndex);
    const auto termIndex = static_cast<size_t>(t.Classes[0]);
    if (body.ClassIndex < 0 || t.Classes[0] < 0 || bodyIndex >= classRows_.size() ||
        termIndex >= classRows_.size())
        return;
    const std::array<uint64_t, 4>& inBody = classRows_[bodyIndex];
    const std::array<uint64_t, 4>& startsTerminator = classRows_[termIndex];
    const auto has = [](const std::array<uint64_t, 4>& row, unsigned char c) {
        return ((row[c >> 6] >> (c & 63)) & 1) != 0;
    };
    while (!s.AtEnd()) {
        const unsigned char c = s.Current();
        if (has(startsTerminator, c) || !has(inBody, c))
            return;
        s.Advance();
        ++length;
    }
}

bool TTokenizer::RunHandler(const THandlerRecord& h, TCustomEdStream& s, int& length,
                            int& value)
{
    const bool hasTerminator = h.Terminator.Routine || h.Terminator.Count > 0;
    bool tryTerminator = h.Body.Repeat && hasTerminator;
    bool first = true;
    for (;;) {
        if (tryTerminator) {
            // Runs of body characters that cannot begin the terminator go in
            // one step; the loop below decides at the first other one.
            const int64_t before = s.Position();
            SkipBody(h.Body, h.Terminator, s, length);
            first = first && s.Position() == before;
            if (TestTerminator(h.Terminator, s, length))
                return true;
        }
        tryTerminator = hasTerminator;
        // Text that ends while the body may still go on ends the token; a
        // required first element cannot be found there.
        if (s.AtEnd())
            return h.Body.Repeat || !first;

        const int64_t before = s.Position();
        bool matched = false;
        if (h.Body.Routine && !h.Body.Custom) {
            const int n = h.Body.Number;
            if (n >= kFirstKind && n <= kLastKind)
                return RunScanRoutine(n - kKindToRoutine, s, length);
            matched = n >= 0 && n <= kLastHandlerRoutine && RunScanRoutine(n, s, length);
        } else if (h.Body.Routine) {
            matched = RunRoutine(h.Body, s, length, value);
        } else if (ClassMatches(h.Body.ClassIndex, s)) {
            s.Advance();
            ++length;
            matched = true;
        }
        if (!matched)
            return false;
        // A body that matches without consuming would match forever.
        if (!hasTerminator || s.AtEnd() || s.Position() == before)
            return true;
        first = false;
    }
}

bool TTokenizer::RunRecord(const TTokenRecord& r, TCustomEdStream& s, int64_t start,
                           int& length, int& value)
{
    if (r.Start.Routine) {
        // The routine reads the whole token from its first character.
        s.Seek(start);
        length = 0;
        int scratch = 0;
        const bool ok = r.Start.Custom ? owner_.CustomParse(r.Start.Number, s, length, scratch)
                                       : RunScanRoutine(r.Start.Number, s, length);
        value = r.Token;
        return ok;
    }
    bool tryTerminator = r.Body.Repeat != 0;
    bool first = true;
    for (;;) {
        if (tryTerminator) {
            const int64_t before = s.Position();
            SkipBody(r.Body, r.Terminator, s, length);
            first = first && s.Position() == before;
            if (TestTerminator(r.Terminator, s, length)) {
                value = r.Token;
                return true;
            }
        }
        tryTerminator = true;
        if (s.AtEnd()) {
            value = r.Token;
            return r.Body.Repeat || !first;
        }

        const int64_t before = s.Position();
        bool matched = false;
        if (r.Body.Routine) {
            if (r.Body.Custom) {
                int custom = 0;
                if (!owner_.CustomParse(r.Body.Number, s, length, custom))
                    return false;
                value = custom;
                return true;
            }
            matched = RunScanRoutine(r.Body.Number, s, length);
        } else if (ClassMatches(r.Body.ClassIndex, s)) {
            s.Advance();
            ++length;
            matched = true;
        }
        if (!matched)
            return false;
        if (s.AtEnd() || s.Position() == before) {
            value = r.Token;
            return true;
        }
        first = false;
    }
}

int TTokenizer::ReadToken(TCustomEdStream& s, int& length)
{
    tables_ = &owner_.Tables();
    // Classes added since the last reset (a scheme filled by hand).
    if (classRows_.size() != static_cast<size_t>(tables_->Classes.Count()))
        CacheClasses();
    const int64_t start = s.Position();
    if (s.AtEnd()) {
        length = 0;
        if (containerActive_) {
            current_ = containerSaved_;
            containerActive_ = false;
            ChooseStartTable();
        }
        inContainer_ = busy_ = false;
        return 0;
    }
    const unsigned char c = s.Current();
    const TParserTables& t = *tables_;
    const TSM_Settings& settings = owner_.Settings();
    const bool caseSensitive = t.Words.CaseSensitive();

    // Word lookup: the scheme's words, then the keyword tables. A store
    // with no word for the first character in the current states is not
    // walked at all.
    bool fromKeywordTable = false;
    const TKeywordEntry* word = nullptr;
    if (t.Words.MayStartWith(c, caseSensitive, current_))
        word = t.Words.FindWord(s, caseSensitive, current_, length);
    if (word == nullptr && settings.HasKeywordTables() &&
        settings.KeywordStore().MayStartWith(c, caseSensitive, current_)) {
        s.Seek(start);
        word = settings.KeywordStore().FindWord(s, caseSensitive, current_, length);
        fromKeywordTable = word != nullptr;
    }
    if (word == nullptr) {
        // Where a failed lookup leaves the stream.
        s.Seek(start + 1);
        length = 1;
    }
    int value = word != nullptr ? word->Token : 0;

    // A failed match of any kind leaves the first character as a plain
    // one-character token.
    const auto dropToFirstChar = [&] {
        s.Seek(start + 1);
        length = 1;
        value = 0;
    };

    // Handlers extend words only: a handler entered for token value 0 is
    // not run for text that no word matched.
    if (word != nullptr && value >= 0 && value < 256) {
        if (const auto& handler = t.Handlers[static_cast<size_t>(value)]) {
            if (!RunHandler(*handler, s, length, value)) {
                dropToFirstChar();
                word = nullptr;
                fromKeywordTable = false;
            }
        }
    }
    if (word == nullptr) {
        if (const TTokenRecord* record = t.StartRecord(StartTable(), c);
            record != nullptr && record->Valid.Meets(current_)) {
            if (!RunRecord(*record, s, start, length, value))
                dropToFirstChar();
        }
    }
    // A custom parse may report any value; only 0..255 name token kinds.
    if (value < 0 || value > 255)
        value = 0;

    // Acceptance.
    const std::optional<TTokenStateRecord>& stateRecord = t.StateRecords[static_cast<size_t>(value)];
    bool refused =
        stateRecord.has_value() && !fromKeywordTable && !stateRecord->Valid.Meets(current_);
    if (refused || s.Position() <= start) {
        dropToFirstChar();
        refused = true;
    }
    // The stream is the measure of the token: whatever a routine or a custom
    // handler reported, the editor must step exactly past what was read.
    length = static_cast<int>(s.Position() - start);

    const bool wasActive = containerActive_;
    bool containerToken = false;
    if (!refused && stateRecord.has_value()) {
        const TTokenStateRecord& record = *stateRecord;
        containerToken = record.Container != 0;
        // A container restores the set from before its token at its end.
        if (containerToken && !wasActive)
            containerSaved_ = current_;
        ApplyStateRecord(record);
    }
    if (wasActive) {
        if (s.Position() >= containerEnd_ || s.AtEnd()) {
            current_ = containerSaved_;
            containerActive_ = false;
            ChooseStartTable();
        }
    } else if (containerToken) {
        containerActive_ = true;
        containerEnd_ = s.Position();
        containerValue_ = value;
    }
    inContainer_ = (containerActive_ && s.Position() < containerEnd_) || containerToken;
    busy_ = inContainer_;
    return value;
}

}  // namespace tarnwick
