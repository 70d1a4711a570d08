// The import dialog on libraries in a fresh application folder: src.ini (the
// source) and dst.ini (the destination), with language strings 22 to 25 set
// so that the composed messages can be read back.
#pragma once

#include "app_fixture.h"

#include "app/import/imp_form.h"
#include "app/import/import_trees.h"
#include "app/tree_images.h"
#include "library/library_check.h"
#include "library/library_format.h"
#include "library/library_store.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>

namespace tarnwick::test {

class ImportDialogTest : public AppFolderTest {
protected:
    void TearDown() override
    {
        dialog_.reset();
        AppFolderTest::TearDown();
    }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }

    TImportSetup Setup() const
    {
        TImportSetup setup;
        setup.SourceIndex = Path("src.ini");
        setup.DestinationIndex = Path("dst.ini");
        setup.LanguageFile = Path("english.lng");
        setup.Strings.assign(26, "-");
        setup.Strings[22] = "The title ";
        setup.Strings[23] = " is damaged.";
        setup.Strings[24] = "It was not imported.";
        setup.Strings[25] = "Skipped:";
        return setup;
    }

    // The dialog the helpers work on: the one Import1Click shows while a test
    // drives it (active_), else one of the test's own.
    TfrmImp& Dialog()
    {
        if (active_)
            return *active_;
        if (!dialog_) {
            dialog_ = std::make_unique<TfrmImp>(prompt_, images_, Setup(), list_);
            dialog_->show();
            QApplication::processEvents();
        }
        return *dialog_;
    }

    QTreeWidgetItem* Source(int category, int title = -1)
    {
        QTreeWidgetItem* node = Dialog().TreeView2->topLevelItem(category);
        return title < 0 ? node : node->child(title);
    }
    QTreeWidgetItem* Destination(int category, int title = -1)
    {
        QTreeWidgetItem* node = Dialog().TreeView1->topLevelItem(category);
        return title < 0 ? node : node->child(title);
    }

    // Drags the source node and drops it on `target` (on the destination
    // tree's top-left corner when null) with real drag events; returns
    // whether the destination took the drag.
    bool DragOnto(QTreeWidgetItem* source, QTreeWidgetItem* target)
    {
        TfrmImp& dialog = Dialog();
        dialog.TreeView2->setCurrentItem(source);
        std::unique_ptr<QMimeData> data(
            dialog.TreeView2->model()->mimeData({dialog.TreeView2->currentIndex()}));
        dialog.TreeView1->scrollToItem(target ? target : dialog.TreeView1->topLevelItem(0));
        const QPoint point =
            target ? dialog.TreeView1->visualItemRect(target).center() : QPoint(2, 2);
        return Drop(point, data.get());
    }
    bool Drop(const QPoint& point, const QMimeData* data)
    {
        QWidget* viewport = Dialog().TreeView1->viewport();
        QDragEnterEvent enter(point, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(point), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &drop);
        return drop.isAccepted();
    }

    QStringList Labels(QTreeWidgetItem* node) const
    {
        QStringList labels;
        for (int i = 0; i < node->childCount(); ++i)
            labels << node->child(i)->text(0);
        return labels;
    }
    QStringList TopLabels()
    {
        QStringList labels;
        for (int i = 0; i < Dialog().TreeView1->topLevelItemCount(); ++i)
            labels << Dialog().TreeView1->topLevelItem(i)->text(0);
        return labels;
    }

    // Commits the queue as the main window does after OK, then checks the
    // destination.
    void Commit()
    {
        TLibraryStore(Path("dst.ini")).CommitImport(list_);
        ExpectConsistent("dst.ini");
    }
    void ExpectConsistent(const std::string& index)
    {
        const TLibraryCheck check = CheckLibrary(Path(index));
        EXPECT_TRUE(check.Consistent()) << (check.problems.empty() ? "" : check.problems[0]);
    }
    // The record queueing source title (category, title) into `target`.
    std::string Record(const std::string& target, const std::string& category,
                       const std::string& title)
    {
        const std::string value = ProfileReadString(Path("src.ini"), category, title, "?");
        return target + ";" + title + ";" + value + ";" + Path("src.ini") + ";" + category + ";" +
               title;
    }
    std::string Text(const std::string& index, const std::string& category,
                     const std::string& title)
    {
        return ReadSnippet(category, title, Path(index));
    }

    TTreeImages images_;
    TImportList list_;
    std::unique_ptr<TfrmImp> dialog_;
    TfrmImp* active_ = nullptr;
};

}  // namespace tarnwick::test
