#include "chrome/credits_panel.h"

#include <QMouseEvent>
#include <QPainter>

namespace tarnwick {

TCreditsPanel::TCreditsPanel(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setCursor(Qt::PointingHandCursor);
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &TCreditsPanel::Step);
}

void TCreditsPanel::SetLines(const QStringList& lines)
{
    lines_ = lines;
    offset_ = contentsRect().height();
    update();
}

void TCreditsPanel::Start()
{
    offset_ = contentsRect().height();
    timer_.start();
}

void TCreditsPanel::Stop()
{
    timer_.stop();
}

int TCreditsPanel::TextHeight() const
{
    return static_cast<int>(lines_.size()) * fontMetrics().lineSpacing();
}

void TCreditsPanel::Step()
{
    --offset_;
    if (offset_ < -TextHeight())
        offset_ = contentsRect().height();
    update();
}

void TCreditsPanel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.setClipRect(area);
    const int lineHeight = fontMetrics().lineSpacing();
    int top = area.top() + offset_;
    for (const QString& line : lines_) {
        // Only the lines inside the panel are drawn.
        if (top + lineHeight >= area.top() && top <= area.bottom())
            painter.drawText(QRect(area.left(), top, area.width(), lineHeight), Qt::AlignHCenter,
                             line);
        top += lineHeight;
    }
}

void TCreditsPanel::mouseReleaseEvent(QMouseEvent* event)
{
    QFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit Clicked();
}

}  // namespace tarnwick
