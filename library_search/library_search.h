// Searching one library: its titles, its texts or both, for a plain text
// (the editor's Horspool search, with its case and whole-word rules) or a
// regular expression (the editor's TREParser), optionally keeping only the
// hits that lie wholly inside comments, strings or the rest of the code as
// a scheme's tokenizer sees the snippet.
//
// Hits never run across a line break (a hit is found within one line, so
// "^" and "$" are that line's ends) nor across the end of a snippet's text.
// The texts are read from the data file once, in the order they are stored,
// a few megabytes at a time: the library is never held in memory whole. A
// title whose value cannot be read is reported once and the search goes on
// with the rest. The whole search runs under the library's shared lock.
//
// Left open by the editor's own rules and chosen here: a regular expression
// always matches case and ignores whole words (as in the editor); empty
// matches are not reported; plain hits do not overlap.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarnwick {

class TCodeMemoParser;

enum class TSearchScope { Titles, Texts, Both };
enum class TTokenFilter { Any, Comment, String, Code };

struct TLibrarySearchOptions {
    std::string Pattern;
    bool RegExpr = false;
    bool MatchCase = false;
    bool WholeWord = false;
    TSearchScope Scope = TSearchScope::Texts;
    // Anything but Any needs Scheme; it applies to text hits, so titles are
    // then not searched.
    TTokenFilter Tokens = TTokenFilter::Any;
    TCodeMemoParser* Scheme = nullptr;  // used by this search alone while it runs
    // Polled between snippets; when it turns true the search stops.
    const std::atomic<bool>* Cancel = nullptr;
};

struct TLibraryHit {
    std::string Category, Title;
    // From 1; 0 is the title itself.
    int64_t Line = 0;
    // From 1, in characters of the line (a TAB is one).
    int64_t Column = 0;
    // The line (or the title) without its line break, and the hit in it:
    // [HitStart, HitStart + HitLength).
    std::string LineText;
    int64_t HitStart = 0;
    int64_t HitLength = 0;
    // The hit's start in the editor's text of the snippet (a line break is
    // one CR), for selecting it there; -1 for a title.
    int64_t EditorOffset = -1;
};

struct TLibrarySearchResult {
    // In the order of the tree: categories, then titles, sorted without
    // regard to ASCII letter case; within a snippet the title first, then by
    // position.
    std::vector<TLibraryHit> Hits;
    // One line per unreadable title: "[category] title: what is wrong".
    std::vector<std::string> Problems;
    bool Cancelled = false;
};

// Raises ERegExpr for a bad expression (before anything is read), "File not
// found" when texts are searched, some title has one and the data file is
// missing, and the lock's and the file layer's errors. A pattern holding a
// line break finds nothing. `onHit`, when given, sees each hit as it is
// found (in data-file order), before the result is sorted.
TLibrarySearchResult SearchLibrary(const std::string& indexFileName, const TLibrarySearchOptions& options,
                                   const std::function<void(const TLibraryHit&)>& onHit = {});

}  // namespace tarnwick
