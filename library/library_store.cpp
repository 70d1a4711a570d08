// The store operations, each one transaction on the library's files.
#include "library/library_store.h"

#include "library/library_format.h"
#include "library/library_journal.h"
#include "library/removal_plan.h"
#include "platform/ascii_text.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/file_names.h"

#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <unordered_set>

namespace tarnwick {

TLibraryHost& NullLibraryHost()
{
    static TLibraryHost host;
    return host;
}

namespace {

constexpr size_t kUnlimited = std::numeric_limits<size_t>::max();

void CheckName(const char* what, const std::string& name)
{
    if (Trimmed(name).empty())
        throw Exception(std::string("The ") + what + " name must not be empty");
    if (name.find_first_of("\r\n") != std::string::npos)
        throw Exception(std::string("The ") + what + " name must not contain a line break");
}

void Write(TLibraryTransaction& tx, std::string_view category, std::string_view title,
           std::string_view value)
{
    if (!tx.Index().WriteString(category, title, value))
        RaiseUnableToWrite(tx.Files().indexName);
}

// The distinct keys of a category in file order (a key listed twice is one
// key to every read and write).
std::vector<std::string> DistinctKeys(const TIniDocument& index, std::string_view category)
{
    std::vector<std::string> keys;
    std::unordered_set<std::string> seen;
    for (std::string& key : index.Keys(category, kUnlimited))
        if (seen.insert(UpperCaseAscii(key)).second)
            keys.push_back(std::move(key));
    return keys;
}

// True when `value` is a range that runs past a data file of `size` bytes. A
// value that is no range at all is left to the reads that fail on it.
bool PointsPastEnd(std::string_view value, int64_t size)
{
    int32_t start = 0, end = 0;
    return TryParseInt32(GetField(value, ";", 0), start) &&
           TryParseInt32(GetField(value, ";", 1), end) && !TTextRange{start, end}.Fits(size);
}

// Writing the data file of a damaged library makes it worse: a title whose
// range runs past the data file's end would afterwards read bytes of other
// texts (a rebuild lowers it into them, an append fills the space it points
// at). So before anything changes, an operation that writes the data file
// refuses when any title it keeps has such a range. `spared` tells the titles
// the operation removes or re-points, whose old ranges are never read again.
template <class Spared>
void RefuseDamagedLibrary(const TLibraryTransaction& tx, int64_t dataSize, Spared&& spared)
{
    // A quick scan of every value first; only a library with such a value is
    // walked title by title as reads see it. Reads cut a value to the read
    // buffer, so a value that long is a suspect too: cut, it may parse.
    bool suspect = false;
    tx.Index().ForEachValue([&](std::string_view, std::string_view, std::string_view value) {
        suspect = suspect || value.size() >= kProfileValueBuffer - 1 ||
                  PointsPastEnd(value, dataSize);
    });
    if (!suspect)
        return;
    for (const TTitleValue& title : ReadableTitles(tx.Index())) {
        if (spared(title.category, title.title) || !PointsPastEnd(title.value, dataSize))
            continue;
        throw Exception("The library " + tx.Files().indexName + " is damaged: [" +
                        title.category + "] " + title.title + " points at " + title.value +
                        ", past the end of the data file (" + std::to_string(dataSize) +
                        " bytes). Nothing was changed; run tarnwick-cli library check " +
                        tx.Files().indexName + " to see every fault");
    }
}

// Spares the one title an operation removes, replaces or re-points.
auto Only(std::string_view category, std::string_view title)
{
    return [key = TitleKey(category, title)](const std::string& c, const std::string& t) {
        return TitleKey(c, t) == key;
    };
}

int64_t ExistingDataSize(const TLibraryTransaction& tx)
{
    const std::optional<int64_t> size = tx.DataSize();
    if (!size)
        RaiseFileNotFound();
    return *size;
}

// Appends one text inside an open append transaction and points the title at it.
void AppendOne(TLibraryTransaction& tx, std::string_view category, std::string_view title,
               std::string_view text)
{
    const int64_t start = tx.AppendOffset();
    tx.AppendText(text);
    Write(tx, category, title, FormatRange(start, start + int64_t(text.size())));
}

}  // namespace

TLibraryStore::TLibraryStore(std::string indexFileName, TLibraryHost& host)
    : indexFileName_(std::move(indexFileName)), host_(host)
{
}

void TLibraryStore::AppendSnippet(const std::string& category, const std::string& title,
                                  const std::string& text, const std::string& dataFileName,
                                  const std::string& indexFileName)
{
    CheckName("category", category);
    CheckName("title", title);
    TLibraryTransaction tx(TLibraryFiles::For(indexFileName, dataFileName));
    RefuseDamagedLibrary(tx, tx.DataSize().value_or(0), Only(category, title));
    tx.BeginAppend();
    AppendOne(tx, category, title, text);
    tx.CommitAppend();
}

void TLibraryStore::AppendImported(const std::string& category, const std::string& title,
                                   const std::string& text, const std::string& indexFileName)
{
    AppendSnippet(category, title, text, DataFileName(indexFileName), indexFileName);
}

void TLibraryStore::RemoveSnippetText(const std::string& title, const std::string& category,
                                      int64_t start, int64_t end, int64_t length)
{
    if (length != end - start)
        throw Exception("The length " + std::to_string(length) + " does not match the range " +
                        FormatRange(start, end));
    TLibraryTransaction tx(TLibraryFiles::For(indexFileName_));
    const int64_t dataSize = ExistingDataSize(tx);
    TRemovalPlan plan(tx.Index(), dataSize);
    plan.Remove(category, title, TTextRange{start, end});
    if (plan.DataChanged())
        RefuseDamagedLibrary(tx, dataSize, Only(category, title));
    plan.Apply(tx.Index());
    if (plan.DataChanged())
        tx.CommitRebuild(plan.Pieces(), {});
    else
        tx.CommitIndex();
}

void TLibraryStore::StoreText(const std::string& category, const std::string& title,
                              const std::string& text)
{
    CheckName("category", category);
    CheckName("title", title);
    TLibraryTransaction tx(TLibraryFiles::For(indexFileName_));
    const std::string value = tx.Index().ReadString(category, title, kNoInfo);
    // An empty value (written by older moves of titles that had no key)
    // holds no text, like "0;0": there is nothing to remove.
    if (value == kNoInfo || value == kEmptyValue || value.empty()) {
        RefuseDamagedLibrary(tx, tx.DataSize().value_or(0), Only(category, title));
        tx.BeginAppend();
        AppendOne(tx, category, title, text);
        tx.CommitAppend();
        return;
    }
    const TTextRange old = ParseRange(value);
    const int64_t dataSize = ExistingDataSize(tx);
    RefuseDamagedLibrary(tx, dataSize, Only(category, title));
    TRemovalPlan plan(tx.Index(), dataSize);
    plan.Remove(category, title, old);
    plan.Apply(tx.Index());
    const int64_t start = plan.DataSize();
    CheckDataFileLimit(start + int64_t(text.size()), tx.Files().data);
    Write(tx, category, title, FormatRange(start, start + int64_t(text.size())));
    std::vector<TPiece> pieces = plan.Pieces();
    tx.CommitRebuild(pieces, {text});
}

void TLibraryStore::SaveSnippet(const std::string& category, const std::string& title,
                                const std::string& text)
{
    StoreText(category, title, text);
    host_.DisableUndo();
    host_.SetStatusText(1, category + " " + title);
    host_.ClearDirty();
}

bool TLibraryStore::RenameCategory(const std::string& oldName, const std::string& newName)
{
    if (oldName == newName)
        return true;
    CheckName("category", newName);
    TLibraryTransaction tx(TLibraryFiles::For(indexFileName_));
    bool completed = true;
    TIniDocument& index = tx.Index();
    const std::vector<std::string> keys = DistinctKeys(index, oldName);
    const bool sameSection = SameTextAscii(Trimmed(oldName), Trimmed(newName));
    if (!sameSection) {
        for (const std::string& key : keys)
            if (index.Find(newName, key))
                throw Exception("The category " + newName + " already holds a title " + key);
    }
    std::vector<std::pair<std::string, std::string>> copied;
    for (const std::string& key : keys) {
        std::string value = index.ReadString(oldName, key, kNoInfo);
        if (value == kNoInfo) {
            completed = false;
            break;
        }
        if (!sameSection)
            Write(tx, newName, key, value);
        copied.emplace_back(key, std::move(value));
    }
    if (completed) {
        index.EraseSection(oldName);
        // Only letter case changes: the keys, taken out with the old
        // section, come back under the new spelling.
        if (sameSection)
            for (const auto& [key, value] : copied)
                Write(tx, newName, key, value);
    }
    tx.CommitIndex();
    return completed;
}

void TLibraryStore::RenameTitle(const std::string& category, const std::string& oldTitle,
                                const std::string& newTitle)
{
    if (oldTitle == newTitle)
        return;
    CheckName("title", newTitle);
    TLibraryTransaction tx(TLibraryFiles::For(indexFileName_));
    TIniDocument& index = tx.Index();
    const bool sameKey = SameTextAscii(Trimmed(oldTitle), Trimmed(newTitle));
    if (!sameKey && index.Find(category, newTitle))
        throw Exception("The category " + category + " already holds a title " + newTitle);
    const std::string value = index.ReadString(category, oldTitle, kNoInfo);
    if (value == kNoInfo) {
        Write(tx, category, newTitle, kEmptyValue);
    } else if (sameKey) {
        // Writing the new spelling would only update the old line; delete
        // it first so the key is written anew with the spelling asked for.
        index.DeleteKey(category, oldTitle);
        Write(tx, category, newTitle, value);
    } else {
        Write(tx, category, newTitle, value);
        index.DeleteKey(category, oldTitle);
    }
    tx.CommitIndex();
}

void TLibraryStore::MoveTitle(const std::string& oldCategory, const std::string& title,
                              const std::string& newCategory)
{
    // Names that differ in letter case only are one section: writing into it
    // and then deleting from it would lose the title.
    if (oldCategory == newCategory || SameTextAscii(Trimmed(oldCategory), Trimmed(newCategory)))
        return;
    CheckName("category", newCategory);
    TLibraryTransaction tx(TLibraryFiles::For(indexFileName_));
    TIniDocument& index = tx.Index();
    if (index.Find(newCategory, title))
        throw Exception("The category " + newCategory + " already holds a title " + title);
    const std::optional<std::string> found = index.Find(oldCategory, title);
    const std::string value =
        found ? index.ReadString(oldCategory, title, "") : std::string(kEmptyValue);
    Write(tx, newCategory, title, value);
    index.DeleteKey(oldCategory, title);
    tx.CommitIndex();
}

void TLibraryStore::DeleteCategory(const std::string& category, const std::string& indexFileName)
{
    TLibraryTransaction tx(TLibraryFiles::For(indexFileName));
    TIniDocument& index = tx.Index();
    const std::vector<std::string> keys = DistinctKeys(index, category);
    std::optional<TRemovalPlan> plan;
    const int64_t dataSize = keys.empty() ? 0 : ExistingDataSize(tx);
    if (!keys.empty())
        plan.emplace(index, dataSize);
    for (const std::string& key : keys) {
        host_.SetStatusText(0, host_.LanguageString(0));
        const std::optional<TTextRange> range = plan->Range(category, key);
        // A title with an empty value has no text to cut; its key goes
        // with the section.
        plan->Remove(category, key, range.value_or(TTextRange{-1, -1}));
    }
    if (plan && plan->DataChanged())
        RefuseDamagedLibrary(tx, dataSize, [&](const std::string& c, const std::string&) {
            return SameTextAscii(Trimmed(c), Trimmed(category));
        });
    if (plan)
        plan->Apply(index);
    index.EraseSection(category);
    if (plan && plan->DataChanged())
        tx.CommitRebuild(plan->Pieces(), {});
    else
        tx.CommitIndex();
    host_.DeleteSelectedNode();
    host_.RefreshCounts();
}

namespace {

struct TImportRecord {
    std::string category, title, sourceIndex, sourceCategory, sourceTitle;
};

TImportRecord ParseImportRecord(const std::string& record)
{
    const auto field = [&](int n) { return std::string(GetField(record, ";", n)); };
    TImportRecord parsed{field(0), field(1), field(4), field(5), field(6)};
    if (Trimmed(parsed.category).empty() || Trimmed(parsed.title).empty() ||
        parsed.sourceIndex.empty() || record.find_first_of("\r\n") != std::string::npos)
        throw Exception("The import record '" + record + "' is not complete");
    return parsed;
}

// A source library opened once for the whole import. The current library is
// read from the transaction's own index, so that a record importing from it
// sees what earlier records of the same import wrote; another library is read
// under its shared lock, held until the import ends.
struct TImportSource {
    std::unique_ptr<TLibraryLock> lock;
    std::unique_ptr<TIniDocument> ownIndex;
    const TIniDocument* index = nullptr;
    std::filesystem::path data;
    std::unique_ptr<TFile> dataFile;

    TFile& Data()
    {
        if (!dataFile)
            dataFile = std::make_unique<TFile>(data, TFileMode::Read);
        return *dataFile;
    }
};

}  // namespace

std::vector<std::string> TLibraryStore::CommitImport(const std::vector<std::string>& records)
{
    std::vector<std::string> skipped;
    const std::string panel0 = host_.StatusText(0);
    const std::string panel1 = host_.StatusText(1);
    auto restorePanels = [&] {
        host_.SetStatusText(0, panel0);
        host_.SetStatusText(1, panel1);
    };
    try {
        if (!records.empty()) {
            std::vector<TImportRecord> parsed;
            parsed.reserve(records.size());
            for (const std::string& record : records)
                parsed.push_back(ParseImportRecord(record));

            TLibraryTransaction tx(TLibraryFiles::For(indexFileName_));
            std::map<std::filesystem::path, TImportSource> sources;
            RefuseDamagedLibrary(tx, tx.DataSize().value_or(0),
                                 [](const std::string&, const std::string&) { return false; });
            tx.BeginAppend();
            for (size_t i = 0; i < parsed.size(); ++i) {
                const TImportRecord& record = parsed[i];
                const std::filesystem::path sourcePath = ResolveFileName(record.sourceIndex);
                auto [it, fresh] = sources.try_emplace(sourcePath);
                TImportSource& source = it->second;
                if (fresh) {
                    if (sourcePath == tx.Files().index) {
                        source.index = &tx.Index();
                        source.data = tx.Files().data;
                    } else {
                        source.lock = std::make_unique<TLibraryLock>(
                            TLibraryFiles::For(record.sourceIndex), TLockKind::Shared);
                        source.ownIndex =
                            std::make_unique<TIniDocument>(TIniDocument::Load(sourcePath));
                        source.index = source.ownIndex.get();
                        source.data = ResolveFileName(DataFileName(record.sourceIndex));
                    }
                }
                if (source.index->Find(record.sourceCategory, record.sourceTitle)) {
                    const std::string value =
                        source.index->ReadString(record.sourceCategory, record.sourceTitle, "");
                    std::string text;
                    if (!value.empty())
                        text = ReadTextRange(source.Data(), ParseRange(value));
                    AppendOne(tx, record.category, record.title, text);
                } else {
                    skipped.push_back(records[i]);
                }
                host_.SetStatusText(0, host_.LanguageString(12));
                host_.SetStatusText(1, record.category + "=");
                host_.ProcessMessages();
            }
            tx.CommitAppend();
        }
    } catch (...) {
        restorePanels();
        throw;
    }
    restorePanels();
    host_.LoadSettings();
    return skipped;
}

}  // namespace tarnwick
