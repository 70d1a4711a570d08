// TQtClipboard: the system clipboard as the editor model sees it
// (TCodeMemoClipboard). Texts cross the boundary in code page 1252; what
// Copy puts on the clipboard (plain text, and RTF under "text/rtf" and
// "Rich Text Format") is gathered into one mime-data object, so a later
// format does not push out an earlier one.
#pragma once

#include "editor/core/code_memo_host.h"

#include <QByteArray>
#include <QString>

namespace tarnwick {

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

    QString text_;
    QByteArray rtf_;
    bool hasText_ = false;
};

} // namespace tarnwick
