// A shown TCodeMemo with a known fixed-pitch font drawn without
// antialiasing, so tests can look for exact colours in its pictures, and
// helpers that read those pictures.
#pragma once

#include "editor/code_memo.h"
#include "editor/core/memo_options.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

namespace tarnwick::test {

class MemoFixture : public ::testing::Test {
protected:
    void SetUp() override { Open(400, 220); }

    void Open(int width, int height)
    {
        memo = std::make_unique<TCodeMemo>();
        memo->resize(width, height);
        QFont font(QStringLiteral("DejaVu Sans Mono"));
        font.setPointSize(10);
        font.setStyleStrategy(QFont::NoAntialias);
        memo->setFont(font);
        memo->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(memo.get()));
    }

    // Makes the control the focused one, so the caret and selection show.
    void Focus()
    {
        memo->activateWindow();
        memo->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(memo.get()));
        QApplication::processEvents();
    }

    // What the viewport shows, at a device pixel ratio.
    QImage Shot(qreal ratio = 1.0)
    {
        QWidget* view = memo->viewport();
        QPixmap pixmap(view->size() * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::magenta);
        view->render(&pixmap);
        return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Pixels of `colour` inside a rectangle of an image.
    static int Count(const QImage& image, QRect rect, QColor colour)
    {
        int count = 0;
        rect = rect.intersected(image.rect());
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                count += image.pixelColor(x, y).rgb() == colour.rgb() ? 1 : 0;
        return count;
    }

    // Pixels that are not `background` inside a rectangle.
    static int Ink(const QImage& image, QRect rect, QColor background)
    {
        return rect.intersected(image.rect()).width() * rect.intersected(image.rect()).height() -
               Count(image, rect, background);
    }

    // The rectangle of display cell (row, column) in viewport pixels.
    QRect Cell(int row, int column)
    {
        return QRect(memo->TextLeft() + column * memo->CharWidth(), row * memo->LineHeight(),
                     memo->CharWidth(), memo->LineHeight());
    }

    std::unique_ptr<TCodeMemo> memo;
};

} // namespace tarnwick::test
