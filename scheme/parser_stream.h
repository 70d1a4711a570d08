// The payload of a compiled scheme: the settings block followed by the
// scheme's tables, before compression. All integers little-endian; a set is
// 32 bytes; a class is written in full wherever a record refers to one.
//
//   1. settings block (TSM_Settings, in the format of the stream version);
//   2. reserved words (TSyntaxKeywords: case flag, count, words, a 0 byte);
//   3. handlers: 32-bit count; per handler 8-bit token value, body matcher,
//      terminator;
//   4. global start table: 32-bit count of occupied slots; per slot in
//      character order 8-bit character, token record;
//   5. context sets: 32-bit count of the values whose set differs from the
//      start set; per value 8-bit value, set;
//   6. token state records: 32-bit count; per record 8-bit token value, sets
//      valid, added, removed, 8-bit container, no-change and push/pop flags;
//   7. in-state tables: 32-bit count; per state 8-bit state, 32-bit count of
//      occupied slots; per slot 8-bit character, token record, and then the
//      table's range list (32-bit count; per range 16-bit low, 16-bit high,
//      token record) — the same list after every slot;
//   8. sets anchor, bound, start; 9. 8-bit custom-parse flag.
//
// Matcher: 8-bit repeat flag, class, 8-bit routine flag; when set, 8-bit
// custom flag and 32-bit routine number or parse id.
// Terminator: 8-bit include flag, 8-bit routine flag; when set, 8-bit custom
// flag and 32-bit number; otherwise 8-bit count 0..4 and that many classes.
// Token record: start matcher, set valid, body matcher, terminator, 8-bit
// token value.
//
// The reader checks every count, index and flag against the input before
// using it: counts larger than what the remaining bytes could hold, a
// character, token value or state given twice, a terminator with more than
// four classes or a word token outside 0..255 raise EReadError ("Stream
// read error"); a short input raises it too. Nothing is read past the end.
#pragma once

#include "editor/core/sm_settings.h"
#include "editor/core/sm_stream.h"
#include "scheme/parser_tables.h"

namespace tarnwick {

// Writes the payload; the settings block in the format of `version`.
// Raises "Invalid Set ID (%d)" for a record that names a class the tables do
// not hold.
void WriteSchemePayload(const TSM_Settings& settings, const TParserTables& tables,
                        TSMStreamWriter& stream, int version);

// Reads a payload into freshly reset `settings` and `tables`, in the format
// of `version` (50: no gutter font). On failure the objects hold whatever was
// read so far; the caller resets them. Context values the payload does not
// list get the start set, so that writing the tables again reproduces the
// payload. Bytes after the payload are left unread.
void ReadSchemePayload(TSM_Settings& settings, TParserTables& tables, TSMStreamReader& stream,
                       int version);

}  // namespace tarnwick
