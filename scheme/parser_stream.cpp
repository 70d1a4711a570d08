// Writing and reading the payload of a compiled scheme.
#include "scheme/parser_stream.h"

#include <bitset>

namespace tarnwick {

namespace {

// Smallest stream forms, used to check counts against the input.
constexpr size_t kClassBytes = TSet256::kBytes + 4 + 1;
constexpr size_t kSetBytes = TStateSet::kBytes;
constexpr size_t kMatcherBytes = 1 + kClassBytes + 1;
constexpr size_t kTerminatorBytes = 3;
constexpr size_t kRecordBytes = kMatcherBytes + kSetBytes + kMatcherBytes + kTerminatorBytes + 1;
constexpr size_t kHandlerBytes = 1 + kMatcherBytes + kTerminatorBytes;
constexpr size_t kContextBytes = 1 + kSetBytes;
constexpr size_t kStateRecordBytes = 1 + 3 * kSetBytes + 3;
constexpr size_t kRangeBytes = 4 + kRecordBytes;
constexpr size_t kSlotBytes = 1 + kRecordBytes + 4;
constexpr size_t kInStateBytes = 1 + 4;

// ---- writing ----

void WriteMatcher(TSMStreamWriter& out, const TSM_CharGroupManager& classes, const TMatcher& m)
{
    out.U8(m.Repeat);
    classes.WriteGroup(out, m.ClassIndex);
    out.U8(m.Routine);
    if (m.Routine != 0) {
        out.U8(m.Custom);
        out.I32(m.Number);
    }
}

void WriteTerminator(TSMStreamWriter& out, const TSM_CharGroupManager& classes,
                     const TTerminator& t)
{
    out.U8(t.Include);
    out.U8(t.Routine);
    if (t.Routine != 0) {
        out.U8(t.Custom);
        out.I32(t.Number);
        return;
    }
    const int count = t.Count > TTerminator::kMaxClasses ? TTerminator::kMaxClasses : t.Count;
    out.U8(static_cast<uint8_t>(count));
    for (int i = 0; i < count; ++i)
        classes.WriteGroup(out, t.Classes[static_cast<size_t>(i)]);
}

void WriteRecord(TSMStreamWriter& out, const TSM_CharGroupManager& classes, const TTokenRecord& r)
{
    WriteMatcher(out, classes, r.Start);
    out.StateSet(r.Valid);
    WriteMatcher(out, classes, r.Body);
    WriteTerminator(out, classes, r.Terminator);
    out.U8(r.Token);
}

void WriteRanges(TSMStreamWriter& out, const TSM_CharGroupManager& classes,
                 const std::vector<TRangeRecord>& ranges)
{
    out.I32(static_cast<int32_t>(ranges.size()));
    for (const TRangeRecord& range : ranges) {
        out.U16(range.Low);
        out.U16(range.High);
        WriteRecord(out, classes, range.Record);
    }
}

// ---- reading ----

TMatcher ReadMatcher(TSMStreamReader& in, TSM_CharGroupManager& classes)
{
    TMatcher m;
    m.Repeat = in.U8();
    m.ClassIndex = classes.ReadGroup(in);
    m.Routine = in.U8();
    if (m.Routine != 0) {
        m.Custom = in.U8();
        m.Number = in.I32();
        // A routine part has no class; it was written as the empty one.
        if (classes.IsEmptyGroup(m.ClassIndex))
            m.ClassIndex = kNoClass;
    }
    return m;
}

TTerminator ReadTerminator(TSMStreamReader& in, TSM_CharGroupManager& classes)
{
    TTerminator t;
    t.Include = in.U8();
    t.Routine = in.U8();
    if (t.Routine != 0) {
        t.Custom = in.U8();
        t.Number = in.I32();
        return t;
    }
    t.Count = in.U8();
    if (t.Count > TTerminator::kMaxClasses)
        throw EReadError();
    for (int i = 0; i < t.Count; ++i)
        t.Classes[static_cast<size_t>(i)] = classes.ReadGroup(in);
    return t;
}

TTokenRecord ReadRecord(TSMStreamReader& in, TSM_CharGroupManager& classes)
{
    TTokenRecord r;
    r.Start = ReadMatcher(in, classes);
    r.Valid = in.StateSet();
    r.Body = ReadMatcher(in, classes);
    r.Terminator = ReadTerminator(in, classes);
    r.Token = in.U8();
    return r;
}

std::vector<TRangeRecord> ReadRanges(TSMStreamReader& in, TSM_CharGroupManager& classes)
{
    const int32_t count = in.Count(kRangeBytes);
    std::vector<TRangeRecord> ranges;
    ranges.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        TRangeRecord range;
        range.Low = in.U16();
        range.High = in.U16();
        if (range.Low > range.High)
            throw EReadError();
        range.Record = ReadRecord(in, classes);
        ranges.push_back(std::move(range));
    }
    return ranges;
}

// Reads `count` slots of (character, record) into `table`, each character
// at most once; returns the range list read after the last slot.
void ReadSlots(TSMStreamReader& in, TParserTables& tables, TStartTable& table, int32_t count,
               bool withRanges)
{
    for (int32_t i = 0; i < count; ++i) {
        const uint8_t c = in.U8();
        if (table.Slots[c] >= 0)
            throw EReadError();
        const auto index = static_cast<int32_t>(tables.Records.size());
        tables.Records.push_back(ReadRecord(in, tables.Classes));
        table.Slots[c] = index;
        if (withRanges)
            table.Ranges = ReadRanges(in, tables.Classes);
    }
}

}  // namespace

void WriteSchemePayload(const TSM_Settings& settings, const TParserTables& tables,
                        TSMStreamWriter& out, int version)
{
    const TSM_CharGroupManager& classes = tables.Classes;
    settings.WriteToStream(out, version);
    tables.Words.WriteToStream(out);

    int32_t handlers = 0;
    for (const auto& handler : tables.Handlers)
        handlers += handler ? 1 : 0;
    out.I32(handlers);
    for (int v = 0; v < 256; ++v) {
        const auto& handler = tables.Handlers[static_cast<size_t>(v)];
        if (!handler)
            continue;
        out.U8(static_cast<uint8_t>(v));
        WriteMatcher(out, classes, handler->Body);
        WriteTerminator(out, classes, handler->Terminator);
    }

    out.I32(tables.GlobalStart.OccupiedCount());
    for (int c = 0; c < 256; ++c) {
        if (const TTokenRecord* record = tables.StartRecord(tables.GlobalStart, static_cast<uint8_t>(c))) {
            out.U8(static_cast<uint8_t>(c));
            WriteRecord(out, classes, *record);
        }
    }

    // A scheme never compiled has empty context sets, which differ from the
    // start set: all 256 are written.
    int32_t contexts = 0;
    for (const TStateSet& set : tables.ContextSets)
        contexts += set == tables.StartSet ? 0 : 1;
    out.I32(contexts);
    for (int v = 0; v < 256; ++v) {
        const TStateSet& set = tables.ContextSets[static_cast<size_t>(v)];
        if (set == tables.StartSet)
            continue;
        out.U8(static_cast<uint8_t>(v));
        out.StateSet(set);
    }

    int32_t states = 0;
    for (const auto& record : tables.StateRecords)
        states += record ? 1 : 0;
    out.I32(states);
    for (int v = 0; v < 256; ++v) {
        const auto& record = tables.StateRecords[static_cast<size_t>(v)];
        if (!record)
            continue;
        out.U8(static_cast<uint8_t>(v));
        out.StateSet(record->Valid);
        out.StateSet(record->Added);
        out.StateSet(record->Removed);
        out.U8(record->Container);
        out.U8(record->NoChange);
        out.U8(record->Flags);
    }

    int32_t inStateTables = 0;
    for (const auto& table : tables.InState)
        inStateTables += table ? 1 : 0;
    out.I32(inStateTables);
    for (int s = 0; s < 256; ++s) {
        const TStartTable* table = tables.InState[static_cast<size_t>(s)].get();
        if (table == nullptr)
            continue;
        out.U8(static_cast<uint8_t>(s));
        out.I32(table->OccupiedCount());
        for (int c = 0; c < 256; ++c) {
            if (const TTokenRecord* record = tables.StartRecord(*table, static_cast<uint8_t>(c))) {
                out.U8(static_cast<uint8_t>(c));
                WriteRecord(out, classes, *record);
                // The stored form repeats the table's range list after every
                // slot; readers keep the last copy.
                WriteRanges(out, classes, table->Ranges);
            }
        }
    }

    out.StateSet(tables.AnchorSet);
    out.StateSet(tables.BoundSet);
    out.StateSet(tables.StartSet);
    out.U8(tables.CustomParse);
}

void ReadSchemePayload(TSM_Settings& settings, TParserTables& tables, TSMStreamReader& in,
                       int version)
{
    settings.ReadFromStream(in, version);
    tables.Words.ReadFromStream(in);

    const int32_t handlers = in.Count(kHandlerBytes);
    for (int32_t i = 0; i < handlers; ++i) {
        const uint8_t v = in.U8();
        if (tables.Handlers[v])
            throw EReadError();
        THandlerRecord handler;
        handler.Body = ReadMatcher(in, tables.Classes);
        handler.Terminator = ReadTerminator(in, tables.Classes);
        tables.Handlers[v] = handler;
    }

    ReadSlots(in, tables, tables.GlobalStart, in.Count(1 + kRecordBytes), false);

    const int32_t contexts = in.Count(kContextBytes);
    std::bitset<256> listed;
    for (int32_t i = 0; i < contexts; ++i) {
        const uint8_t v = in.U8();
        if (listed.test(v))
            throw EReadError();
        listed.set(v);
        tables.ContextSets[v] = in.StateSet();
    }

    const int32_t states = in.Count(kStateRecordBytes);
    for (int32_t i = 0; i < states; ++i) {
        const uint8_t v = in.U8();
        if (tables.StateRecords[v])
            throw EReadError();
        TTokenStateRecord record;
        record.Valid = in.StateSet();
        record.Added = in.StateSet();
        record.Removed = in.StateSet();
        record.Container = in.U8();
        record.NoChange = in.U8();
        record.Flags = in.U8();
        tables.StateRecords[v] = record;
    }

    const int32_t inStateTables = in.Count(kInStateBytes);
    for (int32_t i = 0; i < inStateTables; ++i) {
        const uint8_t s = in.U8();
        if (tables.InState[s])
            throw EReadError();
        tables.InState[s] = std::make_unique<TStartTable>();
        tables.InStateSet.Include(s);
        ReadSlots(in, tables, *tables.InState[s], in.Count(kSlotBytes), true);
    }

    tables.AnchorSet = in.StateSet();
    tables.BoundSet = in.StateSet();
    tables.StartSet = in.StateSet();
    tables.CustomParse = in.U8();

    // Unlisted context values were equal to the start set when written.
    for (int v = 0; v < 256; ++v)
        if (!listed.test(static_cast<size_t>(v)))
            tables.ContextSets[static_cast<size_t>(v)] = tables.StartSet;
    tables.NoInStateTables = tables.InStateSet.Empty();
}

}  // namespace tarnwick
