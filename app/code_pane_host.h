// TCodePaneHost: the code pane of the main window, as the window sees it.
//
// The window needs only a few things of the pane: show a title's text, empty
// it, read the text back, know whether the user changed it, and count its
// lines for the status bar. Those are the whole interface here, so that the
// control behind it can change without touching the window.
//
// Texts are code-page bytes, as the library stores them. SetText accepts
// CR LF, lone CR or LF line ends; Text returns the lines joined by CR LF.
//
// Behind the interface sits the editor control, TCodeMemo, with the window's
// initial control settings.
#pragma once

#include <QFrame>

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

class TCodeMemo;

class TCodePaneHost : public QFrame {
    Q_OBJECT
public:
    explicit TCodePaneHost(QWidget* parent = nullptr);

    // Replaces the whole text; the pane counts as unchanged afterwards.
    void SetText(std::string_view text);
    void Clear();
    std::string Text() const;
    // The length of Text(), without building it.
    int64_t TextLength() const;
    // Whether the text was changed since the last SetText or Clear.
    bool Modified() const;
    // At least 1: an empty text is one empty line.
    int64_t LineCount() const;

    // The widget that takes the focus and shows the text.
    QWidget* View() const;
    // The editor control itself, for its scheme slots.
    TCodeMemo& Editor() const { return *view_; }

private:
    TCodeMemo* view_;
};

}  // namespace tarnwick
