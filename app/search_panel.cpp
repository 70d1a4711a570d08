// The Find in library panel: options, the worker thread and the result list.
#include "app/search_panel.h"

#include "app/language_file.h"
#include "chrome/ansi_text.h"
#include "scheme/code_memo_parser.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <map>
#include <mutex>

namespace tarnwick {

// What the worker and the window share: the window reads `pending` and
// `done` under the mutex while the worker fills them.
struct TSearchJob {
    std::atomic<bool> cancel{false};
    std::mutex mutex;
    std::vector<TLibraryHit> pending;
    bool done = false;
    TLibrarySearchResult result;
    std::string error;
};

namespace {

constexpr int kHitRole = Qt::UserRole;        // index into the listed hits
constexpr int kMarkRole = Qt::UserRole + 1;   // where the hit starts in the shown text
constexpr int kLengthRole = Qt::UserRole + 2;
constexpr int kPollMs = 30;
// Shown text of a line at most; the hit stays in view.
constexpr int kShownLine = 160;

// Paints a hit's line with the hit on the highlight colour.
class THitDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (!index.data(kMarkRole).isValid()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        const QString text = plain.text;
        plain.text.clear();
        const QStyle* style = plain.widget ? plain.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);
        const int mark = index.data(kMarkRole).toInt();
        const int length = index.data(kLengthRole).toInt();
        const QFontMetrics metrics(option.font);
        QRect rect = option.rect.adjusted(4, 0, 0, 0);
        const QString parts[] = {text.left(mark), text.mid(mark, length), text.mid(mark + length)};
        painter->save();
        for (int i = 0; i < 3; ++i) {
            const int width = metrics.horizontalAdvance(parts[i]);
            if (i == 1) {
                painter->fillRect(QRect(rect.left(), rect.top() + 1, width, rect.height() - 2),
                                  option.palette.color(QPalette::Highlight));
                painter->setPen(option.palette.color(QPalette::HighlightedText));
            } else {
                painter->setPen(option.palette.color(
                    (option.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
            }
            painter->drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, parts[i]);
            rect.setLeft(rect.left() + width);
        }
        painter->restore();
    }
};

}  // namespace

TSearchPanel::TSearchPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SearchPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    Edit = new QLineEdit(this);
    Edit->setClearButtonEnabled(true);
    layout->addWidget(Edit);
    auto* boxes = new QHBoxLayout;
    RegExpr = new QCheckBox(QStringLiteral("Regular expression"), this);
    MatchCase = new QCheckBox(QStringLiteral("Match case"), this);
    WholeWord = new QCheckBox(QStringLiteral("Whole words"), this);
    for (QCheckBox* box : {RegExpr, MatchCase, WholeWord})
        boxes->addWidget(box);
    boxes->addStretch(1);
    layout->addLayout(boxes);
    auto* combos = new QHBoxLayout;
    Scope = new QComboBox(this);
    Scope->addItems({QStringLiteral("Texts"), QStringLiteral("Titles"), QStringLiteral("Titles and texts")});
    Tokens = new QComboBox(this);
    Tokens->addItems({QStringLiteral("Anywhere"), QStringLiteral("In comments"), QStringLiteral("In strings"),
                      QStringLiteral("In code")});
    combos->addWidget(Scope, 1);
    combos->addWidget(Tokens, 1);
    layout->addLayout(combos);
    Results = new QTreeWidget(this);
    Results->setHeaderHidden(true);
    Results->setRootIsDecorated(true);
    Results->setUniformRowHeights(true);
    Results->setItemDelegate(new THitDelegate(Results));
    layout->addWidget(Results, 1);
    Status = new QLabel(this);
    layout->addWidget(Status);

    typing_ = new QTimer(this);
    typing_->setSingleShot(true);
    typing_->setInterval(kTypingDelayMs);
    poll_ = new QTimer(this);
    poll_->setInterval(kPollMs);
    connect(typing_, &QTimer::timeout, this, &TSearchPanel::StartSearch);
    connect(poll_, &QTimer::timeout, this, &TSearchPanel::Poll);
    connect(Edit, &QLineEdit::textChanged, this, &TSearchPanel::Restart);
    for (QCheckBox* box : {RegExpr, MatchCase, WholeWord})
        connect(box, &QCheckBox::toggled, this, &TSearchPanel::Restart);
    for (QComboBox* combo : {Scope, Tokens})
        connect(combo, &QComboBox::currentIndexChanged, this, &TSearchPanel::Restart);
    connect(Results, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { Choose(item); });
    connect(Edit, &QLineEdit::returnPressed, this, [this] { StepHit(1); });
}

TSearchPanel::~TSearchPanel()
{
    StopWorker();
}

void TSearchPanel::ApplyLanguage(const TLanguageFile& file)
{
    auto read = [&](const char* key, const char* def) { return AnsiToQt(file.Read("Search", key, def)); };
    RegExpr->setText(read("Regex", "Regular expression"));
    MatchCase->setText(read("Case", "Match case"));
    WholeWord->setText(read("Word", "Whole words"));
    const char* scopes[][2] = {{"InText", "Texts"}, {"InTitles", "Titles"}, {"InBoth", "Titles and texts"}};
    for (int i = 0; i < 3; ++i)
        Scope->setItemText(i, read(scopes[i][0], scopes[i][1]));
    const char* kinds[][2] = {{"TokAny", "Anywhere"}, {"TokComment", "In comments"}, {"TokString", "In strings"},
                              {"TokCode", "In code"}};
    for (int i = 0; i < 4; ++i)
        Tokens->setItemText(i, read(kinds[i][0], kinds[i][1]));
    Edit->setPlaceholderText(read("Prompt", "Find in library"));
    wordHits_ = read("Hits", "%1 hits in %2 snippets");
    wordMore_ = read("More", "(first %1 listed)");
    wordNothing_ = read("Nothing", "Nothing found");
    wordSearching_ = read("Searching", "Searching...");
}

void TSearchPanel::Restart()
{
    // A running search is of no use any more.
    if (job_)
        job_->cancel = true;
    typing_->start();
}

void TSearchPanel::StopWorker()
{
    if (job_)
        job_->cancel = true;
    if (worker_.joinable())
        worker_.join();
    job_.reset();
    poll_->stop();
}

void TSearchPanel::StartSearch()
{
    typing_->stop();
    StopWorker();
    Results->clear();
    hits_.clear();
    found_ = 0;
    failure_.clear();
    const std::string library = Library ? Library() : std::string();
    TLibrarySearchOptions options;
    options.Pattern = QtToAnsi(Edit->text());
    if (options.Pattern.empty() || library.empty()) {
        Status->clear();
        return;
    }
    options.RegExpr = RegExpr->isChecked();
    options.MatchCase = MatchCase->isChecked();
    options.WholeWord = WholeWord->isChecked();
    const TSearchScope scopes[] = {TSearchScope::Texts, TSearchScope::Titles, TSearchScope::Both};
    options.Scope = scopes[std::max(0, Scope->currentIndex())];
    const TTokenFilter filters[] = {TTokenFilter::Any, TTokenFilter::Comment, TTokenFilter::String,
                                    TTokenFilter::Code};
    options.Tokens = filters[std::max(0, Tokens->currentIndex())];
    std::unique_ptr<TCodeMemoParser> scheme;
    if (options.Tokens != TTokenFilter::Any && Scheme)
        scheme = Scheme();
    if (!scheme)
        options.Tokens = TTokenFilter::Any;

    auto job = std::make_shared<TSearchJob>();
    job_ = job;
    Status->setText(wordSearching_);
    worker_ = std::thread([job, library, options, scheme = std::move(scheme)]() mutable {
        options.Cancel = &job->cancel;
        options.Scheme = scheme.get();
        TLibrarySearchResult result;
        std::string error;
        try {
            result = SearchLibrary(library, options, [&job](const TLibraryHit& hit) {
                const std::lock_guard<std::mutex> lock(job->mutex);
                job->pending.push_back(hit);
            });
        } catch (const std::exception& e) {
            error = e.what();
        }
        const std::lock_guard<std::mutex> lock(job->mutex);
        job->result = std::move(result);
        job->error = std::move(error);
        job->done = true;
    });
    poll_->start();
}

bool TSearchPanel::Busy() const
{
    return job_ != nullptr;
}

void TSearchPanel::WaitForSearch()
{
    if (typing_->isActive())
        StartSearch();
    if (worker_.joinable())
        worker_.join();
    if (job_)
        Poll();
}

void TSearchPanel::Poll()
{
    if (!job_)
        return;
    std::vector<TLibraryHit> pending;
    bool done = false;
    {
        const std::lock_guard<std::mutex> lock(job_->mutex);
        pending.swap(job_->pending);
        done = job_->done;
    }
    for (const TLibraryHit& hit : pending)
        AddHit(hit);
    found_ += pending.size();
    if (done)
        Finish();
    else
        ShowStatus();
}

void TSearchPanel::Finish()
{
    if (worker_.joinable())
        worker_.join();
    const std::shared_ptr<TSearchJob> job = std::move(job_);
    poll_->stop();
    failure_ = job->error;
    // Listed again in the tree's order.
    Results->clear();
    hits_.clear();
    found_ = job->result.Hits.size();
    for (const TLibraryHit& hit : job->result.Hits)
        AddHit(hit);
    if (!job->result.Problems.empty() && failure_.empty())
        failure_ = job->result.Problems.front();
    ShowStatus();
}

void TSearchPanel::AddHit(const TLibraryHit& hit)
{
    if (hits_.size() >= kMaxListed)
        return;
    // Hits of one snippet arrive together, so the group is the last one or new.
    const QString group = AnsiToQt(hit.Category) + QStringLiteral(" / ") + AnsiToQt(hit.Title);
    QTreeWidgetItem* parent = nullptr;
    if (Results->topLevelItemCount() > 0) {
        QTreeWidgetItem* last = Results->topLevelItem(Results->topLevelItemCount() - 1);
        if (last->text(0) == group)
            parent = last;
    }
    if (parent == nullptr) {
        parent = new QTreeWidgetItem(Results, {group});
        parent->setExpanded(true);
    }
    // The line without its leading blanks, cut around the hit when long.
    std::string_view line = hit.LineText;
    int64_t mark = hit.HitStart;
    const size_t lead = std::min(line.find_first_not_of(" \t"), size_t(mark));
    line.remove_prefix(lead);
    mark -= int64_t(lead);
    if (mark > kShownLine / 2) {
        line.remove_prefix(size_t(mark - kShownLine / 4));
        mark = kShownLine / 4;
    }
    if (line.size() > kShownLine + size_t(hit.HitLength))
        line = line.substr(0, kShownLine + size_t(hit.HitLength));
    const QString prefix = hit.Line == 0 ? QString() : QString::number(hit.Line) + QLatin1Char(':') +
                                                           QString::number(hit.Column) + QStringLiteral("  ");
    auto* item = new QTreeWidgetItem(parent, {prefix + AnsiToQt(line)});
    item->setData(0, kHitRole, qulonglong(hits_.size()));
    item->setData(0, kMarkRole, int(prefix.size() + mark));
    item->setData(0, kLengthRole, int(hit.HitLength));
    hits_.push_back(hit);
}

void TSearchPanel::ShowStatus()
{
    if (!failure_.empty() && hits_.empty()) {
        Status->setText(AnsiToQt(failure_));
        return;
    }
    if (found_ == 0) {
        Status->setText(job_ ? wordSearching_ : wordNothing_);
        return;
    }
    QString text = wordHits_.arg(found_).arg(Results->topLevelItemCount());
    if (found_ > hits_.size())
        text += QLatin1Char(' ') + wordMore_.arg(hits_.size());
    if (job_)
        text += QStringLiteral(" ...");
    Status->setText(text);
}

void TSearchPanel::Choose(QTreeWidgetItem* item)
{
    if (item == nullptr)
        return;
    if (!item->data(0, kHitRole).isValid()) {
        // A snippet's line: its first hit.
        if (item->childCount() == 0)
            return;
        item = item->child(0);
        Results->setCurrentItem(item);
    }
    const size_t index = item->data(0, kHitRole).toULongLong();
    if (index < hits_.size() && OnHitChosen)
        OnHitChosen(hits_[index]);
}

bool TSearchPanel::StepHit(int direction)
{
    if (hits_.empty())
        return false;
    size_t index = 0;
    const QTreeWidgetItem* current = Results->currentItem();
    if (current != nullptr && current->data(0, kHitRole).isValid()) {
        const size_t at = current->data(0, kHitRole).toULongLong();
        const size_t n = hits_.size();
        index = direction > 0 ? (at + 1) % n : (at + n - 1) % n;
    } else if (direction < 0) {
        index = hits_.size() - 1;
    }
    // Items are listed in hit order: walk groups to find it.
    for (int g = 0; g < Results->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = Results->topLevelItem(g);
        for (int c = 0; c < group->childCount(); ++c) {
            QTreeWidgetItem* item = group->child(c);
            if (item->data(0, kHitRole).toULongLong() == index) {
                Results->setCurrentItem(item);
                Choose(item);
                return true;
            }
        }
    }
    return false;
}

void TSearchPanel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace tarnwick
