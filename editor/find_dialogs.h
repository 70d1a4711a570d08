// TSearchDialog: the editor control's Find and Replace dialogs. Not modal;
// each control creates them on first use and reuses them, so they keep their
// texts and options between uses. The dialog only gathers the request and
// reports its buttons; the control searches, selects and replaces.
//
// Find: "Find what", whole word, match case, regular expression, direction
// up or down; Find Next and Cancel. Replace adds "Replace with" and the
// Replace and Replace All buttons, and always searches downwards.
#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarnwick {

// What a dialog asks for: the texts as typed and TSearchFlag bits
// (srchMatchCase, srchRegExpr, srchWholeWord, srchBackwards).
struct TSearchRequest {
    QString Text;
    QString Replacement;
    int Flags = 0;
};

class TSearchDialog : public QDialog {
    Q_OBJECT
public:
    enum TKind { skFind, skReplace };
    TSearchDialog(TKind kind, QWidget* parent);

    TKind Kind() const { return kind_; }
    // Fills the fields from a request (the texts and the option boxes).
    void Load(const TSearchRequest& request);
    TSearchRequest Request() const;

    // The fields and buttons, for the control's tests.
    QLineEdit* FindEdit() const { return findEdit_; }
    QLineEdit* ReplaceEdit() const { return replaceEdit_; }
    QPushButton* FindNextButton() const { return findNext_; }
    QPushButton* ReplaceButton() const { return replace_; }
    QPushButton* ReplaceAllButton() const { return replaceAll_; }

signals:
    void FindNextClicked();
    void ReplaceClicked();
    void ReplaceAllClicked();

private:
    void UpdateButtons();

    TKind kind_;
    QLineEdit* findEdit_ = nullptr;
    QLineEdit* replaceEdit_ = nullptr;
    QCheckBox* wholeWord_ = nullptr;
    QCheckBox* matchCase_ = nullptr;
    QCheckBox* regExpr_ = nullptr;
    QRadioButton* up_ = nullptr;
    QRadioButton* down_ = nullptr;
    QPushButton* findNext_ = nullptr;
    QPushButton* replace_ = nullptr;
    QPushButton* replaceAll_ = nullptr;
};

} // namespace tarnwick
