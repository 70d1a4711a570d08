// TQtClipboard: the system clipboard as the editor model sees it
// (TCodeMemoClipboard). Texts cross the boundary in code page 1252; what
// Copy puts on the clipboard (plain text, and RTF under "text/rtf" and
// "Rich Text Format") is gathered into one mime-data object, so a later
// format does not push out an earlier one. A paste reads plain text, or
// HTML from "text/html" or a raw "HTML Format" block.
#pragma once

#include "editor/core/code_memo_host.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>
#include <string_view>

class QMimeData;

namespace tarnwick {

// The mime types a copy or a drag offers the selection's RTF under, and the
// raw HTML block a paste also reads.
inline constexpr const char* kMimeRtf = "text/rtf";
inline constexpr const char* kMimeRtfNamed = "Rich Text Format";
inline constexpr const char* kMimeHtmlNamed = "HTML Format";

// Text from another program in the code page: a character the code page
// lacks becomes its look-alike with accents and compatibility forms taken
// off ("ā" → "a", "ﬁ" → "fi"), and only when none exists "?". Text that
// fits the code page is unchanged.
std::string ImportedText(const QString& text);

// Puts code-page text (CR LF line ends), when given, and RTF, when not
// empty, into a mime-data object.
void FillMimeData(QMimeData& data, std::optional<std::string_view> text, std::string_view rtf);

class TQtClipboard final : public TCodeMemoClipboard {
public:
    bool HasText() const override;
    bool HasHtml() const override;
    std::string Text() const override;
    std::string Html() const override;
    void Clear() override;
    void PutText(std::string_view text) override;
    void PutRtf(std::string_view rtf) override;

private:
    void Publish();

    std::string text_;
    std::string rtf_;
    bool hasText_ = false;
};

} // namespace tarnwick
