#include "editor/core/model_search_source.h"

namespace tarnwick {

std::string_view TModelSearchSource::PieceAt(int64_t offset, int64_t& pieceStart) const
{
    // FindLine starts from the model's most recent lookup, so a searcher
    // walking forwards or backwards pays one step per record.
    const TLineLoc loc = model_.FindLine(offset);
    pieceStart = loc.Start;
    return loc.Rec != nullptr ? loc.Rec->View() : std::string_view{};
}

}  // namespace tarnwick
