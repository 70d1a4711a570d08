// TAboutBox: the About window, shown without blocking the main window. It
// names the program, its version and build date, offers two links for
// reaching the project (its web site and its mail address) and runs a
// panel of credits that scrolls from the moment the box is shown until OK
// is pressed. A click on the credits panel puts the web address on the
// clipboard. The box frees itself when it closes.
#pragma once

#include <QDate>
#include <QDialog>

class QPushButton;

namespace tarnwick {

class TCreditsPanel;
class THyperlinkLabel;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    // The project has no site of its own yet; the reserved example domain
    // stands for it until it has.
    static constexpr const char* kWebAddress = "https://tarnwick.example.org/";
    static constexpr const char* kMailAddress = "mailto:tarnwick@example.org";

    explicit TAboutBox(QWidget* parent = nullptr);

    // The day version 2.41 was built; shown as the user's short date.
    static QDate BuildDate() { return QDate(1999, 4, 18); }
    // The credits, line by line: the project and the libraries the program
    // is built on, with their licences.
    static QStringList CreditLines();

    TCreditsPanel* Credits() const { return credits_; }
    THyperlinkLabel* WebLink() const { return webLink_; }
    THyperlinkLabel* MailLink() const { return mailLink_; }
    QPushButton* OkButton() const { return ok_; }
    // The build date as the box shows it.
    QString BuildDateText() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void OkClick();
    void CreditsClick();

    TCreditsPanel* credits_ = nullptr;
    THyperlinkLabel* webLink_ = nullptr;
    THyperlinkLabel* mailLink_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace tarnwick
