// Reading the code pane as the user sees it: how many pixels of its text
// area show a clear colour (not black, white or grey), that is, highlighting.
#pragma once

#include "editor/code_memo.h"

#include <QColor>
#include <QImage>

namespace tarnwick::test {

inline int ColouredPixels(TCodeMemo& editor)
{
    const QImage image = editor.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = editor.TextLeft() + 2; x < image.width(); ++x)
            if (QColor(image.pixel(x, y)).hsvSaturation() > 120)
                ++count;
    return count;
}

}  // namespace tarnwick::test
