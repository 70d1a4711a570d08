// The Key Assignments page of the editor options dialog: the commands with
// their descriptions (sorted), the keys each one uses, and Add..., Edit...
// and Delete, which run the key-assignment wizard or drop a binding.
//
// A command's bindings are read from the working controller the first time
// it is selected. At OK the page builds a new controller from the commands
// and their bindings; a collision raises EAmbigiousKeyPair and leaves the
// working copy as it was.
#pragma once

#include "editor/core/key_store.h"
#include "editor/options/options_context.h"

#include <QWidget>

#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace tarnwick {

class TKeysPage : public QWidget {
    Q_OBJECT
public:
    TKeysPage(const TOptionsContext& context, QWidget* parent = nullptr);

    QListWidget* Commands() { return commands_; }
    QListWidget* Keys() { return keys_; }
    QPushButton* AddButton() { return add_; }
    QPushButton* EditButton() { return edit_; }
    QPushButton* DeleteButton() { return delete_; }

    // Selects the command with that code; false when it is not listed.
    bool SelectCommand(int code);
    // Puts the new controller into the working copy. Raises
    // EAmbigiousKeyPair for a collision (the working copy keeps its keys).
    // With no binding added, edited or deleted the working controller stays
    // as it is, so an OK without key changes leaves its stream unchanged.
    void Apply();

private:
    struct TCommand {
        std::string Description;
        int Code = -1;
        std::vector<TKeyBinding> Bindings;
        bool Loaded = false;
        bool Changed = false;
    };

    void Fill();
    TCommand* Current();
    void Load(TCommand& command);
    void ShowKeys();
    void AddClicked();
    void EditClicked();
    void DeleteClicked();

    TOptionsContext context_;
    std::vector<TCommand> list_;
    QListWidget* commands_;
    QListWidget* keys_;
    QPushButton* add_;
    QPushButton* edit_;
    QPushButton* delete_;
};

}  // namespace tarnwick
