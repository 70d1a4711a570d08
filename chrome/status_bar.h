// TStatusBar: a status bar made of fixed-width text panels, addressed by
// number from 0, as the main window's counts and hints use them.
#pragma once

#include <QStatusBar>

#include <vector>

class QLabel;

namespace tarnwick {

class TStatusBar : public QStatusBar {
    Q_OBJECT
public:
    // One panel per entry of `widths` (pixels), left to right.
    explicit TStatusBar(const std::vector<int>& widths, QWidget* parent = nullptr);

    int PanelCount() const { return static_cast<int>(panels_.size()); }
    // A panel number outside 0 .. PanelCount() - 1 reads as the empty text and
    // ignores writes.
    QString PanelText(int index) const;
    void SetPanelText(int index, const QString& text);
    int PanelWidth(int index) const;

private:
    std::vector<QLabel*> panels_;  // owned by the Qt parent chain
};

}  // namespace tarnwick
