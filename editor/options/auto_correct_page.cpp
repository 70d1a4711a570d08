// The Auto Correct page.
#include "editor/options/auto_correct_page.h"

#include "chrome/prompt.h"
#include "editor/core/sm_settings.h"
#include "editor/options/macro_list.h"
#include "editor/options/option_texts.h"
#include "platform/errors.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tarnwick {

TAutoCorrectPage::TAutoCorrectPage(const TOptionsContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      entries_(MakeMacroList(OptionText(sidReplace), OptionText(sidWith), this)),
      word_(new QLineEdit(this)),
      replacement_(new QLineEdit(this)),
      delimiters_(new QLineEdit(this)),
      add_(new QPushButton(OptionText(sidAdd), this)),
      replace_(new QPushButton(OptionText(sidReplace), this)),
      delete_(new QPushButton(OptionText(sidDelete), this))
{
    auto* boxes = new QFormLayout;
    boxes->addRow(OptionText(sidReplace), word_);
    boxes->addRow(OptionText(sidWith), replacement_);
    boxes->addRow(OptionText(sidActKeys), delimiters_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {add_, replace_, delete_}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    auto* page = new QVBoxLayout(this);
    page->addWidget(entries_, 1);
    page->addLayout(boxes);
    page->addLayout(buttons);

    connect(entries_, &QTreeWidget::currentItemChanged, this, &TAutoCorrectPage::EntrySelected);
    connect(add_, &QPushButton::clicked, this, &TAutoCorrectPage::AddClicked);
    connect(replace_, &QPushButton::clicked, this, &TAutoCorrectPage::ReplaceClicked);
    connect(delete_, &QPushButton::clicked, this, &TAutoCorrectPage::DeleteClicked);
    connect(delimiters_, &QLineEdit::editingFinished, this, &TAutoCorrectPage::DelimitersLeft);
    Fill();
}

void TAutoCorrectPage::Fill()
{
    ShowEntries({});
    delimiters_->setText(AnsiToQt(context_.Working.AutoReplace().Delimiters()));
}

void TAutoCorrectPage::ShowEntries(const std::string& name)
{
    FillMacroList(*entries_, context_.Working.AutoReplace(), false, name);
    EntrySelected();
}

void TAutoCorrectPage::EntrySelected()
{
    const std::string name = SelectedMacro(*entries_);
    const bool selected = !name.empty();
    replace_->setEnabled(selected);
    delete_->setEnabled(selected);
    if (const TMacroEntry* entry = context_.Working.AutoReplace().Find(name)) {
        word_->setText(AnsiToQt(entry->Name));
        replacement_->setText(AnsiToQt(entry->Expansion));
    }
}

void TAutoCorrectPage::AddClicked()
{
    const std::string word = QtToAnsi(word_->text().trimmed());
    if (word.empty())
        return;
    context_.Working.AutoReplace().AddEntry(word, QtToAnsi(replacement_->text()));
    ShowEntries(AnsiLower(word));
}

void TAutoCorrectPage::ReplaceClicked()
{
    const std::string old = SelectedMacro(*entries_);
    const std::string word = QtToAnsi(word_->text().trimmed());
    if (old.empty() || word.empty())
        return;
    TAutoReplace& list = context_.Working.AutoReplace();
    list.DeleteMacro(old);
    list.AddEntry(word, QtToAnsi(replacement_->text()));
    ShowEntries(AnsiLower(word));
}

void TAutoCorrectPage::DeleteClicked()
{
    context_.Working.AutoReplace().DeleteMacro(SelectedMacro(*entries_));
    ShowEntries({});
}

void TAutoCorrectPage::DelimitersLeft()
{
    TAutoReplace& list = context_.Working.AutoReplace();
    try {
        list.SetDelimiters(QtToAnsi(delimiters_->text()));
    } catch (const Exception& error) {
        context_.Prompt.ShowError(AnsiToQt(error.Message()));
    }
    delimiters_->setText(AnsiToQt(list.Delimiters()));
}

}  // namespace tarnwick
