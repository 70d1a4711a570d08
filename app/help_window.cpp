#include "app/help_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tarnwick {

THelpWindow::THelpWindow(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Tarnwick Help"));
    resize(640, 560);

    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    auto* index = new QPushButton(QStringLiteral("&Index"), this);
    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    auto* forward = new QPushButton(QStringLiteral("&Forward"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QPushButton::clicked, this, [this] { GoTo(THelpTopic::Contents); });
    connect(index, &QPushButton::clicked, this, [this] { GoTo(THelpTopic::Index); });
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {contents, index, back, forward}) {
        button->setFocusPolicy(Qt::TabFocus);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
}

QString THelpWindow::TopicAnchor(THelpTopic topic)
{
    return topic == THelpTopic::Index ? QStringLiteral("index") : QStringLiteral("contents");
}

THelpWindow* THelpWindow::ShowTopic(QWidget* owner, const std::filesystem::path& document,
                                    THelpTopic topic)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(document, ec))
        return nullptr;
    auto* window = owner ? owner->findChild<THelpWindow*>(QString(), Qt::FindDirectChildrenOnly)
                         : nullptr;
    if (!window)
        window = new THelpWindow(owner);
    window->Open(document, topic);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void THelpWindow::Open(const std::filesystem::path& document, THelpTopic topic)
{
    document_ = QUrl::fromLocalFile(QString::fromStdString(document.string()));
    GoTo(topic);
}

void THelpWindow::GoTo(THelpTopic topic)
{
    QUrl target = document_;
    target.setFragment(TopicAnchor(topic));
    browser_->setSource(target);
}

}  // namespace tarnwick
