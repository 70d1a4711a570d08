// THelpWindow: the program's help viewer. The help is one HTML document
// shipped beside the program (Tarnwick.html); the window shows it in a text
// browser, opened at its contents (the anchor "contents") or at its index
// (the anchor "index"), with buttons to go back to either and to step back
// and forward through the links followed. Links to other sites open in the
// desktop's browser.
//
// One help window serves a main window: asking again for a topic reuses the
// open one and brings it to the front.
#pragma once

#include <QUrl>
#include <QWidget>

#include <filesystem>

class QTextBrowser;

namespace tarnwick {

enum class THelpTopic { Contents, Index };

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    // Shows `document` at `topic` in the help window of `owner`, creating it
    // when there is none yet. Returns null (and shows nothing) when the
    // document does not exist.
    static THelpWindow* ShowTopic(QWidget* owner, const std::filesystem::path& document,
                                  THelpTopic topic);

    // The anchor name of `topic` in the document.
    static QString TopicAnchor(THelpTopic topic);

    QTextBrowser* Browser() const { return browser_; }

private:
    explicit THelpWindow(QWidget* owner);
    void Open(const std::filesystem::path& document, THelpTopic topic);
    void GoTo(THelpTopic topic);

    QTextBrowser* browser_ = nullptr;
    QUrl document_;
};

}  // namespace tarnwick
