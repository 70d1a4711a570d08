// TSearchPanel: Find in library, a panel docked under the tree. The text is
// searched as it is typed: each change (of the text or an option) restarts a
// short delay, then the search runs on a worker thread over the library's
// files while the window goes on; the next change cancels it. Hits show as
// they are found, grouped by snippet, each with its line and the hit marked;
// when the search ends they are put in the tree's order.
//
// Choosing a hit (Enter, a double click, or stepping with NextHit) calls
// OnHitChosen, which the window connects to selecting the title, loading it
// and selecting the hit in the code pane.
#pragma once

#include "library_search/library_search.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <thread>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarnwick {

class TCodeMemoParser;
class TLanguageFile;
struct TSearchJob;

class TSearchPanel : public QWidget {
    Q_OBJECT
public:
    // How long typing must pause before a search starts.
    static constexpr int kTypingDelayMs = 150;
    // The most hits listed; the status line says when there were more.
    static constexpr size_t kMaxListed = 10000;

    explicit TSearchPanel(QWidget* parent = nullptr);
    ~TSearchPanel() override;

    // The index file to search (empty: no library open).
    std::function<std::string()> Library;
    // A scheme of the search's own, like the code pane's, for the token filter.
    std::function<std::unique_ptr<TCodeMemoParser>()> Scheme;
    // A hit was chosen.
    std::function<void(const TLibraryHit&)> OnHitChosen;

    void ApplyLanguage(const TLanguageFile& file);

    // Starts the search at once (typing starts it after kTypingDelayMs).
    void StartSearch();
    bool Busy() const;
    // Waits for the running search (tests).
    void WaitForSearch();
    // Selects the next (direction 1) or previous (-1) hit, across snippets,
    // wrapping around, and chooses it. False when there is none.
    bool StepHit(int direction);
    size_t HitCount() const { return hits_.size(); }

    QLineEdit* Edit = nullptr;
    QCheckBox* RegExpr = nullptr;
    QCheckBox* MatchCase = nullptr;
    QCheckBox* WholeWord = nullptr;
    QComboBox* Scope = nullptr;
    QComboBox* Tokens = nullptr;
    QTreeWidget* Results = nullptr;
    QLabel* Status = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Restart();
    void StopWorker();
    void Poll();
    void Finish();
    void AddHit(const TLibraryHit& hit);
    void Choose(QTreeWidgetItem* item);
    void ShowStatus();

    QTimer* typing_ = nullptr;
    QTimer* poll_ = nullptr;
    std::shared_ptr<TSearchJob> job_;
    std::thread worker_;
    std::vector<TLibraryHit> hits_;  // listed ones, in list order
    size_t found_ = 0;
    std::string failure_;
    QString wordHits_ = QStringLiteral("%1 hits in %2 snippets");
    QString wordMore_ = QStringLiteral("(first %1 listed)");
    QString wordNothing_ = QStringLiteral("Nothing found");
    QString wordSearching_ = QStringLiteral("Searching...");
};

}  // namespace tarnwick
