// The editor's text as the searchers see it: one line record's characters per
// piece, so a search over the control's text never copies it.
#pragma once

#include "editor/core/code_memo_model.h"
#include "editor/core/search_source.h"

namespace tarnwick {

class TModelSearchSource final : public TSearchSource {
public:
    // The model must outlive the source; pieces stay valid until its text changes.
    explicit TModelSearchSource(const TCodeMemoModel& model) : model_(model) {}

    int64_t Length() const override { return model_.CharCount(); }
    std::string_view PieceAt(int64_t offset, int64_t& pieceStart) const override;

private:
    const TCodeMemoModel& model_;
};

}  // namespace tarnwick
