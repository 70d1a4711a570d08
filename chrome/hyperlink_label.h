// THyperlinkLabel: a label drawn as a link (underlined, link colour, hand
// cursor) that reports a left click with its address. What a click does —
// open a browser, start a mail — is the owner's choice.
#pragma once

#include <QLabel>

namespace tarnwick {

class THyperlinkLabel : public QLabel {
    Q_OBJECT
public:
    THyperlinkLabel(const QString& caption, const QString& address, QWidget* parent = nullptr);

    const QString& Address() const { return address_; }

signals:
    void Activated(const QString& address);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString address_;
};

}  // namespace tarnwick
