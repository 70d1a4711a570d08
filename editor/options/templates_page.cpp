// The Code Templates page.
#include "editor/options/templates_page.h"

#include "editor/code_memo.h"
#include "editor/core/sm_settings.h"
#include "editor/options/key_capture_edit.h"
#include "editor/options/macro_list.h"
#include "editor/options/option_texts.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tarnwick {

TTemplatesPage::TTemplatesPage(const TOptionsContext& context, TCodeMemo& preview,
                               QWidget* parent)
    : QWidget(parent),
      context_(context),
      preview_(preview),
      templates_(MakeMacroList(OptionText(sidName), OptionText(sidDescription), this)),
      name_(new QLineEdit(this)),
      description_(new QLineEdit(this)),
      hotkey_(new TKeyCaptureEdit(false, this)),
      add_(new QPushButton(OptionText(sidAdd), this)),
      replace_(new QPushButton(OptionText(sidReplace), this)),
      delete_(new QPushButton(OptionText(sidDelete), this))
{
    auto* boxes = new QFormLayout;
    boxes->addRow(OptionText(sidName), name_);
    boxes->addRow(OptionText(sidDescription), description_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(OptionText(sidHotkey), this));
    buttons->addWidget(hotkey_);
    buttons->addStretch();
    for (QPushButton* button : {add_, replace_, delete_}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    auto* page = new QVBoxLayout(this);
    page->addWidget(templates_, 2);
    page->addLayout(boxes);
    page->addWidget(new QLabel(OptionText(sidCodeTemplate), this));
    page->addWidget(&preview_, 2);
    page->addLayout(buttons);

    connect(templates_, &QTreeWidget::currentItemChanged, this, &TTemplatesPage::TemplateSelected);
    connect(add_, &QPushButton::clicked, this, &TTemplatesPage::AddClicked);
    connect(replace_, &QPushButton::clicked, this, &TTemplatesPage::ReplaceClicked);
    connect(delete_, &QPushButton::clicked, this, &TTemplatesPage::DeleteClicked);
    connect(hotkey_, &TKeyCaptureEdit::ShortCutChanged, this,
            [this](TShortCut shortCut) { context_.Working.Templates().Trigger = shortCut; });
    Fill();
}

void TTemplatesPage::Fill()
{
    ShowTemplates({});
    hotkey_->SetShortCut(context_.Working.Templates().Trigger);
}

void TTemplatesPage::ShowTemplates(const std::string& name)
{
    FillMacroList(*templates_, context_.Working.Templates(), true, name);
    TemplateSelected();
}

void TTemplatesPage::TemplateSelected()
{
    const std::string name = SelectedMacro(*templates_);
    replace_->setEnabled(!name.empty());
    delete_->setEnabled(!name.empty());
    if (const TMacroEntry* entry = context_.Working.Templates().Find(name)) {
        name_->setText(AnsiToQt(entry->Name));
        description_->setText(AnsiToQt(entry->Description.value_or("")));
        preview_.SetText(entry->Expansion);
        preview_.Model().SetSelection(0, 0);
    }
}

bool TTemplatesPage::Store()
{
    const std::string name = QtToAnsi(name_->text().trimmed());
    if (name.empty())
        return false;
    context_.Working.Templates().AddTemplate(name, QtToAnsi(description_->text()),
                                             preview_.Model().Text());
    ShowTemplates(AnsiLower(name));
    return true;
}

void TTemplatesPage::AddClicked() { Store(); }

void TTemplatesPage::ReplaceClicked()
{
    const std::string old = SelectedMacro(*templates_);
    if (old.empty() || name_->text().trimmed().isEmpty())
        return;
    context_.Working.Templates().DeleteTemplate(old);
    Store();
}

void TTemplatesPage::DeleteClicked()
{
    context_.Working.Templates().DeleteTemplate(SelectedMacro(*templates_));
    ShowTemplates({});
}

}  // namespace tarnwick
