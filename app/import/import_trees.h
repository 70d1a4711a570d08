// The two trees of the import dialog.
//
// TImportSourceTree lets its selected node be dragged (the drag starts once
// the mouse has moved past the platform's distance with the left button
// held) and reports released keys. TImportDestinationTree accepts, with the
// drag cursor, every drag that comes from a source tree, and reports the
// point (viewport coordinates) where one was dropped; drags of anything else
// (files, texts from other programs) are not taken.
#pragma once

#include <QTreeWidget>

namespace tarnwick {

// The format a source tree's drag carries; its data is the node's text.
inline constexpr const char* kImportNodeFormat = "application/x-tarnwick-import-node";

class TImportSourceTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit TImportSourceTree(QWidget* parent = nullptr);

signals:
    void KeyReleased(int key);

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
    void keyReleaseEvent(QKeyEvent* event) override;
};

class TImportDestinationTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit TImportDestinationTree(QWidget* parent = nullptr);

signals:
    void KeyReleased(int key);
    void Dropped(const QPoint& point);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
};

}  // namespace tarnwick
