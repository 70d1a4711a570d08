// TCreditsPanel: a framed panel whose lines of text scroll upwards, one
// pixel every 35 milliseconds while it runs, starting again from below once
// the last line has left the top. A click on the panel is reported.
#pragma once

#include <QFrame>
#include <QStringList>
#include <QTimer>

namespace tarnwick {

class TCreditsPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 35;

    explicit TCreditsPanel(QWidget* parent = nullptr);

    void SetLines(const QStringList& lines);
    const QStringList& Lines() const { return lines_; }

    void Start();
    void Stop();
    bool Running() const { return timer_.isActive(); }

    // Moves the text up by one pixel; what the timer does on each tick.
    void Step();
    // Distance in pixels of the first line's top below the panel's top; it
    // starts at the panel's height and falls to minus the text's height.
    int Offset() const { return offset_; }
    int TextHeight() const;

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QStringList lines_;
    QTimer timer_;
    int offset_ = 0;
};

}  // namespace tarnwick
