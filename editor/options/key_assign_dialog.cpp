// The key-assignment wizard.
#include "editor/options/key_assign_dialog.h"

#include "editor/options/key_capture_edit.h"
#include "editor/options/option_texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace tarnwick {

namespace {

const char* const kFirstInstruction =
    "Press the first key combination until the correct key sequence appears then press the "
    "NEXT button";
const char* const kSecondInstruction =
    "If the key sequence requires a 2nd key press then enter the key now. Press the FINISH "
    "button to accept changes";

}  // namespace

TKeyAssignDialog::TKeyAssignDialog(TShortCut first, TShortCut second, QWidget* parent)
    : QDialog(parent),
      first_(new TKeyCaptureEdit(false, this)),
      second_(new TKeyCaptureEdit(true, this)),
      steps_(new QStackedWidget(this)),
      back_(new QPushButton(QStringLiteral("< Back"), this)),
      next_(new QPushButton(this)),
      cancel_(new QPushButton(OptionText(sidCancel), this))
{
    setWindowTitle(OptionText(sidPageKeys));
    steps_->addWidget(MakeStep(QString::fromLatin1(kFirstInstruction), first_));
    steps_->addWidget(MakeStep(QString::fromLatin1(kSecondInstruction), second_));
    first_->SetShortCut(first);
    second_->SetShortCut(second);

    // The buttons take no focus, so that Tab and Return reach the key box.
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {back_, next_, cancel_}) {
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(button);
    }
    auto* column = new QVBoxLayout(this);
    column->addWidget(steps_);
    column->addLayout(buttons);

    connect(back_, &QPushButton::clicked, this, [this] { GoTo(1); });
    connect(next_, &QPushButton::clicked, this, &TKeyAssignDialog::NextClicked);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(first_, &TKeyCaptureEdit::ShortCutChanged, this, &TKeyAssignDialog::UpdateButtons);
    GoTo(1);
}

QWidget* TKeyAssignDialog::MakeStep(const QString& instruction, TKeyCaptureEdit* box)
{
    auto* step = new QWidget(this);
    auto* text = new QLabel(instruction, step);
    text->setWordWrap(true);
    text->setMinimumWidth(320);
    auto* clear = new QPushButton(QStringLiteral("Clear"), step);
    clear->setAutoDefault(false);
    clear->setFocusPolicy(Qt::NoFocus);
    connect(clear, &QPushButton::clicked, box, [box] { box->Clear(); });
    auto* row = new QHBoxLayout;
    row->addWidget(box, 1);
    row->addWidget(clear);
    auto* column = new QVBoxLayout(step);
    column->addWidget(text);
    column->addLayout(row);
    column->addStretch();
    return step;
}

std::optional<std::pair<TShortCut, TShortCut>> TKeyAssignDialog::Run(TShortCut first,
                                                                    TShortCut second,
                                                                    QWidget* parent)
{
    TKeyAssignDialog wizard(first, second, parent);
    if (wizard.exec() != QDialog::Accepted)
        return std::nullopt;
    return std::pair{wizard.FirstKey(), wizard.SecondKey()};
}

TShortCut TKeyAssignDialog::FirstKey() const { return first_->ShortCut(); }

TShortCut TKeyAssignDialog::SecondKey() const { return second_->ShortCut(); }

int TKeyAssignDialog::Step() const { return steps_->currentIndex() + 1; }

void TKeyAssignDialog::GoTo(int step)
{
    steps_->setCurrentIndex(step - 1);
    (step == 1 ? first_ : second_)->setFocus();
    UpdateButtons();
}

void TKeyAssignDialog::NextClicked()
{
    if (Step() == 1)
        GoTo(2);
    else if (FirstKey() != 0)
        accept();
}

void TKeyAssignDialog::UpdateButtons()
{
    back_->setEnabled(Step() == 2);
    next_->setText(Step() == 1 ? QStringLiteral("Next >") : QStringLiteral("Finish"));
    next_->setEnabled(FirstKey() != 0);
}

}  // namespace tarnwick
