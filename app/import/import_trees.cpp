#include "app/import/import_trees.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace tarnwick {

namespace {

void SetUpTree(QTreeWidget& tree)
{
    tree.setHeaderHidden(true);
    tree.setColumnCount(1);
    tree.setSelectionMode(QAbstractItemView::SingleSelection);
    tree.setIndentation(19);
    tree.setEditTriggers(QAbstractItemView::NoEditTriggers);
}

bool FromSourceTree(const QDropEvent& event)
{
    return event.mimeData() && event.mimeData()->hasFormat(QLatin1String(kImportNodeFormat));
}

}  // namespace

TImportSourceTree::TImportSourceTree(QWidget* parent) : QTreeWidget(parent)
{
    SetUpTree(*this);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
}

QStringList TImportSourceTree::mimeTypes() const
{
    return {QLatin1String(kImportNodeFormat)};
}

QMimeData* TImportSourceTree::mimeData(const QList<QTreeWidgetItem*>& items) const
{
    auto* data = new QMimeData;
    data->setData(QLatin1String(kImportNodeFormat),
                  items.isEmpty() ? QByteArray() : items.front()->text(0).toUtf8());
    return data;
}

void TImportSourceTree::keyReleaseEvent(QKeyEvent* event)
{
    QTreeWidget::keyReleaseEvent(event);
    emit KeyReleased(event->key());
}

TImportDestinationTree::TImportDestinationTree(QWidget* parent) : QTreeWidget(parent)
{
    SetUpTree(*this);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
}

void TImportDestinationTree::dragEnterEvent(QDragEnterEvent* event)
{
    if (FromSourceTree(*event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TImportDestinationTree::dragMoveEvent(QDragMoveEvent* event)
{
    if (FromSourceTree(*event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TImportDestinationTree::dropEvent(QDropEvent* event)
{
    if (!FromSourceTree(*event)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit Dropped(event->position().toPoint());
}

void TImportDestinationTree::keyReleaseEvent(QKeyEvent* event)
{
    QTreeWidget::keyReleaseEvent(event);
    emit KeyReleased(event->key());
}

}  // namespace tarnwick
