#include "chrome/status_bar.h"

#include <QLabel>

namespace tarnwick {

TStatusBar::TStatusBar(const std::vector<int>& widths, QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(true);
    for (int width : widths) {
        auto* panel = new QLabel(this);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setFixedWidth(width);
        // Long texts are cut at the panel's edge rather than widening it.
        panel->setMinimumWidth(width);
        panel->setTextFormat(Qt::PlainText);
        addWidget(panel);
        panels_.push_back(panel);
    }
}

QString TStatusBar::PanelText(int index) const
{
    if (index < 0 || index >= PanelCount())
        return {};
    return panels_[static_cast<size_t>(index)]->text();
}

void TStatusBar::SetPanelText(int index, const QString& text)
{
    if (index < 0 || index >= PanelCount())
        return;
    panels_[static_cast<size_t>(index)]->setText(text);
}

int TStatusBar::PanelWidth(int index) const
{
    if (index < 0 || index >= PanelCount())
        return 0;
    return panels_[static_cast<size_t>(index)]->width();
}

}  // namespace tarnwick
