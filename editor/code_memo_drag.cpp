// Drag and drop: a drag of the selection (a move inside the control or to
// another one, a copy with Ctrl or from a read-only control), text dropped
// from other programs, and dropped files handed to OnFilesDropped. Each
// side's change is one undo step.
#include "editor/code_memo.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

namespace tarnwick {

namespace {

// The mark a drag of the selection carries: which control (and process)
// it came from.
const QString kMimeDragSource = QStringLiteral("application/x-tarnwick-memo-drag");

QByteArray SourceMark(const void* control)
{
    return QByteArray::number(QCoreApplication::applicationPid()) + ':' +
           QByteArray::number(reinterpret_cast<quintptr>(control));
}

} // namespace

QMimeData* TCustomCodeMemo::SelectionMimeData()
{
    auto* data = new QMimeData;
    FillMimeData(*data, model_.WriteSelection(wkCRLF),
                 (model_.ClipCopyFormats & smRTF) != 0 ? model_.WriteSelection(wkRTF)
                                                       : std::string());
    data->setData(kMimeDragSource, SourceMark(this));
    return data;
}

void TCustomCodeMemo::StartSelectionDrag()
{
    model_.DragStarted();
    droppedOnSelf_ = false;
    auto* drag = new QDrag(this);
    drag->setMimeData(SelectionMimeData());
    const Qt::DropActions allowed =
        model_.ReadOnly ? Qt::CopyAction : Qt::CopyAction | Qt::MoveAction;
    const Qt::DropAction action = drag->exec(allowed, Qt::MoveAction);
    drag->deleteLater();
    SelectionDragEnded(action);
}

void TCustomCodeMemo::SelectionDragEnded(Qt::DropAction action)
{
    if (action == Qt::MoveAction && !droppedOnSelf_)
        model_.DragMoved();
    droppedOnSelf_ = false;
}

bool TCustomCodeMemo::DragFromHere(const QMimeData& data) const
{
    return data.data(kMimeDragSource) == SourceMark(this);
}

QStringList TCustomCodeMemo::DroppedFiles(const QMimeData& data) const
{
    QStringList files;
    if ((model_.Options & smoProcessDroppedFiles) == 0 || !OnFilesDropped || !data.hasUrls())
        return files;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    return files;
}

Qt::DropAction TCustomCodeMemo::DropAction(const QDropEvent& event) const
{
    const QMimeData* data = event.mimeData();
    if (data == nullptr)
        return Qt::IgnoreAction;
    if (!DroppedFiles(*data).isEmpty())
        return Qt::CopyAction;
    if (model_.ReadOnly || !data->hasText())
        return Qt::IgnoreAction;
    const bool copy = (event.modifiers() & Qt::ControlModifier) != 0 ||
                      (event.possibleActions() & Qt::MoveAction) == 0;
    return copy ? Qt::CopyAction : Qt::MoveAction;
}

void TCustomCodeMemo::SetDropOffset(int64_t offset)
{
    if (offset == dropOffset_)
        return;
    dropOffset_ = offset;
    RepaintAll();
}

void TCustomCodeMemo::dragEnterEvent(QDragEnterEvent* event)
{
    const Qt::DropAction action = DropAction(*event);
    if (action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}

void TCustomCodeMemo::dragMoveEvent(QDragMoveEvent* event)
{
    const Qt::DropAction action = DropAction(*event);
    if (action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    const QPoint point = event->position().toPoint();
    // Near an edge the view scrolls, so a drop can reach any line.
    AutoScroll(point, 2);
    SetDropOffset(HitTest(point, true).Offset);
    event->setDropAction(action);
    event->accept();
}

void TCustomCodeMemo::dragLeaveEvent(QDragLeaveEvent* event)
{
    SetDropOffset(-1);
    event->accept();
}

void TCustomCodeMemo::dropEvent(QDropEvent* event)
{
    SetDropOffset(-1);
    const Qt::DropAction action = DropAction(*event);
    const QMimeData* data = event->mimeData();
    if (action == Qt::IgnoreAction || data == nullptr) {
        event->ignore();
        return;
    }
    const QPoint point = event->position().toPoint();
    const QStringList files = DroppedFiles(*data);
    if (!files.isEmpty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        OnFilesDropped(files, point);
        return;
    }
    const int64_t offset = HitTest(point, true).Offset;
    const bool fromHere = DragFromHere(*data);
    // A copy onto the dragged selection itself would only duplicate it where
    // it stands; like a move there, it does nothing.
    if (fromHere && action == Qt::CopyAction && offset >= model_.SelStart() &&
        offset <= model_.SelEnd()) {
        event->ignore();
        return;
    }
    const bool moveHere = fromHere && action == Qt::MoveAction;
    if (!model_.DropText(offset, ImportedText(data->text()), moveHere)) {
        event->ignore();
        return;
    }
    droppedOnSelf_ = fromHere;
    setFocus(Qt::OtherFocusReason);
    event->setDropAction(action);
    event->accept();
}

void TCustomCodeMemo::PaintDropCaret(QPainter& painter)
{
    if (dropOffset_ < 0)
        return;
    const auto point = PointFromChar(dropOffset_);
    if (!point || point->x() >= viewport()->width())
        return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(QRect(point->x(), point->y(), 2, metrics_.LineHeight), Qt::white);
    painter.restore();
}

} // namespace tarnwick
