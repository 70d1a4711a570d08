// Input normalisation for every block of text that enters the editor, and
// the chunking rule that keeps line-break pairs whole.
//
// Stored text knows one line break, a single CR. On the way in, CR LF and
// LF CR pairs become one CR, a lone LF becomes CR, TAB and bytes 32..255 are
// kept and every other byte below 32 (NUL included) becomes '.'.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnwick {

// Size of the pieces large inputs are processed in.
inline constexpr size_t kInsertChunk = 8192;

// Appends the normalised form of `in` to `out` (which is cleared first).
void NormaliseInput(std::string_view in, std::string& out);
std::string NormaliseInput(std::string_view in);

// The length of the first chunk of `text` of at most `limit` bytes. The
// chunk is cut one byte earlier when it would end between the two halves of
// a CR LF or LF CR pair, so that the pair travels in the next chunk and still
// counts as one break. Never 0 for a non-empty text with limit >= 2.
size_t SafeChunkLength(std::string_view text, size_t limit = kInsertChunk);

}  // namespace tarnwick
