#include "editor/memo_messages.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>

namespace tarnwick {

namespace {

QString Title()
{
    return QApplication::applicationName();
}

} // namespace

void TMemoMessages::Message(QWidget* owner, const QString& text)
{
    if (Prompt != nullptr) {
        Prompt->ShowMessage(text);
        return;
    }
    QMessageBox::information(owner, Title(), text);
}

void TMemoMessages::ExpressionError(QWidget* owner, const QString& text)
{
    if (Prompt != nullptr) {
        Prompt->ShowError(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, Title(), text, QMessageBox::Ok, owner);
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
        label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    box.exec();
}

bool TMemoMessages::Confirm(QWidget* near, const QString& text)
{
    if (Prompt != nullptr)
        return Prompt->Ask(text, TPromptButtons::YesNo) == TPromptAnswer::Yes;
    QMessageBox box(QMessageBox::Question, Title(), text, QMessageBox::Yes | QMessageBox::No,
                    near);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    if (near != nullptr) {
        box.adjustSize();
        box.move(near->frameGeometry().bottomLeft());
    }
    return box.exec() == QMessageBox::Yes;
}

} // namespace tarnwick
