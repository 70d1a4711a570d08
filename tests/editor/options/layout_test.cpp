// Every page of the dialog at its default size: each control lies inside
// its page, no two controls overlap, and no caption is cut short. With
// TARNWICK_SHOT_DIR set the pages are also saved as pictures
// (edopts-<page>-<scale>.png, the scale from QT_SCALE_FACTOR).
#include "options_fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>

namespace tarnwick::test {

namespace {

// The controls a user reads or operates, without the parts Qt builds inside
// them (a combo box's line edit, a list's scroll bars).
std::vector<QWidget*> Controls(QWidget* page)
{
    std::vector<QWidget*> controls;
    for (QWidget* child : page->findChildren<QWidget*>()) {
        if (!child->isVisible())
            continue;
        const bool control = qobject_cast<QAbstractButton*>(child) || qobject_cast<QLabel*>(child) ||
                             qobject_cast<QComboBox*>(child) ||
                             qobject_cast<QAbstractItemView*>(child) ||
                             qobject_cast<QLineEdit*>(child) || qobject_cast<TCodeMemo*>(child);
        if (!control)
            continue;
        bool inner = false;
        for (QWidget* up = child->parentWidget(); up != page && up != nullptr;
             up = up->parentWidget())
            inner = inner || qobject_cast<QComboBox*>(up) || qobject_cast<QAbstractItemView*>(up) ||
                    qobject_cast<TCodeMemo*>(up) || qobject_cast<QAbstractButton*>(up);
        if (!inner)
            controls.push_back(child);
    }
    return controls;
}

QRect OnPage(QWidget* control, QWidget* page)
{
    return QRect(control->mapTo(page, QPoint(0, 0)), control->size());
}

std::string Name(QWidget* control)
{
    QString text;
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        text = button->text();
    else if (auto* label = qobject_cast<QLabel*>(control))
        text = label->text();
    return std::string(control->metaObject()->className()) + " '" + text.toStdString() + "'";
}

}  // namespace

using LayoutTest = OptionsFixture;

TEST_F(LayoutTest, PagesFitWithoutOverlapsOrCutCaptions)
{
    Open();
    dialog->resize(dialog->sizeHint());
    const char* const names[] = {"options", "highlighting", "keys", "autocorrect", "templates"};
    const QString shots = qEnvironmentVariable("TARNWICK_SHOT_DIR");
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1") == "2" ? "200" : "100";
    for (int i = 0; i < dialog->Tabs()->count(); ++i) {
        dialog->Tabs()->setCurrentIndex(i);
        QApplication::processEvents();
        QWidget* page = dialog->Tabs()->widget(i);
        const std::vector<QWidget*> controls = Controls(page);
        ASSERT_FALSE(controls.empty()) << names[i];
        for (QWidget* control : controls) {
            const QRect rect = OnPage(control, page);
            EXPECT_TRUE(page->rect().contains(rect)) << names[i] << ": " << Name(control);
            const bool wraps = qobject_cast<QLabel*>(control) &&
                               static_cast<QLabel*>(control)->wordWrap();
            if (!wraps && (qobject_cast<QAbstractButton*>(control) || qobject_cast<QLabel*>(control))) {
                EXPECT_GE(control->width(), control->minimumSizeHint().width())
                    << names[i] << ": " << Name(control);
            }
            for (QWidget* other : controls) {
                if (other == control || control->isAncestorOf(other) || other->isAncestorOf(control))
                    continue;
                EXPECT_FALSE(rect.intersects(OnPage(other, page)))
                    << names[i] << ": " << Name(control) << " overlaps " << Name(other);
            }
        }
        if (!shots.isEmpty())
            dialog->grab().save(QStringLiteral("%1/edopts-%2-%3.png").arg(shots, names[i], scale));
    }
}

}  // namespace tarnwick::test
