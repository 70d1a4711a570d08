// Loading and saving the text model, and the selection writers' set-up.
#include "editor/core/code_memo_model.h"

#include "editor/core/code_memo_errors.h"
#include "editor/core/memo_options.h"
#include "editor/core/text_normalise.h"
#include "platform/file_io.h"
#include "platform/file_names.h"

#include <ctime>
#include <istream>
#include <iterator>
#include <ostream>

namespace tarnwick {

namespace {

std::string CurrentDateText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[64];
    const size_t n = std::strftime(buffer, sizeof buffer, "%x %X", &local);
    return std::string(buffer, n);
}

TWriteKind KindOf(TSaveFormat format)
{
    switch (format) {
    case sfRTF: return wkRTF;
    case sfHTML: return wkHTML;
    case sfUNIX: return wkLF;
    default: return wkCRLF;
    }
}

std::filesystem::path LocalPath(const std::string& name)
{
    const std::filesystem::path direct(name);
    return FileExists(direct) ? direct : ResolveFileName(name);
}

}  // namespace

TSelectionWriter TCodeMemoModel::MakeWriter() const
{
    TSelectionWriter writer;
    writer.Highlighter = highlighter_;
    writer.FontName = FontName;
    writer.FontSize = FontSize;
    writer.Title = DocTitle;
    writer.DateText = DateText ? DateText() : CurrentDateText();
    return writer;
}

std::string TCodeMemoModel::WriteSelection(TWriteKind kind)
{
    if ((kind == wkHTML || kind == wkRTF) && highlighter_ != nullptr)
        highlighter_->ColourLines(store_->First());
    const TLineLoc at = FindLine(SelStart());
    return MakeWriter().Write(at.Rec, at.Start, SelStart(), SelEnd(), kind);
}

void TCodeMemoModel::LoadFromText(std::string_view bytes)
{
    BeginUpdate();
    TExportHighlighter* highlighter = highlighter_;
    highlighter_ = nullptr;
    const bool wasLogging = logging_;
    logging_ = false;
    try {
        // The old text goes first, so that an empty input leaves an empty
        // text rather than the previous one.
        if (charCount_ > 0)
            ClearAll();
        size_t pos = 0;
        while (pos < bytes.size()) {
            const size_t n = SafeChunkLength(bytes.substr(pos));
            RawInsertAtCaret(bytes.substr(pos, n));
            pos += n;
        }
    } catch (const std::bad_alloc&) {
        highlighter_ = highlighter;
        logging_ = wasLogging;
        EndUpdate();
        throw ECodeMemo(kMsgNoMemory);
    }
    for (TLineRec* rec = store_->First(); rec != nullptr; rec = rec->Next) {
        rec->Attrs.reset();
        rec->Flags |= lfRepaint | lfRecolour;
    }
    highlighter_ = highlighter;
    logging_ = wasLogging;
    anchor_ = caret_ = 0;
    SetTopLine(0);
    ClearUndo();
    MarkChanged(0);
    EndUpdate();
}

void TCodeMemoModel::LoadFromStream(std::istream& stream)
{
    const std::string bytes((std::istreambuf_iterator<char>(stream)),
                            std::istreambuf_iterator<char>());
    LoadFromText(bytes);
}

void TCodeMemoModel::LoadFromFile(const std::string& name)
{
    std::string bytes;
    try {
        TFile file(LocalPath(name), TFileMode::Read);
        const int64_t size = file.Size();
        bytes.resize(static_cast<size_t>(size > 0 ? size : 0));
        bytes.resize(file.Read(bytes.data(), bytes.size()));
    } catch (const EInOutError&) {
        RaiseCannotOpenForReading(name);
    }
    LoadFromText(bytes);
    if (Options & smoTitleAsFilename)
        DocTitle = name;
}

void TCodeMemoModel::SaveToStream(std::ostream* stream)
{
    if (stream == nullptr)
        throw ECodeMemoSave(kMsgBadStream);
    const TWriteKind kind = KindOf(SaveFormat);
    if ((kind == wkHTML || kind == wkRTF) && highlighter_ != nullptr)
        highlighter_->ColourLines(store_->First());
    const std::string bytes = MakeWriter().Write(store_->First(), 0, 0, charCount_, kind);
    const std::ostream::pos_type start = stream->tellp();
    bool saved = false;
    for (int attempt = 0; attempt < 4 && !saved; ++attempt) {
        if (attempt > 0) {
            stream->clear();
            if (start != std::ostream::pos_type(-1))
                stream->seekp(start);
        }
        size_t written = 0;
        if (SaveSink) {
            written = SaveSink(*stream, bytes);
        } else {
            stream->write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            stream->flush();
            written = stream->good() ? bytes.size() : 0;
        }
        // Every byte must arrive; a short write is never taken for a save.
        saved = written >= bytes.size();
    }
    if (!saved)
        throw ECodeMemoSave(kMsgCouldNotSave);
    ClearUndo();
    MarkChanged(-1);
    FireChange();
}

void TCodeMemoModel::SaveToFile(const std::string& name)
{
    const TWriteKind kind = KindOf(SaveFormat);
    if ((kind == wkHTML || kind == wkRTF) && highlighter_ != nullptr)
        highlighter_->ColourLines(store_->First());
    if (Options & smoTitleAsFilename)
        DocTitle = name;
    const std::string bytes = MakeWriter().Write(store_->First(), 0, 0, charCount_, kind);
    std::filesystem::path path = LocalPath(name);
    for (int attempt = 0;; ++attempt) {
        try {
            WriteFileAtomically(path, bytes);
            break;
        } catch (const EInOutError&) {
            if (attempt == 3)
                throw;
        }
    }
    ClearUndo();
    MarkChanged(-1);
    FireChange();
}

}  // namespace tarnwick
