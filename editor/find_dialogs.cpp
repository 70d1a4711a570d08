#include "editor/find_dialogs.h"

#include "editor/core/search.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tarnwick {

TSearchDialog::TSearchDialog(TKind kind, QWidget* parent) : QDialog(parent), kind_(kind)
{
    setWindowTitle(kind == skFind ? QStringLiteral("Find") : QStringLiteral("Replace"));
    setModal(false);

    auto* fields = new QFormLayout;
    findEdit_ = new QLineEdit(this);
    fields->addRow(QStringLiteral("Fi&nd what:"), findEdit_);
    if (kind == skReplace) {
        replaceEdit_ = new QLineEdit(this);
        fields->addRow(QStringLiteral("Re&place with:"), replaceEdit_);
    }
    wholeWord_ = new QCheckBox(QStringLiteral("Match &whole word only"), this);
    matchCase_ = new QCheckBox(QStringLiteral("Match &case"), this);
    regExpr_ = new QCheckBox(QStringLiteral("Regular e&xpression"), this);
    auto* options = new QVBoxLayout;
    options->addWidget(wholeWord_);
    options->addWidget(matchCase_);
    options->addWidget(regExpr_);
    auto* lower = new QHBoxLayout;
    lower->addLayout(options);
    if (kind == skFind) {
        auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
        up_ = new QRadioButton(QStringLiteral("&Up"), direction);
        down_ = new QRadioButton(QStringLiteral("&Down"), direction);
        down_->setChecked(true);
        auto* box = new QHBoxLayout(direction);
        box->addWidget(up_);
        box->addWidget(down_);
        lower->addWidget(direction);
    }
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(lower);

    auto* buttons = new QVBoxLayout;
    findNext_ = new QPushButton(QStringLiteral("&Find Next"), this);
    findNext_->setDefault(true);
    buttons->addWidget(findNext_);
    connect(findNext_, &QPushButton::clicked, this, &TSearchDialog::FindNextClicked);
    if (kind == skReplace) {
        replace_ = new QPushButton(QStringLiteral("&Replace"), this);
        replaceAll_ = new QPushButton(QStringLiteral("Replace &All"), this);
        buttons->addWidget(replace_);
        buttons->addWidget(replaceAll_);
        connect(replace_, &QPushButton::clicked, this, &TSearchDialog::ReplaceClicked);
        connect(replaceAll_, &QPushButton::clicked, this, &TSearchDialog::ReplaceAllClicked);
    }
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    buttons->addWidget(cancel);
    buttons->addStretch();
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(buttons);
    connect(findEdit_, &QLineEdit::textChanged, this, &TSearchDialog::UpdateButtons);
    UpdateButtons();
}

void TSearchDialog::UpdateButtons()
{
    const bool any = !findEdit_->text().isEmpty();
    for (QPushButton* button : {findNext_, replace_, replaceAll_})
        if (button != nullptr)
            button->setEnabled(any);
}

void TSearchDialog::Load(const TSearchRequest& request)
{
    findEdit_->setText(request.Text);
    findEdit_->selectAll();
    if (replaceEdit_ != nullptr)
        replaceEdit_->setText(request.Replacement);
    wholeWord_->setChecked((request.Flags & srchWholeWord) != 0);
    matchCase_->setChecked((request.Flags & srchMatchCase) != 0);
    regExpr_->setChecked((request.Flags & srchRegExpr) != 0);
    if (up_ != nullptr) {
        up_->setChecked((request.Flags & srchBackwards) != 0);
        down_->setChecked((request.Flags & srchBackwards) == 0);
    }
}

TSearchRequest TSearchDialog::Request() const
{
    TSearchRequest request;
    request.Text = findEdit_->text();
    if (replaceEdit_ != nullptr)
        request.Replacement = replaceEdit_->text();
    if (wholeWord_->isChecked())
        request.Flags |= srchWholeWord;
    if (matchCase_->isChecked())
        request.Flags |= srchMatchCase;
    if (regExpr_->isChecked())
        request.Flags |= srchRegExpr;
    if (up_ != nullptr && up_->isChecked())
        request.Flags |= srchBackwards;
    return request;
}

} // namespace tarnwick
