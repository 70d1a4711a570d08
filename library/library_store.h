// TLibraryStore: every operation that changes a library (append, save, remove,
// rename, move, delete a category, commit an import).
//
// Each operation opens what it needs, works and closes it again; nothing is
// cached between calls. It first finishes or rolls back an operation that
// was interrupted earlier, then works out the whole change in memory and
// replaces the files through the journal protocol of library_journal.h: after
// any failure or crash the library is either as it was before the operation
// or as it is after it. A value that is not two decimal numbers stops an
// operation with "'%s' is not a valid integer value" before anything changed.
// An operation that writes the data file refuses, before anything changed, a
// damaged library in which a title it keeps points past the data file's end
// (the message names `tarnwick-cli library check`); removing, re-saving or
// re-pointing the damaged titles themselves, and index-only changes, still
// work, so the library can be mended.
//
// Names (categories, titles) are matched as the index file matches them:
// trimmed, ignoring ASCII letter case.
#pragma once

#include "library/library_host.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick {

class TLibraryStore {
public:
    // `indexFileName` is the current library (a stored name, resolved on each
    // call). The host receives status texts and window notifications.
    explicit TLibraryStore(std::string indexFileName, TLibraryHost& host = NullLibraryHost());

    const std::string& IndexFileName() const { return indexFileName_; }
    void SetIndexFileName(std::string indexFileName) { indexFileName_ = std::move(indexFileName); }

    // Appends `text` and CR LF to the data file (created when missing) and
    // points the title at it: value start;start+length, overwriting any value
    // it had (its old text stays in the data file, unreferenced).
    void AppendSnippet(const std::string& category, const std::string& title,
                       const std::string& text, const std::string& dataFileName,
                       const std::string& indexFileName);
    // As AppendSnippet, with the data file named after the index file.
    void AppendImported(const std::string& category, const std::string& title,
                        const std::string& text, const std::string& indexFileName);

    // Cuts bytes [start, end) out of the current library's data file (the CR LF
    // after them stays), lowers by `length` every value whose start lies above
    // `start`, and deletes the title's key. `length` must equal end - start.
    // The data file must exist. A range outside the data file cuts nothing:
    // only the key is deleted.
    void RemoveSnippetText(const std::string& title, const std::string& category,
                           int64_t start, int64_t end, int64_t length);

    // Replaces the title's text: a title without a key, with "0;0" or with an
    // empty value gets the text appended; otherwise the old text is removed and
    // the new one appended, in one rebuild of the data file. The Save command
    // uses this directly; SaveSnippet (auto-save) also disables Undo, shows
    // "category title" in status panel 1 and clears the dirty flag.
    void StoreText(const std::string& category, const std::string& title,
                   const std::string& text);
    void SaveSnippet(const std::string& category, const std::string& title,
                     const std::string& text);

    // Copies every key of the old category, in order, into the new one and
    // erases the old one. A key whose value reads as "NO_INFO" stops the copy
    // there: keys copied so far stay in both, the old category is kept, and
    // false is returned. Refused (nothing changes) when the new category
    // already holds a title of the old one, or the new name is empty. A
    // rename that changes only letter case respells the category (it moves
    // to the end of the file).
    bool RenameCategory(const std::string& oldName, const std::string& newName);

    // Renames the key; a title without a key becomes "0;0" under the new name.
    // Refused when the new title already exists in the category or is empty.
    // A change of letter case only respells the key (it moves to the end of
    // its category).
    void RenameTitle(const std::string& category, const std::string& oldTitle,
                     const std::string& newTitle);

    // Moves the key to the other category; nothing when both names are the
    // same (also when they differ only in letter case: one category). A title
    // without a key arrives as "0;0". Refused when the target already holds the
    // title.
    void MoveTitle(const std::string& oldCategory, const std::string& title,
                   const std::string& newCategory);

    // Removes every text of the category (in one rebuild, with the same bytes
    // as removing them one by one), erases the section, and has the host
    // delete the selected tree node and refresh the counts.
    void DeleteCategory(const std::string& category, const std::string& indexFileName);

    // Carries out the import list: records of seven ";"-separated fields
    // (target category, target title, source start, source end, source index
    // file, source category, source title). Each source text is read as
    // ReadSnippet reads it and appended to the current library; all records
    // are committed together or not at all. A record whose source title no
    // longer has a key is skipped (nothing would be imported for it, and
    // writing an empty text would overwrite the target). Then the settings
    // are applied again. Returns the skipped records, in list order.
    std::vector<std::string> CommitImport(const std::vector<std::string>& records);

private:
    std::string indexFileName_;
    TLibraryHost& host_;
};

}  // namespace tarnwick
