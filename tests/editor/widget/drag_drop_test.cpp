// Drops on the control: a drag of the selection within the control, to a
// second control (move, or copy with Ctrl), text from other programs and
// dropped files; each side's change is one undo step.
#include "memo_fixture.h"

#include "editor/core/memo_options.h"

#include <QMimeData>
#include <QUrl>

namespace tarnwick::test {

class DragDropTest : public MemoFixture {
protected:
    // Drops `data` on `target` at a cell; the action the target took, or
    // IgnoreAction.
    Qt::DropAction Drop(TCodeMemo& target, const QMimeData& data, QPoint cell,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                        Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction)
    {
        const QPoint point = Cell(cell.y(), cell.x()).topLeft() + QPoint(1, 2);
        // A drop goes to the widget that took the drag's entry.
        QDragEnterEvent enter(point, offered, &data, Qt::LeftButton, modifiers);
        QApplication::sendEvent(target.viewport(), &enter);
        QDropEvent event(point, offered, &data, Qt::LeftButton, modifiers);
        QApplication::sendEvent(target.viewport(), &event);
        return event.isAccepted() ? event.dropAction() : Qt::IgnoreAction;
    }
    // A drag of `source`'s selection dropped on `target`, then ended as the
    // drag would end it.
    Qt::DropAction DragSelection(TCodeMemo& source, TCodeMemo& target, QPoint cell,
                                 Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        std::unique_ptr<QMimeData> data(source.SelectionMimeData());
        const Qt::DropAction action = Drop(target, *data, cell, modifiers);
        source.SelectionDragEnded(action);
        return action;
    }
    std::string Text(TCodeMemo& memo) { return memo.Model().Text(); }
};

TEST_F(DragDropTest, DragToAnotherControlMovesOrCopiesWithOneUndoStepInEach)
{
    struct Row {
        const char* name;
        Qt::KeyboardModifiers modifiers;
        bool sourceReadOnly;
        std::string source;  // the source's text afterwards
    };
    const Row rows[] = {
        {"move", Qt::NoModifier, false, "world"},
        {"copy_with_ctrl", Qt::ControlModifier, false, "hello world"},
        {"read_only_source_keeps_its_text", Qt::NoModifier, true, "hello world"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TCodeMemo target;
        target.resize(400, 220);
        target.setFont(memo->font());
        target.SetText("abc\r");
        memo->SetText("hello world");
        memo->Model().SetSelection(0, 6);
        memo->Model().ReadOnly = row.sourceReadOnly;
        DragSelection(*memo, target, QPoint(1, 0), row.modifiers);
        EXPECT_EQ(Text(target), "ahello bc\r");
        EXPECT_EQ(Text(*memo), row.source);
        target.Model().Undo();
        EXPECT_EQ(Text(target), "abc\r");
        EXPECT_FALSE(target.Model().CanUndo());
        if (Text(*memo) != "hello world") {
            memo->Model().Undo();
            EXPECT_EQ(Text(*memo), "hello world");
        }
        EXPECT_FALSE(memo->Model().CanUndo());
    }
}

TEST_F(DragDropTest, DragWithinTheControlMovesAsOneUndoStep)
{
    struct Row {
        const char* name;
        std::string before;
        QPoint cell;
        Qt::KeyboardModifiers modifiers;
        std::string after;
    };
    const Row rows[] = {
        {"move_forwards", "hello world", QPoint(11, 0), Qt::NoModifier, "worldhello "},
        {"move_to_next_line", "hello world\rxy", QPoint(1, 1), Qt::NoModifier,
         "world\rxhello y"},
        {"copy_with_ctrl", "hello world", QPoint(11, 0), Qt::ControlModifier,
         "hello worldhello "},
        {"inside_the_selection", "hello world", QPoint(3, 0), Qt::NoModifier, "hello world"},
        {"copy_inside_the_selection", "hello world", QPoint(3, 0), Qt::ControlModifier,
         "hello world"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        memo->SetText(row.before);
        memo->Model().SetSelection(0, 6);
        DragSelection(*memo, *memo, row.cell, row.modifiers);
        EXPECT_EQ(Text(*memo), row.after);
        if (row.after != row.before) {
            memo->Model().Undo();
            EXPECT_EQ(Text(*memo), row.before);
        }
        EXPECT_FALSE(memo->Model().CanUndo());
    }
}

TEST_F(DragDropTest, TextFromAnotherProgramGoesInAtTheDropPoint)
{
    QMimeData data;
    data.setText(QStringLiteral("na\u00efve\r\n\u0101"));
    memo->SetText("ab\rcd");
    EXPECT_EQ(Drop(*memo, data, QPoint(1, 1), Qt::NoModifier, Qt::CopyAction), Qt::CopyAction);
    EXPECT_EQ(Text(*memo), "ab\rcna\xefve\rad");
    memo->Model().Undo();
    EXPECT_EQ(Text(*memo), "ab\rcd");

    memo->Model().ReadOnly = true;
    EXPECT_EQ(Drop(*memo, data, QPoint(0, 0)), Qt::IgnoreAction);
    EXPECT_EQ(Text(*memo), "ab\rcd");
}

TEST_F(DragDropTest, DroppedFilesGoToOnFilesDroppedWhenAsked)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a b.pas")),
                  QUrl(QStringLiteral("https://example.org/x")),
                  QUrl::fromLocalFile(QStringLiteral("/tmp/c.txt"))});
    QStringList got;
    QPoint where(-5, -5);
    memo->OnFilesDropped = [&](const QStringList& files, QPoint point) {
        got = files;
        where = point;
    };
    memo->SetText("x");

    // Without smoProcessDroppedFiles the list goes in as text, as any text.
    memo->SetOptions(memo->Options() & ~smoProcessDroppedFiles);
    EXPECT_NE(Drop(*memo, data, QPoint(0, 0)), Qt::IgnoreAction);
    EXPECT_TRUE(got.isEmpty());
    EXPECT_EQ(Text(*memo).rfind("file:///tmp/a b.pas\r", 0), 0u);
    memo->Model().Undo();
    ASSERT_EQ(Text(*memo), "x");

    memo->SetOptions(memo->Options() | smoProcessDroppedFiles);
    EXPECT_EQ(Drop(*memo, data, QPoint(2, 0)), Qt::CopyAction);
    EXPECT_EQ(got, QStringList({QStringLiteral("/tmp/a b.pas"), QStringLiteral("/tmp/c.txt")}));
    EXPECT_EQ(where, Cell(0, 2).topLeft() + QPoint(1, 2));
    EXPECT_EQ(Text(*memo), "x") << "files are not inserted as text";
}

} // namespace tarnwick::test
