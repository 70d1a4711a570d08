// The Key Assignments page.
#include "editor/options/keys_page.h"

#include "editor/core/keyboard_controller.h"
#include "editor/core/sm_settings.h"
#include "editor/options/key_assign_dialog.h"
#include "editor/options/option_texts.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tarnwick {

TKeysPage::TKeysPage(const TOptionsContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      commands_(new QListWidget(this)),
      keys_(new QListWidget(this)),
      add_(new QPushButton(OptionTextDots(sidAdd), this)),
      edit_(new QPushButton(OptionTextDots(sidEdit), this)),
      delete_(new QPushButton(OptionText(sidDelete), this))
{
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {add_, edit_, delete_}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(OptionText(sidCommands), this), 0, 0);
    grid->addWidget(new QLabel(OptionText(sidUsesKeys), this), 0, 1);
    grid->addWidget(commands_, 1, 0);
    grid->addWidget(keys_, 1, 1);
    grid->addLayout(buttons, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);

    connect(commands_, &QListWidget::currentRowChanged, this, &TKeysPage::ShowKeys);
    connect(keys_, &QListWidget::currentRowChanged, this, [this] {
        edit_->setEnabled(keys_->currentRow() >= 0);
        delete_->setEnabled(keys_->currentRow() >= 0);
    });
    connect(add_, &QPushButton::clicked, this, &TKeysPage::AddClicked);
    connect(edit_, &QPushButton::clicked, this, &TKeysPage::EditClicked);
    connect(delete_, &QPushButton::clicked, this, &TKeysPage::DeleteClicked);
    Fill();
}

void TKeysPage::Fill()
{
    list_.clear();
    for (const auto& [code, text] : context_.Working.Keys().Descriptions())
        list_.push_back(TCommand{text, code, {}, false, false});
    std::stable_sort(list_.begin(), list_.end(), [](const TCommand& a, const TCommand& b) {
        return a.Description < b.Description;
    });
    commands_->clear();
    for (const TCommand& command : list_)
        commands_->addItem(AnsiToQt(command.Description));
    commands_->setCurrentRow(list_.empty() ? -1 : 0);
    ShowKeys();
}

bool TKeysPage::SelectCommand(int code)
{
    for (size_t row = 0; row < list_.size(); ++row) {
        if (list_[row].Code == code) {
            commands_->setCurrentRow(static_cast<int>(row));
            return true;
        }
    }
    return false;
}

TKeysPage::TCommand* TKeysPage::Current()
{
    const int row = commands_->currentRow();
    return row < 0 || row >= static_cast<int>(list_.size()) ? nullptr
                                                             : &list_[static_cast<size_t>(row)];
}

void TKeysPage::Load(TCommand& command)
{
    if (command.Loaded)
        return;
    command.Loaded = true;
    TKeyboardActionContoller& keys = context_.Working.Keys();
    TShortCut first = 0;
    TShortCut second = 0;
    for (bool found = keys.FindBinding(command.Code, first, second); found;
         found = keys.FindNextBinding(command.Code, first, second))
        command.Bindings.push_back(TKeyBinding{first, second, command.Code});
}

void TKeysPage::ShowKeys()
{
    keys_->clear();
    TCommand* command = Current();
    add_->setEnabled(command != nullptr);
    if (command != nullptr) {
        Load(*command);
        for (const TKeyBinding& binding : command->Bindings)
            keys_->addItem(AnsiToQt(KeyPairToText(binding.FirstKey, binding.SecondKey)));
    }
    keys_->setCurrentRow(keys_->count() > 0 ? 0 : -1);
    edit_->setEnabled(keys_->currentRow() >= 0);
    delete_->setEnabled(keys_->currentRow() >= 0);
}

void TKeysPage::AddClicked()
{
    TCommand* command = Current();
    if (command == nullptr)
        return;
    const auto keys = TKeyAssignDialog::Run(0, 0, this);
    if (!keys)
        return;
    command->Bindings.push_back(TKeyBinding{keys->first, keys->second, command->Code});
    command->Changed = true;
    ShowKeys();
    keys_->setCurrentRow(keys_->count() - 1);
}

void TKeysPage::EditClicked()
{
    TCommand* command = Current();
    const int row = keys_->currentRow();
    if (command == nullptr || row < 0)
        return;
    TKeyBinding& binding = command->Bindings[static_cast<size_t>(row)];
    const auto keys = TKeyAssignDialog::Run(binding.FirstKey, binding.SecondKey, this);
    if (!keys)
        return;
    binding.FirstKey = keys->first;
    binding.SecondKey = keys->second;
    command->Changed = true;
    ShowKeys();
    keys_->setCurrentRow(row);
}

void TKeysPage::DeleteClicked()
{
    TCommand* command = Current();
    const int row = keys_->currentRow();
    if (command == nullptr || row < 0)
        return;
    command->Bindings.erase(command->Bindings.begin() + row);
    command->Changed = true;
    ShowKeys();
    keys_->setCurrentRow(std::min(row, keys_->count() - 1));
}

void TKeysPage::Apply()
{
    if (std::none_of(list_.begin(), list_.end(), [](const TCommand& c) { return c.Changed; }))
        return;
    TKeyboardActionContoller built;
    for (const TCommand& command : list_)
        built.SetDescription(command.Code, command.Description);
    // Commands never opened take their bindings from the working controller.
    for (TCommand& command : list_)
        Load(command);
    for (const TCommand& command : list_)
        for (const TKeyBinding& binding : command.Bindings)
            built.AddBinding(binding.FirstKey, binding.SecondKey, binding.Code);
    context_.Working.Keys().Assign(built);
}

}  // namespace tarnwick
