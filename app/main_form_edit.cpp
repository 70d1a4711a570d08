// TMainForm, part 6: the Edit menu, the code pane's context menu and the
// toolbar's Copy button. The commands go to the pane as the standard edit
// requests; the window only keeps its Undo command and the Word wrap check
// in step.
#include "app/main_form.h"

#include "app/code_pane_host.h"
#include "chrome/ansi_text.h"
#include "editor/code_memo.h"
#include "platform/messages.h"

#include <QAction>
#include <QDateTime>
#include <QKeySequence>
#include <QLocale>
#include <QMenu>

#include <iterator>

namespace tarnwick {

namespace {

// The user's short date, a blank and the long time, as the system's locale
// writes them (the locale's own digits and separators).
std::string DateTimeText(const QDateTime& when)
{
    const QLocale locale = QLocale::system();
    return QtToAnsi(locale.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                        locale.toString(when.time(), QLocale::LongFormat));
}

}  // namespace

void TMainForm::CreateCodePaneCommands()
{
    // Ctrl+S is the window's, unless the pane's scheme binds it
    // (FilterCodePaneEvent).
    SaveShortcut1 = new QAction(this);
    SaveShortcut1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    addAction(SaveShortcut1);
    for (QAction* action : {Cut1, Copy1, Paste1, Delete1, SelectAll1, TimeDate1, Wordwrap1,
                            CodeWindow1})
        action->setEnabled(true);
    for (QAction* action : PopupMenu982->actions())
        action->setEnabled(action != PopupMenu982->actions().front());
    btnCopy->setEnabled(true);
    btnSave->setEnabled(false);

    connect(Undo1, &QAction::triggered, this, &TMainForm::Undo1Click);
    connect(Cut1, &QAction::triggered, this, &TMainForm::Cut1Click);
    connect(Copy1, &QAction::triggered, this, &TMainForm::Copy1Click);
    connect(Paste1, &QAction::triggered, this, &TMainForm::Paste1Click);
    connect(Delete1, &QAction::triggered, this, &TMainForm::Delete1Click);
    connect(SelectAll1, &QAction::triggered, this, &TMainForm::SelectAll1Click);
    connect(TimeDate1, &QAction::triggered, this, &TMainForm::TimeDate1Click);
    connect(Wordwrap1, &QAction::triggered, this, &TMainForm::Wordwrap1Click);
    connect(CodeWindow1, &QAction::triggered, this, &TMainForm::CodeWindow1Click);
    // The context menu's items, in the Edit menu's order, run the same
    // handlers as their twins (its Undo also while the menu's is disabled).
    using THandler = void (TMainForm::*)();
    const THandler handlers[] = {&TMainForm::Undo1Click,      &TMainForm::Cut1Click,
                                 &TMainForm::Copy1Click,      &TMainForm::Paste1Click,
                                 &TMainForm::Delete1Click,    &TMainForm::SelectAll1Click,
                                 &TMainForm::TimeDate1Click};
    const QList<QAction*> popup = PopupMenu982->actions();
    for (size_t i = 0; i < std::size(handlers); ++i)
        connect(popup[qsizetype(i)], &QAction::triggered, this, handlers[i]);
    connect(popup.back(), &QAction::triggered, this, [this] {
        Wordwrap1->toggle();
        Wordwrap1Click();
    });
    connect(PopupMenu982, &QMenu::aboutToShow, this, &TMainForm::PopupMenu982Popup);
    connect(Edit2, &QMenu::aboutToShow, this, &TMainForm::Edit2Click);
    for (QMenu* menu : {static_cast<QMenu*>(File1), Options1, Help1})
        connect(menu, &QMenu::aboutToShow, this, &TMainForm::Memo2Exit);
    connect(btnCopy, &QToolButton::clicked, this, &TMainForm::btnCopyClick);
    connect(btnSave, &QToolButton::clicked, this, &TMainForm::btnSaveClick);
    connect(SavePopup1, &QAction::triggered, this, &TMainForm::btnSaveClick);
    connect(SaveShortcut1, &QAction::triggered, this, &TMainForm::btnSaveClick);

    TCodeMemo& editor = Memo1->Editor();
    connect(&editor, &TCodeMemo::Change, this, &TMainForm::Memo2Change);
    connect(&editor, &TCodeMemo::KeyDown, this, &TMainForm::Memo2KeyDown);
    connect(&editor, &TCodeMemo::KeyPress, this, &TMainForm::Memo2KeyDown);
    connect(&editor, &TCodeMemo::KeyUp, this, &TMainForm::Memo2KeyDown);
    WatchCodePane();
}

void TMainForm::Undo1Click()
{
    Memo1->Editor().Perform(EM_UNDO, 0, 0);
}

void TMainForm::Cut1Click()
{
    Memo1->Editor().Perform(WM_CUT, 0, 0);
    SetUndoEnabled(true);
}

void TMainForm::Copy1Click()
{
    Memo1->Editor().Perform(WM_COPY, 0, 0);
    SetUndoEnabled(true);
}

void TMainForm::Paste1Click()
{
    Memo1->Editor().Perform(WM_PASTE, 0, 0);
    SetUndoEnabled(true);
}

void TMainForm::Delete1Click()
{
    Memo1->Editor().Perform(WM_CLEAR, 0, 0);
    SetUndoEnabled(true);
}

void TMainForm::SelectAll1Click()
{
    Memo1->Editor().Model().SelectAll();
}

void TMainForm::TimeDate1Click()
{
    InsertAsOneStep(DateTimeText(QDateTime::currentDateTime()));
}

void TMainForm::InsertAsOneStep(const std::string& text)
{
    Memo1->Editor().Perform(EM_REPLACESEL, 1, reinterpret_cast<intptr_t>(text.c_str()));
}

void TMainForm::Wordwrap1Click()
{
    // The command starts checked over an unwrapped pane: the first click
    // unchecks it and leaves wrapping off.
    Memo1->Editor().SetWordWrap(Wordwrap1->isChecked());
}

void TMainForm::btnCopyClick()
{
    TCodeMemo& editor = Memo1->Editor();
    editor.Perform(WM_COPY, 0, 0);
    // The whole snippet replaces whatever part was copied, in every format
    // the pane copies; nothing is repainted in between.
    editor.SetPaintSuspended(true);
    editor.Model().SelectAll();
    editor.Perform(WM_COPY, 0, 0);
    editor.SetPaintSuspended(false);
}

void TMainForm::Edit2Click()
{
    if (Memo1->Modified())
        SetUndoEnabled(true);
    Memo2Exit();
}

void TMainForm::PopupMenu982Popup()
{
    if (Memo1->Modified())
        PopupMenu982->actions().front()->setEnabled(true);
}

}  // namespace tarnwick
