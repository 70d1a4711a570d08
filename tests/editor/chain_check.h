// Test helpers for the editor's record chain: the records as strings, and a
// check of every structural promise the chain makes.
#pragma once

#include "editor/core/code_memo_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick::test {

inline std::vector<std::string> Records(const TCodeMemoModel& model)
{
    std::vector<std::string> out;
    for (const TLineRec* rec = model.First(); rec != nullptr; rec = rec->Next)
        out.emplace_back(rec->View());
    return out;
}

inline std::vector<size_t> RecordLengths(const TCodeMemoModel& model)
{
    std::vector<size_t> out;
    for (const TLineRec* rec = model.First(); rec != nullptr; rec = rec->Next)
        out.push_back(rec->Len);
    return out;
}

// Lengths add up, records hold at most 2047 characters, only the last may
// lack a CR unless the next one is marked as its continuation, links agree,
// and the counts match.
inline void ExpectConsistent(const TCodeMemoModel& model)
{
    int64_t chars = 0;
    int64_t count = 0;
    const TLineRec* prev = nullptr;
    for (const TLineRec* rec = model.First(); rec != nullptr; rec = rec->Next) {
        EXPECT_EQ(rec->Prev, prev);
        EXPECT_GT(rec->Len, 0);
        EXPECT_LE(rec->Len, kMaxRecordLen);
        EXPECT_EQ(rec->Text[rec->Len], '\0');
        const std::string_view body = rec->View().substr(0, rec->Len - 1);
        EXPECT_EQ(body.find('\r'), std::string_view::npos) << "CR inside record " << count;
        const bool cont = prev != nullptr && !prev->EndsWithCR();
        EXPECT_EQ(rec->IsContinuation(), cont) << "record " << count;
        EXPECT_EQ(rec->HasTab(), rec->View().find('\t') != std::string_view::npos);
        chars += rec->Len;
        ++count;
        prev = rec;
    }
    EXPECT_EQ(chars, model.CharCount());
    EXPECT_EQ(count, model.RecordCount());
}

}  // namespace tarnwick::test
