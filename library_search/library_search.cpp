// The library search: the index read once, the texts read in stored order,
// each text searched line-bounded, hits placed and, when asked, filtered by
// token kind.
#include "library_search/library_search.h"

#include "editor/core/search.h"
#include "library/library_format.h"
#include "library/library_journal.h"
#include "library/library_lock.h"
#include "library_search/sequential_texts.h"
#include "library_search/snippet_lines.h"
#include "library_search/token_kinds.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/profile.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_set>

namespace tarnwick {

namespace {

struct TEntry {
    size_t Rank = 0;  // place in the tree
    std::string Category, Title;
    TTextRange Range;
};

// A hit in one text or title, as byte offsets in it.
struct TRawHit {
    int64_t Start = 0, Length = 0;
};

class TSearcher {
public:
    TSearcher(const TLibrarySearchOptions& options, std::function<void(TLibraryHit)> emit)
        : options_(options), emit_(std::move(emit))
    {
        if (options.RegExpr)
            flags_ |= srchRegExpr;
        else {
            if (options.MatchCase)
                flags_ |= srchMatchCase;
            if (options.WholeWord)
                flags_ |= srchWholeWord;
        }
        // A line break in the pattern could only match across lines.
        empty_ = options.Pattern.empty() || options.Pattern.find_first_of("\r\n") != std::string::npos;
        // Without "^" or "$" an expression matches the same inside one line
        // as inside the whole text, so one run over the text finds the next
        // line worth searching.
        wholeTextFirst_ = options.Pattern.find_first_of("^$") == std::string::npos;
        if (options.RegExpr && !options.Pattern.empty())
            engine_.Parser().CompileOrThrow(options.Pattern);
        if (options.Tokens != TTokenFilter::Any) {
            if (options.Scheme == nullptr)
                throw Exception("A token filter needs a scheme");
            tokens_ = std::make_unique<TSnippetTokens>(*options.Scheme);
        }
    }

    bool SearchesTitles() const
    {
        return options_.Scope != TSearchScope::Texts && options_.Tokens == TTokenFilter::Any;
    }
    bool SearchesTexts() const { return options_.Scope != TSearchScope::Titles; }

    void Title(const TEntry& entry)
    {
        if (empty_)
            return;
        for (const TRawHit& hit : FindInLine(entry.Title)) {
            TLibraryHit out{entry.Category, entry.Title, 0, hit.Start + 1, entry.Title, hit.Start, hit.Length, -1};
            emit_(std::move(out));
        }
    }

    void Text(const TEntry& entry, std::string_view text)
    {
        if (empty_ || text.empty())
            return;
        std::vector<TLibraryHit> hits;
        TLineWalker lines(text);
        auto place = [&](int64_t start, int64_t length) {
            lines.MoveTo(static_cast<size_t>(start));
            const int64_t column = start - static_cast<int64_t>(lines.Start());
            hits.push_back({entry.Category, entry.Title, lines.Number(), column + 1, std::string(lines.Text()), column,
                            length, lines.EditorStart() + column});
        };
        if (options_.RegExpr)
            FindExpression(text, lines, hits, entry);
        else
            FindPlain(text, place);
        if (hits.empty())
            return;
        if (tokens_) {
            tokens_->Load(text);
            const TTokenKind kind = options_.Tokens == TTokenFilter::Comment  ? TTokenKind::Comment
                                    : options_.Tokens == TTokenFilter::String ? TTokenKind::String
                                                                              : TTokenKind::Code;
            std::erase_if(hits, [&](const TLibraryHit& hit) {
                return !tokens_->AllOf(hit.EditorOffset, hit.HitLength, kind);
            });
        }
        for (TLibraryHit& hit : hits)
            emit_(std::move(hit));
    }

private:
    template <typename Place>
    void FindPlain(std::string_view text, Place&& place)
    {
        const TStringSearchSource source(text);
        for (int64_t from = 0; from < source.Length();) {
            const TSearchHit hit = engine_.FindFrom(source, flags_, options_.Pattern, from);
            if (!hit.Found())
                break;
            place(hit.Start, hit.Length);
            from = hit.Start + hit.Length;
        }
    }

    // Every non-empty match inside one line, not overlapping.
    std::vector<TRawHit> FindInLine(std::string_view line)
    {
        std::vector<TRawHit> found;
        const TStringSearchSource source(line);
        const int64_t n = source.Length();
        for (int64_t from = 0; from <= n;) {
            const TSearchHit hit = engine_.FindFrom(source, flags_, options_.Pattern, from);
            if (!hit.Found())
                break;
            if (hit.Length > 0)
                found.push_back({hit.Start, hit.Length});
            from = hit.Start + std::max<int64_t>(hit.Length, 1);
        }
        return found;
    }

    void FindExpression(std::string_view text, TLineWalker& lines, std::vector<TLibraryHit>& hits,
                        const TEntry& entry)
    {
        const TStringSearchSource source(text);
        for (;;) {
            if (wholeTextFirst_) {
                const TSearchHit next =
                    engine_.FindFrom(source, flags_, options_.Pattern, static_cast<int64_t>(lines.Start()));
                if (!next.Found())
                    return;
                lines.MoveTo(static_cast<size_t>(next.Start));
            }
            for (const TRawHit& hit : FindInLine(lines.Text()))
                hits.push_back({entry.Category, entry.Title, lines.Number(), hit.Start + 1, std::string(lines.Text()),
                                hit.Start, hit.Length, lines.EditorStart() + hit.Start});
            if (!lines.Next())
                return;
        }
    }

    const TLibrarySearchOptions& options_;
    std::function<void(TLibraryHit)> emit_;
    TSearchEngine engine_;
    int flags_ = srchNoDialog;
    bool empty_ = false;
    bool wholeTextFirst_ = false;
    std::unique_ptr<TSnippetTokens> tokens_;
};

// The index's titles in tree order (Rank), with their ranges; titles whose
// value cannot be read go to `problems` instead. The titles are those reads
// can reach (as ReadableTitles lists them: a category's first section only,
// a title's first occurrence only), found in one pass over the values and
// one sort that both ranks them and brings a title's repeats next to it, so
// that a large index costs no lookup per title.
std::vector<TEntry> ReadEntries(const TIniDocument& index, std::vector<std::string>& problems)
{
    struct TFound {
        std::string Category, Title, Value, Key;
    };
    std::vector<TFound> found;
    std::unordered_set<std::string> categories;
    const char* section = nullptr;
    bool reachable = false;
    index.ForEachValue([&](std::string_view category, std::string_view title, std::string_view value) {
        // Each section's name is one string, so its address tells the sections apart.
        if (category.data() != section) {
            section = category.data();
            reachable = categories.insert(UpperCaseAscii(category)).second;
        }
        if (reachable)
            found.push_back({std::string(category), std::string(title), std::string(value), TitleKey(category, title)});
    });
    std::vector<size_t> order(found.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return found[a].Key < found[b].Key; });
    std::vector<size_t> rank(found.size(), SIZE_MAX);
    for (size_t i = 0, next = 0; i < order.size(); ++i)
        if (i == 0 || found[order[i]].Key != found[order[i - 1]].Key)
            rank[order[i]] = next++;

    std::vector<TEntry> entries;
    entries.reserve(found.size());
    for (size_t i = 0; i < found.size(); ++i) {
        if (rank[i] == SIZE_MAX)
            continue;  // a repeated title: reads never reach it
        TFound& f = found[i];
        TEntry entry{rank[i], std::move(f.Category), std::move(f.Title), {}};
        try {
            if (!f.Value.empty())
                entry.Range = ParseRange(f.Value);
            if (entry.Range.start < 0 || entry.Range.end < entry.Range.start)
                throw Exception("'" + f.Value + "' is not a valid text range");
        } catch (const Exception& error) {
            problems.push_back("[" + entry.Category + "] " + entry.Title + ": " + error.what());
            continue;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool Cancelled(const TLibrarySearchOptions& options)
{
    return options.Cancel != nullptr && options.Cancel->load(std::memory_order_relaxed);
}

}  // namespace

TLibrarySearchResult SearchLibrary(const std::string& indexFileName, const TLibrarySearchOptions& options,
                                   const std::function<void(const TLibraryHit&)>& onHit)
{
    TLibrarySearchResult result;
    std::vector<std::pair<size_t, TLibraryHit>> ranked;
    size_t rank = 0;
    TSearcher searcher(options, [&](TLibraryHit hit) {
        if (onHit)
            onHit(hit);
        ranked.emplace_back(rank, std::move(hit));
    });

    const TLibraryFiles files = TLibraryFiles::For(indexFileName);
    const TLibraryLock lock(files, TLockKind::Shared);
    std::string bytes;
    TryReadWholeFile(files.index, bytes);  // a missing index file is an empty library
    std::vector<TEntry> entries = ReadEntries(TIniDocument(bytes), result.Problems);
    std::sort(entries.begin(), entries.end(),
              [](const TEntry& a, const TEntry& b) { return a.Range.start < b.Range.start; });

    const bool needData = searcher.SearchesTexts() &&
                          std::any_of(entries.begin(), entries.end(), [](const TEntry& e) { return e.Range.Length() > 0; });
    std::optional<TFile> data;
    std::optional<TSequentialTexts> texts;
    if (needData) {
        data.emplace(files.data, TFileMode::Read);
        texts.emplace(*data);
    }
    for (const TEntry& entry : entries) {
        if (Cancelled(options)) {
            result.Cancelled = true;
            break;
        }
        rank = entry.Rank;
        if (searcher.SearchesTitles())
            searcher.Title(entry);
        if (texts && entry.Range.Length() > 0) {
            try {
                searcher.Text(entry, texts->Read(entry.Range));
            } catch (const ERegExpr&) {
                throw;
            } catch (const EInOutError&) {
                throw;
            } catch (const Exception& error) {
                // The tokenizer gave up on this text; the others may still be fine.
                result.Problems.push_back("[" + entry.Category + "] " + entry.Title + ": " + error.what());
            }
        }
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    result.Hits.reserve(ranked.size());
    for (auto& [_, hit] : ranked)
        result.Hits.push_back(std::move(hit));
    return result;
}

}  // namespace tarnwick
