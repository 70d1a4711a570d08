#include "app/about_box.h"

#include "app/application.h"
#include "chrome/credits_panel.h"
#include "chrome/hyperlink_label.h"
#include "chrome/toolbar_icons.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace tarnwick {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Tarnwick"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto* picture = new QLabel(this);
    picture->setPixmap(ToolbarIcon(TToolbarPicture::About).pixmap(48, 48));
    auto* name = new QLabel(QString::fromLatin1(TApplication::kTitle), this);
    QFont nameFont = name->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.3);
    name->setFont(nameFont);
    auto* purpose = new QLabel(QStringLiteral("A code-snippet manager"), this);
    auto* built = new QLabel(QStringLiteral("Built ") + BuildDateText(), this);
    built->setObjectName(QStringLiteral("BuildDate"));

    const QString web = QString::fromLatin1(kWebAddress);
    const QString mail = QString::fromLatin1(kMailAddress);
    webLink_ = new THyperlinkLabel(QUrl(web).host(), web, this);
    mailLink_ = new THyperlinkLabel(QUrl(mail).path(), mail, this);
    for (THyperlinkLabel* link : {webLink_, mailLink_})
        connect(link, &THyperlinkLabel::Activated, this,
                [](const QString& address) { QDesktopServices::openUrl(QUrl(address)); });

    credits_ = new TCreditsPanel(this);
    credits_->setObjectName(QStringLiteral("Credits"));
    credits_->setMinimumSize(260, 110);
    credits_->setToolTip(QStringLiteral("Click to copy the web address"));
    credits_->SetLines(CreditLines());
    connect(credits_, &TCreditsPanel::Clicked, this, &TAboutBox::CreditsClick);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &TAboutBox::OkClick);

    auto* texts = new QVBoxLayout;
    for (QWidget* widget : {static_cast<QWidget*>(name), static_cast<QWidget*>(purpose),
                            static_cast<QWidget*>(built), static_cast<QWidget*>(webLink_),
                            static_cast<QWidget*>(mailLink_)})
        texts->addWidget(widget);
    auto* head = new QHBoxLayout;
    head->addWidget(picture, 0, Qt::AlignTop);
    head->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(credits_, 1);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

QStringList TAboutBox::CreditLines()
{
    return {
        QString::fromLatin1(TApplication::kTitle),
        QStringLiteral("Written by the Tarnwick project"),
        QString(),
        QStringLiteral("Built with"),
        QStringLiteral("Qt %1 (Widgets, Print Support)").arg(QString::fromLatin1(qVersion())),
        QStringLiteral("under the GNU LGPL version 3"),
        QStringLiteral("The C++ standard library"),
        QStringLiteral("of the compiler's runtime"),
        QString(),
        QStringLiteral("Schemes, help and sample library"),
        QStringLiteral("by the Tarnwick project"),
        QString(),
        QStringLiteral("Click here to copy the address"),
        QString::fromLatin1(kWebAddress),
    };
}

QString TAboutBox::BuildDateText() const
{
    return locale().toString(BuildDate(), QLocale::ShortFormat);
}

void TAboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!credits_->Running())
        credits_->Start();
}

// However the box goes (OK, Escape, the window's close button), the credits
// stop with it.
void TAboutBox::hideEvent(QHideEvent* event)
{
    credits_->Stop();
    QDialog::hideEvent(event);
}

void TAboutBox::OkClick()
{
    close();
}

void TAboutBox::CreditsClick()
{
    QGuiApplication::clipboard()->setText(QString::fromLatin1(kWebAddress));
}

}  // namespace tarnwick
