// Filling the scheme's tables from the section parsers.
#include "scheme/parser_tables.h"

namespace tarnwick {

int TStartTable::OccupiedCount() const
{
    int count = 0;
    for (int32_t slot : Slots)
        count += slot >= 0 ? 1 : 0;
    return count;
}

TParserTables::TParserTables() = default;

void TParserTables::AddWord(std::string_view word, bool caseSensitive, uint8_t token,
                            const TStateSet& states, int followClass)
{
    Words.AddWordWithClass(word, caseSensitive, token, states, followClass);
    std::optional<TTokenStateRecord>& record = StateRecords[token];
    if (!record) {
        record.emplace();
        record->Valid = TStateSet{0};
    }
    record->Valid |= states;
}

TStartTable& TParserTables::TargetTable(int inState)
{
    if (inState < 0)
        return GlobalStart;
    std::unique_ptr<TStartTable>& table = InState[static_cast<size_t>(inState & 0xFF)];
    if (!table) {
        table = std::make_unique<TStartTable>();
        InStateSet.Include(inState & 0xFF);
        NoInStateTables = false;
    }
    return *table;
}

bool TParserTables::AddTokenRecord(const TTokenRecord& record, int startClass, int inState)
{
    const TSM_CharGroup& start = Classes.Group(startClass);
    const TStartTable* existing = inState < 0 ? &GlobalStart : InState[static_cast<size_t>(inState & 0xFF)].get();

    // Check everything first, so a refused entry leaves no partial slots.
    if (existing != nullptr) {
        for (int c = 0; c < 256; ++c)
            if (start.Contains(static_cast<uint8_t>(c)) && existing->Slots[static_cast<size_t>(c)] >= 0)
                return false;
        for (const TCharRange& range : start.Ranges)
            for (const TRangeRecord& taken : existing->Ranges)
                if (range.Low <= taken.High && taken.Low <= range.High)
                    return false;
    }

    std::optional<TTokenStateRecord>& state = StateRecords[record.Token];
    if (!state) {
        state.emplace();
        state->Valid = record.Valid.Empty() ? TStateSet{0} : record.Valid;
    } else {
        state->Valid |= record.Valid;
    }

    TStartTable& table = TargetTable(inState);
    const auto index = static_cast<int32_t>(Records.size());
    Records.push_back(record);
    for (int c = 0; c < 256; ++c)
        if (start.Contains(static_cast<uint8_t>(c)))
            table.Slots[static_cast<size_t>(c)] = index;
    for (const TCharRange& range : start.Ranges)
        table.Ranges.push_back({range.Low, range.High, record});
    return true;
}

bool TParserTables::AddHandler(uint8_t token, const THandlerRecord& handler)
{
    if (Handlers[token])
        return false;
    Handlers[token] = handler;
    return true;
}

TTokenStateRecord& TParserTables::EnsureStateRecord(uint8_t token)
{
    std::optional<TTokenStateRecord>& record = StateRecords[token];
    if (!record) {
        record.emplace();
        record->Valid = TStateSet{0};
    }
    return *record;
}

void TParserTables::AddStateChange(uint8_t token, const TStateSet& added, const TStateSet& removed)
{
    TTokenStateRecord& record = EnsureStateRecord(token);
    record.Added |= added;
    record.Removed |= removed;
    record.NoChange = (record.Added.Empty() && record.Removed.Empty()) ? 1 : 0;
}

void TParserTables::SetPushPop(uint8_t token, uint8_t flag)
{
    TTokenStateRecord& record = EnsureStateRecord(token);
    record.Flags = flag;
    if (flag == kPopAfter) {
        record.Added = {};
        record.Removed = {};
        record.NoChange = 1;
    }
}

void TParserTables::SetContainer(uint8_t token) { EnsureStateRecord(token).Container = 1; }

void TParserTables::FinishCompile()
{
    for (TStateSet& set : ContextSets)
        if (set.Empty())
            set = StartSet;
    NoInStateTables = InStateSet.Empty();
}

}  // namespace tarnwick
